#pragma once

#include "base/ProgramFiles.h"
#include "platform/Platform.h"

#include <QDialog>

#include <optional>

class LanguageTextFiles;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// The language text tool: the patch's text file in a memo for editing, the
// patch's own tool that compiles it, and the new file that tool may leave,
// moved over the text file on request. A timer watches the files once a
// second while the window is open.
class TformMkdvtxt final : public QDialog
{
    Q_OBJECT

public:
    TformMkdvtxt(ProgramFiles files, Platform platform, QWidget *parent = nullptr);

    // Readies the window before each showing.
    void Initialize();
    void timeNewTimer();
    // Any change the user makes to the memo.
    void memoZvtdvtxtKeyPress();
    void butnSaveClick();
    void butnRunMkdvtxtClick();
    void butnNewClick();
    void butnReCreateClick();
    void butnCancelClick();

    // Set by the user's changes to the memo until they are saved or the tool
    // runs; kept while the window is closed.
    bool changed() const { return m_changed; }
    // A re-creation is waiting for the tool's new text file.
    bool recreating() const { return m_recreateTicks.has_value(); }
    // How many ticks a re-creation waits for the text at most.
    static constexpr int kRecreateTicks = 60;

protected:
    // The window leaves by its Quit button only: Escape and the system close do nothing.
    void reject() override {}

private:
    void createControls();
    void connectControls();
    LanguageTextFiles textFiles() const;
    // False, with the memo left as it was, when the file cannot be read.
    bool loadMemo(const LanguageTextFiles &files);
    void clearMemo();
    QStringList memoLines() const;
    int memoLineCount() const;
    // Whether the tool started; why not is shown.
    bool startTool(const LanguageTextFiles &files);

    QPlainTextEdit *memoZvtdvtxt = nullptr;
    QPushButton *butnRunMkdvtxt = nullptr;
    QPushButton *butnReCreate = nullptr;
    QPushButton *butnNew = nullptr;
    QPushButton *butnSave = nullptr;
    QPushButton *butnQuit = nullptr;
    QTimer *timeNew = nullptr;

    ProgramFiles m_files;
    Platform m_platform;
    bool m_changed = false;
    // While a re-creation waits: the ticks it has waited.
    std::optional<int> m_recreateTicks;
};
