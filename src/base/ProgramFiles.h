#pragma once

#include <QString>

// The files beside the executable. Every one is the program folder followed by
// a fixed tail, so a test can run the whole program on a folder of its own.
class ProgramFiles final
{
public:
    explicit ProgramFiles(QString programFolder) : m_folder(std::move(programFolder)) {}

    const QString &folder() const { return m_folder; }
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
};
