#include "ShellPlan.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

ShellPlan planShellStart(const QString &file, const QString &parameters, const QString &wine)
{
    static const QRegularExpression scheme(QStringLiteral("^(https?|ftp|mailto|news|nntp|file):"),
                                           QRegularExpression::CaseInsensitiveOption);
    ShellPlan plan;
    if (scheme.match(file).hasMatch()) {
        plan.address = file;
        plan.isUrl = true;
        return plan;
    }
    plan.address = file;
    const QFileInfo info(file);
    if (!info.isFile())
        return plan;
    const QString suffix = info.suffix().toLower();
    const QStringList arguments = QProcess::splitCommand(parameters);
    if (suffix == QLatin1String("exe") || suffix == QLatin1String("bat") || suffix == QLatin1String("com")) {
        if (!wine.isEmpty()) {
            plan.way = ShellPlan::Way::Wine;
            plan.program = wine;
            plan.arguments = QStringList{file} + arguments;
        }
        return plan;
    }
    if (info.isExecutable()) {
        plan.way = ShellPlan::Way::Direct;
        plan.program = file;
        plan.arguments = arguments;
    }
    return plan;
}
