#include "paramset/parameterfile.h"

#include "paramset/samplefile.h"
#include "session/session.h"

#include <gtest/gtest.h>

#include <random>

TEST(ParameterFile, BlankRecordIsZeroBytes) {
    EXPECT_EQ(encodeParameterSet(ParameterSetBlank), QByteArray(kParameterFileBlankSize, '\0'));
    const auto decoded = decodeParameterSet(QByteArray(kParameterFileBlankSize, '\0'));
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(*decoded == ParameterSetBlank);
}

// The file laid out by hand from the layout table: every member comes from its offset, and the
// record is written back to exactly those bytes.
TEST(ParameterFile, EveryFieldAtItsOffsetAndBackByteForByte) {
    const SampleFile f = makeSampleFile();
    const int varBytes = f.tail - 3436;
    EXPECT_EQ(f.bytes.size(), kParameterFileBlankSize + varBytes);
    EXPECT_GT(varBytes, 300); // one text of 300 moved the whole tail

    const auto record = decodeParameterSet(f.bytes);
    ASSERT_TRUE(record);
    for (const auto& field : f.fields)
        EXPECT_EQ(field.bytesOf(*record), f.bytes.mid(field.offset, field.size))
            << field.name << " at " << field.offset;
    const auto& body = record->ConfigurationSection.ConfigurationBody;
    EXPECT_EQ(body.Param101Value, -1500);
    EXPECT_EQ(body.Param420Word, -3036);
    EXPECT_EQ(record->AlignmentFlags.FooterCentred, -1);
    EXPECT_EQ(record->PresetTareTable.Tares[3], 750.0);
    EXPECT_EQ(record->ClockText.text(), QStringLiteral("14-12-07 \\ 09:05:30 \\ Çarşamba"));
    EXPECT_EQ(record->SetpointTable.Setpoint3[9].bytes.size(), 300);

    EXPECT_EQ(encodeParameterSet(*record), f.bytes);
}

TEST(ParameterFile, TrailingBytesIgnoredShortFilesRefused) {
    const SampleFile f = makeSampleFile();
    const auto withTrailer = decodeParameterSet(f.bytes + "trailing bytes\r\n");
    ASSERT_TRUE(withTrailer);
    EXPECT_EQ(encodeParameterSet(*withTrailer), f.bytes);

    // A file cut anywhere, at a field boundary or inside a field, holds no complete record.
    for (const auto& field : f.fields) {
        EXPECT_FALSE(decodeParameterSet(f.bytes.left(field.offset))) << field.name;
        EXPECT_FALSE(decodeParameterSet(f.bytes.left(field.offset + field.size - 1))) << field.name;
    }
    EXPECT_FALSE(decodeParameterSet(QByteArray()));
    EXPECT_FALSE(decodeParameterSet("Bu bir metin dosyası.\r\nThis is a text file.\r\n"));

    // A count that runs past the end of the file.
    QByteArray counts = f.bytes;
    counts[3374] = '\xFF';
    counts[3375] = '\xFF';
    EXPECT_FALSE(decodeParameterSet(counts));
}

// Whatever a file holds, opening it never fails badly: it is refused, or the record it gives is
// written back to exactly the bytes it came from.
TEST(ParameterFileFuzz, RandomAndMutatedFiles) {
    std::mt19937 rng(4101);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const QByteArray sample = makeSampleFile().bytes;
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray in;
        switch (round % 3) {
        case 0: // random bytes around the record's size
            in.resize(pick(0, 9000));
            for (char& c : in)
                c = char(pick(0, 255));
            break;
        case 1: // the sample with some bytes changed, counts among them
            in = sample;
            for (int n = pick(1, 8); n > 0; --n)
                in[pick(0, int(in.size()) - 1)] = char(pick(0, 255));
            if (round % 2)
                in[3374 + 2 * pick(0, 5)] = char(pick(0, 255));
            break;
        default: // the sample cut short or run long
            in = sample.left(pick(0, int(sample.size()) + 50));
            in.append(QByteArray(pick(0, 20), char(pick(0, 255))));
            break;
        }
        const auto record = decodeParameterSet(in);
        if (!record)
            continue;
        ++accepted;
        const QByteArray out = encodeParameterSet(*record);
        ASSERT_EQ(out, in.left(out.size())) << "round " << round;
    }
    EXPECT_GT(accepted, 500);
}

TEST(ParameterFile, PathSplitsAtTheLastSeparator) {
    Session s;
    DosyaDizin(s, QStringLiteral("C:\\Data\\Sets\\a.vlm"));
    EXPECT_EQ(s.AppFolder, QStringLiteral("C:\\Data\\Sets\\"));
    EXPECT_EQ(s.ParamFileName, QStringLiteral("a.vlm"));
    DosyaDizin(s, QStringLiteral("/home/teknik/set.old"));
    EXPECT_EQ(s.AppFolder, QStringLiteral("/home/teknik/"));
    EXPECT_EQ(s.ParamFileName, QStringLiteral("set.old"));
    // No separator after the first character: the first character is the folder.
    DosyaDizin(s, QStringLiteral("\\a.vlm"));
    EXPECT_EQ(s.AppFolder, QStringLiteral("\\"));
    EXPECT_EQ(s.ParamFileName, QStringLiteral("a.vlm"));
}
