#include "calibration/definitions.h"
#include "calibration/setupcodes.h"
#include "platform/basic.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

QString q(const char* s) {
    return QString::fromUtf8(s);
}

// A line parsed with its own leading number as the row, as the loaders do.
bool parse(DefinitionTable& t, const QString& line) {
    return parseDefinitionLine(t, line, definitionRowOfLine(line));
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    return f.write(bytes) == bytes.size();
}

} // namespace

TEST(DefinitionLine, FieldsKgSuffixAndEmptyFields) {
    DefinitionTable t{};
    // A, an empty field, B, and a trailing C without its closing ";".
    parse(t, q("4 - 5 Kg;;3 - 0.001;C"));
    EXPECT_EQ(t[4][0], q("4 - 5 Kg"));
    EXPECT_EQ(t[4][1], q("3 - 0.001 Kg"));
    EXPECT_TRUE(t[4][2].isEmpty());

    // Only an exact "Kg" ending is kept as is; blanks-only fields are real fields.
    parse(t, q("7;x kg;   ;ş"));
    EXPECT_EQ(t[7][0], q("7 Kg"));
    EXPECT_EQ(t[7][1], q("x kg Kg"));
    EXPECT_EQ(t[7][2], q("    Kg"));
    EXPECT_TRUE(t[7][3].isEmpty()); // "ş" had no closing ";"

    // A leading ";" is skipped; the row still comes from the start of the line (0 here).
    parse(t, q(";9 - 15 Kg;"));
    EXPECT_EQ(t[0][0], q("9 - 15 Kg"));

    // No ";" at all, or a blank line: nothing.
    DefinitionTable before = t;
    parse(t, q("12 - 24 Kg"));
    parse(t, QString());
    parse(t, q("   \t"));
    EXPECT_EQ(t, before);
}

TEST(DefinitionLine, RowsRoundHalfEvenAndLaterLinesOverwriteOnlyTheirColumns) {
    DefinitionTable t{};
    parseDefinitionLine(t, q("a;"), 2.5);
    parseDefinitionLine(t, q("b;"), 3.5);
    EXPECT_EQ(t[2][0], q("a Kg"));
    EXPECT_EQ(t[4][0], q("b Kg"));
    EXPECT_TRUE(t[3][0].isEmpty());

    parse(t, q("5 - 6 Kg;3 - 0.001 Kg;4 - 0.002 Kg;5 - 0.005 Kg;"));
    parse(t, q("5 - 6 Kg;6 - 0.01 Kg;"));
    EXPECT_EQ(t[5][1], q("6 - 0.01 Kg"));
    EXPECT_EQ(t[5][2], q("4 - 0.002 Kg"));
    EXPECT_EQ(t[5][3], q("5 - 0.005 Kg"));

    // Row 86 exists; "&H" forms read like any leading number.
    parse(t, q("86 - x;"));
    parse(t, q("&H10 - y;"));
    EXPECT_EQ(t[86][0], q("86 - x Kg"));
    EXPECT_EQ(t[16][0], q("&H10 - y Kg"));
}

TEST(DefinitionLine, WhatCannotBePlacedFailsTheLine) {
    DefinitionTable t{};
    const DefinitionTable empty{};
    for (double row : {-1.0, -0.6, 87.0, 86.6, 1e300, -1e300, std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::quiet_NaN()})
        EXPECT_FALSE(parseDefinitionLine(t, q("x;y;"), row)) << row;
    EXPECT_FALSE(parse(t, q("-3;a;")));
    EXPECT_FALSE(parse(t, q("999999999999999999999;a;")));
    EXPECT_EQ(t, empty);
    // Without a field there is nothing to place, whatever the row.
    EXPECT_TRUE(parse(t, q("99 - 9 Kg")));

    // -0.5 and 86.5 round to 0 and 86 and are placed.
    EXPECT_TRUE(parseDefinitionLine(t, q("lo;"), -0.5));
    EXPECT_TRUE(parseDefinitionLine(t, q("hi;"), 86.5));
    EXPECT_EQ(t[0][0], q("lo Kg"));
    EXPECT_EQ(t[86][0], q("hi Kg"));

    // Eight fields fit; a ninth fails the line, the first eight stay.
    EXPECT_FALSE(parse(t, q("1;f1;f2;f3;f4;f5;f6;f7;f8;f9;")));
    EXPECT_EQ(t[1][0], q("1 Kg"));
    EXPECT_EQ(t[1][7], q("f7 Kg"));
}

TEST(DefinitionLine, ModeSelectsTheTable) {
    Session s;
    ParseDefinitionLine(s, u"1 - 2 Kg;", 1, u"M1");
    ParseDefinitionLine(s, u"2 - 3 Kg;", 2, u"M2");
    ParseDefinitionLine(s, u"3 - 4 Kg;", 3, u"N");
    ParseDefinitionLine(s, u"4 - 5 Kg;", 4, u"m1");
    ParseDefinitionLine(s, u"4 - 5 Kg;", 4, u"");
    EXPECT_EQ(s.DefinitionTableM1[1][0], q("1 - 2 Kg"));
    EXPECT_EQ(s.DefinitionTableM2[2][0], q("2 - 3 Kg"));
    EXPECT_EQ(s.DefinitionTableN[3][0], q("3 - 4 Kg"));
    for (const DefinitionTable* t : {&s.DefinitionTableM1, &s.DefinitionTableM2, &s.DefinitionTableN}) {
        EXPECT_TRUE((*t)[4][0].isEmpty());
        EXPECT_EQ(std::count_if(t->begin(), t->end(), [](const auto& row) { return !row[0].isEmpty(); }), 1);
    }
}

TEST(DefinitionFile, ReadsUpToTheFirstLineThatCannotBePlaced) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Session s;
    s.AppFolder = dir.path() + QLatin1Char('/');

    QByteArray bytes;
    bytes += "0 - 1 Kg;3 - 0.001 Kg;\r\n";
    bytes += "\r\n";                       // blank
    bytes += "junk without fields\r\n";    // no ";"
    bytes += "99 - 9 Kg\r\n";              // out of range, but nothing to place
    bytes += "\xFE\xFF\x81;\x80;\r\n";     // garbled bytes, row 0: overwrites columns 0 and 1
    bytes += "5 - 6 Kg;3 - 0.001 Kg;\n";   // bare LF
    bytes += "6 - 8 Kg;4 - 0.002 Kg;\r";   // bare CR
    bytes += "2;a;b;c;d;e;f;g;h;i;j;\r\n"; // a ninth field: the reading ends here
    bytes += "7 - 10 Kg;5 - 0.005 Kg;\r\n";
    ASSERT_TRUE(writeFile(s.AppFolder + q("SGMetrolojik.txt"), bytes));

    int pumped = 0;
    EXPECT_TRUE(LoadSGDefinitions(s, [&] { ++pumped; }));
    EXPECT_EQ(pumped, 8);

    const DefinitionTable& t = s.DefinitionTableM1;
    EXPECT_EQ(t[0][0], q("şÿ\u0081 Kg"));
    EXPECT_EQ(t[0][1], q("€ Kg"));
    EXPECT_EQ(t[5][1], q("3 - 0.001 Kg"));
    EXPECT_EQ(t[6][1], q("4 - 0.002 Kg"));
    EXPECT_EQ(t[2][7], q("g Kg"));
    for (int r : {1, 3, 4, 7, 8, 86})
        EXPECT_TRUE(t[r][0].isEmpty()) << r;

    // A row outside the table ends the reading just the same, before anything of its line.
    ASSERT_TRUE(writeFile(s.AppFolder + q("Normal.txt"), "1 - 2 Kg;\r\n87 - x;\r\n3 - 4 Kg;\r\n"));
    EXPECT_TRUE(LoadNormalDefinitions(s));
    EXPECT_EQ(s.DefinitionTableN[1][0], q("1 - 2 Kg"));
    EXPECT_TRUE(s.DefinitionTableN[3][0].isEmpty());
    EXPECT_EQ(s.DefinitionTableM2, DefinitionTable{});
}

TEST(DefinitionFile, MissingOrEmptyFileKeepsTheTable) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Session s;
    s.AppFolder = dir.path() + QLatin1Char('/');
    s.DefinitionTableN[3][0] = q("kept");
    s.DefinitionTableM2[3][0] = q("kept");

    int pumped = 0;
    EXPECT_FALSE(LoadNormalDefinitions(s, [&] { ++pumped; }));
    EXPECT_EQ(pumped, 0);
    EXPECT_EQ(s.DefinitionTableN[3][0], q("kept"));

    ASSERT_TRUE(writeFile(s.AppFolder + q("MTMetrolojik.txt"), QByteArray()));
    EXPECT_TRUE(LoadMTDefinitions(s));
    EXPECT_EQ(s.DefinitionTableM2[3][0], q("kept"));

    // A loader that fails does not keep the next one from working.
    ASSERT_TRUE(writeFile(s.AppFolder + q("SGMetrolojik.txt"), "1 - 2 Kg;\r\n"));
    EXPECT_FALSE(LoadNormalDefinitions(s));
    EXPECT_TRUE(LoadSGDefinitions(s));
    EXPECT_EQ(s.DefinitionTableM1[1][0], q("1 - 2 Kg"));
}

TEST(SetupCodes, BuiltInEntries) {
    EXPECT_EQ(builtInCapacityEntry(0), q("0 - 1 Kg"));
    EXPECT_EQ(builtInCapacityEntry(12), q("12 - 24 Kg"));
    EXPECT_EQ(builtInCapacityEntry(85), q("85 - 800000 Kg"));
    EXPECT_TRUE(builtInCapacityEntry(86).isEmpty());
    EXPECT_EQ(builtInDivisionEntry(3), q("3 - 0.001"));
    EXPECT_EQ(builtInDivisionEntry(19), q("19 - 200"));
    EXPECT_TRUE(builtInDivisionEntry(2).isEmpty());
    EXPECT_TRUE(std::is_sorted(CapacityOfCode.begin(), CapacityOfCode.end(), std::less_equal<>()));
}

// The files shipped with the program: every capacity code 0..85 with the divisions the kind of
// scale allows, written so that the calibration page reads codes and values back correctly.
namespace {

struct Kind {
    const char* file;
    std::int64_t low, high; // window of n = capacity / division
};

// Division codes the rule allows with a capacity, in code order. n is compared as
// capacity * 1000 against window * thousandths so no rounding enters.
std::vector<int> expectedDivisions(std::int64_t capacity, const Kind& k) {
    std::vector<const DivisionChoice*> inside;
    for (const DivisionChoice& d : DivisionChoices) {
        const std::int64_t scaled = capacity * 1000; // n * thousandths
        if (scaled >= k.low * d.thousandths && scaled <= k.high * d.thousandths)
            inside.push_back(&d);
    }
    std::vector<int> codes;
    if (!inside.empty()) {
        // The coarsest seven (smallest n, i.e. largest division).
        std::sort(inside.begin(), inside.end(), [](auto a, auto b) { return a->thousandths > b->thousandths; });
        if (inside.size() > 7)
            inside.resize(7);
        for (auto d : inside)
            codes.push_back(d->code);
        std::sort(codes.begin(), codes.end());
        return codes;
    }
    // Nearest to the window by ratio.
    double best = std::numeric_limits<double>::infinity();
    int bestCode = 0;
    for (const DivisionChoice& d : DivisionChoices) {
        const double n = double(capacity) * 1000 / d.thousandths;
        const double dist = n < k.low ? k.low / n : n / k.high;
        if (dist < best) {
            best = dist;
            bestCode = d.code;
        }
    }
    return {bestCode};
}

void PrintTo(const Kind& k, std::ostream* os) {
    *os << k.file;
}

class ShippedDefinitions : public ::testing::TestWithParam<Kind> {};

} // namespace

TEST_P(ShippedDefinitions, FollowTheCapacityAndDivisionRule) {
    const Kind k = GetParam();
    const QString path = QStringLiteral(VELMORA_SOURCE_DIR "/definitions/") + QLatin1String(k.file);

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << k.file;
    const QByteArray bytes = f.readAll();
    f.close();
    // One CR LF-ended line per capacity code, each closed by its last ";".
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(2).split('\n');
    ASSERT_EQ(lines.size(), CapacityCodeCount);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray l = i + 1 < lines.size() ? lines[i] : lines[i] + '\r';
        EXPECT_TRUE(l.endsWith(";\r") && !l.chopped(1).contains('\r')) << l.constData();
    }

    DefinitionTable t{};
    ASSERT_TRUE(loadDefinitionFile(t, path));
    EXPECT_TRUE(t[86][0].isEmpty());

    for (int code = 0; code < CapacityCodeCount; ++code) {
        SCOPED_TRACE(code);
        const auto& row = t[code];
        ASSERT_EQ(row[0], builtInCapacityEntry(code));

        std::vector<int> codes;
        int c = 1;
        for (; c < DefinitionColumnCount && !row[c].isEmpty(); ++c) {
            const QString& e = row[c];
            // How the page reads an entry: the code from its first two characters, the companion
            // from the fifth on, and the division's decimals as everything after the point less
            // the " Kg" unit.
            const int dc = int(basic::Val(e.left(2)));
            const DivisionChoice* d = divisionForCode(dc);
            ASSERT_NE(d, nullptr) << e.toStdString();
            const QString value = QString::fromLatin1(d->text.data(), qsizetype(d->text.size()));
            EXPECT_EQ(e, builtInDivisionEntry(dc) + QStringLiteral(" Kg"));
            EXPECT_EQ(basic::Mid(e, 5).trimmed(), value + QStringLiteral(" Kg"));
            const QString afterDash = basic::Mid(e, e.indexOf(u'-') + 3);
            const int point = afterDash.indexOf(u'.');
            if (point >= 0) {
                EXPECT_EQ(afterDash.size() - 5, value.size() - point - 1);
            }
            codes.push_back(dc);
        }
        for (; c < DefinitionColumnCount; ++c)
            EXPECT_TRUE(row[c].isEmpty());
        EXPECT_EQ(codes, expectedDivisions(capacityForCode(code), k));
    }
}

INSTANTIATE_TEST_SUITE_P(AllKinds, ShippedDefinitions,
                         ::testing::Values(Kind{"Normal.txt", 1000, 100000}, Kind{"SGMetrolojik.txt", 500, 10000},
                                           Kind{"MTMetrolojik.txt", 500, 3000}),
                         [](const auto& info) { return std::string(QByteArray(info.param.file).split('.')[0]); });
