#pragma once

#include <QString>
#include <QStringList>

class IniSnapshot;

// Lists kept as a count and keys numbered 1 to the count ("display1",
// "path1", ...). A count read from a file is trusted only as far as the keys
// go: a damaged or hostile count of two billion must not make two billion
// entries.

// The highest number any key of `section` carries after one of `prefixes`
// (compared without regard to case), or 0. Numbers beyond the count of keys
// in the section are passed over: so many entries cannot all be there.
int lastNumberedKey(const IniSnapshot &ini, const QString &section, const QStringList &prefixes);

// `stored` (a count read from the file), but no higher than the last numbered
// key and no lower than 0.
int listedCount(int stored, const IniSnapshot &ini, const QString &section, const QStringList &prefixes);

// The number a new entry takes: one past the count stored under `countKey`
// (bounded as listedCount bounds it), or, where the file holds no readable
// count, one past the last numbered key, so that no entry the file holds is
// written over.
int nextNumber(const IniSnapshot &ini, const QString &section, const QString &countKey,
               const QStringList &prefixes);
