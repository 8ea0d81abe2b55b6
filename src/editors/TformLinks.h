#pragma once

#include "base/ProgramFiles.h"
#include "platform/Platform.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class NotepadPage;

// The Links Editor: the link sections of data.ini, their links, each link's
// type and address. Every save rebuilds the Links menu.
class TformLinks final : public QDialog
{
    Q_OBJECT

public:
    TformLinks(ProgramFiles files, Platform platform, NotepadPage &notepad, QWidget *parent);

    void Initialize();
    void cboxSectionChange();
    void cboxLinkChange();
    void editAddressChange();
    void butnSaveClick();
    void butnTestClick();
    void butnAddClick();
    void butnAddLinkClick();
    void butnDeleteClick();
    void butnNotepadClick();
    void butnCancelClick();

signals:
    // data.ini changed; the Links menu follows it.
    void linksSaved();

protected:
    // The window leaves by its own buttons only: Escape and the system close do nothing.
    void reject() override {}

private:
    void createControls();
    // Clears and disables what shows one link.
    void clearLink();
    // Asks for a name that `list` does not hold yet; nothing when cancelled or refused.
    std::optional<QString> askNewName(const QString &caption, const QString &prompt, const QComboBox *list,
                                      const QString &what);

    QComboBox *cboxSection = nullptr;
    QComboBox *cboxType = nullptr;
    QComboBox *cboxLink = nullptr;
    QLineEdit *editAddress = nullptr;
    QPushButton *butnSave = nullptr;
    QPushButton *butnTest = nullptr;
    QPushButton *butnNotepad = nullptr;
    QPushButton *butnCancel = nullptr;
    QPushButton *butnAdd = nullptr;
    QPushButton *butnAddLink = nullptr;
    QPushButton *butnDelete = nullptr;

    ProgramFiles m_files;
    Platform m_platform;
    NotepadPage &m_notepad;
};
