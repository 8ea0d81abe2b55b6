#include "support/FakePlatform.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

// The fakes are what every window test relies on to notice a stray message, so
// their failures are checked too.

TEST(FakeMessageBoxes, AnswersScriptedBoxesAndRecordsThem)
{
    FakeMessageBoxes boxes;
    boxes.expect(MsgType::Warning, QStringLiteral("Sure?"), MsgButtons::YesNo, MsgAnswer::Yes);
    boxes.expectOk(MsgType::Information, QStringLiteral("Done"));
    EXPECT_EQ(boxes.show(MsgType::Warning, QStringLiteral("Sure?"), MsgButtons::YesNo), MsgAnswer::Yes);
    EXPECT_EQ(boxes.show(MsgType::Information, QStringLiteral("Done"), MsgButtons::Ok), MsgAnswer::Ok);
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Sure?"));
    boxes.verify();
}

TEST(FakeMessageBoxes, FailsOnABoxNobodyExpected)
{
    FakeMessageBoxes boxes;
    EXPECT_NONFATAL_FAILURE(boxes.show(MsgType::Error, QStringLiteral("Boom"), MsgButtons::Ok),
                            "unexpected error box (OK): \"Boom\"");
}

TEST(FakeMessageBoxes, FailsOnADifferentTextTypeOrButtonSetAndRefuses)
{
    FakeMessageBoxes boxes;
    boxes.expect(MsgType::Warning, QStringLiteral("Sure?"), MsgButtons::YesNo, MsgAnswer::Yes);
    MsgAnswer answer = MsgAnswer::Yes;
    EXPECT_NONFATAL_FAILURE(answer =
                                boxes.show(MsgType::Warning, QStringLiteral("Sure ?"), MsgButtons::YesNo),
                            "expected warning box");
    EXPECT_EQ(answer, MsgAnswer::Cancel);
}

TEST(FakeMessageBoxes, FailsOnAnExpectedBoxThatNeverCame)
{
    FakeMessageBoxes boxes;
    boxes.expectOk(MsgType::Information, QStringLiteral("File saved"));
    EXPECT_NONFATAL_FAILURE(boxes.verify(), "never shown: \"File saved\"");
}

TEST(FakeFileDialogs, AnswersInOrderAndFailsWhenUnscripted)
{
    FakeFileDialogs dialogs;
    dialogs.answerOpen(QStringLiteral("/x.cfg"));
    dialogs.answerOpen(std::nullopt);
    FileDialogRequest request;
    request.title = QStringLiteral("Load Configuration File");
    EXPECT_EQ(dialogs.open(request), QStringLiteral("/x.cfg"));
    EXPECT_EQ(dialogs.open(request), std::nullopt);
    EXPECT_NONFATAL_FAILURE(dialogs.save(request), "unexpected save dialog \"Load Configuration File\"");
    EXPECT_EQ(dialogs.shown().size(), 3u);
}

TEST(FakeRegistry, KeepsTypesLikeTheRealOne)
{
    FakeRegistry registry;
    EXPECT_FALSE(registry.openKey(QStringLiteral("K"), false)->isOpen());
    auto key = registry.openKey(QStringLiteral("K"), true);
    key->writeString(QStringLiteral("HDPath"), QStringLiteral("C:"));
    EXPECT_THROW(key->readInteger(QStringLiteral("hdpath")), std::exception);
    registry.refuseWrites(true);
    EXPECT_THROW(key->writeInteger(QStringLiteral("A"), 1), std::exception);
}
