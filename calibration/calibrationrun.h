#pragma once

#include <QString>

#include <optional>

// Pure parts of the weight calibration: the span weight the technician enters and the answers of
// the calibration status register.

// The span weight as the indicator takes it: a whole number in units of the last displayed
// decimal (decimals = the division's decimals).
struct SpanWeight {
    enum class Outcome {
        Accepted,
        Zero,            // nothing to calibrate with: the prompt comes back
        NotANumber,      // no digit, or a character that is not a digit or one separator
        TooManyDecimals, // finer than the division
        AboveLimit,      // beyond what the indicator can display
    };
    Outcome outcome = Outcome::NotANumber;
    qint64 units = 0;
};

// Reads the entry with "." or "," as its decimal separator, whatever the host's locale, and scales
// it with integer arithmetic. The limit is the whole part of the display maximum times
// 10^decimals (an unknown maximum counts as 0).
SpanWeight parseSpanWeight(const QString& entry, int decimals, std::optional<double> displayMaximum);
qint64 spanWeightLimit(std::optional<double> displayMaximum, int decimals);

// The suggested weight (half the capacity) as the entry shows it: "." as separator and no more
// decimals than the division has, so that it is accepted as it stands.
QString suggestedSpanWeightText(double suggested, int decimals);

// The calibration status register (23): the step state and the result code, each two hex digits,
// taken from the answer's data bytes whatever address or checksum surrounds them. Nothing for an
// empty, error or short answer.
struct CalibrationStatus {
    QString state; // "00" or "01": the step is done
    QString code;  // "00": no error
    bool done() const { return state == QLatin1String("00") || state == QLatin1String("01"); }
};
std::optional<CalibrationStatus> calibrationStatus(const QString& answer, const QString& address);
