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
