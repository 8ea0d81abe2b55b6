// The start's registry step on this system: the game key opened and its five
// values tested and read, from the registry file and from a Wine prefix.
#include "RegistryBench.h"

#include "BenchTiming.h"

#include "base/ProgramInfo.h"
#include "platform/EventWait.h"
#include "platform/FileRegistry.h"
#include "platform/WinePrefix.h"
#include "platform/WineRegistry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

const QString kGameKey = ProgramInfo::GameRegistryKey;

void writeFiveValues(Registry &registry)
{
    const std::unique_ptr<RegistryKey> key = registry.openKey(kGameKey, true);
    for (const QString &name : ProgramInfo::GameSettingNames)
        key->writeInteger(name, 1);
}

// What the start does with the registry, in milliseconds (median of three).
double startupReadMs(Registry &registry)
{
    return medianMs([&] {
        const std::unique_ptr<RegistryKey> key = registry.openKey(kGameKey, false);
        int sum = 0;
        for (const QString &name : ProgramInfo::GameSettingNames)
            sum += key->valueExists(name) ? 1 : 0;
        for (const QString &name : ProgramInfo::GameSettingNames)
            sum += key->readInteger(name);
        if (sum != 10) {
            std::fprintf(stderr, "the registry step read %d instead of 10\n", sum);
            std::exit(2);
        }
    });
}

EventWait &benchWait()
{
    static EventWait wait;
    return wait;
}

std::unique_ptr<Registry> prefixRegistry(const QString &game, const QString &fallback)
{
    return std::make_unique<GameRegistry>(
        std::make_unique<FileRegistry>(fallback), [game] { return game; },
        [](const QString &folder) { return WinePrefix::find(folder, QString(), QString()); }, benchWait(),
        60000);
}

// The registry work of Create Registry Entry on the Windows edition, as the
// command does it: the key opened for creating, the game folder written as
// HDPath, the key opened again, the ten defaults written and five read back.
void createRegistryEntry(Registry &registry, const QString &game)
{
    const auto command = registry.beginCommand();
    (void)registry.openKey(kGameKey, true);
    registry.openKey(kGameKey, true)->writeFolder(QStringLiteral("HDPath"), game);
    const std::unique_ptr<RegistryKey> key = registry.openKey(kGameKey, true);
    key->writeIntegers(ProgramInfo::GameRegistryDefaults);
    int sum = 0;
    for (const QString &name : ProgramInfo::GameSettingNames)
        sum += key->readInteger(name);
    if (sum != 2) {
        std::fprintf(stderr, "Create Registry Entry read back %d instead of 2\n", sum);
        std::exit(2);
    }
}

// The longest time the event loop went without a turn while `work` ran, in ms.
double longestStallMs(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    tick.start(0);
    last = clock.nsecsElapsed();
    work();
    longest = std::max(longest, clock.nsecsElapsed() - last);
    return double(longest) / 1e6;
}

// Puts a `wine` first on the PATH that counts its starts in `log` and hands on to `wine`.
QString countingWine(const QString &folder, const QString &wine, const QString &log)
{
    const QString counter = folder + QStringLiteral("/counting/wine");
    QDir().mkpath(QFileInfo(counter).absolutePath());
    writeFile(counter, QStringLiteral("#!/bin/sh\necho >> '%1'\nexec '%2' \"$@\"\n").arg(log, wine));
    QFile::setPermissions(counter, QFile::ReadOwner | QFile::ExeOwner);
    return QFileInfo(counter).absolutePath();
}

int lines(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? int(f.readAll().count('\n')) : 0;
}

// Create Registry Entry's Wine processes and the event loop's longest stall
// during one wine call, through `wine` (a stand-in or the real one).
void printCommandFigures(const QString &wine, const QString &prefix, const QString &game, const char *suffix)
{
    QTemporaryDir dir;
    const QString log = dir.path() + QStringLiteral("/starts");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(countingWine(dir.path(), wine, log)) + ':' + path);
    const std::unique_ptr<Registry> registry =
        prefixRegistry(game, dir.path() + QStringLiteral("/unused.reg"));
    createRegistryEntry(*registry, game);
    std::printf("create_registry_entry_wine_processes%s: %d processes\n", suffix, lines(log));
    const double stall = longestStallMs([&] { (void)registry->openKey(kGameKey, false); });
    std::printf("wine_call_longest_event_stall_ms%s: %.1f ms\n", suffix, stall);
    if (std::strcmp(suffix, "") == 0) {
        QFile::remove(log);
        const double ms = medianMs([&] { createRegistryEntry(*registry, game); });
        std::printf("create_registry_entry_real_wine_warm: %.0f ms, %d Wine processes\n", ms, lines(log) / 3);
    }
    qputenv("PATH", path);
    (void)prefix;
}

void printRealWineFigures(const QString &wine)
{
    QTemporaryDir dir;
    const QString prefix = dir.path() + QStringLiteral("/prefix");
    runInPrefix(prefix, wine, {QStringLiteral("wineboot"), QStringLiteral("-i")});
    runInPrefix(prefix, QStringLiteral("wineserver"), {QStringLiteral("-w")});
    const QString game = prefix + QStringLiteral("/drive_c/Games/Zorvantia");
    QDir().mkpath(game);
    const std::unique_ptr<Registry> registry =
        prefixRegistry(game, dir.path() + QStringLiteral("/registry.reg"));
    writeFiveValues(*registry);
    const WineTool tool(wine, prefix, benchWait(), std::make_shared<WineBudget>(60000));
    const QStringList query = {QStringLiteral("reg"), QStringLiteral("query"),
                               QStringLiteral("HKLM\\") + kGameKey, QStringLiteral("/reg:32")};
    // Cold: Wine's server has ended, as when the program starts long after
    // anything ran in the prefix.
    const double coldMs =
        medianMs([&] { (void)tool.run(query); },
                 [&] { runInPrefix(prefix, QStringLiteral("wineserver"), {QStringLiteral("-k")}); });
    const double warmMs = medianMs([&] { (void)tool.run(query); });
    const double startupMs = startupReadMs(*registry);
    const std::unique_ptr<RegistryKey> key = registry->openKey(kGameKey, false);
    const double addMs = medianMs([&] { key->writeInteger(QStringLiteral("RetraceSync"), 0); });
    std::printf("wine_reg_query_real_cold: %.0f ms\n", coldMs);
    std::printf("wine_reg_query_real_warm: %.0f ms\n", warmMs);
    std::printf("wine_reg_add_real_warm: %.0f ms\n", addMs);
    std::printf("registry_startup_read_ms_real_wine_warm: %.0f ms\n", startupMs);
    printCommandFigures(wine, prefix, game, "");
    runInPrefix(prefix, QStringLiteral("wineserver"), {QStringLiteral("-k")});
}

} // namespace

void runInPrefix(const QString &prefix, const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEPREFIX"), prefix);
    environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    environment.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(300000);
}

void printRegistryFigures(BenchPlatform &, bool realWine)
{
    QTemporaryDir dir;
    FileRegistry file(dir.path() + QStringLiteral("/registry.reg"));
    writeFiveValues(file);
    std::printf("registry_startup_read_ms_file: %.3f ms\n", startupReadMs(file));

    // The stand-in first on the PATH, its prefix holding the game.
    const QByteArray path = qgetenv("PATH");
    const QString bin = dir.path() + QStringLiteral("/bin");
    const QString prefix = dir.path() + QStringLiteral("/prefix");
    const QString game = prefix + QStringLiteral("/drive_c/Games/Zorvantia");
    QDir().mkpath(bin);
    QDir().mkpath(game);
    QFile::copy(QStringLiteral(DVV_WINE_STANDIN), bin + QStringLiteral("/wine"));
    QFile::setPermissions(bin + QStringLiteral("/wine"), QFile::ReadOwner | QFile::ExeOwner);
    writeFile(prefix + QStringLiteral("/system.reg"), QStringLiteral("WINE REGISTRY Version 2\n"));
    qputenv("PATH", QFile::encodeName(bin) + ':' + path);
    const std::unique_ptr<Registry> standIn =
        prefixRegistry(game, dir.path() + QStringLiteral("/unused.reg"));
    writeFiveValues(*standIn);
    std::printf("registry_startup_read_ms_wine_standin: %.1f ms\n", startupReadMs(*standIn));
    printCommandFigures(bin + QStringLiteral("/wine"), prefix, game, "_standin");
    qputenv("PATH", path);

    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (!realWine)
        std::printf("wine_reg_real: not measured here (run \"dvv_bench registry\")\n");
    else if (wine.isEmpty())
        std::printf("wine_reg_real: not measured, wine is not installed\n");
    else
        printRealWineFigures(wine);
}
