#include "VersionList.h"

#include "ini/NumberedKeys.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

const QString kVersion = QStringLiteral("version");

QString display(int i)
{
    return QStringLiteral("display%1").arg(i);
}

QString shortKey(int i)
{
    return QStringLiteral("number%1").arg(i);
}

// The keys the list keeps for itself, whatever their number.
bool isListKey(const QString &name)
{
    static const QRegularExpression own(QStringLiteral("^(number|(display|number)[0-9]+)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    return own.match(name.trimmed()).hasMatch();
}

// Whether a short name read from the file can have its reverse key: a
// damaged list may hold one that is empty, one of the list's own keys, or
// one no key can be named.
bool hasReverseKey(const QString &shortName)
{
    const QString name = shortName.trimmed();
    return !name.isEmpty() && !isListKey(name) && !name.contains(QLatin1Char('=')) &&
           !name.startsWith(QLatin1Char('[')) && !name.startsWith(QLatin1Char(';'));
}

} // namespace

int VersionList::nextNumber() const
{
    return ::nextNumber(m_file.snapshot(), kVersion, QStringLiteral("number"),
                        {QStringLiteral("display"), QStringLiteral("number")});
}

int VersionList::listedCount(const IniSnapshot &list, int defaultValue) const
{
    return ::listedCount(list.ReadInteger(kVersion, QStringLiteral("number"), defaultValue), list, kVersion,
                         {QStringLiteral("display"), QStringLiteral("number")});
}

QStringList VersionList::displays() const
{
    const IniSnapshot list = m_file.snapshot();
    QStringList names;
    for (int i = 1, last = listedCount(list); i <= last; ++i)
        names.append(list.ReadString(kVersion, display(i), QStringLiteral("WRONG")));
    return names;
}

std::optional<VersionList::Version> VersionList::find(const QString &displayed) const
{
    const IniSnapshot list = m_file.snapshot();
    std::optional<Version> found;
    for (int i = 1, last = listedCount(list); i <= last; ++i) {
        if (list.ReadString(kVersion, display(i), QStringLiteral("WRONG")) == displayed)
            found = Version{i, list.ReadString(kVersion, shortKey(i), QStringLiteral("WRONG")), displayed};
    }
    return found;
}

std::optional<QString> VersionList::shortNameProblem(const QString &shortName, int number) const
{
    const QString notSaved = QStringLiteral("Version not saved.\n");
    if (shortName.trimmed().isEmpty())
        return notSaved + QStringLiteral("You do not type either:\nLong or Short Version");
    if (isListKey(shortName))
        return notSaved +
               QStringLiteral("\"%1\" is a name the version list keeps for itself.").arg(shortName);
    const IniSnapshot list = m_file.snapshot();
    const QString folded = shortName.trimmed().toCaseFolded();
    for (int i = 1, last = listedCount(list); i <= last; ++i) {
        if (i != number &&
            list.ReadString(kVersion, shortKey(i), QString()).trimmed().toCaseFolded() == folded)
            return notSaved +
                   QStringLiteral("\"%1\" is already the short name of version %2.").arg(shortName).arg(i);
    }
    return std::nullopt;
}

void VersionList::saveNew(int number, const QString &displayed, const QString &shortName)
{
    m_file.Apply(TIniFile::Changes(m_file)
                     .WriteInteger(kVersion, QStringLiteral("number"), number)
                     .WriteString(kVersion, display(number), displayed)
                     .WriteInteger(kVersion, shortName, number)
                     .WriteString(kVersion, shortKey(number), shortName));
}

void VersionList::saveExisting(int number, const QString &displayed, const QString &shortName)
{
    TIniFile::Changes changes(m_file);
    changes.WriteString(kVersion, display(number), displayed);
    const QString old = m_file.ReadString(kVersion, shortKey(number), QStringLiteral("0"));
    // A damaged list may name one of its own keys as a short name; that key stays.
    if (hasReverseKey(old))
        changes.DeleteKey(kVersion, old);
    changes.WriteString(kVersion, shortKey(number), shortName).WriteInteger(kVersion, shortName, number);
    m_file.Apply(changes);
}

void VersionList::remove(int number)
{
    const IniSnapshot list = m_file.snapshot();
    const int last = listedCount(list);
    TIniFile::Changes changes(m_file);
    changes.DeleteKey(kVersion, display(number));
    const QString removed = list.ReadString(kVersion, shortKey(number), QStringLiteral("UNKNOWN"));
    changes.DeleteKey(kVersion, shortKey(number));
    if (hasReverseKey(removed))
        changes.DeleteKey(kVersion, removed);
    // Counted from the versions present, so the old last position cleared
    // below is the one the renumbering left behind.
    const int remaining = std::max(0, last - 1);
    changes.WriteInteger(kVersion, QStringLiteral("number"), remaining);
    // Every later version moves down one place; a key missing in a gap of the
    // numbering moves down as missing, rather than as an invented value.
    for (int j = number + 1; j <= last; ++j) {
        if (list.ValueExists(kVersion, display(j)))
            changes.WriteString(kVersion, display(j - 1), list.ReadString(kVersion, display(j), QString()));
        else
            changes.DeleteKey(kVersion, display(j - 1));
        if (!list.ValueExists(kVersion, shortKey(j))) {
            changes.DeleteKey(kVersion, shortKey(j - 1));
            continue;
        }
        const QString moved = list.ReadString(kVersion, shortKey(j), QString());
        changes.WriteString(kVersion, shortKey(j - 1), moved);
        if (hasReverseKey(moved))
            changes.WriteInteger(kVersion, moved, j - 1);
    }
    changes.DeleteKey(kVersion, display(remaining + 1)).DeleteKey(kVersion, shortKey(remaining + 1));
    m_file.Apply(changes);
}
