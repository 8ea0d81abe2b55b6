#pragma once

#include "switches/SwitchState.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class IniSnapshot;

// The configuration text the patch reads, composed from the switches in panel
// order, each value written as its kind writes it.
class ConfigWriter final
{
public:
    // `patchVersion` is the version picked, "ver" followed by its number, or
    // what the settings say while none is.
    ConfigWriter(const IniSnapshot &patch, QString patchVersion, const IniSnapshot &versions);

    QStringList compose(const QList<SwitchState> &switches, ConfigVariant variant) const;

private:
    const IniSnapshot &m_patch;
    QString m_patchVersion;
    const IniSnapshot &m_versions;
};
