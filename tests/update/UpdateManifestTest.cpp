#include "update/UpdateManifest.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(UpdateManifest, AGroupIsNewerOnlyWhenItsVersionExceedsTheInstalledStampAndGarbageOffersNothing)
{
    const QByteArray garbage = QByteArray("\x00\xff\x01[\x9c=\x00\n\x7f", 10).repeated(500);
    // The patch section of the manifest, and patch.ini's data section (none: no file).
    const std::tuple<QByteArray, QByteArray, bool> rows[] = {
        {"version=13", "version=12", true},
        {"version=12", "version=12", false},
        {"version=1", {}, true},
        {{}, {}, false},
        {"version=abc", {}, false},
        {"version=99999999999", {}, false},
        {"version=13", "version=abc", true},
        {"version=-1", {}, false},
        {"version=5\n" + garbage, {}, true},
        {garbage, {}, false},
    };
    for (const auto &[section, installed, newer] : rows) {
        SCOPED_TRACE(section.left(20).toStdString() + " / " + installed.toStdString());
        TestProgramFolder folder;
        writeBytes(folder.files().updateIni(), "[patch]\n" + section + "\n[links]\nversion=1\n");
        if (!installed.isEmpty())
            writeBytes(folder.files().patchIni(), "[data]\n" + installed + "\n");
        writeBytes(folder.files().dataIni(), "[data]\nversion=1\n");
        const UpdateManifest manifest(folder.files(), QString());
        EXPECT_EQ(manifest.isNewer(UpdateGroup::Patch), newer);
        EXPECT_FALSE(manifest.isNewer(UpdateGroup::Links)) << "the same version is not newer";
        EXPECT_FALSE(manifest.isNewer(UpdateGroup::Executable)) << "the executable carries no version";
    }
}

TEST(UpdateManifest, ADownloadReplacesADataFileOnlyAsAFileOfItsKindWithTheAnnouncedVersion)
{
    TestProgramFolder folder;
    const ProgramFiles &files = folder.files();
    for (const char *name : {"patch.ini", "version.ini", "data.ini", "help.ini"})
        folder.copySampleData(QString::fromLatin1(name));
    writeBytes(files.updateIni(), "[patch]\nversion=7\n[links]\nversion=3\n[help]\nversion=2\n");
    using enum UpdateGroup;
    const std::tuple<const char *, UpdateGroup, QString, QByteArray, bool> rows[] = {
        {"the shipped switches", Patch, files.patchIni(), readBytes(files.patchIni()), true},
        {"the shipped versions", Patch, files.versionIni(), readBytes(files.versionIni()), true},
        {"the shipped links", Links, files.dataIni(), readBytes(files.dataIni()), true},
        {"the shipped help stamp", Help, files.helpIni(), readBytes(files.helpIni()), true},
        {"a mark, comments and blanks first", Patch, files.patchIni(),
         "\xEF\xBB\xBF; database\r\n\r\n  [DATA]\r\nVersion = 7\r\n", true},
        {"markup first", Patch, files.patchIni(), "<pre>\n[data]\nversion=7\n", false},
        {"a NUL byte", Help, files.helpIni(), QByteArray("[data]\nversion=2\n\0", 18), false},
        {"the version elsewhere", Patch, files.patchIni(), "[other]\nversion=7\n", false},
        {"a newer version than announced", Help, files.helpIni(), "[data]\nversion=3\n", false},
        {"no count of versions", Patch, files.versionIni(), "[version]\ndisplay1=x\n", false},
        {"a help file that is a page", Help, files.file(u"\\Help\\DV.htm"_s), "<html></html>", true},
    };
    const UpdateManifest manifest(files, QString());
    for (const auto &[name, group, target, body, accepted] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(manifest.accepts(group, UpdateFile{u"http://h/f"_s, target}, body), accepted);
    }
}

TEST(UpdateManifest, AHelpExtensionThatWouldLeadOutOfTheHelpFolderIsRefused)
{
    TestProgramFolder folder;
    for (const QString &extension :
         {u"a/b"_s, u"a\\b"_s, u".."_s, u"x..y"_s, u"c:x"_s, u"a*"_s, u"a\tb"_s, u"\u00e9.chm"_s}) {
        SCOPED_TRACE(extension.toStdString());
        writeText(folder.files().updateIni(),
                  u"[help]\next_zvt="_s + extension + u"\nzvt_help=http://h/z\n"_s);
        const UpdateFile file = UpdateManifest(folder.files(), QString()).files(UpdateGroup::Help)[1];
        const bool plain = extension.startsWith(u'\u00e9');
        EXPECT_EQ(file.fetchable(), plain);
        EXPECT_EQ(file.target, plain ? folder.path() + u"/Help/ZVT."_s + extension : QString());
    }
}

} // namespace
