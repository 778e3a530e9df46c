#include "paramset/devicerecords.h"

#include <gtest/gtest.h>

TEST(SetpointValue, ScalesTheTextExactlyOrRefusesIt) {
    // Decimal comma or point alike; products a binary double gets wrong come out exact.
    EXPECT_EQ(setpointValue("12", 2), 1200);
    EXPECT_EQ(setpointValue("12,5", 2), 1250);
    EXPECT_EQ(setpointValue("12.5", 2), 1250);
    EXPECT_EQ(setpointValue("0,29", 2), 29);
    EXPECT_EQ(setpointValue("4.35", 2), 435);
    EXPECT_EQ(setpointValue(" -3,7 ", 1), -37);
    EXPECT_EQ(setpointValue(",5", 1), 5);
    EXPECT_EQ(setpointValue("", 3), 0);
    // A digit beyond the display's decimals would be cut (452,25 sent as 452,2): refused. Zeros there
    // cut nothing.
    EXPECT_FALSE(setpointValue("452,25", 1));
    EXPECT_FALSE(setpointValue("1,005", 2));
    EXPECT_FALSE(setpointValue("1,0001", 2));
    EXPECT_FALSE(setpointValue("-2,5", 0));
    EXPECT_FALSE(setpointValue("3.5", 0));
    EXPECT_EQ(setpointValue("452,20", 1), 4522);
    EXPECT_EQ(setpointValue("-7,000", 0), -7);
    // The record holds 32 signed bits; a longer product is refused, never cut.
    EXPECT_EQ(setpointValue("21474836,47", 2), 2147483647);
    EXPECT_EQ(setpointValue("-21474836,48", 2), -2147483647 - 1);
    EXPECT_FALSE(setpointValue("21474836,48", 2));
    EXPECT_FALSE(setpointValue("99999999", 2));
    EXPECT_FALSE(setpointValue("123456789012345678901234567890", 0));
    for (const char* notANumber : {"12a", "1,2,3", "-", ",", "1 2", "1e3"})
        EXPECT_FALSE(setpointValue(notANumber, 0)) << notANumber;
}

TEST(SetpointRecord, ThreeSignedLongsAndAClosingZero) {
    EXPECT_EQ(setpointRecordData(8, {1200, -1, 0}), "08000004B0FFFFFFFF0000000000");
    EXPECT_EQ(SetPointFormül(-1), 65535);
    EXPECT_EQ(SetPointFormül(-32768), 32768);
    EXPECT_EQ(SetPointFormül(65536), 65536);
}

TEST(IdRecords, FillTheBytesTheFrameAnnounces) {
    const QString record = idRecordData(128, QStringLiteral("  -12 "), QByteArray("ELMA", 4));
    EXPECT_EQ(record.size(), 2 * kIdRecordBytes);
    EXPECT_EQ(record, "80FFFFFFF4454C4D41" + QString(2 * 12, u'0') + "000000");
    EXPECT_EQ(idRecordData(0, QStringLiteral("      "), QByteArray(16, ' ')).mid(2, 8), "00000000");

    // A title: its number, at most 12 characters without NULs, NULs up to 14 bytes.
    EXPECT_EQ(idTitleData(0, QStringLiteral("URUN")), "005552554E" + QString(2 * 9, u'0'));
    EXPECT_EQ(idTitleData(1, QStringLiteral("AB") + QChar(0) + "CDEFGHIJKLMNOP"),
              QStringLiteral("014142434445464748494A4B4C00"));
    EXPECT_EQ(idTitleData(1, QString()), "01" + QString(2 * 13, u'0'));

    EXPECT_EQ(idNumberOfRow(1), 0);
    EXPECT_EQ(idNumberOfRow(2), 1);
    EXPECT_EQ(idNumberOfRow(3), 128);
    EXPECT_EQ(idNumberOfRow(101), 226);
    EXPECT_EQ(selectorData(226), "E200");
}

TEST(IdRecords, EmptyMemoriesAndAnswersWithoutAValueShowNothing) {
    const QChar deg(0x00B0);
    EXPECT_EQ(idMemoryOf(QStringLiteral("A1001") + deg + "ELMA").code, "1001");
    EXPECT_EQ(idMemoryOf(QStringLiteral("A1001") + deg + "ELMA").name, "ELMA");
    for (const QString& empty :
         {QStringLiteral("A0") + deg + "X", QStringLiteral("A-1") + deg + "X", QStringLiteral("A12 no value")}) {
        EXPECT_TRUE(idMemoryOf(empty).code.isEmpty());
        EXPECT_TRUE(idMemoryOf(empty).name.isEmpty());
    }
}

TEST(TicketLines, ReadTheSameWhateverPageIsInView) {
    // A 22-byte line begins with the NUL of the line before.
    EXPECT_EQ(ticketLineText("00414220430A00"), "AB C");
    EXPECT_EQ(bytesText("41000A"), QStringLiteral("A") + QChar(0) + "\n");
}

TEST(LabelText, EndsWithAPrintCommand) {
    const QString crlf = QStringLiteral("\r\n");
    const QString p1 = crlf + "P1" + crlf;
    EXPECT_EQ(EplKontrol("P5"), "P5");
    EXPECT_EQ(EplKontrol("ABC"), "ABC" + p1);
    EXPECT_EQ(EplKontrol("AB" + crlf + "P" + crlf + crlf), "AB" + crlf + "P1" + crlf);
    EXPECT_EQ(EplKontrol("XYP12"), "XYP12");
    EXPECT_EQ(EplKontrol("XP1"), "XP1");
    EXPECT_EQ(EplKontrol("P1x"), "P1x" + p1);
    EXPECT_EQ(EplKontrol("AP"), "AP" + p1);
    EXPECT_EQ(EplKontrol("Ap5"), "Ap5" + p1);
    EXPECT_EQ(EplKontrol(""), p1);
    const QString long998(998, u'A');
    EXPECT_EQ(EplKontrol(long998), long998);

    // What is sent: blanks off both ends (only blanks), the print command, a closing CR LF.
    EXPECT_EQ(labelTextToSend("  \tN P5  "), "\tN P5" + crlf);
    const QStringList pieces = labelTextPieces("0123456789");
    ASSERT_EQ(pieces.size(), 250);
    EXPECT_EQ(pieces[0], "30313233");
    EXPECT_EQ(pieces[2], "38390000");
    EXPECT_EQ(pieces[3], "00000000");
    EXPECT_EQ(pieces[249], "00000000");
}
