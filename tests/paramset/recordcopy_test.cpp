#include "paramset/recordcopy.h"

#include "pages/gridpage.h"

#include <gtest/gtest.h>

TEST(TicketLines, AlignedToTwentyCharactersAndANul) {
    auto line = [](const char* text, bool centred) { return ticketLine(QString::fromLatin1(text), centred).text(); };
    const QString nul(1, QChar(0));
    EXPECT_EQ(line("ABCDE", true), QString(8, u' ') + "ABCDE" + QString(7, u' ') + nul);
    EXPECT_EQ(line("ABCDEF", true), QString(7, u' ') + "ABCDEF" + QString(7, u' ') + nul);
    EXPECT_EQ(line("ABCDEFG", true), QString(6, u' ') + "ABCDEFG" + QString(7, u' ') + nul);
    EXPECT_EQ(line("ABCDE", false), "ABCDE" + QString(15, u' ') + nul);
    EXPECT_EQ(line("", true), QString(20, u' ') + nul);
    EXPECT_EQ(line("ABCDEFGHIJKLMNOPQRSTUVW", true), QStringLiteral("ABCDEFGHIJKLMNOPQRSTU"));

    EXPECT_EQ(AlignText(6, QStringLiteral("ab"), QStringLiteral("SAG")), QStringLiteral("    ab"));
    EXPECT_EQ(AlignText(6, QStringLiteral("abcde"), QStringLiteral("ORTA")), QStringLiteral("abcde "));
    EXPECT_EQ(AlignText(3, QStringLiteral("abcde"), QStringLiteral("SOL")), QStringLiteral("abcde"));
    EXPECT_EQ(AlignText(6, QStringLiteral("ab"), QStringLiteral("sag")), QString());
}

// A page one row longer than the ID table: the copy stops at the table's end, and the titles the
// record keeps behind it are never written over.
TEST(MemoryPages, IdCopyLeavesTheTitlesBehindTheTable) {
    GridPage ids;
    ids.setRows(IdMemoryFields::kCount + 2);
    ids.setCols(3);
    for (int r = 1; r < ids.Rows(); ++r) {
        ids.setTextMatrix(r, 1, QString::number(r));
        ids.setTextMatrix(r, 2, QStringLiteral("NAME %1").arg(r));
    }
    ParameterSet titled;
    titled.IdMemoryTable.IdTitles[0].assign(QStringLiteral("PRODUCT"));
    titled.IdMemoryTable.IdTitles[1].assign(QStringLiteral("CUSTOMER"));
    const auto titles = titled.IdMemoryTable.IdTitles;
    idMemoriesToRecord(titled, ids);
    EXPECT_TRUE(titled.IdMemoryTable.IdTitles == titles);
    EXPECT_EQ(titled.IdMemoryTable.IdCodes[0].text(), QStringLiteral("1     "));
    EXPECT_EQ(titled.IdMemoryTable.IdTexts[100].text(), QStringLiteral("NAME 101        "));
}

// Pages with more rows than the record's tables stop at the tables' ends.
TEST(MemoryPages, CopiesStopAtTheEndOfTheTables) {
    GridPage big;
    big.setRows(300);
    big.setCols(4);
    for (int r = 0; r < 300; ++r)
        for (int c = 1; c < 4; ++c)
            big.setTextMatrix(r, c, QString::number(r));
    ParameterSet record;
    SetpointKaydı(record, big);
    PDaraKaydı(record, big);
    idMemoriesToRecord(record, big);
    EXPECT_EQ(record.SetpointTable.Setpoint3[9].text(), QStringLiteral("10"));
    EXPECT_EQ(record.PresetTareTable.Tares[99], 100);
    EXPECT_EQ(record.IdMemoryTable.IdCodes[100].text(), QStringLiteral("101   "));
    SetpointOku(record, big);
    PDaraOku(record, big);
    idMemoriesFromRecord(record, big);
    EXPECT_EQ(big.TextMatrix(10, 3), QStringLiteral("10"));
    EXPECT_EQ(big.TextMatrix(11, 3), QStringLiteral("11"));
    EXPECT_EQ(big.TextMatrix(101, 1), QStringLiteral("101   "));
    EXPECT_EQ(big.TextMatrix(102, 1), QStringLiteral("102"));
}
