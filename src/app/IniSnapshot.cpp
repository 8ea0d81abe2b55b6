#include "IniSnapshot.h"

#include "IniDocument.h"
#include "IntegerText.h"
#include "platform/Paths.h"

namespace {

// How many names fit the listing buffer: each name plus its terminating byte.
qsizetype namesThatFit(const QStringList &names)
{
    qsizetype used = 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        used += names[i].size() + 1;
        if (used > IniSnapshot::MaxListingBytes)
            return i;
    }
    return names.size();
}

QStringList limited(QStringList names)
{
    names.resize(namesThatFit(names));
    return names;
}

} // namespace

IniSnapshot::IniSnapshot(std::shared_ptr<const IniDocument> document) : m_document(std::move(document)) {}

QString IniSnapshot::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const IniDocument::Entry *entry = m_document->findEntry(section, key);
    return entry ? entry->value.left(MaxValueLength) : defaultValue;
}

QString IniSnapshot::ReadPath(const QString &section, const QString &key, const QString &defaultValue) const
{
    const IniDocument::Entry *entry = m_document->findEntry(section, key);
    return entry ? Paths::fromStoredText(entry->value) : defaultValue;
}

int IniSnapshot::ReadInteger(const QString &section, const QString &key, int defaultValue) const
{
    const IniDocument::Entry *entry = m_document->findEntry(section, key);
    if (!entry)
        return defaultValue;
    return parseInteger(QStringView(entry->value).left(MaxValueLength)).value_or(defaultValue);
}

bool IniSnapshot::ReadBool(const QString &section, const QString &key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

QStringList IniSnapshot::ReadSection(const QString &section) const
{
    const IniDocument::Section *s = m_document->findSection(section);
    if (!s)
        return {};
    QStringList keys;
    keys.reserve(qsizetype(s->entries.size()));
    for (const auto &e : s->entries)
        keys.append(e.key);
    return limited(keys);
}

QStringList IniSnapshot::ReadAllSections() const
{
    QStringList names;
    names.reserve(qsizetype(m_document->sections().size()));
    for (const auto &s : m_document->sections())
        names.append(s.name);
    return names;
}

QStringList IniSnapshot::ReadSections() const
{
    return limited(ReadAllSections());
}

QStringList IniSnapshot::ReadSectionValues(const QString &section) const
{
    // The limit applies to the key names listed; each then brings its value.
    QStringList values;
    for (const QString &key : ReadSection(section))
        values.append(key + QLatin1Char('=') + ReadString(section, key, QString()));
    return values;
}

bool IniSnapshot::SectionExists(const QString &section) const
{
    const IniDocument::Section *s = m_document->findSection(section);
    return s && !s->entries.empty();
}

bool IniSnapshot::ValueExists(const QString &section, const QString &key) const
{
    return m_document->findEntry(section, key) != nullptr;
}
