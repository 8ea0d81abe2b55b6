#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"

#include <QLineEdit>
#include <QStyleOptionSpinBox>
#include <QTest>

namespace {

const QString kPatch = QStringLiteral(
    "[range]\ncomponent=1\ncaption=Range\nleft=8\ntop=8\nwidth=60\nminvalue=0\nmaxvalue=64\noffvalue="
    "0\nvalue=10\n"
    "[beyond]\ncomponent=1\ncaption=Beyond\nleft=8\ntop=40\nwidth=60\nminvalue=0\nmaxvalue=64\noffvalue="
    "65\nvalue=20\n"
    "[fixed]\ncomponent=1\ncaption=Fixed\nleft=8\ntop=70\nwidth=60\nminvalue=5\nmaxvalue=5\nvalue=5\n"
    "[defaultoff]\ncomponent=1\ncaption=Default "
    "off\nleft=8\ntop=100\nwidth=60\nminvalue=0\nmaxvalue=9\noffvalue=3\nvalue=3\n"
    "[freetext]\ncomponent=4\ncaption=Free\nleft=300\ntop=8\nwidth=100\ntype=text\nvalue=abc\n"
    "[digits]\ncomponent=4\ncaption=Digits\nleft=300\ntop=40\nwidth=100\ntype=numbers\n"
    "[singular]\ncomponent=4\ncaption=Singular\nleft=300\ntop=70\nwidth=100\ntype=number\n"
    "[choice]\ncomponent=3\ncaption=Choice\nleft=300\ntop=100\nwidth=100\nnumber=3\nnumber0=Alpha\nnumber1="
    "Beta\n"
    "number2=Gamma\n"
    "[novalue]\ncomponent=2\ncaption=No value\nleft=8\ntop=140\nwidth=150\n"
    "[flags]\ncomponent=5\ncaption=Flags\nleft=300\ntop=140\nwidth=150\nheight=80\nnumber=2\nvalue0="
    "1\nvalue1=2\n"
    "value2=4\nvalue=0\n");

class SwitchValuesTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        folder.writePatch(kPatch);
        folder.writeVersions(QStringLiteral("[version]\nnumber=1\ndisplay1=One\nv1=1\n"));
        folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\n"));
        startProgram();
    }

    template <typename T> T *control(const char *name) const
    {
        auto *found = formMain->scrlMain->surface()->findChild<T *>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }

    // Replaces the field's text by typing over all of it, as a user would.
    static void retype(NumberSwitch *spin, const QString &keys)
    {
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, keys);
    }

    static void clickButton(NumberSwitch *spin, QStyle::SubControl button)
    {
        QStyleOptionSpinBox option;
        option.initFrom(spin);
        option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
        option.buttonSymbols = spin->buttonSymbols();
        option.frame = spin->hasFrame();
        option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
        const QPoint at = spin->style()->subControlRect(QStyle::CC_SpinBox, &option, button, spin).center();
        QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, at);
    }
};

TEST_F(SwitchValuesTest, TypingIntoANumberSwitchFollowsTheRule)
{
    NumberSwitch *range = control<NumberSwitch>("range");
    retype(range, QStringLiteral("100"));
    EXPECT_EQ(range->text(), QStringLiteral("64"));
    retype(range, QStringLiteral("0"));
    EXPECT_EQ(range->text(), QStringLiteral("off"));
    retype(range, QStringLiteral("12"));
    EXPECT_EQ(range->text(), QStringLiteral("12"));
    QTest::keyClick(range, Qt::Key_Period);
    EXPECT_EQ(range->text(), QStringLiteral("off")) << "a full stop is accepted and makes no integer";
    retype(range, QStringLiteral("33"));
    QTest::keyClick(range, Qt::Key_Backspace);
    QTest::keyClick(range, Qt::Key_Backspace);
    EXPECT_EQ(range->text(), QStringLiteral("off")) << "deleting every digit";
}

TEST_F(SwitchValuesTest, LettersMinusAndEnterNeverReachANumberSwitch)
{
    NumberSwitch *range = control<NumberSwitch>("range");
    retype(range, QStringLiteral("4"));
    QTest::keyClicks(range, QStringLiteral("a-x"));
    QTest::keyClick(range, Qt::Key_Enter);
    EXPECT_EQ(range->text(), QStringLiteral("4"));
}

TEST_F(SwitchValuesTest, AnOffValueBeyondTheLimitsIsTypedButNotStepped)
{
    NumberSwitch *beyond = control<NumberSwitch>("beyond");
    retype(beyond, QStringLiteral("65"));
    EXPECT_EQ(beyond->text(), QStringLiteral("off"));
    retype(beyond, QStringLiteral("66"));
    EXPECT_EQ(beyond->text(), QStringLiteral("64"));
    clickButton(beyond, QStyle::SC_SpinBoxUp);
    EXPECT_EQ(beyond->text(), QStringLiteral("64"));
}

TEST_F(SwitchValuesTest, TheButtonsStepFromOffAndDownAtTheBottomStaysOff)
{
    NumberSwitch *range = control<NumberSwitch>("range");
    retype(range, QStringLiteral("0"));
    ASSERT_EQ(range->text(), QStringLiteral("off"));
    clickButton(range, QStyle::SC_SpinBoxUp);
    EXPECT_EQ(range->text(), QStringLiteral("1"));
    clickButton(range, QStyle::SC_SpinBoxDown);
    EXPECT_EQ(range->text(), QStringLiteral("off"));
    clickButton(range, QStyle::SC_SpinBoxDown);
    EXPECT_EQ(range->text(), QStringLiteral("off"));
    QTest::keyClick(range, Qt::Key_Up);
    QTest::keyClick(range, Qt::Key_Up);
    EXPECT_EQ(range->text(), QStringLiteral("2"));
}

TEST_F(SwitchValuesTest, EqualLimitsHoldTheValueOnlyAfterAChange)
{
    NumberSwitch *fixed = control<NumberSwitch>("fixed");
    EXPECT_EQ(fixed->text(), QStringLiteral("5"));
    retype(fixed, QStringLiteral("7"));
    EXPECT_EQ(fixed->text(), QStringLiteral("5"));
}

TEST_F(SwitchValuesTest, ADefaultAtTheOffValueShowsItsNumberUntilFromDefaults)
{
    EXPECT_EQ(control<NumberSwitch>("defaultoff")->text(), QStringLiteral("3"));
    // Pressed while a text field has the focus, which would take Ctrl+D for itself.
    control<TextSwitch>("freetext")->setFocus();
    QTest::keyClick(control<TextSwitch>("freetext"), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(control<TextSwitch>("freetext")->text(), QStringLiteral("abc"));
    EXPECT_EQ(control<NumberSwitch>("defaultoff")->text(), QStringLiteral("off"));
}

TEST_F(SwitchValuesTest, TextSwitchesFilterByTheirType)
{
    auto *freeText = control<TextSwitch>("freetext");
    auto *digits = control<TextSwitch>("digits");
    auto *singular = control<TextSwitch>("singular");
    for (TextSwitch *edit : {freeText, digits, singular}) {
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("a1.b2"));
    }
    EXPECT_EQ(freeText->text(), QStringLiteral("a1.b2"));
    EXPECT_EQ(digits->text(), QStringLiteral("1.2"));
    EXPECT_EQ(singular->text(), QStringLiteral("a1.b2")) << "type=number is not numbers";
}

TEST_F(SwitchValuesTest, ADropDownListIgnoresTypingButFollowsTheArrowKeys)
{
    auto *choice = control<ChoiceSwitch>("choice");
    choice->setFocus();
    QTest::keyClicks(choice, QStringLiteral("gb"));
    EXPECT_EQ(choice->currentText(), QStringLiteral("Alpha"));
    QTest::keyClick(choice, Qt::Key_Down);
    EXPECT_EQ(choice->currentText(), QStringLiteral("Beta"));
}

TEST_F(SwitchValuesTest, FromDefaultsResetsEverySwitchWithoutRebuilding)
{
    NumberSwitch *range = control<NumberSwitch>("range");
    retype(range, QStringLiteral("50"));
    control<TextSwitch>("freetext")->setText(QStringLiteral("changed"));
    control<ChoiceSwitch>("choice")->setCurrentIndex(2);
    auto *flags = control<SetSwitch>("flags");
    flags->setCheckStates({true, true, true});
    auto *noValue = control<OnOffSwitch>("novalue");
    EXPECT_FALSE(noValue->isChecked()) << "the panel builds a check box without value unchecked";

    const QWidget *before = range;
    formMain->scrlMain->controls().back()->widget()->setEnabled(false);
    click(formMain->mniFileLoadDefault);
    EXPECT_EQ(control<NumberSwitch>("range"), before) << "no rebuild";
    EXPECT_EQ(range->text(), QStringLiteral("10"));
    EXPECT_EQ(control<TextSwitch>("freetext")->text(), QStringLiteral("abc"));
    EXPECT_EQ(control<TextSwitch>("digits")->text(), QStringLiteral("0"));
    EXPECT_EQ(control<ChoiceSwitch>("choice")->currentIndex(), 0);
    EXPECT_EQ(flags->checkStates(), (QList<bool>{false, false, false}))
        << "a default sum of 0, disabled or not";
    EXPECT_TRUE(noValue->isChecked()) << "From Defaults reads a missing value as checked";
}

} // namespace
