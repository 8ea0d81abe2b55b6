#include "app/IntegerText.h"

#include <QString>

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(IntegerText, AcceptsTheForms)
{
    EXPECT_EQ(parseInteger(u"0"), 0);
    EXPECT_EQ(parseInteger(u"2147483647"), 2147483647);
    EXPECT_EQ(parseInteger(u"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parseInteger(u"  12"), 12);
    EXPECT_EQ(parseInteger(u"$ff"), 255);
    EXPECT_EQ(parseInteger(u"-0x10"), -16);
    EXPECT_EQ(parseInteger(u"0x7FFFFFFF"), 2147483647);
}

TEST(IntegerText, RefusesEverythingElse)
{
    for (const char16_t *text :
         {u"", u" ", u"-", u"+", u"off", u"12 ", u"1.0", u"1e3", u"2147483648", u"-2147483649",
          u"99999999999999999999", u"0x", u"$", u"0x100000000", u"ff", u"--1"})
        EXPECT_FALSE(parseInteger(text).has_value()) << QString::fromUtf16(text).toStdString();
}
