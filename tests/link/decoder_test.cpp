#include "link/decoder.h"
#include "link/frames.h"
#include "session/session.h"

#include <gtest/gtest.h>

namespace {
const QChar kDeg(0x00B0);

// A read answer as the indicator frames it: "@" [address] "03" byte count data [LRC] CR.
QString answerOf(const QString& data, const QString& address = QString(), bool checksumOn = true) {
    const QString body =
        addressField(address) + "03" + QString("%1").arg(data.size() / 2, 2, 16, QChar('0')).toUpper() + data;
    return "@" + body + (checksumOn ? Lrc(body) : QString()) + "\r";
}

struct DecoderTest : ::testing::Test {
    Session session;
    QStringList logged;
    LogSink sink = [this](const QString& e) { logged << e; };

    AnswerValue decode(const QString& answer, const QString& kind, const QString& address = QString(),
                       bool checksumOn = true) {
        return DecodeAnswer(answer, kind, address, checksumOn, session, sink);
    }
};
} // namespace

TEST_F(DecoderTest, NumberWithAndWithoutChecksum) {
    auto v = decode("@0302006497\r", "LG");
    ASSERT_TRUE(v.isNumber());
    EXPECT_EQ(v.toNumber(), 100);
    EXPECT_EQ(decode("@03020064\r", "LG", "", false).toNumber(), 100);
    EXPECT_EQ(decode(answerOf("FFFFFF9C", "12"), "LG", "12").toNumber(), -100);
    EXPECT_EQ(decode(answerOf("FFFF", "00"), "LG", "00").toText(), "-1");
    EXPECT_EQ(decode(answerOf("03E8"), "LG", "0").toNumber(), 1000); // "0" gives no address field either
    EXPECT_TRUE(logged.isEmpty());
}

TEST_F(DecoderTest, WrongChecksumIsLoggedOnceAndTheDataUsed) {
    EXPECT_EQ(decode("@0302006498\r", "LG").toNumber(), 100);
    ASSERT_EQ(logged.size(), 1);
    EXPECT_EQ(logged[0], QString::fromUtf16(u" - [000]-[0001]--- CHKSum Hatası..."));
    // With an address, the address characters are part of the checked body.
    QString withAddress = answerOf("000003E8", "5");
    withAddress[1] = '6';
    EXPECT_EQ(decode(withAddress, "LG", "5").toNumber(), 1000);
    ASSERT_EQ(logged.size(), 2);
    EXPECT_EQ(logged[1], QString::fromUtf16(u" - [000]-[0002]--- CHKSum Hatası..."));
}

// The whole-answer checks take only the exact answer; a wrong checksum on an answer of the right
// length is logged where it is found, anything else that fails is not a checksum matter.
TEST_F(DecoderTest, WholeAnswerChecksLogAWrongChecksumOnly) {
    EXPECT_TRUE(writeAcknowledged("@100001EF\r", "", true, 2, sink));
    EXPECT_TRUE(writeAcknowledged("@100001\r", "00", false, 2, sink));
    EXPECT_TRUE(writeAcknowledged("@0710000CDD\r", "7", true, 24, sink));
    EXPECT_FALSE(writeAcknowledged("@10000\r", "", false, 2, sink));   // short
    EXPECT_FALSE(writeAcknowledged("@1000", "", false, 2, sink));      // no end
    EXPECT_FALSE(writeAcknowledged("@100002EE\r", "", true, 2, sink)); // another count
    EXPECT_FALSE(writeAcknowledged("@100001EF\r", "07", true, 2, sink));
    EXPECT_FALSE(writeAcknowledged("@0780040471\r", "07", true, 2, sink)); // refused
    EXPECT_FALSE(writeAcknowledged("@100001EE\r", "", false, 2, sink));    // a checksum where none is expected
    EXPECT_TRUE(logged.isEmpty());
    EXPECT_FALSE(writeAcknowledged("@100001EE\r", "", true, 2, sink));
    ASSERT_EQ(logged.size(), 1);
    EXPECT_EQ(logged[0], QString::fromUtf16(u" - [000]-[0001]--- CHKSum Hatası..."));

    logged.clear();
    EXPECT_EQ(blockAnswerData(answerOf("0102030405060708"), QString(), true, 8, sink), "0102030405060708");
    EXPECT_EQ(blockAnswerData(answerOf("0A0B", "12"), "12", true, 2, sink), "0A0B");
    EXPECT_EQ(blockAnswerData(answerOf("abcd", "", false), "", false, 2, sink), "ABCD");
    EXPECT_FALSE(blockAnswerData(answerOf("0A0B"), "", true, 4, sink));            // another length
    EXPECT_FALSE(blockAnswerData(answerOf("0A0B").chopped(1), "", true, 2, sink)); // no CR
    EXPECT_FALSE(blockAnswerData("@8\r", "", true, 2, sink));
    EXPECT_FALSE(blockAnswerData(answerOf("0A0B", "12"), "", true, 3, sink)); // shifted by the address
    EXPECT_TRUE(logged.isEmpty());
    QString wrong = answerOf("00000064", "5");
    wrong[8] = '1'; // a data digit, so the LRC no longer fits
    EXPECT_FALSE(blockAnswerData(wrong, "5", true, 4, sink));
    ASSERT_EQ(logged.size(), 1);
    EXPECT_EQ(logged[0], QString::fromUtf16(u" - [000]-[0002]--- CHKSum Hatası..."));
    EXPECT_FALSE(blockAnswerData(wrong, "5", true, 4)); // no log given: nothing to tell
    EXPECT_EQ(logged.size(), 1);
}

TEST_F(DecoderTest, NotAFrameGivesNoValue) {
    EXPECT_TRUE(decode("", "LG").isEmpty());
    EXPECT_TRUE(decode("0302006497\r", "LG").isEmpty());
    EXPECT_TRUE(decode("@0302006497\r", "lg").isEmpty()); // kinds compare exactly
    EXPECT_TRUE(decode("@0302006497\r", "Nope").isEmpty());
    EXPECT_TRUE(decode("@0C03", "LG", "12").isEmpty()); // shorter than the header
    EXPECT_TRUE(logged.isEmpty());
    EXPECT_EQ(AnswerValue().toText(), "");
    EXPECT_EQ(AnswerValue().toNumber(), 0);
}

TEST_F(DecoderTest, TextFilteredByThePageInView) {
    const QString answer = answerOf("410A0042");
    session.ReadSelector = 3;
    EXPECT_EQ(decode(answer, "Tx").toText(), QString("A") + QChar(0) + "B");
    session.ReadSelector = 0;
    EXPECT_EQ(decode(answer, "Tx").toText(), "AB");
    session.ReadSelector = 6;
    EXPECT_EQ(decode(answer, "Tx").toText(), QString("A\n") + QChar(0) + "B");
    session.ReadSelector = 0;
    EXPECT_EQ(decode(answer, "Tx1").toText(), QString("A\n") + QChar(0) + "B");
    EXPECT_EQ(decode(answerOf("514D32DDFD"), "Tx").toText(), QString::fromUtf16(u"QM2İı"));
    // The pairs are compared as written: a lower-case "0a" is no line feed pair and stays.
    session.ReadSelector = 3;
    EXPECT_EQ(decode(answerOf("410a42"), "Tx").toText(), "A\nB");
}

TEST_F(DecoderTest, EmptyDataGivesOneNulCharacter) {
    EXPECT_EQ(decode("@0300\r", "Tx1", "", false).toText(), QString(QChar(0)));
    EXPECT_EQ(decode("@03", "Tx1", "", false).toText(), QString(QChar(0)));
}

TEST_F(DecoderTest, IdRecordsTitlesAndSetpointsRoundTrip) {
    // What the writer encodes, the reader gives back.
    const QString id = "B-100" + QString(kDeg) + "KAPI 1          ";
    const QString idData = encodeWriteData("ID", 24, id);
    EXPECT_EQ(decode(answerOf(idData), "ID").toText(), id);
    // Names are cut to 16 characters.
    EXPECT_EQ(decode(answerOf("41"
                              "0000000C"
                              "414243444546474849505152535455565758"),
                     "ID")
                  .toText(),
              "A12" + QString(kDeg) + "ABCDEFGHIPQRSTUV");
    EXPECT_EQ(decode(answerOf(encodeWriteData("IDH", 18, "1AB")), "IDB").toText(), QString("AB") + QChar(0));
    EXPECT_EQ(decode(answerOf("31"
                              "0000000A"
                              "FFFFFFFF"
                              "7FFFFFFF"
                              "00"),
                     "STP")
                  .toText(),
              "10" + QString(kDeg) + "-1" + QString(kDeg) + "2147483647");
    const QString setpoint = encodeWriteData("SPT", 14,
                                             "1"
                                             "500" +
                                                 QString(kDeg) + "-20" + QString(kDeg) + "7");
    EXPECT_EQ(decode(answerOf(setpoint), "STP").toText(), "500" + QString(kDeg) + "-20" + QString(kDeg) + "7");
}

TEST_F(DecoderTest, ClockRecordSetsTheDaySuffix) {
    session.messages.DayNames = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    EXPECT_EQ(decode(answerOf("3015120224051900"), "Tarih").toText(), "24-05-19 \\ 12:15:30");
    EXPECT_EQ(session.DayNameSuffix, " \\ Wednesday");
    decode(answerOf("0000000924051900"), "Tarih");
    EXPECT_EQ(session.DayNameSuffix, " \\ ");
}

TEST_F(DecoderTest, HexKindGivesTheDataDigits) {
    EXPECT_EQ(decode(answerOf("00FF10AB"), "Hex").toText(), "00FF10AB");
    EXPECT_EQ(decode("@0C0304000102AB\r", "Hex", "12", false).toText(), "000102AB");
}

TEST(HexToNumber, SignAndWidth) {
    EXPECT_EQ(HexToNumber("FFFF"), -1);
    EXPECT_EQ(HexToNumber("FFFFFFFF"), -1);
    EXPECT_EQ(HexToNumber("FFFFFF9C"), -100);
    EXPECT_EQ(HexToNumber("00FF"), 255);
    EXPECT_EQ(HexToNumber("FF"), 255);
    EXPECT_EQ(HexToNumber("0FFFF"), 65535);
    EXPECT_EQ(HexToNumber("80000000"), 2147483648.0);
    EXPECT_EQ(HexToNumber("ffff"), 65535); // only an upper-case F marks the sign
    EXPECT_EQ(HexToNumber("12,5"), 18);
    EXPECT_EQ(HexToNumber("1G"), 16);
    EXPECT_FALSE(HexToNumber("").has_value());
}

TEST(DayCodeName, BothDirections) {
    QVector<QString> names = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    EXPECT_EQ(DayCodeName("00", names), "Mon");
    EXPECT_EQ(DayCodeName("06", names), "Sun");
    EXPECT_EQ(DayCodeName(QString::fromUtf16(u"Salı"), names), "01");
    EXPECT_EQ(DayCodeName(QString::fromUtf16(u"Çarşamba"), names), "02");
    EXPECT_EQ(DayCodeName("Pazar", names), "06");
    EXPECT_EQ(DayCodeName("07", names), "");
    EXPECT_EQ(DayCodeName("0", names), "");
    EXPECT_EQ(DayCodeName("pazar", names), "");
}

TEST(ErrorAnswer, WithAndWithoutAddress) {
    EXPECT_TRUE(isErrorAnswer("", ""));
    EXPECT_TRUE(isErrorAnswer("@8302\r", ""));
    EXPECT_TRUE(isErrorAnswer("@8302\r", "05"));
    EXPECT_FALSE(isErrorAnswer("@0302006497\r", ""));
    EXPECT_TRUE(isErrorAnswer("@05830242\r", "05"));
    EXPECT_FALSE(isErrorAnswer("@05830242\r", "00")); // no address field: position 4 is data
    EXPECT_FALSE(isErrorAnswer("@050302006492\r", "05"));
    EXPECT_FALSE(isErrorAnswer("@05", "05"));
    EXPECT_FALSE(isErrorAnswer("@9302\r", ""));
}

TEST(IdentifiedModel, OnlyARealAnswerNamesAModel) {
    const QString request = BuildReadFrame("", 199, 10, true);
    EXPECT_EQ(identifiedModel("@03..", request, "QM2 v1.23 ", ""), QString("QM2"));
    EXPECT_EQ(identifiedModel("", request, "", ""), std::nullopt);
    EXPECT_EQ(identifiedModel("@83", request, "", ""), std::nullopt);
    EXPECT_EQ(identifiedModel("@0583", request, "QM2", "05"), std::nullopt);
    EXPECT_EQ(identifiedModel(request, request, "QM2", ""), std::nullopt);
    EXPECT_EQ(identifiedModel("@03..", request, "QM", ""), std::nullopt);
    EXPECT_EQ(identifiedModel("@03..", request, "   v1", ""), std::nullopt);
    EXPECT_EQ(identifiedModel("@03..", request, QString("QM") + QChar(0) + "v", ""), std::nullopt);
}
