#include "ConfigWriter.h"
#include "base/SettingNames.h"

#include "base/ProgramInfo.h"
#include "ini/IniSnapshot.h"
#include "platform/Cp1252.h"
#include "switches/CheckSum.h"
#include "switches/SwitchDefinition.h"

ConfigWriter::ConfigWriter(const IniSnapshot &patch, const IniSnapshot &settings, const IniSnapshot &versions)
    : m_patch(patch), m_settings(settings), m_versions(versions)
{}

QString ConfigWriter::valueOf(const SwitchState &state, ConfigVariant variant) const
{
    const QString &name = state.name;
    switch (state.kind) {
    case SwitchKind::Number: {
        const int offValue = m_patch.ReadInteger(name, QStringLiteral("offvalue"), 0);
        const bool off = variant == ConfigVariant::File
                             ? (state.text == QLatin1String("off") || state.text == QString::number(offValue))
                             : state.number == offValue;
        return off ? QStringLiteral("off") : QString::number(state.number);
    }
    case SwitchKind::Choice: {
        QString value;
        const int count =
            std::min(m_patch.ReadInteger(name, QStringLiteral("number"), 0), SwitchDefinition::MaxItems);
        for (int j = 0; j < count; ++j) {
            if (m_patch.ReadString(name, QStringLiteral("number%1").arg(j), QStringLiteral("0")) !=
                state.text)
                continue;
            if (variant == ConfigVariant::File)
                value = m_patch.ReadString(name, QStringLiteral("value%1").arg(j), QStringLiteral("0"));
            else
                value = QString::number(m_patch.ReadInteger(name, QStringLiteral("value%1").arg(j), 0));
        }
        return value;
    }
    case SwitchKind::OnOff:
        return state.checked ? QStringLiteral("on") : QStringLiteral("off");
    case SwitchKind::Text:
        return state.text;
    case SwitchKind::Set:
        // The patch reads a 32-bit number; a larger sum wraps as it would there.
        return QString::number(static_cast<qint32>(
            static_cast<quint32>(checkedSum(readCheckListWeights(m_patch, name), state.checks))));
    }
    return {};
}

QStringList ConfigWriter::compose(const QList<SwitchState> &switches, ConfigVariant variant) const
{
    QStringList lines;
    if (variant == ConfigVariant::Run) {
        lines << QStringLiteral("//Created by Dravopax Vevavav");
    } else {
        lines << QStringLiteral("// Created by Dravopax Vevavav [") + ProgramInfo::HomePage +
                     QLatin1Char(']');
        const QString stored =
            m_settings.ReadString(kDvs, QStringLiteral("version"), QStringLiteral("UNKNOWN"));
        lines << QStringLiteral("// Compatibile with ") +
                     m_versions.ReadString(QStringLiteral("version"),
                                           QStringLiteral("display") + stored.mid(3),
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
        const QString value = valueOf(state, variant);
        if (!value.isEmpty())
            lines << state.name + QLatin1Char('=') + value;
    }
    // The patch separates a name from its value by a blank; every "=" of the
    // text becomes one, values and the version's name included.
    for (QString &line : lines)
        line.replace(QLatin1Char('='), QLatin1Char(' '));
    return lines;
}
