#include "platform/basic.h"

#include <cmath>
#include <cstdint>

namespace basic {
namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

// "&H..." / "&O...": the digits read as a 16-bit value when they fit in 16 bits' worth of digits,
// else as 32 bits, both two's complement.
double radixNumber(const QString& t, int pos, int radix) {
    std::uint64_t v = 0;
    int digits = 0;
    for (; pos < t.size(); ++pos) {
        const QChar c = t[pos];
        if (isBlank(c))
            continue;
        const int d = hexDigit(c);
        if (d < 0 || d >= radix)
            break;
        v = (v * radix + d) & 0xFFFFFFFFull;
        ++digits;
    }
    const bool shortForm = radix == 16 ? digits <= 4 : digits <= 6 && v <= 0xFFFF;
    if (shortForm)
        return double(static_cast<std::int16_t>(static_cast<std::uint16_t>(v)));
    return double(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
}

} // namespace

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

int hexPrefixValue(QStringView t) {
    int v = 0;
    for (QChar c : t) {
        const int d = hexDigit(c);
        if (d < 0)
            break;
        v = v * 16 + d;
    }
    return v;
}

double Val(const QString& t) {
    int pos = 0;
    while (pos < t.size() && isBlank(t[pos]))
        ++pos;
    if (pos + 1 < t.size() && t[pos] == u'&') {
        const QChar k = t[pos + 1].toUpper();
        if (k == u'H')
            return radixNumber(t, pos + 2, 16);
        if (k == u'O')
            return radixNumber(t, pos + 2, 8);
        return 0;
    }
    QString number;
    bool seenDigit = false, seenPoint = false, seenExp = false, expSignAllowed = false;
    bool signAllowed = true;
    for (; pos < t.size(); ++pos) {
        const QChar c = t[pos];
        if (isBlank(c))
            continue;
        if (c.unicode() >= u'0' && c.unicode() <= u'9') {
            number.append(c);
            seenDigit = true;
            signAllowed = false;
            expSignAllowed = false;
        } else if ((c == u'+' || c == u'-') && signAllowed) {
            number.append(c);
            signAllowed = false;
        } else if ((c == u'+' || c == u'-') && expSignAllowed) {
            number.append(c);
            expSignAllowed = false;
        } else if (c == u'.' && !seenPoint && !seenExp) {
            number.append(c);
            seenPoint = true;
            signAllowed = false;
        } else if ((c == u'E' || c == u'e' || c == u'D' || c == u'd') && seenDigit && !seenExp) {
            number.append(u'e');
            seenExp = true;
            expSignAllowed = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0;
    if (number.endsWith(u'e') || number.endsWith(u'+') || number.endsWith(u'-')) {
        while (!number.isEmpty() && !number.back().isDigit() && number.back() != u'.')
            number.chop(1);
    }
    bool ok = false;
    const double v = number.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

double roundHalfEven(double x) {
    if (!std::isfinite(x))
        return 0;
    return std::nearbyint(x); // default rounding mode: to nearest, ties to even
}

QString Hex(double x) {
    const double r = roundHalfEven(x);
    if (r < 0) {
        const auto v = static_cast<std::uint32_t>(static_cast<std::int64_t>(r < -2147483648.0 ? -2147483648.0 : r));
        return QString::number(v, 16).toUpper();
    }
    const double capped = r > 18446744073709549568.0 ? 18446744073709549568.0 : r;
    return QString::number(static_cast<std::uint64_t>(capped), 16).toUpper();
}

double Int(double x) {
    return std::isfinite(x) ? std::floor(x) : 0;
}

QString Str(double x) {
    if (!std::isfinite(x))
        return QStringLiteral("0");
    if (x == 0)
        return QStringLiteral("0");
    QString s = QString::number(x, 'g', 15);
    s.replace(u'e', u'E');
    return s;
}

QString Left(const QString& s, int n) {
    return n <= 0 ? QString() : s.left(n);
}
QString Right(const QString& s, int n) {
    return n <= 0 ? QString() : s.right(n);
}
QString Mid(const QString& s, int p, int n) {
    if (p < 1 || p > s.size())
        return QString();
    return n < 0 ? s.mid(p - 1) : s.mid(p - 1, n);
}

} // namespace basic
