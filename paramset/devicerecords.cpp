#include "paramset/devicerecords.h"

#include "link/frames.h"
#include "link/textroutines.h"
#include "platform/basic.h"
#include "platform/cp1254.h"

#include <limits>

namespace {

const QChar kDegree(0x00B0);

QString byteHex(int v) {
    return ZeroPad(2, basic::Hex(v & 0xFF));
}

QString longHex(qint64 v) {
    return ZeroPad(8, basic::Hex(double(qint32(quint32(v)))));
}

QString bytesHex(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes)
        out += byteHex(quint8(c));
    return out;
}

QString zeros(int bytes) {
    return QString(2 * bytes, u'0');
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

// ---- Answers ----

QString bytesText(const QString& hexData) {
    QString out;
    for (qsizetype i = 0; i + 1 < hexData.size(); i += 2)
        out += cp1254::toChar(basic::hexPrefixValue(QStringView(hexData).mid(i, 2)));
    return out;
}

QString ticketLineText(const QString& hexData) {
    QString out;
    for (QChar c : bytesText(hexData))
        if (c != QChar(0) && c != u'\n')
            out += c;
    return out;
}

// ---- ID memories ----

int idNumberOfRow(int row) {
    return row < 3 ? row - 1 : row + 125;
}

QString selectorData(int number) {
    return byteHex(number) + QStringLiteral("00");
}

QString idRecordData(int number, const QString& code, const QByteArray& name16) {
    QByteArray name = name16.left(16);
    name.append(QByteArray(16 - name.size(), '\0'));
    return byteHex(number) + longHex(qint64(basic::roundHalfEven(basic::Val(code)))) + bytesHex(name) + zeros(3);
}

QString idTitleData(int number, const QString& title) {
    QString t = title;
    t.remove(QChar(0));
    const QByteArray bytes = cp1254::encode(t.left(kIdTitleLength));
    return byteHex(number) + bytesHex(bytes) + zeros(kIdTitleBytes - 1 - int(bytes.size()));
}

IdMemory idMemoryOf(const QString& decoded) {
    IdMemory m;
    const QString r = decoded.mid(1);
    const qsizetype p = r.indexOf(kDegree);
    if (p >= 0) {
        m.code = r.left(p);
        m.name = r.mid(p + 1);
    }
    if (m.code == QLatin1String("0") || m.code == QLatin1String("-1"))
        m = IdMemory();
    return m;
}

// ---- Setpoints ----

std::optional<qint32> setpointValue(const QString& text, int decimals) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    qsizetype i = 0;
    bool negative = false;
    if (t[0] == u'-' || t[0] == u'+') {
        negative = t[0] == u'-';
        ++i;
    }
    QString whole, fraction;
    bool separator = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (isDigit(c))
            (separator ? fraction : whole) += c;
        else if ((c == u',' || c == u'.') && !separator)
            separator = true;
        else
            return std::nullopt;
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;

    // value x 10^decimals = digits kept; a digit beyond the display's decimals would be cut.
    for (QChar c : QStringView(fraction).mid(decimals))
        if (c != u'0')
            return std::nullopt;
    const QString kept = whole + fraction.left(decimals).leftJustified(decimals, u'0');
    qint64 v = 0;
    for (QChar c : kept) {
        v = v * 10 + c.digitValue();
        if (v > (qint64(1) << 32))
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(v);
}

QString setpointRecordData(int number, const std::array<qint32, 3>& values) {
    QString out = byteHex(number);
    for (qint32 v : values)
        out += longHex(v);
    return out + zeros(1);
}

double SetPointFormül(double value) {
    return value < 0 ? value + 65536 : value;
}

// ---- Label-printer text ----

QString EplKontrol(const QString& text) {
    QString t = text;
    if (t.size() >= 998)
        return t;
    const QString crlf = QStringLiteral("\r\n");
    const QString printCommand = QStringLiteral("\r\nP1\r\n");
    while (t.size() > 2 && t.endsWith(crlf))
        t.chop(2);

    // The first "P" among the last three characters, counted from the end: 3 first, 1 last.
    const qsizetype n = t.size();
    int fromEnd = 0;
    for (int k = 3; k >= 1; --k) {
        if (n - k >= 0 && t[n - k] == u'P') {
            fromEnd = k;
            break;
        }
    }
    switch (fromEnd) {
    case 3:
        if (!(isDigit(t[n - 2]) && isDigit(t[n - 1])))
            t += printCommand;
        break;
    case 2:
        if (!isDigit(t[n - 1]))
            t += printCommand;
        break;
    case 1:
        if (n >= 3 && t.mid(n - 3, 2) == crlf) {
            t.chop(1);
            t += QStringLiteral("P1\r\n");
        } else {
            t += printCommand;
        }
        break;
    default:
        t += printCommand;
        break;
    }
    return t;
}

QString labelTextToSend(const QString& boxText) {
    qsizetype first = 0, last = boxText.size();
    while (first < last && boxText[first] == u' ')
        ++first;
    while (last > first && boxText[last - 1] == u' ')
        --last;
    QString t = EplKontrol(boxText.mid(first, last - first));
    if (!t.endsWith(QStringLiteral("\r\n")))
        t += QStringLiteral("\r\n");
    return t;
}

QStringList labelTextPieces(const QString& text) {
    const QByteArray bytes = cp1254::encode(text.left(kLabelTextBytes));
    QStringList pieces;
    for (int at = 0; at < kLabelTextBytes; at += kLabelWritePiece) {
        QByteArray piece = bytes.mid(at, kLabelWritePiece);
        piece.append(QByteArray(kLabelWritePiece - piece.size(), '\0'));
        pieces << bytesHex(piece);
    }
    return pieces;
}
