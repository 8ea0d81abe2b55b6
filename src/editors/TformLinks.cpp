#include "TformLinks.h"

#include "LinkList.h"
#include "base/FormParts.h"
#include "base/NotepadPage.h"
#include "ini/TIniFile.h"
#include "platform/InputBox.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TformLinks::TformLinks(ProgramFiles files, Platform platform, NotepadPage &notepad, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_files(std::move(files)),
      m_platform(platform), m_notepad(notepad)
{
    setObjectName(QStringLiteral("formLinks"));
    setWindowTitle(QStringLiteral("Links Editor"));
    setWindowModality(Qt::ApplicationModal);
    createControls();
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

void TformLinks::createControls()
{
    auto *layout = new QVBoxLayout(this);
    auto *fields = new QFormLayout;
    fields->setRowWrapPolicy(QFormLayout::WrapAllRows);
    const auto list = [&](const char *name, const QString &label) {
        auto *combo = new QComboBox(this);
        combo->setObjectName(QLatin1String(name));
        fields->addRow(label, combo);
        return combo;
    };
    cboxSection = list("cboxSection", QStringLiteral("Select Section"));
    cboxType = list("cboxType", QStringLiteral("Select Type"));
    cboxType->addItems(LinkList::typeNames());
    cboxLink = list("cboxLink", QStringLiteral("Select Link"));
    editAddress = new QLineEdit(this);
    editAddress->setObjectName(QStringLiteral("editAddress"));
    fields->addRow(QStringLiteral("Address"), editAddress);
    layout->addLayout(fields);

    butnSave = namedButton(this, "butnSave", QStringLiteral("&Save"));
    butnTest = namedButton(this, "butnTest", QStringLiteral("&Test"));
    butnNotepad = namedButton(this, "butnNotepad", QStringLiteral("&Notepad"));
    butnCancel = namedButton(this, "butnCancel", QStringLiteral("&Quit"));
    butnAdd = namedButton(this, "butnAdd", QStringLiteral("&Add"));
    butnAddLink = namedButton(this, "butnAddLink", QStringLiteral("Add &Link"));
    butnDelete = namedButton(this, "butnDelete", QStringLiteral("&Delete"));
    auto *buttons = new QGridLayout;
    int column = 0;
    for (QPushButton *b : {butnAdd, butnAddLink, butnDelete})
        buttons->addWidget(b, 0, column++);
    column = 0;
    for (QPushButton *b : {butnSave, butnTest, butnNotepad, butnCancel})
        buttons->addWidget(b, 1, column++);
    layout->addLayout(buttons);

    const auto on = [this](auto *sender, auto signal, void (TformLinks::*handler)()) {
        connectReported(this, m_platform.messages, sender, signal, handler);
    };
    on(cboxSection, &QComboBox::activated, &TformLinks::cboxSectionChange);
    on(cboxLink, &QComboBox::activated, &TformLinks::cboxLinkChange);
    on(cboxType, &QComboBox::activated, &TformLinks::editAddressChange);
    on(editAddress, &QLineEdit::textEdited, &TformLinks::editAddressChange);
    on(butnSave, &QPushButton::clicked, &TformLinks::butnSaveClick);
    on(butnTest, &QPushButton::clicked, &TformLinks::butnTestClick);
    on(butnNotepad, &QPushButton::clicked, &TformLinks::butnNotepadClick);
    on(butnCancel, &QPushButton::clicked, &TformLinks::butnCancelClick);
    on(butnAdd, &QPushButton::clicked, &TformLinks::butnAddClick);
    on(butnAddLink, &QPushButton::clicked, &TformLinks::butnAddLinkClick);
    on(butnDelete, &QPushButton::clicked, &TformLinks::butnDeleteClick);
}

void TformLinks::Initialize()
{
    cboxSection->clear();
    cboxSection->addItems(LinkList::sectionNames(TIniFile(m_files.dataIni()).snapshot()));
    cboxSection->setCurrentIndex(-1);
    cboxLink->clear();
    cboxLink->setEnabled(false);
    butnDelete->setEnabled(false);
    butnAddLink->setEnabled(false);
    clearLink();
}

void TformLinks::clearLink()
{
    editAddress->clear();
    cboxType->setCurrentIndex(-1);
    for (QWidget *off : std::initializer_list<QWidget *>{cboxType, editAddress, butnTest, butnSave})
        off->setEnabled(false);
}

void TformLinks::cboxSectionChange()
{
    cboxLink->clear();
    for (const auto &[key, value] :
         TIniFile(m_files.dataIni()).snapshot().ReadWholeSection(cboxSection->currentText()))
        cboxLink->addItem(key);
    cboxLink->setCurrentIndex(-1);
    for (QWidget *on : std::initializer_list<QWidget *>{cboxLink, butnDelete, butnAddLink})
        on->setEnabled(true);
    clearLink();
}

void TformLinks::cboxLinkChange()
{
    const QString value =
        TIniFile(m_files.dataIni())
            .ReadString(cboxSection->currentText(), cboxLink->currentText(), QStringLiteral("ERROR"));
    cboxType->setCurrentIndex(LinkList::typeOf(value).value_or(-1));
    editAddress->setText(value.mid(5));
    for (QWidget *on : std::initializer_list<QWidget *>{cboxType, editAddress, butnTest})
        on->setEnabled(true);
    butnSave->setEnabled(false);
}

void TformLinks::editAddressChange()
{
    butnSave->setEnabled(true);
}

void TformLinks::butnSaveClick()
{
    if (cboxSection->currentIndex() < 0 || cboxType->currentIndex() < 0 || cboxLink->currentIndex() < 0) {
        m_platform.messages.show(
            MsgType::Error,
            QStringLiteral("Link not saved.\nYou do not select either:\nSection, Type or Link name"),
            MsgButtons::Ok);
        return;
    }
    TIniFile(m_files.dataIni())
        .WriteString(cboxSection->currentText(), cboxLink->currentText(),
                     LinkList::stored(cboxType->currentIndex(), editAddress->text()));
    butnSave->setEnabled(false);
    emit linksSaved();
    m_platform.messages.show(MsgType::Information, QStringLiteral("Link saved"), MsgButtons::Ok);
}

void TformLinks::butnTestClick()
{
    if (cboxType->currentIndex() >= 0)
        (void)m_platform.shell.open(LinkList::opened(cboxType->currentIndex(), editAddress->text()),
                                    QString(), QString());
}

std::optional<QString> TformLinks::askNewName(const QString &caption, const QString &prompt,
                                              const QComboBox *list, const QString &what)
{
    const std::optional<QString> name = m_platform.input.ask(caption, prompt, QString());
    if (!name)
        return std::nullopt;
    const QString trimmed = name->trimmed();
    QString problem;
    if (trimmed.isEmpty())
        problem = QStringLiteral("The %1 needs a name.").arg(what);
    else if (list->findText(trimmed, Qt::MatchFixedString) >= 0)
        problem = QStringLiteral("There is a %1 \"%2\" already.").arg(what, trimmed);
    if (problem.isEmpty())
        return trimmed;
    m_platform.messages.show(MsgType::Error, problem, MsgButtons::Ok);
    return std::nullopt;
}

void TformLinks::butnAddClick()
{
    const std::optional<QString> name =
        askNewName(QStringLiteral("New Section"), QStringLiteral("New Section to add there links/emails"),
                   cboxSection, QStringLiteral("section"));
    if (!name)
        return;
    // The section of the data versions is no place for links.
    if (LinkList::isVersionsSection(*name)) {
        m_platform.messages.show(
            MsgType::Error,
            QStringLiteral("\"%1\" holds the versions of the data files, not links.").arg(*name),
            MsgButtons::Ok);
        return;
    }
    cboxSection->addItem(*name);
    cboxSection->setCurrentIndex(cboxSection->count() - 1);
    cboxSectionChange();
}

void TformLinks::butnAddLinkClick()
{
    if (cboxSection->currentIndex() < 0)
        return;
    const std::optional<QString> name = askNewName(
        QStringLiteral("New Link"), QStringLiteral("Name of the new link"), cboxLink, QStringLiteral("link"));
    if (!name)
        return;
    cboxLink->addItem(*name);
    cboxLink->setCurrentIndex(cboxLink->count() - 1);
    editAddress->clear();
    cboxType->setCurrentIndex(-1);
    for (QWidget *on : std::initializer_list<QWidget *>{cboxType, editAddress, butnTest})
        on->setEnabled(true);
}

void TformLinks::butnDeleteClick()
{
    if (cboxSection->currentIndex() < 0 ||
        m_platform.messages.show(
            MsgType::Warning,
            QStringLiteral("THIS CANNOT BE BACK !!!\nYou are going to one section.\nAre you sure?"),
            MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    TIniFile(m_files.dataIni()).EraseSection(cboxSection->currentText());
    cboxSection->removeItem(cboxSection->currentIndex());
    cboxSection->setCurrentIndex(-1);
    cboxLink->clear();
    cboxLink->setEnabled(false);
    butnDelete->setEnabled(false);
    butnAddLink->setEnabled(false);
    clearLink();
    emit linksSaved();
}

void TformLinks::butnNotepadClick()
{
    if (m_platform.messages.show(
            MsgType::Confirmation,
            QStringLiteral("Do you want to leave this editor and open DATA.INI file in notepad?"),
            MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    // An unreadable file has been reported; the editor stays open as it was.
    if (!m_notepad.showInNotepad(m_files.dataIni()))
        return;
    QDialog::reject();
}

void TformLinks::butnCancelClick()
{
    QDialog::reject();
}
