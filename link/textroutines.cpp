#include "link/textroutines.h"

#include "platform/basic.h"

using basic::Left;
using basic::Right;

QString ZeroPad(int width, const QString& value) {
    if (width < 1)
        return QString();
    return Right(QString(width, u'0') + value, width);
}

QString trimTrailingBlanks(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    return text.left(n);
}

QString trimBlanks(const QString& text) {
    const QString t = trimTrailingBlanks(text);
    qsizetype i = 0;
    while (i < t.size() && t[i] == u' ')
        ++i;
    return t.mid(i);
}

bool allHexDigits(QStringView text) {
    for (QChar c : text)
        if (basic::hexDigit(c) < 0)
            return false;
    return true;
}

QString CommaToPoint(const QString& text) {
    QString out = text;
    out.replace(u',', u'.');
    out.remove(u'%');
    return out;
}

QString PointToComma(const QString& text) {
    QString out = text;
    out.replace(u'.', u',');
    return out;
}

QString StripDots(const QString& text) {
    QString out = CommaToPoint(text);
    out.remove(u'.');
    return out;
}

QString RemoveSeparators(const QString& text) {
    QString out = text;
    out.remove(u'.');
    out.remove(u',');
    return out;
}

QString TrimAtNul(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

bool HasNul(const QString& text) {
    return text.contains(QChar(0));
}

QString FormatLikeMaximum(const QString& digits, std::optional<double> displayMaximum) {
    if (!displayMaximum)
        return digits;
    QString v = digits;
    QString sign;
    if (v.startsWith(u'-')) {
        sign = QStringLiteral("-");
        v.remove(0, 1);
    }
    const QString t = QString(10, u'0') + StripDots(v);
    const QString m = CommaToPoint(basic::Str(*displayMaximum));
    const int length = int(m.size());
    const int p = int(m.indexOf(u'.')) + 1; // 1-based, 0 when there is no point
    QString result;
    if (p > 1) {
        const QString u = Right(t, length - 1);
        result = Left(u, p - 1) + u'.' + basic::Mid(u, p);
    } else {
        result = Right(t, length);
    }
    return sign + result;
}

QString FormatLikeMaximum(double value, std::optional<double> displayMaximum) {
    return FormatLikeMaximum(basic::Str(value), displayMaximum);
}

QString InsertDecimalComma(const QString& digits, const QString& divisionDecimals) {
    QString v = digits;
    QString sign;
    if (v.startsWith(u'-')) {
        sign = QStringLiteral("-");
        v.remove(0, 1);
    }
    const int d = int(divisionDecimals.size());
    if (v.size() < d)
        v = Right(QString(d + 1, u'0') + v, d + 1);
    if (d > 0)
        v = Left(v, int(v.size()) - d) + u',' + Right(v, d);
    if (v.startsWith(u',') || v.startsWith(u'.'))
        v.prepend(u'0');
    return sign + v;
}
