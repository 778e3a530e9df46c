// The read and send panels, the deferred read of the parameter page and the refresh of the page in
// view: every device job of the parameter set runs in the same frame. It is refused while not
// connected, holds the device-busy guard, locks the window, keeps the port open only for the job,
// and ends by restoring the window.

#include "paramset/paramsetprocs.h"

#include "calibration/calibrationprocs.h"
#include "link/commandcodes.h"
#include "link/transaction.h"
#include "paramset/devicetransfers.h"
#include "platform/dialogs.h"
#include "platform/serialport.h"
#include "session/context.h"
#include "session/mainwidgets.h"
#include "session/session.h"
#include "session/windowservices.h"

namespace {

constexpr int kNotConnectedText = 7; // ExtraText
constexpr int kReadGroups = 5;       // SSCheck1(0..4)
constexpr int kOpenAttempts = 10;

} // namespace

void ParamsetProcs::showPanel(QWidget* panel) {
    if (m_ctx.window)
        m_ctx.window->showPanel(panel);
    else
        panel->show();
}

bool ParamsetProcs::pressAnsweredWithoutJob(int Index) {
    Session& s = m_ctx.session;
    if (Index == 0 && !s.Connected) {
        m_ctx.dialogs.messageBox(MessageTables::at(s.messages.ExtraText, kNotConnectedText), MsgButtons::Ok,
                                 MsgIcon::Critical);
        return true;
    }
    // Cancel during a job only asks it to stop: the job ends at its next step and its own ending
    // restores the window.
    if (s.deviceBusy) {
        if (Index == 1)
            s.AbortRequested = true;
        return true;
    }
    return false;
}

bool ParamsetProcs::chosen(const QCheckBox* box) {
    return box && box->isChecked() && box->isEnabled() && !box->isHidden();
}

bool ParamsetProcs::openPortForJob(int attempts) {
    PortResult result;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        result = m_ctx.link.openPort();
        if (result.ok())
            return true;
        m_ctx.port.close();
        if (porterror::isFinal(result.code))
            break;
    }
    m_ctx.link.showPortError(result);
    return false;
}

void ParamsetProcs::closePort() {
    if (m_ctx.port.isOpen())
        m_ctx.port.close();
}

void ParamsetProcs::readPanelEnding() {
    MainWidgets& w = *m_ctx.w;
    panelEnding(w.SSPanel2, w.SSCommand2, w.ProgressBar1, w.Label5);
}

void ParamsetProcs::sendPanelEnding() {
    MainWidgets& w = *m_ctx.w;
    panelEnding(w.SSPanel3, w.SSCommand4, w.ProgressBar2, w.Label6);
}

void ParamsetProcs::panelEnding(QWidget* panel, const std::array<QPushButton*, 2>& commands, QProgressBar* bar,
                                QLabel* caption) {
    commands[1]->setEnabled(true);
    closePort();
    m_ctx.session.AbortRequested = true;
    if (m_ctx.window)
        m_ctx.window->unlockWindow();
    panel->hide();
    bar->setValue(0);
    caption->clear();
    commands[0]->setEnabled(true);
}

bool ParamsetProcs::runReadGroup(int group) {
    DeviceTransfers* t = m_ctx.transfers;
    if (!t)
        return false;
    switch (group) {
    case 0:
        return t->readHeaderFromDevice();
    case 1:
        return t->IDOKUHost();
    case 2:
        return t->STPOKUHost();
    case 3:
        // Read on purpose: the page holds the indicator's values from now on.
        m_ctx.session.ParameterPageFromFile = false;
        return t->ParametreHostOku();
    case 4:
        if (m_ctx.calibration)
            m_ctx.calibration->StatuOku();
        return m_ctx.session.Connected;
    default:
        return false;
    }
}

void ParamsetProcs::SSCommand2_Click(int Index) {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    if (deferWhileReading(s, [this, Index] { SSCommand2_Click(Index); }) || pressAnsweredWithoutJob(Index))
        return;
    DeviceBusyGuard guard(s);

    w.SSCommand2[0]->setEnabled(false);
    s.AbortRequested = false;
    if (Index == 0) {
        closePort();
        if (openPortForJob(1)) {
            for (int k = 0; k < kReadGroups; ++k) {
                if (!chosen(w.SSCheck1[k]))
                    continue;
                // A failed read has disconnected: nothing more is asked of the indicator.
                if (s.AbortRequested || !s.Connected)
                    break;
                w.Label5->setText(MessageTables::at(s.messages.StepText, k));
                if (!runReadGroup(k))
                    break;
            }
        }
        closePort();
        w.SSCommand2[1]->setEnabled(false);
    }
    readPanelEnding();
}

void ParamsetProcs::SSCommand4_Click(int Index) {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    if (deferWhileReading(s, [this, Index] { SSCommand4_Click(Index); }) || pressAnsweredWithoutJob(Index))
        return;
    DeviceBusyGuard guard(s);

    w.SSCommand4[0]->setEnabled(false);
    if (Index == 0) {
        closePort();
        // A value the indicator cannot hold stops the send before anything goes out.
        if ((!m_ctx.transfers || m_ctx.transfers->checkWrites()) && openPortForJob(1)) {
            // The indicator must answer before anything is written to it.
            const QString answer =
                m_ctx.link.writeExchange(CommandRegister, 2, QStringLiteral("Lg"), CmdLoadHeader, 0.05);
            if (m_ctx.link.isErrorAnswer(answer)) {
                const MessageTables& t = s.messages;
                m_ctx.dialogs.messageBox(MessageTables::at(t.ErrorText, 0) + QStringLiteral("\r\n") +
                                             MessageTables::at(t.ErrorText, 4),
                                         MsgButtons::Ok, MsgIcon::Critical, MessageTables::at(t.StatusText, 2));
            } else {
                // The indicator has answered, which is all this asks; a wrong checksum on the
                // answer is still logged.
                m_ctx.link.acknowledged(answer, 2);
                w.SSCommand4[1]->setEnabled(false);
                s.AbortRequested = false;
                struct Group {
                    int box;
                    int caption;
                    bool (DeviceTransfers::*writer)();
                };
                static const Group groups[] = {{0, 12, &DeviceTransfers::writeHeaderToDevice},
                                               {1, 13, &DeviceTransfers::IDYaz},
                                               {3, 14, &DeviceTransfers::STPYaz}};
                DeviceTransfers* transfers = m_ctx.transfers;
                bool goOn = transfers != nullptr;
                for (const Group& g : groups) {
                    if (!goOn)
                        break;
                    if (!chosen(w.SSCheck2[g.box]))
                        continue;
                    if (s.AbortRequested || !s.Connected)
                        break;
                    w.Label6->setText(MessageTables::at(s.messages.StepText, g.caption));
                    goOn = (transfers->*g.writer)();
                }
                // The parameter groups always follow, unless the job was stopped or failed.
                if (goOn && !s.AbortRequested && s.Connected) {
                    w.Label6->setText(MessageTables::at(s.messages.StepText, 15));
                    transfers->ParametreHostYaz();
                }
                closePort();
            }
        }
    }
    sendPanelEnding();
}

void ParamsetProcs::Timer2_Timer() {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    // One-shot: off from the start, so a tick cannot come again while the read waits.
    w.Timer2->stop();
    if (s.deviceBusy) {
        // Another job has the indicator; the read follows once it has ended.
        w.Timer2->start();
        return;
    }
    DeviceBusyGuard guard(s);

    if (m_ctx.window)
        m_ctx.window->lockWindow();
    for (int i = 0; i <= 5; ++i)
        w.SSCheck1[i]->hide();
    w.SSCommand2[0]->hide();
    w.SSCommand2[1]->hide();

    bool portOpen = false;
    if (s.Connected)
        portOpen = openPortForJob(kOpenAttempts);

    showPanel(w.SSPanel2);
    s.AbortRequested = false;
    w.Label5->setText(MessageTables::at(s.messages.StepText, 3));
    w.Label5->repaint();

    if (s.Connected && portOpen && m_ctx.transfers)
        m_ctx.transfers->ParametreHostOku();

    w.SSPanel2->hide();
    for (int i = 0; i < kReadGroups; ++i)
        w.SSCheck1[i]->show();
    if (!s.isQM2()) {
        w.SSCheck1[1]->hide();
        w.SSCheck1[2]->hide();
    }
    w.SSCommand2[0]->show();
    w.SSCommand2[1]->show();
    closePort();
    if (m_ctx.window)
        m_ctx.window->unlockWindow();
}

void ParamsetProcs::RefKatmaOlum() {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    if (!s.Connected) {
        m_ctx.dialogs.messageBox(MessageTables::at(s.messages.ExtraText, kNotConnectedText), MsgButtons::Ok,
                                 MsgIcon::Critical);
        return;
    }
    // A job runs, or a panel has the window locked; the live weight's reading is let finish.
    if (deferWhileReading(s, [this] { RefKatmaOlum(); }) || s.deviceBusy || !w.SSTab1->isEnabled())
        return;

    int reenterTab = -1;
    {
        DeviceBusyGuard guard(s);
        if (m_ctx.window)
            m_ctx.window->lockWindow();
        w.SSCommand2[0]->setEnabled(false);
        s.AbortRequested = false;
        if (openPortForJob(1)) {
            s.AbortRequested = false;
            DeviceTransfers* t = m_ctx.transfers;
            switch (s.ReadSelector) {
            case 0:
                if (t)
                    t->readHeaderFromDevice();
                break;
            case 1:
                if (t)
                    t->IDOKUHost();
                break;
            case 3:
                if (t)
                    t->STPOKUHost();
                break;
            case 4:
            case 5:
                // The page's own entry read does it, once the window is restored.
                reenterTab = s.ReadSelector;
                break;
            case 6:
                if (m_ctx.calibration)
                    m_ctx.calibration->StatuOku();
                break;
            default: // the preset tares live only in the file
                break;
            }
            closePort();
        } else {
            // The status page's timer would tell the same failure every 5 s.
            w.Timer4->stop();
        }
        readPanelEnding();
    }
    if (reenterTab >= 0 && m_ctx.window) {
        s.ReadOnTabEntry = true;
        // A refresh of the parameter page reads it even over an opened set; one of the
        // calibration page leaves an opened parameter page as it is.
        if (reenterTab == 4)
            s.ParameterPageFromFile = false;
        m_ctx.window->SSTab1_Click(reenterTab);
    }
}

void ParamsetProcs::wirePanels() {
    MainWidgets& w = *m_ctx.w;
    Session& s = m_ctx.session;
    QObject::connect(w.SSCommand2[0], &QPushButton::clicked, w.SSPanel2,
                     unlessDeviceBusy(s, [this] { SSCommand2_Click(0); }));
    QObject::connect(w.SSCommand4[0], &QPushButton::clicked, w.SSPanel3,
                     unlessDeviceBusy(s, [this] { SSCommand4_Click(0); }));
    // Cancel reaches a running job: there it only asks the job to stop.
    QObject::connect(w.SSCommand2[1], &QPushButton::clicked, w.SSPanel2, [this] { SSCommand2_Click(1); });
    QObject::connect(w.SSCommand4[1], &QPushButton::clicked, w.SSPanel3, [this] { SSCommand4_Click(1); });
    QObject::connect(w.Timer2, &QTimer::timeout, w.SSPanel2, [this] { Timer2_Timer(); });
    // Choices no reader or sender serves are shown, but cannot be ticked.
    for (QCheckBox* box : {w.SSCheck2[2], w.SSCheck2[4], w.SSCheck1[5], w.SSCheck1[6]}) {
        box->setChecked(false);
        box->setEnabled(false);
    }
}
