#include "app/StartUp.h"
#include "app/ProgramWindows.h"
#include "app/TIniFile.h"
#include "app/TformMain.h"
#include "app/TformStart.h"
#include "app/WindowPlacement.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QToolBar>

namespace {

const QString kGameKey = QStringLiteral("Software\\Quillmark\\Zorvantia");

// What the splash shows at each of its pauses.
struct Pause
{
    QString text;
    QStringList cars;
    int milliseconds;
};

class StartUpTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        fake.clock.onSleep([this](int milliseconds) {
            TformStart *splash = theSplash();
            if (!splash)
                return;
            QStringList cars;
            for (QLabel *car : {splash->imgICEFront, splash->imgICEVan1, splash->imgICEVan2,
                                splash->imgICEVan3, splash->imgICEVan4, splash->imgICEVan5,
                                splash->imgICEVan6, splash->imgICEVan7, splash->imgICEBack}) {
                if (car->isVisibleTo(splash))
                    cars << car->objectName();
            }
            pauses.push_back({splash->lablLoading->text(), cars, milliseconds});
        });
    }

    static TformStart *theSplash()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *splash = qobject_cast<TformStart *>(w))
                return splash;
        }
        return nullptr;
    }

    QStringList texts() const
    {
        QStringList list;
        for (const Pause &p : pauses)
            list << p.text;
        return list;
    }

    void prepareSwitches()
    {
        folder.writePatch(
            QStringLiteral("[lanterns]\ncomponent=2\n[speed]\ncomponent=1\nminvalue=0\nmaxvalue=9\n"));
        folder.writeVersions(QStringLiteral("[version]\nnumber=1\ndisplay1=First\n"));
    }

    std::vector<Pause> pauses;
};

QStringList sequence(bool versionStored)
{
    QStringList texts = {QStringLiteral("...::: Initializing :::..."),
                         QStringLiteral("...::: Initializing Done:::..."),
                         QStringLiteral("...::: Creating Main Program :::..."),
                         QStringLiteral("...::: Main Program Created :::..."),
                         QStringLiteral("...::: Reading ZVT Settings :::..."),
                         QStringLiteral("...::: Checking ZVT Path :::..."),
                         QStringLiteral("...::: Checking ZVT Version :::..."),
                         QStringLiteral("...::: Checking DVS Settings :::..."),
                         QStringLiteral("...::: Loading Dravopax Versions Data :::...")};
    if (versionStored)
        texts << QStringLiteral("...::: Creating Dravopax Switches :::...")
              << QStringLiteral("...::: Dravopax Switches Done :::...");
    else
        texts << QStringLiteral("...::: Dravopax Switches  Not Done :::...");
    texts << QStringLiteral("...::: Adding Links & E-Mails :::...")
          << QStringLiteral("...::: Setting Position :::...")
          << QStringLiteral("...::: Creating About Window :::...")
          << QStringLiteral("...::: About Window Done :::...")
          << QStringLiteral("...::: Creating Dravopax Switches Editor :::...")
          << QStringLiteral("...::: Dravopax Switches Editor Done:::...")
          << QStringLiteral("...::: Creating Dravopax Versions Editor :::...")
          << QStringLiteral("...::: Dravopax Versions Editor Done :::...")
          << QStringLiteral("...::: Creating Grf Manager :::...")
          << QStringLiteral("...::: Grf Manager Done :::...")
          << QStringLiteral("...::: Creating Mkdvtxt Tool :::...")
          << QStringLiteral("...::: Mkdvtxt Tool Done :::...")
          << QStringLiteral("...::: Creating Programs Shortcuts Editor :::...")
          << QStringLiteral("...::: Programs Shortcuts Editor Done :::...")
          << QStringLiteral("...::: Creating Links Editor Done :::...")
          << QStringLiteral("...::: Links Editor Done :::...")
          << QStringLiteral("...::: Initializing Auto-Updating :::...")
          << QStringLiteral("...::: Auto-Updating Done :::...") << QStringLiteral("...::: WELCOME :::...")
          << QStringLiteral("...::: WELCOME :::...");
    return texts;
}

TEST_F(StartUpTest, AFirstStartAsksForTheGameAndTheVersionAndShowsEveryStep)
{
    fake.messages.expect(MsgType::Warning, kNoGameDirectoryQuestion, MsgButtons::YesNo, MsgAnswer::No);
    fake.messages.expectOk(MsgType::Information, kVersionNotSetMessage);
    startProgram(QString(), StartQuestions::Scripted);

    EXPECT_EQ(texts(), sequence(false));
    for (std::size_t i = 0; i + 1 < pauses.size(); ++i)
        EXPECT_EQ(pauses[i].milliseconds, 0) << "without settings.ini no step pauses";
    EXPECT_EQ(pauses.back().milliseconds, 1000) << "but the splash stays a second at the end";
    EXPECT_EQ(pauses.front().cars, QStringList{QStringLiteral("imgICEFront")});
    EXPECT_EQ(pauses.back().cars, (QStringList{QStringLiteral("imgICEFront"), QStringLiteral("imgICEVan1"),
                                               QStringLiteral("imgICEVan2"), QStringLiteral("imgICEVan4"),
                                               QStringLiteral("imgICEVan5"), QStringLiteral("imgICEVan6"),
                                               QStringLiteral("imgICEVan7"), QStringLiteral("imgICEBack")}))
        << "the third van stays away without a version";
    EXPECT_EQ(formMain->windowTitle(), QStringLiteral("Dravopax Vevavav - version not set"));
    EXPECT_TRUE(formMain->versionNotSet());
    EXPECT_TRUE(formMain->scrlMain->controls().empty());
    EXPECT_EQ(setting(QStringLiteral("counter")), QStringLiteral("1"));
    EXPECT_FALSE(theSplash()) << "the splash is gone";
}

TEST_F(StartUpTest, WithAStoredVersionThePanelIsBuiltAndEveryCarShown)
{
    prepareSwitches();
    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\nwaittime=1000\n"));
    startProgram();
    EXPECT_EQ(texts(), sequence(true));
    EXPECT_EQ(pauses.front().milliseconds, 0) << "the wait time is read after the first text";
    EXPECT_EQ(pauses[1].milliseconds, 1000);
    EXPECT_EQ(pauses.back().cars.size(), 9);
    EXPECT_EQ(formMain->windowTitle(), QStringLiteral("Dravopax Vevavav - ver. First"));
    EXPECT_EQ(formMain->scrlMain->controls().size(), 2u);
}

TEST_F(StartUpTest, TheWaitTimeIsBoundedAndDefaultsTo50)
{
    for (const auto &[stored, used] :
         std::vector<std::pair<QString, int>>{{QString(), 50},
                                              {QStringLiteral("waittime=0\n"), 0},
                                              {QStringLiteral("waittime=1001\n"), 50},
                                              {QStringLiteral("waittime=-1\n"), 50},
                                              {QStringLiteral("waittime=soon\n"), 50}}) {
        folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\n") + stored);
        pauses.clear();
        startProgram();
        EXPECT_EQ(pauses[2].milliseconds, used) << stored.toStdString();
        closeProgram();
    }
}

TEST_F(StartUpTest, EveryStartIsCounted)
{
    startProgram();
    closeProgram();
    startProgram();
    EXPECT_EQ(setting(QStringLiteral("counter")), QStringLiteral("2"));
}

TEST_F(StartUpTest, TheCounterStopsAtItsLargestValue)
{
    folder.writeSettings(QStringLiteral("[dvs]\ncounter=2147483647\n"));
    startProgram();
    EXPECT_EQ(setting(QStringLiteral("counter")), QStringLiteral("2147483647"));
}

// The picture's corners are rounded with a radius of about twelve pixels.
TEST_F(StartUpTest, TheSplashKeepsItsTextsInsideThePicture)
{
    ProgramWindows owner(folder.files(), fake.platform());
    TformStart splash(folder.files(), fake.platform(), owner);
    const QString title = splash.lablDVS2->text();
    const Ink ink = inkOf(&splash, [&] {
        splash.lablDVS2->clear();
        splash.lablDVS3->clear();
    });
    EXPECT_GE(ink.box.left(), 12);
    EXPECT_LE(ink.box.right(), splash.width() - 1 - 12);
    EXPECT_GE(ink.box.width(), QFontMetrics(splash.lablDVS2->font()).tightBoundingRect(title).width());
    for (const QLabel *line : {splash.lablInfo, splash.lablDVSWWW, splash.lablDVSMail})
        EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->width())
            << line->objectName().toStdString();
}

TEST(MainWindowPlacement, TheSizeIsBoundedFirstThenTheWholeTitleBarLiesOnAScreen)
{
    const QList<QRect> one = {QRect(0, 0, 1280, 1024)};
    const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const QMargins bar(0, 30, 0, 0);
    const QMargins borders(8, 31, 8, 8); // side borders that may stick out past a screen edge
    struct Case
    {
        const char *what;
        QList<QRect> screens;
        QMargins frame;
        StoredPlacement stored;
        QRect expected; // empty: maximized
    };
    // clang-format off
    const Case cases[] = {
        {"nothing stored", {QRect(0, 0, 1024, 768)}, bar, {}, QRect(112, 84, 800, 600)},
        {"small screen", {QRect(0, 0, 640, 480)}, bar, {}, QRect(0, 0, 640, 480)},
        {"maximized", one, bar, {.maximized = true}, QRect()},
        {"maximized, position off", one, bar,
         {.remembered = false, .maximized = true, .width = 700, .height = 500}, QRect(290, 262, 700, 500)},
        {"position off", one, bar, {.remembered = false, .left = 3, .top = 4, .width = 701, .height = 501},
         QRect(290, 262, 701, 501)},
        {"on a gone monitor", one, bar, {.left = -3000, .top = 100, .width = 3500, .height = 700},
         QRect(0, 162, 1280, 700)},
        {"too wide, no position", one, bar, {.width = 9000}, QRect(0, 212, 1280, 600)},
        {"too small", one, bar, {.left = 10, .top = 10, .width = 100, .height = 1}, QRect(10, 10, 640, 480)},
        {"only left stored", one, bar, {.left = 100}, QRect(100, 212, 800, 600)},
        {"title bar past the right edge", one, bar, {.left = 1000, .top = 100}, QRect(240, 212, 800, 600)},
        {"title bar above the top", one, bar, {.left = 100, .top = -1}, QRect(240, 212, 800, 600)},
        {"title bar below the bottom", one, bar, {.left = 100, .top = 1000}, QRect(240, 212, 800, 600)},
        {"title bar just on", one, bar, {.left = 480, .top = 994}, QRect(480, 994, 800, 600)},
        {"snapped to the left edge", one, borders, {.left = -8, .top = 0, .height = 993},
         QRect(-8, 0, 800, 993)},
        {"as wide as the screen", one, borders, {.width = 1280}, QRect(8, 212, 1264, 600)},
        {"on the second screen", two, bar, {.left = 2100, .top = 100, .width = 900, .height = 700},
         QRect(2100, 100, 900, 700)},
        {"too big for the second screen", two, bar, {.left = 1920, .top = 0, .width = 3000, .height = 2000},
         QRect(1920, 0, 1280, 1024)},
        {"across both screens", two, bar, {.left = 1800, .top = 0, .width = 900, .height = 700},
         QRect(510, 190, 900, 700)},
        {"on a gone second screen", two, bar, {.left = 5000, .top = 100, .width = 900, .height = 700},
         QRect(510, 190, 900, 700)},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const WindowPlacement placed = mainWindowPlacement(c.stored, c.screens, c.frame);
        EXPECT_EQ(placed.maximized, c.expected.isEmpty());
        if (!c.expected.isEmpty())
            EXPECT_EQ(placed.geometry, c.expected);
    }
}

// A window that spanned a monitor that is gone opens whole on the screen, and
// closing stores where it is now.
TEST_F(StartUpTest, AWindowLeftOnAGoneMonitorOpensOnTheScreenAndIsStoredThere)
{
    fake.screen.setSize(QSize(1280, 1024));
    folder.writeSettings(QStringLiteral("[dvs]\nleft=-3000\ntop=100\nwidth=3500\nheight=700\n"));
    startProgram();
    EXPECT_EQ(QRect(formMain->pos(), formMain->size()), QRect(0, 162, 1280, 700));
    closeProgram();
    for (const auto &[key, value] :
         {std::pair{"left", "0"}, {"top", "162"}, {"width", "1280"}, {"height", "700"}})
        EXPECT_EQ(setting(QString::fromLatin1(key)), QString::fromLatin1(value)) << key;
}

TEST_F(StartUpTest, ACfgFileNamedOnTheCommandLineIsLoadedAtTheEnd)
{
    prepareSwitches();
    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\n"));
    const QString dir = folder.path() + QStringLiteral("/my files");
    QDir().mkpath(dir);
    writeBytes(dir + QStringLiteral("/a b.cfg"), QByteArray("lanterns on\r\n"));
    startProgram(dir + QStringLiteral("/a b.cfg"));
    EXPECT_TRUE(
        static_cast<OnOffSwitch *>(formMain->scrlMain->control(QStringLiteral("lanterns")))->isChecked());
    EXPECT_EQ(setting(QStringLiteral("lastdir")), dir + QLatin1Char('/'));
}

TEST_F(StartUpTest, OnlyAnExistingFileEndingInDotCfgIsLoaded)
{
    prepareSwitches();
    const QString dir = folder.path();
    writeBytes(dir + QStringLiteral("/upper.CFG"), QByteArray("lanterns on\r\n"));
    writeBytes(dir + QStringLiteral("/middle.cfg.bak"), QByteArray("lanterns on\r\n"));
    QDir().mkpath(dir + QStringLiteral("/folder.cfg"));
    for (const QString &tail : {dir + QStringLiteral("/upper.CFG"), dir + QStringLiteral("/middle.cfg.bak"),
                                dir + QStringLiteral("/folder.cfg"), dir + QStringLiteral("/missing.cfg"),
                                QStringLiteral("\"") + dir + QStringLiteral("/upper.cfg\"")}) {
        folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\n"));
        startProgram(tail);
        EXPECT_FALSE(
            static_cast<OnOffSwitch *>(formMain->scrlMain->control(QStringLiteral("lanterns")))->isChecked())
            << tail.toStdString();
        EXPECT_EQ(setting(QStringLiteral("lastdir")), QStringLiteral("<absent>")) << tail.toStdString();
        closeProgram();
    }
}

TEST_F(StartUpTest, TheStoredStartFileIsUsedOnlyWithoutACommandLine)
{
    prepareSwitches();
    const QString stored = folder.path() + QStringLiteral("/stored.cfg");
    const QString given = folder.path() + QStringLiteral("/given.cfg");
    writeBytes(stored, QByteArray("lanterns on\r\n"));
    writeBytes(given, QByteArray("speed 7\r\n"));
    for (const QString &tail : {QString(), QStringLiteral(" "), QStringLiteral("0")}) {
        folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\nstartup=%1\n").arg(stored));
        startProgram(tail);
        EXPECT_TRUE(
            static_cast<OnOffSwitch *>(formMain->scrlMain->control(QStringLiteral("lanterns")))->isChecked());
        EXPECT_TRUE(formMain->itemDVSLoadSelectHere->isChecked());
        EXPECT_EQ(formMain->itemDVSLoadSelectHere->text(), QStringLiteral("Select File Here (stored.cfg)"));
        closeProgram();
    }
    startProgram(given);
    EXPECT_FALSE(
        static_cast<OnOffSwitch *>(formMain->scrlMain->control(QStringLiteral("lanterns")))->isChecked());
    EXPECT_EQ(static_cast<NumberSwitch *>(formMain->scrlMain->control(QStringLiteral("speed")))->text(),
              QStringLiteral("7"));
}

TEST_F(StartUpTest, AStartFileThatFailsToLoadIsReportedAndTheStartGoesOnCounted)
{
    prepareSwitches();
    const QString bad = folder.path() + QStringLiteral("/bad.cfg");
    writeBytes(bad, QByteArray("lanterns on\r\nspeed fast\r\n"));
    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\nstartup=%1\ncounter=41\n").arg(bad));
    fake.messages.expectOk(MsgType::Error, QStringLiteral("'fast' is not a valid integer value"));
    startProgram();
    EXPECT_EQ(setting(QStringLiteral("counter")), QStringLiteral("42"));
    EXPECT_TRUE(
        static_cast<OnOffSwitch *>(formMain->scrlMain->control(QStringLiteral("lanterns")))->isChecked());
}

TEST_F(StartUpTest, TheGameSettingsMarksComeFromTheRegistryWhenAllFiveValuesAreThere)
{
    fake.registry.setInteger(kGameKey, QStringLiteral("FullScreen"), 1);
    fake.registry.setInteger(kGameKey, QStringLiteral("SafeMode"), 0);
    fake.registry.setInteger(kGameKey, QStringLiteral("UpdateMode"), 0);
    fake.registry.setInteger(kGameKey, QStringLiteral("MidiType"), 2);
    startProgram();
    EXPECT_FALSE(formMain->itemZVTFullscreen->isChecked()) << "four of five: none is read";
    closeProgram();

    fake.registry.setInteger(kGameKey, QStringLiteral("MousePointer"), 1);
    startProgram();
    EXPECT_TRUE(formMain->itemZVTFullscreen->isChecked());
    EXPECT_FALSE(formMain->itemZVTSafeMode->isChecked());
    EXPECT_TRUE(formMain->itemZVTUpdateMode->isChecked()) << "0 counts as checked; only 1 is unchecked";
    EXPECT_TRUE(formMain->itemZVTMidiTypeFMSynth->isChecked());
    EXPECT_TRUE(formMain->itemMousePointerWin->isChecked());
}

TEST_F(StartUpTest, ARegistryValueOfTheWrongTypeIsReportedOnceAndTheStartGoesOn)
{
    fake.registry.setInteger(kGameKey, QStringLiteral("FullScreen"), 1);
    fake.registry.setString(kGameKey, QStringLiteral("SafeMode"), QStringLiteral("yes"));
    fake.registry.setInteger(kGameKey, QStringLiteral("UpdateMode"), 1);
    fake.registry.setInteger(kGameKey, QStringLiteral("MidiType"), 0);
    fake.registry.setInteger(kGameKey, QStringLiteral("MousePointer"), 0);
    fake.messages.expectOk(MsgType::Error, QStringLiteral("Invalid data type for 'SafeMode'"));
    startProgram();
    EXPECT_FALSE(formMain->itemZVTFullscreen->isChecked()) << "the menu keeps its unchecked state";
    EXPECT_TRUE(formMain->isVisible());
}

TEST_F(StartUpTest, AnErrorInAStepEndsTheStartBeforeTheMainWindowAppears)
{
    fake.registry.failOpening(QStringLiteral("The registry is not available"));
    fake.messages.expectOk(MsgType::Error, QStringLiteral("The registry is not available"));
    windows = std::make_unique<ProgramWindows>(folder.files(), fake.platform());
    EXPECT_FALSE(runStartUp(*windows, QString()));
    EXPECT_FALSE(theSplash());
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && w->objectName() == QLatin1String("formMain"));
}

TEST_F(StartUpTest, GarbageInEverySettingAndNoDataFolderStillStartWithDefaults)
{
    QDir(folder.path() + QStringLiteral("/Data")).removeRecursively();
    folder.writeSettings(
        QStringLiteral("[dvs]\nversion=verX\nwaittime=x\nmaximize=x\nsaveconf=x\nposition=x\n"
                       "left=x\ntop=x\nwidth=x\nheight=x\nmenutext=x\nafterruntt=x\nmouse=x\nmenu=x\n"
                       "3dlook=x\nlastdir=\ncounter=x\nrun=x\nstartup=\n[zvt]\ndir=\nversion=x\n"));
    fake.messages.expectOk(MsgType::Warning,
                           QStringLiteral("Version was founded in settings but it is no longer exist.\n"
                                          "Version set to the lowest possible."));
    startProgram();
    EXPECT_EQ(formMain->size(), QSize(800, 600));
    EXPECT_TRUE(formMain->itemDVSMenuText->isChecked());
    EXPECT_EQ(setting(QStringLiteral("counter")), QStringLiteral("1"));
    EXPECT_EQ(formMain->windowTitle(), QStringLiteral("Dravopax Vevavav - ver. CORRUPT VERSION FILE"));
}

} // namespace
