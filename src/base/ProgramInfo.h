#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// Facts about the program itself, defined once for every window that shows or
// uses them.
namespace ProgramInfo {

inline const QString Title = QStringLiteral("Dravopax Vevavav");
inline const QString VersionText = QStringLiteral("0.9.92 (2004-07-22)");
inline const QString VersionNumber = QStringLiteral("0");
inline const QString HomePage = QStringLiteral("http://dravopax-vevavav.example.org/");
inline const QString AuthorMail = QStringLiteral("author@dravopax-vevavav.example.org");
inline const QString MaintainerContact = QStringLiteral("maintainer@dravopax-vevavav.example.org");
// The game's own key in the machine-wide registry.
inline const QString GameRegistryKey = QStringLiteral("Software\\Quillmark\\Zorvantia");
// The game's settings there that the program shows in its menu.
inline const QStringList GameSettingNames = {QStringLiteral("FullScreen"), QStringLiteral("SafeMode"),
                                             QStringLiteral("UpdateMode"), QStringLiteral("MidiType"),
                                             QStringLiteral("MousePointer")};
// The values "Create Registry Entry" writes there: the game's settings after its own setup.
inline const QList<std::pair<QString, int>> GameRegistryDefaults = {
    {QStringLiteral("DisplayModeNumber"), 3}, {QStringLiteral("ForceDIBSection"), 0},
    {QStringLiteral("Fullscreen"), 1},        {QStringLiteral("Installed"), 3},
    {QStringLiteral("Language"), 3},          {QStringLiteral("MidiType"), 0},
    {QStringLiteral("MousePointer"), 0},      {QStringLiteral("RetraceSync"), 0},
    {QStringLiteral("SafeMode"), 0},          {QStringLiteral("UpdateMode"), 1},
};
// Where the two download offers for the patch itself lead.
inline const QString PatchHomePage = QStringLiteral("http://dravopax.example.org/");

} // namespace ProgramInfo
