#pragma once

#include "ini/TIniFile.h"

#include <QRect>
#include <QString>

#include <optional>

// settings.ini: every key of the program's settings, with its section and the
// value a reader sees while it is absent, is named here and nowhere else.
// Reads see the file as it is now and every change is on disk when its call
// returns, so the settings are never loaded or saved as a whole. A change the
// file system refuses raises DvsError "Unable to write to <file>".
class ProgramSettings final
{
public:
    explicit ProgramSettings(QString fileName) : m_file(std::move(fileName)) {}

    const QString &fileName() const { return m_file.FileName(); }

    // The patch version picked, "ver" followed by its number in version.ini.
    // What an absent key stands for differs by reader, so each reading is
    // named for its use.
    bool patchVersionStored() const;
    // Absent: "1", the reading of the panel, the start and the title.
    QString patchVersion() const;
    // Absent: "UNKNOWN", as a configuration file's heading names it.
    QString patchVersionForConfig() const;
    // Whether the version picked is the one named `name` (absent is none).
    bool isPatchVersion(const QString &name) const;
    // Whether a version is stored that the version list must hold; "NO", like
    // an absent key, is none.
    bool patchVersionToCheck() const;
    void setPatchVersion(const QString &name);

    bool look3D() const;
    void setLook3D(bool on);
    // The game's pointer over the window ("mouse").
    bool gameCursor() const;
    void setGameCursor(bool on);
    // The folder file dialogs start in, "0" while none was used.
    QString lastDir() const;
    // Stores the folder of a chosen file, with a separator at its end.
    void setLastDirOf(const QString &fileName);
    // Save commands overwrite without asking ("saveconf").
    bool overwriteWithoutAsking() const;
    void setOverwriteWithoutAsking(bool on);
    // The GRF manager's reading of the same key: it asks before it saves
    // unless the key says otherwise.
    bool grfManagerAsksBeforeSave() const;

    bool maximized() const;
    void setMaximized(bool on);
    // The start's reading of the same key: maximized only when it is 1.
    bool maximizedAtStart() const;
    // Remember the main window's bounds ("position").
    bool rememberPosition() const;
    void setRememberPosition(bool on);
    // The stored bounds, each nothing while absent or not a number.
    std::optional<int> left() const;
    std::optional<int> top() const;
    std::optional<int> width() const;
    std::optional<int> height() const;
    void setBounds(const QRect &bounds);

    // After a start: true ends the program, false minimizes it ("afterruntt").
    bool exitAfterRun() const;
    void setExitAfterRun(bool on);
    // The Run button's mode, 0 to 4 as stored.
    int runMode() const;
    void setRunMode(int mode);
    // The toolbar's side, 0 to 3 as stored ("menu").
    int menuPosition() const;
    void setMenuPosition(int position);
    bool menuText() const;
    void setMenuText(bool shown);
    // The configuration file loaded at every start, nothing while none is chosen.
    std::optional<QString> startupFile() const;
    void setStartupFile(const QString &path);
    void clearStartupFile();
    // The program's starts counted so far ("counter").
    int startCount() const;
    void setStartCount(int count);
    // The about window's reading: absent, this start is the first.
    int startCountShown() const;
    // Never written: what a user may add by hand.
    int waitTime() const;
    int ping() const;

    // The game's folder, "0" while none is stored ("dir" of section zvt).
    bool gameDirectoryStored() const;
    QString gameDirectory() const;
    void setGameDirectory(const QString &folder);
    // The DOSBox program that runs the DOS edition ("dosbox"): a name looked
    // for on the PATH or a full path, "dosbox" while none is stored.
    QString dosboxProgram() const;
    // Stores it; an empty text goes back to "dosbox".
    void setDosboxProgram(const QString &program);
    // The game's kind ("version" of section zvt), "0" while none is stored.
    QString gameKind() const;
    void setGameKind(const QString &kind);

private:
    bool readBool(const QString &key, bool absent) const;
    void writeBool(const QString &key, bool value);
    int readInteger(const QString &key, int absent) const;
    void writeInteger(const QString &key, int value);
    std::optional<int> readNumber(const QString &key) const;

    TIniFile m_file;
};
