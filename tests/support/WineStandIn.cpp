#include "WineStandIn.h"

#include "TestFiles.h"

#include "platform/FileRegistry.h"
#include "platform/WinePrefix.h"
#include "platform/WineRegistry.h"

#include <QDir>
#include <QFile>

WineStandIn::WineStandIn() : m_oldPath(qgetenv("PATH"))
{
    const QString bin = m_dir.path() + QStringLiteral("/bin");
    QDir().mkpath(bin);
    QFile::copy(QStringLiteral(DVV_WINE_STANDIN), bin + QStringLiteral("/wine"));
    QFile::setPermissions(bin + QStringLiteral("/wine"), QFile::ReadOwner | QFile::ExeOwner);
    QDir().mkpath(gameFolder());
    writeBytes(prefix() + QStringLiteral("/system.reg"), QByteArray("WINE REGISTRY Version 2\n"));
    qputenv("PATH", QFile::encodeName(bin) + ':' + m_oldPath);
    qputenv("STANDIN_WINE_LOG", QFile::encodeName(m_dir.path() + QStringLiteral("/calls")));
    qunsetenv("STANDIN_WINE_MODE");
}

WineStandIn::~WineStandIn()
{
    qputenv("PATH", m_oldPath);
    qunsetenv("STANDIN_WINE_LOG");
    qunsetenv("STANDIN_WINE_MODE");
}

QStringList WineStandIn::calls() const
{
    return QString::fromUtf8(readBytes(m_dir.path() + QStringLiteral("/calls")))
        .split(u'\n', Qt::SkipEmptyParts);
}

QString WineStandIn::value(const QString &name) const
{
    const QString file =
        prefix() + QStringLiteral("/standin-registry/software/quillmark/zorvantia/") + name.toLower();
    const QStringList lines = QString::fromUtf8(readBytes(file)).split(u'\n');
    return lines.size() < 3 ? QString() : lines[1] + u'|' + lines[2];
}

std::unique_ptr<Registry> WineStandIn::registry(const QString &fallbackFile, QString gameFolder,
                                                int timeLimitMs) const
{
    if (gameFolder.isEmpty())
        gameFolder = this->gameFolder();
    // Neither $WINEPREFIX nor ~/.wine of the machine that runs the tests.
    return std::make_unique<GameRegistry>(
        std::make_unique<FileRegistry>(fallbackFile), [gameFolder] { return gameFolder; },
        [](const QString &folder) { return WinePrefix::find(folder, QString(), QString()); }, m_wait,
        timeLimitMs);
}
