#include "TIniFile.h"

#include "IniDocument.h"
#include "IntegerText.h"
#include "platform/AtomicFile.h"
#include "platform/DvsError.h"
#include "platform/FileStamp.h"

#include <QFile>
#include <QHash>

#include <list>
#include <mutex>

namespace {

// Parses shared by every TIniFile, keyed by file name. An entry is used only
// while the file's stamp is the one it was parsed from.
class ParseCache
{
public:
    using Document = std::shared_ptr<const IniDocument>;

    Document find(const QString &path, const FileStamp &stamp)
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_entries.constFind(path);
        if (it == m_entries.cend())
            return nullptr;
        if (!(it->stamp == stamp))
            return nullptr;
        m_recent.remove(path);
        m_recent.push_front(path);
        return it->document;
    }

    void store(const QString &path, const FileStamp &stamp, Document document)
    {
        std::lock_guard lock(m_mutex);
        if (!m_entries.contains(path) && m_entries.size() >= kCapacity) {
            m_entries.remove(m_recent.back());
            m_recent.pop_back();
        }
        m_recent.remove(path);
        m_recent.push_front(path);
        m_entries.insert(path, {stamp, std::move(document)});
    }

private:
    static constexpr qsizetype kCapacity = 64;
    struct Entry
    {
        FileStamp stamp;
        Document document;
    };
    std::mutex m_mutex;
    QHash<QString, Entry> m_entries;
    std::list<QString> m_recent;
};

ParseCache &parseCache()
{
    static ParseCache cache;
    return cache;
}

const std::shared_ptr<const IniDocument> &emptyDocument()
{
    static const auto empty = std::make_shared<const IniDocument>();
    return empty;
}

QString lineSafe(const QString &text)
{
    QString safe = text;
    safe.replace(QLatin1Char('\r'), QLatin1Char(' '));
    safe.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return safe;
}

// Keeps names while they fit the listing buffer: each name plus its terminating byte.
QStringList limitListing(const QStringList &names)
{
    QStringList kept;
    qsizetype used = 0;
    for (const QString &name : names) {
        used += name.size() + 1;
        if (used > TIniFile::MaxListingBytes)
            break;
        kept.append(name);
    }
    return kept;
}

} // namespace

TIniFile::TIniFile(QString fileName) : m_fileName(std::move(fileName)) {}

std::shared_ptr<const IniDocument> TIniFile::document() const
{
    // A file replaced while we read it is read again; after a few tries the
    // parse is used once without being kept.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::optional<FileStamp> before = fileStamp(m_fileName);
        if (!before)
            return emptyDocument();
        if (auto cached = parseCache().find(m_fileName, *before))
            return cached;
        QFile file(m_fileName);
        if (!file.open(QIODevice::ReadOnly))
            return emptyDocument();
        const QByteArray bytes = file.readAll();
        file.close();
        auto parsed = std::make_shared<const IniDocument>(IniDocument::fromBytes(bytes));
        const std::optional<FileStamp> after = fileStamp(m_fileName);
        if (after && *after == *before && before->size == bytes.size()) {
            parseCache().store(m_fileName, *after, parsed);
            return parsed;
        }
        if (attempt == 2)
            return parsed;
    }
    return emptyDocument();
}

void TIniFile::modify(const std::function<bool(QStringList &, const IniDocument &)> &edit)
{
    const std::shared_ptr<const IniDocument> current = document();
    QStringList lines = current->lines();
    if (!edit(lines, *current))
        return;
    auto updated = std::make_shared<const IniDocument>(std::move(lines));
    if (!writeFileAtomically(m_fileName, updated->toBytes()))
        throw DvsError(QStringLiteral("Unable to write to %1").arg(m_fileName));
    if (const std::optional<FileStamp> stamp = fileStamp(m_fileName))
        parseCache().store(m_fileName, *stamp, std::move(updated));
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const auto doc = document();
    const IniDocument::Entry *entry = doc->findEntry(section, key);
    if (!entry)
        return defaultValue;
    return entry->value.left(MaxValueLength);
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int defaultValue) const
{
    const auto doc = document();
    const IniDocument::Entry *entry = doc->findEntry(section, key);
    if (!entry)
        return defaultValue;
    return parseInteger(QStringView(entry->value).left(MaxValueLength)).value_or(defaultValue);
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const QString safeSection = lineSafe(section);
    const QString safeKey = lineSafe(key);
    const QString safeValue = lineSafe(value);
    modify([&](QStringList &lines, const IniDocument &doc) {
        const IniDocument::Section *s = doc.findSection(safeSection);
        if (!s) {
            lines.append(QLatin1Char('[') + safeSection + QLatin1Char(']'));
            lines.append(safeKey + QLatin1Char('=') + safeValue);
            return true;
        }
        if (const IniDocument::Entry *e = doc.findEntry(safeSection, safeKey)) {
            const QString line = e->key + QLatin1Char('=') + safeValue;
            if (lines[e->line] == line)
                return false;
            lines[e->line] = line;
            return true;
        }
        // After the section's last non-blank line, so blank lines that part it
        // from the next section stay where they are.
        int at = s->endLine;
        while (at > s->headerLine + 1 && lines[at - 1].trimmed().isEmpty())
            --at;
        lines.insert(at, safeKey + QLatin1Char('=') + safeValue);
        return true;
    });
}

void TIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::EraseSection(const QString &section)
{
    modify([&](QStringList &lines, const IniDocument &doc) {
        const QString folded = IniDocument::fold(section);
        bool changed = false;
        const auto &sections = doc.sections();
        for (auto it = sections.rbegin(); it != sections.rend(); ++it) {
            if (IniDocument::fold(it->name) != folded)
                continue;
            lines.remove(it->headerLine, it->endLine - it->headerLine);
            changed = true;
        }
        return changed;
    });
}

void TIniFile::DeleteKey(const QString &section, const QString &key)
{
    modify([&](QStringList &lines, const IniDocument &doc) {
        const IniDocument::Entry *e = doc.findEntry(section, key);
        if (!e)
            return false;
        lines.removeAt(e->line);
        return true;
    });
}

QStringList TIniFile::ReadSection(const QString &section) const
{
    const auto doc = document();
    const IniDocument::Section *s = doc->findSection(section);
    if (!s)
        return {};
    QStringList keys;
    keys.reserve(qsizetype(s->entries.size()));
    for (const auto &e : s->entries)
        keys.append(e.key);
    return limitListing(keys);
}

QStringList TIniFile::ReadAllSections() const
{
    const auto doc = document();
    QStringList names;
    names.reserve(qsizetype(doc->sections().size()));
    for (const auto &s : doc->sections())
        names.append(s.name);
    return names;
}

QStringList TIniFile::ReadSections() const
{
    return limitListing(ReadAllSections());
}

QStringList TIniFile::ReadSectionValues(const QString &section) const
{
    const auto doc = document();
    const IniDocument::Section *s = doc->findSection(section);
    if (!s)
        return {};
    QStringList values;
    for (const auto &e : s->entries) {
        const IniDocument::Entry *first = doc->findEntry(section, e.key);
        values.append(e.key + QLatin1Char('=') + first->value.left(MaxValueLength));
    }
    return limitListing(values);
}

bool TIniFile::SectionExists(const QString &section) const
{
    const auto doc = document();
    const IniDocument::Section *s = doc->findSection(section);
    return s && !s->entries.empty();
}

bool TIniFile::ValueExists(const QString &section, const QString &key) const
{
    return document()->findEntry(section, key) != nullptr;
}
