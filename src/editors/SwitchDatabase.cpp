#include "SwitchDatabase.h"

#include "ini/TIniFile.h"
#include "switches/ComponentNames.h"

#include <QSet>

namespace SwitchDatabase {

namespace {

const QString kData = QStringLiteral("data");

void stamp(TIniFile::Changes &changes, const IniSnapshot &patch, const QDate &today)
{
    changes.WriteString(
        kData, QStringLiteral("userdata"),
        userDataStamp(patch.ReadString(kData, QStringLiteral("orgdata"), QStringLiteral("Unknown")), today));
    changes.WriteString(kData, QStringLiteral("userchnage"), QStringLiteral("1"));
}

} // namespace

QString userDataStamp(const QString &orgdata, const QDate &today)
{
    QString stamped = orgdata;
    if (const qsizetype open = stamped.indexOf(QLatin1Char('(')); open >= 0)
        stamped.remove(open, stamped.indexOf(QLatin1Char(')')) + 1);
    return stamped + QLatin1Char('(') + today.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(')');
}

std::optional<QString> newNameProblem(const QString &name, const IniSnapshot &patch,
                                      const ComponentNameSet &reserved)
{
    const QString notAdded = QStringLiteral("Switch not added.\n");
    if (name.isEmpty())
        return notAdded + QStringLiteral("A switch needs a name.");
    if (!isValidComponentName(name))
        return notAdded + QStringLiteral("\"%1\" is not a valid name: use letters, digits and \"_\", "
                                         "and begin with a letter or \"_\".")
                              .arg(name);
    const QString folded = name.toCaseFolded();
    for (const QString &section : patch.ReadAllSections()) {
        if (section.toCaseFolded() == folded)
            return notAdded +
                   QStringLiteral("\"%1\" is already a section of the switch database.").arg(section);
    }
    if (reserved.contains(name))
        return notAdded +
               QStringLiteral("\"%1\" is already the name of a part of the main window.").arg(name);
    return std::nullopt;
}

std::optional<QString> rowsProblem(const Rows &rows)
{
    const QString notSaved = QStringLiteral("Switch not saved.\n");
    QSet<QString> seen;
    for (const auto &[key, value] : rows) {
        const QString folded = key.trimmed().toCaseFolded();
        if (folded.isEmpty())
            return notSaved + QStringLiteral("The value \"%1\" has no key.").arg(value.left(40));
        if (folded == QLatin1String("version") || folded == QLatin1String("component"))
            return notSaved + QStringLiteral("The key \"%1\" is set by the Component Type and Switch Version "
                                             "lists only.")
                                  .arg(key);
        if (seen.contains(folded))
            return notSaved + QStringLiteral("The key \"%1\" is given twice.").arg(key);
        seen.insert(folded);
    }
    return std::nullopt;
}

void saveSwitch(TIniFile &patch, const QString &name, const std::optional<QString> &version, int component,
                const Rows &rows, const QDate &today)
{
    TIniFile::Changes changes(patch);
    stamp(changes, patch.snapshot(), today);
    changes.EraseSection(name);
    if (version)
        changes.WriteString(name, QStringLiteral("version"), *version);
    changes.WriteInteger(name, QStringLiteral("component"), component);
    for (const auto &[key, value] : rows)
        changes.WriteString(name, key, value);
    patch.Apply(changes);
}

void deleteSwitch(TIniFile &patch, const QString &name, const QDate &today)
{
    TIniFile::Changes changes(patch);
    changes.EraseSection(name);
    stamp(changes, patch.snapshot(), today);
    patch.Apply(changes);
}

} // namespace SwitchDatabase
