#include "calibration/analogoutput.h"
#include "calibration/statusbits.h"

#include <gtest/gtest.h>

TEST(StatusBits, StatusWordRows) {
    // F = 0xE5, S = 0x2A.
    const std::array<int, 12> rows = statusWordTexts({0xE5, 0x2A});
    const std::array<int, 12> expected = {0, 3, 4, 7, 6, 9, 8, 8, 9, 8, 9, 16};
    EXPECT_EQ(rows, expected);
    // Rows 13 and 14 are bits 6 and 7 of the second byte, each on its own.
    EXPECT_EQ(statusWordTexts({0x00, 0x40})[6], 9);
    EXPECT_EQ(statusWordTexts({0x00, 0x40})[7], 8);
    EXPECT_EQ(statusWordTexts({0x00, 0x80})[6], 8);
    EXPECT_EQ(statusWordTexts({0x00, 0x80})[7], 9);
    // The operating state of the top three bits: 0..5 have their texts, 6 and 7 share one.
    EXPECT_EQ(statusWordTexts({0x00, 0})[11], 10);
    EXPECT_EQ(statusWordTexts({0xA0, 0})[11], 15);
    EXPECT_EQ(statusWordTexts({0xC0, 0})[11], 16);
}

TEST(StatusBits, HardwareRowsAndFlags) {
    const HardwareStatus h = hardwareStatus({0x08, 0x1E});
    EXPECT_EQ(h.texts[0], 8);
    EXPECT_EQ(h.digit, QStringLiteral("7"));
    EXPECT_EQ(h.texts[2], 7);
    for (int k = 3; k < 7; ++k)
        EXPECT_EQ(h.texts[k], 6) << k;
    EXPECT_TRUE(h.AnalogCardPresent);
    EXPECT_TRUE(h.CalibrationEnabled);

    const HardwareStatus none = hardwareStatus({0x01, 0xE1});
    EXPECT_FALSE(none.AnalogCardPresent);
    EXPECT_FALSE(none.CalibrationEnabled);
    EXPECT_EQ(none.texts[6], 7);
    EXPECT_EQ(none.digit, QStringLiteral("0"));
}

TEST(StatusBits, RawBytesOfTheAnswer) {
    // Bytes a text decoding would drop (0A, 00) are kept.
    const auto b = statusBytesFromHex(QStringLiteral("0A00"));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->first, 0x0A);
    EXPECT_EQ(b->last, 0x00);
    // One byte: both are the same; more: the first and the last count.
    EXPECT_EQ(statusBytesFromHex(QStringLiteral("2A"))->first, 0x2A);
    EXPECT_EQ(statusBytesFromHex(QStringLiteral("2A"))->last, 0x2A);
    EXPECT_EQ(statusBytesFromHex(QStringLiteral("E5002A"))->last, 0x2A);
    EXPECT_FALSE(statusBytesFromHex(QString()));
    EXPECT_FALSE(statusBytesFromHex(QStringLiteral("0G")));
}

TEST(AnalogOutput, StepsStayWithinTheUnsignedRange) {
    const JogStep up100 = *jogStep(true, 0);
    EXPECT_EQ(up100.code, 3);
    EXPECT_TRUE(jogStaysInRange(65435, up100));
    EXPECT_FALSE(jogStaysInRange(65436, up100));
    // The full-scale value has the same upper bound as the zero value.
    const JogStep fsUp100 = *jogStep(false, 0);
    EXPECT_EQ(fsUp100.code, 7);
    EXPECT_FALSE(jogStaysInRange(65436, fsUp100));
    EXPECT_TRUE(jogStaysInRange(5, *jogStep(true, 3)));
    EXPECT_FALSE(jogStaysInRange(4, *jogStep(false, 3)));
    EXPECT_EQ(jogStep(false, 3)->code, 10);
    EXPECT_TRUE(jogStaysInRange(100, *jogStep(true, 1)));
    EXPECT_FALSE(jogStep(true, 4));

    // Read unsigned: FFFF is the top of the range, not -1.
    EXPECT_EQ(analogValueFromHex(QStringLiteral("FFFF")), 65535);
    EXPECT_EQ(analogValueFromHex(QStringLiteral("0C35")), 3125);
    EXPECT_FALSE(analogValueFromHex(QStringLiteral("0C3")));
}
