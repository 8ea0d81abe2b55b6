#pragma once

#include "platform/EventWait.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class Registry;

// A Wine prefix with the game in its drive C, and a scripted `wine` first on
// the PATH that keeps the prefix's registry as files (see
// tests/platform/data/wine). The PATH (which a test may empty, as if Wine
// were not installed) and the stand-in's settings are put back when it goes.
class WineStandIn final
{
public:
    WineStandIn();
    ~WineStandIn();

    QString prefix() const { return m_dir.path() + QStringLiteral("/prefix"); }
    QString gameFolder() const { return prefix() + QStringLiteral("/drive_c/Games/Zorvantia"); }
    // "hang", "silent", "refuse", "garbage" (answers that are no text, exit
    // code 0), "flood" (output without end), or "" to answer as Wine does;
    // "hang" leaves a child of its own running too.
    void setMode(const QByteArray &mode) { qputenv("STANDIN_WINE_MODE", mode); }

    // Every call so far: "<WINEPREFIX>|<arguments>".
    QStringList calls() const;
    // A value of the game key as the stand-in keeps it: "<type>|<data>", or "" when absent.
    QString value(const QString &name) const;

    // What every call of the registry below waits with.
    EventWait &wait() const { return m_wait; }
    // The registry of the program: this prefix's when Wine is there and the
    // game folder lies in it, else the file `fallbackFile`. `timeLimitMs`
    // bounds a command's calls together.
    std::unique_ptr<Registry> registry(const QString &fallbackFile, QString gameFolder = {},
                                       int timeLimitMs = 10000) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldPath;
    mutable EventWait m_wait;
};
