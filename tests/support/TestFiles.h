#pragma once

#include "QtPrinters.h"

#include "base/ProgramFiles.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>

// Windows-1252 bytes of a text written with "\n" line ends, each becoming CR LF.
QByteArray crlf(const QString &text);

void writeBytes(const QString &path, const QByteArray &bytes);
// Writes `bytes` as a file its owner may run, and gives back `path`.
QString writeProgram(const QString &path, const QByteArray &bytes);
// Writes `text` as Windows-1252 with CR LF line ends.
void writeText(const QString &path, const QString &text);
// The head of an executable: an MZ file whose new header is `header` (such
// as a PE signature and its machine), or a DOS program's without one.
QByteArray mzFile(const QByteArray &header = {});
// A 32-bit Windows program's head.
QByteArray windowsProgram();
QByteArray readBytes(const QString &path);
// Sets the file's time an hour back, as of a file another program wrote long ago.
void makeOld(const QString &path);

// Runs `action` with the rights of an ordinary user (user and group 65534, no
// other groups) when the tests run as root, for whom every file would be
// readable and writable; as anyone else, with their own rights. False, with
// nothing run, when the rights cannot be dropped here.
bool asOrdinaryUser(const std::function<void()> &action);
// Gives a file or folder to that ordinary user (where the tests may) with
// these permission bits.
void giveToOrdinaryUser(const QString &path, int mode);

// The message of the error `action` raises, or "<no error>".
QString errorOf(const std::function<void()> &action);
// Runs `action` with every file limited to `bytes`, so that a longer write
// fails part-way, as it would on a full disk.
void withFileSizeLimit(long bytes, const std::function<void()> &action);

// A program folder of its own for one test: settings.ini beside a Data folder.
class TestProgramFolder final
{
public:
    TestProgramFolder();

    const ProgramFiles &files() const { return m_files; }
    QString path() const { return m_dir.path(); }

    void writeSettings(const QString &text) { writeText(m_files.settingsIni(), text); }
    void writePatch(const QString &text) { writeText(m_files.patchIni(), text); }
    void writeVersions(const QString &text) { writeText(m_files.versionIni(), text); }
    // Copies one file of the shipped sample data into this folder's Data folder.
    void copySampleData(const QString &name);

private:
    QTemporaryDir m_dir;
    ProgramFiles m_files;
};
