#include "link/frames.h"

#include <gtest/gtest.h>

namespace {
const QString kDeg(QChar(0x00B0));

// The data field of a write frame: everything after the byte count, before LRC and CR.
QString dataOf(const QString& frame, bool checksumOn, bool withAddress = false) {
    const int header = 1 + (withAddress ? 2 : 0) + 2 + 4 + 4 + 2;
    return frame.mid(header, frame.size() - header - 1 - (checksumOn ? 2 : 0));
}
} // namespace

TEST(Frames, CommandRegisterWrites) {
    EXPECT_EQ(BuildWriteFrame("", 19, 2, true, "Lg", 19), "@1000130001020013C7\r");
    EXPECT_EQ(BuildWriteFrame("12", 19, 2, true, "Lg", 19), "@0C1000130001020013BB\r");
    EXPECT_EQ(BuildWriteFrame("", 19, 2, false, "Lg", 20), "@1000130001020014\r");
}

TEST(Frames, RegisterReads) {
    EXPECT_EQ(BuildReadFrame("", 199, 10, true), "@0300C7000531\r");
    EXPECT_EQ(BuildReadFrame("12", 199, 10, true), "@0C0300C7000525\r");
    EXPECT_EQ(BuildReadFrame("", 199, 10, false), "@0300C70005\r");
}

TEST(Frames, AddressFieldOnlyForNonZeroAddresses) {
    for (const char* none : {"", "0", "00", " ", "x"}) {
        EXPECT_FALSE(hasAddressField(none)) << none;
        EXPECT_EQ(BuildReadFrame(none, 199, 10, false), "@0300C70005\r") << none;
    }
    EXPECT_EQ(addressField("01"), "01");
    EXPECT_EQ(addressField("10"), "0A");
    EXPECT_EQ(addressField("99"), "63");
    EXPECT_EQ(BuildReadFrame("01", 199, 10, false), "@010300C70005\r");
}

TEST(Frames, Lrc) {
    EXPECT_EQ(Lrc("1000130001020013"), "C7");
    EXPECT_EQ(Lrc("03020064"), "97");
    EXPECT_EQ(Lrc("FF01"), "00"); // a multiple of 256 gives 00, never 100
    EXPECT_EQ(Lrc("80808080"), "00");
    EXPECT_EQ(Lrc(""), "00");
    EXPECT_EQ(Lrc("01F"), "F0");  // a last single digit is a pair of its own: 1 + 15
    EXPECT_EQ(Lrc("1Z0Z"), "FF"); // pairs read up to their first non-hex digit: 1 + 0
    EXPECT_EQ(Lrc("ZZ05"), "FB"); // a pair that starts with a non-hex digit counts 0
    EXPECT_EQ(Lrc("0a"), "F6");
}

TEST(Frames, NumberDataIsBigEndianInCountBytes) {
    EXPECT_EQ(dataOf(BuildWriteFrame("", 100, 1, false, "LG", 300), false), "2C");
    EXPECT_EQ(dataOf(BuildWriteFrame("", 100, 2, false, "LG", -1), false), "FFFF");
    EXPECT_EQ(dataOf(BuildWriteFrame("", 100, 4, false, "LG", -1), false), "FFFFFFFF");
    EXPECT_EQ(dataOf(BuildWriteFrame("", 100, 4, false, "Lg", 1000), false), "000003E8");
    EXPECT_EQ(dataOf(BuildWriteFrame("", 100, 2, false, "lg", 2.5), false), "0002"); // half to even
    EXPECT_EQ(dataOf(BuildWriteFrame("", 100, 2, false, "LG", QStringLiteral("12")), false), "000C");
}

TEST(Frames, HexAndTextData) {
    // Ready hex text goes unchanged whatever its length; the byte count is the caller's.
    EXPECT_EQ(BuildWriteFrame("", 40, 4, false, "By", "ABCDEF0102"), "@10002800020"
                                                                     "4ABCDEF0102\r");
    EXPECT_EQ(dataOf(BuildWriteFrame("", 40, 4, false, "TX", QString::fromUtf16(u"Aış")), false), "41FDFE");
    EXPECT_EQ(dataOf(BuildWriteFrame("", 40, 4, false, "XYZ", "AB"), false), "");
    EXPECT_EQ(BuildWriteFrame("", 40, 4, true, "XYZ", "AB"), "@1000280002"
                                                             "04" +
                                                                 Lrc("100028000204") + "\r");
}

TEST(Frames, IdRecordData) {
    EXPECT_EQ(encodeWriteData("ID", 24, "A"), "4100");
    EXPECT_EQ(encodeWriteData("ID", 24, "A123"), "");
    EXPECT_EQ(encodeWriteData("ID", 24, "B-100" + kDeg + "KAPI"), "42FFFFFF9C4B415049"
                                                                  "0000");
    EXPECT_EQ(encodeWriteData("ID", 24, "C12" + kDeg + QString::fromUtf16(u"ĞÜ")), "430000000CD0DC0000");
}

TEST(Frames, IdHeaderData) {
    EXPECT_EQ(encodeWriteData("IDH", 18, "0"), "0000");
    EXPECT_EQ(encodeWriteData("IDH", 18, "1AB"), "01414200");
    EXPECT_EQ(encodeWriteData("idh", 18, "2"), "0200");
}

TEST(Frames, SetpointData) {
    EXPECT_EQ(encodeWriteData("SPT", 14, "1"), "3100");
    EXPECT_EQ(encodeWriteData("SPT", 14,
                              "1"
                              "10" +
                                  kDeg + "20" + kDeg + "30"),
              "31"
              "0000000A"
              "00000014"
              "0000001E"
              "00");
    // Fractions are rounded half to even; the last value takes a comma or a point, never the
    // host's locale, the first ones are read up to the comma.
    EXPECT_EQ(encodeWriteData("SPT", 14,
                              "2"
                              "12.5" +
                                  kDeg + "13.5" + kDeg + "2,5"),
              "32"
              "0000000C"
              "0000000E"
              "00000002"
              "00");
    EXPECT_EQ(encodeWriteData("SPT", 14,
                              "2"
                              "1,7" +
                                  kDeg + "-1" + kDeg + "3.5"),
              "32"
              "00000001"
              "FFFFFFFF"
              "00000004"
              "00");
    // A text that ends with the separator keeps the record's layout: the missing value is 0.
    EXPECT_EQ(encodeWriteData("SPT", 14,
                              "4"
                              "5" +
                                  kDeg),
              "34"
              "00000005"
              "00000000"
              "00");
}

TEST(Frames, RegisterCountRoundsHalfToEven) {
    EXPECT_EQ(BuildReadFrame("", 1, 1, false), "@0300010000\r");
    EXPECT_EQ(BuildReadFrame("", 1, 3, false), "@0300010002\r");
    EXPECT_EQ(BuildWriteFrame("", 1, 5, false, "BY", ""), "@1000010002"
                                                          "05\r");
}
