#include "link/frames.h"

#include "link/textroutines.h"
#include "platform/basic.h"
#include "platform/cp1254.h"

using basic::Hex;
using basic::Val;

namespace {

const QChar kDegree(0x00B0); // separates the values of ID and setpoint records

QString codeHex(QChar c) {
    return ZeroPad(2, Hex(cp1254::toCode(c)));
}

QString textHex(QStringView text) {
    QString out;
    out.reserve(text.size() * 2);
    for (QChar c : text)
        out += codeHex(c);
    return out;
}

double numberOf(const QVariant& data) {
    if (data.typeId() == QMetaType::QString)
        return Val(data.toString());
    bool ok = false;
    const double v = data.toDouble(&ok);
    return ok ? v : 0;
}

QString textOf(const QVariant& data) {
    switch (data.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return basic::Str(data.toDouble());
    default:
        return data.toString();
    }
}

QString idRecordData(const QString& text) {
    if (text.isEmpty())
        return QString();
    const QString first = codeHex(text[0]);
    if (text.size() == 1)
        return first + QStringLiteral("00");
    const QString rest = text.mid(1);
    const qsizetype p = rest.indexOf(kDegree);
    if (p < 0)
        return QString();
    const QString value = ZeroPad(8, Hex(Val(rest.left(p))));
    return first + value + textHex(QStringView(rest).mid(p + 1)) + QStringLiteral("0000");
}

QString idHeaderData(const QString& text) {
    if (text.isEmpty())
        return QString();
    // The first character is a digit standing for its own value, not for its character code.
    const QString first = ZeroPad(2, text.left(1));
    if (text.size() == 1)
        return first + QStringLiteral("00");
    return first + textHex(QStringView(text).mid(1)) + QStringLiteral("00");
}

QString setpointData(const QString& text) {
    if (text.isEmpty())
        return QString();
    const QString first = codeHex(text[0]);
    if (text.size() == 1)
        return first + QStringLiteral("00");
    QString rest = text.mid(1);
    QString values;
    for (;;) {
        const qsizetype p = rest.indexOf(kDegree);
        if (p < 0)
            break;
        values += ZeroPad(8, Hex(Val(rest.left(p))));
        rest = rest.mid(p + 1);
        if (rest.isEmpty() || rest == QStringLiteral("\r"))
            break;
    }
    // The last value may be typed with a decimal comma or point; it is read the same way whatever
    // the host's locale says, and rounded half to even like every other value. A missing last value
    // is written as 0 so the record keeps its layout.
    values += ZeroPad(8, Hex(Val(CommaToPoint(rest))));
    return first + values + QStringLiteral("00");
}

QString frameBody(const QString& address, const QString& function, int reg, int count) {
    return addressField(address) + function + ZeroPad(4, Hex(reg)) + ZeroPad(4, Hex(registerCountOf(count)));
}

QString finish(const QString& body, bool checksumOn) {
    return u'@' + body + (checksumOn ? Lrc(body) : QString()) + u'\r';
}

} // namespace

bool hasAddressField(const QString& address) {
    return Val(address) != 0;
}

QString addressField(const QString& address) {
    return hasAddressField(address) ? ZeroPad(2, Hex(Val(address))) : QString();
}

QString Lrc(const QString& hexText) {
    unsigned sum = 0;
    for (qsizetype i = 0; i < hexText.size(); i += 2)
        sum += unsigned(basic::hexPrefixValue(QStringView(hexText).mid(i, 2)));
    return ZeroPad(2, Hex((256 - sum % 256) % 256));
}

double registerCountOf(int count) {
    return basic::roundHalfEven(count / 2.0);
}

QString encodeWriteData(const QString& kind, int count, const QVariant& data) {
    const QString k = kind.toUpper();
    if (k == QLatin1String("LG"))
        return ZeroPad(2 * count, Hex(numberOf(data)));
    if (k == QLatin1String("BY"))
        return textOf(data);
    if (k == QLatin1String("TX"))
        return textHex(textOf(data));
    if (k == QLatin1String("ID"))
        return idRecordData(textOf(data));
    if (k == QLatin1String("IDH"))
        return idHeaderData(textOf(data));
    if (k == QLatin1String("SPT"))
        return setpointData(textOf(data));
    return QString();
}

QString BuildWriteFrame(const QString& address, int reg, int count, bool checksumOn, const QString& kind,
                        const QVariant& data) {
    const QString body = frameBody(address, QStringLiteral("10"), reg, count) + ZeroPad(2, Hex(count)) +
                         encodeWriteData(kind, count, data);
    return finish(body, checksumOn);
}

QString BuildReadFrame(const QString& address, int reg, int count, bool checksumOn) {
    return finish(frameBody(address, QStringLiteral("03"), reg, count), checksumOn);
}
