#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class IniSnapshot;

// The links of data.ini: every section but "Data" (in any letter case) holds
// links, each a key whose value is a five-character type prefix ("MAIL|",
// "PAGE|", "FILE|", "NEWS|") followed by its address.
namespace LinkList {

struct Link
{
    QString key;
    QString value;
};

struct Section
{
    QString name;
    QList<Link> links;
};

// Whether `name` is the section of the data files' versions, which the
// update checker reads and which holds no links.
bool isVersionsSection(const QString &name);

// The link sections in file order, each with its links that have a value. A
// section without a name has nothing to show and is left out.
QList<Section> sections(const IniSnapshot &data);
// The names of the link sections, for the editor.
QStringList sectionNames(const IniSnapshot &data);

// A name as menus show it: "_" as a blank.
QString shown(const QString &name);

// The link types in the editor's order, as its list names them.
QStringList typeNames();
// The type a stored value has, by its first four characters.
std::optional<int> typeOf(const QString &value);
// The stored value of an address of a type.
QString stored(int type, const QString &address);
// What the shell opens for a stored value; nothing for an unknown prefix.
std::optional<QString> target(const QString &value);
// What the shell opens for an address of a type: a mail address as a mail form.
QString opened(int type, const QString &address);

} // namespace LinkList
