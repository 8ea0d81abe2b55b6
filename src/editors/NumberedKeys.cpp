#include "NumberedKeys.h"

#include "app/IniSnapshot.h"
#include "app/IntegerText.h"

#include <algorithm>

int lastNumberedKey(const IniSnapshot &ini, const QString &section, const QStringList &prefixes)
{
    int last = 0;
    for (const auto &entry : ini.ReadWholeSection(section)) {
        for (const QString &prefix : prefixes) {
            if (!entry.first.startsWith(prefix, Qt::CaseInsensitive))
                continue;
            const QStringView digits = QStringView(entry.first).mid(prefix.size());
            if (!digits.isEmpty() &&
                std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
                last = std::max(last, parseInteger(digits).value_or(0));
        }
    }
    return last;
}

int listedCount(int stored, const IniSnapshot &ini, const QString &section, const QStringList &prefixes)
{
    return std::min(stored, lastNumberedKey(ini, section, prefixes));
}
