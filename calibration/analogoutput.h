#pragma once

#include <QString>

#include <optional>

// The analog output's adjustment steps: register 24 codes, by end point and toggle.

// Analog calibration register codes besides the steps.
inline constexpr int AnalogJogStop = 0;
inline constexpr int AnalogCalStart = 1;
inline constexpr int AnalogCalStop = 2;

inline constexpr int AnalogZeroRegister = 190;
inline constexpr int AnalogFullScaleRegister = 191;
inline constexpr int AnalogValueMax = 65535; // the registers are unsigned 16-bit

struct JogStep {
    int code = 0;  // written to register 24
    int delta = 0; // what the step does to the shown value
};

// Toggle index: 0 up by 100, 1 down by 100, 2 up by 5, 3 down by 5. Zero end point codes 3..6,
// full scale 7..10. Nothing for an index outside 0..3.
inline std::optional<JogStep> jogStep(bool zeroEndPoint, int jogIndex) {
    static constexpr int deltas[4] = {100, -100, 5, -5};
    if (jogIndex < 0 || jogIndex > 3)
        return std::nullopt;
    return JogStep{(zeroEndPoint ? 3 : 7) + jogIndex, deltas[jogIndex]};
}

// A step is sent only while it keeps the value within 0..65535 (both ends included).
inline bool jogStaysInRange(int value, JogStep step) {
    const int next = value + step.delta;
    return next >= 0 && next <= AnalogValueMax;
}

// The value of an analog register from its answer's data hex digits: exactly four, unsigned.
inline std::optional<int> analogValueFromHex(const QString& hex) {
    if (hex.size() != 4)
        return std::nullopt;
    int v = 0;
    for (QChar c : hex) {
        const int d = (c >= u'0' && c <= u'9')   ? c.unicode() - u'0'
                      : (c >= u'A' && c <= u'F') ? c.unicode() - u'A' + 10
                                                 : -1;
        if (d < 0)
            return std::nullopt;
        v = v * 16 + d;
    }
    return v;
}
