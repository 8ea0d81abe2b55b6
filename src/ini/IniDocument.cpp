#include "IniDocument.h"

#include "platform/Cp1252.h"

#include <array>
#include <limits>

namespace {

// Every byte's character case-folded: folding keeps each of the code page's
// characters one character, so names can be compared in their bytes.
const std::array<char16_t, 256> &foldedBytes()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            t[std::size_t(b)] = Cp1252::decode(QByteArrayView(&byte, 1)).front().toCaseFolded().unicode();
        }
        return t;
    }();
    return table;
}

bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// What a line holding only such characters counts as: empty.
bool isSpace(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b == 0x20 || (b >= 0x09 && b <= 0x0D) || b == 0xA0;
}

struct Span
{
    qsizetype start;
    qsizetype end;
};

Span trimmed(const char *text, Span s)
{
    while (s.start < s.end && isBlank(text[s.start]))
        ++s.start;
    while (s.end > s.start && isBlank(text[s.end - 1]))
        --s.end;
    return s;
}

// Calls `line(index, start, end)` for every line of text[start, size): lines
// end in CR LF, CR or LF, and a final line break starts no empty line.
template <typename Line> int forEachLine(const char *text, qsizetype start, qsizetype size, Line line)
{
    int index = 0;
    qsizetype lineStart = start;
    for (qsizetype i = start; i < size; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        line(index++, lineStart, i);
        if (c == '\r' && i + 1 < size && text[i + 1] == '\n')
            ++i;
        lineStart = i + 1;
    }
    if (lineStart < size)
        line(index++, lineStart, size);
    return index;
}

quint32 mix(quint32 hash, char16_t unit)
{
    hash = (hash ^ (unit & 0xFF)) * 16777619u;
    return (hash ^ (unit >> 8)) * 16777619u;
}

quint32 hashOfFolded(QStringView folded)
{
    quint32 hash = 2166136261u;
    for (const QChar c : folded)
        hash = mix(hash, c.unicode());
    return hash;
}

quint32 entryHash(quint32 nameHash, std::size_t section)
{
    return nameHash ^ (quint32(section + 1) * 0x9E3779B1u);
}

} // namespace

IniDocument IniDocument::fromBytes(QByteArray bytes)
{
    IniDocument doc;
    doc.m_bytes = std::move(bytes);
    // A byte-order mark left by an editor would hide the first section.
    doc.m_textStart = doc.m_bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    doc.index();
    return doc;
}

void IniDocument::index()
{
    const char *text = m_bytes.constData();
    // Places are kept in 32 bits; a file beyond 4 GB is read up to there.
    const qsizetype size = std::min<qsizetype>(m_bytes.size(), std::numeric_limits<quint32>::max());
    Section *current = nullptr;
    const int lines = forEachLine(text, m_textStart, size, [&](int i, qsizetype start, qsizetype end) {
        const Span line = trimmed(text, {start, end});
        if (line.start < line.end && text[line.start] == '[') {
            if (current)
                current->endLine = i;
            qsizetype close = line.start + 1;
            while (close < line.end && text[close] != ']')
                ++close;
            const Span name = trimmed(text, {line.start + 1, close});
            Section section;
            section.nameStart = quint32(name.start);
            section.nameLength = quint32(name.end - name.start);
            section.headerLine = i;
            section.contentEnd = i + 1;
            section.firstEntry = quint32(m_entries.size());
            m_sections.push_back(section);
            current = &m_sections.back();
            return;
        }
        if (!current)
            return;
        for (qsizetype k = start; k < end; ++k) {
            if (!isSpace(text[k])) {
                current->contentEnd = i + 1;
                break;
            }
        }
        // A comment is never a key, whatever it holds.
        if (line.start == line.end || text[line.start] == ';')
            return;
        qsizetype eq = line.start;
        while (eq < line.end && text[eq] != '=')
            ++eq;
        if (eq == line.end)
            return;
        const Span key = trimmed(text, {line.start, eq});
        if (key.start == key.end)
            return;
        Span value = trimmed(text, {eq + 1, line.end});
        // One pair of the same quotes, double or single, encloses a value, as
        // other programs' readers of these files take it.
        if (value.end - value.start >= 2 && isQuote(text[value.start]) &&
            text[value.end - 1] == text[value.start])
            value = {value.start + 1, value.end - 1};
        m_entries.push_back({quint32(key.start), quint32(key.end - key.start), quint32(value.start),
                             quint32(value.end - value.start), i});
        ++current->entryCount;
    });
    if (current)
        current->endLine = lines;
    m_lineCount = lines;

    // The first occurrence of a name is the one found: later ones are not entered.
    m_sectionTable = newTable(m_sections.size());
    const std::size_t sectionMask = m_sectionTable.size() - 1;
    for (std::size_t s = 0; s < m_sections.size(); ++s) {
        const Section &section = m_sections[s];
        for (std::size_t slot = hashOf(section.nameStart, section.nameLength) & sectionMask;;
             slot = (slot + 1) & sectionMask) {
            const quint32 held = m_sectionTable[slot];
            if (held == 0) {
                m_sectionTable[slot] = quint32(s + 1);
                break;
            }
            const Section &other = m_sections[held - 1];
            if (sameNames(section.nameStart, section.nameLength, other.nameStart, other.nameLength))
                break;
        }
    }
    m_entryTable = newTable(m_entries.size());
    const std::size_t entryMask = m_entryTable.size() - 1;
    for (std::size_t s = 0; s < m_sections.size(); ++s) {
        const Section &section = m_sections[s];
        for (quint32 e = section.firstEntry; e < section.firstEntry + section.entryCount; ++e) {
            const Entry &entry = m_entries[e];
            for (std::size_t slot = entryHash(hashOf(entry.keyStart, entry.keyLength), s) & entryMask;;
                 slot = (slot + 1) & entryMask) {
                const quint32 held = m_entryTable[slot];
                if (held == 0) {
                    m_entryTable[slot] = e + 1;
                    break;
                }
                const Entry &other = m_entries[held - 1];
                if (held - 1 >= section.firstEntry &&
                    sameNames(entry.keyStart, entry.keyLength, other.keyStart, other.keyLength))
                    break;
            }
        }
    }
}

std::vector<quint32> IniDocument::newTable(std::size_t count)
{
    std::size_t size = 16;
    while (size < count * 2)
        size *= 2;
    return std::vector<quint32>(size, 0);
}

bool IniDocument::sameName(quint32 start, quint32 length, QStringView folded) const
{
    if (qsizetype(length) != folded.size())
        return false;
    const auto &table = foldedBytes();
    const char *text = m_bytes.constData() + start;
    for (quint32 i = 0; i < length; ++i) {
        if (table[static_cast<unsigned char>(text[i])] != folded[i].unicode())
            return false;
    }
    return true;
}

bool IniDocument::sameNames(quint32 start, quint32 length, quint32 otherStart, quint32 otherLength) const
{
    if (length != otherLength)
        return false;
    const auto &table = foldedBytes();
    const auto *text = reinterpret_cast<const unsigned char *>(m_bytes.constData());
    for (quint32 i = 0; i < length; ++i) {
        if (table[text[start + i]] != table[text[otherStart + i]])
            return false;
    }
    return true;
}

quint32 IniDocument::hashOf(quint32 start, quint32 length) const
{
    const auto &table = foldedBytes();
    const char *text = m_bytes.constData() + start;
    quint32 hash = 2166136261u;
    for (quint32 i = 0; i < length; ++i)
        hash = mix(hash, table[static_cast<unsigned char>(text[i])]);
    return hash;
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
    if (m_sections.empty())
        return nullptr;
    const QString folded = fold(givenName(name));
    const std::size_t mask = m_sectionTable.size() - 1;
    for (std::size_t slot = hashOfFolded(folded) & mask; m_sectionTable[slot] != 0;
         slot = (slot + 1) & mask) {
        const Section &section = m_sections[m_sectionTable[slot] - 1];
        if (sameName(section.nameStart, section.nameLength, folded))
            return &section;
    }
    return nullptr;
}

const IniDocument::Entry *IniDocument::findEntry(const QString &section, const QString &key) const
{
    const Section *s = findSection(section);
    if (!s || s->entryCount == 0)
        return nullptr;
    const QString folded = fold(givenName(key));
    const std::size_t index = std::size_t(s - m_sections.data());
    const std::size_t mask = m_entryTable.size() - 1;
    for (std::size_t slot = entryHash(hashOfFolded(folded), index) & mask; m_entryTable[slot] != 0;
         slot = (slot + 1) & mask) {
        const quint32 e = m_entryTable[slot] - 1;
        if (e >= s->firstEntry && e < s->firstEntry + s->entryCount &&
            sameName(m_entries[e].keyStart, m_entries[e].keyLength, folded))
            return &m_entries[e];
    }
    return nullptr;
}

QString IniDocument::name(const Section &section) const
{
    return Cp1252::decode(QByteArrayView(m_bytes).sliced(section.nameStart, section.nameLength));
}

QString IniDocument::key(const Entry &entry) const
{
    return Cp1252::decode(QByteArrayView(m_bytes).sliced(entry.keyStart, entry.keyLength));
}

QString IniDocument::value(const Entry &entry, qsizetype maxLength) const
{
    const qsizetype length =
        maxLength < 0 ? qsizetype(entry.valueLength) : std::min<qsizetype>(entry.valueLength, maxLength);
    return Cp1252::decode(QByteArrayView(m_bytes).sliced(entry.valueStart, length));
}

QString IniDocument::lineOf(const Entry &entry) const
{
    const char *text = m_bytes.constData();
    qsizetype start = entry.keyStart;
    while (start > m_textStart && text[start - 1] != '\r' && text[start - 1] != '\n')
        --start;
    qsizetype end = entry.keyStart;
    while (end < m_bytes.size() && text[end] != '\r' && text[end] != '\n')
        ++end;
    return Cp1252::decode(QByteArrayView(m_bytes).sliced(start, end - start));
}

std::optional<QByteArray> IniDocument::edited(const std::vector<LineEdit> &edits) const
{
    QByteArray out;
    out.reserve(m_bytes.size() + m_bytes.size() / 16 + 256);
    // A byte-order mark is kept: the edits change lines, not the file's encoding mark.
    out.append(m_bytes.constData(), m_textStart);
    std::size_t next = 0;
    int skipped = 0;
    bool encodable = true;
    const auto editsAt = [&](int line) {
        for (; next < edits.size() && edits[next].line == line; ++next) {
            for (const QString &text : edits[next].inserted) {
                const std::optional<QByteArray> bytes = Cp1252::encode(text);
                if (!bytes)
                    encodable = false;
                else
                    out += *bytes + "\r\n";
            }
            skipped += edits[next].removed;
        }
    };
    const char *text = m_bytes.constData();
    const int lines =
        forEachLine(text, m_textStart, m_bytes.size(), [&](int i, qsizetype start, qsizetype end) {
            editsAt(i);
            if (skipped > 0) {
                --skipped;
                return;
            }
            out.append(text + start, end - start);
            out += "\r\n";
        });
    editsAt(lines);
    if (!encodable)
        return std::nullopt;
    return out;
}
