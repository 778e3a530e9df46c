#pragma once

#include <QString>

#include <optional>

// What the calibration page knows of the indicator beyond the weighing limits: the analog output,
// the hardware flags and the set-up bytes read in this connection.
struct CalibrationState {
    // True for a 0-10 V analog output, false for 4-20 mA.
    bool AnalogOutputIsVoltage = false;
    // Hardware-status flags; unknown (counting as false) until a hardware status is decoded.
    std::optional<bool> AnalogCardPresent;
    std::optional<bool> CalibrationEnabled;
    // Configuration bytes 1, 2, 5 and 7 as two hex digits each, as last read.
    QString ConfigByte1Text;
    QString CalibrationRecordPart1;
    QString CalibrationRecordPart2;
    QString CalibrationRecordPart3;
    // Analog-output adjustment toggles.
    bool JogHeld = false;
    int JogIndex = 0;
};
