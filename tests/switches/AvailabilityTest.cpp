#include "switches/Availability.h"
#include "app/TIniFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

class AvailabilityTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.writeVersions(QStringLiteral("[version]\nnumber=4\ndisplay1=One\nv1=1\nv2=2\nv3=3\nv4=4\n"));
        folder.writePatch(QStringLiteral("[always]\ncomponent=2\n"
                                         "[unknownintro]\ncomponent=2\nversion=v9\n"
                                         "[fromtwo]\ncomponent=2\nversion=v2\n"
                                         "[twotothree]\ncomponent=2\nversion=v2\nobsolete=v4\n"
                                         "[unknownobsolete]\ncomponent=2\nobsolete=v9\n"
                                         "[sameboth]\ncomponent=2\nversion=v3\nobsolete=v3\n"
                                         "[emptyobsolete]\ncomponent=2\nobsolete=\n"));
    }

    bool available(const char *name, int current) const
    {
        return isSwitchAvailable(TIniFile(folder.files().patchIni()).snapshot(),
                                 TIniFile(folder.files().versionIni()).snapshot(), QString::fromLatin1(name),
                                 current);
    }

    TestProgramFolder folder;
};

TEST_F(AvailabilityTest, ASwitchExistsFromItsVersionUntilItIsObsolete)
{
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
    for (const auto &[name, versions] : expected) {
        QString seen;
        for (int v = 1; v <= 4; ++v)
            seen += available(name, v) ? QLatin1Char('+') : QLatin1Char('-');
        EXPECT_EQ(seen, QString::fromLatin1(versions)) << name;
    }
}

TEST(SelectedVersionNumber, IsTheNumberAfterVer)
{
    EXPECT_EQ(selectedVersionNumber(QStringLiteral("ver3")), 3);
    EXPECT_EQ(selectedVersionNumber(QStringLiteral("ver12")), 12);
    EXPECT_EQ(selectedVersionNumber(QStringLiteral("1")), 0);
    EXPECT_EQ(selectedVersionNumber(QStringLiteral("verx")), 0);
}

} // namespace
