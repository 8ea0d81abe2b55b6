#include "switches/SpinEdit.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(SpinEdit, ValuesSetAreClampedUnlessTheLimitsAreEqualAndTextsThatAreNoIntegerReadAsTheLowerLimit)
{
    SpinEdit spin;
    spin.setMaxValue(10);
    spin.setMinValue(1);
    for (const auto &[value, shown] : {std::pair(20, u"10"_s), std::pair(-3, u"1"_s), std::pair(7, u"7"_s)}) {
        spin.setValue(value);
        EXPECT_EQ(spin.text(), shown);
    }
    for (const QString &text : {u"off"_s, u"4.5"_s, QString()}) {
        spin.setText(text);
        EXPECT_EQ(std::pair(spin.text(), spin.value()), std::pair(text, 1));
    }
    // Such a text stays when the field is left; a number is clamped only then.
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    spin.setText(u"off"_s);
    QCoreApplication::sendEvent(&spin, &out);
    EXPECT_EQ(spin.text(), u"off"_s);
    spin.setText(u"55"_s);
    EXPECT_EQ(spin.text(), u"55"_s) << "typing is not clamped on the fly";
    QCoreApplication::sendEvent(&spin, &out);
    EXPECT_EQ(spin.text(), u"10"_s);

    spin.setMinValue(0);
    spin.setMaxValue(0);
    spin.setValue(-77);
    EXPECT_EQ(spin.value(), -77);
    spin.setValue(2147483647);
    spin.stepBy(1);
    EXPECT_EQ(spin.value(), 2147483647) << "stepping never overflows";
}

} // namespace
