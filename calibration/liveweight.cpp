#include "calibration/liveweight.h"

#include "link/textroutines.h"

#include <algorithm>
#include <cmath>

QString padReading(const QString& reading, int decimals) {
    QString t = reading;
    while (t.startsWith(u'-') && t.size() <= decimals)
        t.insert(1, u'0');
    if (t.size() < decimals)
        t = ZeroPad(decimals, t);
    return t;
}

QString readingDecimalText(const QString& padded, int decimals) {
    const int d = qMax(0, decimals);
    const QString fraction = padded.right(d);
    QString whole = padded.left(qMax<qsizetype>(0, padded.size() - d));
    if (whole == QLatin1String("-"))
        whole = QStringLiteral("-0");
    else if (whole.isEmpty())
        whole = QStringLiteral("0");
    return fraction.isEmpty() ? whole : whole + u'.' + fraction;
}

namespace {

// A limit in units of the last decimal; a limit that is a whole number of units up to the
// double's rounding becomes exactly that number.
double inUnits(std::optional<double> limit, int decimals) {
    const double units = limit.value_or(0) * std::pow(10.0, decimals);
    const double whole = std::round(units);
    return std::abs(units - whole) < 1e-6 * std::max(1.0, std::abs(whole)) ? whole : units;
}

} // namespace

WeightRange weightRange(double reading, double compareReading, int decimals, std::optional<double> displayMaximum,
                        std::optional<double> displayMinimum) {
    const double sum = reading + compareReading;
    if (sum > inUnits(displayMaximum, decimals))
        return WeightRange::Over;
    if (sum < inUnits(displayMinimum, decimals))
        return WeightRange::Under;
    return WeightRange::Inside;
}
