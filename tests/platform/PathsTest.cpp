#include "platform/Paths.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(Paths, ATailWrittenTheWindowsWayBecomesAPathOfThisSystem)
{
    EXPECT_EQ(Paths::withTail(QStringLiteral("/opt/dvv"), QStringLiteral("\\Data\\patch.ini")),
              QStringLiteral("/opt/dvv/Data/patch.ini"));
    // A folder that ends in a separator gives a doubled one, which is accepted.
    EXPECT_EQ(Paths::withTail(QStringLiteral("/"), QStringLiteral("\\settings.ini")),
              QStringLiteral("//settings.ini"));
    EXPECT_EQ(Paths::withTail(QStringLiteral("0"), QStringLiteral("\\dravopax.cfg")),
              QStringLiteral("0/dravopax.cfg"));
}
