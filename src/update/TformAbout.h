#pragma once

#include "base/ProgramFiles.h"
#include "platform/Platform.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The about window: the program's name and links, the versions of the program
// and of its three data files, and how often the program was started. The
// values are read again every time the window becomes active.
class TformAbout final : public QDialog
{
    Q_OBJECT

public:
    TformAbout(ProgramFiles files, Platform platform, QWidget *parent = nullptr);

    void FormActivate();
    void OpenWWW();
    void SendMail();
    void butnCloseClick() { close(); }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();

    QLabel *lablDVS2 = nullptr;
    QLabel *lablDVS1 = nullptr;
    QLabel *lablDVS3 = nullptr;
    QLabel *imgeIcon = nullptr;
    QLabel *lablInfo = nullptr;
    QLabel *lablDVSWWW = nullptr;
    QLabel *lablDVSMail = nullptr;
    QLabel *lablVersionExe = nullptr;
    QLabel *lablVersionDVSData = nullptr;
    QLabel *lablVersionPatchData = nullptr;
    QLabel *lablVersionHelp = nullptr;
    QLabel *labCOUNT = nullptr;
    QPushButton *butnClose = nullptr;

    ProgramFiles m_files;
    Platform m_platform;
};
