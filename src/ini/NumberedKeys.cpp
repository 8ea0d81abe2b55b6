#include "NumberedKeys.h"

#include "IniSnapshot.h"
#include "IntegerText.h"

#include <algorithm>

int lastNumberedKey(const IniSnapshot &ini, const QString &section, const QStringList &prefixes)
{
    const QList<std::pair<QString, QString>> entries = ini.ReadWholeSection(section);
    // A section of k keys holds at most k entries, so a key numbered beyond k
    // lies past a gap no list could have filled, and is not counted.
    const qsizetype most = entries.size();
    int last = 0;
    for (const auto &entry : entries) {
        for (const QString &prefix : prefixes) {
            if (!entry.first.startsWith(prefix, Qt::CaseInsensitive))
                continue;
            const QStringView digits = QStringView(entry.first).mid(prefix.size());
            if (digits.isEmpty() ||
                !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
                continue;
            if (const int number = parseInteger(digits).value_or(0); number <= most)
                last = std::max(last, number);
        }
    }
    return last;
}

int listedCount(int stored, const IniSnapshot &ini, const QString &section, const QStringList &prefixes)
{
    return std::clamp(stored, 0, lastNumberedKey(ini, section, prefixes));
}

int nextNumber(const IniSnapshot &ini, const QString &section, const QString &countKey, const QStringList &prefixes)
{
    const std::optional<int> stored = ini.ValueExists(section, countKey)
                                          ? parseInteger(ini.ReadString(section, countKey, QString()))
                                          : std::nullopt;
    return (stored ? listedCount(*stored, ini, section, prefixes) : lastNumberedKey(ini, section, prefixes)) + 1;
}
