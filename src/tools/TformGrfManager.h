#pragma once

#include "base/ProgramFiles.h"
#include "platform/FileDialogs.h"
#include "platform/Platform.h"

#include <QDialog>

class QListWidget;
class QListWidgetItem;
class QPushButton;

// The GRF manager: the GRF files of the game's "newgrf" folder as a check
// list, checked where the patch's list file names them; files are installed
// into the folder or deleted from it, and Save writes the checked ones to the
// list file of the game's edition.
class TformGrfManager final : public QDialog
{
    Q_OBJECT

public:
    TformGrfManager(ProgramFiles files, Platform platform, QWidget *parent = nullptr);

    // The game's GRF folder as on disk, or nothing when it is missing.
    static std::optional<QString> grfFolder(const QString &gameDirectory);

    // Fills the window afresh from the folder and the list file.
    void Initialize();
    void butnInstallGrfClick();
    // Installs the file chosen last: mode 0 copies it under `name`, replacing
    // a file of that name; 1 asks for a new name and never replaces; 2 does not
    // install.
    void InstallGrf(int mode, const QString &name);
    void butnDeleteClick();
    void butnSaveClick();
    void listGrfFilesClick();
    void butnQuitClick();

    // The open dialog as it stands between showings; its file name is the file chosen last.
    FileDialogRequest dlgLoadGrf;

protected:
    // The window leaves by its Quit button only: Escape and the system close do nothing.
    void reject() override {}

private:
    void createControls();
    void connectControls();
    QString gameDirectory() const;
    // The folder the files go into, as on disk where it is there.
    QString folderPath() const;
    static void makeCheckable(QListWidgetItem *item);
    void checkNamedEntries();

    QListWidget *listGrfFiles = nullptr;
    QPushButton *butnSave = nullptr;
    QPushButton *butnInstallGrf = nullptr;
    QPushButton *butnDelete = nullptr;
    QPushButton *butnQuit = nullptr;

    ProgramFiles m_files;
    Platform m_platform;
};
