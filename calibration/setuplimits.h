#pragma once

#include <QString>
#include <QStringView>

#include <optional>

struct Session;

// A decimal number held exactly: units / 10^decimals.
struct ExactDecimal {
    qint64 units = 0;
    int decimals = 0;
    double value() const;
};

// The number at the start of text (blanks before it skipped): digits, then optionally "." and
// more digits. Nothing when there is no digit or it would not fit.
std::optional<ExactDecimal> leadingDecimal(QStringView text);

// The value part of a capacity or division entry: the text from the second character after its
// first "-" on ("46 - 3000 Kg" gives "3000 Kg"). "" when the entry has no "-".
QString entryValueText(const QString& entry);

// The weighing limits derived from the chosen range-2 capacity and range-1 division entries.
struct WeighingLimits {
    double Capacity = 0;
    double DisplayMaximum = 0; // Capacity + 9 range-1 divisions
    double DisplayMinimum = 0; // -(Capacity / 10)
    QString DivisionIntPart;
    QString DivisionDecimals; // the digits after the division's point, whatever unit follows
};

// Nothing when either entry holds no number. The arithmetic is exact, so 20 + 9 x 0.005 gives the
// double nearest to 20.045 and prints as "20.045".
std::optional<WeighingLimits> deriveLimits(const QString& capacityEntry, const QString& divisionEntry);

// The division split alone: integer part and decimals of a division entry's value text.
void splitDivision(const QString& divisionValueText, QString& intPart, QString& decimals);

void applyLimits(Session& s, const WeighingLimits& limits);
void clearLimits(Session& s);

// ---- Answers cut by position (the set-up registers) ----

// The data bytes of a read answer as its hex pairs: the answer without "@", address, function code
// and byte count (7 characters with an address field, else 5). The header is not compared with
// anything and the end (LRC, CR) never looked at. Nothing when the answer is empty, an error or
// declined answer, or holds fewer than `bytes` hex pairs after its header.
std::optional<QString> setupAnswerData(const QString& answer, const QString& address, int bytes);

// Byte k of setupAnswerData as its two characters, and read as hex.
inline QString byteText(const QString& data, int k) {
    return data.mid(2 * k, 2);
}
int byteHex(const QString& data, int k);
// Read as a decimal number of its two characters ("0A" gives 0), as the indicator sends the range
// mode and the metrological flag.
int byteDecimal(const QString& data, int k);

// Exactly two hex digits: what the set-up upload writes back unchanged.
bool isHexByteText(const QString& text);

// The analog-output type answer (register 195): true for 0-10 V when the high byte is not 0.
// Nothing (the flag keeps its value) for an empty, error or unreadable answer.
std::optional<bool> analogOutputIsVoltage(const QString& answer, const QString& address);

// An answer in which the indicator declines a step: "@9", or "9" after the address field when
// the address gives one.
bool isDeclinedAnswer(const QString& answer, const QString& address);
