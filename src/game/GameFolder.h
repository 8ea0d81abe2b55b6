#pragma once

#include <QString>

#include <optional>

// What a folder holds of the game and the patch, told by the files in it.
class GameFolder final
{
public:
    explicit GameFolder(QString folder) : m_folder(std::move(folder)) {}

    const QString &folder() const { return m_folder; }
    // The folder followed by the file name.
    QString file(const QString &name) const;
    // The file of that name as it is on disk. The game came from a system
    // whose names ignore letter case, so a copy in any case is found.
    std::optional<QString> find(const QString &name) const;
    bool has(const QString &name) const { return find(name).has_value(); }

    // One of the game's executables is there.
    bool holdsGame() const;
    // The game is the Windows edition (its marker file is there).
    bool isWindowsEdition() const;
    // The kind to store once the edition is known: "win", "win+dvp", "dos" or "dos+dvp".
    QString kind() const;

    // The game alone for a DOS edition: the first of its executables that
    // exists, or nothing.
    std::optional<QString> dosGameExecutable() const;

    // A chosen folder as it is stored: without separators at its end, so a
    // drive or file-system root becomes "C:" or "".
    static QString trimmed(const QString &chosen);

    static bool isWindowsKind(const QString &kind)
    {
        return kind == QLatin1String("win") || kind == QLatin1String("win+dvp");
    }
    // The patch executable for a game kind, or nothing when the kind has no patch.
    static std::optional<QString> patchExecutable(const QString &kind);

private:
    QString m_folder;
};
