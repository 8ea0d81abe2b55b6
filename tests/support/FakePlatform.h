#pragma once

#include "QtPrinters.h"

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/FileRegistry.h"
#include "platform/FolderBrowser.h"
#include "platform/InputBox.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "platform/Screen.h"
#include "platform/Shell.h"
#include "platform/SocketHttpClient.h"

#include <QPointer>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Scripted stand-ins for every platform service. Message boxes, dialogs and
// input boxes answer from a queue the test fills; anything nobody expected
// fails the test. Every dialog and start is recorded.

class FakeMessageBoxes final : public MessageBoxes
{
public:
    // The next box must be of this type, text and button set; it is answered with `answer`.
    void expect(MsgType type, const QString &text, MsgButtons buttons, MsgAnswer answer)
    {
        m_expected.push_back({type, text, buttons, answer});
    }
    void expectOk(MsgType type, const QString &text) { expect(type, text, MsgButtons::Ok, MsgAnswer::Ok); }

    // A box that may come any number of times, in any order, and is answered
    // with `answer`; an expected box that matches is answered first.
    void allow(MsgType type, const QString &text, MsgButtons buttons, MsgAnswer answer)
    {
        m_allowed.push_back({type, text, buttons, answer});
    }
    void clearAllowed() { m_allowed.clear(); }

    MsgAnswer show(MsgType type, const QString &text, MsgButtons buttons) override;
    // Fails the test for every expected box that was not shown.
    void verify();

private:
    struct Expected
    {
        MsgType type;
        QString text;
        MsgButtons buttons;
        MsgAnswer answer;
    };
    std::deque<Expected> m_expected;
    std::vector<Expected> m_allowed;
};

// A dialog kind's scripted answers, in order (a text, or nothing for Cancel),
// and a record of every showing. A showing nobody scripted fails the test
// and is cancelled; an answer never asked for fails it at the end.
class ScriptedDialog
{
public:
    explicit ScriptedDialog(const char *what) : m_what(what) {}
    void answer(std::optional<QString> answer) { m_answers.push_back(std::move(answer)); }
    // What each showing was about: a title, a start folder or a caption.
    const std::vector<QString> &shown() const { return m_shown; }
    std::optional<QString> take(const QString &shown, const QString &title);
    void verify();

private:
    const char *m_what;
    std::deque<std::optional<QString>> m_answers;
    std::vector<QString> m_shown;
};

class FakeFileDialogs final : public FileDialogs
{
public:
    void answerOpen(std::optional<QString> path) { m_open.answer(std::move(path)); }
    void answerSave(std::optional<QString> path) { m_save.answer(std::move(path)); }
    std::optional<QString> open(const FileDialogRequest &request) override { return show(m_open, request); }
    std::optional<QString> save(const FileDialogRequest &request) override { return show(m_save, request); }
    // Both kinds, in the order they were shown.
    const std::vector<FileDialogRequest> &shown() const { return m_shown; }
    void verify()
    {
        m_open.verify();
        m_save.verify();
    }

private:
    std::optional<QString> show(ScriptedDialog &kind, const FileDialogRequest &request)
    {
        m_shown.push_back(request);
        return kind.take(request.title, request.title);
    }
    ScriptedDialog m_open{"open dialog"};
    ScriptedDialog m_save{"save dialog"};
    std::vector<FileDialogRequest> m_shown;
};

// Records the start folder of every showing.
class FakeFolderBrowser final : public FolderBrowser, public ScriptedDialog
{
public:
    FakeFolderBrowser() : ScriptedDialog("folder dialog") {}
    std::optional<QString> browse(const QString &title, const QString &startFolder) override
    {
        return take(startFolder, title);
    }
};

// Records the caption of every input box.
class FakeInputBox final : public InputBox, public ScriptedDialog
{
public:
    FakeInputBox() : ScriptedDialog("input box") {}
    std::optional<QString> ask(const QString &caption, const QString &, const QString &) override
    {
        return take(caption, caption);
    }
};

// Records every start. Each start gives a program whose end the test
// announces with finish(), unless the test said otherwise.
class FakeShell final : public Shell
{
public:
    struct Start
    {
        QString file;
        QString parameters;
        QString workingFolder;
        friend bool operator==(const Start &, const Start &) = default;
    };
    enum class Outcome
    {
        Watched,   // started, and its end can be noticed
        Ended,     // started, and ended cleanly while its start was watched
        Unwatched, // started, but its end cannot be noticed
        Fails      // nothing started
    };
    ShellStart open(const QString &file, const QString &parameters, const QString &workingFolder) override;
    // Never waits: a start ends at once with the problem set, or runs.
    ShellStart start(const QString &file, const QString &parameters, const QString &workingFolder) override
    {
        return open(file, parameters, workingFolder);
    }
    const std::vector<Start> &starts() const { return m_starts; }

    void setOutcome(Outcome outcome) { m_outcome = outcome; }
    // Every start from now on fails with `problem` (a runner missing, an end
    // at once); an empty text lets them run again.
    void failWith(const QString &problem) { m_problem = problem; }
    // Ends the program of start `index`, as far as it is still watched.
    void finish(std::size_t index);

private:
    std::vector<Start> m_starts;
    std::vector<QPointer<StartedProgram>> m_programs;
    Outcome m_outcome = Outcome::Watched;
    QString m_problem;
};

class FakeScreen final : public Screen
{
public:
    QSize size() const override { return m_size; }
    QList<QRect> screens() const override { return {QRect(QPoint(0, 0), m_size)}; }
    void setSize(QSize size) { m_size = size; }

private:
    QSize m_size{1024, 768};
};

// Never really sleeps, and lets a test look at the screen at each pause (the
// splash window pauses after every progress text).
class FakeClock final : public Clock
{
public:
    QDate today() const override { return QDate(2026, 12, 6); }
    void sleep(int milliseconds) override { m_onSleep(milliseconds); }
    void onSleep(std::function<void(int)> watcher) { m_onSleep = std::move(watcher); }

private:
    std::function<void(int)> m_onSleep = [](int) {};
};

class FakeClipboard final : public Clipboard
{
public:
    void setText(const QString &text) override { m_text = text; }
    QString text() const override { return m_text; }

private:
    QString m_text;
};

struct FakePlatform
{
    FakeMessageBoxes messages;
    FakeFileDialogs fileDialogs;
    FakeFolderBrowser folders;
    FakeInputBox input;
    FakeShell shell;
    // The registry file of systems without a registry, in a folder of its own.
    QTemporaryDir registryFolder;
    FileRegistry registry{registryFolder.path() + QStringLiteral("/registry.reg")};
    FakeScreen screen;
    FakeClock clock;
    FakeClipboard clipboard;
    // The real client: window tests talk to a server of their own on the loopback interface.
    SocketHttpClient http;

    // Another registry a test puts in place of the file, such as a Wine prefix's.
    Registry *registryInUse = nullptr;

    Platform platform()
    {
        return Platform{
            messages, fileDialogs, folders,   input, shell, registryInUse ? *registryInUse : registry,
            screen,   clock,       clipboard, http};
    }

    // Fails the test for every scripted answer that was never asked for.
    void verify()
    {
        messages.verify();
        fileDialogs.verify();
        folders.verify();
        input.verify();
    }
};
