#include "calibration/setuplimits.h"
#include "platform/basic.h"

#include <gtest/gtest.h>

TEST(WeighingLimits, DerivedExactlyFromTheChosenEntries) {
    // Two ranges, range-2 capacity 20 kg, range-1 division 0.005 kg.
    const std::optional<WeighingLimits> l = deriveLimits(QStringLiteral("11 - 20 Kg"), QStringLiteral("5 - 0.005 Kg"));
    ASSERT_TRUE(l);
    EXPECT_EQ(l->Capacity, 20);
    EXPECT_EQ(basic::Str(l->DisplayMaximum), QStringLiteral("20.045"));
    EXPECT_EQ(l->DisplayMaximum, 20.045);
    EXPECT_EQ(l->DisplayMinimum, -2);
    EXPECT_EQ(l->DivisionIntPart, QStringLiteral("0"));
    EXPECT_EQ(l->DivisionDecimals, QStringLiteral("005"));

    // A whole-number division: no decimals; nine divisions above the capacity.
    const std::optional<WeighingLimits> whole =
        deriveLimits(QStringLiteral("46 - 3000 Kg"), QStringLiteral("15 - 10 Kg"));
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->DisplayMaximum, 3090);
    EXPECT_EQ(whole->DisplayMinimum, -300);
    EXPECT_EQ(whole->DivisionIntPart, QStringLiteral("10 Kg"));
    EXPECT_TRUE(whole->DivisionDecimals.isEmpty());

    // The decimals are the digits of the number, with or without a unit after it.
    for (const char* division : {"6 - 0.01", "6 - 0.01 Kg", "6 - 0.01Kg"}) {
        const std::optional<WeighingLimits> d = deriveLimits(QStringLiteral("0 - 1 Kg"), QString::fromLatin1(division));
        ASSERT_TRUE(d) << division;
        EXPECT_EQ(d->DivisionDecimals, QStringLiteral("01")) << division;
        EXPECT_EQ(basic::Str(d->DisplayMaximum), QStringLiteral("1.09")) << division;
    }

    // No choice, or an entry without a number: nothing to derive.
    EXPECT_FALSE(deriveLimits(QString(), QStringLiteral("5 - 0.005 Kg")));
    EXPECT_FALSE(deriveLimits(QStringLiteral("11 - 20 Kg"), QStringLiteral("5 - Kg")));
}

TEST(SetupAnswers, CutByPositionAfterTheirHeader) {
    // "@" [address] "03" byte count, then the data; the rest is not looked at.
    EXPECT_EQ(setupAnswerData(QStringLiteral("@0306010009050B08XX\r"), QString(), 6), QStringLiteral("010009050B08"));
    EXPECT_EQ(setupAnswerData(QStringLiteral("@0306010009050B08\r"), QStringLiteral("00"), 6),
              QStringLiteral("010009050B08"));
    EXPECT_EQ(setupAnswerData(QStringLiteral("@070306010009050B08"), QStringLiteral("07"), 6),
              QStringLiteral("010009050B08"));
    // Too short, not hex, an error or a declined answer: no data.
    EXPECT_FALSE(setupAnswerData(QStringLiteral("@03060100"), QString(), 6));
    EXPECT_FALSE(setupAnswerData(QStringLiteral("@03020G00"), QString(), 2));
    EXPECT_FALSE(setupAnswerData(QStringLiteral("@8304FFFF"), QString(), 2));
    EXPECT_FALSE(setupAnswerData(QStringLiteral("@07830400"), QStringLiteral("07"), 1));
    EXPECT_FALSE(setupAnswerData(QStringLiteral("@9000000000"), QString(), 2));

    // Range mode and metrological flag are read as decimal numbers: "0A" is 0.
    EXPECT_EQ(byteDecimal(QStringLiteral("0A01"), 0), 0);
    EXPECT_EQ(byteHex(QStringLiteral("0A01"), 0), 10);

    EXPECT_TRUE(isHexByteText(QStringLiteral("A1")));
    EXPECT_FALSE(isHexByteText(QStringLiteral("A")));
    EXPECT_FALSE(isHexByteText(QStringLiteral("G1")));
}

TEST(SetupAnswers, AnalogOutputTypeChangesOnlyOnAReadableAnswer) {
    EXPECT_EQ(analogOutputIsVoltage(QStringLiteral("@03020100\r"), QString()), true);
    EXPECT_EQ(analogOutputIsVoltage(QStringLiteral("@0303020000\r"), QStringLiteral("03")), false);
    EXPECT_FALSE(analogOutputIsVoltage(QString(), QString()));
    EXPECT_FALSE(analogOutputIsVoltage(QStringLiteral("0302010000"), QString()));
    EXPECT_FALSE(analogOutputIsVoltage(QStringLiteral("@830400\r"), QString()));

    EXPECT_TRUE(isDeclinedAnswer(QStringLiteral("@9002"), QString()));
    EXPECT_TRUE(isDeclinedAnswer(QStringLiteral("@079002"), QStringLiteral("07")));
    EXPECT_FALSE(isDeclinedAnswer(QStringLiteral("@1000010001"), QString()));
}
