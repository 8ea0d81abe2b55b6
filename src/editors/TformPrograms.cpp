#include "TformPrograms.h"

#include "ShortcutList.h"
#include "base/FormParts.h"
#include "base/NotepadPage.h"
#include "base/ProgramSettings.h"
#include "platform/InputBox.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

TformPrograms::TformPrograms(ProgramFiles files, Platform platform, NotepadPage &notepad, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_files(std::move(files)),
      m_platform(platform), m_notepad(notepad)
{
    setObjectName(QStringLiteral("formPrograms"));
    setWindowTitle(QStringLiteral("Shortcuts Editor"));
    setWindowModality(Qt::ApplicationModal);
    dlgProgram.title = QStringLiteral("Select any file to create shortcut");
    dlgProgram.filter = QStringLiteral("All files (*.*)|*.*");
    dlgProgram.mustExist = true;
    createControls();
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

void TformPrograms::createControls()
{
    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select Program"), this), 0, 0, 1, 4);
    cboxPrograms = new QComboBox(this);
    cboxPrograms->setObjectName(QStringLiteral("cboxPrograms"));
    layout->addWidget(cboxPrograms, 1, 0, 1, 4);
    editPath = new QLineEdit(this);
    editPath->setObjectName(QStringLiteral("editPath"));
    butnSelectFile = new QToolButton(this);
    butnSelectFile->setObjectName(QStringLiteral("butnSelectFile"));
    butnSelectFile->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    butnSelectFile->setAutoRaise(true);
    layout->addWidget(editPath, 2, 0, 1, 3);
    layout->addWidget(butnSelectFile, 2, 3);

    butnAdd = namedButton(this, "butnAdd", QStringLiteral("&Add"));
    butnTest = namedButton(this, "butnTest", QStringLiteral("&Test"));
    butnNotepad = namedButton(this, "butnNotepad", QStringLiteral("&Notepad"));
    butnCancel = namedButton(this, "butnCancel", QStringLiteral("&Cancel"));
    butnSave = namedButton(this, "butnSave", QStringLiteral("&Save"));
    butnRename = namedButton(this, "butnRename", QStringLiteral("&Rename"));
    butnDelete = namedButton(this, "butnDelete", QStringLiteral("&Delete"));
    int column = 0;
    for (QPushButton *b : {butnAdd, butnSave, butnRename, butnDelete})
        layout->addWidget(b, 3, column++);
    column = 0;
    for (QPushButton *b : {butnTest, butnNotepad, butnCancel})
        layout->addWidget(b, 4, column++);

    const auto on = [this](auto *sender, auto signal, void (TformPrograms::*handler)()) {
        connectReported(this, m_platform.messages, sender, signal, handler);
    };
    on(cboxPrograms, &QComboBox::activated, &TformPrograms::cboxProgramsChange);
    on(editPath, &QLineEdit::textEdited, &TformPrograms::editPathKeyPress);
    on(butnSelectFile, &QToolButton::clicked, &TformPrograms::butnSelectFileClick);
    on(butnAdd, &QPushButton::clicked, &TformPrograms::butnAddClick);
    on(butnTest, &QPushButton::clicked, &TformPrograms::butnTestClick);
    on(butnNotepad, &QPushButton::clicked, &TformPrograms::butnNotepadClick);
    on(butnCancel, &QPushButton::clicked, &TformPrograms::butnCancelClick);
    on(butnSave, &QPushButton::clicked, &TformPrograms::butnSaveClick);
    on(butnRename, &QPushButton::clicked, &TformPrograms::butnRenameClick);
    on(butnDelete, &QPushButton::clicked, &TformPrograms::butnDeleteClick);
}

void TformPrograms::Initialize()
{
    m_adding = false;
    cboxPrograms->clear();
    editPath->clear();
    cboxPrograms->setEnabled(true);
    editPath->setEnabled(true);
    butnAdd->setEnabled(true);
    for (QWidget *off :
         std::initializer_list<QWidget *>{butnTest, butnSave, butnRename, butnDelete, butnSelectFile})
        off->setEnabled(false);
    cboxPrograms->addItems(ShortcutList(m_files.toolIni()).displays());
    cboxPrograms->setCurrentIndex(-1);
}

void TformPrograms::cboxProgramsChange()
{
    const ShortcutList shortcuts(m_files.toolIni());
    const std::optional<int> number = shortcuts.find(cboxPrograms->currentText());
    if (!number)
        return;
    for (QWidget *on : std::initializer_list<QWidget *>{butnRename, butnDelete, butnSelectFile})
        on->setEnabled(true);
    editPath->setText(shortcuts.path(*number));
    const bool exists = QFileInfo::exists(editPath->text());
    butnTest->setEnabled(exists);
    if (!exists)
        m_platform.messages.show(
            MsgType::Error, QStringLiteral("This shortcut is wrong because file not exist"), MsgButtons::Ok);
}

void TformPrograms::butnSelectFileClick()
{
    const QFileInfo current(editPath->text());
    if (current.exists()) {
        dlgProgram.folder = current.absolutePath();
        dlgProgram.fileName = editPath->text();
    } else {
        dlgProgram.folder = ProgramSettings(m_files.settingsIni()).lastDir();
        dlgProgram.fileName.clear();
    }
    const std::optional<QString> chosen = m_platform.fileDialogs.open(dlgProgram);
    if (!chosen || !QFileInfo::exists(*chosen))
        return;
    editPath->setText(*chosen);
    butnSave->setEnabled(true);
    butnTest->setEnabled(true);
    // The chosen file is taken whatever happens to the setting; a refused one is reported after.
    ProgramSettings(m_files.settingsIni()).setLastDirOf(*chosen);
}

void TformPrograms::editPathKeyPress()
{
    if (!cboxPrograms->currentText().isEmpty())
        butnSave->setEnabled(true);
}

void TformPrograms::butnTestClick()
{
    const QString path = editPath->text();
    if (!QFileInfo::exists(path)) {
        m_platform.messages.show(MsgType::Error, QStringLiteral("File not exist"), MsgButtons::Ok);
        return;
    }
    (void)startReported(m_platform.shell, m_platform.messages, path, QString(), QFileInfo(path).absolutePath());
}

void TformPrograms::butnAddClick()
{
    const std::optional<QString> name = m_platform.input.ask(
        QStringLiteral("New Shorcut"),
        QStringLiteral("Add new shortcut (enter name for it)\nPath will be selecting later"), QString());
    if (!name)
        return;
    m_adding = true;
    cboxPrograms->addItem(*name);
    cboxPrograms->setCurrentIndex(cboxPrograms->count() - 1);
    for (QWidget *off : std::initializer_list<QWidget *>{cboxPrograms, butnAdd, butnRename})
        off->setEnabled(false);
    for (QWidget *on :
         std::initializer_list<QWidget *>{butnDelete, butnSave, editPath, butnTest, butnSelectFile})
        on->setEnabled(true);
}

void TformPrograms::butnSaveClick()
{
    ShortcutList shortcuts(m_files.toolIni());
    if (m_adding) {
        shortcuts.add(cboxPrograms->currentText(), editPath->text());
    } else if (const std::optional<int> number = shortcuts.find(cboxPrograms->currentText())) {
        shortcuts.setPath(*number, editPath->text());
    }
    rebuild();
}

void TformPrograms::butnRenameClick()
{
    const QString old = cboxPrograms->currentText();
    const std::optional<QString> name =
        m_platform.input.ask(QStringLiteral("Rename"), QStringLiteral("Rename this shorcut"), old);
    if (!name)
        return;
    ShortcutList shortcuts(m_files.toolIni());
    if (const std::optional<int> number = shortcuts.find(old))
        shortcuts.rename(*number, *name);
    rebuild();
}

void TformPrograms::rebuild()
{
    emit shortcutsSaved();
    Initialize();
}

void TformPrograms::butnDeleteClick()
{
    if (m_adding) {
        m_adding = false;
        cboxPrograms->removeItem(cboxPrograms->count() - 1);
        clearChoice();
        cboxPrograms->setEnabled(true);
        butnAdd->setEnabled(true);
        return;
    }
    ShortcutList shortcuts(m_files.toolIni());
    const std::optional<int> number = shortcuts.find(cboxPrograms->currentText());
    if (cboxPrograms->currentIndex() < 0 || !number ||
        m_platform.messages.show(
            MsgType::Warning,
            QStringLiteral("THIS CANNOT BE BACK !!!\nYou are going to delete shortcut.\nAre you sure?"),
            MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    shortcuts.remove(*number);
    cboxPrograms->removeItem(cboxPrograms->currentIndex());
    clearChoice();
    emit shortcutsSaved();
}

void TformPrograms::clearChoice()
{
    // The list moves its choice to a neighbour of a removed name; a file
    // chosen then would be saved to that neighbour, or a rename rename it.
    cboxPrograms->setCurrentIndex(-1);
    editPath->clear();
    for (QWidget *off : std::initializer_list<QWidget *>{butnDelete, butnRename, butnSave, editPath, butnTest,
                                                         butnSelectFile})
        off->setEnabled(false);
}

void TformPrograms::butnNotepadClick()
{
    if (m_platform.messages.show(
            MsgType::Confirmation,
            QStringLiteral("Do you want to leave this editor and open TOOL.INI file in notepad?"),
            MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    // An unreadable file has been reported; the editor stays open as it was.
    if (!m_notepad.showInNotepad(m_files.toolIni()))
        return;
    leave();
}

void TformPrograms::butnCancelClick()
{
    if (m_adding &&
        m_platform.messages.show(MsgType::Warning,
                                 QStringLiteral("You not saved changes.\nDo you want to exit editor?"),
                                 MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    leave();
}

void TformPrograms::leave()
{
    m_adding = false;
    QDialog::reject();
}
