#include "TformVersion.h"

#include "VersionList.h"
#include "base/FormParts.h"
#include "base/NotepadPage.h"
#include "platform/InputBox.h"
#include "platform/MessageBoxes.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TformVersion::TformVersion(ProgramFiles files, Platform platform, NotepadPage &notepad, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_files(std::move(files)),
      m_platform(platform), m_notepad(notepad)
{
    setObjectName(QStringLiteral("formVersion"));
    setWindowTitle(QStringLiteral("DV Versions Editor"));
    setWindowModality(Qt::ApplicationModal);
    createControls();
    resetButtons();
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

void TformVersion::createControls()
{
    auto *layout = new QVBoxLayout(this);
    auto *fields = new QFormLayout;
    fields->setRowWrapPolicy(QFormLayout::WrapAllRows);
    const auto field = [&](auto *control, const char *name, const QString &caption, const QString &hint) {
        control->setObjectName(QLatin1String(name));
        control->setToolTip(hint);
        fields->addRow(caption, control);
        return control;
    };
    cboxVersion = field(new QComboBox(this), "cboxVersion", QStringLiteral("Select Version"),
                        QStringLiteral("Select version to edit"));
    editNumber = field(new QLineEdit(this), "editNumber", QStringLiteral("Number"),
                       QStringLiteral("Used by Dravopax Vevavav (You can't change it)"));
    editNumber->setReadOnly(true);
    editNumber->setEnabled(false);
    editVersionShort = field(new QLineEdit(this), "editVersionShort", QStringLiteral("Short Version"),
                             QStringLiteral("It is used by switches to identify Dravopax Version"));
    editVersionLong =
        field(new QLineEdit(this), "editVersionLong", QStringLiteral("Long Version (Displayed Text)"),
              QStringLiteral("Text displayed for version"));
    layout->addLayout(fields);

    butnDelete = namedButton(this, "butnDelete", QStringLiteral("&Delete"));
    butnAdd = namedButton(this, "butnAdd", QStringLiteral("&Add"));
    butnSave = namedButton(this, "butnSave", QStringLiteral("&Save"));
    butnHelp = namedButton(this, "butnHelp", QStringLiteral("&Help"));
    butnNotepad = namedButton(this, "butnNotepad", QStringLiteral("&Notepad"));
    butnCancel = namedButton(this, "butnCancel", QStringLiteral("&Quit"));
    auto *edit = new QHBoxLayout;
    auto *leave = new QHBoxLayout;
    for (QPushButton *b : {butnDelete, butnAdd, butnSave})
        edit->addWidget(b);
    for (QPushButton *b : {butnHelp, butnNotepad, butnCancel})
        leave->addWidget(b);
    layout->addLayout(edit);
    layout->addLayout(leave);

    const auto on = [this](auto *sender, auto signal, void (TformVersion::*handler)()) {
        connectReported(this, m_platform.messages, sender, signal, handler);
    };
    on(cboxVersion, &QComboBox::activated, &TformVersion::cboxVersionChange);
    on(editVersionShort, &QLineEdit::textEdited, &TformVersion::editVersionLongKeyPress);
    on(editVersionLong, &QLineEdit::textEdited, &TformVersion::editVersionLongKeyPress);
    on(butnDelete, &QPushButton::clicked, &TformVersion::butnDeleteClick);
    on(butnAdd, &QPushButton::clicked, &TformVersion::butnAddClick);
    on(butnSave, &QPushButton::clicked, &TformVersion::butnSaveClick);
    on(butnHelp, &QPushButton::clicked, &TformVersion::butnHelpClick);
    on(butnNotepad, &QPushButton::clicked, &TformVersion::butnNotepadClick);
    on(butnCancel, &QPushButton::clicked, &TformVersion::butnCancelClick);
}

void TformVersion::resetButtons()
{
    cboxVersion->setEnabled(true);
    butnAdd->setEnabled(true);
    butnDelete->setEnabled(false);
    butnSave->setEnabled(false);
}

void TformVersion::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    runReported(m_platform.messages, [this] { FormActivate(); });
}

void TformVersion::FormActivate()
{
    cboxVersion->clear();
    cboxVersion->addItems(VersionList(m_files.versionIni()).displays());
    cboxVersion->setCurrentIndex(-1);
    for (QLineEdit *edit : {editNumber, editVersionShort, editVersionLong}) {
        edit->clear();
        edit->setEnabled(false);
    }
}

void TformVersion::cboxVersionChange()
{
    if (const std::optional<VersionList::Version> version =
            VersionList(m_files.versionIni()).find(cboxVersion->currentText())) {
        editVersionShort->setText(version->shortName);
        editVersionLong->setText(version->display);
        editNumber->setText(QString::number(version->number));
    }
    for (QWidget *on :
         std::initializer_list<QWidget *>{editVersionLong, editVersionShort, butnDelete, butnAdd})
        on->setEnabled(true);
    editNumber->setEnabled(false);
    butnSave->setEnabled(false);
}

void TformVersion::editVersionLongKeyPress()
{
    butnSave->setEnabled(true);
    m_changed = true;
}

void TformVersion::butnAddClick()
{
    const std::optional<QString> name = m_platform.input.ask(
        QStringLiteral("New Version"), QStringLiteral("Add new version (long name)"), QString());
    if (!name)
        return;
    m_adding = true;
    cboxVersion->addItem(*name);
    cboxVersion->setCurrentIndex(cboxVersion->count() - 1);
    cboxVersion->setEnabled(false);
    butnAdd->setEnabled(false);
    for (QWidget *on :
         std::initializer_list<QWidget *>{butnDelete, butnSave, editVersionShort, editVersionLong})
        on->setEnabled(true);
    editVersionShort->clear();
    editVersionLong->setText(*name);
    editNumber->setText(QString::number(VersionList(m_files.versionIni()).nextNumber()));
}

void TformVersion::butnSaveClick()
{
    VersionList list(m_files.versionIni());
    const int number = editNumber->text().toInt();
    const QString shortName = editVersionShort->text();
    const QString display = editVersionLong->text();
    const auto refuse = [this](const QString &text) {
        m_platform.messages.show(MsgType::Error, text, MsgButtons::Ok);
    };
    // A refused save leaves everything typed in place to be put right.
    const auto blank = [](const QString &text) { return text.isEmpty() || text == QLatin1String(" "); };
    if (m_adding && (blank(display) || blank(shortName)))
        return refuse(QStringLiteral("Version not saved.\nYou do not type either:\nLong or Short Version"));
    if (const std::optional<QString> problem = list.shortNameProblem(shortName, number))
        return refuse(*problem);
    if (m_adding)
        list.saveNew(number, display, shortName);
    else
        list.saveExisting(number, display, shortName);
    m_adding = false;
    m_changed = false;
    m_platform.messages.show(MsgType::Information, QStringLiteral("Version saved"), MsgButtons::Ok);

    for (QWidget *on : std::initializer_list<QWidget *>{cboxVersion, butnAdd, butnDelete, editVersionShort,
                                                        editVersionLong})
        on->setEnabled(true);
    butnSave->setEnabled(false);
    emit versionsSaved();
    FormActivate();
}

void TformVersion::butnDeleteClick()
{
    if (m_adding) {
        // Only the name added to the list goes; nothing was written.
        cboxVersion->removeItem(cboxVersion->count() - 1);
        for (QWidget *off : std::initializer_list<QWidget *>{editVersionShort, editNumber, editVersionLong})
            off->setEnabled(false);
        resetButtons();
        cboxVersion->setCurrentIndex(-1);
        for (QLineEdit *edit : {editNumber, editVersionShort, editVersionLong})
            edit->clear();
        m_adding = false;
        return;
    }
    if (cboxVersion->currentIndex() < 0 ||
        m_platform.messages.show(
            MsgType::Warning,
            QStringLiteral("THIS CANNOT BE BACK !!!\nYou are going to delete selected version.\n"
                           "You will have to change all switches that using this version.\n"
                           "Are you sure?"),
            MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    VersionList(m_files.versionIni()).remove(editNumber->text().toInt());
    cboxVersion->removeItem(cboxVersion->currentIndex());
    cboxVersion->setCurrentIndex(-1);
    for (QWidget *off : std::initializer_list<QWidget *>{editVersionShort, editNumber, editVersionLong,
                                                         butnDelete, butnSave})
        off->setEnabled(false);
    for (QLineEdit *edit : {editNumber, editVersionShort, editVersionLong})
        edit->clear();
    m_changed = true;
}

void TformVersion::butnHelpClick()
{
    m_platform.messages.show(
        MsgType::Information,
        QStringLiteral("1) Before you change anything, read instruction\n"
                       "    one not properly value may make program crash\n"
                       "2) You must save every version change\n"
                       "3) If you delete version you cannot back it, so be careful\n"
                       "5) If you want to turn something back just change version then back\n"
                       "6) You cannot change version number it is added automatically"),
        MsgButtons::Ok);
}

void TformVersion::butnNotepadClick()
{
    if (m_platform.messages.show(
            MsgType::Confirmation,
            QStringLiteral("Do you want to leave this editor and open VERSION.INI file in "
                           "notepad?"),
            MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    // An unreadable file has been reported; the editor stays open as it was.
    if (!m_notepad.showInNotepad(m_files.versionIni()))
        return;
    leave();
}

void TformVersion::butnCancelClick()
{
    if ((m_adding || m_changed) &&
        m_platform.messages.show(MsgType::Confirmation,
                                 QStringLiteral("You are going to end editing Dravopax Versions.\n"
                                                "You will lost every not-saved changes.\n"
                                                "Dravopax Vevavav must rebuild version info now.\nContinue?"),
                                 MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    // A delete that no save followed is in the file; the menu follows it now.
    if (m_changed)
        emit versionsSaved();
    leave();
}

void TformVersion::leave()
{
    // A version being added when the editor is left is given up, so the
    // editor opens next time ready to choose one.
    m_adding = false;
    m_changed = false;
    resetButtons();
    QDialog::reject();
}
