#pragma once

#include "SwitchDatabase.h"
#include "base/ProgramFiles.h"
#include "platform/Platform.h"
#include "switches/ComponentNames.h"

#include <QDialog>

class QComboBox;
class QPushButton;
class QTableWidget;
class NotepadPage;

// The switch database editor: one switch of patch.ini at a time, its type and
// version in two lists and its other keys in a key/value grid. Opened from
// the main window's design mode; it leaves only by its own buttons.
class TformSwitches final : public QDialog
{
    Q_OBJECT

public:
    TformSwitches(ProgramFiles files, Platform platform, NotepadPage &notepad, QWidget *parent);

    // Readies the editor for the main window's current switches and shows it;
    // `reservedNames` are those a new switch cannot take.
    void showFor(const QStringList &switches, ComponentNameSet reservedNames);

    void cboxSwitchesListChange();
    void butnSwitchAddClick();
    void cboxSwitchTypeChange();
    void cboxSwitchVersionChange();
    void listSwitchValuesKeyPress();
    void butnSaveClick();
    void butnSwitchDeleteClick();
    void butnHelpClick();
    void butnNotepadClick();
    void butnCancelClick();
    void FormClose();

    bool adding() const { return m_adding; }
    bool changed() const { return m_changed; }
    // The grid's rows as they would be saved.
    SwitchDatabase::Rows rows() const;

signals:
    // While the editor is open the main window's switches must stay as they are.
    void editingStarted();
    void editingEnded();
    // Saved or deleted switches are in patch.ini; the panel is built anew from it.
    void switchesChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The window leaves by its own buttons only: Escape and the system close do nothing.
    void reject() override {}

private:
    void createControls();
    void setRows(const SwitchDatabase::Rows &rows);
    void clearGrid();
    void clearLists();
    // Leaves the editor: the panel is usable again and the window closes.
    void leave();
    QString selectedSwitch() const;

    QComboBox *cboxSwitchesList = nullptr;
    QPushButton *butnSwitchAdd = nullptr;
    QPushButton *butnSwitchDelete = nullptr;
    QComboBox *cboxSwitchType = nullptr;
    QComboBox *cboxSwitchVersion = nullptr;
    QTableWidget *listSwitchValues = nullptr;
    QPushButton *butnSave = nullptr;
    QPushButton *butnHelp = nullptr;
    QPushButton *butnNotepad = nullptr;
    QPushButton *butnCancel = nullptr;

    ProgramFiles m_files;
    Platform m_platform;
    NotepadPage &m_notepad;
    // The names a new switch cannot take: those of the main window's own parts.
    ComponentNameSet m_reservedNames;
    bool m_adding = false;
    bool m_changed = false;
};
