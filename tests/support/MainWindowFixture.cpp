#include "MainWindowFixture.h"

#include "app/ProgramWindows.h"
#include "app/TIniFile.h"
#include "app/TformMain.h"

#include <QAction>
#include <QEnterEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>

MainWindowFixture::MainWindowFixture() = default;
MainWindowFixture::~MainWindowFixture() = default;

void MainWindowFixture::startProgram()
{
    windows = std::make_unique<ProgramWindows>(folder.files(), fake.platform());
    ASSERT_TRUE(windows->start());
    formMain = &windows->formMain();
    formMain->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(formMain));
}

void MainWindowFixture::closeProgram()
{
    if (formMain && formMain->isVisible())
        formMain->close();
}

void MainWindowFixture::TearDown()
{
    fake.verify();
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

QString MainWindowFixture::setting(const QString &key, const QString &section) const
{
    return TIniFile(folder.files().settingsIni()).ReadString(section, key, QStringLiteral("<absent>"));
}
