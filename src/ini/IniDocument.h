#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// One parse of an INI file: the file's bytes, kept once, and an index of the
// sections and keys that reads look at, by their places in those bytes. Text
// is decoded only when a read asks for it, so a parse costs little more memory
// than the file itself. Names are matched case-folded; when a section or key
// occurs twice, the first occurrence is the one reads see. Lines whose first
// non-blank character is ";" are comments, never keys.
class IniDocument final
{
public:
    struct Entry
    {
        quint32 keyStart = 0;
        quint32 keyLength = 0;
        quint32 valueStart = 0; // trimmed, one pair of enclosing quotes (" or ') removed
        quint32 valueLength = 0;
        int line = 0;
    };

    struct Section
    {
        quint32 nameStart = 0;
        quint32 nameLength = 0;
        int headerLine = 0;
        int endLine = 0;    // one past the section's last line
        int contentEnd = 0; // one past its last line that is not blank
        quint32 firstEntry = 0;
        quint32 entryCount = 0;
    };

    // One change of the file's lines: at `line`, `removed` lines are dropped
    // and `inserted` put in their place.
    struct LineEdit
    {
        int line = 0;
        int removed = 0;
        QStringList inserted;
    };

    IniDocument() = default;

    static IniDocument fromBytes(QByteArray bytes);

    // The bytes the parse was made from, as they were read.
    const QByteArray &bytes() const { return m_bytes; }
    const std::vector<Section> &sections() const { return m_sections; }
    int lineCount() const { return m_lineCount; }
    const Entry *entriesOf(const Section &section) const { return m_entries.data() + section.firstEntry; }

    const Section *findSection(const QString &name) const;
    const Entry *findEntry(const QString &section, const QString &key) const;

    QString name(const Section &section) const;
    QString key(const Entry &entry) const;
    // The value, or its first `maxLength` characters.
    QString value(const Entry &entry, qsizetype maxLength = -1) const;
    // The entry's whole line as it stands in the file.
    QString lineOf(const Entry &entry) const;

    // The file's text after the edits, ordered by line and not overlapping,
    // each line ended by CR LF; nothing when an inserted line holds a
    // character the file's code page cannot.
    std::optional<QByteArray> edited(const std::vector<LineEdit> &edits) const;

    static QString fold(const QString &name) { return name.toCaseFolded(); }
    // A name given by a caller, without the spaces around it, as names in
    // the file are read.
    static QString givenName(const QString &name);

private:
    // Open addressing: each slot holds an index + 1, or 0 when free.
    static std::vector<quint32> newTable(std::size_t count);
    bool sameName(quint32 start, quint32 length, QStringView folded) const;
    bool sameNames(quint32 start, quint32 length, quint32 otherStart, quint32 otherLength) const;
    quint32 hashOf(quint32 start, quint32 length) const;
    void index();

    QByteArray m_bytes;
    qsizetype m_textStart = 0; // after a byte-order mark
    int m_lineCount = 0;
    std::vector<Section> m_sections;
    std::vector<Entry> m_entries;
    std::vector<quint32> m_sectionTable;
    std::vector<quint32> m_entryTable;
};
