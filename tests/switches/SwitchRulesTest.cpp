#include "ini/TIniFile.h"
#include "support/TestFiles.h"
#include "switches/Availability.h"
#include "switches/CheckSum.h"
#include "switches/SpinEdit.h"

#include <QCoreApplication>
#include <QFocusEvent>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(Availability, ASwitchExistsFromItsVersionUntilItIsObsoleteTheVersionBeingTheNumberAfterVer)
{
    TestProgramFolder folder;
    folder.writeVersions(u"[version]\nnumber=4\ndisplay1=One\nv1=1\nv2=2\nv3=3\nv4=4\n"_s);
    folder.writePatch(
        u"[always]\ncomponent=2\n[unknownintro]\ncomponent=2\nversion=v9\n"
        "[fromtwo]\ncomponent=2\nversion=v2\n[twotothree]\ncomponent=2\nversion=v2\nobsolete=v4\n"
        "[unknownobsolete]\ncomponent=2\nobsolete=v9\n[sameboth]\ncomponent=2\nversion=v3\n"
        "obsolete=v3\n[emptyobsolete]\ncomponent=2\nobsolete=\n"_s);
    const IniSnapshot patch = TIniFile(folder.files().patchIni()).snapshot();
    const IniSnapshot versions = TIniFile(folder.files().versionIni()).snapshot();
    // Versions 1 to 4 of each switch: '+' available, '-' not.
    const std::pair<const char *, const char *> expected[] = {
        {"always", "++++"},          // no version: every version
        {"unknownintro", "++++"},    // a version.ini does not know: every version
        {"fromtwo", "-+++"},         //
        {"twotothree", "-++-"},      // obsolete from the fourth
        {"unknownobsolete", "----"}, // obsolete in a version.ini does not know: never
        {"sameboth", "----"},        // obsolete where it came: never
        {"emptyobsolete", "----"},   //
    };
    for (const auto &[name, available] : expected) {
        QString seen;
        for (int v = 1; v <= 4; ++v)
            seen += isSwitchAvailable(patch, versions, QString::fromLatin1(name), v) ? u'+' : u'-';
        EXPECT_EQ(seen, QString::fromLatin1(available)) << name;
    }
    for (const auto &[stored, number] :
         {std::pair(u"ver3"_s, 3), std::pair(u"ver12"_s, 12), std::pair(u"1"_s, 0), std::pair(u"verx"_s, 0)})
        EXPECT_EQ(selectedVersionNumber(stored), number) << stored.toStdString();
}

QList<bool> marks(const char *bits)
{
    QList<bool> states;
    for (const char *bit = bits; *bit; ++bit)
        states << (*bit == '1');
    return states;
}

TEST(CheckSum, ASumSetsTheMarksFromTheHeaviestItemDownAndTheCheckedWeightsAddUpToIt)
{
    // The sum, the weights, and the marks before and after.
    const std::tuple<qint64, QList<int>, const char *, const char *> cases[] = {
        {5, {1, 2, 4}, "000", "101"}, // powers of two give the bits of the sum
        {6, {1, 2, 4, 8}, "0000", "0110"}, {15, {1, 2, 4, 8}, "0000", "1111"},
        {7, {1, 2}, "00", "11"},           // a remainder no item matches is dropped
        {0, {1, 2, 4}, "101", "101"},      // a zero sum changes no mark
        {3, {1, 2, 0, 4}, "0000", "1110"}, // weight 0 is checked when reached and keeps the remainder
        {4, {1, 2, 4}, "110", "001"},      // items below the one that ends the sum are unchecked
        {-3, {1, 2, 4}, "111", "000"},     // a negative sum unchecks every item it visits
    };
    for (const auto &[sum, weights, before, after] : cases)
        EXPECT_EQ(decomposeCheckSum(sum, weights, marks(before)), marks(after)) << sum << " " << before;
    EXPECT_EQ(checkedSum({1, 2, 4, 8}, marks("1010")), 5) << "and back";
    EXPECT_EQ(checkedSum({2000000000, 2000000000}, marks("11")), 4000000000LL);
}

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
