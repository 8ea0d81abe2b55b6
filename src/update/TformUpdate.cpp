#include "TformUpdate.h"

#include "UpdateManifest.h"
#include "base/FormParts.h"
#include "base/Look.h"
#include "base/ProgramInfo.h"
#include "base/ProgramSettings.h"
#include "ini/IntegerText.h"
#include "ini/TIniFile.h"
#include "platform/AtomicFile.h"
#include "platform/DvsError.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

const QString kNotChecked = u"Not checked"_s;

QLabel *label(QWidget *parent, const QString &text, const QRect &at)
{
    auto *l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(at);
    return l;
}

template <typename T> T *control(QWidget *parent, const char *name, const QRect &at)
{
    auto *c = new T(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setGeometry(at);
    return c;
}

// Puts the downloaded program in the place of the old one, which is kept
// until the new one stands there: in one rename where the system allows it,
// otherwise (a running program's file can be renamed but not replaced on some
// systems) by setting the old one aside and taking it back when the new one
// cannot follow.
bool replaceExecutable(const QString &executable, const QString &replacement)
{
    // A downloaded file is not executable yet; it takes the old one's rights.
    if (QFile::exists(executable))
        QFile::setPermissions(replacement, QFile::permissions(executable));
    std::error_code error;
    std::filesystem::rename(QFileInfo(replacement).filesystemFilePath(),
                            QFileInfo(executable).filesystemFilePath(), error);
    if (!error)
        return true;
    const QString aside = executable + u"OLD"_s;
    QFile::remove(aside);
    if (QFile::exists(executable) && !QFile::rename(executable, aside))
        return false;
    if (!QFile::rename(replacement, executable)) {
        QFile::rename(aside, executable);
        return false;
    }
    // While the old program runs from it, it stays until the next swap.
    QFile::remove(aside);
    return true;
}

} // namespace

TformUpdate::TformUpdate(ProgramFiles files, Platform platform, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), Http(platform.http),
      m_files(std::move(files)), m_platform(platform)
{
    setObjectName(u"formUpdate"_s);
    setWindowTitle(u"Update"_s);
    setFont(windowFont());
    setFixedSize(302, 215);
    createControls();
    connectHandlers();
}

void TformUpdate::createControls()
{
    butnCheck = control<QPushButton>(this, "butnCheck", QRect(8, 8, 75, 25));
    butnCheck->setText(u"Check"_s);
    butnDownload = control<QPushButton>(this, "butnDownload", QRect(8, 40, 75, 25));
    butnDownload->setText(u"Download"_s);
    butnDownload->setEnabled(false);
    label(this, u"DVS will restart\nafter updating"_s, QRect(92, 12, 100, 30));
    label(this, u"Change Timeout"_s, QRect(200, 8, 94, 14));
    editTimeout = control<QLineEdit>(this, "editTimeout", QRect(200, 24, 94, 21));
    editTimeout->setText(u"100000"_s);
    editTimeout->installEventFilter(this);

    QLabel *heading = label(this, ProgramInfo::Title, QRect(8, 74, 286, 16));
    QFont bold = font();
    bold.setBold(true);
    heading->setFont(bold);
    const std::pair<const char *, const char *> rows[] = {{"cboxDVS", "Executable"},
                                                          {"cboxDVSDV", "Dravopax Data"},
                                                          {"cboxDVSData", "Links & E-Mails"},
                                                          {"cboxDVSHelp", "Help Files"}};
    QCheckBox **boxes[] = {&cboxDVS, &cboxDVSDV, &cboxDVSData, &cboxDVSHelp};
    int top = 94;
    for (std::size_t i = 0; i < std::size(rows); ++i, top += 20) {
        label(this, QString::fromLatin1(rows[i].second), QRect(16, top + 1, 84, 16));
        QCheckBox *box = control<QCheckBox>(this, rows[i].first, QRect(100, top, 198, 18));
        box->setText(kNotChecked);
        box->setEnabled(false);
        *boxes[i] = box;
    }

    barProgress = control<QProgressBar>(this, "barProgress", QRect(8, 186, 200, 17));
    barProgress->setTextVisible(false);
    barProgress->setRange(0, 0);
    barProgress->hide();
    butnQuit = control<QPushButton>(this, "butnQuit", QRect(219, 182, 75, 25));
    butnQuit->setText(u"Quit"_s);

    timeUpdate = new QTimer(this);
    timeUpdate->setObjectName(u"timeUpdate"_s);
    timeUpdate->setInterval(1000);
}

void TformUpdate::connectHandlers()
{
    connectReported(this, m_platform.messages, butnCheck, &QPushButton::clicked,
                    &TformUpdate::butnCheckClick);
    connectReported(this, m_platform.messages, butnDownload, &QPushButton::clicked,
                    &TformUpdate::butnDownloadClick);
    connect(butnQuit, &QPushButton::clicked, this, &TformUpdate::butnQuitClick);
    connectReported(this, m_platform.messages, timeUpdate, &QTimer::timeout, &TformUpdate::timeUpdateTimer);
    for (QCheckBox *box : {cboxDVS, cboxDVSDV, cboxDVSData, cboxDVSHelp})
        connect(box, &QCheckBox::toggled, this, &TformUpdate::cboxDVSClick);
    connect(&Http, &HttpClient::OnConnectionFailed, this, &TformUpdate::HttpConnectionFailed);
    connect(&Http, &HttpClient::OnFailure, this, &TformUpdate::HttpFailure);
}

std::vector<std::pair<QCheckBox *, UpdateGroup>> TformUpdate::groupBoxes() const
{
    return {{cboxDVS, UpdateGroup::Executable},
            {cboxDVSDV, UpdateGroup::Patch},
            {cboxDVSData, UpdateGroup::Links},
            {cboxDVSHelp, UpdateGroup::Help}};
}

QString TformUpdate::executablePath() const
{
    if (!m_files.besideProgram())
        return QCoreApplication::applicationFilePath();
    return m_files.file(u'\\' + QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

QString TformUpdate::replaceableExecutable() const
{
    // An installed program belongs to the system's packages, which replace it.
    return m_files.besideProgram() ? executablePath() : QString();
}

void TformUpdate::Initialize()
{
    const int ping = ProgramSettings(m_files.settingsIni()).ping();
    Http.setTimeOut(ping > 10000 && ping < 60000 ? ping : 10000);
    Http.setBody(m_files.updateIni());
    butnCheck->setEnabled(true);
    editTimeout->setEnabled(true);
    butnDownload->setEnabled(false);
}

void TformUpdate::butnCheckClick()
{
    const std::optional<int> timeOut = parseInteger(editTimeout->text());
    if (!timeOut)
        throw DvsError(u"'%1' is not a valid integer value"_s.arg(editTimeout->text()));
    Http.setTimeOut(*timeOut);
    editTimeout->setEnabled(false);
    butnCheck->setText(u"Checking"_s);
    butnCheck->setEnabled(false);
    const QString url = TIniFile(m_files.dataIni()).ReadString(u"data"_s, u"updatefile"_s, u"0"_s);
    if (!UpdateManifest::isUpdateAddress(url)) {
        m_platform.messages.show(MsgType::Error, u"Data file damaged.\nDravopax Vevavav cannot update."_s,
                                 MsgButtons::Ok);
        return;
    }
    // Only the manifest fetched now may offer anything: one left by an earlier
    // run would be taken for it when this fetch fails.
    QFile::remove(m_files.updateIni());
    UpdateManifest::removeStagedDownloads(m_files, replaceableExecutable());
    timeUpdate->start();
    Http.setBody(m_files.updateIni());
    try {
        fetch(url);
    } catch (const DvsError &) {
        timeUpdate->stop();
        throw;
    }
}

void TformUpdate::timeUpdateTimer()
{
    // The manifest appears only whole; while it is being fetched, an older one
    // may still lie there and wait.
    if (m_transferring || !QFile::exists(m_files.updateIni()))
        return;
    const UpdateManifest manifest(m_files, replaceableExecutable());
    if (!manifest.isManifest()) {
        QFile::remove(m_files.updateIni());
        showFailure(u"[2]"_s);
        return;
    }
    for (const auto &[box, group] : groupBoxes()) {
        if (group == UpdateGroup::Executable)
            continue;
        const bool newer = manifest.isNewer(group);
        box->setEnabled(newer);
        // The caption comes from the network: an ampersand in it is shown, not a shortcut.
        box->setText(newer ? manifest.caption(group).replace(u'&', u"&&"_s) : u"No new updates"_s);
    }
    timeUpdate->stop();
    editTimeout->setEnabled(true);
}

void TformUpdate::cboxDVSClick()
{
    const auto boxes = groupBoxes();
    butnDownload->setEnabled(
        std::any_of(boxes.begin(), boxes.end(), [](const auto &entry) { return entry.first->isChecked(); }));
}

void TformUpdate::butnDownloadClick()
{
    editTimeout->setEnabled(false);
    butnDownload->setEnabled(false);
    const UpdateManifest manifest(m_files, replaceableExecutable());
    std::vector<UpdateGroup> ticked;
    int steps = 0;
    for (const auto &[box, group] : groupBoxes()) {
        box->setEnabled(false);
        if (box->isChecked()) {
            ticked.push_back(group);
            steps += int(manifest.files(group).size());
        }
    }
    barProgress->setRange(0, steps);
    barProgress->setValue(0);
    barProgress->show();
    UpdateManifest::removeStagedDownloads(m_files, replaceableExecutable());
    bool stored = false;
    int step = 0;
    for (const UpdateGroup group : ticked) {
        const GroupEnd end = downloadGroup(manifest, group);
        stored = stored || end.stored;
        step += int(manifest.files(group).size());
        barProgress->setValue(step);
        if (!end.goOn)
            break;
    }
    // Only changed files need a new start; without them it would just lose
    // the switches the user has set.
    if (stored)
        restart();
}

TformUpdate::GroupEnd TformUpdate::downloadGroup(const UpdateManifest &manifest, UpdateGroup group)
{
    const std::vector<UpdateFile> files = manifest.files(group);
    if (!std::all_of(files.begin(), files.end(), [](const UpdateFile &file) { return file.fetchable(); })) {
        showGroupFailure(group, QString());
        return {};
    }
    const auto discard = [&files] {
        for (const UpdateFile &file : files)
            QFile::remove(file.staged());
    };
    std::vector<QByteArray> bodies;
    QString reason;
    for (const UpdateFile &file : files) {
        // The Help folder is made by the first update that brings help files.
        if (!QDir().mkpath(QFileInfo(file.target).absolutePath())) {
            reason = u"Unable to write to %1"_s.arg(file.target);
            break;
        }
        Http.setBody(file.staged());
        try {
            // A failure event has told the user, or Quit has closed the window.
            if (fetch(file.address) != HttpResult::Done) {
                discard();
                return {false, false};
            }
        } catch (const DvsError &error) {
            reason = error.message();
            break;
        }
        barProgress->setValue(barProgress->value() + 1);
        QFile staged(file.staged());
        QByteArray body = staged.open(QIODevice::ReadOnly) ? staged.readAll() : QByteArray();
        if (!manifest.accepts(group, file, body)) {
            reason = u"The server did not send a valid %1"_s.arg(QFileInfo(file.target).fileName());
            break;
        }
        bodies.push_back(std::move(body));
    }
    if (!reason.isEmpty()) {
        discard();
        showGroupFailure(group, reason);
        return {};
    }
    // The version carrier goes last: until it is in place the group counts
    // as not installed and is offered again, whatever stops the program.
    std::vector<std::size_t> order(files.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    const QString carrier = manifest.versionCarrier(group);
    std::stable_partition(order.begin(), order.end(),
                          [&](std::size_t i) { return files[i].target != carrier; });
    GroupEnd end;
    for (const std::size_t i : order) {
        if (!writeFileAtomically(files[i].target, bodies[i])) {
            discard();
            showGroupFailure(group, u"Unable to write to %1"_s.arg(files[i].target));
            return end;
        }
        end.stored = true;
        QFile::remove(files[i].staged());
    }
    return end;
}

void TformUpdate::showGroupFailure(UpdateGroup group, const QString &reason)
{
    m_platform.messages.show(MsgType::Error,
                             UpdateManifest::failureMessage(group) +
                                 (reason.isEmpty() ? QString() : u'\n' + reason),
                             MsgButtons::Ok);
}

HttpResult TformUpdate::fetch(const QString &url)
{
    m_transferring = true;
    try {
        const HttpResult result = Http.Get(url);
        m_transferring = false;
        return result;
    } catch (...) {
        m_transferring = false;
        throw;
    }
}

void TformUpdate::restart()
{
    m_platform.messages.show(MsgType::Information, u"Dravopax Vevavav now will reboot itself"_s,
                             MsgButtons::Ok);
    QFile::remove(m_files.updateIni());
    const QString executable = executablePath();
    const QString replaceable = replaceableExecutable();
    const QString replacement = replaceable + u"NEW"_s;
    // Told before the program is asked to end, while a box can still be shown;
    // the old program then starts again.
    if (!replaceable.isEmpty() && QFileInfo(replacement).isFile() &&
        !replaceExecutable(replaceable, replacement))
        m_platform.messages.show(MsgType::Error, u"Unable to write to %1"_s.arg(executable), MsgButtons::Ok);
    emit programEndRequested();
    (void)m_platform.shell.open(executable, QString(), m_files.folder());
}

void TformUpdate::showFailure(const QString &prefix)
{
    m_platform.messages.show(MsgType::Error,
                             prefix +
                                 u"Dravopax Vevavav could not connect.\nTry again later or e-mail me ("_s +
                                 ProgramInfo::MaintainerContact + u')',
                             MsgButtons::Ok);
    // Nothing is left to poll for: the manifest did not come.
    timeUpdate->stop();
    butnCheck->setEnabled(false);
    for (const auto &[box, group] : groupBoxes())
        box->setEnabled(false);
}

void TformUpdate::HttpConnectionFailed()
{
    showFailure(u"[1]"_s);
}

void TformUpdate::HttpFailure()
{
    showFailure(u"[2]"_s);
}

bool TformUpdate::editTimeoutKeyPress(const QKeyEvent *event) const
{
    // Only characters are filtered: the keys that move on or edit (Tab, Enter,
    // Escape, Backspace, Delete, the arrows, shortcuts) type none.
    const QString typed = event->text();
    return std::any_of(typed.begin(), typed.end(),
                       [](QChar c) { return c.isPrint() && !(c >= u'0' && c <= u'9') && c != u'.'; });
}

bool TformUpdate::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == editTimeout && event->type() == QEvent::KeyPress &&
        editTimeoutKeyPress(static_cast<QKeyEvent *>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TformUpdate::done(int result)
{
    Http.abort();
    timeUpdate->stop();
    barProgress->hide();
    for (const auto &[box, group] : groupBoxes()) {
        box->setEnabled(false);
        box->setChecked(false);
        box->setText(kNotChecked);
    }
    QFile::remove(m_files.updateIni());
    QDialog::done(result);
}
