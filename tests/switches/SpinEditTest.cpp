#include "switches/SpinEdit.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

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

TEST_F(SpinEditTest, EveryValueSetIsClampedToTheLimits)
{
    spin.setValue(20);
    EXPECT_EQ(spin.text(), QStringLiteral("10"));
    spin.setValue(-3);
    EXPECT_EQ(spin.text(), QStringLiteral("1"));
    spin.setValue(7);
    EXPECT_EQ(spin.value(), 7);
}

TEST_F(SpinEditTest, EqualLimitsMeanNoLimits)
{
    spin.setMinValue(5);
    spin.setMaxValue(5);
    spin.setValue(77);
    EXPECT_EQ(spin.text(), QStringLiteral("77"));
    spin.setValue(-77);
    EXPECT_EQ(spin.value(), -77);
}

TEST_F(SpinEditTest, ATextThatIsNotAnIntegerReadsAsTheLowerLimit)
{
    spin.setText(QStringLiteral("off"));
    EXPECT_EQ(spin.text(), QStringLiteral("off"));
    EXPECT_EQ(spin.value(), 1);
    spin.setText(QStringLiteral("4.5"));
    EXPECT_EQ(spin.value(), 1);
    spin.setText(QString());
    EXPECT_EQ(spin.value(), 1);
}

TEST_F(SpinEditTest, LeavingTheFieldClampsATypedNumber)
{
    spin.setFocus();
    spin.setText(QStringLiteral("55"));
    EXPECT_EQ(spin.text(), QStringLiteral("55")) << "typing is not clamped on the fly";
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&spin, &out);
    EXPECT_EQ(spin.text(), QStringLiteral("10"));

    spin.setText(QStringLiteral("off"));
    QCoreApplication::sendEvent(&spin, &out);
    EXPECT_EQ(spin.text(), QStringLiteral("off")) << "a text that reads as the lower limit stays";
}

TEST_F(SpinEditTest, ThePageKeysStepByOneToo)
{
    spin.setValue(5);
    spin.setFocus();
    QTest::keyClick(&spin, Qt::Key_PageUp);
    EXPECT_EQ(spin.text(), QStringLiteral("6"));
    QTest::keyClick(&spin, Qt::Key_PageDown);
    QTest::keyClick(&spin, Qt::Key_PageDown);
    EXPECT_EQ(spin.text(), QStringLiteral("4"));
}

TEST_F(SpinEditTest, SteppingNeverOverflows)
{
    spin.setMinValue(0);
    spin.setMaxValue(0);
    spin.setValue(2147483647);
    spin.stepBy(1);
    EXPECT_EQ(spin.value(), 2147483647);
}

} // namespace
