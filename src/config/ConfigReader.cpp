#include "ConfigReader.h"

#include "platform/Cp1252.h"

#include <QBuffer>
#include <QHash>

namespace ConfigReader {

namespace {

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// " on" or " off" in any letter case becomes "=on" or "=off" where it is a
// whole word; inside a longer word ("Onion", "Offshore") it stays as written.
void replaceSwitchWord(QString &text, QLatin1String word)
{
    const QString needle = QLatin1Char(' ') + word;
    const QString replacement = QLatin1Char('=') + word;
    for (qsizetype at = text.indexOf(needle, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(needle, at + 1, Qt::CaseInsensitive)) {
        const qsizetype after = at + needle.size();
        if (after < text.size() && isWordCharacter(text[after]))
            continue;
        text.replace(at, needle.size(), replacement);
    }
}

} // namespace

QString normalisedLine(QStringView line)
{
    QString text = line.toString();
    text.replace(QStringLiteral(": "), QStringLiteral("="));
    text.replace(QLatin1Char(':'), QLatin1Char('='));
    replaceSwitchWord(text, QLatin1String("on"));
    replaceSwitchWord(text, QLatin1String("off"));
    text.replace(QLatin1Char(' '), QLatin1Char('='));
    return text;
}

QList<Assignment> readAssignments(QIODevice &device, const QSet<QString> &switchNames)
{
    // Only names that some switch has, in any letter case, can matter.
    QHash<QString, QString> firstValue; // folded name -> value of its first line
    QSet<QString> foldedNames;
    for (const QString &name : switchNames)
        foldedNames.insert(name.toCaseFolded());

    QList<Assignment> result;
    qsizetype lineIndex = 0;
    auto takeLine = [&](QByteArrayView raw) {
        const qsizetype index = lineIndex++;
        // A line that cannot hold the ":", "=" or blank ending a name is skipped unread.
        if (!raw.contains(':') && !raw.contains('=') && !raw.contains(' '))
            return;
        if (index == 0)
            raw = Cp1252::withoutByteOrderMark(raw);
        const QString line = normalisedLine(Cp1252::decode(raw));
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return;
        const QString name = line.left(eq);
        const QString folded = name.toCaseFolded();
        if (!foldedNames.contains(folded))
            return;
        auto first = firstValue.constFind(folded);
        if (first == firstValue.cend())
            first = firstValue.insert(folded, line.mid(eq + 1));
        if (switchNames.contains(name))
            result.append({index, name, *first});
    };

    // Read in pieces, so a huge file costs no more memory than its longest line.
    QByteArray pending;
    bool afterCarriageReturn = false;
    while (!device.atEnd()) {
        const QByteArray piece = device.read(ReadPieceSize);
        if (piece.isEmpty())
            break;
        qsizetype start = 0;
        for (qsizetype i = 0; i < piece.size(); ++i) {
            const char c = piece[i];
            if (c == '\n' && afterCarriageReturn && i == 0) {
                // The LF of a CR LF split between two pieces.
                start = 1;
                afterCarriageReturn = false;
                continue;
            }
            afterCarriageReturn = false;
            if (c != '\r' && c != '\n')
                continue;
            pending += QByteArrayView(piece).sliced(start, i - start);
            takeLine(pending);
            pending.clear();
            if (c == '\r') {
                if (i + 1 < piece.size()) {
                    if (piece[i + 1] == '\n')
                        ++i;
                } else {
                    afterCarriageReturn = true;
                }
            }
            start = i + 1;
        }
        pending += QByteArrayView(piece).sliced(start);
    }
    if (!pending.isEmpty())
        takeLine(pending);
    return result;
}

QList<Assignment> readAssignments(const QByteArray &bytes, const QSet<QString> &switchNames)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readAssignments(buffer, switchNames);
}

} // namespace ConfigReader
