#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// One parse of an INI file's text: its lines as they stand, and an index of the
// sections and keys that reads look at. Names are matched case-folded; when a
// section or key occurs twice, the first occurrence is the one reads see.
// Lines whose first non-blank character is ";" are comments, never keys.
class IniDocument final
{
public:
    struct Entry
    {
        QString key;
        QString value; // trimmed, one pair of enclosing double quotes removed
        int line = 0;
    };

    struct Section
    {
        QString name;
        int headerLine = 0;
        int endLine = 0; // one past the section's last line
        std::vector<Entry> entries;
        QHash<QString, int> firstEntry; // folded key -> index into entries
    };

    IniDocument() = default;
    explicit IniDocument(QStringList lines);

    static IniDocument fromBytes(const QByteArray &bytes);
    // Nothing when a line holds a character the file's code page cannot.
    std::optional<QByteArray> toBytes() const;

    const QStringList &lines() const { return m_lines; }
    const std::vector<Section> &sections() const { return m_sections; }

    const Section *findSection(const QString &name) const;
    const Entry *findEntry(const QString &section, const QString &key) const;

    static QString fold(const QString &name) { return name.toCaseFolded(); }
    // A name given by a caller, without the spaces around it, as names in
    // the file are read.
    static QString givenName(const QString &name);

private:
    QStringList m_lines;
    std::vector<Section> m_sections;
    QHash<QString, int> m_firstSection;
};
