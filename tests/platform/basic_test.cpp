#include "platform/basic.h"
#include "platform/cp1254.h"

#include <gtest/gtest.h>

using namespace basic;

TEST(Val, ReadsTheLeadingNumberAndSkipsBlanks) {
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("12,5")), 12);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral(" 1 2.5x")), 12.5);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("\t\n-1\t2\n.\t5 E\n1x")), -125); // tabs and line feeds are blanks too
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("\t&H\n1 F")), 31);               // inside a hex number as well
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("1\r2")), 1);                     // a carriage return ends the number
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("-7")), -7);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("3-9600")), 3);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("abc")), 0);
    EXPECT_DOUBLE_EQ(Val(QString()), 0);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("1E3")), 1000);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("2e")), 2);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral(".5")), 0.5);
}

TEST(Val, ReadsHexAndOctalForms) {
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("&HFF")), 255);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("&HFFFF")), -1);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("&H1FFFF")), 131071);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("&HFFFFFFFF")), -1);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("&hc")), 12);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("&O17")), 15);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("&HZ")), 0);
}

TEST(Conversions, RoundHexIntStr) {
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(Hex(300), QStringLiteral("12C"));
    EXPECT_EQ(Hex(-1), QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(Hex(-100), QStringLiteral("FFFFFF9C"));
    EXPECT_EQ(Hex(2.5), QStringLiteral("2"));
    EXPECT_EQ(Hex(0), QStringLiteral("0"));
    EXPECT_EQ(Int(-2.5), -3);
    EXPECT_EQ(Int(2.9), 2);
    EXPECT_EQ(Str(1.5), QStringLiteral("1.5"));
    EXPECT_EQ(Str(-7), QStringLiteral("-7"));
    EXPECT_EQ(Str(0.15), QStringLiteral("0.15"));
    EXPECT_EQ(Str(1e16), QStringLiteral("1E+16"));
    EXPECT_EQ(Str(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(Mid(QStringLiteral("abcdef"), 2, 3), QStringLiteral("bcd"));
    EXPECT_EQ(Mid(QStringLiteral("abc"), 9, 3), QString());
    EXPECT_EQ(Right(QStringLiteral("abc"), 5), QStringLiteral("abc"));
}

TEST(CodePage, TurkishLettersAndEveryByteRoundTrip) {
    EXPECT_EQ(cp1254::decode(QByteArray("\xDD\xFD\xDE\xFE\xD0\xF0")), QStringLiteral("İıŞşĞğ"));
    EXPECT_EQ(cp1254::toCode(QChar(0x20AC)), 0x80);
    EXPECT_EQ(cp1254::toCode(QChar(0x0394)), '?'); // Greek capital delta is not in the page
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    EXPECT_EQ(cp1254::encode(cp1254::decode(all)), all);
}
