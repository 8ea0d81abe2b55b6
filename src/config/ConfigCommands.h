#pragma once

#include "base/NotepadPage.h"
#include "base/ProgramFiles.h"
#include "base/ProgramSettings.h"
#include "game/RunConfiguration.h"
#include "platform/FileDialogs.h"
#include "platform/Platform.h"

#include <QObject>
#include <QStringList>

class Frame;
class QAction;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class SwitchCommands;
enum class ConfigVariant;

// Configuration files and the notepad page: loading and saving the switches,
// the file loaded at every start, and the page that shows a file's text.
class ConfigCommands final : public QObject, public NotepadPage, public RunConfiguration
{
    Q_OBJECT

public:
    struct Items
    {
        QAction *mniFileLoadFile = nullptr;
        QAction *mniFileLoadCfg = nullptr;
        QAction *mniFileSaveFile = nullptr;
        QAction *mniFileSaveCfg = nullptr;
        QAction *itemDVSLoadNothing = nullptr;
        QAction *itemDVSLoaddravopaxcfg = nullptr;
        QAction *itemDVSLoadSelectHere = nullptr;
        QAction *itemNotepad = nullptr;
        // The notepad page, for the main window's notebook.
        QWidget *pageNotepad = nullptr;
    };

    ConfigCommands(ProgramFiles files, Platform platform, Frame &frame, SwitchCommands &switches);

    const Items &items() const { return m_items; }

    // The open and save dialogs of configuration files, as they stand between
    // showings: commands change title, filter or file name and put them back.
    FileDialogRequest dlgLoad;
    FileDialogRequest dlgSave;

    void LoadFile();
    void mniFileLoadCfgClick();
    void SaveFile();
    void mniFileSaveCfgClick();
    // Writes the current switches to a configuration file; an empty name
    // writes nothing. Raises DvsError when the file cannot be written.
    void SaveCFG(const QString &fileName);
    // Sets the switches named in a configuration file. Raises DvsError for a
    // value that must be an integer and is not; earlier lines stay applied.
    void LoadCFG(const QString &fileName);
    // Fills the notepad page with the current switches and shows it.
    void itemNotepadClick();

    FileDialogRequest &loadDialog() override { return dlgLoad; }
    void WriteRunCFG(const QString &fileName) override;

    void itemDVSLoadNothingClick();
    void itemDVSLoaddravopaxcfgClick();
    void itemDVSLoadSelectHereClick();
    // The load-at-start items as the stored choice says, and the dialogs in
    // the folder last used.
    void ApplyStartupChoice();

    bool showInNotepad(const QString &fileName) override;
    void butnSaveNotepadClick();
    void butnLoadNotepadClick();
    void butnClearNotepadClick();
    void butnSelectAllClick();
    void butnCopyAllClick();

private:
    void createItems();
    void createNotepadPage();
    void connectHandlers();
    QStringList composeConfig(ConfigVariant variant) const;
    QString configFileInGame() const;
    void setStartupChoice(QAction *checked, const QString &selectCaption);

    ProgramFiles m_files;
    ProgramSettings m_settings;
    Platform m_platform;
    Frame &m_frame;
    SwitchCommands &m_switches;
    Items m_items;
    QPlainTextEdit *memoNotepad = nullptr;
    QPushButton *butnSaveNotepad = nullptr;
    QPushButton *butnLoadNotepad = nullptr;
    QPushButton *butnSelectAll = nullptr;
    QPushButton *butnCopyAll = nullptr;
    QPushButton *butnClearNotepad = nullptr;
    // The load-at-start item the choice stored last stands for.
    QAction *m_startupChoice = nullptr;
};
