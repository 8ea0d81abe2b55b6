#include "SystemShell.h"

#include "ShellPlan.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

void SystemShell::open(const QString &file, const QString &parameters, const QString &workingFolder)
{
    const ShellPlan plan = planShellStart(file, parameters, workingFolder,
                                          QStandardPaths::findExecutable(QStringLiteral("wine")));
    switch (plan.way) {
    case ShellPlan::Way::Direct:
    case ShellPlan::Way::Wine:
        QProcess::startDetached(plan.program, plan.arguments, workingFolder);
        return;
    case ShellPlan::Way::DefaultHandler:
        QDesktopServices::openUrl(plan.isUrl ? QUrl(plan.address) : QUrl::fromLocalFile(plan.address));
        return;
    }
}
