#pragma once

#include <QString>

#include <optional>

// Small text routines every device and page routine shares: fixed-width fields, decimal comma and
// point, the display layout of weights and NUL handling in texts read from the indicator. None of
// them looks at the host locale.

// The last width characters of width "0"s followed by value: short values are left-filled with
// "0", long ones lose their leading characters. A width below 1 gives "".
QString ZeroPad(int width, const QString& value);

// Every "," becomes "." and every "%" is dropped.
QString CommaToPoint(const QString& text);
// Every "." becomes ",".
QString PointToComma(const QString& text);
// CommaToPoint, then every "." dropped: no ",", "." or "%" is left.
QString StripDots(const QString& text);
// Every "." and "," dropped ("%" kept).
QString RemoveSeparators(const QString& text);

// Whether every character is a hexadecimal digit (an empty text is).
bool allHexDigits(QStringView text);

// The text without the blanks at its start and end (only blanks, as the record pads with them).
QString trimBlanks(const QString& text);
QString trimTrailingBlanks(const QString& text);

// The characters before the first NUL; the whole text when it holds none.
QString TrimAtNul(const QString& text);
bool HasNul(const QString& text);

// Lays a raw reading out in the digit layout of the display maximum: as many digits before and
// after the "." as the maximum's text has, zero-filled on the left, longer readings losing their
// leading digits; a leading "-" stays in front. Without a maximum the reading comes back unchanged.
// The reading is never modified in place: callers keep their raw value (and its sign).
QString FormatLikeMaximum(const QString& digits, std::optional<double> displayMaximum);
QString FormatLikeMaximum(double value, std::optional<double> displayMaximum);

// A whole-number reading as a decimal text with as many decimals as divisionDecimals has
// characters and a decimal comma ("12345" with 3 decimals gives "12,345", "5" gives "0,005").
QString InsertDecimalComma(const QString& digits, const QString& divisionDecimals);
