#include "ConfigCommands.h"

#include "ConfigWriter.h"
#include "base/FormParts.h"
#include "base/Frame.h"
#include "base/Messages.h"
#include "platform/Cp1252.h"
#include "platform/MessageBoxes.h"
#include "platform/TextFiles.h"
#include "platform/TextLines.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

const QString kAllFirst = QStringLiteral("All files (*.*)|*.*|Configuration files (*.cfg)|*.cfg");

} // namespace

void ConfigCommands::createNotepadPage()
{
    QWidget *page = new QWidget(m_frame.mainWindow());
    page->setObjectName(QStringLiteral("pageNotepad"));
    auto *layout = new QVBoxLayout(page);
    memoNotepad = new QPlainTextEdit(page);
    memoNotepad->setObjectName(QStringLiteral("memoNotepad"));
    memoNotepad->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_frame.keepShortcuts(memoNotepad);
    layout->addWidget(memoNotepad);
    auto *buttons = new QHBoxLayout;
    const auto button = [page, buttons](const char *name, const QString &caption) {
        QPushButton *b = namedButton(page, name, caption);
        buttons->addWidget(b);
        return b;
    };
    butnSaveNotepad = button("butnSaveNotepad", QStringLiteral("Save As ..."));
    butnLoadNotepad = button("butnLoadNotepad", QStringLiteral("Load From ..."));
    butnSelectAll = button("butnSelectAll", QStringLiteral("Select All"));
    butnCopyAll = button("butnCopyAll", QStringLiteral("Copy All"));
    buttons->addStretch(1);
    butnClearNotepad = button("butnClearNotepad", QStringLiteral("Clear"));
    layout->addLayout(buttons);
    m_items.pageNotepad = page;

    const std::pair<QPushButton *, void (ConfigCommands::*)()> handlers[] = {
        {butnSaveNotepad, &ConfigCommands::butnSaveNotepadClick},
        {butnLoadNotepad, &ConfigCommands::butnLoadNotepadClick},
        {butnSelectAll, &ConfigCommands::butnSelectAllClick},
        {butnCopyAll, &ConfigCommands::butnCopyAllClick},
        {butnClearNotepad, &ConfigCommands::butnClearNotepadClick},
    };
    for (const auto &[button, handler] : handlers)
        connectReported(this, m_platform.messages, button, &QPushButton::clicked, handler);
}

void ConfigCommands::itemNotepadClick()
{
    memoNotepad->clear();
    memoNotepad->setPlainText(composeConfig(ConfigVariant::Notepad).join(QLatin1Char('\n')));
    m_frame.showPage(m_items.pageNotepad);
}

bool ConfigCommands::showInNotepad(const QString &fileName)
{
    const std::optional<QStringList> lines = TextFiles::readLines(fileName);
    if (!lines) {
        m_platform.messages.show(MsgType::Error, fileNotFoundMessage(fileName), MsgButtons::Ok);
        return false;
    }
    memoNotepad->clear();
    memoNotepad->setPlainText(lines->join(QLatin1Char('\n')));
    m_frame.showPage(m_items.pageNotepad);
    return true;
}

void ConfigCommands::butnSaveNotepadClick()
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
    FileDialogRequest request = dlgSave;
    request.title = QStringLiteral("Save File");
    request.filter = kAllFirst;
    request.folder = m_settings.lastDir();
    request.fileName.clear();
    request.askOverwrite = !m_settings.overwriteWithoutAsking();
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
    m_settings.setLastDirOf(*chosen);
}

void ConfigCommands::butnLoadNotepadClick()
{
    FileDialogRequest request = dlgLoad;
    request.title = QStringLiteral("Load File");
    request.filter = kAllFirst;
    request.folder = m_settings.lastDir();
    const std::optional<QString> chosen = m_platform.fileDialogs.open(request);
    if (!chosen)
        return;
    dlgLoad.fileName = *chosen;
    showInNotepad(*chosen);
}

void ConfigCommands::butnClearNotepadClick()
{
    if (m_platform.messages.show(MsgType::Confirmation,
                                 QStringLiteral("This will erase whole text in notepad. Continue?"),
                                 MsgButtons::YesNo) == MsgAnswer::Yes)
        memoNotepad->clear();
}

void ConfigCommands::butnSelectAllClick()
{
    memoNotepad->setFocus();
    memoNotepad->selectAll();
}

void ConfigCommands::butnCopyAllClick()
{
    memoNotepad->setFocus();
    memoNotepad->selectAll();
    memoNotepad->copy();
    QTextCursor start = memoNotepad->textCursor();
    start.movePosition(QTextCursor::Start);
    memoNotepad->setTextCursor(start);
    memoNotepad->ensureCursorVisible();
}
