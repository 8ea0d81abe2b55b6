#include "switches/SpinEdit.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class SpinEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        spin.setMaxValue(10);
        spin.setMinValue(1);
        spin.resize(80, spin.sizeHint().height());
        spin.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&spin));
    }

    SpinEdit spin;
};

TEST_F(SpinEditTest, EveryValueSetIsClampedToTheLimitsUnlessTheyAreEqual)
{
    for (const auto &[value, shown] : {std::pair(20, u"10"_s), std::pair(-3, u"1"_s), std::pair(7, u"7"_s)}) {
        spin.setValue(value);
        EXPECT_EQ(spin.text(), shown);
    }
    spin.setMinValue(0);
    spin.setMaxValue(0);
    spin.setValue(-77);
    EXPECT_EQ(spin.value(), -77);
    spin.setValue(2147483647);
    spin.stepBy(1);
    EXPECT_EQ(spin.value(), 2147483647) << "stepping never overflows";
}

TEST_F(SpinEditTest, ATextThatIsNoIntegerReadsAsTheLowerLimitAndStaysWhenTheFieldIsLeft)
{
    for (const QString &text : {u"off"_s, u"4.5"_s, QString()}) {
        spin.setText(text);
        EXPECT_EQ(std::pair(spin.text(), spin.value()), std::pair(text, 1));
    }
    spin.setFocus();
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    spin.setText(u"off"_s);
    QCoreApplication::sendEvent(&spin, &out);
    EXPECT_EQ(spin.text(), u"off"_s);
    spin.setText(u"55"_s);
    EXPECT_EQ(spin.text(), u"55"_s) << "typing is not clamped on the fly";
    QCoreApplication::sendEvent(&spin, &out);
    EXPECT_EQ(spin.text(), u"10"_s);
}

} // namespace
