#include "switches/Availability.h"
#include "ini/TIniFile.h"
#include "support/TestFiles.h"

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

} // namespace
