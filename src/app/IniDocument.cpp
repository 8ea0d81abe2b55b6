#include "IniDocument.h"

#include "platform/Cp1252.h"
#include "platform/TextLines.h"

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QStringView trimmed(QStringView s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

} // namespace

IniDocument::IniDocument(QStringList lines) : m_lines(std::move(lines))
{
    Section *current = nullptr;
    for (int i = 0; i < m_lines.size(); ++i) {
        const QStringView line = trimmed(m_lines[i]);
        if (line.startsWith(QLatin1Char('['))) {
            if (current)
                current->endLine = i;
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            Section section;
            section.name = trimmed(line.mid(1, close < 0 ? -1 : close - 1)).toString();
            section.headerLine = i;
            m_sections.push_back(std::move(section));
            current = &m_sections.back();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        // A comment is never a key, whatever it holds.
        if (!current || eq < 0 || line.startsWith(QLatin1Char(';')))
            continue;
        Entry entry;
        entry.key = trimmed(line.left(eq)).toString();
        if (entry.key.isEmpty())
            continue;
        QStringView value = trimmed(line.mid(eq + 1));
        if (value.size() >= 2 && value.front() == QLatin1Char('"') && value.back() == QLatin1Char('"'))
            value = value.mid(1, value.size() - 2);
        entry.value = value.toString();
        entry.line = i;
        const QString folded = fold(entry.key);
        if (!current->firstEntry.contains(folded))
            current->firstEntry.insert(folded, int(current->entries.size()));
        current->entries.push_back(std::move(entry));
    }
    if (current)
        current->endLine = int(m_lines.size());
    // QHash::insert replaces, so going backwards leaves the first occurrence.
    for (int s = int(m_sections.size()) - 1; s >= 0; --s)
        m_firstSection.insert(fold(m_sections[s].name), s);
}

IniDocument IniDocument::fromBytes(const QByteArray &bytes)
{
    // A byte-order mark left by an editor would hide the first section.
    return IniDocument(splitTextLines(Cp1252::decode(Cp1252::withoutByteOrderMark(bytes))));
}

std::optional<QByteArray> IniDocument::toBytes() const
{
    return Cp1252::encodeLines(m_lines);
}

QString IniDocument::givenName(const QString &name)
{
    qsizetype b = 0;
    qsizetype e = name.size();
    while (b < e && name[b] == QLatin1Char(' '))
        ++b;
    while (e > b && name[e - 1] == QLatin1Char(' '))
        --e;
    return b == 0 && e == name.size() ? name : name.mid(b, e - b);
}

const IniDocument::Section *IniDocument::findSection(const QString &name) const
{
    const auto it = m_firstSection.constFind(fold(givenName(name)));
    return it == m_firstSection.cend() ? nullptr : &m_sections[std::size_t(*it)];
}

const IniDocument::Entry *IniDocument::findEntry(const QString &section, const QString &key) const
{
    const Section *s = findSection(section);
    if (!s)
        return nullptr;
    const auto it = s->firstEntry.constFind(fold(givenName(key)));
    return it == s->firstEntry.cend() ? nullptr : &s->entries[std::size_t(*it)];
}
