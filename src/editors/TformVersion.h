#pragma once

#include "base/ProgramFiles.h"
#include "platform/Platform.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class NotepadPage;

// The version list editor: one patch version of version.ini at a time, its
// number, short name and long name. Every save rebuilds the main window's
// version menu; it leaves only by its own buttons.
class TformVersion final : public QDialog
{
    Q_OBJECT

public:
    TformVersion(ProgramFiles files, Platform platform, NotepadPage &notepad, QWidget *parent);

    void FormActivate();
    void cboxVersionChange();
    void editVersionLongKeyPress();
    void butnAddClick();
    void butnSaveClick();
    void butnDeleteClick();
    void butnHelpClick();
    void butnNotepadClick();
    void butnCancelClick();

    bool adding() const { return m_adding; }
    bool changed() const { return m_changed; }

signals:
    // Saved or deleted versions are in version.ini; the version menu follows them.
    void versionsSaved();

protected:
    void showEvent(QShowEvent *event) override;
    // The window leaves by its own buttons only: Escape and the system close do nothing.
    void reject() override {}

private:
    void createControls();
    // Back to the state of a freshly opened editor, with no version chosen.
    void resetButtons();
    void leave();

    QComboBox *cboxVersion = nullptr;
    QLineEdit *editNumber = nullptr;
    QLineEdit *editVersionShort = nullptr;
    QLineEdit *editVersionLong = nullptr;
    QPushButton *butnDelete = nullptr;
    QPushButton *butnAdd = nullptr;
    QPushButton *butnSave = nullptr;
    QPushButton *butnHelp = nullptr;
    QPushButton *butnNotepad = nullptr;
    QPushButton *butnCancel = nullptr;

    ProgramFiles m_files;
    Platform m_platform;
    NotepadPage &m_notepad;
    bool m_adding = false;
    bool m_changed = false;
};
