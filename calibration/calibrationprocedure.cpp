// The weight calibration: choosing the kind, the run of the start button with its set-up upload,
// zero, span and finish steps, the span-weight prompt and the status poll.

#include "calibration/calibrationprocs.h"
#include "calibration/calibrationregisters.h"
#include "calibration/calibrationrun.h"
#include "calibration/setuplimits.h"
#include "link/commandcodes.h"
#include "link/textroutines.h"
#include "link/transaction.h"
#include "paramset/paramsetprocs.h"
#include "platform/basic.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "session/context.h"
#include "session/mainwidgets.h"
#include "session/session.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace {

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);
constexpr int kPolls = 15;

void paintLabel(QLabel* label, const QColor& background) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, background);
    label->setPalette(p);
    label->setAutoFillBackground(true);
}

QString lg() {
    return QStringLiteral("Lg");
}

} // namespace

void CalibrationProcs::Option1_Click(int index) {
    Session& s = m_ctx.session;
    if (!s.Connected)
        return;
    if (!s.cal.CalibrationEnabled.value_or(false)) {
        box(text(s.messages.ErrorText, 1), MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    if (index == 0) {
        for (int i : {0, 1, 2, 5})
            m_choices.setEnabled(i, true);
        for (int i : {1, 2})
            m_choices.setCompanionEnabled(i, true);
        const bool single = m_choices.text(0).startsWith(u'0');
        for (int i : {3, 4}) {
            m_choices.setEnabled(i, !single);
            m_choices.setCompanionEnabled(i, !single);
        }
    } else {
        for (int i = 0; i < SetupChoices::ListCount; ++i)
            m_choices.setEnabled(i, false);
        for (int i = 1; i <= 4; ++i)
            m_choices.setCompanionEnabled(i, false);
    }
    showChoices();
    m_ctx.w->SSCommand3->setEnabled(true);
}

bool CalibrationProcs::text10Key(int key, const QString& typed) {
    MainWidgets& w = *m_ctx.w;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        w.SSPanel8->hide();
        return false;
    }
    if (typed.isEmpty())
        return false; // movement and editing keys that type nothing
    const QChar c = typed[0];
    if (c == u',' || c == u'.') {
        // One decimal point, whichever separator was typed.
        if (!w.Text10->text().contains(u'.'))
            w.Text10->insert(QStringLiteral("."));
        return true;
    }
    if ((c >= u'0' && c <= u'9') || c == QChar(8))
        return false;
    return true;
}

void CalibrationProcs::SSCommand11_Click(int index) {
    MainWidgets& w = *m_ctx.w;
    if (index == 1)
        w.Text10->clear();
    w.SSPanel8->hide();
}

bool CalibrationProcs::stepRefused(const QString& answer) const {
    // A step the indicator declines was not carried out: the status it then reports is an old one.
    return refused(answer) || isDeclinedAnswer(answer, m_ctx.session.DeviceAddress);
}

void CalibrationProcs::stepNotDone() {
    box(text(m_ctx.session.messages.ErrorText, 0), MsgButtons::Ok, MsgIcon::Critical);
    disconnect();
    m_ctx.session.cal.StepFailed = true;
}

void CalibrationProcs::stepLamp(const QString& caption, bool ok) {
    MainWidgets& w = *m_ctx.w;
    w.Label4->setText(caption);
    paintLabel(w.Label4, ok ? kGreen : kRed);
    w.Shape3->setFillColor(ok ? kGreen : kRed);
}

void CalibrationProcs::unlockAfterRun() {
    lockTabs(false);
}

bool CalibrationProcs::startChecks() {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    const MessageTables& t = s.messages;
    if (!s.cal.CalibrationEnabled.value_or(false)) {
        w.SSCommand3->setEnabled(false);
        box(text(t.ErrorText, 1), MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    const bool twoRanges = m_choices.text(0).startsWith(u'1');
    if (twoRanges && SetupChoices::entryCode(m_choices.text(4)) <= SetupChoices::entryCode(m_choices.text(2))) {
        box(text(t.MsgText, 7), MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    for (int i = 0; i < SetupChoices::ListCount; ++i) {
        if (m_choices.text(i).isEmpty()) {
            box(text(t.ErrorText, 4), MsgButtons::Ok, MsgIcon::Critical);
            return false;
        }
    }
    // A general calibration writes configuration bytes back as they were read: they must have come
    // from this indicator since it was connected, two hex digits each.
    if (w.Option1[0]->isChecked()) {
        bool read = isHexByteText(s.cal.ConfigByte1Text);
        if (twoRanges)
            read = read && isHexByteText(s.cal.CalibrationRecordPart1) && isHexByteText(s.cal.CalibrationRecordPart2) &&
                   isHexByteText(s.cal.CalibrationRecordPart3);
        if (!read) {
            box(text(t.ExtraText, SetupNotReadText), MsgButtons::Ok, MsgIcon::Critical);
            return false;
        }
    }
    return true;
}

void CalibrationProcs::SSCommand3_Click() {
    Session& s = m_ctx.session;
    DeviceBusyGuard guard(s);
    if (!guard.acquired())
        return;
    MainWidgets& w = *m_ctx.w;
    if (!s.Connected) {
        box(text(s.messages.ExtraText, 7), MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    lockTabs(true);
    CalibrationState& cal = s.cal;
    cal.ZeroOnly = cal.SpanOnly = cal.RunStopped = cal.PollTimedOut = cal.StepFailed = false;
    if (!startChecks()) {
        unlockAfterRun();
        return;
    }

    for (int i = 0; i < SetupChoices::ListCount; ++i)
        m_choices.setEnabled(i, false);
    for (int i = 1; i <= 4; ++i)
        m_choices.setCompanionEnabled(i, false);
    showChoices();
    w.Label11->clear();
    w.Label11->hide();
    w.Label9->setText(QStringLiteral(" - - - - "));
    w.Timer3->stop();

    closePort();
    if (!openPort(1)) {
        box(text(s.messages.StepText, 18), MsgButtons::Ok, MsgIcon::Critical);
        unlockAfterRun();
        return;
    }

    int kind = -1;
    for (int i = 0; i < 3 && kind < 0; ++i)
        if (w.Option1[i]->isChecked())
            kind = i;
    runKind(kind);
    if (m_ctx.paramset)
        m_ctx.paramset->withdrawCalibrationSendChoices();

    closePort();
    w.Timer3->start();
    unlockAfterRun();
}

void CalibrationProcs::runKind(int kind) {
    Session& s = m_ctx.session;
    CalibrationState& cal = s.cal;
    // The window closing ends the run where it stands: nothing more is sent.
    auto finish = [this] {
        if (!m_ctx.clock.isShuttingDown())
            finishStep();
    };
    switch (kind) {
    case 0: {
        const StepEnd zero = zeroStep(0);
        // A zero the indicator refused or could not take ends the run before any span weight is
        // asked for; one not done in time still gets its finish step.
        if (zero == StepEnd::Refused || zero == StepEnd::Stopped)
            return;
        if (zero == StepEnd::ErrorCode || zero == StepEnd::TimedOut) {
            cal.PollTimedOut = false;
            finish();
            return;
        }
        spanStep();
        finish();
        return;
    }
    case 1: {
        cal.ZeroOnly = true;
        const StepEnd zero = zeroStep(1);
        if (zero == StepEnd::Refused || zero == StepEnd::Stopped || cal.RunStopped)
            return;
        finish();
        return;
    }
    case 2: {
        const QString answer = readAndCollect(DisplayValueRegister, 4, 0.05);
        // The indicator declining carries no weight to judge: the run ends quietly.
        if (isDeclinedAnswer(answer, s.DeviceAddress))
            return;
        const double value =
            answer.isEmpty() || refused(answer) ? 0 : m_ctx.link.DecodeAnswer(answer, QStringLiteral("LG")).toNumber();
        if (value <= 0) {
            box(text(s.messages.NoticeText, 0), MsgButtons::Ok, MsgIcon::Critical, text(s.messages.StatusText, 2));
            return;
        }
        cal.SpanOnly = true;
        spanStep();
        if (!cal.RunStopped)
            finish();
        return;
    }
    default:
        return;
    }
}

CalibrationProcs::StepEnd CalibrationProcs::zeroStep(int kind) {
    Session& s = m_ctx.session;
    CalibrationState& cal = s.cal;
    const MsgResult answer = box(text(s.messages.StepText, 11), MsgButtons::OkCancel);
    if (answer == MsgResult::Cancel) {
        setOption(m_ctx.w->Option1[0], false);
        return StepEnd::Stopped;
    }
    if (kind == 0) {
        gravityCarryOver();
        if (!uploadSetup())
            return StepEnd::Refused;
    }
    if (cal.ZeroOnly) {
        // A calibration the indicator declines to begin takes no zero either.
        const QString begin = writeAndCollect(CalibrationStepRegister, 2, lg(), CalStepBegin, 0.2);
        if (isDeclinedAnswer(begin, s.DeviceAddress)) {
            stepNotDone();
            cal.RunStopped = true;
            return StepEnd::Refused;
        }
    }
    const QString zero = writeAndCollect(CalibrationStepRegister, 2, lg(), CalStepZero, 0.2);
    if (stepRefused(zero)) {
        stepNotDone();
        cal.RunStopped = true;
        return StepEnd::Refused;
    }
    stepLamp(text(s.messages.StepText, 9), true);
    return poll();
}

void CalibrationProcs::gravityCarryOver() {
    writeAndCollect(CommandRegister, 2, lg(), CmdLoadCalibration, 0.2);
    const QString answer = readAndCollect(CalGravity2Register, 4, 0.05);
    if (answer.isEmpty() || refused(answer))
        return;
    const double value = m_ctx.link.DecodeAnswer(answer, QStringLiteral("LG")).toNumber();
    if (value != 0) {
        // Each answer is taken in its own turn, so that none of them is read as the answer to the
        // host-mode command that follows; none is judged.
        writeAndCollect(CalGravity1Register, 4, lg(), value, 0);
        writeAndCollect(CalGravity2Register, 4, lg(), 0, 0);
    }
}

bool CalibrationProcs::uploadSetup() {
    Session& s = m_ctx.session;
    const CalibrationState& cal = s.cal;
    m_ctx.w->SSCommand3->setEnabled(false);
    const QString host = writeAndCollect(CommandRegister, 2, lg(), CmdHostModeOn, 0.2);
    if (stepRefused(host)) {
        box(text(s.messages.ErrorText, 0), MsgButtons::Ok, MsgIcon::Critical);
        disconnect();
        return false;
    }
    auto code = [this](int i) { return ZeroPad(2, basic::Hex(SetupChoices::entryCode(m_choices.text(i)))); };
    const QString by = QStringLiteral("By");
    writeAndCollect(RangeRecordRegister, 2, by, code(0) + QStringLiteral("00"), 0.2);
    writeAndCollect(Range1CodeRegister, 2, by, code(1) + code(2), 0.2);
    writeAndCollect(Range2CodeRegister, 2, by, code(3) + code(4), 0.2);
    writeAndCollect(ConfigChunk1Register, 2, by, code(5) + cal.ConfigByte1Text, 0.2);
    if (m_choices.text(0).startsWith(u'1'))
        writeAndCollect(ConfigChunk1TailRegister, 6, by,
                        ZeroPad(12, cal.CalibrationRecordPart1 + QStringLiteral("0101") + cal.CalibrationRecordPart2 +
                                        QStringLiteral("01") + cal.CalibrationRecordPart3),
                        0.2);
    writeAndCollect(CommandRegister, 2, lg(), CmdStoreCalibration, 0.2);
    writeAndCollect(CommandRegister, 2, lg(), CmdStoreConfigJmp, 0.2);
    writeAndCollect(CalibrationStepRegister, 2, lg(), CalStepBegin, 0.2);
    const QString off = writeAndCollect(CommandRegister, 2, lg(), CmdHostModeOff, 0.2);
    if (!isDeclinedAnswer(off, s.DeviceAddress)) {
        m_ctx.w->Shape3->setFillColor(kGreen);
        // The limits of the set-up just written.
        if (const std::optional<WeighingLimits> limits = deriveLimits(m_choices.text(3), m_choices.text(2)))
            applyLimits(s, *limits);
    }
    return true;
}

bool CalibrationProcs::spanPrompt(QString& entry) {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    w.Label18->setText(text(s.messages.StepText, 8));
    w.Text10->setText(suggestedSpanWeightText(s.cal.SuggestedSpanWeight, int(s.DivisionDecimals.size())));
    if (const QWidget* over = w.SSPanel8->parentWidget())
        w.SSPanel8->move((over->width() - w.SSPanel8->width()) / 2, (over->height() - w.SSPanel8->height()) / 2);
    w.SSPanel8->show();
    w.SSPanel8->raise();
    w.Text10->selectAll();
    w.Text10->setFocus();

    // The technician answers at leisure: Enter, OK, cancel or the "X" hide the panel, which ends
    // this wait. Closing the window ends it too.
    QEventLoop loop;
    m_prompt = &loop;
    QObject::connect(&m_ctx.clock, &Clock::shuttingDown, &loop, &QEventLoop::quit);
    while (!w.SSPanel8->isHidden() && !m_ctx.clock.isShuttingDown())
        loop.exec();
    m_prompt = nullptr;
    if (m_ctx.clock.isShuttingDown()) {
        w.SSPanel8->hide();
        entry.clear();
        return false;
    }
    entry = w.Text10->text();
    return true;
}

CalibrationProcs::StepEnd CalibrationProcs::spanStep() {
    Session& s = m_ctx.session;
    CalibrationState& cal = s.cal;
    const MessageTables& t = s.messages;
    cal.SuggestedSpanWeight = s.Capacity.value_or(0) / 2;
    // The window closing ends the run where it stands, whichever way this pass came about.
    while (!m_ctx.clock.isShuttingDown()) {
        QString entry;
        spanPrompt(entry);
        if (entry.trimmed().isEmpty()) {
            cal.RunStopped = true;
            setOption(m_ctx.w->Option1[0], false);
            return StepEnd::Stopped;
        }
        if (cal.SpanOnly) {
            // Its answer is taken here, so that the span-weight check below reads its own.
            const QString begin = writeAndCollect(CalibrationStepRegister, 2, lg(), CalStepBegin, 0);
            if (isDeclinedAnswer(begin, s.DeviceAddress)) {
                stepNotDone();
                return StepEnd::Refused;
            }
        }

        const SpanWeight weight = parseSpanWeight(entry, int(s.DivisionDecimals.size()), s.DisplayMaximum);
        switch (weight.outcome) {
        case SpanWeight::Outcome::Zero:
            continue;
        case SpanWeight::Outcome::NotANumber:
            box(text(t.ExtraText, SpanNotANumberText), MsgButtons::Ok, MsgIcon::Critical, text(t.StatusText, 2));
            continue;
        case SpanWeight::Outcome::TooManyDecimals:
            box(text(t.ExtraText, SpanDecimalsText), MsgButtons::Ok, MsgIcon::Critical, text(t.StatusText, 2));
            continue;
        case SpanWeight::Outcome::AboveLimit:
            box(text(t.NoticeText, 15), MsgButtons::Ok, MsgIcon::Critical, text(t.StatusText, 2));
            continue;
        case SpanWeight::Outcome::Accepted:
            break;
        }

        cal.StepFailed = false; // only the last attempt counts
        const QString answer = writeAndCollect(SpanWeightRegister, 4, lg(), double(weight.units), 0.2);
        const QString span =
            stepRefused(answer) ? answer : writeAndCollect(CalibrationStepRegister, 2, lg(), CalStepSpan, 0.2);
        if (stepRefused(span)) {
            stepNotDone();
            return StepEnd::Refused;
        }
        stepLamp(text(t.StepText, 9), true);
        const StepEnd end = poll();
        if (end == StepEnd::ErrorCode)
            continue; // the weight is asked for again
        return end;
    }
    return StepEnd::Stopped;
}

bool CalibrationProcs::finishStep() {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    const QString answer = writeAndCollect(CalibrationStepRegister, 2, lg(), CalStepFinish, 0.2);
    if (stepRefused(answer)) {
        box(text(s.messages.ErrorText, 0), MsgButtons::Ok, MsgIcon::Critical);
        disconnect();
        stepLamp(text(s.messages.StatusText, 2), false);
        return false;
    }
    // A run in which a step failed ends without the green "finished".
    if (s.cal.StepFailed)
        stepLamp(text(s.messages.StatusText, 2), false);
    else
        stepLamp(text(s.messages.StepText, 10), true);
    w.SSCommand3->setEnabled(false);
    for (QRadioButton* o : w.Option1)
        setOption(o, false);
    return true;
}

CalibrationProcs::StepEnd CalibrationProcs::poll() {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    const MessageTables& t = s.messages;
    std::optional<CalibrationStatus> status;
    int n = 0;
    do {
        QCoreApplication::processEvents();
        const QString answer = readAndCollect(CalibrationStatusRegister, 2, 0.2);
        status = calibrationStatus(answer, s.DeviceAddress);
        m_ctx.link.WaitSeconds(1);
        ++n;
        w.Label4->setText(text(t.StepText, 9) + QStringLiteral(" - ") + QString::number(n));
        w.Label4->repaint();
        if (m_ctx.clock.isShuttingDown())
            return StepEnd::Stopped;
    } while (n < kPolls && !(status && status->done()));

    if (!status || !status->done()) {
        box(text(t.NoticeText, 1) + QStringLiteral("\r\n") + text(t.NoticeText, 2) + QStringLiteral("\r\n") +
                text(t.NoticeText, 3),
            MsgButtons::Ok, MsgIcon::Critical, text(t.StatusText, 2));
        stepLamp(text(t.StatusText, 2), false);
        s.cal.PollTimedOut = true;
        s.cal.StepFailed = true;
        m_ctx.link.WaitSeconds(1);
        w.Label4->repaint();
        return StepEnd::TimedOut;
    }
    if (status->code != QLatin1String("00")) {
        const int second = status->code == QLatin1String("25") ? 5 : 6;
        box(text(t.NoticeText, 4) + QStringLiteral("\r\n") + text(t.NoticeText, second), MsgButtons::Ok,
            MsgIcon::Critical, text(t.StatusText, 2));
        s.cal.StepFailed = true;
        return StepEnd::ErrorCode;
    }
    w.Label4->setText(text(t.StatusText, 3));
    m_ctx.link.WaitSeconds(1);
    w.Label4->repaint();
    return StepEnd::Done;
}
