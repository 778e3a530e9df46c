#include "link/decoder.h"

#include "link/frames.h"
#include "link/linksettings.h"
#include "link/textroutines.h"
#include "platform/basic.h"
#include "platform/cp1254.h"

using basic::Mid;
using basic::Val;

AnswerValue AnswerValue::number(double v) {
    AnswerValue a;
    a.m_kind = Kind::Number;
    a.m_number = v;
    return a;
}

AnswerValue AnswerValue::text(const QString& t) {
    AnswerValue a;
    a.m_kind = Kind::Text;
    a.m_text = t;
    return a;
}

double AnswerValue::toNumber() const {
    switch (m_kind) {
    case Kind::Number:
        return m_number;
    case Kind::Text:
        return Val(m_text);
    case Kind::None:
        break;
    }
    return 0;
}

QString AnswerValue::toText() const {
    switch (m_kind) {
    case Kind::Number:
        return basic::Str(m_number);
    case Kind::Text:
        return m_text;
    case Kind::None:
        break;
    }
    return QString();
}

namespace {

// Up to 8 hexadecimal digits as a signed 32-bit number (4 or fewer as a signed 16-bit one).
double signed32(const QString& digits) {
    return Val(QStringLiteral("&H") + digits);
}

enum class PairFilter { None, Lf, LfAndNul };

// Characters of the hexadecimal pairs of data. Runs at least once, so an empty data part gives one
// character of code 0 (unless the filter drops the empty pair, which it never does).
QString pairsToText(QStringView data, PairFilter filter) {
    QString out;
    qsizetype pos = 0;
    do {
        const QStringView pair = data.mid(pos, 2);
        pos += 2;
        const bool lf = pair == u"0A";
        const bool nul = pair == u"00";
        const bool dropped = (filter == PairFilter::Lf && lf) || (filter == PairFilter::LfAndNul && (lf || nul));
        if (!dropped)
            out += cp1254::toChar(basic::hexPrefixValue(pair));
    } while (pos < data.size() && data.mid(pos) != u"\r");
    return out;
}

PairFilter textFilterFor(int readSelector) {
    if (readSelector == 0)
        return PairFilter::LfAndNul; // header and footer lines
    if (readSelector == 6)
        return PairFilter::None; // status texts
    return PairFilter::Lf;
}

bool isAsciiLetter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Whether the last two characters of a frame's body (the text between "@" and CR) are the LRC of
// the rest.
bool lrcRight(QStringView body) {
    return body.right(2).toString().toUpper() == Lrc(body.chopped(2).toString());
}

} // namespace

bool isErrorAnswer(const QString& answer, const QString& address) {
    if (answer.isEmpty() || answer.startsWith(QLatin1String("@8")))
        return true;
    return hasAddressField(address) && answer.size() >= 4 && answer[0] == u'@' && answer[3] == u'8';
}

QString checksumMismatchEvent(int bytes) {
    return QStringLiteral(" - [000]-[") + ZeroPad(4, basic::Hex(registerCountOf(bytes))) +
           QStringLiteral("]--- CHKSum Hatası...");
}

std::optional<QString> blockAnswerData(const QString& answer, const QString& address, bool checksumOn, int bytes,
                                       const LogSink& log) {
    if (!answer.startsWith(u'@') || !answer.endsWith(u'\r'))
        return std::nullopt;
    const QStringView body = QStringView(answer).mid(1, answer.size() - 2);
    const int head = (hasAddressField(address) ? 2 : 0) + 4; // address, function, byte count
    const int size = head + 2 * bytes + (checksumOn ? 2 : 0);
    if (body.size() != size)
        return std::nullopt;
    if (checksumOn && !lrcRight(body)) {
        if (log)
            log(checksumMismatchEvent(bytes));
        return std::nullopt;
    }
    if (!allHexDigits(body))
        return std::nullopt;
    const QStringView function = body.mid(head - 4, 2);
    const QStringView count = body.mid(head - 2, 2);
    if (function != u"03" || basic::hexPrefixValue(count) != bytes)
        return std::nullopt;
    return body.mid(head, 2 * bytes).toString().toUpper();
}

bool writeAcknowledged(const QString& answer, const QString& address, bool checksumOn, int bytes, const LogSink& log) {
    if (!answer.startsWith(u'@') || !answer.endsWith(u'\r'))
        return false;
    const QString body = answer.mid(1, answer.size() - 2);
    const QString head = addressField(address) + QStringLiteral("10") + ZeroPad(4, basic::Hex(registerCountOf(bytes)));
    if (!checksumOn)
        return body == head;
    if (body.size() != head.size() + 2)
        return false;
    if (!lrcRight(body)) {
        if (log)
            log(checksumMismatchEvent(bytes));
        return false;
    }
    return body.startsWith(head);
}

std::optional<QString> identifiedModel(const QString& answer, const QString& request, const QString& decodedText,
                                       const QString& address) {
    if (isErrorAnswer(answer, address))
        return std::nullopt;
    // A line that only echoes what was sent carries no identification.
    if (!request.isEmpty() && answer.startsWith(request))
        return std::nullopt;
    if (decodedText.size() < 3)
        return std::nullopt;
    const QString model = decodedText.left(3);
    if (!isAsciiLetter(model[0]) || !isAsciiLetter(model[1]) || !isAsciiDigit(model[2]))
        return std::nullopt;
    return model;
}

std::optional<double> HexToNumber(const QString& hexText) {
    if (hexText.isEmpty())
        return std::nullopt;
    if (hexText[0] == u'F' && (hexText.size() == 4 || hexText.size() == 8))
        return Val(QStringLiteral("&H") + hexText);
    const qsizetype comma = hexText.indexOf(u',');
    const QStringView digits = QStringView(hexText).left(comma < 0 ? hexText.size() : comma);
    double v = 0;
    for (QChar c : digits) {
        int d = basic::hexDigit(c);
        if (d < 0)
            d = 0;
        v = v * 16 + d;
    }
    return v;
}

QString DayCodeName(const QString& x, const QVector<QString>& dayNames) {
    static const char16_t* const kTurkish[] = {u"Pazartesi", u"Salı",      u"Çarşamba", u"Perşembe",
                                               u"Cuma",      u"Cumartesi", u"Pazar"};
    for (int k = 0; k < 7; ++k) {
        if (x == ZeroPad(2, QString::number(k)))
            return k < dayNames.size() ? dayNames[k] : QString();
        if (x == QStringView(kTurkish[k]))
            return ZeroPad(2, QString::number(k));
    }
    return QString();
}

// Answers shorter than their header hold no data part and decode to no value. Longer ones that are
// still too short for their fields (a truncated answer) decode what is there: missing digits read
// as nothing, a missing byte count as 0. With checksums on, an answer without room for the LRC and
// CR after its header is not checked (and not logged): there is no checksum to compare.
AnswerValue DecodeAnswer(const QString& answer, const QString& kind, const QString& address, bool checksumOn,
                         LinkSettings& settings, const LogSink& log) {
    if (!answer.startsWith(u'@'))
        return {};
    const int header = hasAddressField(address) ? 5 : 3;
    if (answer.size() < header)
        return {};
    QString data = answer.mid(header);

    const int byteCount = basic::hexPrefixValue(QStringView(data).left(2));
    if (data.size() > 2)
        data.remove(0, 2);

    if (checksumOn) {
        if (data.size() > 2)
            data.chop(3);
        if (answer.size() >= header + 3) {
            const QString body = answer.mid(1, answer.size() - 4);
            const QString received = answer.mid(answer.size() - 3, 2);
            if (received != Lrc(body) && log)
                log(checksumMismatchEvent(byteCount));
        }
    } else if (data.endsWith(u'\r')) {
        data.chop(1);
    }

    if (kind == QLatin1String("LG")) {
        const auto v = HexToNumber(data);
        return v ? AnswerValue::number(*v) : AnswerValue();
    }
    if (kind == QLatin1String("Tx"))
        return AnswerValue::text(pairsToText(data, textFilterFor(settings.textFilterSelector())));
    if (kind == QLatin1String("Tx1"))
        return AnswerValue::text(pairsToText(data, PairFilter::None));
    if (kind == QLatin1String("ID")) {
        const QChar id = cp1254::toChar(basic::hexPrefixValue(QStringView(data).left(2)));
        const QString value = basic::Str(signed32(Mid(data, 3, 8)));
        const QString name = pairsToText(QStringView(data).mid(qMin<qsizetype>(10, data.size())), PairFilter::None);
        return AnswerValue::text(id + value + QChar(0x00B0) + name.left(16));
    }
    if (kind == QLatin1String("IDB"))
        return AnswerValue::text(pairsToText(QStringView(data).mid(qMin<qsizetype>(2, data.size())), PairFilter::None));
    if (kind == QLatin1String("STP")) {
        QStringList values;
        for (int k = 0; k < 3; ++k)
            values << basic::Str(signed32(Mid(data, 3 + 8 * k, 8)));
        return AnswerValue::text(values.join(QChar(0x00B0)));
    }
    if (kind == QLatin1String("Tarih")) {
        auto f = [&](int k) { return Mid(data, 2 * k - 1, 2); };
        settings.setDayNameSuffix(QStringLiteral(" \\ ") + DayCodeName(f(4), settings.dayNames()));
        return AnswerValue::text(f(5) + u'-' + f(6) + u'-' + f(7) + QStringLiteral(" \\ ") + f(3) + u':' + f(2) + u':' +
                                 f(1));
    }
    if (kind == QLatin1String("Hex"))
        return AnswerValue::text(data);
    return {};
}
