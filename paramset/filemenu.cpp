// The File menu: new, open, save, save as, the send and read panels, exit.

#include "paramset/paramsetprocs.h"

#include "calibration/calibrationprocs.h"
#include "link/transaction.h"
#include "pages/gridlayout.h"
#include "pages/gridpage.h"
#include "pages/pagesprocs.h"
#include "platform/dialogs.h"
#include "platform/serialport.h"
#include "session/context.h"
#include "session/mainwidgets.h"
#include "session/session.h"
#include "session/windowservices.h"

namespace {

constexpr int kHardwareStatusRegister = 25;
constexpr int kOpenAttempts = 10;

// The send choices of the calibration and the two configuration groups: they send the parameter
// page, so they are offered only while the page holds a whole parameter set (read or opened).
constexpr int kParameterSendChoices[] = {5, 6, 7};

void offerParameterSendChoices(MainWidgets& w, bool offered) {
    for (int i : kParameterSendChoices) {
        if (!offered)
            w.SSCheck2[i]->setChecked(false);
        w.SSCheck2[i]->setEnabled(offered);
    }
}

} // namespace

void ParamsetProcs::withdrawCalibrationSendChoices() {
    MainWidgets& w = *m_ctx.w;
    for (int i : {5, 6}) {
        w.SSCheck2[i]->setChecked(false);
        w.SSCheck2[i]->setEnabled(false);
    }
}

void ParamsetProcs::MnDosya_Click(int Index) {
    switch (Index) {
    case 0:
        newParameterSet();
        break;
    case 1:
        openParameterSet();
        break;
    case 3:
    case 4:
        saveParameterSet(Index);
        break;
    case 8:
        openSendPanel();
        break;
    case 9:
        openReadPanel();
        break;
    case 11:
        if (m_ctx.w->AnaForm)
            m_ctx.w->AnaForm->close();
        break;
    default:
        break;
    }
}

void ParamsetProcs::saveParameterSet(int Index) {
    KayıtEt(Index, [this] { fillRecordFromPages(); });
}

void ParamsetProcs::newParameterSet() {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;

    w.Text6->clear();
    w.Text8->clear();
    s.ParamFileName = QStringLiteral("*.Vlm");
    showFileNameInCaption();
    if (m_ctx.pages)
        m_ctx.pages->setEplText(QString());
    for (int k = 0; k < 4; ++k) {
        if (GridPage* page = m_ctx.Grid1[k])
            page->Clear();
        if (m_ctx.window)
            m_ctx.window->gridDüzen(k);
        if (k < 2)
            w.DipNot[k]->clear();
        w.Baslık[k]->clear();
    }
    // The quick boxes of ID rows 1 and 2 show those emptied cells.
    for (QLineEdit* box : w.Text11)
        box->clear();
    if (m_ctx.pages) {
        m_ctx.pages->setCentred(0, false);
        m_ctx.pages->setCentred(1, false);
    }
    s.CurrentParameterSet = ParameterSet{};

    s.parameterPageEmptied();
    offerParameterSendChoices(w, false);
}

void ParamsetProcs::openParameterSet() {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;

    // A set last opened from the backup folder: the dialog starts in the folder above it.
    QString folder = s.AppFolder;
    if (folder.endsWith(QLatin1String("BACKUP/")) || folder.endsWith(QLatin1String("BACKUP\\")))
        folder.chop(7);
    const QString path = m_ctx.dialogs.openFileName(QString(), folder, QString());
    // Cancelled, or a file that is no parameter set: nothing changes.
    if (path.isEmpty() || !readParameterSetFile(path))
        return;

    if (PagesProcs* pages = m_ctx.pages) {
        pages->SilentClear = true;
        pages->SilEm();
        pages->hideEditors(GridIdMemories);
        pages->hideEditors(GridSetpoints);
    }
    showParameterSet();
    offerParameterSendChoices(w, true);
    // The indicator is read into the page on purpose only (read panel, refresh, F5), never over
    // the set just opened, whether the connect came before the open or comes after it.
    s.ParameterPageFromFile = true;
}

bool ParamsetProcs::readHardwareStatusForSendPanel() {
    Session& s = m_ctx.session;
    DeviceBusyGuard guard(s);
    if (!guard.acquired())
        return false;
    if (m_ctx.window)
        m_ctx.window->lockWindow();
    if (!openPortForJob(kOpenAttempts)) {
        if (m_ctx.window)
            m_ctx.window->unlockWindow();
        return false;
    }
    const QString answer = m_ctx.link.readExchange(kHardwareStatusRegister, 2, 0.05);
    if (m_ctx.calibration)
        m_ctx.calibration->HWDurumOkuAnswer(answer);
    // The panel's start button opens the port again for its own job.
    closePort();
    return true;
}

void ParamsetProcs::openSendPanel() {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    // The header/footer, ID and setpoint groups are sent from the record.
    fillRecordFromPages();
    if (s.Connected && !readHardwareStatusForSendPanel())
        return;
    w.SSCommand4[0]->setEnabled(s.Connected);
    if (m_ctx.window)
        m_ctx.window->lockWindow();
    showPanel(w.SSPanel3);
}

void ParamsetProcs::openReadPanel() {
    MainWidgets& w = *m_ctx.w;
    if (m_ctx.window)
        m_ctx.window->lockWindow();
    w.SSCommand2[0]->setEnabled(m_ctx.session.Connected);
    showPanel(w.SSPanel2);
}

void ParamsetProcs::wireFileMenu() {
    MainWidgets& w = *m_ctx.w;
    for (int i : {0, 1, 3, 4, 8, 9, 11})
        QObject::connect(w.MnDosya[i], &QAction::triggered, w.MnDosya1,
                         unlessDeviceBusy(m_ctx.session, [this, i] { MnDosya_Click(i); }));
    // The parameter page starts empty, as after New: sent as it stands it would blank the
    // indicator's calibration and configuration.
    offerParameterSendChoices(w, false);
}
