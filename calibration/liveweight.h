#pragma once

#include <QString>

#include <optional>

// The live weight of the calibration page: a signed whole-number reading of the indicator shown
// with the division's decimals, and the over/under-range test against the display limits.

// The reading kept as digits without a point, at least `decimals` characters after its sign
// ("5" with 3 decimals gives "005", "-5" gives "-005").
QString padReading(const QString& reading, int decimals);

// A padded reading with its decimal point: always a digit before the point and exactly `decimals`
// after it ("005" gives "0.005", "-005" gives "-0.005"; no point for 0 decimals).
QString readingDecimalText(const QString& padded, int decimals);

enum class WeightRange { Inside, Over, Under };

// The reading plus the compare reading (whole numbers in units of the last decimal) against the
// limits, both exclusive; unknown limits count as 0. Compared in those units, so a sum equal to a
// limit such as 30.09 is inside however the limit's double falls.
WeightRange weightRange(double reading, double compareReading, int decimals, std::optional<double> displayMaximum,
                        std::optional<double> displayMinimum);
