#include "app/languagefile.h"
#include "platform/cp1254.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <utility>
#include <vector>

namespace {

// n lines "<prefix><line number>", each ended by CR LF.
QByteArray numberedFile(int n, const QString& prefix) {
    QByteArray bytes;
    for (int i = 1; i <= n; ++i)
        bytes += cp1254::encode(prefix + QString::number(i)) + "\r\n";
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

struct TableRef {
    const char* name;
    MessageTables::Range range;
    QVector<QString> MessageTables::*table;
};

const std::vector<TableRef>& allTables() {
    static const std::vector<TableRef> tables = {
        {"GridHeadText", MessageTables::kGridHeadText, &MessageTables::GridHeadText},
        {"GridText", MessageTables::kGridText, &MessageTables::GridText},
        {"CfgText", MessageTables::kCfgText, &MessageTables::CfgText},
        {"StatusText", MessageTables::kStatusText, &MessageTables::StatusText},
        {"StepText", MessageTables::kStepText, &MessageTables::StepText},
        {"SpareText", MessageTables::kSpareText, &MessageTables::SpareText},
        {"NoticeText", MessageTables::kNoticeText, &MessageTables::NoticeText},
        {"WriteText", MessageTables::kWriteText, &MessageTables::WriteText},
        {"ErrorText", MessageTables::kErrorText, &MessageTables::ErrorText},
        {"DayNames", MessageTables::kDayNames, &MessageTables::DayNames},
        {"MsgText", MessageTables::kMsgText, &MessageTables::MsgText},
        {"CalibText", MessageTables::kCalibText, &MessageTables::CalibText},
        {"ModelText", MessageTables::kModelText, &MessageTables::ModelText},
        {"ExtraText", MessageTables::kExtraText, &MessageTables::ExtraText},
    };
    return tables;
}

TEST(LanguageFileParse, SplitsOnCrLfAndLoneCrAndKeepsTextsAsTheyStand) {
    const LanguageLines file = parseLanguageBytes(QByteArray("  a \r\n\r\nb\rc\nd\r\n\xDD\xFE\xF0\xB1"));
    ASSERT_TRUE(file.loaded());
    EXPECT_EQ(file.lines, (QStringList{QStringLiteral("  a "), QString(), QStringLiteral("b"), QStringLiteral("c\nd"),
                                       QStringLiteral("İşğ±")}));
    EXPECT_FALSE(file.extraLinesIgnored);
    EXPECT_EQ(file.line(1), QStringLiteral("  a "));
    EXPECT_EQ(file.line(2), QString());
    EXPECT_FALSE(file.line(6).has_value());
    EXPECT_FALSE(file.line(0).has_value());
}

TEST(LanguageFileParse, AFinalLineEndAddsNoEmptyLineAndAnEmptyFileHasNoLines) {
    EXPECT_EQ(parseLanguageBytes("a\r\n").lines, QStringList{QStringLiteral("a")});
    EXPECT_EQ(parseLanguageBytes("a\r").lines, QStringList{QStringLiteral("a")});
    EXPECT_EQ(parseLanguageBytes("a\r\n\r\n").lines, (QStringList{QStringLiteral("a"), QString()}));
    const LanguageLines empty = parseLanguageBytes(QByteArray());
    EXPECT_TRUE(empty.loaded());
    EXPECT_TRUE(empty.lines.isEmpty());
}

TEST(LanguageFileParse, LinesPastTheLastPlaceAreDroppedAndTheRestLoads) {
    const LanguageLines exact = parseLanguageBytes(numberedFile(418, QStringLiteral("L")));
    EXPECT_EQ(exact.lines.size(), 418);
    EXPECT_FALSE(exact.extraLinesIgnored);

    const LanguageLines longer = parseLanguageBytes(numberedFile(419, QStringLiteral("L")));
    ASSERT_TRUE(longer.loaded());
    EXPECT_TRUE(longer.extraLinesIgnored);
    EXPECT_EQ(longer.lines.size(), 418);
    EXPECT_EQ(longer.line(418), QStringLiteral("L418"));
    MessageTables tables;
    applyToMessageTables(longer, tables);
    EXPECT_EQ(tables.ExtraText[50], QStringLiteral("L418"));

    // An unterminated 419th line is a line all the same.
    const LanguageLines tail = parseLanguageBytes(numberedFile(418, QStringLiteral("L")) + "x");
    EXPECT_TRUE(tail.extraLinesIgnored);
    EXPECT_EQ(tail.lines.size(), 418);
}

TEST(LanguageFileTables, ACompleteFileFillsEveryElementFromItsLine) {
    MessageTables tables;
    applyToMessageTables(parseLanguageBytes(numberedFile(418, QStringLiteral("L"))), tables);
    for (const TableRef& t : allTables()) {
        const QVector<QString>& table = tables.*(t.table);
        ASSERT_EQ(table.size(), t.range.size) << t.name;
        for (int k = 0; k < table.size(); ++k) {
            const int line = t.range.firstLine + k;
            const QString expected = line <= t.range.lastLine ? QStringLiteral("L%1").arg(line) : QString();
            EXPECT_EQ(table[k], expected) << t.name << "(" << k << ")";
        }
    }
    EXPECT_EQ(tables.ClearBoxTitle, QStringLiteral("L57"));
    EXPECT_EQ(tables.MsgText[8], QStringLiteral("L329"));
    EXPECT_EQ(tables.ExtraText[50], QStringLiteral("L418"));
    EXPECT_TRUE(tables.GridText[97].isEmpty()); // room beyond the last line stays empty
}

TEST(LanguageFileTables, AShorterFileKeepsTheLongerOnesTextsWhereItDoesNotReach) {
    MessageTables tables;
    applyToMessageTables(parseLanguageBytes(numberedFile(418, QStringLiteral("A"))), tables);
    applyToMessageTables(parseLanguageBytes(numberedFile(300, QStringLiteral("B"))), tables);
    EXPECT_EQ(tables.ClearBoxTitle, QStringLiteral("B57"));
    EXPECT_EQ(tables.NoticeText[19], QStringLiteral("B300"));
    EXPECT_EQ(tables.WriteText[0], QStringLiteral("A303"));
    EXPECT_EQ(tables.DayNames[0], QStringLiteral("A314"));
    EXPECT_EQ(tables.ExtraText[50], QStringLiteral("A418"));

    // A file that stops before line 57 leaves the clear-page title alone too.
    applyToMessageTables(parseLanguageBytes(numberedFile(10, QStringLiteral("C"))), tables);
    EXPECT_EQ(tables.ClearBoxTitle, QStringLiteral("B57"));
    EXPECT_EQ(tables.GridHeadText[0], QStringLiteral("B75"));
}

TEST(LanguageFileRead, MissingOrUnreadableFilesChangeNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    MessageTables tables;
    applyToMessageTables(parseLanguageBytes(numberedFile(418, QStringLiteral("A"))), tables);

    const LanguageLines missing = readLanguageFile(dir.filePath(QStringLiteral("none.txt")));
    EXPECT_FALSE(missing.loaded());
    EXPECT_TRUE(missing.lines.isEmpty());
    applyToMessageTables(missing, tables);
    EXPECT_EQ(tables.ClearBoxTitle, QStringLiteral("A57"));
    EXPECT_EQ(tables.GridHeadText[0], QStringLiteral("A75"));

    EXPECT_FALSE(readLanguageFile(dir.path()).loaded()); // a folder is no language file
}

TEST(LanguageFileRead, ReadsCrOnlyFilesFromDisk) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Cr.txt"));
    writeFile(path, QByteArray("Dosya\r\r\xC7\xFDk\xFD\xFE"));
    const LanguageLines file = readLanguageFile(path);
    ASSERT_TRUE(file.loaded());
    EXPECT_EQ(file.lines, (QStringList{QStringLiteral("Dosya"), QString(), QStringLiteral("Çıkış")}));
}

TEST(LanguageChoice, OnlyAnExistingNonEmptyFileReplacesTheCurrentLanguage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeFile(dir.filePath(QStringLiteral("Türkçe.txt")), "Dosya\r\n");
    writeFile(dir.filePath(QStringLiteral("Empty.txt")), QByteArray());
    QDir(dir.path()).mkdir(QStringLiteral("Folder.txt"));
    const QString current = QStringLiteral("English.txt");

    EXPECT_EQ(chooseLanguageFile(QStringLiteral("Türkçe.txt"), current, dir.path()), QStringLiteral("Türkçe.txt"));
    EXPECT_EQ(chooseLanguageFile(QString(), current, dir.path()), current);
    EXPECT_EQ(chooseLanguageFile(QStringLiteral("Missing.txt"), current, dir.path()), current);
    EXPECT_EQ(chooseLanguageFile(QStringLiteral("Empty.txt"), current, dir.path()), current);
    EXPECT_EQ(chooseLanguageFile(QStringLiteral("Folder.txt"), current, dir.path()), current);
    EXPECT_EQ(chooseLanguageFile(QStringLiteral("../LANGUAGE/Türkçe.txt"), current, dir.path()), current);
}

// ---- The language files shipped with the program -------------------------------------------------

QByteArray shippedBytes(const QString& name) {
    QFile f(QStringLiteral(VELMORA_SOURCE_DIR "/LANGUAGE/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

class ShippedLanguageFile : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        bytes = shippedBytes(QString::fromUtf8(GetParam()));
        ASSERT_FALSE(bytes.isEmpty()) << GetParam();
        file = parseLanguageBytes(bytes);
        applyToMessageTables(file, tables);
    }
    QString at(int line) const { return file.line(line).value_or(QString()); }

    QByteArray bytes;
    LanguageLines file;
    MessageTables tables;
};

TEST_P(ShippedLanguageFile, Has418LinesEachEndedByCrLfInTheCodePage) {
    EXPECT_EQ(file.lines.size(), 418);
    EXPECT_FALSE(file.extraLinesIgnored);
    EXPECT_EQ(bytes.count("\r\n"), 418);
    EXPECT_EQ(bytes.count('\r'), 418); // no lone CR
    EXPECT_EQ(bytes.count('\n'), 418); // no lone LF
    EXPECT_TRUE(bytes.endsWith("\r\n"));

    const QString text = cp1254::decode(bytes);
    EXPECT_EQ(cp1254::encode(text), bytes);
    for (QChar c : text) // undefined code-page positions decode to C1 controls
        EXPECT_FALSE(c.unicode() >= 0x80 && c.unicode() <= 0x9F) << GetParam();
    for (int n = 1; n <= 418; ++n)
        EXPECT_FALSE(at(n).endsWith(QLatin1Char(' '))) << "line " << n;
}

TEST_P(ShippedLanguageFile, TextsThatSelectAnActionDifferFromEachOther) {
    // The toolbar finds the pressed button by its tooltip.
    QSet<QString> tooltips;
    for (int k = 7; k <= 13; ++k)
        tooltips.insert(tables.NoticeText[k]);
    tooltips.insert(tables.MsgText[3]);
    EXPECT_EQ(tooltips.size(), 8);
    EXPECT_FALSE(tooltips.contains(QString()));
    EXPECT_EQ(at(324), tables.MsgText[3]);
    EXPECT_EQ(at(288), tables.NoticeText[7]);

    // The connect menu item knows its direction by its caption.
    EXPECT_FALSE(tables.ExtraText[8].isEmpty());
    EXPECT_NE(tables.ExtraText[8], tables.ExtraText[9]);

    // The analog-output button starts a run only while it shows the idle caption, which it gets
    // from line 63 at start.
    EXPECT_EQ(at(63), tables.StepText[10]);
    EXPECT_NE(tables.StepText[10], tables.StepText[16]);
}

TEST_P(ShippedLanguageFile, BrandAndModelNames) {
    EXPECT_EQ(tables.ExtraText[15], QStringLiteral("VELMORA"));
    EXPECT_EQ(tables.ModelText[0], QStringLiteral("QM1"));
    EXPECT_EQ(tables.ModelText[1], QStringLiteral("QM2"));
}

// Choice texts carry their code as their leading number.
TEST_P(ShippedLanguageFile, ChoiceTextsBeginWithTheirCode) {
    const std::vector<std::pair<int, int>> cfg = {
        {0, 0},  {1, 1},  {2, 0},  {3, 1},  {4, 0},  {5, 1},  {6, 0},  {7, 1},  {8, 2},  {9, 1},  {10, 2}, {11, 1},
        {12, 2}, {13, 3}, {14, 1}, {15, 2}, {16, 4}, {17, 0}, {18, 1}, {19, 2}, {20, 3}, {21, 4}, {22, 1}, {23, 2},
        {24, 3}, {25, 4}, {26, 5}, {28, 0}, {29, 1}, {30, 0}, {31, 1}, {32, 1}, {33, 2}, {34, 0}, {35, 1}, {36, 1},
        {37, 2}, {38, 3}, {39, 1}, {40, 1}, {41, 2}, {42, 3}, {43, 4}, {44, 0}, {45, 1}, {46, 2}, {47, 0}, {48, 1},
        {49, 2}, {50, 1}, {51, 2}, {52, 4}, {53, 1}, {54, 1}, {55, 2}, {56, 3}, {57, 0}, {58, 1}, {59, 2}};
    const std::vector<std::pair<int, int>> msg = {{2, 3}, {14, 0}, {15, 1}, {16, 2}, {17, 0}, {18, 1}};
    const std::vector<std::pair<int, int>> calib = {{5, 0}, {6, 1}, {7, 0}, {8, 1}};

    auto expectCode = [](const QString& text, int code, const char* table, int k) {
        const QString digits = QString::number(code);
        const bool ok = text.startsWith(digits) && text.size() > digits.size() && !text[digits.size()].isDigit();
        EXPECT_TRUE(ok) << table << "(" << k << ") = \"" << text.toStdString() << "\" should begin with " << code;
    };
    for (auto [k, code] : cfg)
        expectCode(tables.CfgText[k], code, "CfgText", k);
    for (auto [k, code] : msg)
        expectCode(tables.MsgText[k], code, "MsgText", k);
    for (auto [k, code] : calib)
        expectCode(tables.CalibText[k], code, "CalibText", k);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ShippedLanguageFile, ::testing::Values("English.txt", "Türkçe.txt"));

TEST(ShippedLanguageFiles, WeekdayNamesAreTheOnesTheClockDecoderKnows) {
    MessageTables tr;
    applyToMessageTables(parseLanguageBytes(shippedBytes(QStringLiteral("Türkçe.txt"))), tr);
    EXPECT_EQ(tr.DayNames,
              (QVector<QString>{QStringLiteral("Pazartesi"), QStringLiteral("Salı"), QStringLiteral("Çarşamba"),
                                QStringLiteral("Perşembe"), QStringLiteral("Cuma"), QStringLiteral("Cumartesi"),
                                QStringLiteral("Pazar")}));
    MessageTables en;
    applyToMessageTables(parseLanguageBytes(shippedBytes(QStringLiteral("English.txt"))), en);
    EXPECT_EQ(en.DayNames.front(), QStringLiteral("Monday"));
    EXPECT_EQ(en.DayNames.back(), QStringLiteral("Sunday"));
}

} // namespace
