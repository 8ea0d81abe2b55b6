#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyleOptionSpinBox>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The spin edits are wide enough for their buttons to be clicked.
const QString kPatch =
    u"[range]\ncomponent=1\nwidth=60\nminvalue=0\nmaxvalue=64\noffvalue=0\nvalue=10\n"
    "[beyond]\ncomponent=1\nwidth=60\nminvalue=0\nmaxvalue=64\noffvalue=65\nvalue=20\n"
    "[fixed]\ncomponent=1\nwidth=60\nminvalue=5\nmaxvalue=5\nvalue=5\n"
    "[defaultoff]\ncomponent=1\nwidth=60\nminvalue=0\nmaxvalue=9\noffvalue=3\nvalue=3\n"
    "[freetext]\ncomponent=4\ntype=text\nvalue=abc\n[digits]\ncomponent=4\ntype=numbers\n"
    "[singular]\ncomponent=4\ntype=number\n[choice]\ncomponent=3\nnumber=3\nnumber0=Alpha\n"
    "number1=Beta\nnumber2=Gamma\n[novalue]\ncomponent=2\n[flags]\ncomponent=5\nnumber=2\n"
    "value0=1\nvalue1=2\nvalue2=4\n"_s;

class SwitchValuesTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        folder.writePatch(kPatch);
        folder.writeVersions(u"[version]\nnumber=1\ndisplay1=One\nv1=1\n"_s);
        folder.writeSettings(u"[dvs]\nversion=ver1\n"_s);
        startProgram();
    }

    template <typename T> T *control(const char *name) const
    {
        auto *found = dynamic_cast<T *>(formMain->scrlMain->control(QString::fromLatin1(name)));
        EXPECT_TRUE(found) << name;
        return found;
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

TEST_F(SwitchValuesTest, TypingIntoANumberSwitchFollowsItsRule)
{
    // Each time the whole text is typed over, as a user would.
    const std::tuple<const char *, QString, QString> typed[] = {
        {"range", u"100"_s, u"64"_s},
        {"range", u"0"_s, u"off"_s},
        {"range", u"12"_s, u"12"_s},
        // A full stop is accepted and makes no integer; so does deleting every digit.
        {"range", u"12."_s, u"off"_s},
        {"range", u"33\b\b"_s, u"off"_s},
        // Letters, minus, blanks and Enter never reach it.
        {"range", u"4a- x\r"_s, u"4"_s},
        // An off value beyond the limits can be typed.
        {"beyond", u"65"_s, u"off"_s},
        {"beyond", u"66"_s, u"64"_s},
        // Equal limits hold the value after a change.
        {"fixed", u"7"_s, u"5"_s},
    };
    EXPECT_EQ(control<NumberSwitch>("fixed")->text(), u"5"_s);
    for (const auto &[name, keys, shown] : typed) {
        auto *spin = control<NumberSwitch>(name);
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, keys);
        EXPECT_EQ(spin->text(), shown) << name << " " << keys.toStdString();
    }
}

TEST_F(SwitchValuesTest, TheButtonsStepFromOffButNotBeyondTheLimits)
{
    auto *beyond = control<NumberSwitch>("beyond");
    beyond->setText(u"64"_s);
    clickButton(beyond, QStyle::SC_SpinBoxUp);
    EXPECT_EQ(beyond->text(), u"64"_s) << "the off value beyond the limits is not stepped to";

    auto *range = control<NumberSwitch>("range");
    range->setText(u"0"_s);
    ASSERT_EQ(range->text(), u"off"_s);
    const std::pair<QStyle::SubControl, const char *> steps[] = {
        {QStyle::SC_SpinBoxUp, "1"}, {QStyle::SC_SpinBoxDown, "off"}, {QStyle::SC_SpinBoxDown, "off"}};
    for (const auto &[button, shown] : steps) {
        clickButton(range, button);
        EXPECT_EQ(range->text(), QString::fromLatin1(shown));
    }
    // The keys step by one, the page keys too.
    QTest::keyClick(range, Qt::Key_Up);
    QTest::keyClick(range, Qt::Key_PageUp);
    EXPECT_EQ(range->text(), u"2"_s);
}

TEST_F(SwitchValuesTest, TextSwitchesFilterByTheirTypeAndADropDownListFollowsOnlyTheArrows)
{
    // Type "number" is not "numbers"; no text takes a letter a configuration file cannot hold.
    const std::pair<const char *, QString> texts[] = {
        {"freetext", u"a1.b2é"_s}, {"digits", u"1.2"_s}, {"singular", u"a1.b2é"_s}};
    for (const auto &[name, shown] : texts) {
        auto *edit = control<TextSwitch>(name);
        edit->setFocus();
        edit->clear();
        for (const QChar typed : u"a1Ω.b2é中"_s) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, typed);
            QApplication::sendEvent(edit, &press);
        }
        EXPECT_EQ(edit->text(), shown) << name;
    }
    auto *choice = control<ChoiceSwitch>("choice");
    choice->setFocus();
    QTest::keyClicks(choice, u"gb"_s);
    EXPECT_EQ(choice->currentText(), u"Alpha"_s);
    QTest::keyClick(choice, Qt::Key_Down);
    EXPECT_EQ(choice->currentText(), u"Beta"_s);
}

TEST_F(SwitchValuesTest, FromDefaultsResetsEverySwitchWithoutRebuilding)
{
    auto *range = control<NumberSwitch>("range");
    range->setText(u"50"_s);
    control<TextSwitch>("freetext")->setText(u"changed"_s);
    control<ChoiceSwitch>("choice")->setCurrentIndex(2);
    auto *flags = control<SetSwitch>("flags");
    flags->setCheckStates({true, true, true});
    formMain->scrlMain->controls().back()->widget()->setEnabled(false);
    auto *noValue = control<OnOffSwitch>("novalue");
    EXPECT_EQ(control<NumberSwitch>("defaultoff")->text(), u"3"_s) << "a default at the off value shows it";

    // Pressed while a text field has the focus, which would take Ctrl+D for itself.
    control<TextSwitch>("digits")->setFocus();
    QTest::keyClick(control<TextSwitch>("digits"), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(control<NumberSwitch>("range"), range) << "no rebuild";
    EXPECT_EQ(range->text(), u"10"_s);
    EXPECT_EQ(control<NumberSwitch>("defaultoff")->text(), u"off"_s);
    EXPECT_EQ(control<TextSwitch>("freetext")->text(), u"abc"_s);
    EXPECT_EQ(control<TextSwitch>("digits")->text(), u"0"_s);
    EXPECT_EQ(control<ChoiceSwitch>("choice")->currentIndex(), 0);
    EXPECT_EQ(flags->checkStates(), (QList<bool>{false, false, false}))
        << "a default sum of 0, disabled or not";
    EXPECT_TRUE(noValue->isChecked()) << "From Defaults reads a missing value as checked";
}

} // namespace
