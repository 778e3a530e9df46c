#include "support/windowfixture.h"

#include "link/frames.h"
#include "pages/gridlayout.h"

#include <gtest/gtest.h>

namespace {

class ConnectionTest : public ::testing::Test {
protected:
    void start(SimIndicator::Model device, const QString& chosen) {
        f = std::make_unique<WindowFixture>(device);
        ASSERT_TRUE(f->start(chosen));
        f->connection().TaksimatBul = [this] { ++rangeReads; };
        f->connection().SSTab1_Click = [this](int tab) { tabClicks << tab; };
        f->dialogs.clear();
        f->indicator.clearLog();
        f->port.openCalls = 0;
    }
    Session& s() { return f->session(); }
    MainWidgets& w() { return f->w(); }
    // The lamp image in view: 0 red, 1 green, 2 yellow, -1 none.
    int lamp() {
        int shown = -1;
        for (int i = 0; i < 3; ++i)
            if (!w().Image2[i]->isHidden()) {
                EXPECT_EQ(shown, -1) << "two lamps at once";
                shown = i;
            }
        return shown;
    }
    bool secondModelShown() {
        return w().SSTab1->isTabVisible(1) && w().SSTab1->isTabVisible(3) && !w().EPL->isHidden();
    }
    bool secondModelHidden() {
        return !w().SSTab1->isTabVisible(1) && !w().SSTab1->isTabVisible(3) && w().EPL->isHidden();
    }
    QString extra(int k) { return s().messages.ExtraText[k]; }
    // Expects a failed connect that said nothing to the user.
    void expectQuietFailure() {
        EXPECT_FALSE(s().Connected);
        EXPECT_EQ(lamp(), 0);
        EXPECT_EQ(w().connect->text(), extra(8));
        EXPECT_TRUE(w().ProgressBar3->isHidden());
        EXPECT_TRUE(f->dialogs.messages().isEmpty());
        EXPECT_FALSE(f->port.isOpen());
        EXPECT_EQ(rangeReads, 0);
        EXPECT_FALSE(s().ReadOnTabEntry);
    }

    std::unique_ptr<WindowFixture> f;
    int rangeReads = 0;
    QList<int> tabClicks;
};

TEST_F(ConnectionTest, TheReportedModelReplacesTheChosenOneAndRebuildsItsPages) {
    start(SimIndicator::Model::QM2, "QM1");
    ASSERT_TRUE(secondModelHidden());
    const quint64 parameters = f->program->window.pages()[GridParameters].revision();
    const quint64 status = f->program->window.pages()[GridStatus].revision();
    const quint64 ids = f->program->window.pages()[GridIdMemories].revision();
    w().ProgressBar3->show();
    const double waitedBefore = f->clock.totalWaited;

    f->connection().connect_Click();

    EXPECT_TRUE(s().Connected);
    EXPECT_EQ(s().ModelName, "QM2");
    EXPECT_NE(f->program->window.pages()[GridParameters].revision(), parameters);
    EXPECT_NE(f->program->window.pages()[GridStatus].revision(), status);
    EXPECT_EQ(f->program->window.pages()[GridIdMemories].revision(), ids);
    EXPECT_TRUE(secondModelShown());
    EXPECT_EQ(lamp(), 1);
    EXPECT_EQ(w().connect->text(), extra(9));
    EXPECT_TRUE(w().SSTab1->isEnabled());
    EXPECT_TRUE(w().SSPanel11->isEnabled());
    EXPECT_TRUE(w().SSPanel10->isHidden());
    EXPECT_TRUE(s().ReadOnTabEntry);
    EXPECT_EQ(rangeReads, 1);
    EXPECT_FALSE(s().deviceBusy);
    EXPECT_TRUE(f->dialogs.shown.isEmpty());

    // One identification read of register 199, five registers, answered after the fixed wait and
    // the reading time.
    ASSERT_EQ(f->indicator.frames.size(), 1);
    EXPECT_EQ(f->indicator.frames.value(0).raw, BuildReadFrame("", 199, 10, true).toLatin1());
    EXPECT_GE(f->clock.totalWaited - waitedBefore, 0.2 + s().ReadWaitTime - 1e-9);
}

TEST_F(ConnectionTest, TheSameModelRebuildsNothing) {
    start(SimIndicator::Model::QM2, "QM2");
    const quint64 parameters = f->program->window.pages()[GridParameters].revision();
    const quint64 status = f->program->window.pages()[GridStatus].revision();
    f->connection().Image2_Click(0);
    EXPECT_TRUE(s().Connected);
    EXPECT_EQ(f->program->window.pages()[GridParameters].revision(), parameters);
    EXPECT_EQ(f->program->window.pages()[GridStatus].revision(), status);
    EXPECT_TRUE(secondModelShown());

    // A QM1 behind the line takes the second model's features away again.
    f->indicator.loadImage(SimIndicator::Model::QM1);
    f->connection().Image2_Click(1);
    f->connection().Image2_Click(0);
    EXPECT_EQ(s().ModelName, "QM1");
    EXPECT_TRUE(secondModelHidden());
}

TEST_F(ConnectionTest, AMissingPortIsReportedOnceAndLeavesTheModelsFeaturesAsTheyWere) {
    start(SimIndicator::Model::QM2, "QM2");
    s().PortNumber = "5";
    // Features out of step with the model before the attempt: the attempt puts them right.
    f->program->app.QM2DeğilseGizle(false);
    f->connection().connect_Click();

    ASSERT_EQ(f->dialogs.messages().size(), 1);
    EXPECT_EQ(f->dialogs.messages().value(0).text, "COM5 bulunmamaktadır");
    EXPECT_EQ(f->dialogs.messages().value(0).icon, MsgIcon::Critical);
    EXPECT_EQ(f->port.openCalls, 1);
    EXPECT_FALSE(s().Connected);
    EXPECT_EQ(lamp(), 0);
    EXPECT_EQ(w().connect->text(), extra(8));
    EXPECT_EQ(s().ModelName, "QM2");
    EXPECT_TRUE(secondModelShown());
    EXPECT_TRUE(f->indicator.frames.isEmpty());
}

TEST_F(ConnectionTest, OtherPortErrorsAreTriedAgainUpToTenTimes) {
    start(SimIndicator::Model::QM1, "QM1");
    f->port.openFailures = {PortResult{8010, "line noise"}, PortResult{8010, "line noise"}};
    f->connection().Image2_Click(0);
    EXPECT_TRUE(s().Connected);
    EXPECT_EQ(f->port.openCalls, 3);
    EXPECT_EQ(f->dialogs.messages().size(), 2);

    f->connection().Image2_Click(1);
    f->dialogs.clear();
    f->port.openCalls = 0;
    f->port.openFailures.clear();
    for (int i = 0; i < 12; ++i)
        f->port.openFailures << PortResult{8010, "line noise"};
    f->connection().Image2_Click(0);
    EXPECT_FALSE(s().Connected);
    EXPECT_EQ(f->port.openCalls, 10);
    EXPECT_EQ(f->dialogs.messages().size(), 10);
    EXPECT_EQ(lamp(), 0);
}

TEST_F(ConnectionTest, AnswersThatIdentifyNothingFailTheConnectQuietly) {
    start(SimIndicator::Model::QM2, "QM1");

    f->indicator.faults.silent = true;
    f->connection().connect_Click();
    expectQuietFailure();
    EXPECT_EQ(s().ModelName, "QM1");
    EXPECT_TRUE(secondModelHidden());

    f->indicator.resetFaults();
    f->indicator.faults.echoRequest = true;
    f->connection().connect_Click();
    expectQuietFailure();

    // Too short for a model name: two characters and NULs (dropped or kept, by page in view).
    f->indicator.resetFaults();
    f->indicator.setBytes(199, QByteArray("QM\0\0\0\0\0\0\0\0", 10));
    for (int page : {0, 4}) {
        s().ReadSelector = page;
        f->connection().connect_Click();
        expectQuietFailure();
    }
    f->indicator.setText(199, "Q", 10);
    f->connection().connect_Click();
    expectQuietFailure();
    EXPECT_EQ(s().ModelName, "QM1");
}

TEST_F(ConnectionTest, AnErrorAnswerBehindAnAddressFailsTheConnect) {
    start(SimIndicator::Model::QM2, "QM1");
    f->indicator.address = "05";
    s().DeviceAddress = "05";
    f->indicator.faults.refuseRegisters = {199};
    f->connection().connect_Click();
    ASSERT_EQ(f->indicator.frames.size(), 1);
    EXPECT_TRUE(f->indicator.frames.value(0).answer.startsWith("@058"))
        << f->indicator.frames.value(0).answer.constData();
    expectQuietFailure();

    f->indicator.resetFaults();
    f->connection().connect_Click();
    EXPECT_TRUE(s().Connected);
    EXPECT_EQ(s().ModelName, "QM2");
}

TEST_F(ConnectionTest, AfterConnectingThePageInViewIsServed) {
    start(SimIndicator::Model::QM2, "QM2");
    s().ReadSelector = 6;
    f->connection().Image2_Click(0);
    EXPECT_TRUE(w().Timer4->isActive());
    EXPECT_TRUE(tabClicks.isEmpty());

    w().Timer4->stop();
    f->connection().Image2_Click(1);
    s().ReadSelector = 5;
    f->connection().Image2_Click(0);
    EXPECT_EQ(tabClicks, QList<int>{5});
    EXPECT_FALSE(w().Timer4->isActive());

    // A failed connect serves nothing.
    f->connection().Image2_Click(1);
    s().ReadOnTabEntry = false;
    f->indicator.faults.silent = true;
    f->connection().Image2_Click(0);
    EXPECT_EQ(tabClicks, QList<int>{5});
    EXPECT_FALSE(s().ReadOnTabEntry);
}

TEST_F(ConnectionTest, ConnectItemGoesByTheConnectionAndWaitsForARunningJob) {
    start(SimIndicator::Model::QM2, "QM2");
    // A caption that no longer tells the state (a language load in between) does not matter.
    w().connect->setText(QStringLiteral("something else"));
    f->connection().connect_Click();
    EXPECT_TRUE(s().Connected);
    EXPECT_EQ(w().connect->text(), extra(9));

    w().connect->setText(extra(8));
    f->connection().connect_Click();
    EXPECT_FALSE(s().Connected);
    EXPECT_EQ(w().connect->text(), extra(8));
    EXPECT_EQ(lamp(), 0);

    // Nothing happens while another device job holds the line.
    f->indicator.clearLog();
    {
        DeviceBusyGuard job(s());
        w().connect->trigger();
        emit w().Image2[0]->clicked();
        EXPECT_FALSE(s().Connected);
        EXPECT_EQ(w().connect->text(), extra(8));
        EXPECT_EQ(lamp(), 0);
        EXPECT_TRUE(f->indicator.frames.isEmpty());
    }
    emit w().Image2[0]->clicked();
    EXPECT_TRUE(s().Connected);
    emit w().Image2[2]->clicked();
    EXPECT_TRUE(s().Connected);
    emit w().Image2[1]->clicked();
    EXPECT_FALSE(s().Connected);
    EXPECT_TRUE(w().connect->isEnabled());
    w().connect->trigger();
    EXPECT_TRUE(s().Connected);
}

TEST_F(ConnectionTest, LampShowsOneColourAndGreenOnlyWhileConnected) {
    start(SimIndicator::Model::QM2, "QM2");
    ConnectionProcs& link = f->connection();
    link.ışık("yeşil");
    EXPECT_EQ(lamp(), 0);
    link.ışık("sarı");
    EXPECT_EQ(lamp(), 2);
    link.ışık("mavi");
    EXPECT_EQ(lamp(), -1);
    link.ışık("kırmızı");
    EXPECT_EQ(lamp(), 0);
    s().Connected = true;
    link.ışık("yeşil");
    EXPECT_EQ(lamp(), 1);
    link.ışık("");
    EXPECT_EQ(lamp(), -1);
}

} // namespace
