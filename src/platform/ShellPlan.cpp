#include "ShellPlan.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

ShellPlan planShellStart(const QString &file, const QString &parameters, const QString &workingFolder,
                         const QString &wine)
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
    const QStringList arguments = QProcess::splitCommand(parameters);
    if (suffix == QLatin1String("exe") || suffix == QLatin1String("bat") || suffix == QLatin1String("com")) {
        if (wine.isEmpty()) {
            plan.way = ShellPlan::Way::Nothing;
            return plan;
        }
        plan.way = ShellPlan::Way::Wine;
        plan.program = wine;
        plan.arguments = QStringList{path} + arguments;
        return plan;
    }
    if (info.isExecutable()) {
        plan.way = ShellPlan::Way::Direct;
        plan.program = path;
        plan.arguments = arguments;
    }
    return plan;
}
