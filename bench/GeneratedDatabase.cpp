#include "GeneratedDatabase.h"

#include "BenchTiming.h"

#include <QDir>
#include <QStringList>

QString generatedPatchIni(int switches)
{
    static const char *const shortNames[] = {"v10", "v11", "v20", "v21", "v30"};
    QString text;
    text.reserve(switches * 400);
    int top = 8;
    for (int i = 0; i < switches; ++i) {
        const int column = i % 3;
        const int kind = (i * 7) % 20 < 4    ? 1
                         : (i * 7) % 20 < 12 ? 2
                         : (i * 7) % 20 < 15 ? 3
                         : (i * 7) % 20 < 17 ? 4
                                             : 5;
        text += QStringLiteral("[switch%1]\r\ncomponent=%2\r\ncaption=Generated switch number %1\r\n"
                               "hint=What generated switch %1 changes in the game\r\nleft=%3\r\ntop=%4\r\n")
                    .arg(i)
                    .arg(kind)
                    .arg(8 + column * 260)
                    .arg(top);
        if (i % 4 != 0)
            text += QStringLiteral("version=%1\r\n").arg(QLatin1String(shortNames[i % 5]));
        if (i % 17 == 0)
            text += QStringLiteral("obsolete=v30\r\n");
        switch (kind) {
        case 1:
            text += QStringLiteral("width=60\r\nminvalue=0\r\nmaxvalue=255\r\nvalue=%1\r\noffvalue=0\r\n")
                        .arg(i % 200);
            break;
        case 2:
            text += QStringLiteral("width=230\r\nvalue=%1\r\n").arg(i % 2);
            break;
        case 3:
            text += QStringLiteral("width=140\r\nnumber=4\r\n");
            for (int j = 0; j < 4; ++j)
                text += QStringLiteral("number%1=Choice %1 of %2\r\nvalue%1=%1\r\n").arg(j).arg(i);
            break;
        case 4:
            text += QStringLiteral("width=120\r\nvalue=text%1\r\n").arg(i);
            break;
        case 5:
            text += QStringLiteral("width=200\r\nheight=70\r\nnumber=4\r\nvalue=%1\r\n").arg(i % 32);
            for (int j = 0; j <= 4; ++j)
                text += QStringLiteral("number%1=Item %1\r\nvalue%1=%2\r\n").arg(j).arg(1 << j);
            break;
        }
        if (column == 2)
            top += kind == 5 ? 100 : kind == 3 ? 46 : 26;
        if (i == switches / 2)
            text +=
                QStringLiteral("[data]\r\nnumber=%1\r\norgdata=2026-11-20\r\nversion=7\r\n").arg(switches);
    }
    return text;
}

QString generatedVersionIni()
{
    return QStringLiteral(
        "[version]\r\nnumber=5\r\ndisplay1=One\r\ndisplay2=Two\r\ndisplay3=Three\r\ndisplay4=Four\r\n"
        "display5=Five\r\nnumber1=v10\r\nnumber2=v11\r\nnumber3=v20\r\nnumber4=v21\r\nnumber5=v30\r\n"
        "v10=1\r\nv11=2\r\nv20=3\r\nv21=4\r\nv30=5\r\n");
}

QByteArray generatedLargePatchIni(qsizetype bytes)
{
    constexpr int kLists = 5;
    QByteArray text = generatedPatchIni(1000).toLatin1();
    const qsizetype perList = (bytes - text.size()) / kLists;
    text.reserve(bytes + 4096);
    for (int list = 0; list < kLists; ++list) {
        const qsizetype end = text.size() + perList;
        QByteArray items;
        int count = 0;
        // Each item is two lines: its text and the word written for it.
        while (text.size() + items.size() < end) {
            items += "number" + QByteArray::number(count) + "=Entry " + QByteArray::number(count) +
                     " of the game table " + QByteArray::number(list) + "\r\nvalue" +
                     QByteArray::number(count) + "=" + QByteArray::number(count * 7 + list) + "\r\n";
            ++count;
        }
        text += "[table" + QByteArray::number(list) + "]\r\ncomponent=3\r\ncaption=Game table " +
                QByteArray::number(list) + "\r\nhint=Which entry of game table " + QByteArray::number(list) +
                " is used\r\nleft=" + QByteArray::number(8 + list * 180) +
                "\r\ntop=19000\r\nwidth=160\r\nnumber=" + QByteArray::number(count) + "\r\n";
        text += items;
    }
    return text;
}

ProgramFiles writeGeneratedProgram(const QString &folder, int switches, int version)
{
    QDir(folder).mkdir(QStringLiteral("Data"));
    const ProgramFiles files(folder);
    writeFile(files.patchIni(), generatedPatchIni(switches));
    writeFile(files.versionIni(), generatedVersionIni());
    writeFile(files.settingsIni(), QStringLiteral("[dvs]\r\nversion=ver%1\r\n").arg(version));
    return files;
}
