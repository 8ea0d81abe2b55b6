#pragma once

#include "ini/TIniFile.h"

#include <QString>
#include <QStringList>

#include <optional>

// The patch versions in section "version" of version.ini, as the version
// editor reads and changes them: "number" counts them, version i has its
// long name in "display" + i and its short name in "number" + i, and the
// short name itself is a key holding i. Each change reaches the disk in one
// write, or raises DvsError and leaves the file as it was.
class VersionList final
{
public:
    struct Version
    {
        int number = 0;
        QString shortName;
        QString display;
    };

    explicit VersionList(const QString &fileName) : m_file(fileName) {}

    // The number a new version takes: one past "number", or past the last
    // version present when "number" is missing or not an integer.
    int nextNumber() const;
    // The long names of versions 1 to "number", "WRONG" for one that is
    // missing; a "number" beyond the last version present lists up to it only.
    QStringList displays() const;
    // The last version whose long name is `display`.
    std::optional<Version> find(const QString &display) const;

    // Why `shortName` cannot be the short name of version `number`, or
    // nothing: it must not be empty, nor a key of the list's own, nor
    // another version's short name, or it would overwrite that key.
    std::optional<QString> shortNameProblem(const QString &shortName, int number) const;

    void saveNew(int number, const QString &display, const QString &shortName);
    void saveExisting(int number, const QString &display, const QString &shortName);
    // Deletes version `number` and moves every later one down by one.
    void remove(int number);

private:
    // The highest version number to look at: "number", but no further than
    // the last version whose keys are present.
    int listedCount(const IniSnapshot &list, int defaultValue = 1) const;

    TIniFile m_file;
};
