#pragma once

#include "calibration/setupchoices.h"
#include "calibration/statusbits.h"
#include "platform/dialogs.h"

#include <QString>
#include <QVariant>
#include <QVector>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct AppContext;
class QEventLoop;
class QObject;
class QTimer;

// The calibration page's procedures: the set-up choices and their reading from the indicator, the
// weight calibration, the live weight, the analog-output calibration and adjustment, and the status
// page's reading. Every device job takes the session's device-busy guard; a click or timer tick
// that comes while another job runs does nothing (a release of a held adjustment toggle is carried
// out as soon as that job ends).
class CalibrationProcs {
public:
    explicit CalibrationProcs(AppContext& ctx);
    virtual ~CalibrationProcs();

    // Connects the page's controls and the timers Timer1, Timer3 and Timer4 to their procedures.
    // The timers run single-shot and are re-armed when their tick has finished.
    void wire();

    // ---- Set-up choices (the model behind Combo4(0..5) and Combo44(1..4)) ----
    SetupChoices& choices() { return m_choices; }
    // Range-mode list Combo4(0) := CalibText(5), CalibText(6); metrological list Combo4(5) :=
    // CalibText(7), CalibText(8), with no entry chosen. A later call replaces the texts in place and
    // keeps the choice; the click handlers do not run.
    void ComboKalibDoldur();
    // The lists' handlers, as a choice by the user runs them; the combo boxes follow the model.
    void Combo4_Click(int index);
    void Combo44_Click(int index, int position);
    void bombo(int i);
    // Diagnostic: splits the chosen range-1 division into Command1's caption.
    void Command1_Click();
    // Shows the model in the combo boxes (entries, choice, enabled state), signals blocked.
    void showChoices();

    // ---- Reading the set-up ----
    // Short reading at every connect and when the connection panel changes the address: range
    // mode, capacities, divisions and metrological choice into the lists, then the weighing limits.
    // No message box of its own except when the indicator's codes are not in the chosen table.
    void TaksimatBul();
    // Full reading when the calibration tab is entered: hardware status, analog-output type, the
    // set-up and the configuration bytes the upload writes back; then the live weight starts.
    void KalibrasyonHost();
    // Analog-output type answer: sets AnalogOutputIsVoltage; an empty or error answer changes nothing.
    void AlogDurum(const QString& answer, const QString& address, bool checksumOn);

    // For the page switching, when the calibration tab is entered for a new reading (ReadOnTabEntry):
    // clears the calibration kind, disables the start button and all ten set-up lists. The caller
    // then runs KalibrasyonHost when connected.
    void prepareSetupRead();

    // ---- Weight calibration ----
    void Option1_Click(int index);     // 0 general, 1 zero, 2 span
    void SSCommand3_Click();           // the whole run, to its end
    void SSCommand11_Click(int index); // span prompt: 0 OK, 1 cancel

    // ---- Live weight ----
    void SSCommand6_Click();
    void Timer3_Timer();

    // ---- Analog output ----
    // Start or stop of an analog-output run, by the run's own state.
    void SSCommand5_Click();
    // 0 weight calibration, 1 analog-output calibration (only with an analog card). Does nothing
    // while not connected. The page switching calls it with 0 on every tab change while connected.
    void Option5_Click(int index);
    void karartust(bool on);
    void kararttab(bool on);
    // Ends an analog run in progress: releases a held toggle, stops the run, stops Timer1. The
    // page switching calls it on every tab change while connected. Called while another device job
    // runs, it stops Timer1 at once and does the rest as soon as that job ends.
    void analokartkon();
    void Option6_Click(int index);
    // The adjustment toggles: value true pressed down, false released.
    void Sıfır_Click(int index, bool value);
    void FS_Click(int index, bool value);
    void Timer1_Timer();
    // Value of an analog register (190 zero, 191 full scale), unsigned; nothing when the port is
    // closed or the answer unreadable.
    std::optional<int> AnalogOku(int reg);

    // ---- Status page ----
    // The whole status page, between host mode on and off. The caller has opened the port and
    // closes it afterwards (the read panel and the page refresh). Every answer is checked whole;
    // the first that is not ends the read with a message and a disconnect, nothing of it shown.
    void StatuOku();
    // Rows 7..18 from the status word; nothing for no value.
    void DurumOku(std::optional<StatusBytes> word);
    // Rows 23..29 and the flags AnalogCardPresent, CalibrationEnabled from the hardware status;
    // nothing for no value.
    void HWDurumOku(std::optional<StatusBytes> hardware);
    // The same from a read answer of register 25 (2 bytes), decoded as two raw bytes whatever page
    // is in view; an empty or error answer changes nothing. For the File menu's send item.
    void HWDurumOkuAnswer(const QString& answer);
    // 5 s status refresh: while connected the status page is re-read through the page refresh,
    // otherwise the timer stops.
    void Timer4_Timer();

    // After every complete language load: captions that carry state (the analog run button).
    void afterLanguageLoad();

private:
    class Filter;
    friend class Filter;

    // Device access shared by the procedures.
    bool openPort(int attempts);
    void closePort();
    bool portOpen() const;
    void sendDirect(int reg, int count, const QString& kind, const QVariant& data);
    QString writeAndCollect(int reg, int count, const QString& kind, const QVariant& data, double wait);
    QString readAndCollect(int reg, int count, double wait);
    bool refused(const QString& answer) const;
    void disconnect();
    void lamp(const QString& colour);
    void lockTabs(bool locked);
    MsgResult box(const QString& message, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                  const QString& title = QString());
    void failureBox(int number, const QString& description);
    QString text(const QVector<QString>& table, int k) const;
    // Runs fn now, or once no device job runs any more.
    void runWhenIdle(std::function<void()> fn);
    void runPending();
    // A timer's tick: single-shot, re-armed when the tick ends unless something stopped it.
    // inBackground: the tick's reading lets what the user does meanwhile wait for its end.
    void tick(QTimer* timer, void (CalibrationProcs::*body)(), bool inBackground);

    // Set-up reading.
    bool readSetup(bool full);
    void readRangeRecord(const QString& answer, bool& found);
    void deriveLimitsFromChoices(bool codesFound, bool tell);

    // Weight calibration.
    enum class StepEnd { Done, ErrorCode, TimedOut, Refused, Stopped };
    bool startChecks();
    void runKind(int kind);
    StepEnd zeroStep(int kind);
    bool uploadSetup();
    void gravityCarryOver();
    StepEnd spanStep();
    bool finishStep();
    StepEnd poll();
    bool spanPrompt(QString& entry);
    // Refused, or declined ("@9"): either way the step did not happen.
    bool stepRefused(const QString& answer) const;
    // A step refused or declined: told, disconnected, the run marked failed.
    void stepNotDone();
    void stepLamp(const QString& caption, bool ok);
    void unlockAfterRun();
    bool text10Key(int key, const QString& typed);

    // Analog output.
    void analogStart();
    void analogStop();
    void analogError();
    void releaseFirstHeldToggle();
    void jogPress(bool zero, int index);
    void jogRelease(bool zero, bool inJob);
    void analokartkonNow();

    // Live weight.
    void liveReading(bool fromTimer);
    void showLiveWeight();

    AppContext& m_ctx;
    SetupChoices m_choices;
    std::array<quint64, SetupChoices::ListCount> m_shownList{};
    std::array<quint64, 5> m_shownCompanion{};
    std::unique_ptr<Filter> m_filter;
    QEventLoop* m_prompt = nullptr;
    QTimer* m_idleRetry = nullptr;
    std::vector<std::function<void()>> m_pending;
    bool m_wired = false;
};
