#include "ConfigReader.h"

#include "platform/Cp1252.h"

#include <QHash>

namespace ConfigReader {

QString normalisedLine(QStringView line)
{
    QString text = line.toString();
    text.replace(QStringLiteral(": "), QStringLiteral("="), Qt::CaseInsensitive);
    text.replace(QLatin1Char(':'), QLatin1Char('='));
    text.replace(QStringLiteral(" on"), QStringLiteral("=on"), Qt::CaseInsensitive);
    text.replace(QStringLiteral(" off"), QStringLiteral("=off"), Qt::CaseInsensitive);
    text.replace(QLatin1Char(' '), QLatin1Char('='));
    return text;
}

QList<Assignment> readAssignments(const QByteArray &bytes, const QSet<QString> &switchNames)
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
        // A line that cannot hold the ":" or "=" ending a name is skipped unread.
        if (!raw.contains(':') && !raw.contains('=') && !raw.contains(' '))
            return;
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

    const qsizetype n = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        takeLine(QByteArrayView(bytes).sliced(start, i - start));
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        takeLine(QByteArrayView(bytes).sliced(start));
    return result;
}

} // namespace ConfigReader
