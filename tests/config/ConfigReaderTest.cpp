#include "config/ConfigReader.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using ConfigReader::normalisedLine;

QStringList readBack(const QByteArray &bytes, const QSet<QString> &names)
{
    QStringList out;
    for (const auto &a : ConfigReader::readAssignments(bytes, names))
        out << QStringLiteral("%1:%2=%3").arg(a.line).arg(a.name, a.value);
    return out;
}

TEST(ConfigReader, EverySeparatorStyleBecomesNameEqualsValue)
{
    EXPECT_EQ(normalisedLine(u"lanterns on"), QStringLiteral("lanterns=on"));
    EXPECT_EQ(normalisedLine(u"lanterns:on"), QStringLiteral("lanterns=on"));
    EXPECT_EQ(normalisedLine(u"lanterns: on"), QStringLiteral("lanterns=on"));
    EXPECT_EQ(normalisedLine(u"lanterns=on"), QStringLiteral("lanterns=on"));
    EXPECT_EQ(normalisedLine(u"lanterns ON"), QStringLiteral("lanterns=on"))
        << "after a blank any case counts";
    EXPECT_EQ(normalisedLine(u"lanterns oFf"), QStringLiteral("lanterns=off"));
    EXPECT_EQ(normalisedLine(u"lanterns=ON"), QStringLiteral("lanterns=ON"));
    EXPECT_EQ(normalisedLine(u"lanterns:ON"), QStringLiteral("lanterns=ON"));
    EXPECT_EQ(normalisedLine(u"lanterns: ON"), QStringLiteral("lanterns=ON"));
}

TEST(ConfigReader, BlanksAndColonsInsideAValueBecomeEquals)
{
    EXPECT_EQ(normalisedLine(u"motto gold and glory"), QStringLiteral("motto=gold=and=glory"));
    EXPECT_EQ(normalisedLine(u"path C:\\games x:y"), QStringLiteral("path=C=\\games=x=y"));
    EXPECT_EQ(normalisedLine(u"speed  5"), QStringLiteral("speed==5"))
        << "a doubled blank keeps one '=' in the value";
    EXPECT_EQ(normalisedLine(u"// Created by Dravopax Vevavav [http://x.example.org/]"),
              QStringLiteral("//=Created=by=Dravopax=Vevavav=[http=//x.example.org/]"));
}

TEST(ConfigReader, OnAndOffAreLoweredOnlyAsWholeWords)
{
    EXPECT_EQ(normalisedLine(u"motto Onion"), QStringLiteral("motto=Onion"));
    EXPECT_EQ(normalisedLine(u"banner Offshore_2"), QStringLiteral("banner=Offshore_2"));
    EXPECT_EQ(normalisedLine(u"a ON b OFF"), QStringLiteral("a=on=b=off"));
}

TEST(ConfigReader, TheFirstLineOfANameGivesTheValueForEveryLineOfThatName)
{
    const QByteArray text("Speed 5\r\nspeed 7\r\nSPEED 9\r\nspeed 11\r\n");
    EXPECT_EQ(readBack(text, {QStringLiteral("speed")}),
              (QStringList{QStringLiteral("1:speed=5"), QStringLiteral("3:speed=5")}))
        << "only exact names match a switch; the value comes from the first line in any case";
}

TEST(ConfigReader, HeaderCommentEmptyAndUnknownLinesNameNoSwitch)
{
    const QByteArray text(
        "// Created by Dravopax Vevavav [http://x.example.org/]\r\n// Compatibile with One\r\n\r\n"
        "// speed <- switch not introduced in this version or obsolete\r\nnosuch on\r\n=on\r\nspeed\r\n"
        "lanterns on\r\n");
    EXPECT_EQ(readBack(text, {QStringLiteral("speed"), QStringLiteral("lanterns")}),
              QStringList{QStringLiteral("7:lanterns=on")});
}

TEST(ConfigReader, LinesEndWithCrLfCrOrLf)
{
    const QSet<QString> names{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                              QStringLiteral("d")};
    EXPECT_EQ(readBack(QByteArray("a 1\rb 2\nc 3\r\nd 4"), names),
              (QStringList{QStringLiteral("0:a=1"), QStringLiteral("1:b=2"), QStringLiteral("2:c=3"),
                           QStringLiteral("3:d=4")}));
    EXPECT_EQ(readBack(QByteArray("a 1\r\n\r\nb 2"), names),
              (QStringList{QStringLiteral("0:a=1"), QStringLiteral("2:b=2")}));
}

TEST(ConfigReader, ALineBreakSplitBetweenTwoReadsIsOneBreak)
{
    // The file is read in pieces of 64 KiB; this CR ends one piece and its LF starts the next.
    QByteArray text = "a " + QByteArray((1 << 16) - 3, 'x') + "\r\nb 2\r\n";
    ASSERT_EQ(text.indexOf('\r'), (1 << 16) - 1);
    EXPECT_EQ(ConfigReader::readAssignments(text, {QStringLiteral("a"), QStringLiteral("b")}).last().line, 1);
}

TEST(ConfigReader, AByteOrderMarkDoesNotHideTheFirstLine)
{
    EXPECT_EQ(readBack(QByteArray("\xEF\xBB\xBF"
                                  "a on\r\n"),
                       {QStringLiteral("a")}),
              QStringList{QStringLiteral("0:a=on")});
}

TEST(ConfigReader, NulBytesHugeLinesAndWesternLettersAreHarmless)
{
    QByteArray text("a 1\r\n");
    text += QByteArray("b \0x", 4) + "\r\n";
    text += "c " + QByteArray(1 << 20, 'z') + "\r\n";
    text += "d Caf\xE9\r\n";
    const auto found = ConfigReader::readAssignments(
        text, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
    ASSERT_EQ(found.size(), 4);
    EXPECT_EQ(found[1].value, QString::fromUtf16(u"\u0000x", 2));
    EXPECT_EQ(found[2].value.size(), 1 << 20);
    EXPECT_EQ(found[3].value, QStringLiteral("Café"));
}

TEST(ConfigReader, AHugeFileOfUnknownNamesCostsNoMoreThanItsLines)
{
    // 50 MB of lines that name no switch, then one that does.
    QByteArray text;
    const QByteArray line("unknownswitch 12345678901234567890\r\n");
    text.reserve(50 * 1024 * 1024 + 64);
    while (text.size() < 50 * 1024 * 1024)
        text += line;
    text += "known on\r\n";
    const auto found = ConfigReader::readAssignments(text, {QStringLiteral("known")});
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].value, QStringLiteral("on"));
}

} // namespace
