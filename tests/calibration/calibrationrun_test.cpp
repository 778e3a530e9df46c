#include "calibration/calibrationrun.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {
using O = SpanWeight::Outcome;
}

TEST(SpanWeight, ScaledToTheDivisionWithoutTheLocale) {
    // A host whose decimal separator is the comma must not change anything.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    const std::optional<double> max = 30.09; // limit 3000 in hundredths

    for (const char* entry : {"12.5", "12,5", " 12.50 "}) {
        const SpanWeight w = parseSpanWeight(QString::fromLatin1(entry), 2, max);
        EXPECT_EQ(w.outcome, O::Accepted) << entry;
        EXPECT_EQ(w.units, 1250) << entry;
    }
    EXPECT_EQ(parseSpanWeight(QStringLiteral("1.234"), 3, 20.045).units, 1234);
    EXPECT_EQ(parseSpanWeight(QStringLiteral("30"), 2, max).units, 3000);
    EXPECT_EQ(parseSpanWeight(QStringLiteral("30."), 2, max).outcome, O::Accepted);
    EXPECT_EQ(parseSpanWeight(QStringLiteral(".5"), 2, max).units, 50);
    // Weights with no exact binary value are not one unit short.
    EXPECT_EQ(parseSpanWeight(QStringLiteral("1.005"), 3, 20.045).units, 1005);
    EXPECT_EQ(parseSpanWeight(QStringLiteral("0.29"), 2, max).units, 29);
    EXPECT_EQ(parseSpanWeight(QStringLiteral("4,35"), 2, max).units, 435);

    EXPECT_EQ(parseSpanWeight(QStringLiteral("30.01"), 2, max).outcome, O::AboveLimit);
    EXPECT_EQ(parseSpanWeight(QStringLiteral("12.345"), 2, max).outcome, O::TooManyDecimals);
    EXPECT_EQ(parseSpanWeight(QStringLiteral("12.5"), 0, 3009.0).outcome, O::TooManyDecimals);
    EXPECT_EQ(parseSpanWeight(QStringLiteral("."), 2, max).outcome, O::NotANumber);
    EXPECT_EQ(parseSpanWeight(QStringLiteral("1.2.3"), 2, max).outcome, O::NotANumber);
    EXPECT_EQ(parseSpanWeight(QStringLiteral("-5"), 2, max).outcome, O::NotANumber);
    EXPECT_EQ(parseSpanWeight(QStringLiteral("0"), 3, 20.045).outcome, O::Zero);
    EXPECT_EQ(parseSpanWeight(QStringLiteral("99999999999999999999"), 0, max).outcome, O::AboveLimit);
    // Without a known maximum nothing can be accepted.
    EXPECT_EQ(parseSpanWeight(QStringLiteral("1"), 2, std::nullopt).outcome, O::AboveLimit);

    EXPECT_EQ(spanWeightLimit(30.09, 2), 3000);
    EXPECT_EQ(spanWeightLimit(300.9, 1), 3000); // the whole part, not the nearest whole number
    EXPECT_EQ(spanWeightLimit(3009.0, 0), 3009);

    // The suggestion is one the entry accepts as it stands.
    EXPECT_EQ(suggestedSpanWeightText(7.5, 2), QStringLiteral("7.5"));
    EXPECT_EQ(suggestedSpanWeightText(7.5, 0), QStringLiteral("7"));
    EXPECT_EQ(suggestedSpanWeightText(1500, 1), QStringLiteral("1500"));
    QLocale::setDefault(before);
}

TEST(CalibrationStatusAnswer, FieldsFoundWithAndWithoutChecksumAndAddress) {
    // "@" [address] "03" "02" state code [LRC] CR.
    const auto with = calibrationStatus(QStringLiteral("@03020025D6\r"), QString());
    ASSERT_TRUE(with);
    EXPECT_EQ(with->state, QStringLiteral("00"));
    EXPECT_EQ(with->code, QStringLiteral("25"));
    const auto without = calibrationStatus(QStringLiteral("@03020100\r"), QString());
    ASSERT_TRUE(without);
    EXPECT_TRUE(without->done());
    EXPECT_EQ(without->code, QStringLiteral("00"));
    const auto addressed = calibrationStatus(QStringLiteral("@1203020200\r"), QStringLiteral("18"));
    ASSERT_TRUE(addressed);
    EXPECT_FALSE(addressed->done());

    EXPECT_FALSE(calibrationStatus(QString(), QString()));
    EXPECT_FALSE(calibrationStatus(QStringLiteral("@8302"), QString()));
    EXPECT_FALSE(calibrationStatus(QStringLiteral("@0302\r"), QString()));
}
