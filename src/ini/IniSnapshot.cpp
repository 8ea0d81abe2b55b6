#include "IniSnapshot.h"

#include "IniDocument.h"
#include "IntegerText.h"
#include "platform/Paths.h"

namespace {

// The first `count` names that the listing buffer holds, each name with its
// terminating byte; only those are decoded.
template <typename Length, typename Name> QStringList listing(std::size_t count, Length lengthOf, Name nameOf)
{
    QStringList names;
    qsizetype used = 0;
    for (std::size_t i = 0; i < count; ++i) {
        used += qsizetype(lengthOf(i)) + 1;
        if (used > IniSnapshot::MaxListingBytes)
            break;
        names.append(nameOf(i));
    }
    return names;
}

} // namespace

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
    const IniDocument::Entry *entries = m_document->entriesOf(*s);
    return listing(
        s->entryCount, [&](std::size_t i) { return entries[i].keyLength; },
        [&](std::size_t i) { return m_document->key(entries[i]); });
}

QStringList IniSnapshot::ReadAllSections() const
{
    QStringList names;
    names.reserve(qsizetype(m_document->sections().size()));
    for (const auto &s : m_document->sections())
        names.append(m_document->name(s));
    return names;
}

QList<std::pair<QString, QString>> IniSnapshot::ReadWholeSection(const QString &section) const
{
    QList<std::pair<QString, QString>> pairs;
    if (const IniDocument::Section *s = m_document->findSection(section)) {
        const IniDocument::Entry *entries = m_document->entriesOf(*s);
        for (quint32 i = 0; i < s->entryCount; ++i)
            pairs.append({m_document->key(entries[i]), m_document->value(entries[i])});
    }
    return pairs;
}

QStringList IniSnapshot::ReadSections() const
{
    const auto &sections = m_document->sections();
    return listing(
        sections.size(), [&](std::size_t i) { return sections[i].nameLength; },
        [&](std::size_t i) { return m_document->name(sections[i]); });
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
