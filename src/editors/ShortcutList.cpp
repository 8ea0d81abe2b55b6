#include "ShortcutList.h"

#include "ini/NumberedKeys.h"

#include <QHash>

#include <algorithm>

namespace {

const QString kPrograms = QStringLiteral("programs");

QString displayKey(int n)
{
    return QStringLiteral("display%1").arg(n);
}

QString pathKey(int n)
{
    return QStringLiteral("path%1").arg(n);
}

} // namespace

int ShortcutList::count(const IniSnapshot &tools, int defaultValue) const
{
    return listedCount(tools.ReadInteger(kPrograms, QStringLiteral("number"), defaultValue), tools, kPrograms,
                       {QStringLiteral("display"), QStringLiteral("path")});
}

QList<ShortcutList::Shortcut> ShortcutList::menuEntries() const
{
    const IniSnapshot tools = m_file.snapshot();
    QList<Shortcut> entries;
    if (!tools.SectionExists(kPrograms))
        return entries;
    const QString corrupt = QStringLiteral("CORRUPT PROGRAMS FILE");
    for (int n = 1, last = count(tools, 1); n <= last; ++n)
        entries.append({tools.ReadString(kPrograms, displayKey(n), corrupt),
                        tools.ReadPath(kPrograms, pathKey(n), corrupt)});
    return entries;
}

QStringList ShortcutList::displays() const
{
    const IniSnapshot tools = m_file.snapshot();
    QStringList names;
    for (int n = 1, last = count(tools, 0); n <= last; ++n)
        names.append(tools.ReadString(kPrograms, displayKey(n), QStringLiteral("WRONG")));
    return names;
}

std::optional<int> ShortcutList::find(const QString &name) const
{
    const IniSnapshot tools = m_file.snapshot();
    for (int n = 1, last = count(tools, 0); n <= last; ++n) {
        if (tools.ReadString(kPrograms, displayKey(n), QStringLiteral("ERROR")) == name)
            return n;
    }
    return std::nullopt;
}

QString ShortcutList::path(int number) const
{
    return m_file.ReadPath(kPrograms, pathKey(number), QStringLiteral("ERROR"));
}

void ShortcutList::add(const QString &name, const QString &file)
{
    const int added = nextNumber(m_file.snapshot(), kPrograms, QStringLiteral("number"),
                                 {QStringLiteral("display"), QStringLiteral("path")});
    m_file.Apply(TIniFile::Changes(m_file)
                     .WriteInteger(kPrograms, QStringLiteral("number"), added)
                     .WriteString(kPrograms, displayKey(added), name)
                     .WritePath(kPrograms, pathKey(added), file));
}

void ShortcutList::setPath(int number, const QString &file)
{
    m_file.Apply(TIniFile::Changes(m_file).WritePath(kPrograms, pathKey(number), file));
}

void ShortcutList::rename(int number, const QString &name)
{
    m_file.Apply(TIniFile::Changes(m_file).WriteString(kPrograms, displayKey(number), name));
}

void ShortcutList::remove(int number)
{
    const IniSnapshot tools = m_file.snapshot();
    const int last = count(tools, 0);
    TIniFile::Changes changes(m_file);
    changes.DeleteKey(kPrograms, displayKey(number)).DeleteKey(kPrograms, pathKey(number));
    changes.WriteInteger(kPrograms, QStringLiteral("number"), std::max(0, last - 1));
    // Values move whole and as stored; a key missing in a gap moves down as missing.
    QHash<QString, QString> stored;
    for (const auto &[key, value] : tools.ReadWholeSection(kPrograms))
        stored.insert(key.toCaseFolded(), stored.value(key.toCaseFolded(), value));
    for (int k = number; k < last; ++k) {
        for (const auto &key : {&displayKey, &pathKey}) {
            const auto next = stored.constFind(key(k + 1).toCaseFolded());
            if (next != stored.cend())
                changes.WriteString(kPrograms, key(k), *next);
            else
                changes.DeleteKey(kPrograms, key(k));
        }
    }
    changes.DeleteKey(kPrograms, displayKey(last)).DeleteKey(kPrograms, pathKey(last));
    m_file.Apply(changes);
}
