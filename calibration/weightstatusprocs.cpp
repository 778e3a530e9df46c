// The live weight of the calibration page and the status page's reading.

#include "calibration/calibrationprocs.h"
#include "calibration/calibrationregisters.h"
#include "calibration/liveweight.h"
#include "link/frames.h"
#include "link/textroutines.h"
#include "link/transaction.h"
#include "pages/gridlayout.h"
#include "pages/gridpage.h"
#include "platform/basic.h"
#include "platform/dialogs.h"
#include "session/context.h"
#include "session/failedread.h"
#include "session/mainwidgets.h"
#include "session/session.h"
#include "session/windowservices.h"

#include <QCoreApplication>
#include <QTimer>

// ---------------------------------------------------------------------------------------------
// Live weight

void CalibrationProcs::SSCommand6_Click() {
    liveReading(false);
}

void CalibrationProcs::Timer3_Timer() {
    QCoreApplication::processEvents();
    liveReading(true);
}

void CalibrationProcs::liveReading(bool fromTimer) {
    Session& s = m_ctx.session;
    DeviceBusyGuard guard(s);
    if (!guard.acquired())
        return;
    MainWidgets& w = *m_ctx.w;
    CalibrationState& cal = s.cal;
    const int d = int(s.DivisionDecimals.size());
    // A reading that got no answer (or a refusal) keeps the previous one.
    auto reading = [&](int reg, QString& kept) {
        const QString answer = readAndCollect(reg, 4, 0.05);
        if (answer.isEmpty() || refused(answer))
            return;
        kept = padReading(m_ctx.link.DecodeAnswer(answer, QStringLiteral("LG")).toText(), d);
    };

    w.SSCommand6->setEnabled(false);
    if (openPort(1)) {
        reading(DisplayValueRegister, cal.DisplayValueText);
        cal.DisplayValueText = padReading(cal.DisplayValueText, d);
        // A tab change during the wait has closed the port: the compare value stays as it was.
        if (portOpen()) {
            reading(CompareValueRegister, cal.DisplayCompareText);
            cal.DisplayCompareText = padReading(cal.DisplayCompareText, d);
        }
        w.Label9->setText(readingDecimalText(cal.DisplayValueText, d));
    } else if (fromTimer) {
        // The port's own message has been shown once; the repeat stops rather than show it again.
        w.Timer3->stop();
    }
    closePort();
    w.SSCommand6->setEnabled(true);
    showLiveWeight();
}

void CalibrationProcs::showLiveWeight() {
    const Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    const int d = int(s.DivisionDecimals.size());
    const WeightRange range = weightRange(basic::Val(s.cal.DisplayValueText), basic::Val(s.cal.DisplayCompareText), d,
                                          s.DisplayMaximum, s.DisplayMinimum);
    if (range == WeightRange::Inside) {
        w.Label11->clear();
        w.Label9->show();
        w.Label10->show();
        w.Label11->hide();
        return;
    }
    w.Label11->setText(text(s.messages.NoticeText, range == WeightRange::Over ? 16 : 17));
    w.Label11->show();
    w.Label9->hide();
    w.Label10->hide();
}

// ---------------------------------------------------------------------------------------------
// Status page

void CalibrationProcs::DurumOku(std::optional<StatusBytes> word) {
    GridPage* grid = m_ctx.Grid1[GridStatus];
    if (!word || !grid)
        return;
    const std::array<int, 12> texts = statusWordTexts(*word);
    for (int k = 0; k < int(texts.size()); ++k)
        grid->setTextMatrix(StatusWordFirstRow + k, 1, text(m_ctx.session.messages.StatusText, texts[k]));
}

void CalibrationProcs::HWDurumOku(std::optional<StatusBytes> hardware) {
    GridPage* grid = m_ctx.Grid1[GridStatus];
    if (!hardware)
        return;
    CalibrationState& cal = m_ctx.session.cal;
    const HardwareStatus h = hardwareStatus(*hardware);
    if (grid) {
        for (int k = 0; k < int(h.texts.size()); ++k) {
            const int row = HardwareFirstRow + k;
            if (row == HardwareDigitRow) {
                grid->setTextMatrix(row, 1, h.digit);
                grid->setRowHeight(row, 0);
            } else {
                grid->setTextMatrix(row, 1, text(m_ctx.session.messages.StatusText, h.texts[k]));
            }
        }
    }
    cal.AnalogCardPresent = h.AnalogCardPresent;
    cal.CalibrationEnabled = h.CalibrationEnabled;
}

void CalibrationProcs::HWDurumOkuAnswer(const QString& answer) {
    if (answer.isEmpty() || refused(answer))
        return;
    HWDurumOku(statusBytesFromHex(m_ctx.link.DecodeAnswer(answer, QStringLiteral("Hex")).toText()));
}

void CalibrationProcs::StatuOku() {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    GridPage* grid = m_ctx.Grid1[GridStatus];
    // The caller opens the port; nothing is sent on a closed one.
    if (!grid || !portOpen())
        return;
    DeviceLink& link = m_ctx.link;
    // The toolbar's bar counts in half steps: the read begins at half a step.
    auto bars = [&w](int value) {
        w.ProgressBar1->setValue(value);
        w.ProgressBar3->setValue(2 * value);
    };
    // Every answer is checked whole before anything of it reaches the page or the flags; a failed
    // one is told, disconnects and ends the read, with the indicator told to leave host mode.
    auto data = [&link](const QString& answer, int bytes) { return link.answerData(answer, bytes); };
    auto fail = [this] { hostReadFailed(m_ctx); };
    auto number = [&](const QString& answer) { return link.DecodeAnswer(answer, QStringLiteral("LG")).toText(); };

    link.HostYazdır(true);
    if (grid->TextMatrix(9, 1).isEmpty())
        for (int row = HardwareFirstRow; row <= HardwareFirstRow + 6; ++row)
            grid->setTextMatrix(row, 1, QString());
    if (!s.isQM2())
        grid->setRowHeight(11, 0);
    grid->setRowHeight(HardwareFirstRow, 0);
    w.ProgressBar3->setRange(0, 20);
    w.ProgressBar3->show();
    w.ProgressBar1->setValue(0);
    w.ProgressBar3->setValue(1);
    w.ProgressBar1->setMaximum(10);

    const QString first = readAndCollect(DisplayValueRegister, 4, 0.05);
    if (!data(first, 4))
        return fail();
    const QString value3 = number(first);
    s.param.ValueArray[3] = basic::Val(value3);
    grid->setTextMatrix(1, 1, FormatLikeMaximum(value3, s));
    w.ProgressBar1->setValue(1);

    const QString compare = readAndCollect(CompareValueRegister, 4, 0.05);
    if (!data(compare, 4))
        return fail();
    s.param.ValueArray[4] = basic::Val(number(compare));
    grid->setTextMatrix(2, 1, FormatLikeMaximum(number(compare), s));
    bars(2);

    const QString third = readAndCollect(StatusValue3Register, 4, 0.05);
    bars(3);
    if (!data(third, 4))
        return fail();
    sendDirect(StatusAuxRegister, 2, QStringLiteral("LG"), 7);
    s.param.ValueArray[5] = basic::Val(number(third));
    grid->setTextMatrix(3, 1, FormatLikeMaximum(number(third), s));
    // The reply to that write carries nothing the page shows.
    link.WaitSeconds(0.05);
    link.IntOku();

    int row = 4;
    for (int reg : {StatusValue4Register, StatusValue5Register, StatusValue6Register}) {
        const QString answer = readAndCollect(reg, 4, 0.05);
        if (!data(answer, 4))
            return fail();
        grid->setTextMatrix(row, 1, InsertDecimalComma(number(answer), s));
        bars(row);
        ++row;
    }

    // Both status words are two raw bytes, whatever page is in view.
    const std::optional<QString> word = data(readAndCollect(StatusWordRegister, 2, 0.05), 2);
    if (!word)
        return fail();
    DurumOku(statusBytesFromHex(*word));
    bars(8);

    if (!portOpen())
        return fail();
    link.sendFrame(BuildReadFrame(s.DeviceAddress, HardwareStatusRegister, 2, s.ChecksumOn));
    link.WaitSeconds(0.05);
    bars(9);
    const std::optional<QString> hardware = data(link.IntOku(), 2);
    if (!hardware)
        return fail();
    HWDurumOku(statusBytesFromHex(*hardware));
    bars(10);

    w.ProgressBar3->hide();
    if (portOpen())
        link.HostYazdır(false);
}

void CalibrationProcs::Timer4_Timer() {
    Session& s = m_ctx.session;
    if (!s.Connected) {
        m_ctx.w->Timer4->stop();
        return;
    }
    s.ReadSelector = 6;
    if (m_ctx.window)
        m_ctx.window->RefKatmaOlum();
}
