#include "app/TformMain.h"
#include "config/ConfigReader.h"
#include "config/PanelValues.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchPanel.h"

#include <QPlainTextEdit>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {

// A number without an off value, whose off value is then 0, and one whose off value
// lies past its limits; a choice with two items of one text.
const QString kPatch =
    u"[speed]\ncomponent=1\ncaption=Speed\nminvalue=0\nmaxvalue=64\nvalue=0\n[beyond]\ncomponent=1\n"
    "caption=Beyond\nminvalue=0\nmaxvalue=64\noffvalue=65\nvalue=20\n[nooff]\ncomponent=1\ncaption=No off\n"
    "minvalue=2\nmaxvalue=9\nvalue=5\n[lanterns]\ncomponent=2\ncaption=Lanterns\n[weather]\ncomponent=3\n"
    "caption=Weather\nnumber=4\nnumber0=Mild\nnumber1=Harsh\nnumber2=Wild\nnumber3=Wild\nvalue0=calm\n"
    "value1=storm\nvalue2=gale\nvalue3=012\n[motto]\ncomponent=4\ncaption=Motto\nvalue=gold\n[goods]\n"
    "component=5\ncaption=Goods\nnumber=2\nnumber0=Salt\nnumber1=Silk\nnumber2=Spice\nvalue0=1\nvalue1=2\n"
    "value2=4\nvalue=5\n[future]\ncomponent=2\ncaption=Future\nversion=v2\n"_s;

const QString kHeader = u"// Created by Dravopax Vevavav [http://dravopax-vevavav.example.org/]\n"
                        "// Compatibile with First   one\n\n"_s;
const QString kGreyed = u"// future <- switch not introduced in this version or obsolete\n"_s;

class ConfigFilesTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        folder.writePatch(kPatch);
        folder.writeVersions(u"[version]\nnumber=2\ndisplay1=First = one\ndisplay2=Second\nv1=1\nv2=2\n"_s);
        folder.writeSettings(u"[dvs]\nversion=ver1\n"_s);
        startProgram();
    }

    QString cfg(const QString &name) const { return folder.path() + u'/' + name; }

    // What the panel shows, switch by switch in panel order (speed beyond nooff lanterns
    // weather motto goods future); a check list as its marks.
    QString shown() const
    {
        QStringList parts;
        for (const SwitchState &s : PanelValues::read(*panel())) {
            QString value = s.kind == SwitchKind::OnOff ? (s.checked ? u"on"_s : u"off"_s) : s.text;
            for (bool checked : s.checks)
                value += checked ? u'1' : u'0';
            // A long value as its length and its letter.
            parts << (value.size() > 80 ? u"<%1 %2>"_s.arg(value.size()).arg(value[0]) : value);
        }
        return parts.join(u' ');
    }
};

TEST_F(ConfigFilesTest, TheSavedFileTheNotepadAndTheRunFileHoldThePanel)
{
    windows->config().dlgSave.fileName = u"chosen.cfg"_s;
    windows->config().SaveCFG(QString());
    EXPECT_TRUE(windows->config().dlgSave.fileName.isEmpty()) << "no name: nothing written, the name cleared";

    // The notepad and the run file compare a number's value with its off value and read the
    // value of the last item of the shown text as an integer; an empty value gives no line.
    control<NumberSwitch>("nooff")->setText(u"off"_s);
    control<ChoiceSwitch>("weather")->setCurrentIndex(2);
    control<TextSwitch>("motto")->clear();
    const QString values = u"speed off\nbeyond 20\nnooff 2\nlanterns off\nweather 12\ngoods 5\n"_s;
    click(action("itemNotepad"));
    EXPECT_EQ(named<QTabWidget>("pageMain")->currentWidget(), named<QWidget>("pageNotepad"));
    EXPECT_EQ(named<QPlainTextEdit>("memoNotepad")->toPlainText() + u'\n', kHeader + values + kGreyed);
    windows->config().WriteRunCFG(cfg(u"dvsdebug.cfg"_s));
    EXPECT_EQ(readBytes(cfg(u"dvsdebug.cfg"_s)), crlf(u"//Created by Dravopax Vevavav\n\n"_s + values));
    EXPECT_EQ(setting(u"lastdir"_s), u"<absent>"_s) << "only a saved or loaded file gives the last folder";

    // The saved file compares the shown text and writes the choice's value as it stands.
    control<OnOffSwitch>("lanterns")->setChecked(true);
    control<TextSwitch>("motto")->setText(u"a=b"_s);
    control<SetSwitch>("goods")->setCheckStates({false, false, false});
    windows->config().dlgSave.fileName = u"chosen.cfg"_s;
    windows->config().SaveCFG(cfg(u"out.cfg"_s));
    EXPECT_EQ(readBytes(cfg(u"out.cfg"_s)),
              crlf(kHeader +
                   u"speed off\nbeyond 20\nnooff off\nlanterns on\nweather 012\nmotto a b\ngoods 0\n"_s +
                   kGreyed));
    EXPECT_EQ(setting(u"lastdir"_s), folder.path() + u'/');
    EXPECT_TRUE(windows->config().dlgSave.fileName.isEmpty());

    // Loaded over other values, the saved file brings back every enabled switch; a default
    // at the off value comes back as "off", and a sum of 0 leaves the check list as it is.
    control<NumberSwitch>("speed")->setText(u"7"_s);
    control<NumberSwitch>("beyond")->setText(u"off"_s);
    control<NumberSwitch>("nooff")->setText(u"4"_s);
    control<OnOffSwitch>("lanterns")->setChecked(false);
    control<ChoiceSwitch>("weather")->setCurrentIndex(1);
    control<TextSwitch>("motto")->setText(u"x"_s);
    windows->config().LoadCFG(cfg(u"out.cfg"_s));
    EXPECT_EQ(shown(), u"off 20 off on Wild a=b 000 off"_s);
}

TEST_F(ConfigFilesTest, HandWrittenOrDamagedFilesSetTheSwitchesTheirLinesNameUpToABadValue)
{
    windows->config().LoadCFG(cfg(u"gone.cfg"_s));
    EXPECT_EQ(shown(), u"0 20 5 off Mild gold 101 off"_s);
    EXPECT_EQ(setting(u"lastdir"_s), u"<absent>"_s) << "a missing file changes nothing";

    // Each file is loaded over what the one before left; a value that is no integer stops the
    // load at its line, with the message given.
    const std::tuple<QByteArray, const char *, QString> files[] = {
        // "ON" after "=" is no "on"; the first line of a name in any case gives the value.
        {"lanterns=ON\r\nWEATHER=gale\r\nweather=STORM\r\nspeed off\r\n", "",
         u"off 20 5 off Wild gold 101 off"_s},
        {"lanterns on\r\nspeed fast\r\nmotto late\r\n", "fast", u"off 20 5 on Wild gold 101 off"_s},
        {"goods 4294967296\r\n", "4294967296", u"off 20 5 on Wild gold 101 off"_s},
        // Every separator style; a greyed switch takes the file's value too.
        {"// my own file\r\n\r\nspeed: 12\r\nlanterns ON\r\nweather=storm\r\nmotto:hello world:x\r\n"
         "goods 6\r\nfuture on\r\n",
         "", u"12 20 5 on Harsh hello=world=x 011 on"_s},
        // A sum of 0 leaves the marks as they are; off clears them.
        {"goods 0\r\n", "", u"12 20 5 on Harsh hello=world=x 011 on"_s},
        // Off is the off value, 0 without one, also just past the limits.
        {"goods off\r\nnooff off\r\nspeed off\r\nbeyond off\r\n", "",
         u"off off off on Harsh hello=world=x 000 on"_s},
        {QByteArray(200000, '\x01'), "", u"off off off on Harsh hello=world=x 000 on"_s},
        {QByteArray("lanterns off\rmotto a\0b\rspeed 3", 30), "", u"3 off off off Harsh a\u0000b 000 on"_s},
        // As much of a huge value as the field holds; the first item's value picks it.
        {"motto " + QByteArray(1 << 20, 'l') + "\r\nnosuchswitch 5\r\nweather calm\r\nspeed 7", "",
         u"7 off off off Mild <32767 l> 000 on"_s},
    };
    for (const auto &[bytes, bad, panel] : files) {
        if (*bad)
            fake.messages.expectOk(MsgType::Error,
                                   u"'%1' is not a valid integer value"_s.arg(QLatin1String(bad)));
        // Loaded the way the user does, with From File.
        writeBytes(cfg(u"hand.cfg"_s), bytes);
        fake.fileDialogs.answerOpen(cfg(u"hand.cfg"_s));
        click(action("mniFileLoadFile"));
        EXPECT_EQ(shown(), panel) << bytes.left(80).toStdString();
    }
    EXPECT_EQ(setting(u"lastdir"_s), folder.path() + u'/');
    EXPECT_TRUE(panel()->isVisible());
}

TEST(ConfigReader, EachLineNamingASwitchInAnySeparatorStyleTakesTheValueOfTheFirstLineOfThatName)
{
    // Every separator style becomes name=value.
    const std::pair<QString, QString> lines[] = {
        {u"lanterns ON"_s, u"lanterns=on"_s}, // after a blank any case counts
        {u"lanterns oFf"_s, u"lanterns=off"_s}, {u"lanterns=ON"_s, u"lanterns=ON"_s},
        {u"lanterns: ON"_s, u"lanterns=ON"_s},  {u"motto gold and glory"_s, u"motto=gold=and=glory"_s},
        {u"speed  5"_s, u"speed==5"_s}, // a doubled blank keeps one "=" in the value
        {u"motto Onion"_s, u"motto=Onion"_s},   {u"banner Offshore_2"_s, u"banner=Offshore_2"_s},
        {u"a ON b OFF"_s, u"a=on=b=off"_s},
    };
    for (const auto &[line, normalised] : lines)
        EXPECT_EQ(ConfigReader::normalisedLine(line), normalised) << line.toStdString();

    // A line that ends exactly where a read piece ends, its LF starting the next.
    const QByteArray pieceEnd = "a " + QByteArray(ConfigReader::ReadPieceSize - 3, 'p') + "\r\nb 2\r\n";
    // 50 MB of lines that name no switch cost no more than their lines.
    QByteArray unknown;
    while (unknown.size() < 50 * 1024 * 1024)
        unknown += "unknownswitch 12345678901234567890\r\n";
    const std::pair<QByteArray, QStringList> files[] = {
        {"Speed 5\r\nspeed 7\r\nSPEED 9\r\nspeed 11\r\n", {u"1:speed=5"_s, u"3:speed=5"_s}},
        {"// Created by Dravopax Vevavav [http://x.example.org/]\r\n// Compatibile with One\r\n\r\n"
         "// speed <- switch not introduced in this version or obsolete\r\nnosuch on\r\n=on\r\nspeed\r\n"
         "lanterns on\r\n",
         {u"7:lanterns=on"_s}},
        {"a 1\rb 2\nc 3\r\nd 4", {u"0:a=1"_s, u"1:b=2"_s, u"2:c=3"_s, u"3:d=4"_s}},
        {"a 1\r\n\r\nb 2", {u"0:a=1"_s, u"2:b=2"_s}},
        {pieceEnd, {u"0:a=<%1 p>"_s.arg(ConfigReader::ReadPieceSize - 3), u"1:b=2"_s}},
        {"\xEF\xBB\xBF"
         "a on\r\n",
         {u"0:a=on"_s}},
        {QByteArray("b \0x\r\nc ", 8) + QByteArray(1 << 20, 'z') + "\r\nd Caf\xE9",
         {QString::fromUtf16(u"0:b=\u0000x", 6), u"1:c=<%1 z>"_s.arg(1 << 20), u"2:d=Café"_s}},
        {unknown + "a on\r\n", {u"%1:a=on"_s.arg(unknown.count('\n'))}},
    };
    const QSet<QString> names{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"speed"_s, u"lanterns"_s};
    for (const auto &[bytes, expected] : files) {
        SCOPED_TRACE(bytes.left(60).toStdString());
        QStringList found;
        for (const auto &a : ConfigReader::readAssignments(bytes, names)) {
            // A long value as its length and its letter.
            const QString value =
                a.value.size() > 80 ? u"<%1 %2>"_s.arg(a.value.size()).arg(a.value[0]) : a.value;
            found << u"%1:%2=%3"_s.arg(a.line).arg(a.name, value);
        }
        EXPECT_EQ(found, expected);
    }
}

} // namespace
