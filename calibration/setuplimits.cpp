#include "calibration/setuplimits.h"

#include "link/decoder.h"
#include "link/frames.h"
#include "platform/basic.h"
#include "session/session.h"

namespace {

constexpr int kMaxDigits = 15; // what a qint64 and a double both hold exactly

qint64 pow10(int n) {
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

double ExactDecimal::value() const {
    // One correctly rounded division: the double nearest to the decimal.
    return double(units) / double(pow10(decimals));
}

std::optional<ExactDecimal> leadingDecimal(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    ExactDecimal d;
    int digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if (!isDigit(c))
            break;
        if (++digits > kMaxDigits)
            return std::nullopt;
        d.units = d.units * 10 + (c.unicode() - u'0');
        if (point)
            ++d.decimals;
    }
    if (digits == 0)
        return std::nullopt;
    return d;
}

QString entryValueText(const QString& entry) {
    const qsizetype dash = entry.indexOf(u'-');
    if (dash < 0)
        return QString();
    return entry.mid(dash + 2);
}

void splitDivision(const QString& divisionValueText, QString& intPart, QString& decimals) {
    // The integer part as it stands in the entry; the decimals are the digits after the point of
    // the number itself, so a unit after it ("0.005 Kg") is not counted among them.
    const qsizetype q = divisionValueText.indexOf(u'.');
    intPart = q > 0 ? divisionValueText.left(q) : divisionValueText;
    decimals.clear();
    if (q < 0)
        return;
    for (qsizetype i = q + 1; i < divisionValueText.size() && isDigit(divisionValueText[i]); ++i)
        decimals += divisionValueText[i];
}

std::optional<WeighingLimits> deriveLimits(const QString& capacityEntry, const QString& divisionEntry) {
    const QString capacityText = entryValueText(capacityEntry);
    const QString divisionText = entryValueText(divisionEntry);
    const std::optional<ExactDecimal> capacity = leadingDecimal(capacityText);
    const std::optional<ExactDecimal> division = leadingDecimal(divisionText);
    if (!capacity || !division)
        return std::nullopt;

    const int decimals = std::max(capacity->decimals, division->decimals);
    const qint64 c = capacity->units * pow10(decimals - capacity->decimals);
    const qint64 d = division->units * pow10(decimals - division->decimals);
    WeighingLimits l;
    l.Capacity = capacity->value();
    l.DisplayMaximum = ExactDecimal{c + 9 * d, decimals}.value();
    l.DisplayMinimum = -ExactDecimal{capacity->units, capacity->decimals + 1}.value();
    splitDivision(divisionText, l.DivisionIntPart, l.DivisionDecimals);
    return l;
}

void applyLimits(Session& s, const WeighingLimits& limits) {
    s.Capacity = limits.Capacity;
    s.DisplayMaximum = limits.DisplayMaximum;
    s.DisplayMinimum = limits.DisplayMinimum;
    s.DivisionIntPart = limits.DivisionIntPart;
    s.DivisionDecimals = limits.DivisionDecimals;
}

void clearLimits(Session& s) {
    s.Capacity.reset();
    s.DisplayMaximum.reset();
    s.DisplayMinimum.reset();
    s.DivisionIntPart.clear();
    s.DivisionDecimals.clear();
}

std::optional<QString> setupAnswerData(const QString& answer, const QString& address, int bytes) {
    if (!answer.startsWith(u'@') || isErrorAnswer(answer, address) || isDeclinedAnswer(answer, address))
        return std::nullopt;
    const int header = hasAddressField(address) ? 7 : 5;
    const QString data = answer.mid(header, 2 * bytes);
    if (data.size() < 2 * bytes)
        return std::nullopt;
    for (QChar c : data)
        if (basic::hexDigit(c) < 0)
            return std::nullopt;
    return data;
}

int byteHex(const QString& data, int k) {
    return basic::hexPrefixValue(QStringView(data).mid(2 * k, 2));
}

int byteDecimal(const QString& data, int k) {
    return int(basic::Val(byteText(data, k)));
}

bool isHexByteText(const QString& text) {
    return text.size() == 2 && basic::hexDigit(text[0]) >= 0 && basic::hexDigit(text[1]) >= 0;
}

std::optional<bool> analogOutputIsVoltage(const QString& answer, const QString& address) {
    const std::optional<QString> data = setupAnswerData(answer, address, 1);
    if (!data)
        return std::nullopt;
    return byteHex(*data, 0) != 0;
}

bool isDeclinedAnswer(const QString& answer, const QString& address) {
    if (answer.startsWith(QLatin1String("@9")))
        return true;
    return hasAddressField(address) && answer.size() >= 4 && answer[0] == u'@' && answer[3] == u'9';
}
