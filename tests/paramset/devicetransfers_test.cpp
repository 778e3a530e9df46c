#include "link/textroutines.h"
#include "pages/gridlayout.h"
#include "paramset/blocks.h"
#include "paramset/devicerecords.h"
#include "paramset/paramsetprocs.h"
#include "platform/basic.h"
#include "support/exchangewaits.h"
#include "support/windowfixture.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Model = SimIndicator::Model;
using Exchange = bool (DeviceTransfers::*)();

const QStringList kParameterRead{"cmd 19",  "cmd 5",   "R124/8",  "cmd 12",  "R128/40", "cmd 7",
                                 "R149/50", "R174/50", "R199/10", "R204/10", "cmd 20"};
const QStringList kClockWrite{"W124/8", "cmd 6"};
const QStringList kCalibrationWrite{"cmd 19", "W128/20", "W138/4", "W142/12", "cmd 13", "cmd 20"};
const QStringList kJmpWrite{"cmd 19", "W149/10", "cmd 9", "cmd 20"};
const QStringList kNrmWrite{"cmd 19", "W154/12", "W160/14", "W167/8", "W171/8", "W175/8",
                            "W179/8", "W183/14", "W190/4",  "cmd 8",  "cmd 20"};
const QStringList kTicketRead{"cmd 19", "cmd 3", "R40/20", "R50/22", "R61/20", "R71/22", "R83/20", "R93/22", "cmd 20"};
const QStringList kTicketWrite{"cmd 19", "W40/20", "W50/22", "W61/20", "W71/22", "W83/20", "W93/22", "cmd 4", "cmd 20"};

QStringList idRead(int records) {
    return QStringList{"cmd 19"} + times({"W209/2", "cmd 15", "R209/14"}, 2) +
           times({"W105/2", "cmd 10", "R105/24"}, records) + QStringList{"cmd 20"};
}
QStringList idWrite(int records) {
    return QStringList{"cmd 19"} + times({"W105/24", "cmd 11"}, records) + times({"W209/14", "cmd 16"}, 2) +
           QStringList{"cmd 20"};
}
const QStringList kSetpointRead =
    QStringList{"cmd 19"} + times({"W117/2", "cmd 1", "R117/14"}, 9) + QStringList{"cmd 20"};
const QStringList kSetpointWrite = QStringList{"cmd 19"} + times({"W117/14", "cmd 2"}, 9) + QStringList{"cmd 20"};

QStringList labelRead(int pieces) {
    QStringList out{"cmd 19"};
    for (int k = 0; k < pieces; ++k)
        out << QStringLiteral("R%1/8").arg(217 + 8 * k);
    return out << "cmd 20";
}
QStringList labelWrite() {
    QStringList out{"cmd 19"};
    for (int k = 0; k < 250; ++k)
        out << QStringLiteral("W%1/4").arg(217 + 4 * k);
    return out << "cmd 21"
               << "cmd 20";
}

const QList<int> kStoreCodes{2, 4, 6, 8, 9, 11, 13, 16, 21};

// Host mode switched by HostYazdır (0.2 s, then the answer collected) or by a direct code (the
// reading time, then the answer collected).
const QStringList kHostOn = step("cmd 19", "0.2 r");
const QStringList kHostOff = step("cmd 20", "0.2 r");
const QStringList kDirectHostOn = step("cmd 19", "r r");
const QStringList kDirectHostOff = step("cmd 20", "r r");

class Transfers : public ::testing::Test {
protected:
    void start(Model model, const QString& address = QStringLiteral("07"), bool checksum = true) {
        f = std::make_unique<WindowFixture>(model);
        ASSERT_TRUE(f->start(model == Model::QM2 ? QStringLiteral("QM2") : QStringLiteral("QM1")));
        s().DeviceAddress = address;
        s().ChecksumOn = checksum;
        sim().address = address;
        sim().checksumOn = checksum;
        ASSERT_EQ(f->program->link.PortAç(), 0);
        s().Connected = true;
        s().AbortRequested = false;
        setOption(w().Option3[0], true);
        for (QCheckBox* box : w().SSCheck2)
            box->setChecked(false);
        f->dialogs.clear();
        sim().clearLog();
    }

    Session& s() { return f->session(); }
    MainWidgets& w() { return f->w(); }
    SimIndicator& sim() { return f->indicator; }
    GridPage& grid(int n) { return *f->program->ctx.Grid1[n]; }
    DeviceTransfers& transfers() { return f->program->transfers; }
    QString param(int row) { return grid(GridParameters).TextMatrix(row, 1); }

    // Runs one exchange on a clean log and message list.
    bool run(Exchange exchange) {
        sim().clearLog();
        f->dialogs.clear();
        s().AbortRequested = false;
        return (transfers().*exchange)();
    }
    // Runs one exchange and gives its frames with the waits asked for in between, in order.
    QStringList timed(Exchange exchange) {
        bool ok = false;
        const QStringList out = framesAndWaits(*f, [&] { ok = run(exchange); });
        EXPECT_TRUE(ok);
        return out;
    }
    QStringList sent() {
        QStringList out;
        for (const SimIndicator::Frame& frame : sim().frames)
            out << describe(frame);
        return out;
    }
    void tickParameterGroups(bool clock, bool calibration, bool jmp, bool nrm) {
        w().SSCheck2[8]->setChecked(clock);
        w().SSCheck2[5]->setChecked(calibration);
        w().SSCheck2[6]->setChecked(jmp);
        w().SSCheck2[7]->setChecked(nrm);
    }
    void useLabelPrinter(bool label) { setOption(w().Option3[label ? 1 : 0], true); }
    // Keeps the ID memory page to its first `records` memories (0, 1, 128, ...), so that a test going
    // through every step of the read stays short.
    void keepIdRecords(int records) { grid(GridIdMemories).setRows(records + 1); }

    // What the readers fill: the value cells of the ID, setpoint and parameter pages and the boxes.
    QStringList shown() {
        QStringList out;
        for (int g : {GridIdMemories, GridSetpoints, GridParameters})
            for (int r = 1; r < grid(g).Rows(); ++r)
                for (int c = 1; c < grid(g).Cols(); ++c)
                    out << grid(g).TextMatrix(r, c);
        out << w().Text6->text() << w().Text8->text();
        for (QLineEdit* box : w().Text11)
            out << box->text();
        for (QLineEdit* box : w().Baslık)
            out << box->text();
        for (QLineEdit* box : w().DipNot)
            out << box->text();
        out << w().EPL->toPlainText();
        return out;
    }
    // Puts back what shown() gave.
    void restoreShown(const QStringList& items) {
        auto next = items.begin();
        for (int g : {GridIdMemories, GridSetpoints, GridParameters})
            for (int r = 1; r < grid(g).Rows(); ++r)
                for (int c = 1; c < grid(g).Cols(); ++c)
                    grid(g).setTextMatrix(r, c, *next++);
        w().Text6->setText(*next++);
        w().Text8->setText(*next++);
        for (QLineEdit* box : w().Text11)
            box->setText(*next++);
        for (QLineEdit* box : w().Baslık)
            box->setText(*next++);
        for (QLineEdit* box : w().DipNot)
            box->setText(*next++);
        w().EPL->setPlainText(*next++);
    }
    // Marks everything a reader may fill, so that a value it did not write shows.
    void markShown() {
        for (int g : {GridIdMemories, GridSetpoints, GridParameters})
            for (int r = 1; r < grid(g).Rows(); ++r)
                for (int c = 1; c < grid(g).Cols(); ++c)
                    grid(g).setTextMatrix(r, c, QStringLiteral("?"));
        for (QLineEdit* box : {w().Text6, w().Text8})
            box->setText(QStringLiteral("?"));
        for (QLineEdit* box : w().Text11)
            box->setText(QStringLiteral("?"));
        for (QLineEdit* box : w().Baslık)
            box->setText(QStringLiteral("?"));
        for (QLineEdit* box : w().DipNot)
            box->setText(QStringLiteral("?"));
        w().EPL->setPlainText(QStringLiteral("?"));
    }

    // Everything the indicator keeps committed: the blocks and the record memories.
    QList<QByteArray> committed() {
        QList<QByteArray> out;
        for (auto b :
             {SimIndicator::Block::TicketLines, SimIndicator::Block::LabelText, SimIndicator::Block::Clock,
              SimIndicator::Block::Calibration, SimIndicator::Block::ConfigJmp, SimIndicator::Block::ConfigNrm})
            out << sim().committed(b);
        for (int n = 0; n < 256; ++n)
            out << sim().idRecord(n) << sim().setpointRecord(n) << sim().idTitle(n);
        return out;
    }
    bool allCommitted() {
        for (auto b :
             {SimIndicator::Block::TicketLines, SimIndicator::Block::LabelText, SimIndicator::Block::Clock,
              SimIndicator::Block::Calibration, SimIndicator::Block::ConfigJmp, SimIndicator::Block::ConfigNrm})
            if (sim().committed(b) != sim().written(b))
                return false;
        return true;
    }

    QString errorText(int k) { return s().messages.ErrorText[k]; }
    QString extraText(int k) { return s().messages.ExtraText[k]; }

    std::unique_ptr<WindowFixture> f;
};

} // namespace

// Every exchange sends the frames of its table, in order, each taken by the indicator (checksum and
// address right, writes carrying the bytes they announce), for both models and every line setting.
TEST_F(Transfers, EachExchangeSendsItsFramesInOrder) {
    struct Line {
        const char* address;
        bool checksum;
    };
    for (Model model : {Model::QM1, Model::QM2}) {
        for (Line line : {Line{"", true}, Line{"", false}, Line{"07", true}, Line{"31", false}}) {
            SCOPED_TRACE(QStringLiteral("%1 address \"%2\" checksum %3")
                             .arg(model == Model::QM2 ? "QM2" : "QM1", line.address)
                             .arg(line.checksum)
                             .toStdString());
            start(model, QString::fromLatin1(line.address), line.checksum);

            EXPECT_TRUE(run(&DeviceTransfers::ParametreHostOku));
            EXPECT_EQ(sent(), kParameterRead);

            tickParameterGroups(false, false, false, false);
            EXPECT_TRUE(run(&DeviceTransfers::ParametreHostYaz));
            EXPECT_EQ(sent(), QStringList());
            // The first model has no clock: its box is not shown, and a tick left from a QM2 counts
            // for nothing.
            const QStringList clockWrite = model == Model::QM2 ? kClockWrite : QStringList();
            tickParameterGroups(true, false, false, false);
            EXPECT_TRUE(run(&DeviceTransfers::ParametreHostYaz));
            EXPECT_EQ(sent(), clockWrite);
            tickParameterGroups(false, true, false, false);
            EXPECT_TRUE(run(&DeviceTransfers::ParametreHostYaz));
            EXPECT_EQ(sent(), kCalibrationWrite);
            tickParameterGroups(false, false, true, false);
            EXPECT_TRUE(run(&DeviceTransfers::ParametreHostYaz));
            EXPECT_EQ(sent(), kJmpWrite);
            tickParameterGroups(false, false, false, true);
            EXPECT_TRUE(run(&DeviceTransfers::ParametreHostYaz));
            EXPECT_EQ(sent(), kNrmWrite);
            tickParameterGroups(true, true, true, true);
            EXPECT_TRUE(run(&DeviceTransfers::ParametreHostYaz));
            EXPECT_EQ(sent(), clockWrite + kCalibrationWrite + kJmpWrite + kNrmWrite);

            EXPECT_TRUE(run(&DeviceTransfers::readHeaderFromDevice));
            EXPECT_EQ(sent(), kTicketRead);
            EXPECT_TRUE(run(&DeviceTransfers::writeHeaderToDevice));
            EXPECT_EQ(sent(), kTicketWrite);

            if (model == Model::QM2) {
                EXPECT_TRUE(run(&DeviceTransfers::IDOKUHost));
                EXPECT_EQ(sent(), idRead(101));
                EXPECT_TRUE(run(&DeviceTransfers::IDYaz));
                EXPECT_EQ(sent(), idWrite(101));
                EXPECT_TRUE(run(&DeviceTransfers::STPOKUHost));
                EXPECT_EQ(sent(), kSetpointRead);
                EXPECT_TRUE(run(&DeviceTransfers::STPYaz));
                EXPECT_EQ(sent(), kSetpointWrite);

                useLabelPrinter(true);
                const int textLength = int(sim().committed(SimIndicator::Block::LabelText).indexOf('\0'));
                EXPECT_TRUE(run(&DeviceTransfers::readHeaderFromDevice));
                EXPECT_EQ(sent(), labelRead(textLength / 8 + 1));
                EXPECT_TRUE(run(&DeviceTransfers::writeHeaderToDevice));
                EXPECT_EQ(sent(), labelWrite());
            }
            EXPECT_TRUE(f->dialogs.shown.isEmpty());
            EXPECT_FALSE(sim().hostMode);
            EXPECT_TRUE(allCommitted());
        }
    }
}

// Every exchange waits what its answers need: the reading time before each answer is collected, and
// the extra waits some frames ask for before it (0.2 s after a host-mode code of HostYazdır, after a
// configuration half or an identification text; 0.05 s after the header load code; 0.01 s before an
// ID record is collected; 1 s at the end of the ID write).
TEST_F(Transfers, EachExchangeWaitsWhatItsAnswersNeed) {
    start(Model::QM2);
    s().ReadWaitTime = 0.15;
    keepIdRecords(3);
    tickParameterGroups(true, true, true, true);
    const int labelPieces = int(sim().committed(SimIndicator::Block::LabelText).indexOf('\0')) / 8 + 1;

    const QStringList idRecord = step("W105/2", "r") + step("cmd 10", "r") + step("R105/24", "0.01 r");
    const QStringList idTitle = step("W209/2", "r") + step("cmd 15", "r") + step("R209/14", "r r");
    const QStringList idWriteRecord = QStringList{"r"} + step("W105/24", "r") + step("cmd 11", "r");
    const QStringList idWriteTitle = step("W209/14", "r r") + step("cmd 16", "0.2 r");
    const QStringList setpointRecord = step("W117/2", "r") + step("cmd 1", "r") + step("R117/14", "r r");
    const QStringList setpointWrite = step("W117/14", "r") + step("cmd 2", "r");
    struct Case {
        const char* name;
        Exchange exchange;
        bool label;
        QStringList waits;
    };
    const Case cases[] = {
        {"parameter read", &DeviceTransfers::ParametreHostOku, false,
         kHostOn + step("cmd 5", "r r") + step("R124/8", "r r") + step("cmd 12", "r") + step("R128/40", "r r") +
             step("cmd 7", "r") + steps({"R149/50", "R174/50", "R199/10", "R204/10"}, "0.2 r") + kHostOff},
        {"parameter write", &DeviceTransfers::ParametreHostYaz, false,
         steps({"W124/8", "cmd 6"}, "r") + kDirectHostOn + steps({"W128/20", "W138/4", "W142/12", "cmd 13"}, "r") +
             kDirectHostOff + kDirectHostOn + steps({"W149/10", "cmd 9"}, "r") + kDirectHostOff + kHostOn +
             steps({"W154/12", "W160/14", "W167/8"}, "r") + step("W171/8", "r r") + // one more answer dropped
             steps({"W175/8", "W179/8", "W183/14", "W190/4"}, "r") + step("cmd 8", "r r") + kHostOff},
        {"ID read", &DeviceTransfers::IDOKUHost, false,
         kDirectHostOn + times(idTitle, 2) + times(idRecord, 3) + kDirectHostOff},
        {"ID write", &DeviceTransfers::IDYaz, false,
         kDirectHostOn + times(idWriteRecord, 3) + times(idWriteTitle, 2) + QStringList{"1"} + kDirectHostOff},
        {"setpoint read", &DeviceTransfers::STPOKUHost, false, kHostOn + times(setpointRecord, 9) + kHostOff},
        {"setpoint write", &DeviceTransfers::STPYaz, false, kHostOn + times(setpointWrite, 9) + kHostOff},
        {"ticket read", &DeviceTransfers::readHeaderFromDevice, false,
         kHostOn + step("cmd 3", "0.05 r") + steps(kTicketRead.mid(2, 6), "r r") + kHostOff},
        {"ticket write", &DeviceTransfers::writeHeaderToDevice, false,
         kHostOn + steps(kTicketWrite.mid(1, 7), "r") + kHostOff},
        {"label read", &DeviceTransfers::readHeaderFromDevice, true,
         kHostOn + steps(labelRead(labelPieces).mid(1, labelPieces), "r") + kHostOff},
        {"label write", &DeviceTransfers::writeHeaderToDevice, true,
         kHostOn + steps(labelWrite().mid(1, 251), "r") + kHostOff},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useLabelPrinter(c.label);
        EXPECT_EQ(timed(c.exchange), c.waits);
        EXPECT_TRUE(f->dialogs.shown.isEmpty());
    }
}

// The ID memories go to 0, 1 and 128.. in page order, each as the whole 24-byte record; the titles
// as 14 bytes: number, at most 12 characters, NULs.
TEST_F(Transfers, IdRecordsAndTitlesTravelWhole) {
    start(Model::QM2);
    ParameterSet& r = s().CurrentParameterSet;
    r.IdMemoryTable.IdCodes[0].assign(QStringLiteral("  42"));
    r.IdMemoryTable.IdTexts[0].assign(QStringLiteral("ELMA"));
    r.IdMemoryTable.IdCodes[100].assign(QStringLiteral("-3"));
    w().Text6->setText(QStringLiteral("ÜRÜN GRUBU"));
    w().Text8->setText(QString());
    ASSERT_TRUE(run(&DeviceTransfers::IDYaz));

    QList<int> numbers;
    for (const SimIndicator::Frame& frame : sim().frames)
        if (frame.write && frame.firstRegister == 105)
            numbers << quint8(frame.data[0]);
    ASSERT_EQ(numbers.size(), 101);
    EXPECT_EQ(numbers.mid(0, 3), (QList<int>{0, 1, 128}));
    EXPECT_EQ(numbers.last(), 226);
    EXPECT_EQ(sim().idRecord(0), QByteArray("\0\0\0\0\x2A"
                                            "ELMA            \0\0\0",
                                            24));
    EXPECT_EQ(sim().idRecord(226).mid(1, 4), QByteArray("\xFF\xFF\xFF\xFD", 4));
    EXPECT_EQ(sim().idTitle(0), QByteArray("\0\xDCR\xDCN GRUBU\0\0\0", 14));
    EXPECT_EQ(sim().idTitle(1), QByteArray(14, '\0').replace(0, 1, QByteArray(1, '\x01')));

    // Read back: the same memories and titles, an empty memory as two empty cells.
    sim().setIdRecord(1, -1, "UNUSED");
    markShown();
    ASSERT_TRUE(run(&DeviceTransfers::IDOKUHost));
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(1, 1), "42");
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(1, 2), "ELMA            ");
    EXPECT_EQ(w().Text11[0]->text(), "42");
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(2, 1), "");
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(2, 2), "");
    EXPECT_EQ(w().Text11[2]->text(), "");
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(101, 1), "-3");
    EXPECT_EQ(w().Text6->text(), QStringLiteral("ÜRÜN GRUBU"));
    EXPECT_EQ(w().Text8->text(), "");
}

// Setpoints are scaled exactly by the display's decimals; one that does not fit stops the group
// before anything is sent.
TEST_F(Transfers, SetpointsAreScaledExactlyOrNotSentAtAll) {
    start(Model::QM2);
    s().DivisionDecimals = QStringLiteral("00");
    SetpointFields& sp = s().CurrentParameterSet.SetpointTable;
    sp.Setpoint1[0].assign(QStringLiteral("12"));
    sp.Setpoint2[0].assign(QStringLiteral("0,29"));
    sp.Setpoint3[0].assign(QStringLiteral("-1.5"));
    ASSERT_TRUE(run(&DeviceTransfers::STPYaz));
    EXPECT_EQ(sim().setpointRecord(0), QByteArray("\0\0\0\x04\xB0\0\0\0\x1D\xFF\xFF\xFF\x6A\0", 14));
    EXPECT_EQ(sp.Setpoint1[8].text(), "0"); // an empty entry is sent and kept as 0

    sp.Setpoint3[4].assign(QStringLiteral("21474837"));
    const QByteArray before = sim().setpointRecord(0);
    EXPECT_FALSE(run(&DeviceTransfers::STPYaz));
    EXPECT_TRUE(sim().frames.isEmpty());
    ASSERT_EQ(f->dialogs.messages().size(), 1);
    EXPECT_TRUE(f->dialogs.messages().value(0).text.startsWith(extraText(37) + u'\n'));
    EXPECT_TRUE(f->dialogs.messages().value(0).text.endsWith(QStringLiteral("21474837")));
    EXPECT_EQ(sim().setpointRecord(0), before);
    // More decimals than the scale (a set opened from a file) would be cut: refused the same way.
    s().DivisionDecimals = QStringLiteral("0");
    sp.Setpoint1[0].assign(QStringLiteral("452,25"));
    EXPECT_FALSE(run(&DeviceTransfers::STPYaz));
    EXPECT_TRUE(sim().frames.isEmpty());
    ASSERT_EQ(f->dialogs.messages().size(), 1);
    EXPECT_EQ(f->dialogs.messages().value(0).text, extraText(37) + QStringLiteral("\n1 / 1: 452,25"));
    EXPECT_EQ(sim().setpointRecord(0), before);
    s().DivisionDecimals = QStringLiteral("00");

    // Read back with two decimals; a negative value shows as the design's 16-bit form.
    sp.Setpoint3[4].assign(QStringLiteral("1"));
    markShown();
    ASSERT_TRUE(run(&DeviceTransfers::STPOKUHost));
    EXPECT_EQ(grid(GridSetpoints).TextMatrix(1, 1), "12,00");
    EXPECT_EQ(grid(GridSetpoints).TextMatrix(1, 2), "0,29");
    EXPECT_EQ(grid(GridSetpoints).TextMatrix(1, 3), "653,86");
}

// A write that cannot be sent whole is refused before its first frame, with a message; a clock that
// is no date is skipped with a message and the other groups go on.
TEST_F(Transfers, WritesThatCannotBeSentWholeSendNothing) {
    start(Model::QM2);
    ASSERT_TRUE(run(&DeviceTransfers::ParametreHostOku));

    grid(GridParameters).setTextMatrix(19, 1, QStringLiteral("300"));
    tickParameterGroups(true, true, true, true);
    EXPECT_FALSE(run(&DeviceTransfers::ParametreHostYaz));
    EXPECT_TRUE(sim().frames.isEmpty());
    ASSERT_EQ(f->dialogs.messages().size(), 1);
    EXPECT_TRUE(f->dialogs.messages().value(0).text.startsWith(extraText(38) + u'\n'));
    EXPECT_TRUE(f->dialogs.messages().value(0).text.endsWith(QStringLiteral(": 300")));
    // The row belongs to a group that is not ticked: nothing stops the others.
    tickParameterGroups(false, true, true, false);
    EXPECT_TRUE(run(&DeviceTransfers::ParametreHostYaz));
    EXPECT_EQ(sent(), kCalibrationWrite + kJmpWrite);
    grid(GridParameters).setTextMatrix(19, 1, QStringLiteral("5"));

    grid(GridParameters).setTextMatrix(1, 1, QStringLiteral("31-1"));
    tickParameterGroups(true, false, true, false);
    EXPECT_TRUE(run(&DeviceTransfers::ParametreHostYaz));
    EXPECT_EQ(sent(), kJmpWrite);
    ASSERT_EQ(f->dialogs.messages().size(), 1);
    EXPECT_EQ(f->dialogs.messages().value(0).text, extraText(40) + QStringLiteral("\n31-1"));

    useLabelPrinter(true);
    const QString tooLong = QString(1000, u'A');
    w().EPL->setPlainText(tooLong);
    EXPECT_FALSE(run(&DeviceTransfers::writeHeaderToDevice));
    EXPECT_TRUE(sim().frames.isEmpty());
    ASSERT_EQ(f->dialogs.messages().size(), 1);
    EXPECT_EQ(f->dialogs.messages().value(0).text, extraText(39));
    EXPECT_EQ(w().EPL->toPlainText(), tooLong);

    // From the send panel, a refusal of a later group stops the earlier ones as well.
    w().EPL->setPlainText(QStringLiteral("P1"));
    s().CurrentParameterSet.SetpointTable.Setpoint2[8].assign(QStringLiteral("1,2,3"));
    w().SSCheck2[0]->setChecked(true);
    w().SSCheck2[3]->setChecked(true);
    sim().clearLog();
    f->dialogs.clear();
    f->program->paramset.SSCommand4_Click(0);
    EXPECT_TRUE(sim().frames.isEmpty());
    ASSERT_EQ(f->dialogs.messages().size(), 1);
    EXPECT_EQ(f->dialogs.messages().value(0).text, extraText(37) + QStringLiteral("\n9 / 2: 1,2,3"));
}

// Ticket lines read the same whatever page is in view; label text keeps its blanks; the label text
// shows only once it has been read whole.
TEST_F(Transfers, TextsReadBackAsTheyWereWritten) {
    start(Model::QM2);
    ParameterSet& r = s().CurrentParameterSet;
    r.HeaderLines[1].assign(QStringLiteral("  SECOND LINE       ") + QChar(0));
    r.FooterLines[1].assign(QStringLiteral("LAST") + QString(16, QChar(0)) + QChar(0));
    w().Baslık[0]->setText(QString()); // an empty box goes out as NULs
    for (QLineEdit* box : {w().Baslık[1], w().DipNot[1]})
        box->setText(QStringLiteral("x"));
    ASSERT_TRUE(run(&DeviceTransfers::writeHeaderToDevice));
    EXPECT_EQ(sim().committed(SimIndicator::Block::TicketLines).left(21), QByteArray(21, '\0'));
    for (int page : {0, 3, 6}) {
        s().ReadSelector = page;
        markShown();
        ASSERT_TRUE(run(&DeviceTransfers::readHeaderFromDevice));
        EXPECT_EQ(w().Baslık[0]->text(), "");
        EXPECT_EQ(w().Baslık[1]->text(), "  SECOND LINE       ");
        EXPECT_EQ(w().DipNot[1]->text(), "LAST");
    }

    useLabelPrinter(true);
    const QString text = QStringLiteral("N\r\n  A10,10,0,3,1,1,N,\"  KEPT  \"   \r\n P1\r\n");
    w().EPL->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    ASSERT_TRUE(run(&DeviceTransfers::writeHeaderToDevice));
    markShown();
    ASSERT_TRUE(run(&DeviceTransfers::readHeaderFromDevice));
    EXPECT_EQ(w().EPL->toPlainText(), QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    sim().faults.refuseRegisters = {217 + 16};
    markShown();
    EXPECT_FALSE(run(&DeviceTransfers::readHeaderFromDevice));
    EXPECT_EQ(w().EPL->toPlainText(), "?");
}

// A fault at any step of a read, the ID titles' included: the read ends there with the
// failed-answer box, the indicator is disconnected and told to leave host mode, and nothing of that
// answer (or after it) is decoded.
TEST_F(Transfers, AFaultAtAnyReadStepEndsTheReadWithNothingOfItDecoded) {
    struct Reader {
        const char* name;
        Exchange exchange;
        bool label;
    };
    const Reader readers[] = {
        {"parameters", &DeviceTransfers::ParametreHostOku, false},
        {"ID memories", &DeviceTransfers::IDOKUHost, false},
        {"setpoints", &DeviceTransfers::STPOKUHost, false},
        {"ticket lines", &DeviceTransfers::readHeaderFromDevice, false},
        {"label text", &DeviceTransfers::readHeaderFromDevice, true},
    };
    using Fault = std::function<void(SimIndicator::Faults&, int reg)>;
    const std::pair<const char*, Fault> faults[] = {
        {"silence", [](SimIndicator::Faults& x, int) { x.silent = true; }},
        {"error answer", [](SimIndicator::Faults& x, int reg) { x.refuseRegisters = {reg}; }},
        {"short answer", [](SimIndicator::Faults& x, int) { x.splitAnswer = true; }},
        {"wrong LRC", [](SimIndicator::Faults& x, int) { x.wrongLrc = true; }},
    };

    start(Model::QM2);
    keepIdRecords(3);
    for (const Reader& reader : readers) {
        useLabelPrinter(reader.label);
        // A clean read, with what the pages showed before each frame was answered.
        markShown();
        QList<QStringList> before;
        f->clock.onWait = [&](double) {
            if (sim().frames.size() > before.size())
                before << shown();
        };
        ASSERT_TRUE(run(reader.exchange)) << reader.name;
        f->clock.onWait = nullptr;
        const QStringList clean = sent();
        QList<int> registers;
        for (const SimIndicator::Frame& frame : sim().frames)
            registers << frame.firstRegister;

        // Every frame but host mode on and off.
        for (int k = 1; k + 1 < clean.size(); ++k) {
            for (const auto& [faultName, fault] : faults) {
                SCOPED_TRACE(QStringLiteral("%1: %2 at frame %3 (%4)")
                                 .arg(reader.name, faultName)
                                 .arg(k)
                                 .arg(clean[k])
                                 .toStdString());
                s().Connected = true;
                markShown();
                const int reg = registers[k];
                const Fault set = fault;
                f->clock.onWait = [this, k, reg, set](double) {
                    if (sim().frames.size() == k) {
                        sim().resetFaults();
                        set(sim().faults, reg);
                    } else if (sim().frames.size() == k + 1) {
                        sim().resetFaults();
                    }
                };
                const bool ok = run(reader.exchange);
                f->clock.onWait = nullptr;
                sim().resetFaults();

                EXPECT_FALSE(ok);
                ASSERT_EQ(f->dialogs.messages().size(), 1);
                EXPECT_EQ(f->dialogs.messages().value(0).text, errorText(0));
                EXPECT_EQ(f->dialogs.messages().value(0).icon, MsgIcon::Critical);
                const bool loadHeader = clean[k] == QLatin1String("cmd 3");
                EXPECT_EQ(f->dialogs.messages().value(0).title, loadHeader ? s().messages.StatusText[2] : QString());
                EXPECT_FALSE(s().Connected);
                EXPECT_EQ(sent(), clean.mid(0, k + 1) + QStringList{"cmd 20"});
                EXPECT_FALSE(sim().hostMode);
                EXPECT_EQ(shown(), before[k]);
            }
        }
    }
}

// An abort at any point of a write: nothing is committed or written after it, no further group
// runs, and the indicator is told to leave host mode.
TEST_F(Transfers, AnAbortAtAnyPointOfAWriteCommitsNothingAfterIt) {
    struct Writer {
        const char* name;
        Exchange exchange;
        bool label;
        int every; // abort points tried: every n-th frame (and the last ones)
    };
    const Writer writers[] = {
        {"parameters", &DeviceTransfers::ParametreHostYaz, false, 1},
        {"ID memories", &DeviceTransfers::IDYaz, false, 1},
        {"setpoints", &DeviceTransfers::STPYaz, false, 1},
        {"ticket lines", &DeviceTransfers::writeHeaderToDevice, false, 1},
        {"label text", &DeviceTransfers::writeHeaderToDevice, true, 13},
    };
    start(Model::QM2);
    ASSERT_TRUE(run(&DeviceTransfers::ParametreHostOku));
    tickParameterGroups(true, true, true, true);
    keepIdRecords(3);
    for (const Writer& writer : writers) {
        useLabelPrinter(writer.label);
        ASSERT_TRUE(run(writer.exchange)) << writer.name;
        const QStringList clean = sent();
        for (int k = 0; k + 1 < clean.size(); ++k) {
            if (k % writer.every != 0 && k + 3 < clean.size())
                continue;
            SCOPED_TRACE(
                QStringLiteral("%1: abort at frame %2 (%3)").arg(writer.name).arg(k).arg(clean[k]).toStdString());
            QList<QByteArray> atAbort;
            f->clock.onWait = [&, k](double) {
                if (sim().frames.size() == k + 1 && !s().AbortRequested) {
                    s().AbortRequested = true;
                    atAbort = committed();
                }
            };
            sim().clearLog();
            f->dialogs.clear();
            s().AbortRequested = false;
            const bool ok = (transfers().*writer.exchange)();
            f->clock.onWait = nullptr;

            EXPECT_FALSE(ok);
            EXPECT_EQ(committed(), atAbort);
            const QStringList after = sent().mid(k + 1);
            for (int code : kStoreCodes)
                EXPECT_FALSE(after.contains(QStringLiteral("cmd %1").arg(code))) << after.join(", ").toStdString();
            // The write under way is the last: no further line, record, piece or group goes out,
            // only host mode off.
            EXPECT_EQ(after, QStringList{"cmd 20"}) << after.join(", ").toStdString();
            EXPECT_FALSE(sim().hostMode);
            EXPECT_TRUE(f->dialogs.shown.isEmpty());
        }
    }
}

// An abort at any point of the ID or setpoint read: no further record is asked for, no message, and
// the indicator is told to leave host mode.
TEST_F(Transfers, AnAbortOfARecordReadLeavesHostMode) {
    struct Reader {
        const char* name;
        Exchange exchange;
        QString selector; // the frame that starts a record
    };
    const Reader readers[] = {
        {"ID memories", &DeviceTransfers::IDOKUHost, QStringLiteral("W105/2")},
        {"setpoints", &DeviceTransfers::STPOKUHost, QStringLiteral("W117/2")},
    };
    start(Model::QM2);
    keepIdRecords(3);
    for (const Reader& reader : readers) {
        ASSERT_TRUE(run(reader.exchange)) << reader.name;
        const QStringList clean = sent();
        for (int k = 0; k + 1 < clean.size(); ++k) {
            SCOPED_TRACE(
                QStringLiteral("%1: abort at frame %2 (%3)").arg(reader.name).arg(k).arg(clean[k]).toStdString());
            f->clock.onWait = [&, k](double) {
                if (sim().frames.size() == k + 1)
                    s().AbortRequested = true;
            };
            sim().clearLog();
            f->dialogs.clear();
            s().AbortRequested = false;
            const bool ok = (transfers().*reader.exchange)();
            f->clock.onWait = nullptr;

            EXPECT_FALSE(ok);
            const QStringList after = sent().mid(k + 1);
            EXPECT_FALSE(after.contains(reader.selector)) << after.join(", ").toStdString();
            ASSERT_FALSE(after.isEmpty());
            EXPECT_EQ(after.last(), "cmd 20");
            EXPECT_FALSE(sim().hostMode);
            EXPECT_TRUE(f->dialogs.shown.isEmpty());
            EXPECT_TRUE(s().Connected);
        }
    }
}

// Read everything, edit the pages, send everything, read again: the indicator has committed what
// was sent and the pages show what was edited, for both models. The decimal rows' cells keep their
// display text throughout the write; their raw values are what is sent.
TEST_F(Transfers, ARoundTripThroughTheIndicatorKeepsTheEdits) {
    for (Model model : {Model::QM1, Model::QM2}) {
        const bool qm2 = model == Model::QM2;
        SCOPED_TRACE(qm2 ? "QM2" : "QM1");
        start(model);
        s().DivisionDecimals.clear();
        ParamsetProcs& procs = f->program->paramset;

        ASSERT_TRUE(run(&DeviceTransfers::readHeaderFromDevice));
        ASSERT_TRUE(run(&DeviceTransfers::ParametreHostOku));
        if (qm2) {
            ASSERT_TRUE(run(&DeviceTransfers::IDOKUHost));
            ASSERT_TRUE(run(&DeviceTransfers::STPOKUHost));
        }

        const QStringList firstRead = shown();
        const ParameterValues firstValues = s().param;

        // Edits, as the page editors leave them.
        w().Baslık[3]->setText(QStringLiteral("NEW HEADER"));
        w().DipNot[0]->setText(QStringLiteral("THANK YOU"));
        GridPage& page = grid(GridParameters);
        if (qm2) // the first model has no clock
            page.setTextMatrix(1, 1, QStringLiteral("28-02-24 \\ 23:59:58"));
        page.setTextMatrix(19, 1, QStringLiteral("9"));
        page.setTextMatrix(3, 1, s().messages.CfgText[3]);
        s().param.ValueArray[0] = -1234;
        page.setTextMatrix(18, 1, FormatLikeMaximum(-1234.0, s()));
        s().param.Word78 = 40000;
        page.setTextMatrix(78, 1, QStringLiteral("40000"));
        s().param.CalRaw2 = 77;
        page.setTextMatrix(70, 1, ikile(77));
        page.setTextMatrix(21, 1, QStringLiteral("10"));
        if (qm2) {
            grid(GridIdMemories).setTextMatrix(3, 1, QStringLiteral("555"));
            grid(GridIdMemories).setTextMatrix(3, 2, QStringLiteral("NEW NAME"));
            w().Text8->setText(QStringLiteral("PLATE"));
            grid(GridSetpoints).setTextMatrix(2, 1, QStringLiteral("40"));
            grid(GridSetpoints).setTextMatrix(9, 3, QStringLiteral("123456"));
        }
        procs.fillRecordFromPages();
        const QStringList decimalRows{param(18), param(20), param(56)};

        ASSERT_TRUE(run(&DeviceTransfers::writeHeaderToDevice));
        if (qm2) {
            ASSERT_TRUE(run(&DeviceTransfers::IDYaz));
            ASSERT_TRUE(run(&DeviceTransfers::STPYaz));
        }
        tickParameterGroups(true, true, true, true);
        int waits = 0;
        f->clock.onWait = [&](double) {
            ++waits;
            EXPECT_EQ((QStringList{param(18), param(20), param(56)}), decimalRows);
        };
        ASSERT_TRUE(run(&DeviceTransfers::ParametreHostYaz));
        f->clock.onWait = nullptr;
        EXPECT_GT(waits, 20);
        EXPECT_EQ(param(21), "9,9"); // brought into its range before it was sent
        EXPECT_TRUE(allCommitted());
        EXPECT_EQ(sim().committed(SimIndicator::Block::ConfigNrm).mid(8, 4), QByteArray("\xFF\xFF\xFB\x2E", 4));

        // Back to what the first read showed, so that only the indicator can bring the edits back.
        const QStringList edited = shown();
        restoreShown(firstRead);
        s().param = firstValues;
        ASSERT_TRUE(run(&DeviceTransfers::readHeaderFromDevice));
        ASSERT_TRUE(run(&DeviceTransfers::ParametreHostOku));
        if (qm2) {
            ASSERT_TRUE(run(&DeviceTransfers::IDOKUHost));
            ASSERT_TRUE(run(&DeviceTransfers::STPOKUHost));
        }
        const QStringList& expected = edited;
        const QStringList now = shown();
        ASSERT_EQ(now.size(), expected.size());
        // The read pads what the record padded: header and footer lines to 20, names to 16.
        EXPECT_EQ(w().Baslık[3]->text(), QStringLiteral("NEW HEADER").leftJustified(20));
        EXPECT_EQ(w().DipNot[0]->text(), QStringLiteral("THANK YOU").leftJustified(20));
        for (int i = 0; i < now.size(); ++i) {
            if (now[i] != expected[i]) {
                EXPECT_EQ(now[i].trimmed(), expected[i].trimmed()) << "item " << i;
            }
        }
        EXPECT_EQ(s().param.ValueArray[0], -1234);
        EXPECT_EQ(s().param.Word78, qint16(40000));
        EXPECT_EQ(s().param.CalRaw2, 77);
        if (qm2) {
            EXPECT_EQ(grid(GridIdMemories).TextMatrix(3, 2), QStringLiteral("NEW NAME").leftJustified(16));
            EXPECT_EQ(grid(GridSetpoints).TextMatrix(2, 1), "40");
        }
        EXPECT_TRUE(f->dialogs.shown.isEmpty());
    }
}

namespace {

// The lines of the transfer log in the program folder, as bytes.
QList<QByteArray> transferLog(WindowFixture& f) {
    QFile file(f.folder() + QStringLiteral("QMxLog.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = file.readAll().split('\n');
    lines.removeAll(QByteArray());
    return lines;
}

// The end of a checksum line for an answer of that many registers ("ı" is byte FD in the log's
// code page), CR included.
QByteArray checksumLine(int registers) {
    return " - [000]-[" + QByteArray::number(registers, 16).toUpper().rightJustified(4, '0') +
           "]--- CHKSum Hatas\xFD...\r";
}

// Runs a panel job twice: cleanly, to find the n-th frame described as `frame`, then with a wrong
// LRC on the answer to that frame alone. Gives the frames of the clean run (empty when the frame
// was not among them).
QStringList withWrongLrcOn(WindowFixture& f, const QString& frame, int nth, const std::function<void()>& job) {
    f.indicator.clearLog();
    job();
    QStringList clean;
    for (const SimIndicator::Frame& x : f.indicator.frames)
        clean << describe(x);
    qsizetype k = -1;
    for (int n = 0; n <= nth; ++n)
        if ((k = clean.indexOf(frame, k + 1)) < 0)
            return {};
    f.indicator.clearLog();
    f.clock.onWait = [&f, k](double) { f.indicator.faults.wrongLrc = f.indicator.frames.size() == k; };
    job();
    f.clock.onWait = nullptr;
    f.indicator.resetFaults();
    return clean;
}

} // namespace

// A read answer (or a selector or load acknowledgement on the way to it) whose checksum is wrong
// fails the read it belongs to, started from the read panel as a person does: the failed-answer
// box, the connection dropped with the lamp red, and one line in the transfer log beside the
// program. The ID titles are checked as the records are: a failed one keeps its box as it was.
TEST_F(Transfers, AWrongChecksumOnAReadAnswerFailsTheReadAndIsLogged) {
    struct Case {
        const char* name;
        int box; // on the read panel
        bool label;
        const char* frame;
        int nth; // occurrence of the frame in the job
        int registers;
    };
    const Case cases[] = {
        {"clock", 3, false, "R124/8", 0, 4},
        {"calibration block", 3, false, "R128/40", 0, 20},
        {"configuration block", 3, false, "R174/50", 0, 25},
        {"info text", 3, false, "R204/10", 0, 5},
        {"calibration load code", 3, false, "cmd 12", 0, 1},
        {"ID title 2", 1, false, "R209/14", 1, 7},
        {"ID title 2 selector", 1, false, "W209/2", 1, 1},
        {"ID record", 1, false, "R105/24", 2, 12},
        {"setpoint", 2, false, "R117/14", 4, 7},
        {"setpoint load code", 2, false, "cmd 1", 0, 1},
        {"ticket line", 0, false, "R71/22", 0, 11},
        {"label text", 0, true, "R225/8", 0, 4},
    };
    start(Model::QM2);
    keepIdRecords(3);
    auto readPanel = [this](int box) {
        f->dialogs.clear();
        w().MnDosya[9]->trigger();
        for (int k = 0; k < 5; ++k)
            w().SSCheck1[k]->setChecked(k == box);
        w().SSCommand2[0]->click();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useLabelPrinter(c.label);
        if (!s().Connected)
            w().connect->trigger();
        ASSERT_TRUE(s().Connected);
        markShown();
        const QList<QByteArray> before = transferLog(*f);
        const QStringList clean = withWrongLrcOn(*f, QString::fromLatin1(c.frame), c.nth, [&] {
            if (c.box == 1)
                w().Text8->setText(QStringLiteral("KEPT"));
            readPanel(c.box);
        });
        ASSERT_FALSE(clean.isEmpty());

        ASSERT_EQ(f->dialogs.messages().size(), 1);
        EXPECT_EQ(f->dialogs.messages().value(0).text, errorText(0));
        EXPECT_FALSE(s().Connected);
        EXPECT_FALSE(w().Image2[0]->isHidden()) << "the lamp is red";
        EXPECT_TRUE(w().Image2[1]->isHidden());
        const QList<QByteArray> log = transferLog(*f);
        ASSERT_EQ(log.size(), before.size() + 1);
        EXPECT_TRUE(log.last().endsWith(checksumLine(c.registers))) << log.last().constData();
        if (QLatin1String(c.frame).contains(QLatin1String("209"))) {
            EXPECT_EQ(w().Text6->text(), QStringLiteral("URUN")) << "title 1 was read";
            EXPECT_EQ(w().Text8->text(), QStringLiteral("KEPT")) << "title 2 keeps its text";
        }
    }
}

// A write acknowledgement whose checksum is wrong is logged and otherwise taken as before: the
// echo of a line counts, so nothing is sent again and the lines are committed; the send panel's
// first code goes on to the groups.
TEST_F(Transfers, AWrongChecksumOnAWriteAcknowledgementIsLoggedAndTheEchoCounts) {
    struct Case {
        const char* name;
        const char* frame;
        int registers;
    };
    const Case cases[] = {
        {"panel's first code", "cmd 3", 1},
        {"ticket line", "W50/22", 11},
        {"store code", "cmd 4", 1},
    };
    start(Model::QM2);
    w().Baslık[1]->setText(QStringLiteral("SENT LINE"));
    auto sendPanel = [this] {
        f->dialogs.clear();
        w().MnDosya[8]->trigger();
        for (QCheckBox* box : w().SSCheck2)
            box->setChecked(box == w().SSCheck2[0]);
        w().SSCommand4[0]->click();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QList<QByteArray> before = transferLog(*f);
        const QStringList clean = withWrongLrcOn(*f, QString::fromLatin1(c.frame), 0, sendPanel);
        ASSERT_FALSE(clean.isEmpty());
        EXPECT_EQ(sent(), clean);
        EXPECT_TRUE(f->dialogs.messages().isEmpty());
        EXPECT_TRUE(s().Connected);
        EXPECT_TRUE(sim().committed(SimIndicator::Block::TicketLines).contains("SENT LINE"));
        const QList<QByteArray> log = transferLog(*f);
        ASSERT_EQ(log.size(), before.size() + 1);
        EXPECT_TRUE(log.last().endsWith(checksumLine(c.registers))) << log.last().constData();
    }
}

// The parameter read shows the model's display name and the rest of the version text in row 82,
// and the info text whole in row 83, without the one character the indicator ends it with.
TEST_F(Transfers, TheParameterReadShowsTheIdentificationTexts) {
    start(Model::QM2);
    const QStringList& models = s().messages.ModelText;
    struct Case {
        QByteArray version, info;
        int page; // in view: the header page's reads drop NUL characters
        QString row82, row83;
    };
    const Case cases[] = {
        {"QM2 v1.23 ", "SN 104872 ", 4, models.value(1) + QStringLiteral(" v1.23 "), QStringLiteral("SN 104872")},
        {"QM1 v1.07 ", "SN 093311 ", 4, models.value(0) + QStringLiteral(" v1.07 "), QStringLiteral("SN 093311")},
        {"XY9 v0.01 ", QByteArray("ABC\0\0\0\0\0\0\0", 10), 0, QStringLiteral(" v0.01 "), QStringLiteral("AB")},
    };
    ASSERT_FALSE(models.value(1).isEmpty());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version.toStdString());
        sim().setBytes(SimIndicator::VersionTextRegister, c.version);
        sim().setBytes(SimIndicator::InfoTextRegister, c.info);
        s().ReadSelector = c.page;
        ASSERT_TRUE(run(&DeviceTransfers::ParametreHostOku));
        EXPECT_EQ(param(82), c.row82);
        EXPECT_EQ(param(83), c.row83);
    }
}
