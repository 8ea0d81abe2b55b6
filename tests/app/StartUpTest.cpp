#include "app/StartUp.h"
#include "app/TformMain.h"
#include "app/TformStart.h"
#include "app/WindowPlacement.h"
#include "platform/DvsError.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchPanel.h"

#include <QApplication>
#include <QDir>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

class StartUpTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        // What the splash shows at each of its pauses.
        fake.clock.onSleep([this](int milliseconds) {
            TformStart *splash = theSplash();
            if (!splash)
                return;
            texts << named<QLabel>(splash, "lablLoading")->text();
            sleeps.push_back(milliseconds);
            cars.emplace_back();
            for (QLabel *car : splash->findChildren<QLabel *>())
                if (car->objectName().startsWith(u"imgICE"_s) && car->isVisibleTo(splash))
                    cars.back() << car->objectName();
        });
    }
    static TformStart *theSplash()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *splash = qobject_cast<TformStart *>(w))
                return splash;
        return nullptr;
    }

    QStringList texts;
    std::vector<int> sleeps;
    std::vector<QStringList> cars;
};

QStringList sequence(bool versionStored)
{
    const QString switches = versionStored
                                 ? u"Creating Dravopax Switches :::...|Dravopax Switches Done :::..."_s
                                 : u"Dravopax Switches  Not Done :::..."_s;
    const QString steps =
        u"Initializing :::...|Initializing Done:::...|Creating Main Program :::...|"
        "Main Program Created :::...|Reading ZVT Settings :::...|Checking ZVT Path :::...|"
        "Checking ZVT Version :::...|Checking DVS Settings :::...|Loading Dravopax Versions Data :::...|%1|"
        "Adding Links & E-Mails :::...|Setting Position :::...|Creating About Window :::...|"
        "About Window Done :::...|Creating Dravopax Switches Editor :::...|"
        "Dravopax Switches Editor Done:::...|Creating Dravopax Versions Editor :::...|"
        "Dravopax Versions Editor Done :::...|Creating Grf Manager :::...|Grf Manager Done :::...|"
        "Creating Mkdvtxt Tool :::...|Mkdvtxt Tool Done :::...|Creating Programs Shortcuts Editor :::...|"
        "Programs Shortcuts Editor Done :::...|Creating Links Editor Done :::...|Links Editor Done :::...|"
        "Initializing Auto-Updating :::...|Auto-Updating Done :::...|WELCOME :::...|WELCOME :::..."_s;
    QStringList texts = steps.arg(switches).split(u'|');
    for (QString &text : texts)
        text.prepend(u"...::: "_s);
    return texts;
}

TEST_F(StartUpTest, AFirstStartAsksForTheGameAndTheVersionAndShowsEveryStep)
{
    fake.messages.expect(MsgType::Warning, kNoGameDirectoryQuestion, MsgButtons::YesNo, MsgAnswer::No);
    fake.messages.expectOk(MsgType::Information, kVersionNotSetMessage);
    startProgram(QString(), StartQuestions::Scripted);

    EXPECT_EQ(texts, sequence(false));
    for (std::size_t i = 0; i + 1 < sleeps.size(); ++i)
        EXPECT_EQ(sleeps[i], 0) << "without settings.ini no step pauses";
    EXPECT_EQ(sleeps.back(), 1000) << "but the splash stays a second at the end";
    EXPECT_EQ(cars.front(), QStringList{u"imgICEFront"_s});
    // The third van stays away without a version.
    EXPECT_EQ(cars.back().join(u' '),
              u"imgICEFront imgICEVan1 imgICEVan2 imgICEVan4 imgICEVan5 imgICEVan6 imgICEVan7 imgICEBack"_s);
    EXPECT_EQ(formMain->windowTitle(), u"Dravopax Vevavav - version not set"_s);
    EXPECT_TRUE(windows->switches().versionNotSet());
    EXPECT_TRUE(panel()->controls().empty());
    EXPECT_EQ(setting(u"counter"_s), u"1"_s);
    EXPECT_FALSE(theSplash()) << "the splash is gone";
}

TEST_F(StartUpTest, AStoredVersionBuildsThePanelEveryStepPausesTheBoundedWaitTimeAndEveryStartIsCounted)
{
    folder.writePatch(u"[lanterns]\ncomponent=2\n[speed]\ncomponent=1\nminvalue=0\nmaxvalue=9\n"_s);
    folder.writeVersions(u"[version]\nnumber=1\ndisplay1=First\n"_s);
    const std::pair<QString, int> waits[] = {{QString(), 50},
                                             {u"waittime=0\n"_s, 0},
                                             {u"waittime=1000\n"_s, 1000},
                                             {u"waittime=1001\n"_s, 50},
                                             {u"waittime=-1\n"_s, 50},
                                             {u"waittime=soon\n"_s, 50}};
    for (const auto &[stored, used] : waits) {
        SCOPED_TRACE(stored.toStdString());
        folder.writeSettings(u"[dvs]\nversion=ver1\n"_s + stored);
        texts.clear();
        sleeps.clear();
        cars.clear();
        startProgram();
        EXPECT_EQ(texts, sequence(true));
        EXPECT_EQ(sleeps.front(), 0) << "the wait time is read after the first text";
        EXPECT_EQ(sleeps[1], used);
        EXPECT_EQ(cars.back().size(), 9);
        EXPECT_EQ(formMain->windowTitle(), u"Dravopax Vevavav - ver. First"_s);
        EXPECT_EQ(panel()->controls().size(), 2u);
        closeProgram();
    }
    startProgram();
    EXPECT_EQ(setting(u"counter"_s), u"2"_s) << "counted on top of the last stored count";
    closeProgram();
    folder.writeSettings(u"[dvs]\ncounter=2147483647\n"_s);
    startProgram();
    EXPECT_EQ(setting(u"counter"_s), u"2147483647"_s) << "the counter stops at its largest value";
}

// The picture's corners are rounded with a radius of about twelve pixels, and
// its grey is see-through.
TEST_F(StartUpTest, TheSplashKeepsItsTextsInsideItsShapedPicture)
{
    ProgramWindows owner(folder.files(), fake.platform());
    TformStart splash(folder.files(), fake.platform(), owner);
    EXPECT_FALSE(splash.mask().contains(QPoint(0, 0))) << "the grey corner shows what lies behind";
    EXPECT_TRUE(splash.mask().contains(splash.rect().center()));
    const auto label = [&](const char *name) { return named<QLabel>(&splash, name); };
    const QString title = label("lablDVS2")->text();
    const Ink ink = inkOf(&splash, [&] {
        label("lablDVS2")->clear();
        label("lablDVS3")->clear();
    });
    EXPECT_GE(ink.box.left(), 12);
    EXPECT_LE(ink.box.right(), splash.width() - 1 - 12);
    EXPECT_GE(ink.box.width(), QFontMetrics(label("lablDVS2")->font()).tightBoundingRect(title).width());
    const QFont shadow = label("lablDVS3")->font();
    EXPECT_TRUE(shadow.bold() && shadow.pixelSize() == label("lablDVS2")->font().pixelSize()) << "the shadow";
    // As large as it can be: at its full size, or one pixel larger would not fit.
    QFont larger = label("lablDVS2")->font();
    larger.setPixelSize(larger.pixelSize() + 1);
    EXPECT_TRUE(larger.pixelSize() > 27 ||
                QFontMetrics(larger).horizontalAdvance(title) > splash.width() - 2 * (12 + 2));
    for (const QLabel *line : {label("lablInfo"), label("lablDVSWWW"), label("lablDVSMail")})
        EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->width())
            << line->objectName().toStdString();
}

TEST(MainWindowPlacement, TheSizeIsBoundedFirstThenTheWholeTitleBarLiesOnAScreen)
{
    const QList<QRect> one = {QRect(0, 0, 1280, 1024)};
    const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const QMargins bar(0, 30, 0, 0);
    const QMargins borders(8, 31, 8, 8); // side borders that may stick out past a screen edge
    const auto stored = [](std::optional<int> left, std::optional<int> top, std::optional<int> width,
                           std::optional<int> height, bool remembered = true, bool maximized = false) {
        return StoredPlacement{remembered, maximized, left, top, width, height};
    };
    const std::nullopt_t none = std::nullopt;
    // What is tested, the screens, the window's frame, what is stored, and the placement (empty: maximized).
    using Case = std::tuple<const char *, QList<QRect>, QMargins, StoredPlacement, QRect>;
    // clang-format off
    const Case cases[] = {
        {"nothing stored", {QRect(0, 0, 1024, 768)}, bar, {}, QRect(112, 84, 800, 600)},
        {"small screen", {QRect(0, 0, 640, 480)}, bar, {}, QRect(0, 0, 640, 480)},
        {"maximized", one, bar, stored(none, none, none, none, true, true), QRect()},
        {"maximized, position off", one, bar, stored(none, none, 700, 500, false, true), QRect(290, 262, 700, 500)},
        {"position off", one, bar, stored(3, 4, 701, 501, false), QRect(290, 262, 701, 501)},
        {"too wide, no position", one, bar, stored(none, none, 9000, none), QRect(0, 212, 1280, 600)},
        {"too small", one, bar, stored(10, 10, 100, 1), QRect(10, 10, 640, 480)},
        {"only left stored", one, bar, stored(100, none, none, none), QRect(100, 212, 800, 600)},
        {"title bar past the right edge", one, bar, stored(1000, 100, none, none), QRect(240, 212, 800, 600)},
        {"title bar above the top", one, bar, stored(100, -1, none, none), QRect(240, 212, 800, 600)},
        {"title bar below the bottom", one, bar, stored(100, 1000, none, none), QRect(240, 212, 800, 600)},
        {"title bar just on", one, bar, stored(480, 994, none, none), QRect(480, 994, 800, 600)},
        {"snapped to the left edge", one, borders, stored(-8, 0, none, 993), QRect(-8, 0, 800, 993)},
        {"as wide as the screen", one, borders, stored(none, none, 1280, none), QRect(8, 212, 1264, 600)},
        {"on the second screen", two, bar, stored(2100, 100, 900, 700), QRect(2100, 100, 900, 700)},
        {"too big for the second screen", two, bar, stored(1920, 0, 3000, 2000), QRect(1920, 0, 1280, 1024)},
        {"across both screens", two, bar, stored(1800, 0, 900, 700), QRect(510, 190, 900, 700)},
        {"on a gone second screen", two, bar, stored(5000, 100, 900, 700), QRect(510, 190, 900, 700)},
    };
    // clang-format on
    for (const auto &[what, screens, frame, given, expected] : cases) {
        const WindowPlacement placed = mainWindowPlacement(given, screens, frame);
        EXPECT_EQ(placed.maximized ? QRect() : placed.geometry, expected) << what;
    }
}

TEST_F(StartUpTest, AnExistingDotCfgFileNamedOnTheCommandLineOrElseTheStoredStartFileIsLoadedAtTheEnd)
{
    folder.writePatch(u"[lanterns]\ncomponent=2\n[speed]\ncomponent=1\nminvalue=0\nmaxvalue=9\n"_s);
    folder.writeVersions(u"[version]\nnumber=1\ndisplay1=First\n"_s);
    const QString dir = folder.path() + u"/my files"_s;
    const QString stored = folder.path() + u"/stored.cfg"_s;
    QDir().mkpath(dir + u"/folder.cfg"_s);
    for (const QString &file :
         {dir + u"/a b.cfg"_s, dir + u"/upper.CFG"_s, dir + u"/middle.cfg.bak"_s, stored})
        writeBytes(file, QByteArray("lanterns on\r\n"));
    // Command tails, and the folder of the file loaded (stored as "lastdir"), if any.
    const std::pair<QStringList, QString> tails[] = {
        {{dir + u"/a b.cfg"_s}, dir + u'/'},
        // Not loaded: a name not ending in exactly ".cfg", a folder, a missing file, and a quoted
        // path (the whole tail is one path, quotes and all).
        {{dir + u"/upper.CFG"_s, dir + u"/middle.cfg.bak"_s, dir + u"/folder.cfg"_s, dir + u"/missing.cfg"_s,
          u'"' + dir + u"/a b.cfg\""_s},
         u"<absent>"_s},
        {{QString(), u" "_s, u"0"_s}, folder.path() + u'/'}};
    for (const auto &[group, loadedFrom] : tails)
        for (const QString &tail : group) {
            SCOPED_TRACE(tail.toStdString());
            folder.writeSettings(u"[dvs]\nversion=ver1\nstartup=%1\n"_s.arg(stored));
            startProgram(tail);
            EXPECT_EQ(control<OnOffSwitch>("lanterns")->isChecked(), loadedFrom != u"<absent>"_s);
            EXPECT_EQ(setting(u"lastdir"_s), loadedFrom);
            EXPECT_TRUE(action("itemDVSLoadSelectHere")->isChecked());
            EXPECT_EQ(action("itemDVSLoadSelectHere")->text(), u"Select File Here (stored.cfg)"_s);
            closeProgram();
        }

    writeBytes(stored, QByteArray("lanterns on\r\nspeed fast\r\n"));
    folder.writeSettings(u"[dvs]\nversion=ver1\nstartup=%1\ncounter=41\n"_s.arg(stored));
    fake.messages.expectOk(MsgType::Error, u"'fast' is not a valid integer value"_s);
    startProgram();
    EXPECT_EQ(setting(u"counter"_s), u"42"_s) << "the start goes on, counted";
    EXPECT_TRUE(control<OnOffSwitch>("lanterns")->isChecked());
}

TEST_F(StartUpTest, AnErrorInAStepEndsTheStartBeforeTheMainWindowAppears)
{
    // A step that fails once the main window is made, with the program's error or the library's.
    for (const bool ours : {true, false}) {
        fake.clock.onSleep([ours](int) {
            if (named<QLabel>(theSplash(), "lablLoading")->text() == u"...::: Checking ZVT Path :::..."_s)
                ours ? throw DvsError(u"The step failed"_s) : throw std::runtime_error("The step failed");
        });
        fake.messages.expectOk(MsgType::Error, u"The step failed"_s);
        windows = std::make_unique<ProgramWindows>(folder.files(), fake.platform());
        EXPECT_FALSE(runStartUp(*windows, QString()));
        EXPECT_FALSE(theSplash());
        for (QWidget *w : QApplication::topLevelWidgets())
            EXPECT_FALSE(w->isVisible() && w->objectName() == u"formMain"_s);
    }
}

} // namespace
