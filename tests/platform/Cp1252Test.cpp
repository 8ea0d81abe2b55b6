#include "platform/Cp1252.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(Cp1252, EveryByteSurvivesARoundTripAndOtherTextNeverBecomesQuestionMarks)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Cp1252::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Cp1252::encode(text), all);
    EXPECT_EQ(Cp1252::decode("Caf\xE9 \x80\x8A\x9F\xFF"), QStringLiteral("Café €ŠŸÿ"));
    EXPECT_EQ(Cp1252::encode(u"€ ó?"), QByteArray("\x80 \xF3?"));
    EXPECT_EQ(Cp1252::encode(u"€ Łódź"), std::nullopt);
    EXPECT_EQ(Cp1252::encodeLines({QStringLiteral("a"), QStringLiteral("é")}), QByteArray("a\r\n\xE9\r\n"));
    EXPECT_EQ(Cp1252::encodeLines({QStringLiteral("a"), QStringLiteral("Ω")}), std::nullopt);
    EXPECT_EQ(Cp1252::unencodable(u"Łódź Łx 😀😀"), QStringLiteral("Łź😀"));
    EXPECT_EQ(
        Cp1252::firstUnencodableLine({QStringLiteral("ok"), QStringLiteral("MottoΩ"), QStringLiteral("中")}),
        QStringLiteral("MottoΩ"));
}
