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

TEST(CheckSum, ASumSetsTheMarksFromTheHeaviestItemDown)
{
    struct Case
    {
        qint64 sum;
        QList<int> weights;
        const char *before;
        const char *after;
    };
    const Case cases[] = {
        {5, {1, 2, 4}, "000", "101"}, // powers of two give the bits of the sum
        {6, {1, 2, 4, 8}, "0000", "0110"}, {15, {1, 2, 4, 8}, "0000", "1111"},
        {7, {1, 2}, "00", "11"},           // a remainder no item matches is dropped
        {0, {1, 2, 4}, "101", "101"},      // a zero sum changes no mark
        {3, {1, 2, 0, 4}, "0000", "1110"}, // weight 0 is checked when reached and keeps the remainder
        {4, {1, 2, 4}, "110", "001"},      // items below the one that ends the sum are unchecked
        {-3, {1, 2, 4}, "111", "000"},     // a negative sum unchecks every item it visits
    };
    for (const Case &c : cases)
        EXPECT_EQ(decomposeCheckSum(c.sum, c.weights, marks(c.before)), marks(c.after))
            << c.sum << " " << c.before;
}

TEST(CheckSum, TheSumOfCheckedWeights)
{
    EXPECT_EQ(checkedSum({1, 2, 4, 8}, marks("1010")), 5);
    EXPECT_EQ(checkedSum({2000000000, 2000000000}, marks("11")), 4000000000LL);
}

} // namespace
