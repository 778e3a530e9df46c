#include "support/faketransfers.h"
#include "support/windowfixture.h"

#include "link/frames.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The read and send panels, the refresh and the deferred read around stand-in exchanges: which
// groups run, in which order, and that every way out restores the window.
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override { begin(QStringLiteral("QM2")); }

    void begin(const QString& model) {
        fx = std::make_unique<WindowFixture>();
        ASSERT_TRUE(fx->start(model));
        fake = std::make_unique<FakeTransfers>(fx->program->ctx);
        fx->program->ctx.transfers = fake.get();
        s().Connected = true;
        fx->program->app.ışık(QStringLiteral("yeşil"));
        fx->dialogs.clear();
        fx->indicator.clearLog();
        fx->port.openCalls = 0;
    }

    ParamsetProcs& procs() { return fx->program->paramset; }
    Session& s() { return fx->session(); }
    MainWidgets& w() { return fx->w(); }
    QString step(int k) { return s().messages.StepText[k]; }

    // Menus, tab strip, side band and toolbar all locked with the lamp yellow, or all free with
    // the lamp green (red while not connected).
    bool locked() {
        return !w().MnDosya1->isEnabled() && !w().MnAyar1->isEnabled() && !w().connect->isEnabled() &&
               !w().SSTab1->isEnabled() && !w().SSPanel11->isEnabled() && !w().Toolbar1->isEnabled() &&
               !w().Image2[2]->isHidden();
    }
    bool unlocked() {
        return w().MnDosya1->isEnabled() && w().MnAyar1->isEnabled() && w().connect->isEnabled() &&
               w().SSTab1->isEnabled() && w().SSPanel11->isEnabled() && w().Toolbar1->isEnabled() &&
               w().Image2[2]->isHidden();
    }
    // The state a job leaves behind: port closed, window free, AbortRequested set, guard released.
    void expectEnded(QWidget* panel) {
        EXPECT_FALSE(fx->port.isOpen());
        EXPECT_TRUE(unlocked());
        EXPECT_TRUE(panel->isHidden());
        EXPECT_TRUE(s().AbortRequested);
        EXPECT_FALSE(s().deviceBusy);
    }
    // Records, for every exchange, the caption shown and whether the job's frame held.
    void watchJob(QLabel* caption) {
        fake->during = [this, caption](const QString& call) {
            captions << caption->text();
            EXPECT_TRUE(s().deviceBusy) << qPrintable(call);
            EXPECT_TRUE(fx->port.isOpen()) << qPrintable(call);
            EXPECT_TRUE(locked()) << qPrintable(call);
            EXPECT_FALSE(s().AbortRequested) << qPrintable(call);
        };
    }

    std::unique_ptr<WindowFixture> fx;
    std::unique_ptr<FakeTransfers> fake;
    QStringList captions;
};

TEST_F(PanelTest, ReadPanelReadsTheTickedGroupsInOrder) {
    // No box ticked: the port is opened and closed, nothing is read.
    procs().MnDosya_Click(9);
    EXPECT_TRUE(locked());
    EXPECT_FALSE(w().SSPanel2->isHidden());
    EXPECT_TRUE(w().SSCommand2[0]->isEnabled());
    w().SSCommand2[0]->click();
    EXPECT_TRUE(fake->calls.isEmpty());
    EXPECT_EQ(fx->port.openCalls, 1);
    expectEnded(w().SSPanel2);

    for (int k = 0; k < 5; ++k)
        w().SSCheck1[k]->setChecked(true);
    watchJob(w().Label5);
    procs().MnDosya_Click(9);
    w().SSCommand2[0]->click();
    EXPECT_EQ(fake->calls, QStringList({"readHeaderFromDevice", "IDOKUHost", "STPOKUHost", "ParametreHostOku"}));
    EXPECT_EQ(captions, QStringList({step(0), step(1), step(2), step(3)}));
    // The status page last, on the port the panel opened (the stand-ins send nothing).
    ASSERT_GE(fx->indicator.frames.size(), 2);
    EXPECT_EQ(fx->indicator.commands.value(0), 19) << "host mode for the status read";
    EXPECT_EQ(fx->indicator.frames.value(1).firstRegister, 0);
    expectEnded(w().SSPanel2);
    EXPECT_TRUE(w().Label5->text().isEmpty());
    EXPECT_TRUE(fx->dialogs.messages().isEmpty());

    // Not connected: refused with a message; cancel still restores the window.
    s().Connected = false;
    fake->calls.clear();
    procs().MnDosya_Click(9);
    EXPECT_FALSE(w().SSCommand2[0]->isEnabled());
    procs().SSCommand2_Click(0);
    ASSERT_EQ(fx->dialogs.messages().size(), 1);
    EXPECT_EQ(fx->dialogs.messages().value(0).text, s().messages.ExtraText[7]);
    EXPECT_TRUE(fake->calls.isEmpty());
    EXPECT_FALSE(w().SSPanel2->isHidden());
    w().SSCommand2[1]->click();
    expectEnded(w().SSPanel2);
}

TEST_F(PanelTest, ReadPanelStopsWhenCancelledOrDisconnected) {
    for (int k = 0; k < 5; ++k)
        w().SSCheck1[k]->setChecked(true);

    // Cancel during a read only asks it to stop; the read's own end restores the window.
    fake->during = [this](const QString& call) {
        if (call != QStringLiteral("IDOKUHost"))
            return;
        w().SSCommand2[1]->click();
        EXPECT_TRUE(s().AbortRequested);
        EXPECT_FALSE(w().SSPanel2->isHidden()) << "the panel stays while the read runs";
        EXPECT_TRUE(locked());
        EXPECT_TRUE(fx->port.isOpen());
    };
    procs().MnDosya_Click(9);
    w().SSCommand2[0]->click();
    EXPECT_EQ(fake->calls, QStringList({"readHeaderFromDevice", "IDOKUHost"}));
    expectEnded(w().SSPanel2);

    // A read that lost the connection: nothing more is asked of the indicator.
    fake->calls.clear();
    fake->during = [this](const QString& call) {
        if (call == QStringLiteral("STPOKUHost"))
            fx->connection().Image2_Click(1);
    };
    procs().MnDosya_Click(9);
    w().SSCommand2[0]->click();
    EXPECT_EQ(fake->calls, QStringList({"readHeaderFromDevice", "IDOKUHost", "STPOKUHost"}));
    EXPECT_TRUE(fx->indicator.frames.isEmpty()) << "no status read";
    EXPECT_FALSE(fx->port.isOpen());
    EXPECT_TRUE(w().SSPanel2->isHidden());
    EXPECT_TRUE(w().SSTab1->isEnabled());
    EXPECT_FALSE(w().Image2[0]->isHidden()) << "red: not connected";
}

TEST_F(PanelTest, SendPanelWritesTheTickedGroupsThenTheParameters) {
    s().cal.AnalogCardPresent.reset();
    // Choices no sender serves cannot be ticked.
    EXPECT_FALSE(w().SSCheck2[2]->isEnabled());
    EXPECT_FALSE(w().SSCheck2[4]->isEnabled());

    // Opening the panel reads the hardware status first, then leaves the port to the panel's job.
    procs().MnDosya_Click(8);
    EXPECT_TRUE(s().cal.AnalogCardPresent.has_value());
    ASSERT_EQ(fx->indicator.frames.size(), 1);
    EXPECT_EQ(fx->indicator.frames.value(0).firstRegister, 25);
    EXPECT_FALSE(fx->port.isOpen());
    EXPECT_FALSE(w().SSPanel3->isHidden());
    EXPECT_TRUE(locked());
    EXPECT_TRUE(w().SSCommand4[0]->isEnabled());

    for (int k : {0, 1, 3})
        w().SSCheck2[k]->setChecked(true);
    watchJob(w().Label6);
    fx->indicator.clearLog();
    w().SSCommand4[0]->click();
    EXPECT_EQ(fake->calls, QStringList({"writeHeaderToDevice", "IDYaz", "STPYaz", "ParametreHostYaz"}));
    EXPECT_EQ(captions, QStringList({step(12), step(13), step(14), step(15)}));
    EXPECT_EQ(fx->indicator.commands, QList<int>({3})) << "the indicator is asked before anything is written";
    expectEnded(w().SSPanel3);

    // An aborted or failed group ends the job: nothing after it, the parameters neither.
    for (const QString& stop : {QStringLiteral("abort"), QStringLiteral("fail")}) {
        fake->calls.clear();
        fake->results.clear();
        fake->during = [&](const QString& call) {
            if (call != QStringLiteral("IDYaz"))
                return;
            if (stop == QStringLiteral("abort")) {
                // Esc, with the send's bar under way.
                w().ProgressBar2->setValue(5);
                QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QCoreApplication::sendEvent(w().Baslık[0], &esc);
                EXPECT_TRUE(s().AbortRequested);
                EXPECT_FALSE(w().SSPanel3->isHidden());
            } else
                fake->results[call] = false;
        };
        procs().MnDosya_Click(8);
        w().SSCommand4[0]->click();
        EXPECT_EQ(fake->calls, QStringList({"writeHeaderToDevice", "IDYaz"})) << qPrintable(stop);
        expectEnded(w().SSPanel3);
    }

    // With no box ticked the parameter groups still run.
    for (int k : {0, 1, 3})
        w().SSCheck2[k]->setChecked(false);
    fake->calls.clear();
    fake->during = {};
    procs().MnDosya_Click(8);
    w().SSCommand4[0]->click();
    EXPECT_EQ(fake->calls, QStringList({"ParametreHostYaz"}));
    EXPECT_TRUE(fx->dialogs.messages().isEmpty());
}

TEST_F(PanelTest, SendPanelWritesNothingWhenTheIndicatorRefuses) {
    w().SSCheck2[0]->setChecked(true);
    procs().MnDosya_Click(8);
    fx->indicator.faults.refuseRegisters = {19};
    w().SSCommand4[0]->click();
    EXPECT_TRUE(fake->calls.isEmpty());
    ASSERT_EQ(fx->dialogs.messages().size(), 1);
    const auto box = fx->dialogs.messages().value(0);
    EXPECT_EQ(box.text, s().messages.ErrorText[0] + "\r\n" + s().messages.ErrorText[4]);
    EXPECT_EQ(box.title, s().messages.StatusText[2]);
    EXPECT_EQ(box.icon, MsgIcon::Critical);
    expectEnded(w().SSPanel3);
}

TEST_F(PanelTest, SendItemUnlocksTheWindowWhenThePortNeverOpens) {
    fx->port.existingPorts.clear();
    procs().MnDosya_Click(8);
    EXPECT_EQ(fx->dialogs.messages().size(), 1) << "one message, not one per attempt";
    EXPECT_TRUE(w().SSPanel3->isHidden());
    EXPECT_TRUE(unlocked());
    EXPECT_FALSE(s().deviceBusy);

    // Not connected: nothing is read and the panel opens with its start button off.
    s().Connected = false;
    fx->dialogs.clear();
    procs().MnDosya_Click(8);
    EXPECT_TRUE(fx->dialogs.messages().isEmpty());
    EXPECT_FALSE(w().SSPanel3->isHidden());
    EXPECT_FALSE(w().SSCommand4[0]->isEnabled());
}

TEST_F(PanelTest, RefreshReadsThePageInViewOnlyWhenItMay) {
    // Not connected: a message and nothing else.
    s().Connected = false;
    procs().RefKatmaOlum();
    ASSERT_EQ(fx->dialogs.messages().size(), 1);
    EXPECT_EQ(fx->dialogs.messages().value(0).text, s().messages.ExtraText[7]);
    EXPECT_EQ(fx->port.openCalls, 0);
    s().Connected = true;
    fx->dialogs.clear();

    // A job runs, or a panel holds the window: nothing at all.
    {
        DeviceBusyGuard job(s());
        procs().RefKatmaOlum();
    }
    procs().MnDosya_Click(9);
    procs().RefKatmaOlum();
    EXPECT_EQ(fx->port.openCalls, 0);
    EXPECT_TRUE(fx->dialogs.messages().isEmpty());
    w().SSCommand2[1]->click();

    // Preset tares live only in the file: the port is opened and closed, nothing is read.
    s().ReadSelector = 2;
    procs().RefKatmaOlum();
    EXPECT_EQ(fx->port.openCalls, 1);
    EXPECT_TRUE(fake->calls.isEmpty());
    expectEnded(w().SSPanel2);

    // The ID page, under the job's frame (menus and toolbar locked too).
    watchJob(w().Label5);
    s().ReadSelector = 1;
    procs().RefKatmaOlum();
    EXPECT_EQ(fake->calls, QStringList({"IDOKUHost"}));
    expectEnded(w().SSPanel2);
}

TEST_F(PanelTest, RefreshOfTheParameterPageLeavesTheReadToTheDeferredRead) {
    w().SSTab1->setCurrentIndex(4);
    ASSERT_EQ(s().ReadSelector, 4);
    procs().RefKatmaOlum();
    EXPECT_TRUE(fake->calls.isEmpty()) << "nothing is read while the refresh holds the window";
    EXPECT_TRUE(unlocked());
    EXPECT_TRUE(w().Timer2->isActive());
    EXPECT_FALSE(s().ReadOnTabEntry);

    // The timer's tick reads the page in a job of its own.
    watchJob(w().Label5);
    fx->letDeferredReadRun();
    EXPECT_EQ(fake->calls, QStringList({"ParametreHostOku"}));
    EXPECT_EQ(captions, QStringList({step(3)}));
    EXPECT_TRUE(unlocked());
    EXPECT_TRUE(w().SSPanel2->isHidden());
    EXPECT_FALSE(fx->port.isOpen());
}

TEST_F(PanelTest, DeferredReadRetriesThePortQuietly) {
    // Three failed opens, then the port opens: no message, the page is read.
    const PortResult failed{8010, QStringLiteral("not ready")};
    fx->port.openFailures = {failed, failed, failed};
    procs().Timer2_Timer();
    EXPECT_TRUE(fx->dialogs.messages().isEmpty());
    EXPECT_EQ(fake->calls, QStringList({"ParametreHostOku"}));
    EXPECT_FALSE(fx->port.isOpen());

    // It never opens: one message after the last attempt, nothing is read, the window is restored.
    fake->calls.clear();
    fx->port.openCalls = 0;
    fx->port.openFailures = QList<PortResult>(10, failed);
    procs().Timer2_Timer();
    EXPECT_EQ(fx->port.openCalls, 10);
    ASSERT_EQ(fx->dialogs.messages().size(), 1);
    EXPECT_TRUE(fx->dialogs.messages().value(0).text.startsWith(QStringLiteral("8010")));
    EXPECT_TRUE(fake->calls.isEmpty());
    EXPECT_TRUE(unlocked());
    EXPECT_TRUE(w().SSPanel2->isHidden());
    for (int k = 0; k < 5; ++k)
        EXPECT_FALSE(w().SSCheck1[k]->isHidden()) << k;
    EXPECT_TRUE(w().SSCheck1[5]->isHidden());
}

TEST_F(PanelTest, DeferredReadLeavesTheSecondModelsChoicesHiddenForTheFirst) {
    begin(QStringLiteral("QM1"));
    procs().Timer2_Timer();
    EXPECT_EQ(fake->calls, QStringList({"ParametreHostOku"}));
    EXPECT_FALSE(w().SSCheck1[0]->isHidden());
    EXPECT_TRUE(w().SSCheck1[1]->isHidden());
    EXPECT_TRUE(w().SSCheck1[2]->isHidden());
    EXPECT_FALSE(w().SSCommand2[0]->isHidden());
}

} // namespace
