#pragma once

#include <QString>

#include <optional>

// What the calibration page knows of the indicator beyond the weighing limits: the analog output,
// the hardware flags and the set-up bytes read in this connection, and the state of the page's
// device jobs (a calibration run, the live weight, an analog-output run).
struct CalibrationState {
    // True for a 0-10 V analog output, false for 4-20 mA.
    bool AnalogOutputIsVoltage = false;
    // Hardware-status flags; unknown (counting as false) until a hardware status is decoded.
    std::optional<bool> AnalogCardPresent;
    std::optional<bool> CalibrationEnabled;
    // Configuration bytes 1, 2, 5 and 7 as two hex digits each, as read from the indicator since it
    // was last connected (emptied when a connection reads the range set-up afresh).
    QString ConfigByte1Text;
    QString CalibrationRecordPart1;
    QString CalibrationRecordPart2;
    QString CalibrationRecordPart3;
    // Analog-output adjustment toggles.
    bool JogHeld = false;
    int JogIndex = 0;
    bool JogZeroEndPoint = true; // the held toggle is a zero toggle (else full scale)

    // One press of the calibration start button.
    bool ZeroOnly = false;
    bool SpanOnly = false;
    bool RunStopped = false;   // the span prompt was cancelled, or the indicator refused a step
    bool PollTimedOut = false; // a measuring step was not reported done in time
    bool StepFailed = false;   // a step failed: the run's end is not shown as a success
    // Half the capacity, offered in the span prompt.
    double SuggestedSpanWeight = 0;

    // Live weight: the last readings of registers 0 and 3 as padded digits, kept when a reading
    // gets no answer.
    QString DisplayValueText;
    QString DisplayCompareText;

    // An analog-output calibration run is in progress on the indicator (started and not stopped).
    bool AnalogRunning = false;
    // Until this clock time an adjustment at its limit sends no step (the limit text stays).
    double JogHoldUntil = -1;
};
