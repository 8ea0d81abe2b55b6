#include "config/ConfigWriter.h"
#include "app/TIniFile.h"
#include "platform/Cp1252.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

const QString kPatch =
    QStringLiteral("[offtext]\ncomponent=1\noffvalue=0\n"
                   "[atoff]\ncomponent=1\noffvalue=7\n"
                   "[plain]\ncomponent=1\n"
                   "[zero]\ncomponent=1\n"
                   "[lanterns]\ncomponent=2\n"
                   "[closed]\ncomponent=2\n"
                   "[weather]\ncomponent=3\nnumber=3\nnumber0=Mild\nnumber1=Harsh\nnumber2=Harsh\nvalue0="
                   "calm\nvalue1=12\nvalue2=3x\n"
                   "[tolls]\ncomponent=3\nnumber=2\nnumber0=Low\nnumber1=High\nvalue0=10\nvalue1=20\n"
                   "[nochoice]\ncomponent=3\nnumber=1\nnumber0=Only\nvalue0=1\n"
                   "[motto]\ncomponent=4\n"
                   "[blank]\ncomponent=4\n"
                   "[goods]\ncomponent=5\nnumber=2\nvalue0=1\nvalue1=2\nvalue2=4\n"
                   "[none]\ncomponent=5\nnumber=1\nvalue0=1\nvalue1=2\n"
                   "[old]\ncomponent=2\n");

SwitchState state(const char *name, SwitchKind kind)
{
    SwitchState s;
    s.name = QString::fromLatin1(name);
    s.kind = kind;
    return s;
}

QList<SwitchState> panel()
{
    QList<SwitchState> all;
    SwitchState s = state("offtext", SwitchKind::Number);
    s.text = QStringLiteral("off");
    s.number = 3; // its minimum, as the text is no number
    all << s;
    s = state("atoff", SwitchKind::Number);
    s.text = QStringLiteral("7");
    s.number = 7;
    all << s;
    s = state("plain", SwitchKind::Number);
    s.text = QStringLiteral("12");
    s.number = 12;
    all << s;
    s = state("zero", SwitchKind::Number);
    s.text = QStringLiteral("0");
    s.number = 0;
    all << s;
    s = state("lanterns", SwitchKind::OnOff);
    s.checked = true;
    all << s;
    all << state("closed", SwitchKind::OnOff);
    s = state("weather", SwitchKind::Choice);
    s.text = QStringLiteral("Harsh");
    all << s;
    s = state("tolls", SwitchKind::Choice);
    s.text = QStringLiteral("High");
    all << s;
    s = state("nochoice", SwitchKind::Choice);
    s.text = QStringLiteral("Gone");
    all << s;
    s = state("motto", SwitchKind::Text);
    s.text = QStringLiteral("gold=and glory é");
    all << s;
    all << state("blank", SwitchKind::Text);
    s = state("goods", SwitchKind::Set);
    s.checks = {true, false, true};
    all << s;
    s = state("none", SwitchKind::Set);
    s.checks = {false, false};
    all << s;
    s = state("old", SwitchKind::OnOff);
    s.enabled = false;
    s.checked = true;
    all << s;
    return all;
}

class ConfigWriterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.writePatch(kPatch);
        folder.writeVersions(QStringLiteral("[version]\nnumber=2\ndisplay2=Second = release\n"));
        folder.writeSettings(QStringLiteral("[dvs]\nversion=ver2\n"));
    }

    QByteArray written(ConfigVariant variant, const QList<SwitchState> &switches = panel()) const
    {
        const IniSnapshot patch = TIniFile(folder.files().patchIni()).snapshot();
        const IniSnapshot settings = TIniFile(folder.files().settingsIni()).snapshot();
        const IniSnapshot versions = TIniFile(folder.files().versionIni()).snapshot();
        return Cp1252::encodeLines(ConfigWriter(patch, settings, versions).compose(switches, variant))
            .value();
    }

    TestProgramFolder folder;
};

const QString kHeader =
    QStringLiteral("// Created by Dravopax Vevavav [http://dravopax-vevavav.example.org/]\n"
                   "// Compatibile with Second   release\n\n");
const QString kGreyed = QStringLiteral("// old <- switch not introduced in this version or obsolete\n");

// The switch lines; the variants differ in the number shown "off" and the choice's value.
QString switchLines(const char *offText, const char *weather)
{
    return QStringLiteral("offtext %1\natoff off\nplain 12\nzero off\nlanterns on\nclosed off\nweather %2\n"
                          "tolls 20\nmotto gold and glory é\ngoods 5\nnone 0\n")
        .arg(QLatin1String(offText), QLatin1String(weather));
}

TEST_F(ConfigWriterTest, TheFileVariantComparesTextsAndWritesChoiceValuesAsStored)
{
    EXPECT_EQ(written(ConfigVariant::File), crlf(kHeader + switchLines("off", "3x") + kGreyed));
}

TEST_F(ConfigWriterTest, TheNotepadVariantComparesValuesAndReadsChoiceValuesAsIntegers)
{
    EXPECT_EQ(written(ConfigVariant::Notepad), crlf(kHeader + switchLines("3", "0") + kGreyed));
}

TEST_F(ConfigWriterTest, TheRunVariantHasAShortHeaderAndNoCommentLines)
{
    EXPECT_EQ(written(ConfigVariant::Run),
              crlf(QStringLiteral("//Created by Dravopax Vevavav\n\n") + switchLines("3", "0")));
}

TEST_F(ConfigWriterTest, ACheckListSumBeyond32BitsWrapsAsThePatchReadsIt)
{
    folder.writePatch(
        QStringLiteral("[huge]\ncomponent=5\nnumber=1\nvalue0=1073741824\nvalue1=1073741824\n"));
    SwitchState huge = state("huge", SwitchKind::Set);
    huge.checks = {true, true};
    EXPECT_EQ(written(ConfigVariant::Run, {huge}),
              crlf(QStringLiteral("//Created by Dravopax Vevavav\n\nhuge -2147483648\n")));
}

TEST_F(ConfigWriterTest, NoVersionRecordedGivesUnknown)
{
    folder.writeSettings(QStringLiteral("[dvs]\nmenu=1\n"));
    const QByteArray bytes = written(ConfigVariant::File);
    EXPECT_TRUE(bytes.contains(QByteArray("\r\n// Compatibile with UNKNOWN\r\n\r\n")))
        << bytes.left(120).toStdString();
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
}

} // namespace
