#include "switches/ValueRules.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QString rule(const char *text, int off, int min, int max)
{
    return numberRuleText(QString::fromLatin1(text), off, min, max);
}

TEST(NumberRule, TheOffValueShowsAsOffAndOtherNumbersAreClamped)
{
    EXPECT_EQ(rule("100", 0, 0, 64), QStringLiteral("64"));
    EXPECT_EQ(rule("0", 0, 0, 64), QStringLiteral("off"));
    EXPECT_EQ(rule("", 0, 0, 64), QStringLiteral("off"));
    EXPECT_EQ(rule("12.", 0, 0, 64), QStringLiteral("off"));
    EXPECT_EQ(rule("off", 0, 0, 64), QStringLiteral("off"));
    EXPECT_EQ(rule("33", 0, 0, 64), QStringLiteral("33"));
    EXPECT_EQ(rule("-3", 0, 1, 64), QStringLiteral("1"));
}

TEST(NumberRule, AnOffValueOutsideTheLimitsIsStillOff)
{
    EXPECT_EQ(rule("65", 65, 0, 64), QStringLiteral("off"));
    EXPECT_EQ(rule("66", 65, 0, 64), QStringLiteral("64"));
    EXPECT_EQ(rule("abc", 65, 0, 64), QStringLiteral("off"));
}

TEST(NumberRule, EqualLimitsStillClamp)
{
    EXPECT_EQ(rule("7", 0, 5, 5), QStringLiteral("5"));
}

TEST(NumberRule, TheTextIsComparedWithTheOffValueAsWritten)
{
    // "05" is first shown as 5, and the next run of the rule makes it "off".
    EXPECT_EQ(rule("05", 5, 0, 10), QStringLiteral("5"));
    EXPECT_EQ(rule("5", 5, 0, 10), QStringLiteral("off"));
    EXPECT_EQ(rule("99999999999", 0, 0, 10), QStringLiteral("off")) << "beyond 32 bits is no integer";
}

TEST(TypedCharacters, EachKindAcceptsItsOwn)
{
    for (const QChar c : QStringLiteral("0123456789.\b"))
        EXPECT_TRUE(acceptsTypedCharacter(SwitchKind::Number, c));
    for (const QChar c : QStringLiteral("a-+,\r x"))
        EXPECT_FALSE(acceptsTypedCharacter(SwitchKind::Number, c));
    for (const QChar c : QStringLiteral("a1 \b\r"))
        EXPECT_FALSE(acceptsTypedCharacter(SwitchKind::Choice, c));
    EXPECT_TRUE(acceptsTypedCharacter(SwitchKind::Text, QLatin1Char('a'), QStringLiteral("text")));
    EXPECT_TRUE(acceptsTypedCharacter(SwitchKind::Text, QLatin1Char('a'), QStringLiteral("number")));
    EXPECT_FALSE(acceptsTypedCharacter(SwitchKind::Text, QLatin1Char('a'), QStringLiteral("numbers")));
    EXPECT_TRUE(acceptsTypedCharacter(SwitchKind::Text, QLatin1Char('7'), QStringLiteral("numbers")));
}

} // namespace
