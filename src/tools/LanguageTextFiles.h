#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The patch's language text in a game directory: the text file, its backup,
// the new file the patch's tool may leave beside it, and the tool itself.
// Names are found in any letter case; a missing one is named as written.
class LanguageTextFiles final
{
public:
    explicit LanguageTextFiles(QString gameDirectory) : m_directory(std::move(gameDirectory)) {}

    QString text() const { return path(QStringLiteral("zvtdvtxt.txt")); }
    QString backup() const { return path(QStringLiteral("zvtdvtxt.bak")); }
    QString fresh() const { return path(QStringLiteral("zvtdvtxt.new")); }
    QString tool() const { return path(QStringLiteral("mkdvtxt.exe")); }

    bool hasText() const;
    bool hasBackup() const;
    bool hasFresh() const;

    // The text file's lines, or nothing when it cannot be read.
    std::optional<QStringList> readText() const;

    // Each of these raises DvsError with the reason when the file system
    // refuses, and then changes nothing.
    void writeText(const QStringList &lines) const;
    // The new file takes the text file's place; it is removed only once its
    // content is safely in the text file.
    void replaceTextWithFresh() const;
    void backUpText() const;
    // The text file moves out of the tool's way under a fresh name beside it,
    // and back when the tool did not start, so that it is never lost to a tool
    // that cannot run.
    QString setTextAside() const;
    void putTextBack(const QString &aside) const;

private:
    QString path(const QString &name) const;

    QString m_directory;
};
