#include "platform/Cp1252.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(Cp1252, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Cp1252::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Cp1252::encode(text), all);
}

TEST(Cp1252, WesternLettersAndSymbolsDecodeToTheirCharacters)
{
    EXPECT_EQ(Cp1252::decode("Caf\xE9"), QStringLiteral("Café"));
    EXPECT_EQ(Cp1252::decode("\x80\x8A\x9F\xFF"), QStringLiteral("€ŠŸÿ"));
    EXPECT_EQ(Cp1252::encode(u"€ Łódź"), QByteArray("\x80 ?\xF3"
                                                    "d?"));
}
