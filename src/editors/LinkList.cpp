#include "LinkList.h"

#include "ini/IniSnapshot.h"

#include <QSet>

namespace LinkList {

namespace {

// In the editor's order: E-Mail, Hyperlink, File, Newsgroup.
const char *const kPrefixes[] = {"MAIL", "PAGE", "FILE", "NEWS"};
constexpr int kMail = 0;

} // namespace

bool isVersionsSection(const QString &name)
{
    // Section names ignore case, so "data" is the same section as "Data".
    return name.compare(QLatin1String("Data"), Qt::CaseInsensitive) == 0;
}

QList<Section> sections(const IniSnapshot &data)
{
    QList<Section> found;
    for (const QString &name : sectionNames(data)) {
        Section section{name, {}};
        for (const auto &[key, value] : data.ReadWholeSection(name)) {
            if (!value.isEmpty())
                section.links.append({key, value});
        }
        found.append(section);
    }
    return found;
}

QStringList sectionNames(const IniSnapshot &data)
{
    // A section written twice is one section, as reads see it.
    QStringList names;
    QSet<QString> seen;
    for (const QString &name : data.ReadAllSections()) {
        if (!name.isEmpty() && !isVersionsSection(name) && !seen.contains(name.toCaseFolded())) {
            seen.insert(name.toCaseFolded());
            names.append(name);
        }
    }
    return names;
}

QString shown(const QString &name)
{
    return QString(name).replace(QLatin1Char('_'), QLatin1Char(' '));
}

QStringList typeNames()
{
    return {QStringLiteral("E-Mail"), QStringLiteral("Hyperlink"), QStringLiteral("File"),
            QStringLiteral("Newsgroup")};
}

std::optional<int> typeOf(const QString &value)
{
    for (int type = 0; type < 4; ++type) {
        if (value.left(4) == QLatin1String(kPrefixes[type]))
            return type;
    }
    return std::nullopt;
}

QString stored(int type, const QString &address)
{
    return QLatin1String(kPrefixes[type]) + QLatin1Char('|') + address;
}

std::optional<QString> target(const QString &value)
{
    const std::optional<int> type = typeOf(value);
    if (!type || value.mid(4, 1) != QLatin1String("|"))
        return std::nullopt;
    return opened(*type, value.mid(5));
}

QString opened(int type, const QString &address)
{
    return type == kMail ? QStringLiteral("mailto:") + address : address;
}

} // namespace LinkList
