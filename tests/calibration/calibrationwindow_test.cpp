#include "support/promptanswers.h"
#include "support/userinput.h"
#include "support/windowfixture.h"

#include "calibration/calibrationprocs.h"
#include "calibration/calibrationregisters.h"
#include "link/frames.h"
#include "pages/gridlayout.h"
#include "platform/basic.h"
#include "platform/cp1254.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QProgressBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class CalibrationWindow : public ::testing::Test {
protected:
    void start(const QString& address = QString(), bool checksum = true) {
        f = std::make_unique<WindowFixture>(SimIndicator::Model::QM2);
        ASSERT_TRUE(f->start(QStringLiteral("QM2")));
        s().DeviceAddress = address;
        s().ChecksumOn = checksum;
        f->indicator.address = address;
        f->indicator.checksumOn = checksum;
        f->connection().Image2_Click(0);
        ASSERT_TRUE(s().Connected);
        f->dialogs.clear();
        f->indicator.clearLog();
    }
    // The calibration page as entering it reads it.
    void readPage() {
        cal().prepareSetupRead();
        cal().KalibrasyonHost();
        f->dialogs.clear();
        f->indicator.clearLog();
    }

    Session& s() { return f->session(); }
    MainWidgets& w() { return f->w(); }
    CalibrationProcs& cal() { return f->program->calibration; }
    GridPage& status() { return f->program->window.pages()[GridStatus]; }

    QByteArray W(int reg, int count, const char* kind, const QVariant& data) {
        return BuildWriteFrame(s().DeviceAddress, reg, count, s().ChecksumOn, QString::fromLatin1(kind), data)
            .toLatin1();
    }
    QByteArray R(int reg, int count) {
        return BuildReadFrame(s().DeviceAddress, reg, count, s().ChecksumOn).toLatin1();
    }
    QList<QByteArray> frames() const {
        QList<QByteArray> out;
        for (const SimIndicator::Frame& fr : f->indicator.frames)
            out << fr.raw;
        return out;
    }
    // Empty when nothing was sent, so a test expecting a frame fails instead of crashing the suite.
    QByteArray lastFrame() const { return frames().value(frames().size() - 1); }
    int count(const QByteArray& frame) const { return int(frames().count(frame)); }
    QStringList messages() const {
        QStringList out;
        for (const auto& m : f->dialogs.messages())
            out << m.text;
        return out;
    }
    QString extra(int k) { return s().messages.ExtraText[k]; }
    QString step(int k) { return s().messages.StepText[k]; }
    QString notice(int k) { return s().messages.NoticeText[k]; }
    QString errorText(int k) { return s().messages.ErrorText[k]; }
    QColor label4Colour() { return w().Label4->palette().color(QPalette::Window); }

    // Runs a calibration of the given kind through its option and start button.
    // Lets real timers fire for the given time.
    static void runEventsFor(int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

    void run(int kind) {
        setOption(w().Option1[kind], true);
        cal().Option1_Click(kind);
        ASSERT_TRUE(w().SSCommand3->isEnabled());
        cal().SSCommand3_Click();
    }

    std::unique_ptr<WindowFixture> f;
};

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);

} // namespace

// ---------------------------------------------------------------------------------------------
// Reading the set-up

TEST_F(CalibrationWindow, TheRangeSetUpIsReadAtConnectWithAndWithoutAddressAndChecksum) {
    struct Line {
        const char* address;
        bool checksum;
    };
    for (const Line& line : {Line{"", true}, Line{"", false}, Line{"07", true}, Line{"07", false}}) {
        SCOPED_TRACE(testing::Message() << "address '" << line.address << "' checksum " << line.checksum);
        start(QString::fromLatin1(line.address), line.checksum);
        // Two ranges: 15 kg in 0.005 kg, 20 kg in 0.05 kg (the normal table made to offer it).
        s().DefinitionTableN[11][4] = QStringLiteral("8 - 0.05 Kg");
        f->indicator.setBytes(128, QByteArray::fromHex("010009050B08"));
        f->indicator.setBytes(149, QByteArray::fromHex("0A7F"));

        cal().TaksimatBul();

        EXPECT_EQ(frames(), QList<QByteArray>({W(19, 2, "Lg", 7), R(149, 2), W(19, 2, "Lg", 12), R(128, 6)}));
        EXPECT_TRUE(messages().isEmpty());
        EXPECT_FALSE(f->port.isOpen());
        EXPECT_EQ(w().Combo4[5]->currentIndex(), 0); // "0A" read as a decimal number
        EXPECT_EQ(s().cal.ConfigByte1Text, QStringLiteral("7F"));
        EXPECT_EQ(w().Combo4[0]->currentIndex(), 1);
        EXPECT_EQ(w().Combo4[1]->currentText(), QStringLiteral("9 - 15 Kg"));
        EXPECT_EQ(w().Combo4[3]->currentText(), QStringLiteral("11 - 20 Kg"));
        EXPECT_EQ(w().Combo4[2]->currentText(), QStringLiteral("5 - 0.005 Kg"));
        EXPECT_EQ(w().Combo4[4]->currentText(), QStringLiteral("8 - 0.05 Kg"));
        EXPECT_EQ(w().Combo44[1]->currentText(), QStringLiteral("15 Kg"));
        EXPECT_EQ(w().Combo44[4]->currentText(), QStringLiteral("0.05 Kg"));
        EXPECT_EQ(s().Capacity, 20);
        EXPECT_EQ(s().DisplayMaximum, 20.045);
        EXPECT_EQ(s().DisplayMinimum, -2);
        EXPECT_EQ(s().DivisionIntPart, QStringLiteral("0"));
        EXPECT_EQ(s().DivisionDecimals, QStringLiteral("005"));
    }
}

TEST_F(CalibrationWindow, ACodeNotInTheTableLeavesNoLimitsAndTellsTheUser) {
    start();
    // The connect read the indicator's own set-up: 300 kg in 0.005 kg.
    EXPECT_EQ(s().DisplayMaximum, 300.045);
    EXPECT_EQ(s().DivisionDecimals, QStringLiteral("005"));
    // Division code 3 (0.001 kg) is not offered with 300 kg.
    f->indicator.setBytes(128, QByteArray::fromHex("00001E031E03"));
    cal().TaksimatBul();
    EXPECT_EQ(messages(), QStringList({extra(SetupNotInTableText)}));
    EXPECT_FALSE(s().DisplayMaximum);
    EXPECT_FALSE(s().Capacity);
    EXPECT_TRUE(s().DivisionDecimals.isEmpty());

    // Without the configuration byte, a range mode and capacity codes in no list, or no range
    // record at all, leave the lists at the earlier reading's 300 kg and 0.005 kg: those entries
    // are not this indicator's and give no limits.
    for (bool answered : {true, false}) {
        SCOPED_TRACE(answered ? "codes in no list" : "no range record");
        f->indicator.resetFaults();
        f->indicator.setBytes(128, QByteArray::fromHex("00001E051E05"));
        cal().TaksimatBul();
        ASSERT_EQ(s().DisplayMaximum, 300.045);
        f->dialogs.clear();
        f->indicator.setBytes(128, QByteArray::fromHex("09007F057F05"));
        f->indicator.faults.refuseRegisters = {149};
        if (!answered)
            f->indicator.faults.refuseRegisters << 128;
        cal().TaksimatBul();
        ASSERT_EQ(w().Combo4[3]->currentText(), QStringLiteral("30 - 300 Kg"));
        ASSERT_EQ(w().Combo4[2]->currentText(), QStringLiteral("5 - 0.005 Kg"));
        EXPECT_EQ(messages(), QStringList({extra(SetupNotInTableText)}));
        EXPECT_FALSE(s().DisplayMaximum);
        EXPECT_FALSE(s().Capacity);
        EXPECT_TRUE(s().DivisionDecimals.isEmpty());
    }
    f->indicator.resetFaults();

    // An indicator that refuses the load command ends the reading without any change.
    f->indicator.setBytes(128, QByteArray::fromHex("00001E051E05"));
    cal().TaksimatBul();
    ASSERT_TRUE(s().DisplayMaximum);
    f->indicator.clearLog();
    f->indicator.faults.refuseRegisters = {19};
    f->dialogs.clear();
    cal().TaksimatBul();
    EXPECT_EQ(frames().size(), 1);
    EXPECT_EQ(s().DisplayMaximum, 300.045);
    EXPECT_TRUE(messages().isEmpty());
}

// The metrological byte is a decimal number to the indicator: "1F" chooses entry 1 and "0A" entry
// 0, where read as hex they would be 31 and 10, no entry at all. So at the connect and on entering
// the calibration page.
TEST_F(CalibrationWindow, TheMetrologicalByteIsReadAsADecimalNumber) {
    start();
    struct Reader {
        const char* what;
        std::function<void()> read;
    };
    const QList<Reader> readers = {
        {"connect",
         [this] {
             f->connection().Image2_Click(1);
             f->connection().Image2_Click(0);
         }},
        {"calibration page", [this] { readPage(); }},
    };
    for (const Reader& reader : readers) {
        for (const auto& [byte, index] : {std::pair{"1F", 1}, std::pair{"0A", 0}, std::pair{"1F", 1}}) {
            SCOPED_TRACE(testing::Message() << reader.what << " " << byte);
            f->indicator.setBytes(149, QByteArray::fromHex(QByteArray(byte) + "01A10000B200C3"));
            reader.read();
            ASSERT_TRUE(s().Connected);
            EXPECT_EQ(w().Combo4[5]->currentIndex(), index);
            EXPECT_EQ(s().cal.ConfigByte1Text, QStringLiteral("01"));
        }
    }
}

TEST_F(CalibrationWindow, FullReadingOfTheCalibrationPage) {
    start();
    f->indicator.setReg(195, 0x0100);
    f->indicator.setBytes(149, QByteArray::fromHex("0001A10000B200C3"));
    cal().prepareSetupRead();
    cal().KalibrasyonHost();

    EXPECT_EQ(frames(),
              QList<QByteArray>({R(25, 2), R(195, 2), W(19, 2, "Lg", 7), R(149, 10), W(19, 2, "Lg", 12), R(128, 6)}));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(s().cal.AnalogOutputIsVoltage);
    EXPECT_TRUE(w().Option4[1]->isChecked());
    EXPECT_EQ(s().cal.AnalogCardPresent, true);
    EXPECT_EQ(s().cal.CalibrationEnabled, true);
    EXPECT_EQ(s().cal.ConfigByte1Text, QStringLiteral("01"));
    EXPECT_EQ(s().cal.CalibrationRecordPart1, QStringLiteral("A1"));
    EXPECT_EQ(s().cal.CalibrationRecordPart2, QStringLiteral("B2"));
    EXPECT_EQ(s().cal.CalibrationRecordPart3, QStringLiteral("C3"));
    EXPECT_EQ(w().Command1->text(), QStringLiteral("0 - 005"));
    EXPECT_TRUE(w().Timer3->isActive());
    EXPECT_TRUE(w().SSTab1->isEnabled());
    EXPECT_FALSE(w().SSCommand3->isEnabled());
    EXPECT_FALSE(f->port.isOpen());
    // Weight mode, no kind chosen, set-up lists locked until a general calibration is chosen.
    EXPECT_TRUE(w().Frame1->isEnabled());
    EXPECT_FALSE(w().Combo4[0]->isEnabled());
    EXPECT_FALSE(w().Combo44[1]->isEnabled());
    EXPECT_EQ(w().Combo4[1]->currentText(), QStringLiteral("30 - 300 Kg"));
    cal().Option1_Click(0);
    EXPECT_TRUE(w().Combo4[0]->isEnabled());
    EXPECT_TRUE(w().Combo44[2]->isEnabled());
    EXPECT_FALSE(w().Combo44[3]->isEnabled()); // single range
}

TEST_F(CalibrationWindow, FullReadingFailures) {
    start();
    // Register 149 refused after the load command: the failure box, the tab usable again, no live
    // weight.
    f->indicator.faults.refuseRegisters = {149};
    cal().KalibrasyonHost();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages().value(0), QStringLiteral("5:") + errorText(0));
    EXPECT_TRUE(s().Connected);
    EXPECT_TRUE(w().SSTab1->isEnabled());
    EXPECT_FALSE(w().Timer3->isActive());

    // A silent indicator: the hardware and analog-output registers were asked, then the load
    // command's silence disconnects.
    f->dialogs.clear();
    f->indicator.clearLog();
    f->indicator.resetFaults();
    f->indicator.faults.silent = true;
    s().cal.AnalogOutputIsVoltage = true;
    cal().KalibrasyonHost();
    EXPECT_EQ(messages(), QStringList({errorText(0)}));
    EXPECT_FALSE(s().Connected);
    EXPECT_EQ(frames(), QList<QByteArray>({R(25, 2), R(195, 2), W(19, 2, "Lg", 7)}));
    EXPECT_TRUE(s().cal.AnalogOutputIsVoltage); // no answer changes nothing
    EXPECT_TRUE(w().SSTab1->isEnabled());
    EXPECT_FALSE(f->port.isOpen());
}

// ---------------------------------------------------------------------------------------------
// Weight calibration

TEST_F(CalibrationWindow, GeneralCalibrationWritesTheSetUpAndRunsEveryStep) {
    start();
    readPage();
    PromptAnswers prompt(*f, {QStringLiteral("150")});
    f->dialogs.answerMessage(MsgResult::Ok);
    // Send choices left ticked from an earlier send of a page read before the calibration.
    for (int k : {5, 6, 7}) {
        w().SSCheck2[k]->setEnabled(true);
        w().SSCheck2[k]->setChecked(true);
    }
    run(0);

    // The page's calibration and range set-up are older than the indicator's now: they cannot be
    // sent back until the page is read or opened again.
    for (int k : {5, 6}) {
        EXPECT_FALSE(w().SSCheck2[k]->isChecked()) << k;
        EXPECT_FALSE(w().SSCheck2[k]->isEnabled()) << k;
    }
    EXPECT_TRUE(w().SSCheck2[7]->isChecked());
    EXPECT_EQ(frames(), QList<QByteArray>({
                            W(19, 2, "Lg", 12),
                            R(146, 4),
                            W(144, 4, "Lg", 80150),
                            W(146, 4, "Lg", 0),
                            W(19, 2, "Lg", 19),
                            W(128, 2, "By", "0000"),
                            W(129, 2, "By", "1E05"),
                            W(130, 2, "By", "1E05"),
                            W(149, 2, "By", "0001"),
                            W(19, 2, "Lg", 13),
                            W(19, 2, "Lg", 9),
                            W(22, 2, "Lg", 1),
                            W(19, 2, "Lg", 20),
                            W(22, 2, "Lg", 3),
                            R(23, 2),
                            R(23, 2),
                            W(20, 4, "Lg", 150000),
                            W(22, 2, "Lg", 4),
                            R(23, 2),
                            R(23, 2),
                            W(22, 2, "Lg", 2),
                        }));
    EXPECT_EQ(messages(), QStringList({step(11)}));
    EXPECT_EQ(prompt.suggestions, QStringList({QStringLiteral("150")}));
    EXPECT_EQ(f->indicator.longAt(144), 80150);
    EXPECT_EQ(f->indicator.longAt(146), 0);
    EXPECT_FALSE(f->indicator.calibrating);
    EXPECT_EQ(w().Label4->text(), step(10));
    EXPECT_EQ(label4Colour(), kGreen);
    EXPECT_FALSE(w().SSCommand3->isEnabled());
    EXPECT_FALSE(w().Option1[0]->isChecked());
    EXPECT_TRUE(w().Timer3->isActive());
    EXPECT_TRUE(w().SSTab1->isEnabled());
    EXPECT_FALSE(f->port.isOpen());
    EXPECT_FALSE(s().deviceBusy);
}

TEST_F(CalibrationWindow, TwoRangeUploadWritesTheConfigurationTail) {
    start();
    s().DefinitionTableN[11][4] = QStringLiteral("8 - 0.05 Kg");
    f->indicator.setBytes(128, QByteArray::fromHex("010009050B08"));
    f->indicator.setBytes(149, QByteArray::fromHex("0001A10000B200C3"));
    readPage();
    PromptAnswers prompt(*f, {});
    f->dialogs.answerMessage(MsgResult::Ok);
    run(0);
    EXPECT_EQ(count(W(128, 2, "By", "0100")), 1);
    EXPECT_EQ(count(W(129, 2, "By", "0905")), 1);
    EXPECT_EQ(count(W(130, 2, "By", "0B08")), 1);
    EXPECT_EQ(count(W(150, 6, "By", "A10101B201C3")), 1);
    // Cancelled at the prompt: no span weight, the finish step still ends the run.
    EXPECT_EQ(count(W(20, 4, "Lg", 0)), 0);
    EXPECT_EQ(lastFrame(), W(22, 2, "Lg", 2));
}

TEST_F(CalibrationWindow, AGeneralCalibrationNeedsTheBytesItWritesBack) {
    start();
    // Connected, but the calibration page was never read: the tail bytes of a two-range set-up are
    // unknown, and the connect has emptied them.
    s().cal.CalibrationEnabled = true;
    s().DefinitionTableN[11][4] = QStringLiteral("8 - 0.05 Kg");
    f->indicator.setBytes(128, QByteArray::fromHex("010009050B08"));
    cal().TaksimatBul();
    f->indicator.clearLog();
    run(0);
    EXPECT_EQ(messages(), QStringList({extra(SetupNotReadText)}));
    EXPECT_TRUE(frames().isEmpty());
    EXPECT_TRUE(w().SSTab1->isEnabled());

    // Read in an earlier connection: after connecting again they are not taken, even when the
    // indicator's configuration byte cannot be read at the connect.
    for (bool twoRanges : {true, false}) {
        SCOPED_TRACE(twoRanges ? "two ranges" : "one range");
        f->indicator.setBytes(128, QByteArray::fromHex(twoRanges ? "010009050B08" : "00001E051E05"));
        f->indicator.setBytes(149, QByteArray::fromHex("0001A10000B200C3"));
        readPage();
        ASSERT_EQ(s().cal.CalibrationRecordPart1, QStringLiteral("A1"));
        f->connection().Image2_Click(1);
        if (!twoRanges)
            f->indicator.faults.refuseRegisters = {149};
        f->connection().Image2_Click(0);
        ASSERT_TRUE(s().Connected);
        f->indicator.resetFaults();
        f->indicator.clearLog();
        f->dialogs.clear();
        // A run that went ahead stops at its first question.
        PromptAnswers prompt(*f, {});
        f->dialogs.answerMessage(MsgResult::Cancel);
        run(0);
        EXPECT_EQ(messages(), QStringList({extra(SetupNotReadText)}));
        EXPECT_TRUE(frames().isEmpty());
    }
}

TEST_F(CalibrationWindow, SpanWeightEntries) {
    start();
    readPage();
    // 300.045 kg maximum, three decimals: limit 300000.
    {
        PromptAnswers prompt(*f, {QStringLiteral("12.3456"), QStringLiteral("."), QStringLiteral("300.001"),
                                  QStringLiteral("0"), QStringLiteral("12,5")});
        run(2);
        EXPECT_EQ(messages(), QStringList({extra(SpanDecimalsText), extra(SpanNotANumberText), notice(15)}));
        EXPECT_EQ(prompt.shown, 5);
        EXPECT_EQ(prompt.suggestions.value(0), QStringLiteral("150"));
    }
    // Each pass through the prompt of a span-only run begins the calibration anew.
    EXPECT_EQ(count(W(22, 2, "Lg", 1)), 5);
    EXPECT_EQ(count(W(20, 4, "Lg", 12500)), 1);
    EXPECT_EQ(w().Label4->text(), step(10));

    // "12.5" is the same weight.
    f->indicator.clearLog();
    {
        PromptAnswers again(*f, {QStringLiteral("12.5")});
        run(2);
        EXPECT_EQ(count(W(20, 4, "Lg", 12500)), 1);
    }

    // The limit is the whole part of the display maximum: 300 kg in 0.1 kg shows up to 300.9 kg,
    // yet 300.5 kg is above the limit of 300.0 kg.
    f->indicator.setBytes(128, QByteArray::fromHex("00001E091E09"));
    readPage();
    ASSERT_EQ(s().DisplayMaximum, 300.9);
    ASSERT_EQ(s().DivisionDecimals, QStringLiteral("1"));
    PromptAnswers tenths(*f, {QStringLiteral("300.5"), QStringLiteral("300")});
    run(2);
    EXPECT_EQ(messages(), QStringList({notice(15)}));
    EXPECT_EQ(count(W(20, 4, "Lg", 3005)), 0);
    EXPECT_EQ(count(W(20, 4, "Lg", 3000)), 1);
}

// A span needs a weight on the scale: a span-only run whose display shows none, or cannot be read,
// asks for no weight.
TEST_F(CalibrationWindow, ASpanOnlyRunNeedsAWeightOnTheScale) {
    struct Case {
        qint32 display;
        bool silent;
        bool refused;
    };
    for (const Case& c : {Case{0, false, true}, Case{-5, false, true}, Case{7, true, true}, Case{1, false, false}}) {
        SCOPED_TRACE(testing::Message() << "display " << c.display << (c.silent ? " unanswered" : ""));
        start();
        readPage();
        PromptAnswers prompt(*f, {});
        f->indicator.setLong(0, c.display);
        f->indicator.faults.silent = c.silent;
        run(2);

        EXPECT_EQ(prompt.shown, c.refused ? 0 : 1);
        if (c.refused) {
            ASSERT_EQ(f->dialogs.messages().size(), 1);
            const ScriptedDialogs::Shown box = f->dialogs.messages().value(0);
            EXPECT_EQ(box.text, notice(0));
            EXPECT_EQ(box.title, s().messages.StatusText[2]);
            EXPECT_EQ(box.icon, MsgIcon::Critical);
            EXPECT_EQ(frames(), QList<QByteArray>({R(0, 4)}));
        } else {
            EXPECT_TRUE(messages().isEmpty());
        }
        EXPECT_TRUE(s().Connected);
        EXPECT_TRUE(w().SSTab1->isEnabled());
        EXPECT_FALSE(f->port.isOpen());
    }
}

// Two ranges need a finer division in range 1 than in range 2: equal or coarser division codes
// are refused before anything is sent.
TEST_F(CalibrationWindow, TwoRangesNeedARange2DivisionAboveRange1s) {
    start();
    for (const char* range2 : {"0B05", "0B04", "0B06"}) {
        SCOPED_TRACE(range2);
        const bool refused = QByteArray(range2) != "0B06";
        f->indicator.setBytes(128, QByteArray::fromHex(QByteArray("01000905") + range2));
        readPage();
        ASSERT_EQ(SetupChoices::entryCode(w().Combo4[4]->currentText()), QByteArray(range2).right(2).toInt());
        if (!refused)
            f->dialogs.answerMessage(MsgResult::Cancel);
        run(1);
        EXPECT_EQ(messages(), QStringList({refused ? s().messages.MsgText[7] : step(11)}));
        EXPECT_TRUE(frames().isEmpty());
        EXPECT_TRUE(w().SSTab1->isEnabled());
    }
}

TEST_F(CalibrationWindow, RefusedStepsEndTheRunOnTheirOwnPath) {
    struct Case {
        int kind;
        int refused;
        bool spanWritten;
        bool finished;
    };
    // Host mode refused in the upload; the zero step refused in a general and a zero-only run;
    // the span weight refused in a span-only run (the finish step still follows).
    for (const Case& c :
         {Case{0, 19, false, false}, Case{0, 22, false, false}, Case{1, 22, false, false}, Case{2, 20, true, true}}) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " refused " << c.refused);
        start();
        readPage();
        PromptAnswers prompt(*f, {QStringLiteral("100")});
        f->dialogs.answerMessage(MsgResult::Ok);
        f->indicator.faults.refuseRegisters = {c.refused};
        run(c.kind);

        EXPECT_FALSE(s().Connected);
        EXPECT_TRUE(messages().contains(errorText(0)));
        EXPECT_EQ(prompt.shown, c.kind == 2 ? 1 : 0);
        EXPECT_EQ(count(R(23, 2)), 0);
        EXPECT_EQ(count(W(20, 4, "Lg", 100000)), c.spanWritten ? 1 : 0);
        EXPECT_EQ(count(W(22, 2, "Lg", 2)), c.finished ? 1 : 0);
        EXPECT_NE(label4Colour(), kGreen);
        EXPECT_TRUE(w().SSTab1->isEnabled());
        EXPECT_FALSE(f->port.isOpen());
        if (c.refused == 19) {
            EXPECT_EQ(count(W(128, 2, "By", "0000")), 0);
        }
    }
}

TEST_F(CalibrationWindow, AZeroStepThatFailsAsksForNoSpan) {
    start();
    readPage();
    PromptAnswers prompt(*f, {QStringLiteral("100")});
    f->dialogs.answerMessage(MsgResult::Ok);
    f->indicator.calFaults.resultCode = 0x25;
    run(0);
    EXPECT_EQ(prompt.shown, 0);
    EXPECT_EQ(count(W(22, 2, "Lg", 4)), 0);
    EXPECT_EQ(messages(), QStringList({step(11), notice(4) + "\r\n" + notice(5)}));
    EXPECT_EQ(lastFrame(), W(22, 2, "Lg", 2));
    EXPECT_EQ(w().Label4->text(), s().messages.StatusText[2]);
    EXPECT_EQ(label4Colour(), kRed);
    EXPECT_EQ(w().Shape3->fillColor(), kRed);
}

TEST_F(CalibrationWindow, ASpanErrorCodeAsksForTheWeightAgain) {
    start();
    readPage();
    PromptAnswers prompt(*f, {QStringLiteral("100"), QStringLiteral("101")});
    f->indicator.calFaults.resultCode = 0x13;
    prompt.atPrompt = [&] {
        if (prompt.shown == 2)
            f->indicator.calFaults.resultCode = 0;
    };
    run(2);
    EXPECT_EQ(messages(), QStringList({notice(4) + "\r\n" + notice(6)}));
    EXPECT_EQ(count(W(20, 4, "Lg", 100000)), 1);
    EXPECT_EQ(count(W(20, 4, "Lg", 101000)), 1);
    EXPECT_EQ(count(W(22, 2, "Lg", 4)), 2);
    EXPECT_EQ(w().Label4->text(), step(10));
    EXPECT_EQ(label4Colour(), kGreen);
}

TEST_F(CalibrationWindow, AStepThatNeverFinishesIsGivenUpAndShownFailed) {
    start();
    readPage();
    f->indicator.calFaults.stepNeverEnds = true;
    f->dialogs.answerMessage(MsgResult::Ok);
    const double before = f->clock.totalWaited;
    run(1);
    EXPECT_EQ(count(R(23, 2)), 15);
    EXPECT_EQ(messages(), QStringList({step(11), notice(1) + "\r\n" + notice(2) + "\r\n" + notice(3)}));
    EXPECT_EQ(lastFrame(), W(22, 2, "Lg", 2));
    EXPECT_EQ(w().Label4->text(), s().messages.StatusText[2]);
    EXPECT_EQ(label4Colour(), kRed);
    // Fifteen polls of 1.2 s and the reading time, with the waiting done in virtual time.
    EXPECT_GE(f->clock.totalWaited - before, 15 * (1.2 + s().ReadWaitTime) - 1e-6);
}

TEST_F(CalibrationWindow, ThePollFindsTheStateWithoutChecksumAndWithAnAddress) {
    for (bool checksum : {false, true}) {
        start(QStringLiteral("07"), checksum);
        readPage();
        f->dialogs.answerMessage(MsgResult::Ok);
        run(1);
        EXPECT_EQ(count(R(23, 2)), 2) << checksum;
        EXPECT_EQ(w().Label4->text(), step(10)) << checksum;
    }
}

TEST_F(CalibrationWindow, DeclinedAnswersEndOrKeepAsTheirStepSays) {
    // A span-only run whose weight read is declined ends without a word.
    start();
    readPage();
    PromptAnswers prompt(*f, {});
    f->indicator.faults.refuseWith9Registers = {0};
    run(2);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(prompt.shown, 0);
    EXPECT_EQ(frames(), QList<QByteArray>({R(0, 4)}));
    EXPECT_TRUE(w().SSTab1->isEnabled());

    // The upload's last command declined: the limits stay as they were, the zero step goes on.
    f->indicator.clearLog();
    f->indicator.faults.refuseWith9Registers.clear();
    f->clock.onWait = [this](double) {
        if (lastFrame() == W(22, 2, "Lg", 1))
            f->indicator.faults.refuseWith9Registers = {19};
        else if (lastFrame() == W(19, 2, "Lg", 20))
            f->indicator.faults.refuseWith9Registers.clear();
    };
    s().DisplayMaximum = 123.0;
    f->dialogs.answerMessage(MsgResult::Ok);
    run(0);
    f->clock.onWait = nullptr;
    EXPECT_EQ(s().DisplayMaximum, 123.0);
    EXPECT_EQ(count(W(22, 2, "Lg", 3)), 1);
    EXPECT_EQ(prompt.shown, 1);
}

// A step the indicator declines did not happen, whatever status it reports afterwards: the run
// ends as when the step is refused, and never in green. The answers come a little after their
// request, as on a real line, so an answer left uncollected would be read as the next one's.
TEST_F(CalibrationWindow, ADeclinedStepEndsTheRunAsARefusedOne) {
    struct Case {
        const char* what;
        int kind;
        QList<int> registers; // the indicator declines writes of these registers ...
        QByteArray after;     // ... from the exchange after this frame ...
        QByteArray declined;  // ... up to this one
        int polls;
        bool finished;
    };
    start(); // for the frames below
    const QList<Case> cases = {
        {"zero-only begin", 1, {22}, {}, W(22, 2, "Lg", 1), 0, false},
        {"zero step", 1, {22}, W(22, 2, "Lg", 1), W(22, 2, "Lg", 3), 0, false},
        {"span-only begin", 2, {22}, R(0, 4), W(22, 2, "Lg", 1), 0, true},
        {"span weight", 2, {20}, R(0, 4), W(20, 4, "Lg", 100000), 0, true},
        {"span step", 2, {22}, W(20, 4, "Lg", 100000), W(22, 2, "Lg", 4), 0, true},
        {"host mode on", 0, {19}, R(146, 4), W(19, 2, "Lg", 19), 0, false},
        {"finish", 1, {22}, R(23, 2), W(22, 2, "Lg", 2), 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start();
        readPage();
        f->port.answerDelay = 0.01;
        PromptAnswers prompt(*f, {QStringLiteral("100")});
        f->dialogs.answerMessage(MsgResult::Ok);
        if (c.after.isEmpty())
            f->indicator.faults.refuseWith9Registers = c.registers;
        f->clock.onWait = [this, &c](double) {
            const QByteArray last = frames().value(frames().size() - 1);
            if (last == c.after)
                f->indicator.faults.refuseWith9Registers = c.registers;
            else if (last == c.declined)
                f->indicator.faults.refuseWith9Registers.clear();
        };
        run(c.kind);
        f->clock.onWait = nullptr;

        ASSERT_EQ(count(c.declined), 1);
        EXPECT_EQ(messages().value(messages().size() - 1), errorText(0));
        EXPECT_FALSE(s().Connected);
        EXPECT_EQ(count(R(23, 2)), c.polls);
        EXPECT_EQ(count(W(22, 2, "Lg", 2)), c.finished ? 1 : 0);
        if (c.finished) {
            EXPECT_EQ(w().Label4->text(), s().messages.StatusText[2]);
        }
        // Nothing of the run is written after a declined command but the finish.
        const QList<QByteArray> rest = frames().mid(frames().indexOf(c.declined) + 1);
        EXPECT_EQ(rest, c.finished && c.declined != W(22, 2, "Lg", 2) ? QList<QByteArray>({W(22, 2, "Lg", 2)})
                                                                      : QList<QByteArray>());
        EXPECT_NE(label4Colour(), kGreen);
        EXPECT_TRUE(w().SSTab1->isEnabled());
        EXPECT_FALSE(f->port.isOpen());
    }
}

TEST_F(CalibrationWindow, ClosingTheWindowAtThePromptEndsTheRunQuietly) {
    start();
    readPage();
    f->program->app.quitProgram = [] {};
    PromptAnswers prompt(*f, {});
    prompt.atPrompt = [&] { f->program->app.Form_QueryUnload(); };
    f->dialogs.answerMessage(MsgResult::Ok);
    run(0);
    EXPECT_EQ(prompt.shown, 1);
    EXPECT_EQ(messages(), QStringList({step(11)}));
    EXPECT_EQ(count(W(22, 2, "Lg", 2)), 0);
    EXPECT_EQ(f->port.droppedOutputs, 0);
    EXPECT_FALSE(s().deviceBusy);
}

// ---------------------------------------------------------------------------------------------
// Live weight

TEST_F(CalibrationWindow, LiveWeightAgainstTheLimits) {
    start();
    s().Capacity = 3000;
    s().DisplayMaximum = 3009;
    s().DisplayMinimum = -300;
    s().DivisionDecimals.clear();
    struct Case {
        qint32 value, compare;
        const char* shown;
        int notice; // -1 inside
    };
    for (const Case& c : {Case{3009, 0, "3009", -1}, Case{3000, 10, "3000", 16}, Case{-300, 0, "-300", -1},
                          Case{-301, 0, "-301", 17}}) {
        f->indicator.setLong(0, c.value);
        f->indicator.setLong(3, c.compare);
        cal().SSCommand6_Click();
        EXPECT_EQ(w().Label9->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(w().Label9->isHidden(), c.notice >= 0) << c.value;
        EXPECT_EQ(w().Label11->text(), c.notice < 0 ? QString() : notice(c.notice)) << c.value;
    }
    EXPECT_FALSE(f->port.isOpen());
    EXPECT_TRUE(w().SSCommand6->isEnabled());

    // No answer: the last value stays. With two decimals the same reading shows 30.09.
    f->indicator.faults.silent = true;
    cal().SSCommand6_Click();
    EXPECT_EQ(w().Label9->text(), QStringLiteral("-301"));
    f->indicator.faults.silent = false;
    s().DivisionDecimals = QStringLiteral("00");
    s().DisplayMaximum = 30.09;
    f->indicator.setLong(0, 3009);
    f->indicator.setLong(3, 0);
    cal().SSCommand6_Click();
    EXPECT_EQ(w().Label9->text(), QStringLiteral("30.09"));
    EXPECT_FALSE(w().Label9->isHidden());
}

TEST_F(CalibrationWindow, ALiveWeightTimerWithoutItsPortStopsAfterOneMessage) {
    start();
    readPage();
    ASSERT_TRUE(w().Timer3->isActive());
    s().PortNumber = QStringLiteral("5");
    cal().Timer3_Timer();
    EXPECT_FALSE(w().Timer3->isActive());
    EXPECT_EQ(messages(), QStringList({QStringLiteral("COM5 bulunmamaktadır")}));
    EXPECT_TRUE(w().SSCommand6->isEnabled());

    // The same driven by the timer itself: the tick that stopped it does not arm it again.
    f->dialogs.clear();
    w().Timer3->start();
    runEventsFor(5 * w().Timer3->interval());
    EXPECT_FALSE(w().Timer3->isActive());
    EXPECT_EQ(messages(), QStringList({QStringLiteral("COM5 bulunmamaktadır")}));
}

// The live weight holds the indicator most of the time it runs: what the user does on the page
// meanwhile is carried out when the reading ends, not lost.
TEST_F(CalibrationWindow, ClicksDuringTheLiveWeightAreCarriedOutAfterIt) {
    start();
    readPage();
    ASSERT_TRUE(w().Timer3->isActive());
    // Does `act` once, in the middle of the next live reading.
    auto duringReading = [this](const std::function<void()>& act) {
        bool done = false;
        f->clock.onWait = [this, &act, &done](double) {
            const auto& frames = f->indicator.frames;
            if (!done && !frames.isEmpty() && !frames.last().write && frames.last().firstRegister == 0) {
                done = true;
                act();
            }
        };
        // The timer's next tick, then what it leaves for after the reading.
        auto settle = [](int ms) {
            QEventLoop loop;
            QTimer::singleShot(ms, &loop, &QEventLoop::quit);
            loop.exec();
        };
        for (int waited = 0; !done && waited < 5000; waited += 20)
            settle(20);
        settle(50);
        f->clock.onWait = nullptr;
        return done;
    };
    ASSERT_TRUE(duringReading([this] { w().Option1[0]->click(); }));
    EXPECT_TRUE(w().SSCommand3->isEnabled()) << "the general calibration was chosen";
    f->dialogs.answerMessage(MsgResult::Cancel);
    ASSERT_TRUE(duringReading([this] { w().SSCommand3->click(); }));
    EXPECT_EQ(messages().value(0), step(11)) << "the calibration started";

    // A panel's cancel, and the read of the status page entered.
    f->program->paramset.MnDosya_Click(9);
    ASSERT_TRUE(duringReading([this] { w().SSCommand2[1]->click(); }));
    EXPECT_TRUE(w().SSPanel2->isHidden());
    EXPECT_TRUE(w().SSTab1->isEnabled());
    f->indicator.clearLog();
    ASSERT_TRUE(duringReading([this] { w().SSTab1->setCurrentIndex(6); }));
    EXPECT_EQ(count(R(2, 2)), 1) << "the status word was read";
}

// ---------------------------------------------------------------------------------------------
// Analog output

class AnalogWindow : public CalibrationWindow {
protected:
    void analogMode() {
        start();
        readPage();
        cal().Option5_Click(1);
        ASSERT_TRUE(w().Frame2->isEnabled());
        ASSERT_FALSE(w().Timer3->isActive());
    }
    void startRun() {
        cal().SSCommand5_Click();
        ASSERT_TRUE(s().cal.AnalogRunning);
        f->indicator.clearLog();
        f->dialogs.clear();
    }
};

TEST_F(AnalogWindow, StartAndStop) {
    analogMode();
    // Nothing to adjust before the run: a toggle would take the port and step an idle output.
    EXPECT_FALSE(w().SSPanel4->isEnabled());
    EXPECT_FALSE(w().SSPanel5->isEnabled());
    setOption(w().Option4[1], true);
    cal().SSCommand5_Click();
    EXPECT_EQ(frames(), QList<QByteArray>({W(195, 2, "By", "0100"), W(19, 2, "Lg", 8), W(24, 2, "Lg", 1)}));
    EXPECT_TRUE(s().cal.AnalogRunning);
    EXPECT_TRUE(f->indicator.analogCalibrating);
    EXPECT_EQ(w().SSCommand5->text(), step(16));
    EXPECT_TRUE(w().Timer1->isActive());
    EXPECT_TRUE(w().SSPanel4->isEnabled());
    EXPECT_FALSE(w().Frame5->isEnabled());
    EXPECT_TRUE(w().SSTab1->isEnabled());
    EXPECT_TRUE(w().SSTab1->isTabEnabled(0));
    EXPECT_TRUE(f->port.isOpen());

    // A language load captions the button with its idle text; the next click still stops.
    f->program->app.diloku();
    EXPECT_EQ(w().SSCommand5->text(), step(16));
    f->indicator.clearLog();
    cal().SSCommand5_Click();
    EXPECT_EQ(frames(), QList<QByteArray>({W(24, 2, "Lg", 2)}));
    EXPECT_FALSE(s().cal.AnalogRunning);
    EXPECT_FALSE(f->indicator.analogCalibrating);
    EXPECT_EQ(w().SSCommand5->text(), step(10));
    EXPECT_FALSE(w().Timer1->isActive());
    EXPECT_TRUE(w().Timer3->isActive());
    EXPECT_FALSE(f->port.isOpen());
}

// A run left going on the indicator would keep its analog output in calibration: the stop is sent
// after a disconnect too, on a port opened again for it, while a start needs the connection.
TEST_F(AnalogWindow, ARunIsStoppedAfterADisconnect) {
    analogMode();
    startRun();
    f->connection().Image2_Click(1);
    f->port.close();
    cal().SSCommand5_Click();
    EXPECT_EQ(frames(), QList<QByteArray>({W(24, 2, "Lg", 2)}));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_FALSE(s().cal.AnalogRunning);
    EXPECT_FALSE(f->indicator.analogCalibrating);
    EXPECT_FALSE(f->port.isOpen());

    f->indicator.clearLog();
    cal().SSCommand5_Click();
    EXPECT_EQ(messages(), QStringList({extra(7)}));
    EXPECT_TRUE(frames().isEmpty());
}

TEST_F(AnalogWindow, RefusedStartsUnlockTheWindow) {
    // The start code refused: disconnected, window usable, no run.
    analogMode();
    f->indicator.faults.refuseRegisters = {24};
    cal().SSCommand5_Click();
    EXPECT_EQ(messages(), QStringList({errorText(0)}));
    EXPECT_FALSE(s().Connected);
    EXPECT_FALSE(s().cal.AnalogRunning);
    EXPECT_TRUE(w().SSTab1->isEnabled());
    EXPECT_TRUE(w().SSPanel11->isEnabled());
    EXPECT_TRUE(w().Toolbar1->isEnabled());
    EXPECT_TRUE(w().Frame5->isEnabled());
    EXPECT_FALSE(f->port.isOpen());

    // The output type not taken and the write abandoned: the start code is never sent.
    analogMode();
    f->indicator.faults.noAckForFirst = 9;
    f->dialogs.answerMessage(MsgResult::Abort);
    cal().SSCommand5_Click();
    EXPECT_EQ(count(W(24, 2, "Lg", 1)), 0);
    EXPECT_EQ(count(W(19, 2, "Lg", 8)), 0);
    EXPECT_FALSE(s().cal.AnalogRunning);
    EXPECT_TRUE(s().Connected);
    EXPECT_TRUE(w().SSTab1->isEnabled());
    EXPECT_FALSE(f->port.isOpen());

    // Without an analog card nothing is sent.
    analogMode();
    s().cal.AnalogCardPresent = false;
    cal().SSCommand5_Click();
    EXPECT_EQ(messages(), QStringList({errorText(2)}));
    EXPECT_TRUE(frames().isEmpty());
}

// A stop the indicator refuses leaves its output in calibration: the run stays marked running, so
// the next click of the button, or a tab change once connected again, sends the stop again.
TEST_F(AnalogWindow, ARefusedStopLeavesTheRunToBeStoppedAgain) {
    struct Case {
        const char* what;
        std::function<void()> stopAgain;
    };
    const QList<Case> cases = {
        {"the button", [this] { w().SSCommand5->click(); }},
        {"a tab change",
         [this] {
             f->connection().Image2_Click(0);
             ASSERT_TRUE(s().Connected);
             f->indicator.clearLog();
             w().SSTab1->setCurrentIndex(w().SSTab1->currentIndex() == 6 ? 5 : 6);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        analogMode();
        startRun();
        f->indicator.faults.refuseRegisters = {24};
        w().SSCommand5->click();
        EXPECT_EQ(messages(), QStringList({errorText(0)}));
        EXPECT_FALSE(s().Connected);
        EXPECT_TRUE(s().cal.AnalogRunning);
        EXPECT_EQ(w().SSCommand5->text(), step(16));
        ASSERT_TRUE(f->indicator.analogCalibrating);

        f->indicator.resetFaults();
        f->indicator.clearLog();
        c.stopAgain();
        EXPECT_EQ(count(W(24, 2, "Lg", 2)), 1);
        EXPECT_EQ(count(W(24, 2, "Lg", 1)), 0);
        EXPECT_FALSE(s().cal.AnalogRunning);
        EXPECT_FALSE(f->indicator.analogCalibrating);
        EXPECT_EQ(w().SSCommand5->text(), step(10));
    }
}

TEST_F(AnalogWindow, ADeclinedStartIsARunWithoutStepping) {
    analogMode();
    f->indicator.faults.refuseWith9Registers = {24};
    cal().SSCommand5_Click();
    EXPECT_TRUE(s().cal.AnalogRunning);
    EXPECT_FALSE(w().Timer1->isActive());
    EXPECT_EQ(w().Label7->text(), step(17));
    EXPECT_EQ(w().SSCommand5->text(), step(16));
    EXPECT_TRUE(s().Connected);
    // The next click stops it.
    f->indicator.resetFaults();
    cal().SSCommand5_Click();
    EXPECT_FALSE(s().cal.AnalogRunning);
    EXPECT_EQ(lastFrame(), W(24, 2, "Lg", 2));
}

TEST_F(AnalogWindow, SteppingStopsAtBothEndsOfTheRange) {
    analogMode();
    startRun();
    const QByteArray load = W(19, 2, "Lg", 7);
    struct Case {
        bool zero;
        int toggle;
        quint16 from;
        int code;
        quint16 after;
    };
    // Up by 100 to 65530, then the limit; down by 100 to 50, then the limit; the full-scale value
    // has the same top as the zero value.
    for (const Case& c : {Case{true, 0, 65430, 3, 65530}, Case{true, 1, 150, 4, 50}, Case{false, 0, 65430, 7, 65530},
                          Case{false, 3, 9, 10, 4}}) {
        SCOPED_TRACE(testing::Message() << "zero " << c.zero << " toggle " << c.toggle);
        const int reg = c.zero ? 190 : 191;
        setOption(w().Option6[c.zero ? 0 : 1], true);
        cal().Option6_Click(c.zero ? 0 : 1);
        ASSERT_EQ(w().Option6[1]->isChecked(), !c.zero);
        ASSERT_EQ(w().Option6[0]->isChecked(), c.zero);
        f->indicator.setReg(reg, c.from);
        QPushButton* toggle = (c.zero ? w().Sıfır : w().FS)[c.toggle];
        toggle->click();
        EXPECT_TRUE(s().cal.JogHeld);
        EXPECT_FALSE((c.zero ? w().SSPanel5 : w().SSPanel4)->isEnabled());
        f->indicator.clearLog();

        cal().Timer1_Timer();
        EXPECT_EQ(frames(), QList<QByteArray>({load, R(reg, 2), W(24, 2, "Lg", c.code)}));
        EXPECT_EQ(f->indicator.reg(reg), c.after);
        f->indicator.clearLog();
        cal().Timer1_Timer();
        EXPECT_EQ(frames(), QList<QByteArray>({load, R(reg, 2)}));
        EXPECT_EQ(w().Label7->text(), QStringLiteral("----- LİMİT -----"));
        // The limit text holds a second: no exchange meanwhile, and the window keeps working.
        f->indicator.clearLog();
        cal().Timer1_Timer();
        EXPECT_TRUE(frames().isEmpty());
        f->clock.advance(1.0);
        cal().Timer1_Timer();
        EXPECT_EQ(frames().size(), 2);

        f->indicator.clearLog();
        toggle->click();
        EXPECT_FALSE(s().cal.JogHeld);
        EXPECT_EQ(frames(), QList<QByteArray>({W(24, 2, "Lg", 0)}));
        EXPECT_TRUE(w().SSPanel4->isEnabled());
        EXPECT_TRUE(w().SSPanel5->isEnabled());
        f->clock.advance(1.0);
    }
}

// A value that could not be read is no limit: the page says it was not read, sends no step, and
// the next tick reads again at once.
TEST_F(AnalogWindow, AnUnreadValueIsToldAndNotTakenForALimit) {
    struct Case {
        bool zero;
        std::function<void(SimIndicator::Faults&)> fault;
    };
    for (const Case& c : {Case{true, [](SimIndicator::Faults& f) { f.refuseRegisters = {190}; }},
                          Case{false, [](SimIndicator::Faults& f) { f.wrongLrc = true; }},
                          Case{true, [](SimIndicator::Faults& f) { f.silent = true; }}}) {
        SCOPED_TRACE(testing::Message() << "zero " << c.zero);
        analogMode();
        startRun();
        const int reg = c.zero ? 190 : 191;
        setOption(w().Option6[c.zero ? 0 : 1], true);
        cal().Option6_Click(c.zero ? 0 : 1);
        f->indicator.setReg(reg, 1000);
        (c.zero ? w().Sıfır : w().FS)[1]->click();
        f->indicator.clearLog();

        c.fault(f->indicator.faults);
        cal().Timer1_Timer();
        EXPECT_EQ(frames(), QList<QByteArray>({W(19, 2, "Lg", 7), R(reg, 2)}));
        EXPECT_EQ(w().Label7->text(), errorText(0));
        EXPECT_EQ(f->indicator.reg(reg), 1000);

        f->indicator.resetFaults();
        f->indicator.clearLog();
        cal().Timer1_Timer();
        EXPECT_EQ(frames(), QList<QByteArray>({W(19, 2, "Lg", 7), R(reg, 2), W(24, 2, "Lg", c.zero ? 4 : 8)}));
        EXPECT_EQ(f->indicator.reg(reg), 900);
        EXPECT_EQ(w().Label7->text(), w().Option6[c.zero ? 0 : 1]->text() + QStringLiteral(": 1000"));
    }
}

TEST_F(AnalogWindow, ATabChangeReleasesTheToggleAndStopsTheRun) {
    analogMode();
    startRun();
    w().Sıfır[2]->click();
    cal().analokartkon();
    EXPECT_EQ(frames(), QList<QByteArray>({W(24, 2, "Lg", 0), W(24, 2, "Lg", 2)}));
    EXPECT_FALSE(w().Sıfır[2]->isChecked());
    EXPECT_FALSE(s().cal.JogHeld);
    EXPECT_FALSE(s().cal.AnalogRunning);
    EXPECT_FALSE(w().Timer1->isActive());
    EXPECT_EQ(w().Label7->text(), step(10));

    // Nothing running: nothing sent.
    f->indicator.clearLog();
    cal().analokartkon();
    EXPECT_TRUE(frames().isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Status page

TEST_F(CalibrationWindow, StatusPageReadAsAWhole) {
    start();
    s().ReadSelector = 5; // the raw bytes do not depend on the page in view
    f->indicator.setReg(2, 0xE52A);
    // A first byte of 0A: a text decoding would drop it and read the flags from the other byte.
    f->indicator.setReg(25, 0x0A10);
    s().cal.AnalogCardPresent.reset();
    ASSERT_EQ(f->program->link.PortAç(), 0);
    // Each bar's steps in tenths of the whole, with the time each was shown.
    struct Step {
        double tenths;
        double at;
    };
    std::array<QList<Step>, 2> steps;
    std::array<QProgressBar*, 2> bars = {w().ProgressBar1, w().ProgressBar3};
    for (int k = 0; k < 2; ++k) {
        bars[k]->reset();
        QObject::connect(bars[k], &QProgressBar::valueChanged, bars[k], [this, &steps, bar = bars[k], k](int value) {
            steps[k] << Step{10.0 * value / bar->maximum(), f->clock.totalWaited};
        });
    }
    cal().StatuOku();
    for (QProgressBar* bar : bars)
        QObject::disconnect(bar, &QProgressBar::valueChanged, bar, nullptr);
    auto tenths = [](const QList<Step>& l) {
        QList<double> out;
        for (const Step& st : l)
            out << st.tenths;
        return out;
    };
    EXPECT_EQ(tenths(steps[0]), QList<double>({0, 1, 2, 3, 4, 5, 6, 8, 9, 10}));
    EXPECT_EQ(tenths(steps[1]), QList<double>({0.5, 2, 3, 4, 5, 6, 8, 9, 10}));
    // 9 is shown while the hardware status is awaited.
    ASSERT_EQ(steps[1].size(), 9);
    EXPECT_GE(steps[1][8].at - steps[1][7].at, s().ReadWaitTime - 1e-9);

    EXPECT_EQ(frames(), QList<QByteArray>({W(19, 2, "Lg", 19), R(0, 4), R(3, 4), R(5, 4), W(8, 2, "LG", 7), R(11, 4),
                                           R(13, 4), R(15, 4), R(2, 2), R(25, 2), W(19, 2, "Lg", 20)}));
    const QVector<QString>& t = s().messages.StatusText;
    EXPECT_EQ(status().TextMatrix(1, 1), QStringLiteral("001.250"));
    EXPECT_EQ(status().TextMatrix(6, 1), QStringLiteral("-0,025"));
    EXPECT_EQ(status().TextMatrix(7, 1), t[0]);
    EXPECT_EQ(status().TextMatrix(8, 1), t[3]);
    EXPECT_EQ(status().TextMatrix(18, 1), t[16]);
    EXPECT_EQ(status().TextMatrix(24, 1), QStringLiteral("0"));
    EXPECT_TRUE(status().isRowHidden(24));
    EXPECT_EQ(status().TextMatrix(25, 1), t[7]);
    EXPECT_EQ(status().TextMatrix(29, 1), t[6]);
    EXPECT_EQ(s().cal.AnalogCardPresent, true);
    EXPECT_EQ(s().cal.CalibrationEnabled, true);
    EXPECT_EQ(s().param.ValueArray[3], 1250);
    EXPECT_TRUE(w().ProgressBar3->isHidden());
    EXPECT_EQ(w().ProgressBar1->value(), 10);
}

// No answer of the status read reaches the page or the flags unless it came whole. Each answer in
// turn failing, through the page refresh: the read ends at it with the message, disconnected, host
// mode left, nothing of it or later shown, the lamp not green. A corrupted answer is also logged.
TEST_F(CalibrationWindow, EveryAnswerOfTheStatusReadIsCheckedWhole) {
    start();
    struct Fault {
        const char* what;
        std::function<void(SimIndicator::Faults&, int reg)> set;
        bool logged; // a checksum mismatch
    };
    const Fault faults[] = {
        {"refused", [](SimIndicator::Faults& f, int reg) { f.refuseRegisters = {reg}; }, false},
        {"declined", [](SimIndicator::Faults& f, int reg) { f.refuseWith9Registers = {reg}; }, false},
        {"not answered", [](SimIndicator::Faults& f, int) { f.silent = true; }, false},
        {"corrupted", [](SimIndicator::Faults& f, int) { f.wrongLrc = true; }, true},
    };
    struct Answer {
        int reg;
        int bytes;
        QList<int> rows;
        int value; // its ValueArray element, or -1
    };
    const QList<Answer> answers = {{0, 4, {1}, 3},
                                   {3, 4, {2}, 4},
                                   {5, 4, {3}, 5},
                                   {11, 4, {4}, -1},
                                   {13, 4, {5}, -1},
                                   {15, 4, {6}, -1},
                                   {2, 2, {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}, -1},
                                   {25, 2, {23, 24, 25, 26, 27, 28, 29}, -1}};
    // Each fault takes the one answer: it is armed behind the frame before and ended behind the
    // failing one, so that a read going on past it would find whole answers and end well.
    const QList<QByteArray> order = {W(19, 2, "Lg", 19), R(0, 4),  R(3, 4),  R(5, 4), W(8, 2, "LG", 7),
                                     R(11, 4),           R(13, 4), R(15, 4), R(2, 2), R(25, 2)};
    const QString log = QDir(s().logFolder()).filePath(QStringLiteral("QMxLog.txt"));
    auto logLines = [&log] {
        QFile file(log);
        return file.open(QIODevice::ReadOnly)
                   ? cp1254::decode(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)
                   : QStringList();
    };
    for (int k = 0; k < answers.size(); ++k) {
        const Answer& failed = answers[k];
        const Fault& fault = faults[k % 4];
        SCOPED_TRACE(testing::Message() << "register " << failed.reg << " " << fault.what);
        if (!s().Connected)
            f->connection().Image2_Click(0);
        ASSERT_TRUE(s().Connected);
        f->dialogs.clear();
        f->indicator.clearLog();
        f->indicator.setReg(2, 0xE52A);
        for (int row = 1; row < status().Rows(); ++row)
            status().setTextMatrix(row, 1, QStringLiteral("x"));
        s().cal.AnalogCardPresent.reset();
        s().cal.CalibrationEnabled.reset();
        for (int v : {3, 4, 5})
            s().param.ValueArray[v] = 777;
        const QStringList logged = logLines();
        const QByteArray failedFrame = R(failed.reg, failed.bytes);
        const QByteArray armedBehind = order.value(order.indexOf(failedFrame) - 1);
        f->clock.onWait = [&](double) {
            if (lastFrame() == armedBehind)
                fault.set(f->indicator.faults, failed.reg);
            else if (lastFrame() == failedFrame)
                f->indicator.resetFaults();
        };
        s().ReadSelector = 6;
        f->program->app.RefKatmaOlum();
        f->clock.onWait = nullptr;

        EXPECT_EQ(messages(), QStringList({errorText(0)}));
        EXPECT_FALSE(s().Connected);
        EXPECT_TRUE(w().Image2[1]->isHidden()) << "the lamp shows green";
        EXPECT_TRUE(w().ProgressBar3->isHidden());
        const qsizetype failedAt = frames().indexOf(failedFrame);
        ASSERT_GE(failedAt, 0);
        EXPECT_EQ(frames().mid(failedAt + 1), QList<QByteArray>({W(19, 2, "Lg", 20)}));
        // The answers before the failed one are shown, the failed one's and the later ones' not.
        bool before = true;
        for (const Answer& a : answers) {
            before = before && a.reg != failed.reg;
            for (int row : a.rows)
                EXPECT_EQ(status().TextMatrix(row, 1) != QStringLiteral("x"), before) << "row " << row;
            if (a.value >= 0) {
                EXPECT_EQ(s().param.ValueArray[a.value] != 777, before) << "value " << a.value;
            }
        }
        EXPECT_FALSE(s().cal.CalibrationEnabled.has_value());
        EXPECT_FALSE(s().cal.AnalogCardPresent.has_value());
        const QStringList expectedLog =
            fault.logged ? QStringList{f->program->link.logDate() + QStringLiteral(" - [000]-[%1]--- CHKSum Hatası...")
                                                                        .arg(failed.bytes / 2, 4, 10, QChar(u'0'))}
                         : QStringList();
        EXPECT_EQ(logLines().mid(logged.size()), expectedLog);
    }
}

TEST_F(CalibrationWindow, StatusTimerRefreshesWhileConnected) {
    start();
    w().Timer4->start();
    cal().Timer4_Timer();
    EXPECT_EQ(s().ReadSelector, 6);
    EXPECT_EQ(count(R(0, 4)), 1) << "the status page was read";
    f->connection().Image2_Click(1);
    f->indicator.clearLog();
    cal().Timer4_Timer();
    EXPECT_TRUE(frames().isEmpty());
    EXPECT_FALSE(w().Timer4->isActive());

    // Driven by the timer itself, the tick that finds no connection stops it for good.
    w().Timer4->setInterval(20);
    w().Timer4->start();
    runEventsFor(200);
    EXPECT_FALSE(w().Timer4->isActive());
    EXPECT_TRUE(frames().isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Through the widgets

TEST_F(CalibrationWindow, ARunOfEachKindThroughTheWidgets) {
    start();
    readPage();
    // A span calibration: the kind option, the start button, the weight typed into the entry
    // (the comma becomes the point, a second separator and letters are swallowed) and confirmed
    // with Enter; a paste or a key that types several characters stops at the first character
    // swallowed. The prompt is answered once: coming back, it fails the test.
    struct Typer : QObject {
        WindowFixture& f;
        MainWidgets& w;
        int shown = 0;
        QString typed, entered;
        explicit Typer(WindowFixture& f) : f(f), w(f.w()) { w.SSPanel8->installEventFilter(this); }
        bool eventFilter(QObject* o, QEvent* e) override {
            if (o != w.SSPanel8 || e->type() != QEvent::ShowToParent)
                return false;
            if (++shown > 1) {
                if (!f.clock.isShuttingDown())
                    ADD_FAILURE() << "the span-weight prompt came back";
                f.clock.shutdown();
                return false;
            }
            QMetaObject::invokeMethod(
                this,
                [this] {
                    w.Text10->selectAll();
                    typeKeys(w.Text10, QStringLiteral("1x2,5.,"));
                    typed = w.Text10->text();
                    // Delete deletes (X11 gives it the text U+007F); a paste keeps to the same
                    // filter, and so does a key that types several characters (an input method's).
                    w.Text10->setCursorPosition(0);
                    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f)));
                    QCoreApplication::sendEvent(w.Text10, &del);
                    w.Text10->end(false);
                    QApplication::clipboard()->setText(QStringLiteral("0a5"));
                    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
                    QCoreApplication::sendEvent(w.Text10, &paste);
                    pressKey(w.Text10, Qt::Key_5, Qt::NoModifier, QStringLiteral("5,1"));
                    entered = w.Text10->text();
                    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
                    QCoreApplication::sendEvent(w.Text10, &enter);
                },
                Qt::QueuedConnection);
            return false;
        }
    } typer(*f);
    w().Option1[2]->click();
    w().SSCommand3->click();
    EXPECT_EQ(typer.typed, QStringLiteral("12.5"));
    EXPECT_EQ(typer.entered, QStringLiteral("2.505")) << "12.5 less its first digit, 0 pasted and 5 keyed";
    ASSERT_FALSE(f->clock.isShuttingDown());
    EXPECT_EQ(count(W(20, 4, "Lg", 2505)), 1);
    EXPECT_EQ(w().Label4->text(), step(10));

    // An analog run: the mode option, start, a zero toggle down and up, stop.
    f->indicator.clearLog();
    w().Option5[1]->click();
    EXPECT_TRUE(w().Frame2->isEnabled());
    w().SSCommand5->click();
    EXPECT_TRUE(s().cal.AnalogRunning);
    f->indicator.setReg(190, 1000);
    w().Sıfır[0]->click();
    cal().Timer1_Timer();
    EXPECT_EQ(f->indicator.reg(190), 1100);
    w().Sıfır[0]->click();
    w().SSCommand5->click();
    EXPECT_FALSE(s().cal.AnalogRunning);
    EXPECT_EQ(frames().mid(frames().size() - 2), QList<QByteArray>({W(24, 2, "Lg", 0), W(24, 2, "Lg", 2)}));
    w().Option5[0]->click();
    EXPECT_TRUE(w().Frame1->isEnabled());
    EXPECT_TRUE(messages().isEmpty());
}
