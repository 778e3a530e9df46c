#include "calibration/calibrationrun.h"

#include "calibration/setuplimits.h"
#include "platform/basic.h"

#include <cmath>

namespace {

constexpr int kMaxDigits = 15;

qint64 pow10(int n) {
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

} // namespace

qint64 spanWeightLimit(std::optional<double> displayMaximum, int decimals) {
    if (!displayMaximum || *displayMaximum <= 0 || decimals < 0 || decimals > 9)
        return 0;
    const double whole = std::floor(*displayMaximum);
    if (whole >= 1e9)
        return pow10(9 + decimals);
    return qint64(whole) * pow10(decimals);
}

SpanWeight parseSpanWeight(const QString& entry, int decimals, std::optional<double> displayMaximum) {
    SpanWeight w;
    const QString t = entry.trimmed();
    QString whole;
    QString fraction;
    bool separator = false;
    for (QChar c : t) {
        if (c == u'.' || c == u',') {
            if (separator)
                return w; // NotANumber
            separator = true;
        } else if (c >= u'0' && c <= u'9') {
            (separator ? fraction : whole) += c;
        } else {
            return w; // NotANumber
        }
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return w;
    if (fraction.size() > decimals) {
        w.outcome = SpanWeight::Outcome::TooManyDecimals;
        return w;
    }
    while (whole.startsWith(u'0'))
        whole.remove(0, 1);
    if (whole.size() + decimals > kMaxDigits) {
        w.outcome = SpanWeight::Outcome::AboveLimit;
        return w;
    }
    qint64 units = 0;
    for (QChar c : whole + fraction.leftJustified(decimals, u'0'))
        units = units * 10 + (c.unicode() - u'0');
    w.units = units;
    if (units == 0)
        w.outcome = SpanWeight::Outcome::Zero;
    else if (units > spanWeightLimit(displayMaximum, decimals))
        w.outcome = SpanWeight::Outcome::AboveLimit;
    else
        w.outcome = SpanWeight::Outcome::Accepted;
    return w;
}

QString suggestedSpanWeightText(double suggested, int decimals) {
    QString t = basic::Str(suggested);
    const qsizetype point = t.indexOf(u'.');
    if (point >= 0) {
        t.truncate(point + 1 + qMax(0, decimals));
        if (t.endsWith(u'.'))
            t.chop(1);
    }
    return t;
}

std::optional<CalibrationStatus> calibrationStatus(const QString& answer, const QString& address) {
    const std::optional<QString> data = setupAnswerData(answer, address, 2);
    if (!data)
        return std::nullopt;
    return CalibrationStatus{byteText(*data, 0), byteText(*data, 1)};
}
