#include "FakePlatform.h"

#include <gtest/gtest.h>

QString describe(MsgType type)
{
    switch (type) {
    case MsgType::Error:
        return QStringLiteral("error");
    case MsgType::Warning:
        return QStringLiteral("warning");
    case MsgType::Information:
        return QStringLiteral("information");
    case MsgType::Confirmation:
        return QStringLiteral("confirmation");
    }
    return {};
}

static QString describe(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return QStringLiteral("OK");
    case MsgButtons::YesNo:
        return QStringLiteral("Yes/No");
    case MsgButtons::YesNoCancel:
        return QStringLiteral("Yes/No/Cancel");
    }
    return {};
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
    const MsgAnswer refusal = buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    const auto matches = [&](const Expected &e) {
        return e.type == type && e.text == text && e.buttons == buttons;
    };
    if (m_expected.empty() || !matches(m_expected.front())) {
        for (const Expected &allowed : m_allowed) {
            if (matches(allowed))
                return allowed.answer;
        }
    }
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected " << describe(type).toStdString() << " box ("
                      << describe(buttons).toStdString() << "): \"" << text.toStdString() << "\"";
        return refusal;
    }
    const Expected next = m_expected.front();
    m_expected.pop_front();
    if (next.type != type || next.text != text || next.buttons != buttons) {
        ADD_FAILURE() << "expected " << describe(next.type).toStdString() << " box ("
                      << describe(next.buttons).toStdString() << "): \"" << next.text.toStdString() << "\"\n"
                      << "     got " << describe(type).toStdString() << " box ("
                      << describe(buttons).toStdString() << "): \"" << text.toStdString() << "\"";
        return refusal;
    }
    return next.answer;
}

void FakeMessageBoxes::verify()
{
    for (const Expected &e : m_expected)
        ADD_FAILURE() << "expected " << describe(e.type).toStdString() << " box was never shown: \""
                      << e.text.toStdString() << "\"";
    m_expected.clear();
}

std::optional<QString> ScriptedAnswers::take(const QString &title)
{
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

void ScriptedAnswers::verify()
{
    if (!m_answers.empty())
        ADD_FAILURE() << m_answers.size() << " scripted " << m_what << " answer(s) never used";
    m_answers.clear();
}

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
