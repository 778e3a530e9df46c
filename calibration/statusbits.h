#pragma once

#include <QString>

#include <array>
#include <optional>

// The two status registers of the status page, each two raw bytes: the status word (register 2)
// and the hardware status (register 25). first is the register's high byte, last its low byte.
struct StatusBytes {
    int first = 0;
    int last = 0;
};

// From the data hex digits of an answer: the first and the last byte. Nothing for fewer than two
// digits or a character that is not a hex digit.
std::optional<StatusBytes> statusBytesFromHex(const QString& hexDigits);

// Rows 7..18 of the status page: the element of the status texts each row shows.
inline constexpr int StatusWordFirstRow = 7;
std::array<int, 12> statusWordTexts(StatusBytes b);

// Rows 23..29 of the status page and the two hardware flags. Row 24 shows a digit, not a text.
inline constexpr int HardwareFirstRow = 23;
inline constexpr int HardwareDigitRow = 24;
struct HardwareStatus {
    std::array<int, 7> texts{}; // status-text element of rows 23..29 (row 24's entry unused)
    QString digit;              // row 24: "0".."7"
    bool AnalogCardPresent = false;
    bool CalibrationEnabled = false;
};
HardwareStatus hardwareStatus(StatusBytes b);
