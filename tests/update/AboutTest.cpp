#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "update/TformAbout.h"

#include <QAction>
#include <QFile>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

class AboutTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        writeText(folder.files().dataIni(), u"[Data]\ndata=2026-11-20\nversion=3\n"_s);
        writeText(folder.files().helpIni(), u"[data]\nDATA=2026-10-01\n"_s);
        folder.writePatch(u"[data]\norgdata=2026-09-09\nuserchnage=0\nuserdata=2026-12-01\n"_s);
        folder.writeSettings(u"[dvs]\ncounter=6\n"_s);
    }
    TformAbout &about() const { return *windows->update().formAbout(); }
    QLabel *label(const char *name) const { return named<QLabel>(&about(), name); }
    QColor colourOf(QLabel *label) const { return label->palette().color(QPalette::WindowText); }
};

TEST_F(AboutTest, F1ShowsTheDataVersionsAndStartCountReadAgainAtEveryShowingAndLinksThatOpenInTheShell)
{
    startProgram();
    QTest::keyClick(formMain, Qt::Key_F1);
    ASSERT_TRUE(about().isVisible());
    EXPECT_TRUE(about().isModal());
    EXPECT_EQ(about().windowTitle(), u"About"_s);
    EXPECT_EQ(label("lablVersionExe")->text(), u"0.9.92 (2004-07-22)"_s);
    EXPECT_EQ(label("lablVersionDVSData")->text(), u"2026-11-20"_s);
    EXPECT_EQ(label("lablVersionHelp")->text(), u"2026-10-01"_s);
    EXPECT_EQ(label("lablVersionPatchData")->text(), u"2026-09-09"_s);
    EXPECT_EQ(label("labCOUNT")->text(), u"7"_s) << "this start counted too";
    // The title and the links are drawn underlined; the title's shadow is not.
    for (const char *name : {"lablDVS1", "lablDVS2", "lablDVSWWW", "lablDVSMail"})
        EXPECT_TRUE(label(name)->font().underline()) << name;
    QFont title = label("lablDVS2")->font();
    title.setUnderline(false);
    EXPECT_EQ(label("lablDVS3")->font(), title) << "the shadow has the title's shape";
    // Captions and the values they name stand in columns.
    for (const auto &[a, b] : {std::pair("lablWWW", "lablMail"), std::pair("lablDVSWWW", "lablDVSMail"),
                               std::pair("lablVersionExe", "lablVersionHelp")})
        EXPECT_EQ(label(a)->x(), label(b)->x()) << a << " " << b;
    click(&about(), "butnClose");
    EXPECT_FALSE(about().isVisible());

    folder.writePatch(u"[data]\norgdata=2026-09-09\nuserchnage=1\n"_s);
    QFile::remove(folder.files().dataIni());
    QFile::remove(folder.files().settingsIni());
    click(action("itemAbout"));
    EXPECT_EQ(label("lablVersionPatchData")->text(), u"2026-09-09, User: Not found"_s);
    EXPECT_EQ(label("lablVersionDVSData")->text(), u"Not found"_s);
    EXPECT_EQ(label("labCOUNT")->text(), u"1"_s) << "without settings.ini";

    // The links turn red under the mouse and open through the shell, as the Help menu's links do.
    QLabel *www = label("lablDVSWWW");
    EXPECT_EQ(colourOf(www), QColor(Qt::blue));
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(www, &enter);
    EXPECT_EQ(colourOf(www), QColor(Qt::red));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(www, &leave);
    EXPECT_EQ(colourOf(www), QColor(Qt::blue));

    QTest::mouseClick(www, Qt::RightButton);
    EXPECT_TRUE(fake.shell.starts().empty()) << "only the left button follows a link";
    QTest::mouseClick(www, Qt::LeftButton);
    click(&about(), "lablDVSMail");
    click(action("itemHelpLinksDVSHomePage"));
    click(action("itemHelpLinksDVSEMail"));
    const FakeShell::Start home{u"http://dravopax-vevavav.example.org/"_s, QString(), QString()};
    const FakeShell::Start mail{u"mailto:author@dravopax-vevavav.example.org?subject=Dravopax Vevavav"_s,
                                QString(), QString()};
    EXPECT_EQ(fake.shell.starts(), (std::vector<FakeShell::Start>{home, mail, home, mail}));
}

} // namespace
