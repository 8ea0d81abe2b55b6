#pragma once

#include <QString>

// Where the program's files live: beside the executable (a build folder, a
// copy on a USB stick), or in the user's own folder when the program is
// installed where the user may not write.
enum class FilesHome
{
    BesideProgram,
    UserFolder
};

// The program's files. Every one is the home folder followed by a fixed tail,
// so a test can run the whole program on a folder of its own.
class ProgramFiles final
{
public:
    explicit ProgramFiles(QString folder, FilesHome home = FilesHome::BesideProgram)
        : m_folder(std::move(folder)), m_home(home)
    {}

    const QString &folder() const { return m_folder; }
    // Whether the folder is the executable's own, which then also holds the program.
    bool besideProgram() const { return m_home == FilesHome::BesideProgram; }
    QString file(const QString &tail) const;

    QString settingsIni() const { return file(QStringLiteral("\\settings.ini")); }
    QString patchIni() const { return file(QStringLiteral("\\Data\\patch.ini")); }
    QString versionIni() const { return file(QStringLiteral("\\Data\\version.ini")); }
    QString toolIni() const { return file(QStringLiteral("\\Data\\tool.ini")); }
    QString dataIni() const { return file(QStringLiteral("\\Data\\data.ini")); }
    QString helpIni() const { return file(QStringLiteral("\\Data\\help.ini")); }
    QString updateIni() const { return file(QStringLiteral("\\update.ini")); }

private:
    QString m_folder;
    FilesHome m_home;
};
