#include "update/UpdateManifest.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(UpdateManifest, AGroupIsNewerOnlyWhenItsVersionExceedsTheInstalledStamp)
{
    struct Row
    {
        const char *manifest;  // the patch section's version line, if any
        const char *installed; // patch.ini's data section, if any
        bool newer;
    };
    for (const Row &row : {Row{"version=13", "version=12", true}, Row{"version=12", "version=12", false},
                           Row{"version=1", nullptr, true}, Row{nullptr, nullptr, false},
                           Row{"version=abc", nullptr, false}, Row{"version=99999999999", nullptr, false},
                           Row{"version=13", "version=abc", true}, Row{"version=-1", nullptr, false}}) {
        SCOPED_TRACE(std::string(row.manifest ? row.manifest : "-") + " / " +
                     (row.installed ? row.installed : "-"));
        TestProgramFolder folder;
        const ProgramFiles &files = folder.files();
        writeText(files.updateIni(),
                  u"[patch]\n"_s + QString::fromLatin1(row.manifest) + u"\n[links]\nversion=1\n"_s);
        if (row.installed)
            folder.writePatch(u"[data]\n"_s + QString::fromLatin1(row.installed) + u"\n"_s);
        writeText(files.dataIni(), u"[data]\nversion=1\n"_s);
        const UpdateManifest manifest(files, folder.path() + u"/program"_s);
        EXPECT_EQ(manifest.isNewer(UpdateGroup::Patch), row.newer);
        EXPECT_FALSE(manifest.isNewer(UpdateGroup::Links)) << "the same version is not newer";
        EXPECT_FALSE(manifest.isNewer(UpdateGroup::Executable)) << "the executable carries no version";
    }
}

TEST(UpdateManifest, CaptionsShowNewestDateAndSizeOrTheirDefaults)
{
    TestProgramFolder folder;
    writeText(folder.files().updateIni(),
              u"[patch]\nversion=13\nnewest=2004-07-22\ndate=04-07-22\nsize=35 KB\n[help]\nversion=2\n"_s);
    const UpdateManifest manifest(folder.files(), QString());
    EXPECT_EQ(manifest.caption(UpdateGroup::Patch), u"2004-07-22 (04-07-22) [35 KB]"_s);
    EXPECT_EQ(manifest.caption(UpdateGroup::Help), u"CORRUPTED FILE (?\?-?\?-?\?) [??? KB]"_s);

    writeBytes(folder.files().updateIni(), QByteArray("\x00\xff\x01[\x9c=\x00\n\x7f", 10).repeated(500));
    const UpdateManifest garbage(folder.files(), QString());
    for (const UpdateGroup group : {UpdateGroup::Patch, UpdateGroup::Links, UpdateGroup::Help})
        EXPECT_FALSE(garbage.isNewer(group));
}

TEST(UpdateManifest, EachGroupBringsItsFilesAndHelpExtensionsStayInTheHelpFolder)
{
    TestProgramFolder folder;
    const ProgramFiles &files = folder.files();
    writeText(files.updateIni(), u"[patch]\npatch_ini=http://h/p\n[links]\ndata_ini=http://h/d\n"
                                 u"[dvs]\ndvs_exe=http://h/e\n"
                                 u"[help]\nhelp_ini=http://h/hi\next_zvt=chm\nzvt_help=http://h/z\n"
                                 u"dv_help=http://h/dv\next_dvs=../../evil\ndvs_help=http://h/dvs\n"_s);
    const UpdateManifest manifest(files, folder.path() + u"/program"_s);
    const auto listed = [&](UpdateGroup group) {
        QStringList rows;
        for (const UpdateFile &file : manifest.files(group))
            rows << file.address + u" > "_s + file.target + (file.fetchable() ? u""_s : u" (skipped)"_s);
        return rows;
    };
    const QString help = folder.path() + u"/Help/"_s;
    EXPECT_EQ(listed(UpdateGroup::Patch), (QStringList{u"http://h/p > "_s + files.patchIni(),
                                                       u"0 > "_s + files.versionIni() + u" (skipped)"_s}));
    EXPECT_EQ(listed(UpdateGroup::Links), QStringList{u"http://h/d > "_s + files.dataIni()});
    EXPECT_EQ(listed(UpdateGroup::Executable),
              (QStringList{u"http://h/e > "_s + folder.path() + u"/programNEW"_s,
                           u"0 > "_s + files.versionIni() + u" (skipped)"_s}));
    EXPECT_EQ(listed(UpdateGroup::Help),
              (QStringList{u"http://h/hi > "_s + files.helpIni(), u"http://h/z > "_s + help + u"ZVT.chm"_s,
                           u"http://h/dv > "_s + help + u"DV.0"_s, u"http://h/dvs >  (skipped)"_s}));

    for (const QString &extension :
         {u"a/b"_s, u"a\\b"_s, u".."_s, u"x..y"_s, u"c:x"_s, u"a*"_s, u"a\tb"_s, u"\u00e9\u00e8"_s}) {
        SCOPED_TRACE(extension.toStdString());
        writeText(files.updateIni(), u"[help]\next_zvt="_s + extension + u"\nzvt_help=http://h/z\n"_s);
        const bool plain = extension.startsWith(u'\u00e9');
        EXPECT_EQ(UpdateManifest(files, QString()).files(UpdateGroup::Help)[1].fetchable(), plain);
    }
}

} // namespace
