// The analog-output calibration: switching the page between weight and analog-output mode, the
// run's start and stop, the zero and full-scale adjustment toggles and their 100 ms repeat.

#include "calibration/analogoutput.h"
#include "calibration/calibrationprocs.h"
#include "calibration/calibrationregisters.h"
#include "calibration/setuplimits.h"
#include "link/commandcodes.h"
#include "link/frames.h"
#include "link/transaction.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "session/context.h"
#include "session/mainwidgets.h"
#include "session/session.h"

#include <QSignalBlocker>
#include <QTimer>

namespace {

const QColor kGreen(0, 255, 0);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kDarkGreen(0, 128, 0);
const QColor kGrey(192, 192, 192);

void textColour(QWidget* widget, const QColor& c) {
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    widget->setPalette(p);
}

// Sets a toggle's state as the program does it: its click handler does not run.
void setToggle(QPushButton* toggle, bool down) {
    const QSignalBlocker block(toggle);
    toggle->setChecked(down);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Page mode

void CalibrationProcs::karartust(bool on) {
    MainWidgets& w = *m_ctx.w;
    w.Shape3->setFillColor(on ? kGrey : kGreen);
    w.Shape7->setFillColor(on ? kGrey : kYellow);
    w.Shape4->setFillColor(on ? kGreen : kGrey);
    // The live weight runs only in weight mode.
    if (on)
        w.Timer3->stop();
    else
        w.Timer3->start();
    for (QWidget* c :
         {static_cast<QWidget*>(w.Frame1), static_cast<QWidget*>(w.Frame3), static_cast<QWidget*>(w.Frame6),
          static_cast<QWidget*>(w.Label4), static_cast<QWidget*>(w.Label9), static_cast<QWidget*>(w.Label10),
          static_cast<QWidget*>(w.Label11)})
        c->setEnabled(!on);
    for (QWidget* c :
         {static_cast<QWidget*>(w.Frame2), static_cast<QWidget*>(w.Label7), static_cast<QWidget*>(w.SSCommand5),
          static_cast<QWidget*>(w.Option4[0]), static_cast<QWidget*>(w.Option4[1]), static_cast<QWidget*>(w.Option6[0]),
          static_cast<QWidget*>(w.Option6[1]), static_cast<QWidget*>(w.Label3[4]), static_cast<QWidget*>(w.Frame5)})
        c->setEnabled(on);
    w.SSCommand3->setEnabled(false);
    for (int i = 0; i < 3; ++i) {
        w.Option1[i]->setEnabled(!on);
        w.Label3[(i + 5) % 10]->setEnabled(!on);
        w.Label3[(i + 8) % 10]->setEnabled(!on);
        w.Label3[i + 1]->setEnabled(on);
        setOption(w.Option1[i], false);
        m_choices.setEnabled(i, false);
        m_choices.setEnabled(i + 3, false);
    }
    for (int i = 1; i <= 4; ++i)
        m_choices.setCompanionEnabled(i, m_choices.isEnabled(i));
    showChoices();
}

void CalibrationProcs::kararttab(bool on) {
    MainWidgets& w = *m_ctx.w;
    // The parameter tab keeps its state. The tab in view stays enabled: a tab bar whose current
    // tab is disabled moves to another one, which would end the run at once.
    for (int tab : {0, 1, 2, 3, 5, 6})
        if (on || tab != w.SSTab1->currentIndex())
            w.SSTab1->setTabEnabled(tab, on);
    w.Toolbar1->setEnabled(on);
    w.MnDosya[9]->setEnabled(on);
    w.MnDosya[8]->setEnabled(on);
    w.MnAyar[0]->setEnabled(on);
}

void CalibrationProcs::Option5_Click(int index) {
    Session& s = m_ctx.session;
    if (!s.Connected)
        return;
    if (index == 0) {
        analokartkon();
        karartust(false);
        kararttab(true);
    } else if (s.cal.AnalogCardPresent.value_or(false)) {
        karartust(true);
    } else {
        setOption(m_ctx.w->Option5[0], true);
    }
}

void CalibrationProcs::Option6_Click(int /*index*/) {
    MainWidgets& w = *m_ctx.w;
    const bool zero = w.Option6[0]->isChecked();
    w.SSPanel4->setVisible(zero);
    w.SSPanel5->setVisible(!zero);
}

// ---------------------------------------------------------------------------------------------
// The run

void CalibrationProcs::SSCommand5_Click() {
    Session& s = m_ctx.session;
    DeviceBusyGuard guard(s);
    if (!guard.acquired())
        return;
    CalibrationState& cal = s.cal;
    // Starting needs the indicator; a run in progress can always be stopped.
    if (!cal.AnalogRunning && !s.Connected) {
        box(text(s.messages.ExtraText, 7), MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    lockTabs(true);
    kararttab(false);
    if (cal.AnalogRunning)
        analogStop();
    else if (!cal.AnalogCardPresent.value_or(false))
        box(text(s.messages.ErrorText, 2), MsgButtons::Ok, MsgIcon::None);
    else
        analogStart();
    kararttab(true);
    lockTabs(false);
}

void CalibrationProcs::analogError() {
    Session& s = m_ctx.session;
    box(text(s.messages.ErrorText, 0), MsgButtons::Ok, MsgIcon::Critical);
    disconnect();
    closePort();
}

void CalibrationProcs::analogStart() {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    CalibrationState& cal = s.cal;
    auto typeChoice = [&w](bool enabled) {
        w.Frame5->setEnabled(enabled);
        w.Option4[0]->setEnabled(enabled);
        w.Option4[1]->setEnabled(enabled);
    };
    typeChoice(false);
    w.Timer3->stop();

    closePort();
    if (!openPort(1)) {
        box(text(s.messages.StepText, 18), MsgButtons::Ok, MsgIcon::Critical);
        typeChoice(true);
        return;
    }
    // The output type and its store code must be taken before the run starts on them.
    s.AbortRequested = false;
    const QString type = QStringLiteral("0") + (w.Option4[1]->isChecked() ? u'1' : u'0') + QStringLiteral("00");
    m_ctx.link.CihazaGönder(s.DeviceAddress, AnalogOutputTypeRegister, 2, s.ChecksumOn, QStringLiteral("By"), type);
    if (!s.AbortRequested) {
        m_ctx.link.WaitSeconds(0.5);
        m_ctx.link.CihazaGönder(s.DeviceAddress, CommandRegister, 2, s.ChecksumOn, QStringLiteral("Lg"),
                                CmdStoreConfigNrm);
    }
    if (s.AbortRequested || !portOpen()) {
        closePort();
        typeChoice(true);
        return;
    }
    m_ctx.link.WaitSeconds(0.5);

    const QString answer = writeAndCollect(AnalogCalibrationRegister, 2, QStringLiteral("Lg"), AnalogCalStart, 0.2);
    if (refused(answer)) {
        analogError();
        typeChoice(true);
        return;
    }
    cal.AnalogRunning = true;
    w.SSCommand5->setText(text(s.messages.StepText, 16));
    textColour(w.SSCommand5, kRed);
    if (!isDeclinedAnswer(answer, s.DeviceAddress)) {
        w.Timer1->start();
        w.SSPanel4->setEnabled(true);
        w.SSPanel5->setEnabled(true);
    } else {
        w.Label7->setText(text(s.messages.StepText, 17));
        textColour(w.Label7, kRed);
        w.Shape4->setFillColor(kRed);
    }
}

void CalibrationProcs::analogStop() {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    CalibrationState& cal = s.cal;
    cal.JogHeld = false;
    w.Timer1->stop();
    w.Frame5->setEnabled(true);
    w.Option4[0]->setEnabled(true);
    w.Option4[1]->setEnabled(true);
    releaseFirstHeldToggle();

    if (!portOpen() && !openPort(1)) {
        box(text(s.messages.StepText, 18), MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    const QString answer =
        writeAndCollect(AnalogCalibrationRegister, 2, QStringLiteral("Lg"), AnalogCalStop, s.ReadWaitTime);
    if (refused(answer)) {
        analogError(); // the run stays marked running: the next click tries the stop again
        return;
    }
    cal.AnalogRunning = false;
    w.SSCommand5->setText(text(s.messages.StepText, 10));
    textColour(w.SSCommand5, kDarkGreen);
    w.Label7->setText(text(s.messages.StepText, 10));
    textColour(w.Label7, kGreen);
    w.Shape4->setFillColor(kGreen);
    w.SSPanel4->setEnabled(false);
    w.SSPanel5->setEnabled(false);
    closePort();
    w.Timer3->start();
    w.Timer1->stop();
}

void CalibrationProcs::analokartkon() {
    m_ctx.w->Timer1->stop();
    m_ctx.session.cal.JogHeld = false;
    runWhenIdle([this] { analokartkonNow(); });
}

void CalibrationProcs::analokartkonNow() {
    Session& s = m_ctx.session;
    {
        DeviceBusyGuard guard(s);
        if (!guard.acquired())
            return;
        releaseFirstHeldToggle();
    }
    // One stop attempt; when it fails the run stays marked running for the button.
    if (s.cal.AnalogRunning)
        SSCommand5_Click();
    m_ctx.w->Timer1->stop();
    m_ctx.w->Label7->setText(text(s.messages.StepText, 10));
}

// ---------------------------------------------------------------------------------------------
// Adjustment

void CalibrationProcs::releaseFirstHeldToggle() {
    MainWidgets& w = *m_ctx.w;
    for (int i = 0; i < 4; ++i) {
        if (w.Sıfır[i]->isChecked()) {
            setToggle(w.Sıfır[i], false);
            jogRelease(true, true);
            return;
        }
        if (w.FS[i]->isChecked()) {
            setToggle(w.FS[i], false);
            jogRelease(false, true);
            return;
        }
    }
}

void CalibrationProcs::jogPress(bool zero, int index) {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    if (!portOpen() && !s.deviceBusy && !openPort(1)) {
        // Without the port the toggle cannot step anything.
        setToggle(zero ? w.Sıfır[index] : w.FS[index], false);
        return;
    }
    (zero ? w.SSPanel5 : w.SSPanel4)->setEnabled(false);
    s.cal.JogHeld = true;
    s.cal.JogIndex = index;
    s.cal.JogZeroEndPoint = zero;
    w.Option6[0]->setEnabled(false);
    w.Option6[1]->setEnabled(false);
}

void CalibrationProcs::jogRelease(bool zero, bool inJob) {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    s.cal.JogHeld = false;
    // Stops the indicator's stepping: at once inside a job of this page, otherwise as soon as no
    // other exchange is on the line.
    auto stop = [this] {
        writeAndCollect(AnalogCalibrationRegister, 2, QStringLiteral("Lg"), AnalogJogStop, m_ctx.session.ReadWaitTime);
    };
    if (inJob)
        stop();
    else
        runWhenIdle([this, stop] {
            DeviceBusyGuard guard(m_ctx.session);
            if (guard.acquired())
                stop();
        });
    if (zero) {
        textColour(w.Label7, kYellow);
        w.Shape4->setFillColor(kYellow);
    }
    (zero ? w.SSPanel5 : w.SSPanel4)->setEnabled(true);
    w.Option6[0]->setEnabled(true);
    w.Option6[1]->setEnabled(true);
}

void CalibrationProcs::Sıfır_Click(int index, bool value) {
    if (value)
        jogPress(true, index);
    else
        jogRelease(true, false);
}

void CalibrationProcs::FS_Click(int index, bool value) {
    if (value)
        jogPress(false, index);
    else
        jogRelease(false, false);
}

std::optional<int> CalibrationProcs::AnalogOku(int reg) {
    if (!portOpen())
        return std::nullopt;
    const Session& s = m_ctx.session;
    sendDirect(CommandRegister, 2, QStringLiteral("Lg"), CmdLoadConfiguration);
    m_ctx.link.IntOku();
    if (!portOpen())
        return std::nullopt;
    m_ctx.link.sendFrame(BuildReadFrame(s.DeviceAddress, reg, 2, s.ChecksumOn));
    // A value is only taken from an answer that came whole: a step is judged by it.
    const std::optional<QString> data = m_ctx.link.answerData(m_ctx.link.IntOku(), 2);
    if (!data)
        return std::nullopt;
    return analogValueFromHex(*data);
}

void CalibrationProcs::Timer1_Timer() {
    Session& s = m_ctx.session;
    DeviceBusyGuard guard(s);
    if (!guard.acquired())
        return;
    MainWidgets& w = *m_ctx.w;
    CalibrationState& cal = s.cal;
    if (!portOpen())
        return;
    // At a limit the text stays a second and no step is sent meanwhile.
    if (m_ctx.clock.now() < cal.JogHoldUntil)
        return;

    const bool zeroShown = w.Option6[0]->isChecked();
    const std::optional<int> value = AnalogOku(zeroShown ? AnalogZeroRegister : AnalogFullScaleRegister);
    if (!value) {
        // Not a limit: without the value no step can be kept within the range, so none is sent,
        // and the next tick reads again.
        w.Label7->setText(text(s.messages.ErrorText, 0));
        textColour(w.Label7, kRed);
        w.Shape4->setFillColor(kRed);
    } else {
        w.Label7->setText(w.Option6[zeroShown ? 0 : 1]->text() + QStringLiteral(": ") + QString::number(*value));
        const QColor colour = cal.JogHeld ? kGreen : kYellow;
        textColour(w.Label7, colour);
        w.Shape4->setFillColor(colour);
        const std::optional<JogStep> step = cal.JogHeld ? jogStep(cal.JogZeroEndPoint, cal.JogIndex) : std::nullopt;
        if (step && jogStaysInRange(*value, *step)) {
            writeAndCollect(AnalogCalibrationRegister, 2, QStringLiteral("Lg"), step->code, s.ReadWaitTime);
        } else if (step) {
            w.Label7->setText(QStringLiteral("----- LİMİT -----"));
            cal.JogHoldUntil = m_ctx.clock.now() + 1;
        }
    }
    if (!cal.AnalogRunning)
        w.Label7->setText(text(s.messages.StepText, 10));
}
