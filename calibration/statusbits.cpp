#include "calibration/statusbits.h"

#include "platform/basic.h"

namespace {

bool bit(int code, int n) {
    return (code & (1 << n)) != 0;
}

// The texts come in pairs: the lower element for a clear bit, the next one for a set bit.
int pair(int clearText, int code, int n) {
    return clearText + (bit(code, n) ? 1 : 0);
}

int byteAt(const QString& hex, qsizetype at) {
    const int hi = basic::hexDigit(hex[at]);
    const int lo = basic::hexDigit(hex[at + 1]);
    return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

} // namespace

std::optional<StatusBytes> statusBytesFromHex(const QString& hexDigits) {
    if (hexDigits.size() < 2)
        return std::nullopt;
    for (QChar c : hexDigits)
        if (basic::hexDigit(c) < 0)
            return std::nullopt;
    StatusBytes b;
    b.first = byteAt(hexDigits, 0);
    b.last = byteAt(hexDigits, (hexDigits.size() - 2) & ~qsizetype(1));
    return b;
}

std::array<int, 12> statusWordTexts(StatusBytes b) {
    const int F = b.first;
    const int S = b.last;
    const int n = 4 * bit(F, 7) + 2 * bit(F, 6) + bit(F, 5);
    return {
        pair(0, S, 0), pair(2, S, 1), pair(4, S, 2), pair(6, S, 3), pair(6, S, 4), pair(8, S, 5),
        pair(8, S, 6), pair(8, S, 7), pair(8, F, 0), pair(8, F, 1), pair(8, F, 2), n <= 5 ? 10 + n : 16,
    };
}

HardwareStatus hardwareStatus(StatusBytes b) {
    const int F = b.first;
    const int S = b.last;
    HardwareStatus h;
    h.texts = {pair(8, S, 0), -1, pair(6, S, 4), pair(6, S, 5), pair(6, S, 6), pair(6, S, 7), pair(6, F, 0)};
    h.digit = QString::number(4 * bit(S, 3) + 2 * bit(S, 2) + bit(S, 1));
    h.AnalogCardPresent = bit(S, 4);
    h.CalibrationEnabled = bit(F, 3);
    return h;
}
