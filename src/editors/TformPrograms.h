#pragma once

#include "base/ProgramFiles.h"
#include "platform/FileDialogs.h"
#include "platform/Platform.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class NotepadPage;

// The Shortcuts Editor: names and files of the user's shortcuts on the Tools
// menu, kept in tool.ini. Every change rebuilds the menu.
class TformPrograms final : public QDialog
{
    Q_OBJECT

public:
    TformPrograms(ProgramFiles files, Platform platform, NotepadPage &notepad, QWidget *parent);

    void Initialize();
    void cboxProgramsChange();
    void butnSelectFileClick();
    void editPathKeyPress();
    void butnTestClick();
    void butnAddClick();
    void butnSaveClick();
    void butnRenameClick();
    void butnDeleteClick();
    void butnNotepadClick();
    void butnCancelClick();

    bool adding() const { return m_adding; }

    FileDialogRequest dlgProgram;

signals:
    // tool.ini changed; the Tools menu follows it.
    void shortcutsSaved();

protected:
    // The window leaves by its own buttons only: Escape and the system close do nothing.
    void reject() override {}

private:
    void createControls();
    void rebuild();
    // After a name leaves the list: no shortcut chosen, nothing to act on.
    void clearChoice();
    void leave();

    QComboBox *cboxPrograms = nullptr;
    QLineEdit *editPath = nullptr;
    QToolButton *butnSelectFile = nullptr;
    QPushButton *butnAdd = nullptr;
    QPushButton *butnTest = nullptr;
    QPushButton *butnNotepad = nullptr;
    QPushButton *butnCancel = nullptr;
    QPushButton *butnSave = nullptr;
    QPushButton *butnRename = nullptr;
    QPushButton *butnDelete = nullptr;

    ProgramFiles m_files;
    Platform m_platform;
    NotepadPage &m_notepad;
    bool m_adding = false;
};
