#pragma once

#include "base/ProgramFiles.h"
#include "platform/HttpClient.h"
#include "platform/Platform.h"

#include <QDialog>

#include <utility>
#include <vector>

class QCheckBox;
class QKeyEvent;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class UpdateManifest;
enum class UpdateGroup;

// The update window: fetches the update manifest, offers each group of data
// files newer than the installed one, downloads the ticked groups and starts
// the program anew.
class TformUpdate final : public QDialog
{
    Q_OBJECT

public:
    TformUpdate(ProgramFiles files, Platform platform, QWidget *parent = nullptr);

    // Readies the window before every showing.
    void Initialize();
    // The program's own version number; nothing here depends on it.
    void EXEVersion(int version) { m_exeVersion = version; }
    int exeVersion() const { return m_exeVersion; }

    void butnCheckClick();
    void timeUpdateTimer();
    void cboxDVSClick();
    void butnDownloadClick();
    void butnQuitClick() { close(); }
    // Whether a key typed into the time-out field is discarded.
    bool editTimeoutKeyPress(const QKeyEvent *event) const;
    void HttpConnectionFailed();
    void HttpFailure();

    // The program's file, which a restart starts again.
    QString executablePath() const;
    // The program's file where an update may replace it: beside the program's
    // files only, none when the program is installed.
    QString replaceableExecutable() const;

    HttpClient &Http;

signals:
    // The program is to end: a new instance has been started.
    void programEndRequested();

protected:
    // Every way out (Quit, Escape, the system's close) comes here: it ends a
    // running transfer and leaves the window as Quit does.
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void connectHandlers();
    // Each group's check box, in the order the groups are fetched.
    std::vector<std::pair<QCheckBox *, UpdateGroup>> groupBoxes() const;
    // How a group's download ended: whether any of its files was put in
    // place, and whether the download goes on with the next group.
    struct GroupEnd
    {
        bool stored = false;
        bool goOn = true;
    };
    // Fetches every file of the group beside its target and puts them in
    // place only when all have come whole and each is what it should be.
    GroupEnd downloadGroup(const UpdateManifest &manifest, UpdateGroup group);
    // Tells the user why the group was not put in place: one box per group.
    void showGroupFailure(UpdateGroup group, const QString &reason);
    HttpResult fetch(const QString &url);
    void restart();
    void showFailure(const QString &prefix);

    QPushButton *butnCheck = nullptr;
    QPushButton *butnDownload = nullptr;
    QLineEdit *editTimeout = nullptr;
    QCheckBox *cboxDVS = nullptr;
    QCheckBox *cboxDVSDV = nullptr;
    QCheckBox *cboxDVSData = nullptr;
    QCheckBox *cboxDVSHelp = nullptr;
    QProgressBar *barProgress = nullptr;
    QPushButton *butnQuit = nullptr;
    QTimer *timeUpdate = nullptr;

    ProgramFiles m_files;
    Platform m_platform;
    int m_exeVersion = 0;
    bool m_transferring = false;
};
