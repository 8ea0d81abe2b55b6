#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QSet>
#include <QString>

// Reading configuration text, written by the program or by hand. Every line is
// normalised so that a name followed by its value, separated by "=", ":",
// ": " or blanks, becomes name "=" value; then each line that names a switch
// gives it the value of the first line, from the top, with that name in any
// letter case.
namespace ConfigReader {

// One line after the five replacements, in this order: ": " and ":" become
// "="; " on" and " off" in any letter case become "=on" and "=off" where on or
// off is a whole word; every remaining blank becomes "=".
QString normalisedLine(QStringView line);

struct Assignment
{
    qsizetype line = 0; // index of the line that names the switch
    QString name;       // the switch, spelled exactly as the line spells it
    QString value;      // from the first line of that name, regardless of case
};

// The bytes read at a time; a line, and a CR LF, may span two reads.
constexpr qint64 ReadPieceSize = 1 << 16;

// The lines of a file (ended by CR LF, CR or LF) that name one of
// `switchNames` exactly, in line order. Lines are taken one at a time, so a
// huge file costs no more memory than its longest line.
QList<Assignment> readAssignments(QIODevice &device, const QSet<QString> &switchNames);
QList<Assignment> readAssignments(const QByteArray &bytes, const QSet<QString> &switchNames);

} // namespace ConfigReader
