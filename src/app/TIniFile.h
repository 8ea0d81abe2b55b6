#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class IniDocument;

// Access to one INI file. Every read sees the file as it is on disk now, and
// every write has reached the disk, whole and atomically, before it returns.
// Section and key names are compared without regard to case.
//
// Reads are served from a parse shared by all objects on the same file, reused
// only while the file's identity, size and change times are unchanged, so a
// write through another object or by another program is seen at once.
class TIniFile final
{
public:
    static constexpr int MaxValueLength = 2047;
    static constexpr int MaxListingBytes = 16384;

    explicit TIniFile(QString fileName);

    const QString &FileName() const { return m_fileName; }

    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;
    int ReadInteger(const QString &section, const QString &key, int defaultValue) const;
    bool ReadBool(const QString &section, const QString &key, bool defaultValue) const;

    // Each raises DvsError "Unable to write to <file>" when the file system
    // refuses the write; the file on disk is then unchanged.
    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int value);
    void WriteBool(const QString &section, const QString &key, bool value);
    void EraseSection(const QString &section);
    void DeleteKey(const QString &section, const QString &key);
    void UpdateFile() {}

    // The three listings see at most MaxListingBytes of names, each counted
    // with one terminating byte; later names are left out.
    QStringList ReadSection(const QString &section) const;
    QStringList ReadSections() const;
    QStringList ReadSectionValues(const QString &section) const;

    // Every section name, in file order, without the listing limit.
    QStringList ReadAllSections() const;

    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;

private:
    std::shared_ptr<const IniDocument> document() const;
    void modify(const std::function<bool(QStringList &lines, const IniDocument &doc)> &edit);

    QString m_fileName;
};
