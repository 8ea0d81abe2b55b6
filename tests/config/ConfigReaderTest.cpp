#include "config/ConfigReader.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(ConfigReader, EverySeparatorStyleBecomesNameEqualsValue)
{
    const std::pair<QString, QString> lines[] = {
        {u"lanterns ON"_s, u"lanterns=on"_s}, // after a blank any case counts
        {u"lanterns oFf"_s, u"lanterns=off"_s}, {u"lanterns=ON"_s, u"lanterns=ON"_s},
        {u"lanterns: ON"_s, u"lanterns=ON"_s},  {u"motto gold and glory"_s, u"motto=gold=and=glory"_s},
        {u"speed  5"_s, u"speed==5"_s}, // a doubled blank keeps one "=" in the value
        {u"motto Onion"_s, u"motto=Onion"_s},   {u"banner Offshore_2"_s, u"banner=Offshore_2"_s},
        {u"a ON b OFF"_s, u"a=on=b=off"_s},
    };
    for (const auto &[line, normalised] : lines)
        EXPECT_EQ(ConfigReader::normalisedLine(line), normalised) << line.toStdString();
}

TEST(ConfigReader, EachLineNamingASwitchTakesTheValueOfTheFirstLineOfThatName)
{
    // A line that ends exactly where a read piece ends, its LF starting the next.
    const QByteArray pieceEnd = "a " + QByteArray(ConfigReader::ReadPieceSize - 3, 'p') + "\r\nb 2\r\n";
    // 50 MB of lines that name no switch cost no more than their lines.
    QByteArray unknown;
    while (unknown.size() < 50 * 1024 * 1024)
        unknown += "unknownswitch 12345678901234567890\r\n";
    const std::pair<QByteArray, QStringList> files[] = {
        {"Speed 5\r\nspeed 7\r\nSPEED 9\r\nspeed 11\r\n", {u"1:speed=5"_s, u"3:speed=5"_s}},
        {"// Created by Dravopax Vevavav [http://x.example.org/]\r\n// Compatibile with One\r\n\r\n"
         "// speed <- switch not introduced in this version or obsolete\r\nnosuch on\r\n=on\r\nspeed\r\n"
         "lanterns on\r\n",
         {u"7:lanterns=on"_s}},
        {"a 1\rb 2\nc 3\r\nd 4", {u"0:a=1"_s, u"1:b=2"_s, u"2:c=3"_s, u"3:d=4"_s}},
        {"a 1\r\n\r\nb 2", {u"0:a=1"_s, u"2:b=2"_s}},
        {pieceEnd, {u"0:a=<%1 p>"_s.arg(ConfigReader::ReadPieceSize - 3), u"1:b=2"_s}},
        {"\xEF\xBB\xBF"
         "a on\r\n",
         {u"0:a=on"_s}},
        {QByteArray("b \0x\r\nc ", 8) + QByteArray(1 << 20, 'z') + "\r\nd Caf\xE9",
         {QString::fromUtf16(u"0:b=\u0000x", 6), u"1:c=<%1 z>"_s.arg(1 << 20), u"2:d=Café"_s}},
        {unknown + "a on\r\n", {u"%1:a=on"_s.arg(unknown.count('\n'))}},
    };
    const QSet<QString> names{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"speed"_s, u"lanterns"_s};
    for (const auto &[bytes, expected] : files) {
        SCOPED_TRACE(bytes.left(60).toStdString());
        QStringList found;
        for (const auto &a : ConfigReader::readAssignments(bytes, names)) {
            // A long value as its length and its letter.
            const QString value =
                a.value.size() > 80 ? u"<%1 %2>"_s.arg(a.value.size()).arg(a.value[0]) : a.value;
            found << u"%1:%2=%3"_s.arg(a.line).arg(a.name, value);
        }
        EXPECT_EQ(found, expected);
    }
}

} // namespace
