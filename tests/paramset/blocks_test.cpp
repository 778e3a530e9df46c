#include "paramset/blocks.h"

#include "app/languagefile.h"
#include "link/frames.h"
#include "pages/gridlayout.h"
#include "paramset/recordcopy.h"
#include "session/session.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// The parameter page of a session with the English texts.
struct Page {
    Page() {
        s.ModelName = QStringLiteral("QM2");
        applyToMessageTables(readLanguageFile(QStringLiteral(VELMORA_SOURCE_DIR "/LANGUAGE/English.txt")), s.messages);
        GridDüzen(GridParameters, grid, s);
    }
    QString cell(int row) const { return grid.TextMatrix(row, 1); }
    QString cfg(int k) const { return s.messages.CfgText[k]; }
    Session s;
    GridPage grid;
};

QString hexOf(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex().toUpper());
}

// A block of n bytes, zero but for the given ones.
QByteArray blockWith(int n, const std::map<int, int>& bytes) {
    QByteArray b(n, '\0');
    for (const auto& [k, v] : bytes)
        b[k] = char(v);
    return b;
}

// The answer the indicator gives to a read of these bytes.
QString answerFor(const QByteArray& data, const QString& address, bool checksumOn) {
    const QString body = addressField(address) + QStringLiteral("03") +
                         QStringLiteral("%1").arg(data.size(), 2, 16, QChar(u'0')).toUpper() + hexOf(data);
    return u'@' + body + (checksumOn ? Lrc(body) : QString()) + u'\r';
}

} // namespace

void PrintTo(const RegisterWrite& w, std::ostream* os) {
    *os << w.firstRegister << "/" << w.byteCount << ":" << w.data.toStdString();
}

TEST(ConfigurationBlock, WorkedExamples) {
    Page p;
    p.grid.setTextMatrix(51, 1, QStringLiteral("kept"));
    const QByteArray block =
        blockWith(100, {{0, 2},     {6, 200},   {8, 3},     {10, 10},   {18, 0xFF}, {19, 0xFF}, {20, 0xFF},
                        {21, 0xF6}, {23, 0x80}, {27, 70},   {35, 2},    {36, 0},    {37, 7},    {40, 0},
                        {42, 3},    {68, 5},    {82, 0xFF}, {83, 0xFE}, {84, 0x7F}, {85, 0xFF}, {92, 255}});
    ASSERT_TRUE(ConfigurationYerleş(hexOf(block), p.grid, p.s));
    EXPECT_FALSE(p.s.param.ConfigFlag0);
    EXPECT_EQ(p.cell(3), p.cfg(2));
    EXPECT_EQ(p.cell(9), u'4' + p.cfg(16).mid(1));
    EXPECT_EQ(p.cell(10), QString()); // tilt code 3 has no text
    EXPECT_EQ(p.s.param.TiltCode, QStringLiteral("3"));
    EXPECT_EQ(p.cell(13), QStringLiteral("0 "));
    EXPECT_EQ(p.s.param.ValueArray[0], -10);
    EXPECT_EQ(p.s.param.ValueArray[1], 2147483648.0);
    EXPECT_EQ(p.cell(21), QStringLiteral("7"));
    EXPECT_EQ(p.cell(27), QString()); // filling code 2 has no text
    EXPECT_EQ(p.cell(29), p.cfg(44));
    EXPECT_EQ(p.cell(30), QStringLiteral("0-1200"));
    EXPECT_EQ(p.cell(31), p.cfg(44));
    EXPECT_EQ(p.cell(33), QStringLiteral("0-NONE"));
    EXPECT_EQ(p.s.param.TextArray[0], QStringLiteral("0-NONE"));
    EXPECT_EQ(p.cell(51), QStringLiteral("kept"));
    EXPECT_EQ(p.s.param.Word78, -2);
    EXPECT_EQ(p.cell(78), QStringLiteral("65534"));
    EXPECT_EQ(p.s.param.Word79, 32767);
    EXPECT_EQ(p.cell(79), QStringLiteral("32767"));
    EXPECT_TRUE(p.s.cal.AnalogOutputIsVoltage);

    // Raw values keep their sign through the display layout.
    p.s.DisplayMaximum = 3000.9;
    ASSERT_TRUE(ConfigurationYerleş(
        hexOf(blockWith(100,
                        {{0, 1}, {6, 4}, {10, 7}, {27, 75}, {18, 0xFF}, {19, 0xFF}, {20, 0xFF}, {21, 0xF6}, {92, 0}})),
        p.grid, p.s));
    EXPECT_TRUE(p.s.param.ConfigFlag0);
    EXPECT_EQ(p.cell(9), u'4' + p.cfg(16).mid(1));
    EXPECT_EQ(p.cell(13), QStringLiteral("7 "));
    EXPECT_EQ(p.cell(21), QStringLiteral("7,5"));
    EXPECT_EQ(p.s.param.ValueArray[0], -10);
    EXPECT_EQ(p.cell(18), QStringLiteral("-0001.0"));
    EXPECT_FALSE(p.s.cal.AnalogOutputIsVoltage);
}

// Choice rows whose byte sits among others: each row takes its own byte and its own list, every
// value of the list and one outside it, while the bytes around it hold a value no list names.
TEST(ConfigurationBlock, ChoiceRowsTakeTheirOwnByteAndList) {
    struct ChoiceRow {
        int byte, row;
        std::map<int, int> texts; // value -> CfgText entry
        int other;
    };
    const ChoiceRow rows[] = {
        {29, 23, {{1, 32}, {2, 33}}, 28},         {55, 45, {{1, 48}, {2, 49}}, 47},
        {70, 57, {{1, 58}, {2, 59}}, 57},         {76, 54, {{1, 54}, {2, 55}, {3, 56}}, 6},
        {77, 55, {{1, 54}, {2, 55}, {3, 56}}, 6},
    };
    const int n = int(std::size(rows));
    for (int t = 0; t < 5; ++t) {
        std::map<int, int> bytes;
        for (int b : {28, 30, 54, 56, 69, 71, 75, 78})
            bytes[b] = 9;
        for (int i = 0; i < n; ++i)
            bytes[rows[i].byte] = (t + i) % 5;
        Page p;
        ASSERT_TRUE(ConfigurationYerleş(hexOf(blockWith(100, bytes)), p.grid, p.s));
        for (int i = 0; i < n; ++i) {
            const int v = (t + i) % 5;
            const auto it = rows[i].texts.find(v);
            EXPECT_EQ(p.cell(rows[i].row), p.cfg(it != rows[i].texts.end() ? it->second : rows[i].other))
                << "row " << rows[i].row << " value " << v;
        }
    }
}

TEST(CalibrationBlock, WorkedExamples) {
    for (const QString& address : {QString(), QStringLiteral("05")}) {
        Page p;
        const QByteArray block = QByteArray::fromHex("FF00050A030F00FF"
                                                     "00000000"
                                                     "00010002"
                                                     "12345678"
                                                     "FFFFFFFF"
                                                     "FFFFFFFE"
                                                     "000003E8"
                                                     "00001F82"
                                                     "FFFFFFFF");
        ASSERT_TRUE(CalibrasyonYerleştir(answerFor(block, address, true), address, true, p.grid, p.s));
        EXPECT_EQ(p.cell(62), p.cfg(1));
        const QStringList bytes = {"5", "10", "3", "15", "0", "255"};
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(p.cell(63 + k), bytes[k]);
        EXPECT_EQ(p.cell(69), QStringLiteral("0   - 0         "));
        EXPECT_EQ(p.cell(70), QStringLiteral("1   - 2         "));
        EXPECT_EQ(p.cell(71), QStringLiteral("4660 - 22136     "));
        EXPECT_EQ(p.cell(72), QStringLiteral("65535 - 65535     "));
        EXPECT_EQ(p.s.param.CalRaw4, -1);
        EXPECT_EQ(p.cell(73), QStringLiteral("-2"));
        EXPECT_EQ(p.cell(74), QStringLiteral("1000"));
        EXPECT_EQ(p.cell(75), QStringLiteral("9,8066"));
        EXPECT_EQ(p.s.param.CalGravity1, 8066);
        EXPECT_EQ(p.cell(76), QStringLiteral("9,-1"));
    }
    EXPECT_EQ(ikile(65535), QStringLiteral("0   - 65535     "));
    EXPECT_EQ(PadText(QStringLiteral("abcdef"), 4, QStringLiteral("O")), QStringLiteral("abcd"));
    EXPECT_EQ(PadText(QStringLiteral("ab"), 5, QStringLiteral("O")), QStringLiteral("  ab"));
    EXPECT_EQ(PadText(QStringLiteral("ab"), 4, QStringLiteral("O")), QStringLiteral(" ab"));
    EXPECT_EQ(PadText(QStringLiteral("ab"), 4, QStringLiteral("X")), QString());
}

// Values from 80000000 to EFFFFFFF are negative like FFFFFFFF: the page shows them as an opened file
// of the same values does, and the write sends the same bytes back.
TEST(CalibrationBlock, LongValuesAreSignedAsInTheFile) {
    const QByteArray block = QByteArray::fromHex("0000000000000000"
                                                 "80000000"
                                                 "EFFFFFFF"
                                                 "9ABCDEF0"
                                                 "7FFFFFFF"
                                                 "80000001"
                                                 "C0000000"
                                                 "EFFFFFFF"
                                                 "A0000000");
    const qint32 values[] = {qint32(0x80000000), qint32(0xEFFFFFFF), qint32(0x9ABCDEF0), 0x7FFFFFFF,
                             qint32(0x80000001), qint32(0xC0000000), qint32(0xEFFFFFFF), qint32(0xA0000000)};
    Page read;
    ASSERT_TRUE(CalibrasyonYerleştir(answerFor(block, QString(), false), QString(), false, read.grid, read.s));
    EXPECT_EQ(read.cell(73), QStringLiteral("-2147483647"));
    EXPECT_EQ(read.cell(74), QStringLiteral("-1073741824"));
    EXPECT_EQ(read.cell(75), QStringLiteral("9,-268435457"));
    EXPECT_EQ(read.s.param.CalRaw1, -2147483648LL);
    EXPECT_EQ(read.s.param.CalGravity2, -1610612736LL);

    Page opened;
    ParameterSet record;
    auto& cal = record.CalibrationSection;
    qint32* members[] = {&cal.CalRaw1Value,  &cal.CalRaw2Value,   &cal.CalRaw3Value,     &cal.CalRaw4Value,
                         &cal.Param800Value, &cal.CalWord74Value, &cal.CalGravity1Value, &cal.CalGravity2Value};
    for (int k = 0; k < 8; ++k)
        *members[k] = values[k];
    ParametreOku(record, opened.grid, opened.s);
    for (int row = 69; row <= 76; ++row)
        EXPECT_EQ(read.cell(row), opened.cell(row)) << row;
    EXPECT_EQ(read.s.param.CalRaw2, opened.s.param.CalRaw2);
    EXPECT_EQ(read.s.param.CalGravity1, opened.s.param.CalGravity1);

    QString sent;
    for (const RegisterWrite& w : calibrationWrites(read.grid, read.s.param).writes)
        sent += w.data;
    EXPECT_EQ(sent.mid(16, 32), hexOf(block.mid(8, 16)));
    EXPECT_EQ(sent.mid(48), hexOf(block.mid(28, 12))) << "row 74 and the gravity values";
}

// An answer that is not exactly the block asked for is a failed read: nothing of it reaches the
// page or the working values.
TEST(BlockAnswers, ShortShiftedOrErrorAnswersDecodeNothing) {
    const QByteArray cal = blockWith(40, {{0, 1}, {2, 24}, {11, 9}, {35, 7}});
    const QByteArray half = blockWith(50, {{0, 1}, {49, 0x4F}});
    for (const QString& address : {QString(), QStringLiteral("12")}) {
        for (bool checksumOn : {false, true}) {
            const QString good = answerFor(cal, address, checksumOn);
            QString wrongLrc = good;
            if (checksumOn)
                wrongLrc[wrongLrc.size() - 2] = wrongLrc[wrongLrc.size() - 2] == u'0' ? u'1' : u'0';
            const QStringList bad = {
                QString(),
                u'@' + addressField(address) + QStringLiteral("8302") + u'\r', // error answer
                good.left(good.size() - 3) + u'\r',                            // a digit short
                good.left(good.size() - 1) + QStringLiteral("0\r"),            // a digit too many
                answerFor(cal.left(39), address, checksumOn),                  // a byte short, counted
                answerFor(cal, address, !checksumOn),                          // LRC missing or extra
                wrongLrc,
                QString(good).replace(addressField(address).size() + 1, 2, QStringLiteral("04")), // function
                QString(good).replace(addressField(address).size() + 3, 2, QStringLiteral("27")), // count
            };
            for (const QString& answer : bad) {
                if (answer == good)
                    continue;
                Page p;
                const GridPage before = p.grid;
                EXPECT_FALSE(CalibrasyonYerleştir(answer, address, checksumOn, p.grid, p.s)) << answer.toStdString();
                EXPECT_EQ(p.grid.revision(), before.revision());
                EXPECT_EQ(p.s.param.CalRaw2, 0);
                QString half1 = answer;
                EXPECT_FALSE(ConfigurationYerleştir(half1, address, checksumOn));
                EXPECT_EQ(half1, answer);
            }
            Page p;
            ASSERT_TRUE(CalibrasyonYerleştir(good, address, checksumOn, p.grid, p.s));
            EXPECT_EQ(p.s.param.CalRaw1, 9);
            QString first = answerFor(half, address, checksumOn);
            ASSERT_TRUE(ConfigurationYerleştir(first, address, checksumOn));
            EXPECT_EQ(first, hexOf(half));
        }
    }
    Page p;
    EXPECT_FALSE(ConfigurationYerleş(QString(199, u'0'), p.grid, p.s));
    EXPECT_FALSE(ConfigurationYerleş(QString(198, u'0') + QStringLiteral("0G"), p.grid, p.s));
    EXPECT_EQ(p.grid.revision(), Page().grid.revision());
}

TEST(BlockWrites, CellsAndValuesBecomeTheWrittenBytes) {
    Page p;
    p.grid.setTextMatrix(3, 1, QStringLiteral("1- Legal for trade"));
    p.grid.setTextMatrix(4, 1, QStringLiteral("Off")); // no leading number
    p.grid.setTextMatrix(5, 1, QStringLiteral("300")); // more than a byte
    p.grid.setTextMatrix(10, 1, QStringLiteral("2- Block weighing"));
    p.grid.setTextMatrix(11, 1, QStringLiteral("1- On"));
    const BlockWrites jmp = configJmpWrites(p.grid);
    EXPECT_EQ(jmp.writes, QList<RegisterWrite>{(RegisterWrite{149, 10, QStringLiteral("01002C00000000010200")})});
    EXPECT_EQ(jmp.rowsOutOfByteRange, QList<int>{5});

    p.s.param.ValueArray = {-1, 2147483648.0, 500, 0, 0, 0};
    p.s.param.Word78 = 65535;
    p.s.param.Word79 = -1;
    p.grid.setTextMatrix(19, 1, QStringLiteral("5"));
    p.grid.setTextMatrix(21, 1, QStringLiteral("7,5"));
    p.grid.setTextMatrix(60, 1, QStringLiteral("12"));
    BlockWrites nrm = configNrmWrites(p.grid, p.s.param);
    const QList<RegisterWrite> expected = {
        {154, 12,
         QStringLiteral("0000000000000000"
                        "FFFFFFFF")},
        {160, 14, QStringLiteral("05800000004B0000000000000000")},
        {167, 8, QStringLiteral("0000000000010000")},
        {171, 8, QStringLiteral("0000000000010000")},
        {175, 8, QStringLiteral("0000000000010000")},
        {179, 8, QStringLiteral("0005000000010000")},
        {183, 14,
         QStringLiteral("00000000"
                        "000001F4"
                        "00000000"
                        "0C00")},
        {190, 4, QStringLiteral("FFFFFFFF")},
    };
    EXPECT_EQ(nrm.writes, expected);
    EXPECT_FALSE(nrm.row21Text);
    // Row 21 outside 5..9.9 is brought to the nearer end; the byte is that of the new text.
    for (const auto& [typed, shown, byte] : {std::tuple{"4,9", "5", "32"}, {"5", "5", "32"}, {"12", "9,9", "63"}}) {
        p.grid.setTextMatrix(21, 1, QString::fromLatin1(typed));
        nrm = configNrmWrites(p.grid, p.s.param);
        EXPECT_EQ(nrm.row21Text, QString::fromLatin1(shown));
        EXPECT_EQ(nrm.writes[1].data.mid(10, 2), QLatin1String(byte));
    }

    p.grid.setTextMatrix(62, 1, p.cfg(1));
    p.grid.setTextMatrix(63, 1, QStringLiteral("24"));
    p.grid.setTextMatrix(74, 1, QStringLiteral("-7"));
    p.s.param.CalRaw1 = 123456;
    p.s.param.CalRaw3 = 2147483648LL;
    p.s.param.CalRaw4 = -2;
    p.s.param.CalGravity1 = 80665;
    const QList<RegisterWrite> cal = {
        {128, 20,
         QStringLiteral("0100180000000000"
                        "0001E240"
                        "00000000"
                        "80000000")},
        {138, 4, QStringLiteral("FFFFFFFE")},
        {142, 12,
         QStringLiteral("FFFFFFF9"
                        "00013B19"
                        "00000000")},
    };
    EXPECT_EQ(calibrationWrites(p.grid, p.s.param).writes, cal);
}

TEST(ClockRecord, PayloadFromTheRowOneText) {
    EXPECT_EQ(ClockPayload(QStringLiteral("14-12-07 \\ 09:05:30 \\ Friday")), QStringLiteral("3005090014120700"));
    EXPECT_EQ(ClockPayload(QStringLiteral("14-12-07 \\ 09:05:30")), QStringLiteral("3005090014120700"));
    for (const char* text : {"", "14-12-07 \\ 09:05:3", "14-12-07 \\ 09:05:", "14-12-07", "14-1a-07 \\ 09:05:30",
                             "14-12-07 \\ 09:05:3 \\ Friday"})
        EXPECT_FALSE(ClockPayload(QString::fromLatin1(text))) << text;
}
