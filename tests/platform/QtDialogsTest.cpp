#include "platform/QtDialogs.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

// Windows are placed on the screens the system has, the primary one first.
TEST(QtScreen, ListsEveryScreenOnceThePrimaryFirst)
{
    const QtScreen screen;
    const QList<QRect> screens = screen.screens();
    ASSERT_EQ(screens.size(), QGuiApplication::screens().size());
    const QScreen *primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(screens.constFirst(), primary->geometry());
    EXPECT_EQ(screen.size(), primary->size());
    for (const QScreen *other : QGuiApplication::screens())
        EXPECT_TRUE(screens.contains(other->geometry()));
}
