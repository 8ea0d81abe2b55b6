#include "MainWindowFixture.h"

#include "app/StartUp.h"
#include "app/TformMain.h"
#include "ini/TIniFile.h"
#include "switches/SwitchPanel.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QEnterEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>

MainWindowFixture::MainWindowFixture() = default;
MainWindowFixture::~MainWindowFixture()
{
    fake.verify();
}

const QString kNoGameDirectoryQuestion = QStringLiteral(
    "You don't select your Zorvantia directory.\nYou must do it if you want to work with Dravopax "
    "Vevavav.\nDo you want to do it now?");
const QString kGameGoneQuestion = QStringLiteral(
    "Zorvantia not exist at path that was last time selected.\nYou must do it if you want to work "
    "with Dravopax Vevavav.\nDo you want to do it now?");
const QString kVersionNotSetMessage = QStringLiteral(
    "Settings File was not found or you do not select your Dravopax version yet.\nIf you want edit "
    "Dravopax switches you must select your Dravopax Version.");

const QString kWinFound = QStringLiteral("Zorvantia for Windows was found.\nDravopax for Windows was found.");
const QString kDosFound = QStringLiteral("Zorvantia for Dos was found.\nDravopax for Dos was found.\nYou "
                                         "haven't access to some ZVT Options like:\n"
                                         " -Display\n -Sound\n -Mouse\n -Create Registry Entry\n(This option "
                                         "are avabile only in Windows version)");

QString MainWindowFixture::gameFolder(const char *files, const QString &name)
{
    const QString path = QDir(games.path()).filePath(name);
    QDir().mkpath(path);
    for (const QString &file : QString::fromLatin1(files).split(u' ', Qt::SkipEmptyParts))
        writeBytes(path + u'/' + file, QByteArray("MZ"));
    return path;
}

void MainWindowFixture::installGame(const QString &kind, const char *files, const QString &dvs,
                                    const QString &name)
{
    game = gameFolder(files, name);
    folder.writeSettings(
        QStringLiteral("[zvt]\ndir=%1\nversion=%2\n[dvs]\nversion=ver1\n%3").arg(game, kind, dvs));
}

void MainWindowFixture::startProgram(const QString &commandTail, StartQuestions questions)
{
    fake.messages.clearAllowed();
    if (questions == StartQuestions::Answered) {
        fake.messages.allow(MsgType::Warning, kNoGameDirectoryQuestion, MsgButtons::YesNo, MsgAnswer::No);
        fake.messages.allow(MsgType::Warning, kGameGoneQuestion, MsgButtons::YesNo, MsgAnswer::No);
        fake.messages.allow(MsgType::Information, kVersionNotSetMessage, MsgButtons::Ok, MsgAnswer::Ok);
    }
    windows = std::make_unique<ProgramWindows>(folder.files(), fake.platform());
    ASSERT_TRUE(runStartUp(*windows, commandTail));
    fake.messages.clearAllowed();
    formMain = &windows->formMain();
    formMain->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(formMain));
}

void MainWindowFixture::closeProgram()
{
    if (formMain && formMain->isVisible())
        formMain->close();
}

void MainWindowFixture::click(QAction *item)
{
    ASSERT_TRUE(item->isEnabled()) << item->objectName().toStdString() << " is disabled";
    item->trigger();
}

QString MainWindowFixture::hintShownFor(QWidget *widget)
{
    const QPointF inside(1, 1);
    QEnterEvent enter(inside, widget->mapTo(widget->window(), inside), widget->mapToGlobal(inside));
    QCoreApplication::sendEvent(widget, &enter);
    return formMain->statusBar()->currentMessage();
}

QString MainWindowFixture::hintShownFor(QMenu *menu, QAction *item)
{
    menu->popup(formMain->mapToGlobal(QPoint(10, 10)));
    [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(menu);
    const QRect at = menu->actionGeometry(item);
    QMouseEvent move(QEvent::MouseMove, at.center(), menu->mapToGlobal(at.center()), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &move);
    const QString shown = formMain->statusBar()->currentMessage();
    menu->hide();
    return shown;
}

void MainWindowFixture::choose(const QObject *window, const char *name, const QString &text)
{
    auto *list = named<QComboBox>(window, name);
    const int index = list->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    list->showPopup();
    QAbstractItemView *view = list->view();
    const QRect item = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    ASSERT_FALSE(view->isVisible()) << "the list closes with the click";
}

QObject *MainWindowFixture::mainWindowObject() const
{
    return formMain;
}

SwitchPanel *MainWindowFixture::panel() const
{
    return named<SwitchPanel>("scrlMain");
}

SwitchControl *MainWindowFixture::switchControl(const char *name) const
{
    return panel()->control(QString::fromLatin1(name));
}

QStringList MainWindowFixture::versionItems() const
{
    QStringList items;
    for (const QAction *a : named<QMenu>("menuDVSVersion")->actions())
        items << a->objectName() + u'=' + a->text() + (a->isChecked() ? QStringLiteral("*") : QString());
    return items;
}

QString MainWindowFixture::setting(const QString &key, const QString &section) const
{
    // Read the way the program reads paths; for the plain values of the other
    // settings that is the same as reading a text.
    return TIniFile(folder.files().settingsIni()).ReadPath(section, key, QStringLiteral("<absent>"));
}

MainWindowFixture::Ink MainWindowFixture::inkOf(QWidget *widget, const std::function<void()> &hide)
{
    const QImage with = widget->grab().toImage();
    hide();
    Ink ink{QRect(), widget->grab().toImage()};
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != ink.without.pixel(x, y))
                ink.box |= QRect(x, y, 1, 1);
    }
    return ink;
}
