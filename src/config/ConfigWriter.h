#pragma once

#include "SwitchState.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

class IniSnapshot;

// The configuration text the patch reads, composed from the switches in panel
// order. The three variants differ: the file variant compares a number's text
// with its off value and writes a choice's value as stored; the notepad and
// run variants compare the number's value and write a choice's value as an
// integer; the run variant has a short header and no comment lines.
enum class ConfigVariant
{
    File,
    Notepad,
    Run
};

class ConfigWriter final
{
public:
    ConfigWriter(const IniSnapshot &patch, const IniSnapshot &settings, const IniSnapshot &versions);

    QStringList compose(const QList<SwitchState> &switches, ConfigVariant variant) const;

private:
    QString valueOf(const SwitchState &state, ConfigVariant variant) const;

    const IniSnapshot &m_patch;
    const IniSnapshot &m_settings;
    const IniSnapshot &m_versions;
};
