#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

class ComponentNameSet;
class IniSnapshot;
class TIniFile;

// The switch database as the switch editor changes it: a switch at a time,
// each change stamped with the day of the user's change.
namespace SwitchDatabase {

using Rows = QList<std::pair<QString, QString>>;

// `orgdata` with a trailing parenthesised part cut once and "(yyyy-mm-dd)" of
// `today` appended.
QString userDataStamp(const QString &orgdata, const QDate &today);

// Why a new switch cannot be called `name`, or nothing. Its control will be
// named after it, so it must be a valid component name that no section of
// the database and no part of the main window has already.
std::optional<QString> newNameProblem(const QString &name, const IniSnapshot &patch,
                                      const ComponentNameSet &reserved);

// Why `rows` cannot be stored as the switch's other keys, or nothing. Rows
// without key and value are left out beforehand.
std::optional<QString> rowsProblem(const Rows &rows);

// Rewrites the switch's section, "version" first (when given), "component"
// second, then `rows` in their order, and stamps the change; all in one
// write. Raises DvsError when the file refuses it; it is then unchanged.
void saveSwitch(TIniFile &patch, const QString &name, const std::optional<QString> &version, int component,
                const Rows &rows, const QDate &today);
// Erases the switch's section and stamps the change, in one write.
void deleteSwitch(TIniFile &patch, const QString &name, const QDate &today);

} // namespace SwitchDatabase
