#include "calibration/liveweight.h"

#include <gtest/gtest.h>

namespace {
QString shown(const char* reading, int d) {
    return readingDecimalText(padReading(QString::fromLatin1(reading), d), d);
}
} // namespace

TEST(LiveWeight, ReadingShownWithTheDivisionsDecimals) {
    EXPECT_EQ(shown("5", 3), QStringLiteral("0.005"));
    EXPECT_EQ(shown("-5", 3), QStringLiteral("-0.005"));
    EXPECT_EQ(shown("0", 3), QStringLiteral("0.000"));
    EXPECT_EQ(shown("12345", 2), QStringLiteral("123.45"));
    EXPECT_EQ(shown("-1234", 1), QStringLiteral("-123.4"));
    EXPECT_EQ(shown("-12", 0), QStringLiteral("-12"));
    EXPECT_EQ(shown("-123", 2), QStringLiteral("-1.23"));
    // No value decoded: zero with its decimals.
    EXPECT_EQ(shown("", 2), QStringLiteral("0.00"));
    EXPECT_EQ(padReading(QStringLiteral("-5"), 3), QStringLiteral("-005"));
}

TEST(LiveWeight, RangeTestIsExclusiveAndCountsTheCompareValue) {
    // Capacity 3000, division 1: limits 3009 and -300.
    EXPECT_EQ(weightRange(3009, 0, 0, 3009.0, -300.0), WeightRange::Inside);
    EXPECT_EQ(weightRange(3000, 10, 0, 3009.0, -300.0), WeightRange::Over);
    EXPECT_EQ(weightRange(-300, 0, 0, 3009.0, -300.0), WeightRange::Inside);
    EXPECT_EQ(weightRange(-301, 0, 0, 3009.0, -300.0), WeightRange::Under);
    // The compare reading counts with the same decimals: 30.00 + 0.10 is over 30.09. A sum equal
    // to the maximum is inside although 1.009 x 1000 is not a whole double.
    EXPECT_EQ(weightRange(3000, 10, 2, 30.09, -3.0), WeightRange::Over);
    EXPECT_EQ(weightRange(2999, 10, 2, 30.09, -3.0), WeightRange::Inside);
    EXPECT_EQ(weightRange(1009, 0, 3, 1.009, -0.1), WeightRange::Inside);
    EXPECT_EQ(weightRange(1010, 0, 3, 1.009, -0.1), WeightRange::Over);
    // Limits not known yet count as 0.
    EXPECT_EQ(weightRange(1, 0, 2, std::nullopt, std::nullopt), WeightRange::Over);
    EXPECT_EQ(weightRange(-1, 0, 2, std::nullopt, std::nullopt), WeightRange::Under);
    EXPECT_EQ(weightRange(0, 0, 2, std::nullopt, std::nullopt), WeightRange::Inside);
}
