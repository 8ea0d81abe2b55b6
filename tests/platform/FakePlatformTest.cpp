#include "support/FakePlatform.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

// The fakes are what every window test relies on to notice a stray message, so
// their failures are checked too.
TEST(FakeMessageBoxes, FailsOnEveryBoxThatDiffersFromTheScript)
{
    FakeMessageBoxes boxes;
    EXPECT_NONFATAL_FAILURE(boxes.show(MsgType::Error, QStringLiteral("Boom"), MsgButtons::Ok),
                            "unexpected error box (OK): \"Boom\"");

    boxes.expect(MsgType::Warning, QStringLiteral("Sure?"), MsgButtons::YesNo, MsgAnswer::Yes);
    MsgAnswer answer = MsgAnswer::Yes;
    EXPECT_NONFATAL_FAILURE(answer =
                                boxes.show(MsgType::Warning, QStringLiteral("Sure ?"), MsgButtons::YesNo),
                            "expected warning box");
    EXPECT_EQ(answer, MsgAnswer::Cancel) << "and refused";

    boxes.expectOk(MsgType::Information, QStringLiteral("File saved"));
    EXPECT_NONFATAL_FAILURE(boxes.verify(), "\"File saved\" was never shown");
}
