#include "TIniFile.h"

#include "IniDocument.h"
#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "platform/DvsError.h"
#include "platform/FileLock.h"
#include "platform/FileStamp.h"
#include "platform/Paths.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <list>
#include <mutex>
#include <optional>

namespace {

// Parses shared by every TIniFile, keyed by file name, each with the stamp and
// the bytes it was parsed from.
class ParseCache
{
public:
    struct Entry
    {
        FileStamp stamp;
        std::shared_ptr<const IniDocument> document; // holds the bytes it was parsed from
    };

    std::optional<Entry> find(const QString &path, const FileStamp &stamp)
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_entries.constFind(path);
        if (it == m_entries.cend() || !(it->stamp == stamp))
            return std::nullopt;
        m_recent.remove(path);
        m_recent.push_front(path);
        return *it;
    }

    void store(const QString &path, Entry entry)
    {
        std::lock_guard lock(m_mutex);
        if (!m_entries.contains(path) && m_entries.size() >= kCapacity) {
            m_entries.remove(m_recent.back());
            m_recent.pop_back();
        }
        m_recent.remove(path);
        m_recent.push_front(path);
        m_entries.insert(path, std::move(entry));
    }

private:
    static constexpr qsizetype kCapacity = 64;
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

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// A name the file can hold and give back: no line break, no blank at either
// end (the reader drops them), and nothing the reader takes for the end of
// the name or for a comment.
bool isStorableName(const QString &name, bool key)
{
    if (hasLineBreak(name) || (!name.isEmpty() && (isBlank(name.front()) || isBlank(name.back()))))
        return false;
    if (key)
        return !name.isEmpty() && !name.contains(QLatin1Char('=')) && !name.startsWith(QLatin1Char(';')) &&
               !name.startsWith(QLatin1Char('['));
    return !name.contains(QLatin1Char(']'));
}

} // namespace

QString TIniFile::refusal(const QString &reason) const
{
    return QStringLiteral("Unable to write to %1\n%2").arg(m_fileName, reason);
}

TIniFile::TIniFile(QString fileName) : m_fileName(std::move(fileName)) {}

TIniFile::Loaded TIniFile::load() const
{
    // A file replaced while we read it is read again; after a few tries the
    // parse is used once without being kept.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::optional<FileStamp> before = fileStamp(m_fileName);
        if (!before) {
            // No file reads as empty; something else in its place cannot be written either.
            return {emptyDocument(), !QFileInfo::exists(m_fileName)};
        }
        const std::optional<ParseCache::Entry> cached = parseCache().find(m_fileName, *before);
        if (cached && !mayHideAChange(*before))
            return {cached->document};

        QFile file(m_fileName);
        if (!file.open(QIODevice::ReadOnly))
            return {emptyDocument(), false};
        const QByteArray bytes = file.readAll();
        file.close();
        const std::optional<FileStamp> after = fileStamp(m_fileName);
        const bool settled = after && *after == *before && before->size == bytes.size();
        if (!settled && attempt < 2)
            continue;
        if (cached && cached->document->bytes() == bytes)
            return {cached->document};
        auto parsed = std::make_shared<const IniDocument>(IniDocument::fromBytes(bytes));
        if (settled)
            parseCache().store(m_fileName, {*after, parsed});
        return {parsed};
    }
    return {emptyDocument(), false};
}

IniSnapshot TIniFile::snapshot() const
{
    return IniSnapshot(load().document);
}

std::optional<QByteArray> TIniFile::edited(std::shared_ptr<const IniDocument> document,
                                           const std::vector<Edit> &edits) const
{
    const QByteArray before = document->bytes();
    for (const Edit &edit : edits) {
        const std::vector<IniDocument::LineEdit> lines = edit(*document);
        if (lines.empty())
            continue;
        const std::optional<QByteArray> bytes = document->edited(lines);
        if (!bytes)
            throw DvsError(QStringLiteral("Unable to write to %1").arg(m_fileName));
        document = std::make_shared<const IniDocument>(IniDocument::fromBytes(*bytes));
    }
    if (document->bytes() == before)
        return std::nullopt;
    return document->bytes();
}

void TIniFile::Apply(const Changes &changes)
{
    const QString failed = QStringLiteral("Unable to write to %1").arg(m_fileName);
    // A write that only repeats what is stored needs neither the lock nor the
    // disk, so it passes even where the folder refuses writes.
    const Loaded peek = load();
    std::optional<QByteArray> peeked;
    if (peek.readable && !(peeked = edited(peek.document, changes.m_edits)))
        return;
    // Another copy of the program may be changing the file too: each reads
    // what the other wrote before changing it.
    const FileLock lock(AtomicFileDetail::replacedFile(m_fileName));
    if (lock.state() == FileLock::State::Busy)
        throw DvsError(refusal(QStringLiteral("Another program kept it busy; nothing was written.")));
    if (!lock.isHeld())
        throw DvsError(failed);
    const Loaded current = load();
    if (!current.readable)
        throw DvsError(failed);
    // Unless the file changed meanwhile, the edits are already made.
    const std::optional<QByteArray> bytes = peek.readable && current.document == peek.document
                                                ? peeked
                                                : edited(current.document, changes.m_edits);
    if (!bytes)
        return;
    if (!writeFileAtomically(m_fileName, *bytes))
        throw DvsError(failed);
    // Reads are served from what reached the disk, never from what was asked.
    if (const std::optional<FileStamp> stamp = fileStamp(m_fileName))
        parseCache().store(m_fileName,
                           {*stamp, std::make_shared<const IniDocument>(IniDocument::fromBytes(*bytes))});
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    Apply(Changes(*this).WriteString(section, key, value));
}

TIniFile::Changes &TIniFile::Changes::WriteString(const QString &section, const QString &key,
                                                  const QString &value)
{
    const auto refusal = [this](const QString &reason) { return m_file.refusal(reason); };
    const QString safeSection = IniDocument::givenName(section);
    const QString safeKey = IniDocument::givenName(key);
    if (!isStorableName(safeSection, false))
        throw DvsError(refusal(QStringLiteral("\"%1\" cannot be the name of a section.").arg(section)));
    if (!isStorableName(safeKey, true))
        throw DvsError(refusal(QStringLiteral("\"%1\" cannot be the name of a key.").arg(key)));
    if (hasLineBreak(value))
        throw DvsError(refusal(QStringLiteral("The value of %1 holds a line break.").arg(safeKey)));
    for (const QString &text : {safeSection, safeKey, value}) {
        if (!Cp1252::canEncode(text))
            throw DvsError(Cp1252::refusal(m_file.FileName(), text));
    }
    // The reader drops blanks at either end and one pair of enclosing quotes,
    // double or single; such a value is stored inside one more pair of double
    // quotes, so it reads back as given.
    const bool quoted =
        !value.isEmpty() && (isBlank(value.front()) || isBlank(value.back()) ||
                             (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                              value.back() == value.front()));
    const QString safeValue = quoted ? QLatin1Char('"') + value + QLatin1Char('"') : value;
    m_edits.push_back([=](const IniDocument &doc) -> std::vector<IniDocument::LineEdit> {
        const IniDocument::Section *s = doc.findSection(safeSection);
        if (!s) {
            return {{doc.lineCount(),
                     0,
                     {QLatin1Char('[') + safeSection + QLatin1Char(']'),
                      safeKey + QLatin1Char('=') + safeValue}}};
        }
        if (const IniDocument::Entry *e = doc.findEntry(safeSection, safeKey)) {
            const QString line = doc.key(*e) + QLatin1Char('=') + safeValue;
            if (doc.lineOf(*e) == line)
                return {};
            return {{e->line, 1, {line}}};
        }
        // After the section's last non-blank line, so blank lines that part it
        // from the next section stay where they are.
        return {{s->contentEnd, 0, {safeKey + QLatin1Char('=') + safeValue}}};
    });
    return *this;
}

void TIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::WritePath(const QString &section, const QString &key, const QString &path)
{
    WriteString(section, key, Paths::storedText(path));
}

TIniFile::Changes &TIniFile::Changes::WritePath(const QString &section, const QString &key,
                                                const QString &path)
{
    return WriteString(section, key, Paths::storedText(path));
}

void TIniFile::EraseSection(const QString &section)
{
    Apply(Changes(*this).EraseSection(section));
}

TIniFile::Changes &TIniFile::Changes::EraseSection(const QString &section)
{
    m_edits.push_back([section](const IniDocument &doc) {
        const QString folded = IniDocument::fold(IniDocument::givenName(section));
        std::vector<IniDocument::LineEdit> edits;
        for (const IniDocument::Section &s : doc.sections()) {
            if (IniDocument::fold(doc.name(s)) == folded)
                edits.push_back({s.headerLine, s.endLine - s.headerLine, {}});
        }
        return edits;
    });
    return *this;
}

void TIniFile::DeleteKey(const QString &section, const QString &key)
{
    Apply(Changes(*this).DeleteKey(section, key));
}

TIniFile::Changes &TIniFile::Changes::DeleteKey(const QString &section, const QString &key)
{
    m_edits.push_back([section, key](const IniDocument &doc) -> std::vector<IniDocument::LineEdit> {
        const IniDocument::Entry *e = doc.findEntry(section, key);
        if (!e)
            return {};
        return {{e->line, 1, {}}};
    });
    return *this;
}
