#include "switches/CheckSum.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QList<bool> marks(const char *bits)
{
    QList<bool> states;
    for (const char *bit = bits; *bit; ++bit)
        states << (*bit == '1');
    return states;
}

TEST(CheckSum, ASumSetsTheMarksFromTheHeaviestItemDownAndTheCheckedWeightsAddUpToIt)
{
    // The sum, the weights, and the marks before and after.
    const std::tuple<qint64, QList<int>, const char *, const char *> cases[] = {
        {5, {1, 2, 4}, "000", "101"}, // powers of two give the bits of the sum
        {6, {1, 2, 4, 8}, "0000", "0110"}, {15, {1, 2, 4, 8}, "0000", "1111"},
        {7, {1, 2}, "00", "11"},           // a remainder no item matches is dropped
        {0, {1, 2, 4}, "101", "101"},      // a zero sum changes no mark
        {3, {1, 2, 0, 4}, "0000", "1110"}, // weight 0 is checked when reached and keeps the remainder
        {4, {1, 2, 4}, "110", "001"},      // items below the one that ends the sum are unchecked
        {-3, {1, 2, 4}, "111", "000"},     // a negative sum unchecks every item it visits
    };
    for (const auto &[sum, weights, before, after] : cases)
        EXPECT_EQ(decomposeCheckSum(sum, weights, marks(before)), marks(after)) << sum << " " << before;
    EXPECT_EQ(checkedSum({1, 2, 4, 8}, marks("1010")), 5) << "and back";
    EXPECT_EQ(checkedSum({2000000000, 2000000000}, marks("11")), 4000000000LL);
}

} // namespace
