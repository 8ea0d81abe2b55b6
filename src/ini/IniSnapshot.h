#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class IniDocument;

// The reads of an INI file, answered from one parse of it: a consistent view
// of the file as it was when the snapshot was taken. A handler that reads many
// keys at once (building the switch panel, writing a configuration file) reads
// them from one snapshot instead of checking the file before every key.
class IniSnapshot final
{
public:
    static constexpr int MaxValueLength = 2047;
    static constexpr int MaxListingBytes = 16384;

    explicit IniSnapshot(std::shared_ptr<const IniDocument> document);

    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;
    QString ReadPath(const QString &section, const QString &key, const QString &defaultValue) const;
    int ReadInteger(const QString &section, const QString &key, int defaultValue) const;
    bool ReadBool(const QString &section, const QString &key, bool defaultValue) const;

    // The three listings see at most MaxListingBytes of names, each counted
    // with one terminating byte; later names are left out.
    QStringList ReadSection(const QString &section) const;
    QStringList ReadSections() const;
    QStringList ReadSectionValues(const QString &section) const;

    // Every section name, in file order, without the listing limit.
    QStringList ReadAllSections() const;
    // Every key of the section with its whole value, in file order, without
    // the listing and length limits: what an editor must show to lose nothing.
    QList<std::pair<QString, QString>> ReadWholeSection(const QString &section) const;

    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;

private:
    std::shared_ptr<const IniDocument> m_document;
};
