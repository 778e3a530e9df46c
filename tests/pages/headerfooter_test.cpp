#include "pages/headerfooter.h"

#include "pages/editorstate.h"
#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(TicketLines, KeysMoveBetweenLinesAndAFullLineHandsTheKeyOn) {
    EXPECT_EQ(headerLineKeyDown(3, keys::Enter), 0);
    EXPECT_EQ(headerLineKeyDown(0, keys::Up), 3);
    EXPECT_EQ(headerLineKeyDown(1, keys::Down), 2);
    EXPECT_EQ(headerLineKeyDown(1, keys::Left), -1);
    EXPECT_EQ(footerLineKeyDown(1, keys::Up), 0);
    EXPECT_EQ(footerLineKeyDown(0, keys::Down), 1);

    struct Case {
        bool header;
        int line;
        int key;
        int length;
        int focus;
        bool drop;
    } cases[] = {
        {true, 1, 'x', 20, 2, true},
        {true, 3, 'x', 20, -1, true},
        {true, 1, 'x', 19, -1, false},
        {true, 0, keys::Backspace, 0, -1, false},
        {true, 2, keys::Backspace, 0, 1, false},
        {false, 0, 'x', 20, 1, true},
        {false, 1, 'x', 20, -1, true},
        {false, 1, keys::Backspace, 0, 0, false},
        {false, 0, keys::Backspace, 0, -1, false},
    };
    for (const Case& c : cases) {
        const LineKeyPress p =
            c.header ? headerLineKeyPress(c.line, c.key, c.length) : footerLineKeyPress(c.line, c.key, c.length);
        EXPECT_EQ(p.focusLine, c.focus) << c.header << c.line << c.key;
        EXPECT_EQ(p.drop, c.drop) << c.header << c.line << c.key;
    }
}

TEST(LabelTextFile, RoundTripKeepsTurkishLettersAndAddsNoLines) {
    // Lines may end in CR LF, a lone CR or a lone LF; the last one needs no line end.
    const QByteArray file = "N\r\nA10,\"\xDE\xDD\xFE\xF0\xFD\"\rB\nP1";
    const QString text = labelTextFromFile(file);
    EXPECT_EQ(text, QStringLiteral("N\r\nA10,\"Şİşğı\"\r\nB\r\nP1\r\n"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("label.txt"));
    ASSERT_TRUE(writeWholeFile(path, labelTextFileBytes(text)));
    EXPECT_EQ(*readWholeFile(path), "N\r\nA10,\"\xDE\xDD\xFE\xF0\xFD\"\r\nB\r\nP1\r\n")
        << "Windows-1254 bytes; no empty line added to a text that ends with its line end";
    EXPECT_EQ(labelTextFromFile(*readWholeFile(path)), text);
    EXPECT_EQ(labelTextFileBytes(QStringLiteral("P1")), "P1\r\n");

    EXPECT_FALSE(readWholeFile(dir.filePath(QStringLiteral("missing.txt"))));
    EXPECT_FALSE(writeWholeFile(dir.filePath(QStringLiteral("no/such/folder/x.txt")), "x"));
}

TEST(LabelTextFile, AnExistingFileIsReplacedOnlyByTheCompleteNewOne) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("label.txt"));
    ASSERT_TRUE(writeWholeFile(path, "OLD TEXT\r\n"));
#ifdef Q_OS_UNIX
    // The new text is written beside the file and then takes its place: a reader of the old file
    // still sees the old text whole, never a file cut short.
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    ASSERT_TRUE(writeWholeFile(path, "NEW\r\n"));
    EXPECT_EQ(old.readAll(), "OLD TEXT\r\n");
#else
    ASSERT_TRUE(writeWholeFile(path, "NEW\r\n"));
#endif
    EXPECT_EQ(*readWholeFile(path), "NEW\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("label.txt")})
        << "nothing left beside it";
}

TEST(LabelTextBox, CountsLineBreaksAsTwoAndTheTagPanelOpensIn37Steps) {
    EXPECT_EQ(labelTextLength(QStringLiteral("ab\ncd")), 6);
    EXPECT_EQ(labelTextLength(QStringLiteral("ab\r\ncd")), 6);
    int width = kTagPanelClosedWidth;
    int ticks = 0;
    for (bool done = false; !done; ++ticks) {
        const TagPanelStep s = tagPanelStep(width);
        width = s.width;
        done = s.done;
    }
    EXPECT_EQ(ticks, 37);
    EXPECT_EQ(width, kTagPanelOpenWidth);
    const BoxPlace beside = labelBoxBesidePanel(240, kTagPanelOpenWidth);
    EXPECT_EQ(beside.left, 2495);
    EXPECT_EQ(beside.width, 8370 - 2495 - 100);
}

} // namespace
