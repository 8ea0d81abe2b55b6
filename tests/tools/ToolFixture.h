#pragma once

#include "ini/TIniFile.h"
#include "support/FakePlatform.h"
#include "support/Named.h"
#include "support/TestFiles.h"

#include <QTest>

#include <gtest/gtest.h>

// A tool window of type W on a program folder and a game directory of their own.
template <typename W> class ToolFixture : public ::testing::Test
{
protected:
    ToolFixture() { setGame(QStringLiteral("win")); }
    ~ToolFixture() override { fake.verify(); }

    void setGame(const QString &kind, const QString &dvs = QString())
    {
        folder.writeSettings(QStringLiteral("[dvs]\n%1\n[zvt]\nversion=%2\n").arg(dvs, kind));
        TIniFile(folder.files().settingsIni())
            .WritePath(QStringLiteral("zvt"), QStringLiteral("dir"), game.path());
    }
    // The next box is a Yes/No confirmation of `text`, answered `answer`.
    void confirm(const QString &text, MsgAnswer answer)
    {
        fake.messages.expect(MsgType::Confirmation, text, MsgButtons::YesNo, answer);
    }
    QString inGame(const QString &name) const { return game.path() + QLatin1Char('/') + name; }
    // Clicks the enabled button `name` of the window, or of `window`.
    void click(const char *name, const QObject *window = nullptr)
    {
        QWidget *button = named(window ? window : &form, name);
        ASSERT_TRUE(button && button->isEnabled()) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Runs `action` as an ordinary user to whom the folders belong, with
    // `readOnly` (a file or folder) that user's but not writable.
    void withReadOnly(const QString &readOnly, const std::function<void()> &action)
    {
        for (const QString &path : {folder.path(), game.path(), elsewhere.path()})
            giveToOrdinaryUser(path, 0777);
        giveToOrdinaryUser(folder.files().settingsIni(), 0666);
        giveToOrdinaryUser(readOnly, 0555);
        ASSERT_TRUE(asOrdinaryUser(action));
        giveToOrdinaryUser(readOnly, 0777);
    }

    TestProgramFolder folder;
    QTemporaryDir game;
    QTemporaryDir elsewhere;
    FakePlatform fake;
    W form{folder.files(), fake.platform()};
};
