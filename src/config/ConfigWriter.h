#pragma once

#include "SwitchState.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

class IniSnapshot;

// The configuration text the patch reads, composed from the switches in panel
// order, each value written as its kind writes it.
class ConfigWriter final
{
public:
    ConfigWriter(const IniSnapshot &patch, const IniSnapshot &settings, const IniSnapshot &versions);

    QStringList compose(const QList<SwitchState> &switches, ConfigVariant variant) const;

private:
    const IniSnapshot &m_patch;
    const IniSnapshot &m_settings;
    const IniSnapshot &m_versions;
};
