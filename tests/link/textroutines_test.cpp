#include "link/textroutines.h"
#include "session/session.h"

#include <gtest/gtest.h>

namespace {
QString s(const char16_t* t) {
    return QString::fromUtf16(t);
}
} // namespace

TEST(TextRoutines, ZeroPadFillsOrCuts) {
    EXPECT_EQ(ZeroPad(4, "C"), "000C");
    EXPECT_EQ(ZeroPad(2, "12C"), "2C");
    EXPECT_EQ(ZeroPad(2, "AB"), "AB");
    EXPECT_EQ(ZeroPad(3, ""), "000");
    EXPECT_EQ(ZeroPad(0, "12"), "");
    EXPECT_EQ(ZeroPad(-1, "12"), "");
}

TEST(TextRoutines, SeparatorsAndPercent) {
    EXPECT_EQ(CommaToPoint("12,5%"), "12.5");
    EXPECT_EQ(PointToComma("1.234.5"), "1,234,5");
    EXPECT_EQ(StripDots("1.234,5"), "12345");
    EXPECT_EQ(StripDots("12,5%"), "125");
    EXPECT_EQ(RemoveSeparators("1.234,5%"), "12345%");
}

TEST(TextRoutines, NulHandling) {
    const QString line = QStringLiteral("FIRMA ADI") + QString(12, QChar(0));
    ASSERT_EQ(line.size(), 21);
    EXPECT_EQ(TrimAtNul(line), "FIRMA ADI");
    EXPECT_TRUE(HasNul(line));
    EXPECT_EQ(TrimAtNul(s(u"Ağırlık")), s(u"Ağırlık"));
    EXPECT_FALSE(HasNul(s(u"Ağırlık")));
    EXPECT_EQ(TrimAtNul(QString(QChar(0)) + "x"), "");
}

TEST(TextRoutines, FormatLikeMaximumFollowsTheMaximumsLayout) {
    EXPECT_EQ(FormatLikeMaximum("1234", 30.009), "01.234");
    EXPECT_EQ(FormatLikeMaximum("-5", 30.009), "-00.005");
    EXPECT_EQ(FormatLikeMaximum("12", 3009.0), "0012");
    EXPECT_EQ(FormatLikeMaximum("1234", std::nullopt), "1234");
    EXPECT_EQ(FormatLikeMaximum("-1.2,3", std::nullopt), "-1.2,3");
    // Longer readings lose their leading digits; separators in the reading are ignored.
    EXPECT_EQ(FormatLikeMaximum("123456", 3009.0), "3456");
    EXPECT_EQ(FormatLikeMaximum("1.234", 30.009), "01.234");
    // Numbers as the decoder gives them, and the maximum taken from the session.
    Session session;
    EXPECT_EQ(FormatLikeMaximum(125.0, session), "125");
    session.DisplayMaximum = 3000.9;
    EXPECT_EQ(FormatLikeMaximum(125.0, session), "0012.5");
    EXPECT_EQ(FormatLikeMaximum(-125.0, session), "-0012.5");
}

TEST(TextRoutines, InsertDecimalCommaByDivisionDecimals) {
    EXPECT_EQ(InsertDecimalComma("12345", "005"), "12,345");
    EXPECT_EQ(InsertDecimalComma("5", "005"), "0,005");
    EXPECT_EQ(InsertDecimalComma("12", "005"), "0,012");
    EXPECT_EQ(InsertDecimalComma("-7", "005"), "-0,007");
    EXPECT_EQ(InsertDecimalComma("123", "0005"), "0,0123");
    EXPECT_EQ(InsertDecimalComma("123", "005"), "0,123");
    EXPECT_EQ(InsertDecimalComma("1234", ""), "1234");
    EXPECT_EQ(InsertDecimalComma("", ""), "");
    Session session;
    session.DivisionDecimals = "5";
    EXPECT_EQ(InsertDecimalComma("-125", session), "-12,5");
}
