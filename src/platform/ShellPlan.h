#pragma once

#include <QString>
#include <QStringList>

// What an executable file is, by its header.
enum class ExecutableKind
{
    Unreadable, // cannot be opened or is too short to tell
    Windows32,  // an MZ file whose new header is "PE\0\0" for a 32-bit machine
    Windows64,  // the same for any other machine
    Dos,        // any other MZ file
    Other       // no MZ file at all
};
ExecutableKind executableKind(const QString &path);

// The programs that run other systems' programs here, as found.
struct Runners
{
    QString wine;              // full path of wine; empty when it is not installed
    bool wineRuns32Bit = true; // whether that Wine has its 32-bit part
    QString dosbox;            // full path of the DOSBox program; empty when it is not there
    QString dosboxSetting;     // the DOSBox program as set, to name it when it is not there
};

// How the shell's "open" is carried out on a system without that shell:
// addresses, documents and folders go to the desktop's default handler;
// native programs start directly with the parameters split as a command line
// would split them. A .exe, .com or .bat file goes by its header: a Windows
// program (MZ with a PE header) starts through wine; a DOS program (any other
// MZ file, every .com and .bat) starts in DOSBox. A file that is not there
// starts nothing; one that cannot be read or is neither, and one whose runner
// is missing or cannot run it, start nothing and say why in `problem`.
struct ShellPlan
{
    enum class Way
    {
        DefaultHandler,
        Direct,
        Wine,
        DosBox,
        Nothing
    };
    Way way = Way::DefaultHandler;
    QString program;       // Direct, Wine and DosBox: what is started
    QStringList arguments; // Direct, Wine and DosBox
    QString address;       // DefaultHandler and Nothing: a URL text, or a local path
    bool isUrl = false;    // DefaultHandler: `address` is a URL, not a local path
    QString problem;       // Nothing: why, for the user; empty for a file that is not there
    QString winePrefix;    // Wine: the prefix the program's folder belongs to; empty for Wine's own choice
};

// A relative file is taken from `workingFolder`.
ShellPlan planShellStart(const QString &file, const QString &parameters, const QString &workingFolder,
                         const Runners &runners);

// DOSBox's command line for a DOS program: the working folder (or, for a
// program outside it, the program's own folder) is drive C:, the program's
// folder the current one, the program runs with `parameters` as its command
// tail (a batch file through CALL, so that control comes back), and DOSBox
// exits when it ends.
QStringList dosBoxArguments(const QString &program, const QString &parameters, const QString &workingFolder);

// What a user is told to run as root for each runner.
namespace RunnerInstall {
QString wine();
QString wine32();
QString dosbox();
} // namespace RunnerInstall
