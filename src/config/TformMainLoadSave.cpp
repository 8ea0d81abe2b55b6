#include "app/TformMain.h"
#include "base/SettingNames.h"

#include "game/GameFolder.h"
#include "ini/TIniFile.h"
#include "platform/Cp1252.h"
#include "platform/DvsError.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/TextFiles.h"
#include "platform/TextLines.h"

#include <QAction>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

namespace {

const QString kAllFirst = QStringLiteral("All files (*.*)|*.*|Configuration files (*.cfg)|*.cfg");
const QString kSelectFileHere = QStringLiteral("Select File Here");

} // namespace

QString TformMain::fileNotFoundMessage(const QString &path)
{
    return QStringLiteral("Sorry, file:\n") + path + QStringLiteral("\nnot found");
}

void TformMain::LoadFile()
{
    dlgLoad.folder = lastDir();
    dlgLoad.fileName.clear();
    const std::optional<QString> chosen = m_platform.fileDialogs.open(dlgLoad);
    if (!chosen)
        return;
    dlgLoad.fileName = *chosen;
    // Gone between the dialog and the read: said, rather than silently nothing.
    if (!QFileInfo(*chosen).isFile()) {
        m_platform.messages.show(MsgType::Error, fileNotFoundMessage(*chosen), MsgButtons::Ok);
        return;
    }
    LoadCFG(*chosen);
}

void TformMain::mniFileLoadCfgClick()
{
    const GameFolder folder(gameDirectory());
    const QString path =
        folder.find(QStringLiteral("dravopax.cfg")).value_or(folder.file(QStringLiteral("dravopax.cfg")));
    if (!QFileInfo(path).isFile()) {
        m_platform.messages.show(MsgType::Error, fileNotFoundMessage(path), MsgButtons::Ok);
        return;
    }
    LoadCFG(path);
}

void TformMain::SaveFile()
{
    const TIniFile settings(m_files.settingsIni());
    dlgSave.folder = lastDir();
    dlgSave.askOverwrite = !settings.ReadBool(kDvs, QStringLiteral("saveconf"), false);
    const std::optional<QString> chosen = m_platform.fileDialogs.save(dlgSave);
    if (!chosen)
        return;
    dlgSave.fileName = *chosen;
    SaveCFG(*chosen);
}

void TformMain::mniFileSaveCfgClick()
{
    const TIniFile settings(m_files.settingsIni());
    const bool noQuestion = settings.ReadBool(kDvs, QStringLiteral("saveconf"), false);
    QString target;
    if (gameDirectoryStored()) {
        const GameFolder folder(gameDirectory());
        const QString path =
            folder.find(QStringLiteral("dravopax.cfg")).value_or(folder.file(QStringLiteral("dravopax.cfg")));
        if (QFileInfo::exists(path)) {
            if (noQuestion || m_platform.messages.show(MsgType::Information,
                                                       QStringLiteral("File exists:\n") + path +
                                                           QStringLiteral("\nDo you want to overwrite it?"),
                                                       MsgButtons::YesNo) == MsgAnswer::Yes)
                target = path;
        } else if (m_platform.messages.show(MsgType::Information,
                                            QStringLiteral("File not found:\n") + path +
                                                QStringLiteral("\nDo you want to create it?"),
                                            MsgButtons::YesNo) == MsgAnswer::Yes) {
            target = path;
        }
    } else {
        m_platform.messages.show(MsgType::Warning,
                                 QStringLiteral("Zorvantia not found.\nPlease select ZVT directory.\n"
                                                "(Settings->Zorvantia->Change ZVT Directory)"),
                                 MsgButtons::Ok);
    }
    SaveCFG(target);
}

void TformMain::butnSaveNotepadClick()
{
    const QStringList lines = splitTextLines(memoNotepad->toPlainText());
    // The file holds 8-bit text: characters it cannot hold are refused before
    // a file is chosen, never written as "?".
    if (const QString unstorable = Cp1252::firstUnencodableLine(lines); !unstorable.isEmpty()) {
        m_platform.messages.show(MsgType::Error,
                                 QStringLiteral("File not saved\n") + Cp1252::whyNotStored(unstorable),
                                 MsgButtons::Ok);
        return;
    }
    const TIniFile settings(m_files.settingsIni());
    FileDialogRequest request = dlgSave;
    request.title = QStringLiteral("Save File");
    request.filter = kAllFirst;
    request.folder = lastDir();
    request.fileName.clear();
    request.askOverwrite = !settings.ReadBool(kDvs, QStringLiteral("saveconf"), false);
    const std::optional<QString> chosen = m_platform.fileDialogs.save(request);
    if (!chosen)
        return;
    dlgSave.fileName = *chosen;
    // "File saved" only for text that really reached the file; an older file
    // of that name proves nothing and is left as it was.
    if (!TextFiles::writeLines(*chosen, lines)) {
        m_platform.messages.show(MsgType::Error, QStringLiteral("File not saved"), MsgButtons::Ok);
        return;
    }
    m_platform.messages.show(MsgType::Information, QStringLiteral("File saved"), MsgButtons::Ok);
    // The file is saved whatever happens to the setting; a refused one is reported after.
    writeLastDir(*chosen);
}

void TformMain::butnLoadNotepadClick()
{
    FileDialogRequest request = dlgLoad;
    request.title = QStringLiteral("Load File");
    request.filter = kAllFirst;
    request.folder = lastDir();
    const std::optional<QString> chosen = m_platform.fileDialogs.open(request);
    if (!chosen)
        return;
    dlgLoad.fileName = *chosen;
    showInNotepad(*chosen);
}

void TformMain::butnClearNotepadClick()
{
    if (m_platform.messages.show(MsgType::Confirmation,
                                 QStringLiteral("This will erase whole text in notepad. Continue?"),
                                 MsgButtons::YesNo) == MsgAnswer::Yes)
        memoNotepad->clear();
}

void TformMain::butnSelectAllClick()
{
    memoNotepad->setFocus();
    memoNotepad->selectAll();
}

void TformMain::butnCopyAllClick()
{
    memoNotepad->setFocus();
    memoNotepad->selectAll();
    memoNotepad->copy();
    QTextCursor start = memoNotepad->textCursor();
    start.movePosition(QTextCursor::Start);
    memoNotepad->setTextCursor(start);
    memoNotepad->ensureCursorVisible();
}

void TformMain::setStartupChoice(QAction *checked, const QString &selectCaption)
{
    m_startupChoice = checked;
    for (QAction *item : {itemDVSLoadNothing, itemDVSLoaddravopaxcfg, itemDVSLoadSelectHere})
        item->setChecked(item == checked);
    itemDVSLoadSelectHere->setText(selectCaption);
}

void TformMain::itemDVSLoadNothingClick()
{
    setStartupChoice(itemDVSLoadNothing, kSelectFileHere);
    TIniFile(m_files.settingsIni()).DeleteKey(kDvs, QStringLiteral("startup"));
}

void TformMain::itemDVSLoaddravopaxcfgClick()
{
    setStartupChoice(itemDVSLoaddravopaxcfg, kSelectFileHere);
    const QString path = GameFolder(gameDirectory()).file(QStringLiteral("dravopax.cfg"));
    if (!QFileInfo::exists(path))
        m_platform.messages.show(
            MsgType::Error,
            QStringLiteral("File: dravopax.cfg was not found in your Zorvantia Directory.\n"
                           "Anyway this path is saved:\n") +
                path,
            MsgButtons::Ok);
    TIniFile(m_files.settingsIni()).WritePath(kDvs, QStringLiteral("startup"), path);
}

void TformMain::itemDVSLoadSelectHereClick()
{
    FileDialogRequest request = dlgLoad;
    request.filter = QStringLiteral("Configuration files (*.cfg)|*.cfg");
    const std::optional<QString> chosen = m_platform.fileDialogs.open(request);
    if (!chosen || !QFileInfo(*chosen).isFile()) {
        // The click has already moved the mark; it goes back to the earlier choice.
        setStartupChoice(m_startupChoice, itemDVSLoadSelectHere->text());
        m_platform.messages.show(
            MsgType::Error,
            QStringLiteral("This file not exists, or you can't select it.\nPlease try again.\n"
                           "Changes not saved."),
            MsgButtons::Ok);
        return;
    }
    dlgLoad.fileName = *chosen;
    setStartupChoice(itemDVSLoadSelectHere, kSelectFileHere + QStringLiteral(" (") +
                                                QFileInfo(*chosen).fileName() + QLatin1Char(')'));
    TIniFile(m_files.settingsIni()).WritePath(kDvs, QStringLiteral("startup"), *chosen);
}

void TformMain::ApplyStartupChoice()
{
    const TIniFile settings(m_files.settingsIni());
    if (!settings.ValueExists(kDvs, QStringLiteral("startup"))) {
        setStartupChoice(itemDVSLoadNothing, kSelectFileHere);
        return;
    }
    const QString stored = settings.ReadPath(kDvs, QStringLiteral("startup"), QString());
    if (stored == GameFolder(gameDirectory()).file(QStringLiteral("dravopax.cfg")))
        setStartupChoice(itemDVSLoaddravopaxcfg, kSelectFileHere);
    else
        setStartupChoice(itemDVSLoadSelectHere, kSelectFileHere + QStringLiteral(" (") +
                                                    QFileInfo(stored).fileName() + QLatin1Char(')'));
}
