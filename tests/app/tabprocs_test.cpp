#include "support/faketransfers.h"
#include "support/windowfixture.h"

#include "pages/gridlayout.h"
#include "pages/parametereditor.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Page switching and the main toolbar over a whole window, with the exchanges stood in for.
class TabTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fx.start(QStringLiteral("QM2")));
        fx.program->ctx.transfers = &fake;
        fx.dialogs.clear();
        fx.port.openCalls = 0;
    }
    // A real connect, from the page in view; it leaves ReadOnTabEntry set.
    void connect() {
        fx.connection().Image2_Click(0);
        ASSERT_TRUE(s().Connected);
        fx.indicator.clearLog();
        fx.dialogs.clear();
    }
    bool read(int reg) const {
        for (const SimIndicator::Frame& f : fx.indicator.frames)
            if (!f.write && f.firstRegister == reg)
                return true;
        return false;
    }
    Session& s() { return fx.session(); }
    MainWidgets& w() { return fx.w(); }
    void show(int tab) { w().SSTab1->setCurrentIndex(tab); }
    // Lets the window handle its events for a moment (work deferred until a job has ended).
    static void settle() {
        QEventLoop loop;
        QTimer::singleShot(200, &loop, &QEventLoop::quit);
        loop.exec();
    }

    WindowFixture fx;
    FakeTransfers fake{fx.program->ctx};
};

TEST_F(TabTest, EveryTabChangeStopsTheDevicesAndClosesThePort) {
    for (QTimer* t : {w().Timer1, w().Timer2, w().Timer3, w().Timer4})
        t->start();
    ASSERT_TRUE(fx.port.open().ok());
    show(3);
    EXPECT_EQ(s().ReadSelector, 3);
    for (QTimer* t : {w().Timer1, w().Timer2, w().Timer3, w().Timer4})
        EXPECT_FALSE(t->isActive());
    EXPECT_FALSE(fx.port.isOpen());

    // Connected, with an analog-output run going on the calibration page: leaving it ends the run.
    connect();
    show(5);
    ASSERT_TRUE(read(128)) << "the calibration set-up was read on entry";
    ASSERT_TRUE(w().Timer3->isActive()) << "and the live weight started";
    fx.program->calibration.Option5_Click(1);
    fx.program->calibration.SSCommand5_Click();
    // Starting locks the other tabs; the page in view stays, and so does the run once the
    // window's events have been handled.
    settle();
    ASSERT_TRUE(s().cal.AnalogRunning);
    EXPECT_EQ(w().SSTab1->currentIndex(), 5);
    show(0);
    EXPECT_FALSE(s().cal.AnalogRunning);
    EXPECT_TRUE(w().Option5[0]->isChecked()) << "back to weight calibration";
    EXPECT_FALSE(w().Timer1->isActive());
    EXPECT_FALSE(w().Timer3->isActive());
    EXPECT_FALSE(fx.port.isOpen());
}

TEST_F(TabTest, GridTabsShowTheirFirstCellWithNoEditorOverIt) {
    GridPage& ids = fx.program->window.pages()[GridIdMemories];
    ids.setRow(7);
    ids.setCol(2);
    w().Text2->show();
    show(1);
    EXPECT_EQ(ids.Row(), 1);
    EXPECT_EQ(ids.Col(), 0);
    EXPECT_TRUE(w().Text2->isHidden());

    GridPage& setpoints = fx.program->window.pages()[GridSetpoints];
    setpoints.setRow(5);
    w().Text5[1]->show();
    show(3);
    EXPECT_EQ(setpoints.Row(), 1);
    EXPECT_TRUE(w().Text5[1]->isHidden());
    EXPECT_TRUE(fake.calls.isEmpty());
}

TEST_F(TabTest, ParameterAndCalibrationTabsReadOncePerConnect) {
    // Not connected: the calibration tab reads nothing.
    s().ReadOnTabEntry = true;
    show(5);
    EXPECT_FALSE(w().Timer3->isActive());
    EXPECT_TRUE(fx.indicator.frames.isEmpty());
    show(0);

    connect();
    show(4);
    EXPECT_TRUE(w().Timer2->isActive()) << "the read follows once the tab change is over";
    EXPECT_FALSE(s().ReadOnTabEntry);
    EXPECT_EQ(fx.program->window.pages()[GridParameters].Row(), 1);
    EXPECT_TRUE(fx.program->pages.parameters().DatePanelFlag);
    show(0);
    show(4);
    EXPECT_FALSE(w().Timer2->isActive()) << "a second visit reads nothing";

    // The calibration tab after a connect: the set-up is read once; toggles are released first.
    s().ReadOnTabEntry = true;
    w().Sıfır[2]->setChecked(true);
    show(5);
    EXPECT_FALSE(w().Sıfır[2]->isChecked());
    EXPECT_TRUE(read(128));
    show(0);
    fx.indicator.clearLog();
    show(5);
    EXPECT_FALSE(read(128)) << "a second visit reads nothing";
}

TEST_F(TabTest, StatusTabReadsWhenConnectedAndStartsItsTimerEitherWay) {
    show(6);
    EXPECT_TRUE(w().Timer4->isActive());
    EXPECT_TRUE(fx.indicator.frames.isEmpty());
    EXPECT_TRUE(fx.dialogs.messages().isEmpty()) << "no refresh, so no message";

    show(0);
    connect();
    show(6);
    EXPECT_TRUE(read(0)) << "the status page was read";
    EXPECT_TRUE(w().Timer4->isActive());
    EXPECT_FALSE(fx.port.isOpen());
    EXPECT_TRUE(w().SSTab1->isEnabled());

    // A port held by another program is told once; the timer does not tell it again every 5 s.
    show(0);
    fx.port.busyPorts.insert(1);
    fx.dialogs.clear();
    show(6);
    EXPECT_EQ(fx.dialogs.messages().size(), 1);
    EXPECT_FALSE(w().Timer4->isActive());
}

TEST_F(TabTest, ToolbarButtonsRunTheirActionsWhateverTheirTooltips) {
    // Equal and empty tooltips (a language file that repeats a line, or none at all) change nothing.
    for (QAction* b : w().Toolbar1Button)
        if (b)
            b->setToolTip(QString());
    w().Toolbar1Button[2]->setToolTip(QStringLiteral("same"));
    w().Toolbar1Button[11]->setToolTip(QStringLiteral("same"));
    auto press = [&](int button) {
        fx.dialogs.clear();
        w().Toolbar1Button[button]->trigger();
    };
    auto lastDialog = [&] { return fx.dialogs.shown.isEmpty() ? -1 : int(fx.dialogs.shown.back().kind); };

    press(2); // open: the dialog, cancelled
    EXPECT_EQ(lastDialog(), int(ScriptedDialogs::Shown::Open));
    press(4); // save, untitled: asks for a name
    EXPECT_EQ(lastDialog(), int(ScriptedDialogs::Shown::Save));
    press(5);
    EXPECT_EQ(lastDialog(), int(ScriptedDialogs::Shown::Save));
    press(10); // clear the page: asks first
    ASSERT_EQ(fx.dialogs.messages().size(), 1);
    EXPECT_EQ(fx.dialogs.messages().value(0).text, s().messages.MsgText[8]);
    press(11); // refresh, not connected
    ASSERT_EQ(fx.dialogs.messages().size(), 1);
    EXPECT_EQ(fx.dialogs.messages().value(0).text, s().messages.ExtraText[7]);
    EXPECT_EQ(fx.port.openCalls, 0);

    press(8);
    EXPECT_FALSE(w().SSPanel2->isHidden());
    w().SSCommand2[1]->click();
    press(7);
    EXPECT_FALSE(w().SSPanel3->isHidden());
    w().SSCommand4[1]->click();

    // New: the set becomes untitled again.
    s().ParamFileName = QStringLiteral("set.vlm");
    fx.program->paramset.showFileNameInCaption();
    press(1);
    EXPECT_EQ(w().AnaForm->windowTitle(), QStringLiteral("VELMORA v1.0"));

    // Refresh while connected reads the page in view.
    connect();
    show(1);
    press(11);
    EXPECT_EQ(fake.calls, QStringList({"IDOKUHost"}));

    // While a panel holds the window the toolbar does nothing, even when triggered.
    fx.program->paramset.MnDosya_Click(9);
    press(10);
    EXPECT_TRUE(fx.dialogs.shown.isEmpty());
}

} // namespace
