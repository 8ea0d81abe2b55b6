#include "TformSwitches.h"

#include "base/FormParts.h"
#include "base/NotepadPage.h"
#include "ini/TIniFile.h"
#include "platform/Clock.h"
#include "platform/InputBox.h"
#include "platform/MessageBoxes.h"
#include "switches/Availability.h"
#include "switches/ComponentNames.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kVersion = QStringLiteral("version");

// What a new switch of each kind holds, as "key=what to put there".
const char *const kTemplates[][12] = {
    {"caption=text (showing switch name)", "hint=text (hint in status bar)",
     "minvalue=value (minimal value of switch)", "maxvalue=value (maximal value of switch)",
     "offvalue=value (between maxvalue and minvalue, change min/max value by -1,+1 to get this)",
     "value=value (default value)", "left=value (position from left)", "top=value (position from top)",
     "width=value (width)", "obsolete=short_version (DELETE if it is not neccessary)"},
    {"caption=text (showing switch name)", "hint=text (hint in status bar)", "value=boolean (1=on, 0=off)",
     "left=value (position from left)", "top=value (position from top)", "width=value (width)",
     "obsolete=short_version (DELETE if it is not neccessary)"},
    {"caption=text (showing switch name)", "hint=text (hint in status bar)",
     "number=value (number of all numberX)", "number0=text (showing instead of switch value)",
     "number1=text (showing instead of switch value, add more if need)",
     "value0=text (switch value, default)", "value1=text (switch value, add more if need)",
     "top=value (position from top)", "left=value (position from left)", "width=value (width)",
     "expandwidth=value (width when expanding)", "obsolete=short_version (DELETE if it is not neccessary)"},
    {"caption=text (showing switch name)", "hint=text (hint in status bar)",
     "value=text (default text, can be empty)", "left=value (position from left)",
     "top=value (position from top)", "width=value (width)",
     "type=number (if it exist only number will be allowed, DELETE if not neccessary)",
     "obsolete=short_version (DELETE if it is not neccessary)"},
    {"caption=text (showing switch name)", "hint=text (hint in status bar)",
     "number=value (number of all numberX)",
     "number0=text (showing instead of switch value, add more if need)",
     "value=value (default value of switch)", "value0=value (switch value, add more if need)",
     "left=value (position from left)", "top=value (position from top)", "width=value (width)",
     "height=value (height)", "obsolete=short_version (DELETE if it is not neccessary)"},
};

// The item of `combo` whose text sorts at or after `text`, ignoring case.
int sortedPlace(const QComboBox *combo, const QString &text)
{
    int place = 0;
    while (place < combo->count() && QString::compare(combo->itemText(place), text, Qt::CaseInsensitive) <= 0)
        ++place;
    return place;
}

} // namespace

TformSwitches::TformSwitches(ProgramFiles files, Platform platform, NotepadPage &notepad, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_files(std::move(files)),
      m_platform(platform), m_notepad(notepad)
{
    setObjectName(QStringLiteral("formSwitches"));
    setWindowTitle(QStringLiteral("DV Switches Editor"));
    setWindowModality(Qt::ApplicationModal);
    createControls();
    resize(339, 480);
    setMinimumSize(260, 480);
}

void TformSwitches::createControls()
{
    auto *layout = new QVBoxLayout(this);
    const auto labelled = [&](const QString &caption, QWidget *control, const QString &hint) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(control);
        layout->addWidget(label);
        layout->addWidget(control);
        control->setToolTip(hint);
    };

    auto *top = new QHBoxLayout;
    cboxSwitchesList = new QComboBox(this);
    cboxSwitchesList->setObjectName(QStringLiteral("cboxSwitchesList"));
    cboxSwitchesList->setToolTip(QStringLiteral("Select switch to edit"));
    butnSwitchAdd = namedButton(this, "butnSwitchAdd", QStringLiteral("&Add"));
    butnSwitchDelete = namedButton(this, "butnSwitchDelete", QStringLiteral("&Delete"));
    top->addWidget(cboxSwitchesList, 1);
    top->addWidget(butnSwitchAdd);
    top->addWidget(butnSwitchDelete);
    layout->addLayout(top);

    cboxSwitchType = new QComboBox(this);
    cboxSwitchType->setObjectName(QStringLiteral("cboxSwitchType"));
    cboxSwitchType->addItems({QStringLiteral("Value Editor"), QStringLiteral("On/Off Editor"),
                              QStringLiteral("Drop Down List"), QStringLiteral("Custom Text"),
                              QStringLiteral("CheckList Editor")});
    labelled(QStringLiteral("Component Type"), cboxSwitchType, QStringLiteral("Select type of switch"));
    cboxSwitchVersion = new QComboBox(this);
    cboxSwitchVersion->setObjectName(QStringLiteral("cboxSwitchVersion"));
    labelled(QStringLiteral("Switch Version"), cboxSwitchVersion,
             QStringLiteral("Select version from switch is avabile"));

    listSwitchValues = new QTableWidget(0, 2, this);
    listSwitchValues->setObjectName(QStringLiteral("listSwitchValues"));
    listSwitchValues->setHorizontalHeaderLabels({QStringLiteral("Key"), QStringLiteral("Value")});
    listSwitchValues->verticalHeader()->hide();
    listSwitchValues->setColumnWidth(0, 60);
    listSwitchValues->setColumnWidth(1, 232);
    listSwitchValues->horizontalHeader()->setStretchLastSection(true);
    listSwitchValues->installEventFilter(this);
    labelled(QStringLiteral("Other"), listSwitchValues, QStringLiteral("Set parametres of current switch"));
    layout->setStretchFactor(listSwitchValues, 1);

    auto *bottom = new QHBoxLayout;
    butnSave = namedButton(this, "butnSave", QStringLiteral("&Save"));
    butnHelp = namedButton(this, "butnHelp", QStringLiteral("&Help"));
    butnNotepad = namedButton(this, "butnNotepad", QStringLiteral("&Notepad"));
    butnCancel = namedButton(this, "butnCancel", QStringLiteral("&Quit"));
    for (QPushButton *b : {butnSave, butnHelp, butnNotepad, butnCancel})
        bottom->addWidget(b);
    layout->addLayout(bottom);

    const auto on = [this](auto *sender, auto signal, void (TformSwitches::*handler)()) {
        connectReported(this, m_platform.messages, sender, signal, handler);
    };
    on(cboxSwitchesList, &QComboBox::activated, &TformSwitches::cboxSwitchesListChange);
    on(cboxSwitchType, &QComboBox::activated, &TformSwitches::cboxSwitchTypeChange);
    on(cboxSwitchVersion, &QComboBox::activated, &TformSwitches::cboxSwitchVersionChange);
    on(listSwitchValues, &QTableWidget::itemChanged, &TformSwitches::listSwitchValuesKeyPress);
    on(butnSwitchAdd, &QPushButton::clicked, &TformSwitches::butnSwitchAddClick);
    on(butnSwitchDelete, &QPushButton::clicked, &TformSwitches::butnSwitchDeleteClick);
    on(butnSave, &QPushButton::clicked, &TformSwitches::butnSaveClick);
    on(butnHelp, &QPushButton::clicked, &TformSwitches::butnHelpClick);
    on(butnNotepad, &QPushButton::clicked, &TformSwitches::butnNotepadClick);
    on(butnCancel, &QPushButton::clicked, &TformSwitches::butnCancelClick);
}

void TformSwitches::showFor(const QStringList &switches, ComponentNameSet reservedNames)
{
    m_reservedNames = std::move(reservedNames);
    cboxSwitchesList->clear();
    cboxSwitchVersion->clear();
    for (const QString &name : switches)
        cboxSwitchesList->insertItem(sortedPlace(cboxSwitchesList, name), name);
    const IniSnapshot versions = TIniFile(m_files.versionIni()).snapshot();
    for (int i = 1; i <= versionCount(versions); ++i)
        cboxSwitchVersion->addItem(
            versions.ReadString(kVersion, QStringLiteral("display%1").arg(i), QStringLiteral("Unknown")));
    clearLists();
    clearGrid();
    for (QWidget *off : std::initializer_list<QWidget *>{cboxSwitchVersion, cboxSwitchType, butnSwitchDelete,
                                                         butnSave, listSwitchValues})
        off->setEnabled(false);
    cboxSwitchesList->setEnabled(true);
    butnSwitchAdd->setEnabled(true);
    emit editingStarted();
    show();
    raise();
    activateWindow();
}

QString TformSwitches::selectedSwitch() const
{
    return cboxSwitchesList->currentIndex() < 0 ? QString() : cboxSwitchesList->currentText();
}

void TformSwitches::setRows(const SwitchDatabase::Rows &rows)
{
    const QSignalBlocker quiet(listSwitchValues);
    listSwitchValues->setRowCount(0);
    listSwitchValues->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        listSwitchValues->setItem(row, 0, new QTableWidgetItem(rows[row].first));
        listSwitchValues->setItem(row, 1, new QTableWidgetItem(rows[row].second));
    }
}

void TformSwitches::clearGrid()
{
    setRows({});
}

void TformSwitches::clearLists()
{
    for (QComboBox *list : {cboxSwitchesList, cboxSwitchType, cboxSwitchVersion})
        list->setCurrentIndex(-1);
}

SwitchDatabase::Rows TformSwitches::rows() const
{
    SwitchDatabase::Rows rows;
    for (int row = 0; row < listSwitchValues->rowCount(); ++row) {
        const auto text = [&](int column) {
            const QTableWidgetItem *item = listSwitchValues->item(row, column);
            return item ? item->text() : QString();
        };
        // A row added and left empty holds nothing to keep.
        if (!text(0).trimmed().isEmpty() || !text(1).isEmpty())
            rows.append({text(0).trimmed(), text(1)});
    }
    return rows;
}

void TformSwitches::cboxSwitchesListChange()
{
    for (QWidget *on :
         std::initializer_list<QWidget *>{butnSwitchDelete, cboxSwitchVersion, listSwitchValues})
        on->setEnabled(true);
    butnSave->setEnabled(false);
    cboxSwitchType->setEnabled(false);

    const QString name = selectedSwitch();
    const IniSnapshot patch = TIniFile(m_files.patchIni()).snapshot();
    SwitchDatabase::Rows rows = patch.ReadWholeSection(name);
    cboxSwitchType->setCurrentIndex(patch.ReadInteger(name, QStringLiteral("component"), 0) - 1);
    const QString version = patch.ReadString(name, kVersion, QStringLiteral("Unknown"));
    cboxSwitchVersion->setCurrentIndex(TIniFile(m_files.versionIni()).ReadInteger(kVersion, version, 0) - 1);
    // These two are edited through the lists only.
    for (const QString &key : {QStringLiteral("component"), kVersion}) {
        const auto it = std::find_if(rows.begin(), rows.end(), [&](const auto &row) {
            return row.first.compare(key, Qt::CaseInsensitive) == 0;
        });
        if (it != rows.end())
            rows.erase(it);
    }
    setRows(rows);
}

void TformSwitches::butnSwitchAddClick()
{
    const std::optional<QString> name =
        m_platform.input.ask(QStringLiteral("Add new switch"), QStringLiteral("New Name"), QString());
    if (!name)
        return;
    if (const std::optional<QString> problem =
            SwitchDatabase::newNameProblem(*name, TIniFile(m_files.patchIni()).snapshot(), m_reservedNames)) {
        m_platform.messages.show(MsgType::Error, *problem, MsgButtons::Ok);
        return;
    }
    m_adding = true;
    const int place = sortedPlace(cboxSwitchesList, *name);
    cboxSwitchesList->insertItem(place, *name);
    cboxSwitchesList->setCurrentIndex(place);
    cboxSwitchesList->setEnabled(false);
    butnSwitchAdd->setEnabled(false);
    for (QWidget *on : std::initializer_list<QWidget *>{cboxSwitchType, cboxSwitchVersion, listSwitchValues,
                                                        butnSave, butnSwitchDelete})
        on->setEnabled(true);
    clearGrid();
    cboxSwitchType->setCurrentIndex(-1);
    cboxSwitchVersion->setCurrentIndex(-1);
    m_platform.messages.show(MsgType::Information,
                             QStringLiteral("Now select type, version and all values of new switch\n"
                                            "To save switch push 'Save Switch' else\n"
                                            "if you give up click 'Delete'"),
                             MsgButtons::Ok);
}

void TformSwitches::cboxSwitchTypeChange()
{
    if (TIniFile(m_files.patchIni()).SectionExists(selectedSwitch()))
        return;
    SwitchDatabase::Rows rows;
    const int type = cboxSwitchType->currentIndex();
    for (const char *line : kTemplates[type]) {
        if (!line)
            break;
        const QString text = QString::fromLatin1(line);
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        rows.append({text.left(equals), text.mid(equals + 1)});
    }
    setRows(rows);
}

void TformSwitches::cboxSwitchVersionChange()
{
    butnSave->setEnabled(true);
}

void TformSwitches::listSwitchValuesKeyPress()
{
    butnSave->setEnabled(true);
}

bool TformSwitches::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == listSwitchValues && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const int row = listSwitchValues->currentRow();
        // Typing changes the switch; moving about the grid does not.
        if (!key->text().isEmpty())
            listSwitchValuesKeyPress();
        if (key->key() == Qt::Key_Down && row == listSwitchValues->rowCount() - 1) {
            listSwitchValues->insertRow(row + 1);
            listSwitchValues->setCurrentCell(row + 1, 0);
            listSwitchValuesKeyPress();
            return true;
        }
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::ControlModifier && row >= 0) {
            listSwitchValues->removeRow(row);
            listSwitchValuesKeyPress();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TformSwitches::butnSaveClick()
{
    const QString name = selectedSwitch();
    const SwitchDatabase::Rows values = rows();
    if (cboxSwitchType->currentIndex() < 0 || cboxSwitchVersion->currentIndex() < 0 || values.size() < 2) {
        m_platform.messages.show(MsgType::Error,
                                 QStringLiteral("Switch not saved.\nYou do not select either:\n"
                                                "Type, Version or do not fill Keys/Values"),
                                 MsgButtons::Ok);
        return;
    }
    if (const std::optional<QString> problem = SwitchDatabase::rowsProblem(values)) {
        m_platform.messages.show(MsgType::Error, *problem, MsgButtons::Ok);
        return;
    }
    std::optional<QString> version;
    const IniSnapshot versions = TIniFile(m_files.versionIni()).snapshot();
    for (int i = 1; i <= versionCount(versions); ++i) {
        if (versions.ReadString(kVersion, QStringLiteral("display%1").arg(i), QStringLiteral("Unknown")) ==
            cboxSwitchVersion->currentText())
            version =
                versions.ReadString(kVersion, QStringLiteral("number%1").arg(i), QStringLiteral("Unknown"));
    }
    TIniFile patch(m_files.patchIni());
    SwitchDatabase::saveSwitch(patch, name, version, cboxSwitchType->currentIndex() + 1, values,
                               m_platform.clock.today());
    m_changed = true;
    m_platform.messages.show(MsgType::Information, QStringLiteral("Switch \"%1\" saved").arg(name),
                             MsgButtons::Ok);
}

void TformSwitches::butnSwitchDeleteClick()
{
    if (m_adding) {
        m_adding = false;
        if (cboxSwitchesList->currentIndex() >= 0)
            cboxSwitchesList->removeItem(cboxSwitchesList->currentIndex());
        cboxSwitchesList->setEnabled(true);
        butnSwitchAdd->setEnabled(true);
        butnSave->setEnabled(false);
    } else {
        const QString name = selectedSwitch();
        if (name.isEmpty() || m_platform.messages.show(
                                  MsgType::Warning,
                                  QStringLiteral("THIS CANNOT BE BACK !!!\nYou are going to delete selected "
                                                 "switch.\nAre you sure?"),
                                  MsgButtons::YesNo) != MsgAnswer::Yes)
            return;
        TIniFile patch(m_files.patchIni());
        SwitchDatabase::deleteSwitch(patch, name, m_platform.clock.today());
        cboxSwitchesList->removeItem(cboxSwitchesList->currentIndex());
        m_changed = true;
    }
    for (QWidget *off : std::initializer_list<QWidget *>{cboxSwitchType, cboxSwitchVersion, listSwitchValues,
                                                         butnSwitchDelete})
        off->setEnabled(false);
    clearGrid();
    clearLists();
}

void TformSwitches::butnHelpClick()
{
    m_platform.messages.show(
        MsgType::Information,
        QStringLiteral("1) Before you change anything, read instruction,\n"
                       "    one not properly value may make program crash\n"
                       "2) You must save every switch separately\n"
                       "3) To add new field in Kay/Value Editor just click\n"
                       "    on the last field and press Down Arrow (Key)\n"
                       "4) If you delete switch you cannot back it, so be careful\n"
                       "5) If you want to turn something back just change switch then back\n"
                       "6) You cannot change component type in existed switches"),
        MsgButtons::Ok);
}

void TformSwitches::butnNotepadClick()
{
    if (m_platform.messages.show(MsgType::Confirmation,
                                 QStringLiteral("Do you want to leave this editor and open PATCH.INI file in "
                                                "notepad?"),
                                 MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    // An unreadable file has been reported; the editor stays open as it was.
    if (!m_notepad.showInNotepad(m_files.patchIni()))
        return;
    m_adding = false;
    m_changed = false;
    leave();
}

void TformSwitches::butnCancelClick()
{
    if ((m_adding || m_changed) &&
        m_platform.messages.show(MsgType::Confirmation,
                                 QStringLiteral("You are going to end editing Dravopax Data.\n"
                                                "You will lost every not-saved changes.\n"
                                                "After proceed Dravopax Vevavav will rebuild all switches.\n"
                                                "Continue?"),
                                 MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    leave();
}

void TformSwitches::leave()
{
    emit editingEnded();
    clearLists();
    clearGrid();
    QDialog::reject();
    FormClose();
}

void TformSwitches::FormClose()
{
    const bool rebuild = m_changed;
    m_adding = false;
    m_changed = false;
    if (!rebuild)
        return;
    cboxSwitchesList->clear();
    cboxSwitchVersion->clear();
    clearGrid();
    cboxSwitchType->setCurrentIndex(-1);
    for (QWidget *off : std::initializer_list<QWidget *>{cboxSwitchVersion, listSwitchValues, cboxSwitchType})
        off->setEnabled(false);
    emit switchesChanged();
}
