#include "ShellPlan.h"

#include "WineInstall.h"
#include "WinePrefix.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QtEndian>

ExecutableKind executableKind(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ExecutableKind::Unreadable;
    const QByteArray head = file.read(64);
    if (head.size() < 2)
        return ExecutableKind::Unreadable;
    if (!head.startsWith("MZ"))
        return ExecutableKind::Other;
    // The offset of the new header lies at 0x3C; a DOS program has none, or
    // something else there.
    if (head.size() < 64)
        return ExecutableKind::Dos;
    const quint32 offset = qFromLittleEndian<quint32>(head.constData() + 0x3C);
    if (offset < 64 || !file.seek(offset))
        return ExecutableKind::Dos;
    const QByteArray pe = file.read(6);
    if (pe.size() < 6 || !pe.startsWith(QByteArray("PE\0\0", 4)))
        return ExecutableKind::Dos;
    return qFromLittleEndian<quint16>(pe.constData() + 4) == 0x14C ? ExecutableKind::Windows32
                                                                   : ExecutableKind::Windows64;
}

namespace RunnerInstall {

QString wine()
{
    return QStringLiteral(
        "  dpkg --add-architecture i386\n  apt-get update\n  apt-get install wine wine32:i386");
}

QString wine32()
{
    return QStringLiteral("  dpkg --add-architecture i386\n  apt-get update\n  apt-get install wine32:i386");
}

QString dosbox()
{
    return QStringLiteral("  apt-get install dosbox");
}

} // namespace RunnerInstall

namespace {

// Where DOSBox runs a program: the host folder mounted as C:, and the
// program's folder inside it ("." for C:'s root).
struct DosBoxPlace
{
    QString mounted;
    QString inside;
};

DosBoxPlace dosBoxPlace(const QString &program, const QString &workingFolder)
{
    const QString folder = QFileInfo(program).absolutePath();
    const QString root =
        workingFolder.isEmpty() ? folder : QDir::cleanPath(QFileInfo(workingFolder).absoluteFilePath());
    const QString inside = QDir(root).relativeFilePath(folder);
    if (inside.startsWith(QLatin1String("..")) || QDir::isAbsolutePath(inside))
        return {folder, QStringLiteral(".")};
    return {root, inside};
}

// A name DOS finds a file by: up to eight characters, then up to three after
// a point, none of them a blank or one DOS keeps for itself.
bool isDosName(const QString &name)
{
    static const QRegularExpression dos(QStringLiteral("^[A-Za-z0-9!#$%&'()@^_`{}~-]{1,8}"
                                                       "(\\.[A-Za-z0-9!#$%&'()@^_`{}~-]{1,3})?$"));
    return dos.match(name).hasMatch();
}

// Why DOSBox could not find the program where it is, or nothing.
QString dosBoxPlaceProblem(const QString &program, const QString &workingFolder)
{
    const DosBoxPlace place = dosBoxPlace(program, workingFolder);
    if (place.mounted.contains(QLatin1Char('"')))
        return QStringLiteral("%1 is a DOS program, but DOSBox cannot use the folder %2: its name holds a "
                              "quotation mark.")
            .arg(program, place.mounted);
    QStringList names{QFileInfo(program).fileName()};
    if (place.inside != QLatin1String("."))
        names += place.inside.split(QLatin1Char('/'));
    for (const QString &name : names) {
        if (!isDosName(name))
            return QStringLiteral("%1 is a DOS program, but DOSBox finds a program only by a DOS name, and "
                                  "\"%2\" is none: at most eight letters or digits, a point and three "
                                  "more, without blanks.\nRename it to such a name to run it in DOSBox.")
                .arg(program, name);
    }
    return {};
}

} // namespace

QStringList dosBoxArguments(const QString &program, const QString &parameters, const QString &workingFolder)
{
    const QFileInfo info(program);
    const DosBoxPlace place = dosBoxPlace(program, workingFolder);
    // The user's own [autoexec] could mount another C: first, and ours would be refused.
    QStringList arguments{QStringLiteral("-noautoexec"), QStringLiteral("-c"),
                          QStringLiteral("MOUNT C \"%1\"").arg(place.mounted), QStringLiteral("-c"),
                          QStringLiteral("C:")};
    if (place.inside != QLatin1String("."))
        arguments << QStringLiteral("-c")
                  << QStringLiteral("CD \\") + QString(place.inside).replace(u'/', u'\\');
    QString command = info.fileName();
    // A batch file started from DOSBox's own commands would not come back to the EXIT after it.
    if (info.suffix().compare(QLatin1String("bat"), Qt::CaseInsensitive) == 0)
        command.prepend(QLatin1String("CALL "));
    const QString tail = parameters.trimmed();
    if (!tail.isEmpty())
        command += QLatin1Char(' ') + tail;
    // DOSBox's own -exit closes it only after a program it was handed as its
    // file, which takes no parameters; an EXIT after the program does the same.
    arguments << QStringLiteral("-c") << command << QStringLiteral("-c") << QStringLiteral("EXIT");
    return arguments;
}

ShellPlan planShellStart(const QString &file, const QString &parameters, const QString &workingFolder,
                         const Runners &runners)
{
    static const QRegularExpression scheme(QStringLiteral("^(https?|ftp|mailto|news|nntp|file):"),
                                           QRegularExpression::CaseInsensitiveOption);
    ShellPlan plan;
    if (scheme.match(file).hasMatch()) {
        plan.address = file;
        plan.isUrl = true;
        return plan;
    }
    QFileInfo info(file);
    if (info.isRelative() && !workingFolder.isEmpty())
        info = QFileInfo(QDir(workingFolder), file);
    const QString path = info.absoluteFilePath();
    plan.address = path;
    if (!info.exists()) {
        plan.way = ShellPlan::Way::Nothing;
        return plan;
    }
    if (!info.isFile())
        return plan;
    const QString suffix = info.suffix().toLower();
    const auto nothing = [&plan](const QString &problem) {
        plan.way = ShellPlan::Way::Nothing;
        plan.problem = problem;
        return plan;
    };
    if (suffix == QLatin1String("exe") || suffix == QLatin1String("bat") || suffix == QLatin1String("com")) {
        const ExecutableKind kind =
            suffix == QLatin1String("exe") ? executableKind(path) : ExecutableKind::Dos;
        switch (kind) {
        case ExecutableKind::Unreadable:
            return nothing(QStringLiteral("%1 cannot be read, so it was not started.").arg(path));
        case ExecutableKind::Other:
            return nothing(QStringLiteral("%1 is neither a Windows nor a DOS program, so it was not started.")
                               .arg(path));
        case ExecutableKind::Dos:
            if (runners.dosbox.isEmpty()) {
                const QString name =
                    runners.dosboxSetting.isEmpty() ? QStringLiteral("dosbox") : runners.dosboxSetting;
                return nothing(
                    QStringLiteral("%1 is a DOS program and runs in DOSBox, but the DOSBox program "
                                   "\"%2\" was not found.\nTo install DOSBox, run as root:\n%3")
                        .arg(path, name, RunnerInstall::dosbox()));
            }
            if (const QString problem = dosBoxPlaceProblem(path, workingFolder); !problem.isEmpty())
                return nothing(problem);
            plan.way = ShellPlan::Way::DosBox;
            plan.program = runners.dosbox;
            plan.arguments = dosBoxArguments(path, parameters, workingFolder);
            return plan;
        case ExecutableKind::Windows32:
        case ExecutableKind::Windows64:
            if (runners.wine.isEmpty())
                return nothing(QStringLiteral("%1 is a Windows program and runs with Wine, but Wine is not "
                                              "installed.\nTo install it, run as root:\n%2")
                                   .arg(path, RunnerInstall::wine()));
            if (kind == ExecutableKind::Windows32 && !runners.wineRuns32Bit)
                return nothing(QStringLiteral("%1 is a 32-bit Windows program, but the Wine installed (%2) "
                                              "cannot run 32-bit programs.\nTo add its 32-bit part, run as "
                                              "root:\n%3")
                                   .arg(path, runners.wine, RunnerInstall::wine32()));
            // A Windows program runs in the prefix its folder belongs to, the
            // one whose registry holds the game's settings.
            plan.winePrefix = WinePrefix::find(info.absolutePath()).value_or(QString());
            if (kind == ExecutableKind::Windows32 && !plan.winePrefix.isEmpty() &&
                WineInstall::prefixLacks32BitPart(plan.winePrefix))
                return nothing(
                    QStringLiteral("%1 is a 32-bit Windows program, but the Wine prefix %2 was made "
                                   "without Wine's 32-bit part.\nTo give it that part, run as its "
                                   "owner:\n  rm \"%2/.update-timestamp\"\n  WINEPREFIX=\"%2\" "
                                   "wineboot -u")
                        .arg(path, plan.winePrefix));
            plan.way = ShellPlan::Way::Wine;
            plan.program = runners.wine;
            plan.arguments = QStringList{path} + QProcess::splitCommand(parameters);
            return plan;
        }
    }
    if (info.isExecutable()) {
        plan.way = ShellPlan::Way::Direct;
        plan.program = path;
        plan.arguments = QProcess::splitCommand(parameters);
    }
    return plan;
}
