#include "app/TformMain.h"
#include "platform/Registry.h"
#include "platform/SystemPlatform.h"
#include "support/MainWindowFixture.h"
#include "support/WineStandIn.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

const QString kGameKey = u"Software\\Quillmark\\Zorvantia"_s;
const QString kOverwrite =
    u"This will overwrite your current seetings.\nThis cannot be revert. Are you sure?"_s;
const QString kNotWindows = u"You do not have Windows version of Zorvantia.\nThis option is useless now.\n"
                            "It it only for Zorvantia for Windows."_s;

// The game's settings from the ZVT Settings menu, against the registry file.
class RegistrySettingsTest : public MainWindowFixture
{
protected:
    std::unique_ptr<RegistryKey> key() { return fake.registry.openKey(kGameKey, false); }
    QByteArray registryFile() const { return readBytes(fake.registry.fileName()); }
    // Which items of the menu are checked, by name.
    QStringList checked() const
    {
        QStringList names;
        for (QAction *item : named<QMenu>("menuSettingsZVT")->findChildren<QAction *>())
            if (item->isChecked())
                names << item->objectName();
        names.sort();
        return names;
    }
};

TEST_F(RegistrySettingsTest,
       EveryItemWritesItsValueBeforeItsMarkChangesARefusedWriteIsSaidAndAllFiveValuesSetTheMarksAtStart)
{
    installGame(u"win"_s, "ZizaVEZ.exe");
    const QByteArray damaged = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Quillmark\\Zorvantia]\r\n"
                               "\"FullScreen\"=dword:zz\r\n\"Safe\"Mode\"=dword:1\r\n";
    writeBytes(fake.registry.fileName(), damaged);
    startProgram();
    EXPECT_FALSE(key()->isOpen()) << "a file that cannot be read holds no key, and the start says nothing";
    // Each click writes its value; a toggle's mark follows it, a radio item is checked.
    const std::tuple<QAction *, QString, int, bool> clicks[] = {
        {action("itemZVTFullscreen"), u"Fullscreen"_s, 1, true},
        {action("itemZVTFullscreen"), u"Fullscreen"_s, 0, false},
        {action("itemZVTSafeMode"), u"SafeMode"_s, 1, true},
        {action("itemZVTSafeMode"), u"SafeMode"_s, 0, false},
        {action("itemZVTUpdateMode"), u"UpdateMode"_s, 2, true},
        {action("itemZVTUpdateMode"), u"UpdateMode"_s, 1, false},
        {action("itemZVTMidiTypeSBlaster"), u"MidiType"_s, 3, true},
        {action("itemZVTMidiTypeFMSynth"), u"MidiType"_s, 2, true},
        {action("itemZVTMidiTypeGeneral"), u"MidiType"_s, 1, true},
        {action("itemZVTMidiTypeNoMidi"), u"MidiType"_s, 0, true},
        {action("itemMousePointerWin"), u"MousePointer"_s, 1, true},
        {action("itemMousePointerGame"), u"MousePointer"_s, 0, true},
    };
    for (const auto &[item, name, value, mark] : clicks) {
        SCOPED_TRACE(item->objectName().toStdString());
        click(item);
        EXPECT_EQ(key()->readInteger(name), value);
        EXPECT_EQ(item->isChecked(), mark);
    }
    // One radio item of each group.
    EXPECT_EQ(checked(), (QStringList{u"itemMousePointerGame"_s, u"itemZVTMidiTypeNoMidi"_s}));
    EXPECT_EQ(readBytes(fake.registry.fileName() + u".damaged"_s), damaged) << "kept aside, not lost";
    EXPECT_EQ(registryFile(), crlf(u"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quillmark\\Zorvantia]\n"
                                   "\"Fullscreen\"=dword:00000000\n\"SafeMode\"=dword:00000000\n"
                                   "\"UpdateMode\"=dword:00000001\n\"MidiType\"=dword:00000000\n"
                                   "\"MousePointer\"=dword:00000000\n\n"_s))
        << "the first item made a new key";

    // A registry that refuses every write: the toggle keeps its mark, the radio item has taken it.
    QFile::remove(fake.registry.fileName());
    QDir().mkpath(fake.registry.fileName());
    fake.messages.expectOk(MsgType::Error, u"Failed to set data for 'UpdateMode'"_s);
    click(action("itemZVTUpdateMode"));
    EXPECT_FALSE(action("itemZVTUpdateMode")->isChecked());
    fake.messages.expectOk(MsgType::Error, u"Failed to set data for 'MidiType'"_s);
    click(action("itemZVTMidiTypeGeneral"));
    EXPECT_TRUE(action("itemZVTMidiTypeGeneral")->isChecked());
    QDir().rmdir(fake.registry.fileName());

    // The marks at the next start come from the registry only when all five values are there.
    closeProgram();
    const std::unique_ptr<RegistryKey> stored = fake.registry.openKey(kGameKey, true);
    for (const auto &[name, value] :
         {std::pair{"FullScreen", 1}, {"SafeMode", 0}, {"UpdateMode", 0}, {"MidiType", 2}})
        stored->writeInteger(QString::fromLatin1(name), value);
    startProgram();
    EXPECT_EQ(checked(), QStringList()) << "four of five: none is read";
    stored->writeInteger(u"MousePointer"_s, 1);
    // Wine's first read takes about a second: it is taken once the splash's closing second has passed.
    bool markedInTheSecond = true;
    fake.clock.onSleep([&](int milliseconds) {
        if (milliseconds == 1000)
            markedInTheSecond = windows->formMain().findChild<QAction *>(u"itemZVTFullscreen"_s)->isChecked();
    });
    startProgram();
    EXPECT_FALSE(markedInTheSecond);
    // 0 checks the update item; only 1 unchecks it.
    EXPECT_EQ(checked(), (QStringList{u"itemMousePointerWin"_s, u"itemZVTFullscreen"_s,
                                      u"itemZVTMidiTypeFMSynth"_s, u"itemZVTUpdateMode"_s}));
    stored->writeInteger(u"MidiType"_s, 4);
    startProgram();
    // A music number of neither numbering checks no music item.
    EXPECT_EQ(checked(),
              (QStringList{u"itemMousePointerWin"_s, u"itemZVTFullscreen"_s, u"itemZVTUpdateMode"_s}));
    stored->writeString(u"SafeMode"_s, u"yes"_s);
    fake.messages.expectOk(MsgType::Error, u"Invalid data type for 'SafeMode'"_s);
    startProgram();
    EXPECT_EQ(checked(), QStringList()) << "said once; the menu keeps its marks";
}

TEST_F(RegistrySettingsTest, CreateRegistryEntryWritesTheDefaultsInOrderOnlyForTheWindowsEdition)
{
    installGame(u"win+dvp"_s, "ZizaVEZ.exe dravopaxw.exe", {}, u"win"_s);
    const QString win = game;
    startProgram();
    for (QAction *item :
         {action("itemZVTSafeMode"), action("itemZVTMidiTypeFMSynth"), action("itemMousePointerWin")})
        click(item);
    const QByteArray before = registryFile();

    fake.messages.expect(MsgType::Warning, kOverwrite, MsgButtons::YesNo, MsgAnswer::No);
    fake.messages.expectOk(MsgType::Error, u"Nothing changed."_s);
    click(action("mniCreateRegistryEntry"));

    installGame(u"win"_s, "zorvan.exe dravopax.exe", {}, u"dos"_s);
    fake.messages.expect(MsgType::Warning, kOverwrite, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.folders.answer(game);
    fake.messages.expectOk(MsgType::Information, kDosFound);
    fake.messages.expectOk(MsgType::Warning, kNotWindows);
    click(action("mniCreateRegistryEntry"));
    EXPECT_EQ(registryFile(), before) << "no game values for the DOS edition";

    fake.messages.expect(MsgType::Warning, kOverwrite, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.folders.answer(win);
    fake.messages.expectOk(MsgType::Information, kWinFound);
    click(action("mniCreateRegistryEntry"));
    EXPECT_EQ(registryFile(),
              crlf(u"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quillmark\\Zorvantia]\n"
                   "\"SafeMode\"=dword:00000000\n\"MidiType\"=dword:00000000\n"
                   "\"MousePointer\"=dword:00000000\n\"HDPath\"=\"%1\"\n"
                   "\"DisplayModeNumber\"=dword:00000003\n\"ForceDIBSection\"=dword:00000000\n"
                   "\"Fullscreen\"=dword:00000001\n\"Installed\"=dword:00000003\n"
                   "\"Language\"=dword:00000003\n\"RetraceSync\"=dword:00000000\n"
                   "\"UpdateMode\"=dword:00000001\n\n"_s.arg(win)));
    EXPECT_EQ(checked(),
              (QStringList{u"itemMousePointerGame"_s, u"itemZVTFullscreen"_s, u"itemZVTMidiTypeNoMidi"_s}));
}

// With Wine and a game inside a prefix, the menu changes what the game reads there. While Wine
// answers, the window repaints but takes no command: a second one from the keyboard or the mouse
// is dropped, and the pointer says it is busy.
TEST_F(RegistrySettingsTest,
       WithWineTheMenuWorksOnTheGamesPrefixAndAHangTakesNoSecondCommandShowsTheBusyPointerAndIsSaid)
{
    WineStandIn wine;
    installGame(u"win+dvp"_s, "ZizaVEZ.exe dravopaxw.exe dravopax.cfg", {}, wine.gameFolder());
    std::unique_ptr<Registry> registry = wine.registry(fake.registry.fileName());
    fake.registryInUse = registry.get();
    showBusyPointer(wine.wait());
    startProgram();
    fake.messages.expect(MsgType::Warning, kOverwrite, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.folders.answer(wine.gameFolder());
    fake.messages.expectOk(MsgType::Information, kWinFound);
    click(action("mniCreateRegistryEntry"));
    EXPECT_EQ(wine.value(u"HDPath"_s), u"REG_SZ|C:\\Games\\Zorvantia"_s) << "the path the game sees";
    click(action("itemZVTSafeMode"));
    click(action("itemZVTMidiTypeSBlaster"));

    closeProgram();
    startProgram();
    EXPECT_EQ(checked(), (QStringList{u"itemMousePointerGame"_s, u"itemZVTFullscreen"_s,
                                      u"itemZVTMidiTypeSBlaster"_s, u"itemZVTSafeMode"_s}));
    closeProgram();

    wine.setMode("hang");
    registry = wine.registry(fake.registry.fileName(), {}, 300);
    fake.registryInUse = registry.get();
    const QString stopped = u"wine reg was stopped: Wine took longer than 0.3 seconds for this command."_s;
    const QString problem =
        u"The registry of the Wine prefix %1 could not be used: "_s.arg(wine.prefix()) + stopped;
    fake.messages.expectOk(MsgType::Error, problem);
    startProgram();
    EXPECT_EQ(checked(), QStringList());
    bool waited = false;
    QTimer::singleShot(0, formMain, [&] {
        waited = wine.wait().waiting();
        EXPECT_EQ(QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape()
                                                    : Qt::ArrowCursor,
                  Qt::BusyCursor);
        QTest::keyClick(formMain, Qt::Key_R, Qt::ControlModifier);
        QTest::mouseClick(named<QToolButton>("butnRun"), Qt::LeftButton);
    });
    fake.messages.expectOk(MsgType::Error, u"Failed to set data for 'Fullscreen'\n"_s + stopped);
    click(action("itemZVTFullscreen"));
    EXPECT_FALSE(action("itemZVTFullscreen")->isChecked());
    EXPECT_TRUE(waited);
    EXPECT_EQ(fake.shell.starts().size(), 0u);
    EXPECT_FALSE(QGuiApplication::overrideCursor());
    QTest::keyClick(formMain, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(fake.shell.starts().size(), 1u) << "taken again once Wine has answered";
}

} // namespace
