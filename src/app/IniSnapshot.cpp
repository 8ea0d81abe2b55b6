#include "IniSnapshot.h"

#include "IniDocument.h"
#include "IntegerText.h"
#include "platform/Paths.h"

IniSnapshot::IniSnapshot(std::shared_ptr<const IniDocument> document) : m_document(std::move(document)) {}

QString IniSnapshot::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const IniDocument::Entry *entry = m_document->findEntry(section, key);
    return entry ? m_document->value(*entry, MaxValueLength) : defaultValue;
}

QString IniSnapshot::ReadPath(const QString &section, const QString &key, const QString &defaultValue) const
{
    const IniDocument::Entry *entry = m_document->findEntry(section, key);
    return entry ? Paths::fromStoredText(m_document->value(*entry)) : defaultValue;
}

int IniSnapshot::ReadInteger(const QString &section, const QString &key, int defaultValue) const
{
    const IniDocument::Entry *entry = m_document->findEntry(section, key);
    if (!entry)
        return defaultValue;
    return parseInteger(m_document->value(*entry, MaxValueLength)).value_or(defaultValue);
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
    const IniDocument::Entry *entries = m_document->entriesOf(*s);
    // Only the names the listing can hold are decoded.
    qsizetype used = 0;
    for (quint32 i = 0; i < s->entryCount; ++i) {
        used += qsizetype(entries[i].keyLength) + 1;
        if (used > MaxListingBytes)
            break;
        keys.append(m_document->key(entries[i]));
    }
    return keys;
}

QStringList IniSnapshot::ReadAllSections() const
{
    QStringList names;
    names.reserve(qsizetype(m_document->sections().size()));
    for (const auto &s : m_document->sections())
        names.append(m_document->name(s));
    return names;
}

QStringList IniSnapshot::ReadSections() const
{
    QStringList names;
    qsizetype used = 0;
    for (const auto &s : m_document->sections()) {
        used += qsizetype(s.nameLength) + 1;
        if (used > MaxListingBytes)
            break;
        names.append(m_document->name(s));
    }
    return names;
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
    return s && s->entryCount > 0;
}

bool IniSnapshot::ValueExists(const QString &section, const QString &key) const
{
    return m_document->findEntry(section, key) != nullptr;
}
