#pragma once

#include "ini/TIniFile.h"

#include <QString>
#include <QStringList>

#include <optional>

// The user's shortcuts in section "programs" of tool.ini: "number" counts
// them, shortcut N has its name in "display" + N and its file in "path" + N.
// Each change reaches the disk in one write, so no reader ever sees a count
// beyond the keys present; a refused write raises DvsError and changes nothing.
class ShortcutList final
{
public:
    struct Shortcut
    {
        QString display;
        QString path;
    };

    explicit ShortcutList(const QString &fileName) : m_file(fileName) {}

    // The Tools menu's entries, shortcut 1 first; none when the file has no
    // section "programs".
    QList<Shortcut> menuEntries() const;
    // The editor's list of names.
    QStringList displays() const;
    // The first shortcut named `display`.
    std::optional<int> find(const QString &display) const;
    QString path(int number) const;

    void add(const QString &display, const QString &path);
    void setPath(int number, const QString &path);
    void rename(int number, const QString &display);
    // Deletes shortcut `number` and moves every later one down by one.
    void remove(int number);

private:
    int count(const IniSnapshot &tools, int defaultValue) const;

    TIniFile m_file;
};
