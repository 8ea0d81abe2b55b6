// Prints the program's performance figures, one per line as "name: value unit".
#include "BenchPlatform.h"
#include "BenchTiming.h"
#include "EditorBench.h"
#include "GeneratedDatabase.h"
#include "HttpBench.h"
#include "RegistryBench.h"
#include "StartupBench.h"
#include "ToolsBench.h"
#include "app/ProgramWindows.h"
#include "app/TformMain.h"
#include "config/ConfigCommands.h"
#include "ini/IniDocument.h"
#include "ini/TIniFile.h"
#include "platform/FileRegistry.h"
#include "switches/SwitchCommands.h"
#include "switches/SwitchPanel.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Milliseconds for CreateSwitches on a database of `switches` switches.
double createSwitchesMs(BenchPlatform &platform, int switches)
{
    QTemporaryDir dir;
    const ProgramFiles files = writeGeneratedProgram(dir.path(), switches, 3);

    ProgramWindows windows(files, platform.platform());
    TformMain &window = windows.createMainWindow();
    window.show();
    const double ms = medianMs([&] { windows.switches().CreateSwitches(); },
                               [] {
                                   // As in use, the event loop has drawn the window and deleted
                                   // the old panel before the panel is built again.
                                   QCoreApplication::processEvents();
                                   QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                               });
    if (int(windows.switches().panel().controls().size()) != switches) {
        std::fprintf(stderr, "built %zu of %d switches\n", windows.switches().panel().controls().size(),
                     switches);
        std::exit(2);
    }
    return ms;
}

// Milliseconds to load a 2,000-line configuration file into a 1,000-switch
// panel and to save that panel, each the median of three runs.
std::pair<double, double> configFilesMs(BenchPlatform &platform)
{
    QTemporaryDir dir;
    const ProgramFiles files = writeGeneratedProgram(dir.path(), 1000, 5);
    // Data files are written long before they are read; a fresh one would be
    // checked byte by byte on every read for its first two seconds.
    const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
    for (const QString &path : {files.patchIni(), files.versionIni(), files.settingsIni()}) {
        QFile file(path);
        file.open(QIODevice::ReadWrite);
        file.setFileTime(past, QFileDevice::FileModificationTime);
    }

    ProgramWindows windows(files, platform.platform());
    windows.createMainWindow().show();
    windows.switches().CreateSwitches();
    QCoreApplication::processEvents();

    const QString saved = dir.path() + QStringLiteral("/saved.cfg");
    const double saveMs = medianMs([&] { windows.config().SaveCFG(saved); });

    // Every switch once, then as many lines again: comments, unknown names and
    // switches named a second time.
    QFile file(saved);
    file.open(QIODevice::ReadOnly);
    QByteArray text = file.readAll();
    file.close();
    for (int i = 0; i < 1000; ++i) {
        if (i % 3 == 0)
            text += QByteArrayLiteral("// a comment line of the user\r\n");
        else if (i % 3 == 1)
            text += "unknownswitch" + QByteArray::number(i) + " on\r\n";
        else
            text += "Switch" + QByteArray::number(i) + " 1\r\n";
    }
    const QString loaded = dir.path() + QStringLiteral("/load.cfg");
    QFile out(loaded);
    out.open(QIODevice::WriteOnly);
    out.write(text);
    out.close();
    return {medianMs([&] { windows.config().LoadCFG(loaded); }), saveMs};
}

double cachedReadRatio()
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/patch.ini");
    writeFile(path, generatedPatchIni(1000));
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    // An unchanged file as met in use: written long before it is read.
    file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
    const QByteArray bytes = file.readAll();

    std::vector<double> parses;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        const IniDocument parsed = IniDocument::fromBytes(bytes);
        parses.push_back(double(timer.nsecsElapsed()));
        if (parsed.sections().empty())
            std::exit(2);
    }

    const TIniFile ini(path);
    (void)ini.ReadString(QStringLiteral("switch1"), QStringLiteral("caption"), QString());
    const int reads = 20000;
    QElapsedTimer timer;
    timer.start();
    qsizetype sink = 0;
    for (int i = 0; i < reads; ++i)
        sink += ini.ReadString(QStringLiteral("switch%1").arg(i % 1000), QStringLiteral("hint"), QString())
                    .size();
    const double perRead = double(timer.nsecsElapsed()) / reads;
    if (sink == 0)
        std::exit(2);
    std::printf("ini_parse_1000_switches: %.2f ms\n", median(parses) / 1e6);
    std::printf("ini_cached_reads_per_second: %.0f reads/s\n", 1e9 / perRead);
    return median(parses) / perRead;
}

// Milliseconds for the start's registry step (the game key opened, its five
// values tested and read) on a registry file of `keys` keys, read afresh.
double registryStartMs(int keys)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/registry.reg");
    QString text = QStringLiteral("REGEDIT4\r\n");
    for (int i = 0; i < keys; ++i)
        text +=
            QStringLiteral("\r\n[HKEY_LOCAL_MACHINE\\Software\\Vendor%1\\App]\r\n\"Path\"=\"C:\\\\App%1\"\r\n"
                           "\"Count\"=dword:%2\r\n")
                .arg(i)
                .arg(i, 8, 16, QLatin1Char('0'));
    text += QStringLiteral("\r\n[HKEY_LOCAL_MACHINE\\Software\\Quillmark\\Zorvantia]\r\n");
    const QStringList names = {QStringLiteral("FullScreen"), QStringLiteral("SafeMode"),
                               QStringLiteral("UpdateMode"), QStringLiteral("MidiType"),
                               QStringLiteral("MousePointer")};
    for (const QString &name : names)
        text += QStringLiteral("\"%1\"=dword:00000001\r\n").arg(name);
    writeFile(path, text);
    return medianMs([&] {
        FileRegistry registry(path);
        const std::unique_ptr<RegistryKey> key =
            registry.openKey(QStringLiteral("Software\\Quillmark\\Zorvantia"), false);
        int sum = 0;
        for (const QString &name : names)
            sum += key->valueExists(name) ? 1 : 0;
        for (const QString &name : names)
            sum += key->readInteger(name);
        if (sum != 10)
            std::exit(2);
    });
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (runStartupChild(argc, argv))
        return 0;
    QApplication application(argc, argv);
    // "startup" alone prints the start-up figures only.
    if (argc > 1 && qstrcmp(argv[1], "startup") == 0) {
        printStartupFigures(argv[0]);
        printWineStartupFigures(argv[0]);
        return 0;
    }
    // "http" alone prints the HTTP client's figure only.
    if (argc > 1 && qstrcmp(argv[1], "http") == 0) {
        std::printf("http_get_loopback_16mb: %.0f MB/s\n", httpGetLoopbackMBps());
        return 0;
    }
    BenchPlatform platform;
    // "wine" alone prints the figures of real Wine: its calls, Create Registry Entry, the start.
    if (argc > 1 && qstrcmp(argv[1], "wine") == 0) {
        printRegistryFigures(platform, true);
        printWineStartupFigures(argv[0]);
        return 0;
    }
    // "editors" alone prints the switch editor's figures only.
    if (argc > 1 && qstrcmp(argv[1], "editors") == 0) {
        printEditorFigures(platform);
        return 0;
    }
    // "registry" alone prints the registry figures, real Wine included.
    if (argc > 1 && qstrcmp(argv[1], "registry") == 0) {
        printRegistryFigures(platform, true);
        return 0;
    }
    // "tools" alone prints the game tools' figures only.
    if (argc > 1 && qstrcmp(argv[1], "tools") == 0) {
        printToolsFigures(platform);
        return 0;
    }

    const double ms250 = createSwitchesMs(platform, 250);
    const double ms1000 = createSwitchesMs(platform, 1000);
    const double ms4000 = createSwitchesMs(platform, 4000);
    std::printf("create_switches_250: %.1f ms\n", ms250);
    std::printf("create_switches_1000: %.1f ms\n", ms1000);
    std::printf("create_switches_4000: %.1f ms\n", ms4000);
    std::printf("create_switches_growth_4000_over_1000: %.2f x\n", ms4000 / ms1000);
    std::printf("ini_cached_read_ratio: %.0f x\n", cachedReadRatio());
    const auto [loadMs, saveMs] = configFilesMs(platform);
    std::printf("load_cfg: %.1f ms\n", loadMs);
    std::printf("save_cfg: %.1f ms\n", saveMs);
    const double registry10k = registryStartMs(10000);
    const double registry100k = registryStartMs(100000);
    std::printf("registry_100k_keys_start: %.1f ms\n", registry100k);
    std::printf("registry_start_growth_100k_over_10k: %.1f x\n", registry100k / registry10k);
    printEditorFigures(platform);
    std::printf("http_get_loopback_16mb: %.0f MB/s\n", httpGetLoopbackMBps());
    printRegistryFigures(platform, false);
    printToolsFigures(platform);
    printStartupFigures(argv[0]);
    printWineStartupFigures(argv[0]);
    return 0;
}
