#include "pages/gridlayout.h"
#include "paramset/blocks.h"
#include "paramset/parameterfile.h"
#include "paramset/paramsetprocs.h"
#include "paramset/samplefile.h"
#include "support/windowfixture.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

struct Window {
    explicit Window(const char* model) { started = fx.start(QString::fromLatin1(model)); }
    ParamsetProcs& procs() { return fx.program->paramset; }
    Session& s() { return fx.session(); }
    MainWidgets& w() { return fx.w(); }
    GridPage& grid(int n) { return *fx.program->ctx.Grid1[n]; }
    QString param(int row) { return grid(GridParameters).TextMatrix(row, 1); }
    QString msg(int k) { return s().messages.MsgText[k]; }

    WindowFixture fx;
    bool started = false;
};

} // namespace

// The file laid out by hand opens into the pages as the copy rules say, and the pages make the
// same bytes again, whichever model's rows are hidden.
TEST(RecordPages, SampleFileShowsInThePagesAndSavesBackByteForByte) {
    const SampleFile sample = makeSampleFile();
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("sample.vlm")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(sample.bytes);
    file.close();

    for (const char* model : {"QM1", "QM2"}) {
        Window win(model);
        ASSERT_TRUE(win.started);
        ASSERT_TRUE(win.procs().readParameterSetFile(file.fileName()));
        win.procs().showParameterSet();
        MainWidgets& w = win.w();

        // Header (left) and footer (centred) lines, their bars, the label text.
        EXPECT_EQ(w.Baslık[2]->text(), QStringLiteral("HEADER LINE 2"));
        EXPECT_EQ(w.DipNot[1]->text(), QStringLiteral("FOOT 1"));
        EXPECT_FALSE(w.Toolbar2Button[0][1]->isChecked());
        EXPECT_TRUE(w.Toolbar2Button[0][2]->isChecked());
        EXPECT_TRUE(w.Toolbar2Button[1][1]->isChecked());
        EXPECT_FALSE(w.Toolbar2Button[1][2]->isChecked());
        EXPECT_EQ(w.EPL->toPlainText(), QStringLiteral("N\nA40,30,0,4,1,1,N,\"ŞEKER\"\nP1\n"));

        // ID titles, quick boxes and memories: codes as stored, names without trailing blanks.
        EXPECT_EQ(w.Text6->text(), QStringLiteral("ÜRÜN"));
        EXPECT_EQ(w.Text8->text(), QStringLiteral("MÜŞTERİ"));
        EXPECT_EQ(w.Text11[2]->text(), QStringLiteral("1007"));
        EXPECT_EQ(w.Text11[3]->text(), QStringLiteral("ÜRÜN 1"));
        EXPECT_EQ(win.grid(GridIdMemories).TextMatrix(2, 1), QStringLiteral("1007"));
        EXPECT_EQ(win.grid(GridIdMemories).TextMatrix(101, 1), QStringLiteral("1700  "));
        EXPECT_EQ(win.grid(GridIdMemories).TextMatrix(101, 2), QStringLiteral("ÜRÜN 100"));

        EXPECT_EQ(win.grid(GridSetpoints).TextMatrix(1, 1), QStringLiteral("1,0"));
        EXPECT_EQ(win.grid(GridSetpoints).TextMatrix(9, 3), QStringLiteral("2009,88"));
        EXPECT_EQ(win.grid(GridPresetTares).TextMatrix(99, 1), QStringLiteral("24500"));

        // Parameter rows of every kind.
        Session& s = win.s();
        EXPECT_EQ(win.param(1), QStringLiteral("14-12-07 \\ 09:05:30"));
        EXPECT_EQ(s.DayNameSuffix, QStringLiteral(" \\ Çarşamba"));
        EXPECT_EQ(win.param(3), QStringLiteral("0- Industrial            "));
        EXPECT_FALSE(s.param.ConfigFlag0);
        EXPECT_EQ(win.param(10), win.msg(16));
        EXPECT_EQ(s.param.TiltCode, QStringLiteral("2") + QString(24, u' '));
        EXPECT_EQ(win.param(27), win.msg(18));
        EXPECT_EQ(win.param(18), QStringLiteral("-1500"));
        EXPECT_EQ(s.param.ValueArray[0], -1500);
        EXPECT_EQ(win.param(33), QStringLiteral("8- PORT 0 FIELD 8        "));
        EXPECT_EQ(s.param.TextArray[0], win.param(33));
        EXPECT_EQ(win.param(45), QStringLiteral("4- PORT 2 FIELD 4        "));
        EXPECT_EQ(win.param(60), QStringLiteral("12"));
        EXPECT_EQ(win.param(70), ikile(-2));
        EXPECT_EQ(win.param(72), QStringLiteral("32768 - 0         "));
        EXPECT_EQ(win.param(73), QStringLiteral("30000"));
        EXPECT_EQ(win.param(74), QStringLiteral("-7"));
        EXPECT_EQ(win.param(75), QStringLiteral("9,80665"));
        EXPECT_EQ(win.param(76), QStringLiteral("9"));
        EXPECT_EQ(win.param(78), QStringLiteral("65535"));
        EXPECT_EQ(s.param.Word78, -1);
        EXPECT_EQ(win.param(79), QStringLiteral("62500"));
        EXPECT_EQ(win.param(83), QStringLiteral("SN 104872                "));

        // The pages build every member they show; saving the opened set gives its bytes again.
        const ParameterSet opened = s.CurrentParameterSet;
        s.CurrentParameterSet = ParameterSetBlank;
        win.procs().fillRecordFromPages();
        for (const auto& field : sample.fields) {
            if (!field.kept) {
                EXPECT_EQ(field.bytesOf(s.CurrentParameterSet), sample.bytes.mid(field.offset, field.size))
                    << model << " " << field.name << " at " << field.offset;
            }
        }
        s.CurrentParameterSet = opened;
        win.procs().fillRecordFromPages();
        EXPECT_TRUE(encodeParameterSet(s.CurrentParameterSet) == sample.bytes);
    }
}

// Values the page shows in another form than they are kept keep their own value: negative raw
// values behind the decimal rows, 16- and 32-bit values beyond the signed range, a clock text
// without a day name.
TEST(RecordPages, ValuesKeepTheirSignAndBitPatternThroughThePage) {
    Window win("QM2");
    ASSERT_TRUE(win.started);
    Session& s = win.s();
    s.DisplayMaximum = 30.009;
    ParameterSet& r = s.CurrentParameterSet;
    auto& body = r.ConfigurationSection.ConfigurationBody;
    body.Param101Value = -1;
    body.Param104Value = -25;
    body.Param045Value = -30009;
    r.ClockText.assign(QStringLiteral("14-12-07 \\ 09:05:30"));
    win.procs().ParametreOku();
    EXPECT_EQ(win.param(18), QStringLiteral("-00.001"));
    EXPECT_EQ(win.param(20), QStringLiteral("-00.025"));
    EXPECT_EQ(win.param(56), QStringLiteral("-30.009"));
    EXPECT_EQ(win.param(1), QStringLiteral("14-12-07 \\ 09:05:30"));
    EXPECT_EQ(s.DayNameSuffix, QString());

    // Values as the editors and the device decoders leave them.
    s.param.Word78 = 65535;
    s.param.Word79 = 40000;
    s.param.CalRaw3 = 2147483648LL;
    s.param.CalGravity2 = -3;
    r = ParameterSetBlank;
    win.procs().ParametreKaydet();
    EXPECT_EQ(body.Param101Value, -1);
    EXPECT_EQ(body.Param104Value, -25);
    EXPECT_EQ(body.Param045Value, -30009);
    EXPECT_EQ(body.Param410Word, -1);
    EXPECT_EQ(body.Param420Word, 40000 - 65536);
    EXPECT_EQ(r.CalibrationSection.CalRaw3Value, std::numeric_limits<qint32>::min());
    EXPECT_EQ(r.CalibrationSection.CalGravity2Value, -3);
    EXPECT_EQ(r.ClockText.text(), QStringLiteral("14-12-07 \\ 09:05:30"));

    win.procs().ParametreOku();
    EXPECT_EQ(win.param(78), QStringLiteral("65535"));
    EXPECT_EQ(win.param(79), QStringLiteral("40000"));
    EXPECT_EQ(win.param(71), ikile(2147483648.0));
    EXPECT_EQ(win.param(76), QStringLiteral("9,-3"));

    // A cell that holds no number leaves its member as it was.
    body.Param410Word = 0;
    r.CalibrationSection.Param800Value = 17;
    win.grid(GridParameters).setTextMatrix(73, 1, QString());
    win.procs().ParametreKaydet();
    EXPECT_EQ(r.CalibrationSection.Param800Value, 17);
}
