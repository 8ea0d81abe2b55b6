#include "switches/CheckSum.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QList<bool> fromNothing(qint64 sum, const QList<int> &weights)
{
    return decomposeCheckSum(sum, weights, QList<bool>(weights.size(), false));
}

TEST(CheckSum, PowersOfTwoGiveTheBitsOfTheSum)
{
    EXPECT_EQ(fromNothing(5, {1, 2, 4}), (QList<bool>{true, false, true}));
    EXPECT_EQ(fromNothing(6, {1, 2, 4, 8}), (QList<bool>{false, true, true, false}));
    EXPECT_EQ(fromNothing(15, {1, 2, 4, 8}), (QList<bool>{true, true, true, true}));
}

TEST(CheckSum, ARemainderNoItemMatchesIsDropped)
{
    EXPECT_EQ(fromNothing(7, {1, 2}), (QList<bool>{true, true}));
}

TEST(CheckSum, AZeroSumChangesNoCheckMark)
{
    EXPECT_EQ(decomposeCheckSum(0, {1, 2, 4}, {true, false, true}), (QList<bool>{true, false, true}));
}

TEST(CheckSum, AnItemWithoutWeightIsCheckedWhenReachedAndKeepsTheRemainder)
{
    // From the top: 4 does not fit 3 (unchecked), weight 0 fits (checked), 2 fits, then 1 fits.
    EXPECT_EQ(fromNothing(3, {1, 2, 0, 4}), (QList<bool>{true, true, true, false}));
}

TEST(CheckSum, ItemsBelowTheOneThatEndsTheSumAreUnchecked)
{
    EXPECT_EQ(decomposeCheckSum(4, {1, 2, 4}, {true, true, false}), (QList<bool>{false, false, true}));
}

TEST(CheckSum, ANegativeSumUnchecksEveryItemItVisits)
{
    EXPECT_EQ(decomposeCheckSum(-3, {1, 2, 4}, {true, true, true}), (QList<bool>{false, false, false}));
}

TEST(CheckSum, TheSumOfCheckedWeights)
{
    EXPECT_EQ(checkedSum({1, 2, 4, 8}, {true, false, true, false}), 5);
    EXPECT_EQ(checkedSum({2000000000, 2000000000}, {true, true}), 4000000000LL);
}

} // namespace
