#include "TformMkdvtxt.h"

#include "LanguageTextFiles.h"
#include "base/FormParts.h"
#include "base/Look.h"
#include "base/ProgramSettings.h"
#include "platform/DvsError.h"
#include "platform/MessageBoxes.h"
#include "platform/Screen.h"
#include "platform/Shell.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The window's frame and title take this much of its height.
constexpr int kFrameHeight = 34;

} // namespace

TformMkdvtxt::TformMkdvtxt(ProgramFiles files, Platform platform, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_files(std::move(files)),
      m_platform(platform)
{
    setObjectName(QStringLiteral("formMkdvtxt"));
    setWindowTitle(QStringLiteral("Mkdvtxt Tool"));
    setFont(windowFont());
    setFixedSize(529, 600 - kFrameHeight);
    createControls();
    connectControls();
}

void TformMkdvtxt::createControls()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    memoZvtdvtxt = new QPlainTextEdit(this);
    memoZvtdvtxt->setObjectName(QStringLiteral("memoZvtdvtxt"));
    memoZvtdvtxt->setToolTip(QStringLiteral("Here you can edit zvtdvtxt.txt file"));
    memoZvtdvtxt->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoZvtdvtxt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoZvtdvtxt->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(memoZvtdvtxt, 1);

    auto *buttons = new QHBoxLayout;
    auto button = [&](const char *name, const QString &caption) {
        QPushButton *b = namedButton(this, name, caption);
        buttons->addWidget(b);
        return b;
    };
    butnRunMkdvtxt = button("butnRunMkdvtxt", QStringLiteral("&Run Mkdvtxt"));
    butnReCreate = button("butnReCreate", QStringLiteral("Re-&create"));
    butnNew = button("butnNew", QStringLiteral("Rename *.&new"));
    butnSave = button("butnSave", QStringLiteral("&Save"));
    buttons->addStretch(1);
    butnQuit = button("butnQuit", QStringLiteral("&Quit"));
    for (QPushButton *off : {butnReCreate, butnNew, butnSave})
        off->setEnabled(false);
    layout->addLayout(buttons);

    timeNew = new QTimer(this);
    timeNew->setObjectName(QStringLiteral("timeNew"));
    timeNew->setInterval(1000);
}

void TformMkdvtxt::connectControls()
{
    const std::pair<QPushButton *, void (TformMkdvtxt::*)()> clicks[] = {
        {butnRunMkdvtxt, &TformMkdvtxt::butnRunMkdvtxtClick},
        {butnReCreate, &TformMkdvtxt::butnReCreateClick},
        {butnNew, &TformMkdvtxt::butnNewClick},
        {butnSave, &TformMkdvtxt::butnSaveClick},
        {butnQuit, &TformMkdvtxt::butnCancelClick},
    };
    for (const auto &[button, handler] : clicks)
        connectReported(this, m_platform.messages, button, &QPushButton::clicked, handler);
    connectReported(this, m_platform.messages, timeNew, &QTimer::timeout, &TformMkdvtxt::timeNewTimer);
    // The program's own loads block the memo's signals; every other change is the user's.
    connect(memoZvtdvtxt, &QPlainTextEdit::textChanged, this, &TformMkdvtxt::memoZvtdvtxtKeyPress);
}

LanguageTextFiles TformMkdvtxt::textFiles() const
{
    return LanguageTextFiles(ProgramSettings(m_files.settingsIni()).gameDirectory());
}

bool TformMkdvtxt::loadMemo(const LanguageTextFiles &files)
{
    const std::optional<QStringList> lines = files.readText();
    if (!lines)
        return false;
    const QSignalBlocker blocker(memoZvtdvtxt);
    memoZvtdvtxt->setPlainText(lines->join(QLatin1Char('\n')));
    return true;
}

void TformMkdvtxt::clearMemo()
{
    const QSignalBlocker blocker(memoZvtdvtxt);
    memoZvtdvtxt->clear();
}

QStringList TformMkdvtxt::memoLines() const
{
    QStringList lines;
    if (memoZvtdvtxt->document()->isEmpty())
        return lines;
    // Block by block: the plain text of the whole would turn no-break spaces into blanks.
    for (QTextBlock block = memoZvtdvtxt->document()->begin(); block.isValid(); block = block.next())
        lines.append(block.text());
    return lines;
}

int TformMkdvtxt::memoLineCount() const
{
    return memoZvtdvtxt->document()->isEmpty() ? 0 : memoZvtdvtxt->document()->blockCount();
}

bool TformMkdvtxt::startTool(const LanguageTextFiles &files)
{
    const QString tool = files.tool();
    return startReported(m_platform.shell, m_platform.messages, tool, QString(), QFileInfo(tool).absolutePath())
        .started;
}

void TformMkdvtxt::Initialize()
{
    setFixedSize(width(), (m_platform.screen.size().height() < 600 ? 480 : 600) - kFrameHeight);
    memoZvtdvtxt->setEnabled(true);
    const LanguageTextFiles files = textFiles();
    if (files.hasText()) {
        if (!loadMemo(files)) {
            memoZvtdvtxt->setEnabled(false);
            m_platform.messages.show(MsgType::Error, QStringLiteral("Unable to read %1").arg(files.text()),
                                     MsgButtons::Ok);
        }
    } else if (m_platform.messages.show(MsgType::Error,
                                        QStringLiteral("File not exsits:\n%1\nDo you want to run mkdvtxt.exe "
                                                       "to create this file?")
                                            .arg(files.text()),
                                        MsgButtons::YesNo) == MsgAnswer::Yes) {
        startTool(files);
    } else {
        memoZvtdvtxt->setEnabled(false);
    }
    butnReCreate->setEnabled(files.hasText());
    timeNew->start();
}

void TformMkdvtxt::timeNewTimer()
{
    const LanguageTextFiles files = textFiles();
    butnNew->setEnabled(files.hasFresh());
    butnSave->setEnabled(m_changed);
    if (m_recreateTicks) {
        if (files.hasText()) {
            clearMemo();
            loadMemo(files);
        }
        ++*m_recreateTicks;
        if (memoLineCount() >= 2 || *m_recreateTicks >= kRecreateTicks)
            m_recreateTicks.reset();
    }
    if (m_recreateTicks) {
        memoZvtdvtxt->setEnabled(false);
    } else if (memoLineCount() >= 1) {
        memoZvtdvtxt->setEnabled(true);
    } else if (files.hasText()) {
        loadMemo(files);
    }
    butnReCreate->setEnabled(!m_recreateTicks && files.hasText());
}

void TformMkdvtxt::memoZvtdvtxtKeyPress()
{
    butnSave->setEnabled(true);
    m_changed = true;
}

void TformMkdvtxt::butnSaveClick()
{
    // A refused write ends here: the edits are still unsaved.
    textFiles().writeText(memoLines());
    m_changed = false;
    butnSave->setEnabled(false);
}

void TformMkdvtxt::butnRunMkdvtxtClick()
{
    const LanguageTextFiles files = textFiles();
    if (m_changed) {
        if (m_platform.messages.show(
                MsgType::Confirmation,
                QStringLiteral("File 'zvtdvtxt.txt' has been changed.\nDo you want to save "
                               "it before running 'mkdvtxt.exe'?"),
                MsgButtons::YesNo) == MsgAnswer::Yes) {
            // The tool would compile the old text if the write was refused, so nothing runs then.
            files.writeText(memoLines());
            m_platform.messages.show(MsgType::Information, QStringLiteral("File saved."), MsgButtons::Ok);
        }
        m_changed = false;
    }
    startTool(files);
    timeNew->start();
}

void TformMkdvtxt::butnNewClick()
{
    if (m_platform.messages.show(
            MsgType::Confirmation,
            QStringLiteral(
                "This option will rename 'zvtdvtxt.new' file to 'zvtdvtxt.txt' file.\nTo be sure "
                "that nothing will be replaced you should run 'mkdvtxt.exe' first.\nDo you want to "
                "replace 'zvtdvtxt.txt' file?"),
            MsgButtons::YesNo) != MsgAnswer::Yes) {
        m_platform.messages.show(MsgType::Information, QStringLiteral("File not replaced."), MsgButtons::Ok);
        return;
    }
    const LanguageTextFiles files = textFiles();
    try {
        files.replaceTextWithFresh();
    } catch (const DvsError &error) {
        throw DvsError(error.message() + QStringLiteral("\nFile not replaced; 'zvtdvtxt.new' was kept."));
    }
    m_platform.messages.show(MsgType::Information, QStringLiteral("File replaced."), MsgButtons::Ok);
    clearMemo();
    loadMemo(files);
}

void TformMkdvtxt::butnReCreateClick()
{
    const MsgAnswer backUp = m_platform.messages.show(
        MsgType::Confirmation,
        QStringLiteral("You are going to re-create 'zvtdvtxt.txt'. Do you want to backup existed file?"),
        MsgButtons::YesNoCancel);
    if (backUp != MsgAnswer::Yes && backUp != MsgAnswer::No)
        return;
    const LanguageTextFiles files = textFiles();
    // A backup that was refused ends the command before the text file is deleted.
    if (backUp == MsgAnswer::Yes) {
        if (files.hasBackup() &&
            m_platform.messages.show(
                MsgType::Confirmation,
                QStringLiteral("There exist copy of 'zvtdvtxt.txt' file.\nDo you want to replace it?"),
                MsgButtons::YesNo) != MsgAnswer::Yes) {
            m_platform.messages.show(MsgType::Information,
                                     QStringLiteral("File not backed up. Previous backup avabile:\n") +
                                         files.backup(),
                                     MsgButtons::Ok);
        } else {
            files.backUpText();
            m_platform.messages.show(MsgType::Information,
                                     QStringLiteral("File backed up:\n") + files.backup(), MsgButtons::Ok);
        }
    }
    const QString aside = files.setTextAside();
    if (!startTool(files)) {
        // Nothing ran: the text, and the edits in the memo, stay as they were.
        files.putTextBack(aside);
        return;
    }
    QFile::remove(aside);
    m_changed = false;
    butnSave->setEnabled(false);
    // The file watch waits for the new text; the window stays usable meanwhile.
    clearMemo();
    memoZvtdvtxt->setEnabled(false);
    butnReCreate->setEnabled(false);
    m_recreateTicks = 0;
    timeNew->start();
}

void TformMkdvtxt::butnCancelClick()
{
    if (m_changed && m_platform.messages.show(
                         MsgType::Confirmation,
                         QStringLiteral("You are going to close Mkdvtxt Tool but you have made some "
                                        "changes in 'zvtdvtxt.txt'.\nDo you want to save this file now?"),
                         MsgButtons::YesNo) == MsgAnswer::Yes) {
        // A refused write keeps the window open with the edits in it.
        textFiles().writeText(memoLines());
        m_platform.messages.show(MsgType::Information, QStringLiteral("File saved."), MsgButtons::Ok);
    }
    clearMemo();
    timeNew->stop();
    m_recreateTicks.reset();
    QDialog::reject();
}
