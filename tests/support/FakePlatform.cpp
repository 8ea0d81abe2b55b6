#include "FakePlatform.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

QString describe(MsgType type)
{
    static const char *const names[] = {"error", "warning", "information", "confirmation"};
    return QString::fromLatin1(names[int(type)]);
}

static QString describe(MsgButtons buttons)
{
    static const char *const names[] = {"OK", "Yes/No", "Yes/No/Cancel"};
    return QString::fromLatin1(names[int(buttons)]);
}

void FakeMessageBoxes::expect(MsgType type, const QString &text, MsgButtons buttons, MsgAnswer answer)
{
    m_expected.push_back({type, text, buttons, answer});
}

void FakeMessageBoxes::allow(MsgType type, const QString &text, MsgButtons buttons, MsgAnswer answer)
{
    m_allowed.push_back({type, text, buttons, answer});
}

MsgAnswer FakeMessageBoxes::show(MsgType type, const QString &text, MsgButtons buttons)
{
    m_shown.push_back({type, text, buttons});
    const auto matches = [&](const Expected &e) {
        return e.type == type && e.text == text && e.buttons == buttons;
    };
    if (!m_expected.empty() && matches(m_expected.front())) {
        const MsgAnswer answer = m_expected.front().answer;
        m_expected.pop_front();
        return answer;
    }
    for (const Expected &allowed : m_allowed) {
        if (matches(allowed))
            return allowed.answer;
    }
    const auto box = [](MsgType t, MsgButtons b, const QString &x) {
        return (describe(t) + u" box ("_s + describe(b) + u"): \""_s + x + u'"').toStdString();
    };
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected " << box(type, buttons, text);
    } else {
        const Expected &next = m_expected.front();
        ADD_FAILURE() << "expected " << box(next.type, next.buttons, next.text) << "\n     got "
                      << box(type, buttons, text);
        m_expected.pop_front();
    }
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

void FakeMessageBoxes::verify()
{
    for (const Expected &e : m_expected)
        ADD_FAILURE() << "expected " << describe(e.type).toStdString() << " box was never shown: \""
                      << e.text.toStdString() << "\"";
    m_expected.clear();
}

template <typename Shown>
std::optional<QString> ScriptedDialog<Shown>::take(Shown shown, const QString &title)
{
    m_shown.push_back(std::move(shown));
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

template <typename Shown> void ScriptedDialog<Shown>::verify()
{
    if (!m_answers.empty())
        ADD_FAILURE() << m_answers.size() << " scripted " << m_what << " answer(s) never used";
    m_answers.clear();
}

template class ScriptedDialog<FileDialogRequest>;
template class ScriptedDialog<FolderBrowserShown>;
template class ScriptedDialog<InputBoxShown>;

ShellStart FakeShell::open(const QString &file, const QString &parameters, const QString &workingFolder)
{
    m_starts.push_back({file, parameters, workingFolder});
    if (m_outcome != Outcome::Watched) {
        m_programs.emplace_back();
        return {m_outcome == Outcome::Unwatched, nullptr};
    }
    auto program = std::make_unique<StartedProgram>();
    m_programs.emplace_back(program.get());
    return {true, std::move(program)};
}

void FakeShell::finish(std::size_t index)
{
    if (index < m_programs.size() && m_programs[index])
        emit m_programs[index]->finished();
}
