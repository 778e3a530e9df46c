#include "support/exchangewaits.h"
#include "support/faketransfers.h"
#include "support/promptanswers.h"
#include "support/windowfixture.h"

#include "calibration/calibrationprocs.h"
#include "paramset/paramsetprocs.h"

#include <QEvent>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The codes of the calibration-step and analog-calibration registers tell the steps apart.
QString withCode(const SimIndicator::Frame& f) {
    QString d = describe(f);
    if (f.valid && f.write && (f.firstRegister == 22 || f.firstRegister == 24) && f.data.size() == 2)
        d += QStringLiteral(" := %1").arg((quint8(f.data[0]) << 8) | quint8(f.data[1]));
    return d;
}

class ExchangeWaits : public ::testing::Test {
protected:
    void start() {
        f = std::make_unique<WindowFixture>(SimIndicator::Model::QM2);
        ASSERT_TRUE(f->start(QStringLiteral("QM2")));
        // Not the default: a fixed wait of the default's length is not taken for the reading time.
        s().ReadWaitTime = 0.25;
        f->connection().Image2_Click(0);
        ASSERT_TRUE(s().Connected);
    }
    void readPage() {
        cal().prepareSetupRead();
        cal().KalibrasyonHost();
    }
    void calibrate(int kind) {
        setOption(w().Option1[kind], true);
        cal().Option1_Click(kind);
        cal().SSCommand3_Click();
    }
    void startAnalogRun() {
        readPage();
        cal().Option5_Click(1);
        cal().SSCommand5_Click();
        ASSERT_TRUE(s().cal.AnalogRunning);
    }

    Session& s() { return f->session(); }
    MainWidgets& w() { return f->w(); }
    CalibrationProcs& cal() { return f->program->calibration; }

    std::unique_ptr<WindowFixture> f;
    std::unique_ptr<PromptAnswers> prompt;
    std::unique_ptr<FakeTransfers> fake;
};

} // namespace

// Every exchange of the connect, the calibration page, the analog output, the status page and the
// send panel waits what its answers need: the reading time before each answer is collected, and
// the extra waits its frames ask for before that.
TEST_F(ExchangeWaits, EachExchangeWaitsWhatItsAnswersNeed) {
    // A measuring step is reported done at its second status read; a second after each read and
    // one after the step is done.
    const QStringList poll = times(step("R23/2", "0.2 r 1"), 2) + QStringList{"1"};
    const QStringList upload =
        step("cmd 19", "0.2 r") +
        steps({"W128/2", "W129/2", "W130/2", "W149/2", "cmd 13", "cmd 9", "W22/2 := 1", "cmd 20"}, "0.2 r");
    struct Case {
        const char* name;
        std::function<void()> prepare; // on a connected window
        std::function<void()> action;
        QStringList waits;
    };
    const Case cases[] = {
        {"connect",
         [&] {
             f->connection().Image2_Click(1);
             f->port.close();
         },
         [&] { f->connection().Image2_Click(0); },
         step("R199/10", "0.2 r") + step("cmd 7", "r r") + step("R149/2", "0.3 r") + step("cmd 12", "r r") +
             step("R128/6", "r r")},
        {"calibration page", [] {}, [&] { readPage(); },
         step("R25/2", "0.05 r") + step("R195/2", "0.5 r") + step("cmd 7", "r r") + step("R149/10", "0.3 r") +
             step("cmd 12", "r r") + step("R128/6", "r r")},
        {"general calibration",
         [&] {
             readPage();
             prompt = std::make_unique<PromptAnswers>(*f, QStringList{QStringLiteral("150")});
             f->dialogs.answerMessage(MsgResult::Ok);
         },
         [&] { calibrate(0); },
         step("cmd 12", "0.2 r") + step("R146/4", "0.05 r") + steps({"W144/4", "W146/4"}, "r") + upload +
             step("W22/2 := 3", "0.2 r") + poll + step("W20/4", "0.2 r") + step("W22/2 := 4", "0.2 r") + poll +
             step("W22/2 := 2", "0.2 r")},
        {"zero only",
         [&] {
             readPage();
             f->dialogs.answerMessage(MsgResult::Ok);
         },
         [&] { calibrate(1); },
         step("W22/2 := 1", "0.2 r") + step("W22/2 := 3", "0.2 r") + poll + step("W22/2 := 2", "0.2 r")},
        {"span only",
         [&] {
             readPage();
             prompt = std::make_unique<PromptAnswers>(*f, QStringList{QStringLiteral("150")});
         },
         [&] { calibrate(2); },
         // The begin step's answer is collected in its own turn, though nothing judges it.
         step("R0/4", "0.05 r") + step("W22/2 := 1", "r") + step("W20/4", "0.2 r") + step("W22/2 := 4", "0.2 r") +
             poll + step("W22/2 := 2", "0.2 r")},
        {"step never done",
         [&] {
             readPage();
             f->dialogs.answerMessage(MsgResult::Ok);
             f->indicator.calFaults.stepNeverEnds = true;
         },
         [&] { calibrate(1); },
         step("W22/2 := 1", "0.2 r") + step("W22/2 := 3", "0.2 r") + times(step("R23/2", "0.2 r 1"), 15) +
             QStringList{"1"} + step("W22/2 := 2", "0.2 r")},
        {"live weight", [&] { readPage(); }, [&] { cal().SSCommand6_Click(); }, steps({"R0/4", "R3/4"}, "0.05 r")},
        {"analog start",
         [&] {
             readPage();
             cal().Option5_Click(1);
         },
         [&] { cal().SSCommand5_Click(); },
         step("W195/2", "r 0.5") + step("cmd 8", "r 0.5") + step("W24/2 := 1", "0.2 r")},
        {"analog stop", [&] { startAnalogRun(); }, [&] { cal().SSCommand5_Click(); }, step("W24/2 := 2", "r r")},
        {"adjustment step",
         [&] {
             startAnalogRun();
             setOption(w().Option6[0], true);
             cal().Option6_Click(0);
             f->indicator.setReg(190, 1000);
             w().Sıfır[0]->click();
         },
         [&] { cal().Timer1_Timer(); }, step("cmd 7", "r") + step("R190/2", "r") + step("W24/2 := 3", "r r")},
        {"toggle release",
         [&] {
             startAnalogRun();
             w().FS[2]->click();
         },
         [&] { w().FS[2]->click(); }, step("W24/2 := 0", "r r")},
        {"status page", [&] { s().ReadSelector = 6; }, [&] { f->program->app.RefKatmaOlum(); },
         step("cmd 19", "0.2 r") +
             steps({"R0/4", "R3/4", "R5/4", "W8/2", "R11/4", "R13/4", "R15/4", "R2/2", "R25/2"}, "0.05 r") +
             step("cmd 20", "0.2 r")},
        {"send panel",
         [&] {
             // The groups' own waits are the transfers' test.
             fake = std::make_unique<FakeTransfers>(f->program->ctx);
             f->program->ctx.transfers = fake.get();
         },
         [&] {
             f->program->paramset.MnDosya_Click(8);
             w().SSCommand4[0]->click();
         },
         step("R25/2", "0.05 r") + step("cmd 3", "0.05 r")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        c.prepare();
        EXPECT_EQ(framesAndWaits(*f, c.action, withCode), c.waits);
        prompt.reset();
        f.reset();
        fake.reset();
    }
}
