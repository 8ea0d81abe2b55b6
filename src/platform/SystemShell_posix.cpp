#include "SystemShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace {

bool isAddress(const QString &file)
{
    static const QRegularExpression scheme(QStringLiteral("^(https?|ftp|mailto|news|nntp|file):"),
                                           QRegularExpression::CaseInsensitiveOption);
    return scheme.match(file).hasMatch();
}

} // namespace

void SystemShell::open(const QString &file, const QString &parameters, const QString &workingFolder)
{
    if (isAddress(file)) {
        QDesktopServices::openUrl(QUrl(file));
        return;
    }
    const QFileInfo info(file);
    const QStringList arguments = QProcess::splitCommand(parameters);
    if (info.isFile()) {
        const QString suffix = info.suffix().toLower();
        if (suffix == QLatin1String("exe") || suffix == QLatin1String("bat") || suffix == QLatin1String("com")) {
            const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
            if (!wine.isEmpty()) {
                QProcess::startDetached(wine, QStringList{file} + arguments, workingFolder);
                return;
            }
        } else if (info.isExecutable()) {
            QProcess::startDetached(file, arguments, workingFolder);
            return;
        }
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}
