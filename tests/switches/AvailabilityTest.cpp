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

TEST_F(AvailabilityTest, ASwitchWithoutAKnownVersionExistsInEveryVersion)
{
    for (int v = 1; v <= 4; ++v) {
        EXPECT_TRUE(available("always", v));
        EXPECT_TRUE(available("unknownintro", v));
    }
}

TEST_F(AvailabilityTest, ASwitchExistsFromItsVersionUntilItIsObsolete)
{
    EXPECT_FALSE(available("fromtwo", 1));
    EXPECT_TRUE(available("fromtwo", 2));
    EXPECT_TRUE(available("fromtwo", 4));
    EXPECT_FALSE(available("twotothree", 1));
    EXPECT_TRUE(available("twotothree", 2));
    EXPECT_TRUE(available("twotothree", 3));
    EXPECT_FALSE(available("twotothree", 4));
}

TEST_F(AvailabilityTest, AnObsoleteVersionThatIsUnknownOrEqualToTheIntroductionMeansNever)
{
    for (int v = 0; v <= 5; ++v) {
        EXPECT_FALSE(available("unknownobsolete", v)) << v;
        EXPECT_FALSE(available("sameboth", v)) << v;
        EXPECT_FALSE(available("emptyobsolete", v)) << v;
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
