#include "StartupBench.h"

#include "BenchPlatform.h"
#include "GeneratedDatabase.h"
#include "RegistryBench.h"
#include "app/ProgramWindows.h"
#include "app/StartUp.h"
#include "app/TformMain.h"
#include "base/ProgramFiles.h"
#include "base/ProgramInfo.h"
#include "platform/FileRegistry.h"

#include "base/ProgramSettings.h"
#include "platform/EventWait.h"
#include "platform/Registry.h"
#include "platform/SystemRegistry.h"
#include <QApplication>
#include <QDateTime>

#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QIcon>
#include <QMainWindow>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include <sys/resource.h>

namespace {

const char *const kChildFlag = "--startup-child";

// The real pauses, so that they can be taken off the start.
class TimedClock final : public Clock
{
public:
    QDate today() const override { return QDate::currentDate(); }
    void sleep(int milliseconds) override
    {
        QElapsedTimer timer;
        timer.start();
        m_clock.sleep(milliseconds);
        m_sleptNs += timer.nsecsElapsed();
    }
    // The fixed pause is taken off whole: the work done within it costs the
    // start nothing, and work that runs past it is counted.
    void pause(int milliseconds, const std::function<void()> &meanwhile) override
    {
        m_clock.pause(milliseconds, meanwhile);
        m_sleptNs += qint64(milliseconds) * 1000000;
    }
    double sleptMs() const { return double(m_sleptNs) / 1e6; }

private:
    SystemClock m_clock;
    qint64 m_sleptNs = 0;
};

// Ends the event loop once the first paint of `window` has been delivered:
// the timer fires after the whole painting pass that began with it.
class FirstPaint final : public QObject
{
public:
    explicit FirstPaint(const QWidget *window) : m_window(window) { qApp->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->window() == m_window) {
            m_seen = true;
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    const QWidget *m_window;
    bool m_seen = false;
};

// The peak of this process's own memory: VmHWM, which starts afresh at exec,
// unlike ru_maxrss, which a child inherits from the process that started it.
long peakRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').constFirst().toLong();
        }
    }
    struct rusage usage
    {
    };
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Shows `window`, runs the event loop to its first paint and prints the figures.
int finishChild(QElapsedTimer &sinceStart, QWidget &window, double pausedMs)
{
    const FirstPaint firstPaint(&window);
    QTimer::singleShot(120000, qApp, [] { QCoreApplication::exit(3); });
    window.show();
    if (QApplication::exec() != 0)
        return 3;
    const double ms = double(sinceStart.nsecsElapsed()) / 1e6 - pausedMs;
    std::printf("%.1f %ld\n", ms, peakRssKb());
    return 0;
}

int bareChild(int argc, char *argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication application(argc, argv);
    QMainWindow window;
    window.resize(900, 700);
    return finishChild(sinceStart, window, 0);
}

// The entry point's work as main.cpp does it, on the program folder given.
int programChild(int argc, char *argv[], const QString &folder)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication application(argc, argv);
    QApplication::setApplicationName(ProgramInfo::Title);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icon32.png")));

    const ProgramFiles files(folder);
    BenchPlatform services;
    FileRegistry registry(folder + QStringLiteral("/registry.reg"));
    TimedClock clock;
    ProgramWindows windows(files, services.platform(registry, clock));
    if (!runStartUp(windows, QString()))
        return 2;
    // Only the fixed pause at the end of the start pauses: the wait time is 0.
    return finishChild(sinceStart, windows.formMain(), clock.sleptMs());
}

// The start's registry, timing how long the start waits for its reading of the game's settings.
class TimedRegistry final : public Registry
{
public:
    explicit TimedRegistry(Registry &registry) : m_registry(registry) {}
    std::unique_ptr<RegistryKey> openKey(const QString &path, bool create) override
    {
        return m_registry.openKey(path, create);
    }
    std::unique_ptr<PendingKey> openKeyLater(const QString &path) override
    {
        class Timed final : public PendingKey
        {
        public:
            Timed(std::unique_ptr<PendingKey> pending, double &waitedMs)
                : m_pending(std::move(pending)), m_waitedMs(waitedMs)
            {}
            std::unique_ptr<RegistryKey> take() override
            {
                QElapsedTimer waited;
                waited.start();
                std::unique_ptr<RegistryKey> key = m_pending->take();
                m_waitedMs = double(waited.nsecsElapsed()) / 1e6;
                return key;
            }

        private:
            std::unique_ptr<PendingKey> m_pending;
            double &m_waitedMs;
        };
        return std::make_unique<Timed>(m_registry.openKeyLater(path), m_waitedMs);
    }
    double waitedMs() const { return m_waitedMs; }

private:
    Registry &m_registry;
    double m_waitedMs = 0;
};

// The program's start as main.cpp makes it, with the system's own registry
// (a Wine prefix's where Wine is on the PATH), the fixed pause counted.
int wineChild(int argc, char *argv[], const QString &folder)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication application(argc, argv);
    QApplication::setApplicationName(ProgramInfo::Title);
    const ProgramFiles files(folder);
    BenchPlatform services;
    EventWait wait;
    const std::unique_ptr<Registry> system = makeSystemRegistry(
        folder, [&files] { return ProgramSettings(files.settingsIni()).gameDirectory(); }, wait);
    TimedRegistry registry(*system);
    SystemClock clock;
    ProgramWindows windows(files, services.platform(registry, clock));
    if (!runStartUp(windows, QString()))
        return 2;
    const FirstPaint firstPaint(&windows.formMain());
    QTimer::singleShot(120000, qApp, [] { QCoreApplication::exit(3); });
    windows.formMain().show();
    if (QApplication::exec() != 0)
        return 3;
    std::printf("%.1f %.1f\n", double(sinceStart.nsecsElapsed()) / 1e6, registry.waitedMs());
    return 0;
}

void writeBytesOrExit(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(2);
    }
    // Data files are written long before a start reads them.
    file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
}

// A program folder with the given switch database, a game folder and the
// settings of a user who has picked a version and no pauses.
void makeProgramFolder(const QString &folder, const QByteArray &patchIni)
{
    QDir(folder).mkpath(QStringLiteral("Data"));
    QDir(folder).mkpath(QStringLiteral("game"));
    const ProgramFiles files(folder);
    writeBytesOrExit(files.patchIni(), patchIni);
    writeBytesOrExit(files.versionIni(), generatedVersionIni().toLatin1());
    writeBytesOrExit(folder + QStringLiteral("/game/zorvan.exe"), QByteArray());
    writeBytesOrExit(files.settingsIni(), QStringLiteral("[dvs]\r\nversion=ver3\r\nwaittime=0\r\n"
                                                         "[zvt]\r\ndir=%1/game\r\nversion=dos\r\n")
                                              .arg(folder)
                                              .toUtf8());
}

struct Figures
{
    double ms = 0;
    long rssKb = 0;
};

Figures runChild(const QString &executable, const QString &what)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // As a user meets it: on the X server when there is one.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (environment.contains(QStringLiteral("DISPLAY")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    child.setProcessEnvironment(environment);
    child.start(executable, {QString::fromLatin1(kChildFlag), what});
    if (!child.waitForFinished(300000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0) {
        std::fprintf(stderr, "startup measurement of %s failed\n", qPrintable(what));
        std::exit(2);
    }
    Figures figures;
    if (std::sscanf(child.readAllStandardOutput().constData(), "%lf %ld", &figures.ms, &figures.rssKb) != 2)
        std::exit(2);
    return figures;
}

template <typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

bool runStartupChild(int argc, char *argv[])
{
    if (argc < 3 || std::strcmp(argv[1], kChildFlag) != 0)
        return false;
    const QString what = QString::fromLocal8Bit(argv[2]);
    // Only the program's name goes to the application object.
    int childArgc = 1;
    if (what.startsWith(QLatin1String("wine:")))
        std::exit(wineChild(childArgc, argv, what.mid(5)));
    std::exit(what == QLatin1String("bare") ? bareChild(childArgc, argv)
                                            : programChild(childArgc, argv, what));
}

void printStartupFigures(const char *benchExecutable)
{
    const QString executable = QString::fromLocal8Bit(benchExecutable);
    QTemporaryDir switches1000;
    makeProgramFolder(switches1000.path(), generatedPatchIni(1000).toLatin1());

    // Taken in turns, so that a busy moment of the machine weighs on both alike.
    std::vector<double> bareMs, programMs;
    std::vector<long> bareKb, programKb;
    for (int run = 0; run < 7; ++run) {
        const Figures bare = runChild(executable, QStringLiteral("bare"));
        const Figures program = runChild(executable, switches1000.path());
        bareMs.push_back(bare.ms);
        bareKb.push_back(bare.rssKb);
        programMs.push_back(program.ms);
        programKb.push_back(program.rssKb);
    }
    std::printf("startup_bare_ms: %.0f ms\n", median(bareMs));
    std::printf("startup_1000_ms: %.0f ms\n", median(programMs));
    std::printf("startup_ratio: %.2f x\n", median(programMs) / median(bareMs));
    std::printf("rss_bare_kb: %ld kB\n", median(bareKb));
    std::printf("rss_1000_kb: %ld kB\n", median(programKb));
    std::printf("rss_ratio: %.2f x\n", double(median(programKb)) / double(median(bareKb)));

    QTemporaryDir large;
    const QByteArray patch = generatedLargePatchIni(50 << 20);
    makeProgramFolder(large.path(), patch);
    const Figures big = runChild(executable, large.path());
    std::printf("startup_50mb_patch_ms: %.0f ms\n", big.ms);
    std::printf("rss_50mb_patch_kb: %ld kB\n", big.rssKb);
    std::printf("rss_50mb_patch_over_file: %.2f x\n", double(big.rssKb) * 1024.0 / double(patch.size()));
}

namespace {

// One start of the wine child: the start's time and how long it waited for the registry.
std::pair<double, double> runWineChild(const QString &executable, const QString &folder, const QString &path)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (environment.contains(QStringLiteral("DISPLAY")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("PATH"), path);
    child.setProcessEnvironment(environment);
    child.start(executable, {QString::fromLatin1(kChildFlag), QStringLiteral("wine:") + folder});
    double ms = 0, waited = 0;
    if (!child.waitForFinished(300000) || child.exitCode() != 0 ||
        std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf", &ms, &waited) != 2) {
        std::fprintf(stderr, "the start with Wine could not be measured\n");
        std::exit(2);
    }
    return {ms, waited};
}

} // namespace

void printWineStartupFigures(const char *benchExecutable)
{
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (wine.isEmpty()) {
        std::printf("startup_real_wine_extra_ms: not measured, wine is not installed\n");
        return;
    }
    const QString executable = QString::fromLocal8Bit(benchExecutable);
    QTemporaryDir dir;
    const QString prefix = dir.path() + QStringLiteral("/prefix");
    const QString program = dir.path() + QStringLiteral("/program");
    const QString game = prefix + QStringLiteral("/drive_c/Games/Zorvantia");
    runInPrefix(prefix, wine, {QStringLiteral("wineboot"), QStringLiteral("-i")});
    makeProgramFolder(program, generatedPatchIni(1000).toLatin1());
    QDir().mkpath(game);
    writeBytesOrExit(game + QStringLiteral("/ZizaVEZ.exe"), QByteArray("MZ"));
    writeBytesOrExit(
        ProgramFiles(program).settingsIni(),
        QStringLiteral("[dvs]\r\nversion=ver3\r\nwaittime=0\r\n[zvt]\r\ndir=%1\r\nversion=win\r\n")
            .arg(game)
            .toUtf8());
    // The game's five values, so that the start reads and applies them.
    runInPrefix(prefix, wine,
                {QStringLiteral("reg"), QStringLiteral("add"),
                 QStringLiteral("HKLM\\Software\\Quillmark\\Zorvantia"), QStringLiteral("/v"),
                 QStringLiteral("FullScreen"), QStringLiteral("/t"), QStringLiteral("REG_DWORD"),
                 QStringLiteral("/d"), QStringLiteral("1"), QStringLiteral("/f"), QStringLiteral("/reg:32")});
    const QString withWine = QString::fromLocal8Bit(qgetenv("PATH"));
    QTemporaryDir empty;
    std::vector<double> without, cold, coldWait, warmWait;
    for (int run = 0; run < 7; ++run) {
        without.push_back(runWineChild(executable, program, empty.path()).first);
        runInPrefix(prefix, QStringLiteral("wineserver"), {QStringLiteral("-k")});
        runInPrefix(prefix, QStringLiteral("wineserver"), {QStringLiteral("-w")});
        const auto [ms, waited] = runWineChild(executable, program, withWine);
        cold.push_back(ms);
        coldWait.push_back(waited);
        warmWait.push_back(runWineChild(executable, program, withWine).second);
    }
    runInPrefix(prefix, QStringLiteral("wineserver"), {QStringLiteral("-k")});
    std::printf("startup_without_wine_ms: %.0f ms\n", median(without));
    std::printf("startup_real_wine_cold_ms: %.0f ms\n", median(cold));
    std::printf("startup_real_wine_extra_ms: %.0f ms\n", median(cold) - median(without));
    std::printf("registry_startup_read_real_wine_warm: %.0f ms\n", median(warmWait));
    std::printf("registry_startup_read_real_wine_cold: %.0f ms\n", median(coldWait));
}
