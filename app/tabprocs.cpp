#include "app/tabprocs.h"

#include "app/appprocs.h"
#include "app/connection.h"
#include "calibration/calibrationprocs.h"
#include "pages/gridpage.h"
#include "pages/pagesprocs.h"
#include "pages/parametereditor.h"
#include "paramset/paramsetprocs.h"
#include "platform/dialogs.h"
#include "platform/serialport.h"
#include "session/context.h"
#include "session/mainwidgets.h"
#include "session/session.h"

#include <QTabWidget>

namespace {

// The grid of each grid tab: 1 ID memories, 2 preset tares, 3 setpoints.
int gridOfTab(int tab) {
    switch (tab) {
    case 1:
        return 0;
    case 2:
        return 4;
    case 3:
        return 1;
    default:
        return -1;
    }
}

} // namespace

TabProcs::TabProcs(AppContext& ctx) : m_ctx(ctx) {
    m_ctx.tabs = this;
}

TabProcs::~TabProcs() {
    if (m_ctx.tabs == this)
        m_ctx.tabs = nullptr;
}

void TabProcs::wire() {
    if (m_wired)
        return;
    m_wired = true;
    MainWidgets& w = *m_ctx.w;
    QObject::connect(w.SSTab1, &QTabWidget::currentChanged, w.SSTab1, [this](int) { SSTab1_Click(0); });
    for (int i = 1; i < int(w.Toolbar1Button.size()); ++i) {
        QAction* button = w.Toolbar1Button[i];
        if (button && !button->isSeparator())
            QObject::connect(button, &QAction::triggered, w.Toolbar1,
                             unlessDeviceBusy(m_ctx.session, [this, i] { Toolbar1_ButtonClick(i); }));
    }
    if (m_ctx.connection)
        m_ctx.connection->SSTab1_Click = [this](int previousTab) { SSTab1_Click(previousTab); };
}

void TabProcs::SSTab1_Click(int /*previousTab*/) {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;

    // 1.-5. Nothing the previous page started goes on.
    w.Timer4->stop();
    CalibrationProcs* cal = m_ctx.calibration;
    if (s.Connected && cal) {
        cal->Option5_Click(0);
        setOption(w.Option5[0], true);
        cal->analokartkon();
    }
    s.ReadSelector = w.SSTab1->currentIndex();
    w.Timer3->stop();
    w.Timer2->stop();
    w.Timer1->stop();
    // A tab changed by the program while a job runs (a model change hides the tab in view) must not
    // take the port from under that job.
    if (m_ctx.port.isOpen() && !s.deviceBusy)
        m_ctx.port.close();

    // 6.
    const int tab = s.ReadSelector;
    switch (tab) {
    case 1:
    case 2:
    case 3: {
        const int n = gridOfTab(tab);
        // The grid comes to the front with its first cell current and no editor over it; an editor
        // shows again when a cell is chosen.
        if (m_ctx.pages)
            m_ctx.pages->hideEditors(n);
        w.Grid1[n]->raise();
        if (GridPage* page = m_ctx.Grid1[n]) {
            page->setRow(1);
            page->setCol(0);
        }
        w.Grid1[n]->raise();
        break;
    }
    case 4:
        // A page holding an opened set keeps it: the pending read, if any, stays for the
        // calibration page alone.
        if (s.ReadOnTabEntry && !s.ParameterPageFromFile) {
            s.ReadOnTabEntry = false;
            if (GridPage* page = m_ctx.Grid1[2]) {
                page->setRow(1);
                page->setCol(0);
            }
            // The read fills the date row; a double click meant for the tab does not open its panel.
            if (m_ctx.pages)
                m_ctx.pages->parameters().DatePanelFlag = true;
            w.Timer2->start();
        }
        break;
    case 5:
        if (s.ReadOnTabEntry) {
            s.ReadOnTabEntry = false;
            prepareSetupRead();
            if (s.Connected && cal)
                cal->KalibrasyonHost();
        }
        break;
    case 6:
        // Started before the read, so that a refresh whose port does not open can stop it: its
        // message is then shown once, not again at every tick.
        w.Timer4->start();
        if (s.Connected) {
            s.ReadSelector = 6;
            if (m_ctx.app)
                m_ctx.app->RefKatmaOlum();
        }
        break;
    default:
        break;
    }
}

void TabProcs::prepareSetupRead() {
    MainWidgets& w = *m_ctx.w;
    for (int i = 0; i < 4; ++i) {
        w.Sıfır[i]->setChecked(false);
        w.FS[i]->setChecked(false);
    }
    if (m_ctx.calibration)
        m_ctx.calibration->prepareSetupRead();
}

void TabProcs::Toolbar1_ButtonClick(int button) {
    Session& s = m_ctx.session;
    ParamsetProcs* paramset = m_ctx.paramset;
    // The toolbar is locked while a panel is open; a trigger that still arrives does nothing.
    if (!m_ctx.w->Toolbar1->isEnabled() || !paramset)
        return;
    switch (button) {
    case 1:
        paramset->MnDosya_Click(0);
        break;
    case 2:
        paramset->MnDosya_Click(1);
        break;
    case 4:
        paramset->MnDosya_Click(3);
        break;
    case 5:
        paramset->MnDosya_Click(4);
        break;
    case 7:
        paramset->MnDosya_Click(8);
        break;
    case 8:
        paramset->MnDosya_Click(9);
        break;
    case 10:
        if (m_ctx.pages)
            m_ctx.pages->SilEm();
        break;
    case 11:
        if (!s.Connected) {
            m_ctx.dialogs.messageBox(MessageTables::at(s.messages.ExtraText, 7), MsgButtons::Ok, MsgIcon::Critical);
            break;
        }
        if (m_ctx.app)
            m_ctx.app->RefKatmaOlum();
        break;
    default:
        break;
    }
}
