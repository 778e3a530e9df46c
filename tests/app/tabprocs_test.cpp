#include "support/faketransfers.h"
#include "support/windowfixture.h"

#include "pages/gridlayout.h"
#include "pages/parametereditor.h"

#include <gtest/gtest.h>

namespace {

// Page switching and the main toolbar over a whole window, with the exchanges stood in for.
class TabTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fx.start(QStringLiteral("QM2")));
        fx.program->ctx.transfers = &fake;
        TabProcs& tabs = fx.program->tabs;
        tabs.Option5_Click = [this](int i) { calls << QStringLiteral("Option5_Click(%1)").arg(i); };
        tabs.analokartkon = [this] { calls << QStringLiteral("analokartkon"); };
        tabs.KalibrasyonHost = [this] { calls << QStringLiteral("KalibrasyonHost"); };
        fx.program->paramset.StatuOku = [this] {
            calls << QStringLiteral("StatuOku");
            EXPECT_TRUE(fx.port.isOpen());
        };
        fx.dialogs.clear();
        fx.port.openCalls = 0;
    }
    void connect() {
        s().Connected = true;
        s().ReadOnTabEntry = true; // as a connect leaves it
        fx.program->app.ışık(QStringLiteral("yeşil"));
    }
    Session& s() { return fx.session(); }
    MainWidgets& w() { return fx.w(); }
    void show(int tab) { w().SSTab1->setCurrentIndex(tab); }

    WindowFixture fx;
    FakeTransfers fake{fx.program->ctx};
    QStringList calls;
};

TEST_F(TabTest, EveryTabChangeStopsTheDevicesAndClosesThePort) {
    for (bool connected : {false, true}) {
        s().Connected = connected;
        calls.clear();
        for (QTimer* t : {w().Timer1, w().Timer2, w().Timer3, w().Timer4})
            t->start();
        ASSERT_TRUE(fx.port.open().ok());
        show(connected ? 0 : 3);
        EXPECT_EQ(s().ReadSelector, connected ? 0 : 3);
        for (QTimer* t : {w().Timer1, w().Timer2, w().Timer3, w().Timer4})
            EXPECT_FALSE(t->isActive());
        EXPECT_FALSE(fx.port.isOpen());
        // Only while connected is the calibration page put back to weight calibration.
        EXPECT_EQ(calls, connected ? QStringList({"Option5_Click(0)", "analokartkon"}) : QStringList());
        EXPECT_EQ(w().Option5[0]->isChecked(), true);
    }
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
    // Not connected: the parameter tab arms nothing, the calibration tab reads nothing.
    show(4);
    show(5);
    EXPECT_FALSE(w().Timer2->isActive());
    EXPECT_TRUE(calls.isEmpty());

    connect();
    show(4);
    EXPECT_TRUE(w().Timer2->isActive()) << "the read follows once the tab change is over";
    EXPECT_FALSE(s().ReadOnTabEntry);
    EXPECT_EQ(fx.program->window.pages()[GridParameters].Row(), 1);
    EXPECT_TRUE(fx.program->pages.parameters().DatePanelFlag);
    show(0);
    show(4);
    EXPECT_FALSE(w().Timer2->isActive()) << "a second visit reads nothing";

    // The calibration tab after a connect: the set-up lists wait for the reading, which runs once.
    s().ReadOnTabEntry = true;
    w().Combo4[1]->setEnabled(true);
    w().Sıfır[2]->setChecked(true);
    calls.clear();
    show(5);
    EXPECT_EQ(calls.count(QStringLiteral("KalibrasyonHost")), 1);
    EXPECT_FALSE(w().Combo4[1]->isEnabled());
    EXPECT_FALSE(w().Sıfır[2]->isChecked());
    show(0);
    show(5);
    EXPECT_EQ(calls.count(QStringLiteral("KalibrasyonHost")), 1);
}

TEST_F(TabTest, StatusTabReadsWhenConnectedAndStartsItsTimerEitherWay) {
    show(6);
    EXPECT_TRUE(w().Timer4->isActive());
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_TRUE(fx.dialogs.messages().isEmpty()) << "no refresh, so no message";

    show(0);
    connect();
    show(6);
    EXPECT_EQ(calls.count(QStringLiteral("StatuOku")), 1);
    EXPECT_TRUE(w().Timer4->isActive());
    EXPECT_FALSE(fx.port.isOpen());
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
        calls.clear();
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
    EXPECT_EQ(fx.dialogs.messages()[0].text, s().messages.MsgText[8]);
    press(11); // refresh, not connected
    ASSERT_EQ(fx.dialogs.messages().size(), 1);
    EXPECT_EQ(fx.dialogs.messages()[0].text, s().messages.ExtraText[7]);
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
