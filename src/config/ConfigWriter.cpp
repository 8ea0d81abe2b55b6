#include "ConfigWriter.h"

#include "base/ProgramInfo.h"
#include "ini/IniSnapshot.h"

ConfigWriter::ConfigWriter(const IniSnapshot &patch, QString patchVersion, const IniSnapshot &versions)
    : m_patch(patch), m_patchVersion(std::move(patchVersion)), m_versions(versions)
{}

QStringList ConfigWriter::compose(const QList<SwitchState> &switches, ConfigVariant variant) const
{
    QStringList lines;
    if (variant == ConfigVariant::Run) {
        lines << QStringLiteral("//Created by Dravopax Vevavav");
    } else {
        lines << QStringLiteral("// Created by Dravopax Vevavav [") + ProgramInfo::HomePage +
                     QLatin1Char(']');
        lines << QStringLiteral("// Compatibile with ") +
                     m_versions.ReadString(QStringLiteral("version"),
                                           QStringLiteral("display") + m_patchVersion.mid(3),
                                           QStringLiteral("UNKNOWN"));
    }
    lines << QString();

    // Switch names on the panel differ regardless of case, so each gives one line at most.
    for (const SwitchState &state : switches) {
        if (!state.enabled) {
            if (variant != ConfigVariant::Run)
                lines << QStringLiteral("// ") + state.name +
                             QStringLiteral(" <- switch not introduced in this version or obsolete");
            continue;
        }
        const QString value = state.configValue(m_patch, variant);
        if (!value.isEmpty())
            lines << state.name + QLatin1Char('=') + value;
    }
    // The patch separates a name from its value by a blank; every "=" of the
    // text becomes one, values and the version's name included.
    for (QString &line : lines)
        line.replace(QLatin1Char('='), QLatin1Char(' '));
    return lines;
}
