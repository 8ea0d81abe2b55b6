#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "update/TformAbout.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class AboutTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        writeText(folder.files().dataIni(), QStringLiteral("[Data]\ndata=2026-11-20\nversion=3\n"));
        writeText(folder.files().helpIni(), QStringLiteral("[data]\nDATA=2026-10-01\n"));
        folder.writePatch(QStringLiteral("[data]\norgdata=2026-09-09\nuserchnage=0\nuserdata=2026-12-01\n"));
        folder.writeSettings(QStringLiteral("[dvs]\ncounter=6\n"));
    }
    TformAbout &about() const { return *formMain->formAbout; }
    QColor colourOf(QLabel *label) const { return label->palette().color(QPalette::WindowText); }
};

TEST_F(AboutTest, F1ShowsTheVersionsOfTheDataFilesAndTheStartCount)
{
    startProgram();
    QTest::keyClick(formMain, Qt::Key_F1);
    ASSERT_TRUE(about().isVisible());
    EXPECT_TRUE(about().isModal());
    EXPECT_EQ(about().windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(about().lablVersionExe->text(), QStringLiteral("0.9.92 (2004-07-22)"));
    EXPECT_EQ(about().lablVersionDVSData->text(), QStringLiteral("2026-11-20"));
    EXPECT_EQ(about().lablVersionHelp->text(), QStringLiteral("2026-10-01"));
    EXPECT_EQ(about().lablVersionPatchData->text(), QStringLiteral("2026-09-09"));
    EXPECT_EQ(about().labCOUNT->text(), QStringLiteral("7")) << "this start counted too";
    // The title and the links are drawn underlined; the title's shadow is not.
    for (const QLabel *label : {about().lablDVS1, about().lablDVS2, about().lablDVSWWW, about().lablDVSMail})
        EXPECT_TRUE(label->font().underline()) << label->objectName().toStdString();
    EXPECT_FALSE(about().lablDVS3->font().underline());
    QTest::mouseClick(about().butnClose, Qt::LeftButton);
    EXPECT_FALSE(about().isVisible());
}

TEST_F(AboutTest, EveryShowingReadsTheFilesAgain)
{
    startProgram();
    click(formMain->itemAbout);
    about().close();
    folder.writePatch(QStringLiteral("[data]\norgdata=2026-09-09\nuserchnage=1\n"));
    QFile::remove(folder.files().dataIni());
    QFile::remove(folder.files().settingsIni());
    click(formMain->itemAbout);
    EXPECT_EQ(about().lablVersionPatchData->text(), QStringLiteral("2026-09-09, User: Not found"));
    EXPECT_EQ(about().lablVersionDVSData->text(), QStringLiteral("Not found"));
    EXPECT_EQ(about().labCOUNT->text(), QStringLiteral("1")) << "without settings.ini";
}

TEST_F(AboutTest, TheLinksTurnRedUnderTheMouseAndOpenThroughTheShell)
{
    startProgram();
    click(formMain->itemAbout);
    QLabel *www = about().lablDVSWWW;
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
    QTest::mouseClick(about().lablDVSMail, Qt::LeftButton);
    ASSERT_EQ(fake.shell.starts().size(), 2u);
    EXPECT_EQ(fake.shell.starts()[0].file, www->text());
    EXPECT_EQ(fake.shell.starts()[1].file, QStringLiteral("mailto:") + about().lablDVSMail->text() +
                                               QStringLiteral("?subject=Dravopax Vevavav"));
}

} // namespace
