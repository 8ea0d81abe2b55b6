#include "config/ConfigWriter.h"
#include "app/TIniFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The texts the variants write are compared whole, through the main window, in ConfigFilesTest.
TEST(ConfigWriter, ACheckListSumBeyond32BitsWrapsAsThePatchReadsIt)
{
    TestProgramFolder folder;
    folder.writePatch(u"[huge]\ncomponent=5\nnumber=1\nvalue0=1073741824\nvalue1=1073741824\n"_s);
    const IniSnapshot patch = TIniFile(folder.files().patchIni()).snapshot();
    const IniSnapshot none = TIniFile(folder.files().settingsIni()).snapshot();
    SwitchState huge;
    huge.name = u"huge"_s;
    huge.kind = SwitchKind::Set;
    huge.checks = {true, true};
    EXPECT_EQ(ConfigWriter(patch, none, none).compose({huge}, ConfigVariant::Run),
              (QStringList{u"//Created by Dravopax Vevavav"_s, QString(), u"huge -2147483648"_s}));
}

} // namespace
