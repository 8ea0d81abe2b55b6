#pragma once

#include "base/ProgramFiles.h"
#include "platform/Platform.h"
#include "platform/Registry.h"

#include <QPixmap>
#include <QWidget>

#include <memory>

class ProgramWindows;
class QLabel;

// The splash window: shown while the program creates its windows one by one,
// it names each step in its progress line and grows a small train car by car.
class TformStart final : public QWidget
{
    Q_OBJECT

public:
    TformStart(ProgramFiles files, Platform platform, ProgramWindows &windows);

    // Called by the start in this order; each shows its progress text.
    void BeforeInitialize(const QString &commandTail);
    void AfterInitialize();
    void BeforeFormMain();
    void AfterFormMain();
    void BeforeFormAbout();
    void AfterFormAbout();
    void BeforeFormSwitches();
    void AfterFormSwitches();
    void BeforeFormVersion();
    void AfterFormVersion();
    void BeforeFormGrfManager();
    void AfterFormGrfManager();
    void BeforeFormMkdvtxt();
    void AfterFormMkdvtxt();
    void BeforeFormPrograms();
    void AfterFormPrograms();
    void BeforeFormLinks();
    void AfterFormLinks();
    void BeforeFormUpdate();
    void AfterFormUpdate();
    void Ending();

    const QString &startFile() const { return m_startFile; }
    int waitTime() const { return m_waitTime; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void createControls();
    // Shows the text, pauses for the wait time, and draws the splash at once.
    void progress(const QString &text);
    void readZVTSettings();
    void applyDVSSettings();
    void loadVersionsAndSwitches();
    void countStart();
    void loadStartFile();

    QLabel *lablDVS2 = nullptr;
    QLabel *lablDVS3 = nullptr;
    QLabel *lablInfo = nullptr;
    QLabel *lablDVSWWW = nullptr;
    QLabel *lablDVSMail = nullptr;
    QLabel *imgeIcon = nullptr;
    QLabel *lablVersionExe = nullptr;
    QLabel *lablVersionNumber = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lablLoading = nullptr;
    QLabel *imgICEFront = nullptr;
    QLabel *imgICEVan1 = nullptr;
    QLabel *imgICEVan2 = nullptr;
    QLabel *imgICEVan3 = nullptr;
    QLabel *imgICEVan4 = nullptr;
    QLabel *imgICEVan5 = nullptr;
    QLabel *imgICEVan6 = nullptr;
    QLabel *imgICEVan7 = nullptr;
    QLabel *imgICEBack = nullptr;

    ProgramFiles m_files;
    Platform m_platform;
    ProgramWindows &m_windows;
    QPixmap m_picture;
    QString m_startFile;
    int m_waitTime = 0;
    // The game's settings, read from the first step on: where Wine keeps them,
    // its start overlaps the start of this program.
    std::unique_ptr<PendingKey> m_zvtSettings;
};
