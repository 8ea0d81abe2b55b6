#include "app/ErrorReport.h"
#include "app/TIniFile.h"
#include "app/TformMain.h"
#include "platform/DvsError.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kPatch = QStringLiteral(
    "[speed]\ncomponent=1\ncaption=Speed\nminvalue=0\nmaxvalue=64\noffvalue=0\nvalue=10\n"
    "[beyond]\ncomponent=1\ncaption=Beyond\nminvalue=0\nmaxvalue=64\noffvalue=65\nvalue=20\n"
    "[nooff]\ncomponent=1\ncaption=No off\nminvalue=2\nmaxvalue=9\nvalue=5\n"
    "[lanterns]\ncomponent=2\ncaption=Lanterns\n"
    "[weather]\ncomponent=3\ncaption=Weather\nnumber=3\nnumber0=Mild\nnumber1=Harsh\nnumber2=Wild\n"
    "value0=calm\nvalue1=storm\nvalue2=gale\n"
    "[motto]\ncomponent=4\ncaption=Motto\nvalue=gold\n"
    "[goods]\ncomponent=5\ncaption=Goods\nnumber=2\nnumber0=Salt\nnumber1=Silk\nnumber2=Spice\n"
    "value0=1\nvalue1=2\nvalue2=4\nvalue=5\n"
    "[future]\ncomponent=2\ncaption=Future\nversion=v2\n");

const QString kHeader =
    QStringLiteral("// Created by Dravopax Vevavav [http://dravopax-vevavav.example.org/]\n"
                   "// Compatibile with First\n\n");

class ConfigFilesTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        folder.writePatch(kPatch);
        folder.writeVersions(
            QStringLiteral("[version]\nnumber=2\ndisplay1=First\ndisplay2=Second\nv1=1\nv2=2\n"));
        folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\n"));
        startProgram();
    }

    template <typename T> T *control(const char *name) const
    {
        return formMain->scrlMain->surface()->findChild<T *>(QString::fromLatin1(name));
    }

    QString cfg(const QString &name) const { return folder.path() + QLatin1Char('/') + name; }

    // Loads hand-written text and reports what the user then sees.
    void load(const QByteArray &bytes)
    {
        writeBytes(cfg(QStringLiteral("hand.cfg")), bytes);
        formMain->LoadCFG(cfg(QStringLiteral("hand.cfg")));
    }

    QString loadError(const QByteArray &bytes)
    {
        try {
            load(bytes);
        } catch (const DvsError &error) {
            return error.message();
        }
        return QStringLiteral("<no error>");
    }
};

TEST_F(ConfigFilesTest, SaveWritesTheWholeFileAndRemembersItsFolder)
{
    control<NumberSwitch>("speed")->setValue(0);
    control<OnOffSwitch>("lanterns")->setChecked(true);
    control<ChoiceSwitch>("weather")->setCurrentIndex(2);
    control<TextSwitch>("motto")->setText(QStringLiteral("a=b"));
    formMain->dlgSave.fileName = QStringLiteral("chosen.cfg");

    formMain->SaveCFG(cfg(QStringLiteral("out.cfg")));
    EXPECT_EQ(
        readBytes(cfg(QStringLiteral("out.cfg"))),
        crlf(kHeader +
             QStringLiteral("speed off\nbeyond 20\nnooff 5\nlanterns on\nweather gale\nmotto a b\n"
                            "goods 5\n// future <- switch not introduced in this version or obsolete\n")));
    EXPECT_EQ(setting(QStringLiteral("lastdir")), folder.path() + QLatin1Char('/'));
    EXPECT_TRUE(formMain->dlgSave.fileName.isEmpty());
}

TEST_F(ConfigFilesTest, AnEmptyFileNameWritesNothingButClearsTheDialogsName)
{
    formMain->dlgSave.fileName = QStringLiteral("chosen.cfg");
    formMain->SaveCFG(QString());
    EXPECT_EQ(setting(QStringLiteral("lastdir")), QStringLiteral("<absent>"));
    EXPECT_TRUE(formMain->dlgSave.fileName.isEmpty());
    EXPECT_EQ(QDir(folder.path()).entryList(QStringList{QStringLiteral("*.cfg")}), QStringList());
}

TEST_F(ConfigFilesTest, AFailedSaveIsReportedKeepsTheOldFileAndTheLastFolder)
{
    const QString target = cfg(QStringLiteral("dravopax.cfg"));
    writeBytes(target, QByteArray("old content\r\n"));
    TIniFile(folder.files().settingsIni())
        .WriteString(QStringLiteral("dvs"), QStringLiteral("lastdir"), QStringLiteral("/before/"));

    const QString missing = folder.path() + QStringLiteral("/no/such/folder/x.cfg");
    EXPECT_THROW(
        {
            try {
                formMain->SaveCFG(missing);
            } catch (const DvsError &error) {
                EXPECT_EQ(error.message(), QStringLiteral("Unable to write to ") + missing);
                throw;
            }
        },
        DvsError);

    // A disk that fills up part-way through the write.
    control<TextSwitch>("motto")->setText(QString(20000, QLatin1Char('m')));
    struct rlimit old
    {
    };
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    bool failed = false;
    try {
        formMain->SaveCFG(target);
    } catch (const DvsError &) {
        failed = true;
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(failed);
    EXPECT_EQ(readBytes(target), QByteArray("old content\r\n"));
    EXPECT_EQ(setting(QStringLiteral("lastdir")), QStringLiteral("/before/"));
}

TEST_F(ConfigFilesTest, OpenInNotepadShowsTheNotepadVariant)
{
    control<NumberSwitch>("nooff")->setText(QStringLiteral("off"));
    click(formMain->itemNotepad);
    EXPECT_EQ(formMain->pageMain->currentWidget(), formMain->pageNotepad);
    EXPECT_EQ(formMain->memoNotepad->toPlainText(),
              kHeader +
                  QStringLiteral("speed 10\nbeyond 20\nnooff 2\nlanterns off\nweather 0\nmotto gold\n"
                                 "goods 5\n// future <- switch not introduced in this version or obsolete"));
    EXPECT_FALSE(formMain->itemNotepad->isEnabled());
    EXPECT_EQ(setting(QStringLiteral("lastdir")), QStringLiteral("<absent>"));
}

TEST_F(ConfigFilesTest, TheRunFileHasNoHeaderAddressAndNoLineForAnUnknownSwitch)
{
    control<NumberSwitch>("nooff")->setText(QStringLiteral("off"));
    formMain->WriteRunCFG(cfg(QStringLiteral("dvsdebug.cfg")));
    EXPECT_EQ(
        readBytes(cfg(QStringLiteral("dvsdebug.cfg"))),
        crlf(QStringLiteral("//Created by Dravopax Vevavav\n\nspeed 10\nbeyond 20\nnooff 2\nlanterns off\n"
                            "weather 0\nmotto gold\ngoods 5\n")))
        << "a choice value that is no number is written as 0 here";
    EXPECT_EQ(setting(QStringLiteral("lastdir")), QStringLiteral("<absent>"));
}

TEST_F(ConfigFilesTest, HandWrittenFilesInEverySeparatorStyleAreRead)
{
    load(QByteArray(
        "// my own file\r\n\r\nspeed: 12\r\nlanterns ON\r\nweather=storm\r\nmotto:hello world:x\r\n"
        "goods 6\r\nfuture on\r\n"));
    EXPECT_EQ(control<NumberSwitch>("speed")->text(), QStringLiteral("12"));
    EXPECT_TRUE(control<OnOffSwitch>("lanterns")->isChecked());
    EXPECT_EQ(control<ChoiceSwitch>("weather")->currentText(), QStringLiteral("Harsh"));
    EXPECT_EQ(control<TextSwitch>("motto")->text(), QStringLiteral("hello=world=x"));
    EXPECT_EQ(control<SetSwitch>("goods")->checkStates(), (QList<bool>{false, true, true}));
    EXPECT_TRUE(control<OnOffSwitch>("future")->isChecked()) << "a greyed switch takes the file's value";
    EXPECT_EQ(setting(QStringLiteral("lastdir")), folder.path() + QLatin1Char('/'));
    EXPECT_TRUE(formMain->scrlMain->isVisible());
}

TEST_F(ConfigFilesTest, CaseRulesOfTheReader)
{
    load(QByteArray("lanterns=ON\r\nWEATHER=gale\r\nweather=STORM\r\n"));
    EXPECT_FALSE(control<OnOffSwitch>("lanterns")->isChecked()) << "ON after = is not on";
    EXPECT_EQ(control<ChoiceSwitch>("weather")->currentText(), QStringLiteral("Wild"))
        << "the first line of the name in any case gives the value";

    load(QByteArray("lanterns: on\r\nLanterns off\r\n"));
    EXPECT_TRUE(control<OnOffSwitch>("lanterns")->isChecked()) << "a name is matched with its case";
}

TEST_F(ConfigFilesTest, OffAndZeroForCheckListsAndNumbers)
{
    control<SetSwitch>("goods")->setCheckStates({true, true, false});
    load(QByteArray("goods 0\r\n"));
    EXPECT_EQ(control<SetSwitch>("goods")->checkStates(), (QList<bool>{true, true, false}));
    load(QByteArray("goods off\r\n"));
    EXPECT_EQ(control<SetSwitch>("goods")->checkStates(), (QList<bool>{false, false, false}));

    load(QByteArray("nooff off\r\nspeed off\r\nbeyond off\r\n"));
    EXPECT_EQ(control<NumberSwitch>("nooff")->text(), QStringLiteral("off"))
        << "without an offvalue key off is 0, as for the rule and the writer";
    EXPECT_EQ(control<NumberSwitch>("speed")->text(), QStringLiteral("off"));
    EXPECT_EQ(control<NumberSwitch>("beyond")->text(), QStringLiteral("off"))
        << "an off value just past the limit is still off";
}

TEST_F(ConfigFilesTest, ALetterValueStopsTheLoadAtItsLineWithEarlierLinesApplied)
{
    const QString error = loadError(QByteArray("lanterns on\r\nspeed fast\r\nmotto late\r\n"));
    EXPECT_EQ(error, QStringLiteral("'fast' is not a valid integer value"));
    EXPECT_TRUE(control<OnOffSwitch>("lanterns")->isChecked());
    EXPECT_EQ(control<TextSwitch>("motto")->text(), QStringLiteral("gold"));
    EXPECT_TRUE(formMain->scrlMain->isVisible());
    EXPECT_EQ(setting(QStringLiteral("lastdir")), folder.path() + QLatin1Char('/'));

    EXPECT_EQ(loadError(QByteArray("goods 4294967296\r\n")),
              QStringLiteral("'4294967296' is not a valid integer value"));
    EXPECT_EQ(loadError(QByteArray("speed 2147483648\r\n")),
              QStringLiteral("'2147483648' is not a valid integer value"));
}

TEST_F(ConfigFilesTest, TheErrorReachesTheUserThroughTheGeneralReport)
{
    writeBytes(cfg(QStringLiteral("bad.cfg")), QByteArray("speed x1\r\n"));
    fake.messages.expectOk(MsgType::Error, QStringLiteral("'x1' is not a valid integer value"));
    runReported(fake.messages, [&] { formMain->LoadCFG(cfg(QStringLiteral("bad.cfg"))); });
    EXPECT_TRUE(formMain->scrlMain->isVisible());
}

TEST_F(ConfigFilesTest, DamagedFilesApplyWhatTheyCan)
{
    const QList<QByteArray> damaged = {
        QByteArray(),
        QByteArray(200000, '\x01'),
        QByteArray("lanterns on\rmotto crlf\rspeed 3"),
        QByteArray("motto a\0b\r\nlanterns on\r\n", 23),
        QByteArray("motto ") + QByteArray(1 << 20, 'l') + QByteArray("\r\nnosuchswitch 5\r\nspeed 7\r\n"),
    };
    for (const QByteArray &bytes : damaged)
        EXPECT_EQ(loadError(bytes), QStringLiteral("<no error>"));
    EXPECT_EQ(control<NumberSwitch>("speed")->text(), QStringLiteral("7"));
    EXPECT_EQ(control<TextSwitch>("motto")->text().size(), control<TextSwitch>("motto")->maxLength())
        << "as much of the huge value as the field holds";
    EXPECT_TRUE(control<OnOffSwitch>("lanterns")->isChecked());
}

TEST_F(ConfigFilesTest, AMissingFileChangesNothing)
{
    control<OnOffSwitch>("lanterns")->setChecked(true);
    formMain->LoadCFG(cfg(QStringLiteral("gone.cfg")));
    EXPECT_TRUE(control<OnOffSwitch>("lanterns")->isChecked());
    EXPECT_EQ(setting(QStringLiteral("lastdir")), QStringLiteral("<absent>"));
    EXPECT_TRUE(formMain->scrlMain->isVisible());
}

} // namespace
