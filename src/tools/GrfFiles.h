#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// Files below a folder, found whatever the letter case of their names: the
// game came from a system whose names ignore case. Each folder is listed once
// per object, so checking thousands of names costs one listing.
class CaseBlindFiles final
{
public:
    explicit CaseBlindFiles(QString base) : m_base(std::move(base)) {}

    // The path of the file or folder that `relative` names below the base,
    // its parts separated by "\" or "/", or nothing when there is none.
    std::optional<QString> file(const QString &relative) { return find(relative, false); }
    std::optional<QString> folder(const QString &relative) { return find(relative, true); }

private:
    struct Listing
    {
        QSet<QString> files;
        QSet<QString> folders;
        // Lower-case name to the name on disk.
        QHash<QString, QString> foldedFiles;
        QHash<QString, QString> foldedFolders;
    };
    std::optional<QString> find(const QString &relative, bool wantFolder);
    const Listing &listing(const QString &folder);

    QString m_base;
    QHash<QString, Listing> m_listings;
};

// The GRF files of the game's "newgrf" folder and the patch's list of them.
namespace GrfFiles {

// The names of the folder's "*.grf" files (any letter case), sorted as a
// sorted list box sorts them: letter case aside.
QStringList grfNames(const QString &folder);

// The lines of a list file (ended by CR LF, CR or LF), or nothing when it
// cannot be read.
std::optional<QStringList> readList(const QString &path);

// The list file naming `names` in order, "newgrf/" + name and CR LF each;
// nothing when a name holds a character the 8-bit file cannot.
std::optional<QByteArray> composeList(const QStringList &names);

// What the lines of a list file name in a game directory: for each line that
// names an existing file, the line without its first seven characters (the
// folder prefix), and the full path of each line that names nothing.
struct ListMatch
{
    QStringList named;
    QStringList missing;
};
ListMatch matchList(const QStringList &lines, const QString &gameDirectory);

// The list file that a game kind reads its GRF files from, or nothing for a
// kind the patch does not know.
std::optional<QString> listFileFor(const QString &kind);

// Why `name` cannot be the name of an installed file (it would land outside
// the folder, or the file system would refuse it), or an empty text.
QString whyNotInstallable(const QString &name);

// Copies `source` to `target` whole or not at all; with `replace` false an
// existing target is kept and the copy refused. Returns why the copy was
// refused, in the system's words, or an empty text once it is done.
[[nodiscard]] QString copyWhole(const QString &source, const QString &target, bool replace);

} // namespace GrfFiles
