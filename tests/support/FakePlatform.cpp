#include "FakePlatform.h"

#include <gtest/gtest.h>

// How a failure names a box: its type, its buttons and its text.
static std::string describe(MsgType type, MsgButtons buttons, const QString &text)
{
    static const char *const types[] = {"error", "warning", "information", "confirmation"};
    static const char *const sets[] = {"OK", "Yes/No", "Yes/No/Cancel"};
    return std::string(types[int(type)]) + " box (" + sets[int(buttons)] + "): \"" + text.toStdString() + '"';
}

MsgAnswer FakeMessageBoxes::show(MsgType type, const QString &text, MsgButtons buttons)
{
    const auto matches = [&](const Expected &e) {
        return e.type == type && e.text == text && e.buttons == buttons;
    };
    if (!m_expected.empty() && matches(m_expected.front())) {
        const MsgAnswer answer = m_expected.front().answer;
        m_expected.pop_front();
        return answer;
    }
    for (const Expected &allowed : m_allowed)
        if (matches(allowed))
            return allowed.answer;
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected " << describe(type, buttons, text);
    } else {
        const Expected &next = m_expected.front();
        ADD_FAILURE() << "expected " << describe(next.type, next.buttons, next.text) << "\n     got "
                      << describe(type, buttons, text);
        m_expected.pop_front();
    }
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

void FakeMessageBoxes::verify()
{
    for (const Expected &e : m_expected)
        ADD_FAILURE() << "expected " << describe(e.type, e.buttons, e.text) << " was never shown";
    m_expected.clear();
}

std::optional<QString> ScriptedDialog::take(const QString &shown, const QString &title)
{
    m_shown.push_back(shown);
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected " << m_what << " \"" << title.toStdString() << "\"";
        return std::nullopt;
    }
    // Copied out member by member: GCC cannot see through a moved optional here.
    std::optional<QString> answer;
    if (m_answers.front().has_value())
        answer.emplace(*m_answers.front());
    m_answers.pop_front();
    return answer;
}

void ScriptedDialog::verify()
{
    if (!m_answers.empty())
        ADD_FAILURE() << m_answers.size() << " scripted " << m_what << " answer(s) never used";
    m_answers.clear();
}

ShellStart FakeShell::open(const QString &file, const QString &parameters, const QString &workingFolder)
{
    m_starts.push_back({file, parameters, workingFolder});
    if (!m_problem.isEmpty()) {
        m_programs.emplace_back(nullptr);
        return {false, nullptr, m_problem};
    }
    auto program = m_outcome == Outcome::Watched || m_outcome == Outcome::Ended
                       ? std::make_unique<StartedProgram>()
                       : nullptr;
    m_programs.emplace_back(program.get());
    if (m_outcome == Outcome::Ended)
        emit program->finished();
    return {m_outcome != Outcome::Fails, std::move(program), {}};
}

void FakeShell::finish(std::size_t index)
{
    if (index < m_programs.size() && m_programs[index])
        emit m_programs[index]->finished();
}
