#pragma once

#include "IniSnapshot.h"

#include <QString>
#include <QStringList>

#include "IniDocument.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Access to one INI file. Every read sees the file as it is on disk now, and
// every write has reached the disk, whole and atomically, before it returns.
// Section and key names are compared without regard to case.
//
// Reads are served from a parse shared by all objects on the same file. It is
// reused only while the file's identity, size and change times are unchanged,
// and while those times are too recent to tell two versions apart, only after
// the file's bytes were found unchanged; so a write through another object or
// by another program is seen at once.
class TIniFile final
{
public:
    static constexpr int MaxValueLength = IniSnapshot::MaxValueLength;
    static constexpr int MaxListingBytes = IniSnapshot::MaxListingBytes;

    explicit TIniFile(QString fileName);

    const QString &FileName() const { return m_fileName; }

    // All reads of the file as it is now, from one parse.
    IniSnapshot snapshot() const;

    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const
    {
        return snapshot().ReadString(section, key, defaultValue);
    }
    // A folder or file path written by WritePath, in any script.
    QString ReadPath(const QString &section, const QString &key, const QString &defaultValue) const
    {
        return snapshot().ReadPath(section, key, defaultValue);
    }
    int ReadInteger(const QString &section, const QString &key, int defaultValue) const
    {
        return snapshot().ReadInteger(section, key, defaultValue);
    }
    bool ReadBool(const QString &section, const QString &key, bool defaultValue) const
    {
        return snapshot().ReadBool(section, key, defaultValue);
    }
    QStringList ReadSection(const QString &section) const { return snapshot().ReadSection(section); }
    QStringList ReadSections() const { return snapshot().ReadSections(); }
    QStringList ReadSectionValues(const QString &section) const
    {
        return snapshot().ReadSectionValues(section);
    }
    QStringList ReadAllSections() const { return snapshot().ReadAllSections(); }
    bool SectionExists(const QString &section) const { return snapshot().SectionExists(section); }
    bool ValueExists(const QString &section, const QString &key) const
    {
        return snapshot().ValueExists(section, key);
    }

    // Names are given without the spaces around them, as the file's names are
    // read. Each write raises DvsError "Unable to write to <file>" when the file
    // system refuses it, when the file exists but cannot be read (writing would
    // lose what it holds), when another program keeps the file busy, or when
    // the text cannot be stored as given (a character outside the file's code
    // page, a line break, a name the reader would not give back); the file on
    // disk is then unchanged.
    void WriteString(const QString &section, const QString &key, const QString &value);
    // Stores a path so that it reads back the same whatever its script.
    void WritePath(const QString &section, const QString &key, const QString &path);
    void WriteInteger(const QString &section, const QString &key, int value);
    void WriteBool(const QString &section, const QString &key, bool value);
    void EraseSection(const QString &section);
    void DeleteKey(const QString &section, const QString &key);
    void UpdateFile() {}

    using Edit = std::function<std::vector<IniDocument::LineEdit>(const IniDocument &doc)>;

    // Changes to one file, each as the write of that name makes it, that reach
    // the disk together in one write or not at all. Text the file cannot hold
    // is refused as the change is added, before anything is written.
    class Changes final
    {
    public:
        explicit Changes(const TIniFile &file) : m_file(file) {}
        Changes &WriteString(const QString &section, const QString &key, const QString &value);
        Changes &WriteInteger(const QString &section, const QString &key, int value)
        {
            return WriteString(section, key, QString::number(value));
        }
        Changes &WritePath(const QString &section, const QString &key, const QString &path);
        Changes &EraseSection(const QString &section);
        Changes &DeleteKey(const QString &section, const QString &key);
        bool isEmpty() const { return m_edits.empty(); }

    private:
        friend class TIniFile;
        const TIniFile &m_file;
        std::vector<Edit> m_edits;
    };
    void Apply(const Changes &changes);

private:
    struct Loaded
    {
        std::shared_ptr<const IniDocument> document;
        bool readable = true;
    };
    Loaded load() const;
    // The file's bytes after each of `edits` in turn, or nothing when they leave it as it is.
    std::optional<QByteArray> edited(std::shared_ptr<const IniDocument> document,
                                     const std::vector<Edit> &edits) const;
    // "Unable to write to <file>" followed by why.
    QString refusal(const QString &reason) const;

    QString m_fileName;
};
