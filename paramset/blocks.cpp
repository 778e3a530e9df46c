#include "paramset/blocks.h"

#include "link/decoder.h"
#include "link/frames.h"
#include "link/textroutines.h"
#include "pages/gridpage.h"
#include "platform/basic.h"
#include "session/messagetables.h"
#include "session/parametervalues.h"
#include "session/session.h"

#include <array>
#include <cmath>

namespace {

QString cfg(const MessageTables& m, int k) {
    return MessageTables::at(m.CfgText, k);
}
QString msg(const MessageTables& m, int k) {
    return MessageTables::at(m.MsgText, k);
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The bytes of a block's hex text (the caller has checked its digits).
class BlockBytes {
public:
    explicit BlockBytes(const QString& hex) : m_hex(hex) {}
    int byte(int k) const { return basic::hexPrefixValue(QStringView(m_hex).mid(2 * k, 2)); }
    // Four bytes from k, read as the indicator's long: a leading "F" digit makes it negative.
    double long32(int k) const { return HexToNumber(m_hex.mid(2 * k, 8)).value_or(0); }
    // Four bytes from k as a signed 32-bit value (two's complement), as a parameter file keeps them.
    qint32 signed32(int k) const {
        return qint32(quint32(byte(k)) << 24 | quint32(byte(k + 1)) << 16 | quint32(byte(k + 2)) << 8 |
                      quint32(byte(k + 3)));
    }
    // Two bytes from k as a signed 16-bit value.
    int word16(int k) const { return int(qint16(quint16(byte(k) << 8 | byte(k + 1)))); }

private:
    const QString& m_hex;
};

QString rowCell(const GridPage& page, int row) {
    return page.TextMatrix(row, 1);
}

// Builds a part's hex text in byte order, noting the rows whose number does not fit a byte.
class PartBuilder {
public:
    explicit PartBuilder(const GridPage& page) : m_page(page) {}

    void row(int r) {
        const double v = basic::roundHalfEven(basic::Val(rowCell(m_page, r)));
        if (v < 0 || v > 255)
            out.rowsOutOfByteRange.append(r);
        byte(v);
    }
    void byte(double v) { m_hex += ZeroPad(2, basic::Hex(v)); }
    void fixed(const char* literal) { m_hex += QLatin1String(literal); }
    void word(double v) { m_hex += ZeroPad(4, basic::Hex(v)); }
    void long32(double v) { m_hex += ZeroPad(8, basic::Hex(v)); }
    // The next `bytes` bytes built so far go to one register write.
    void write(int firstRegister, int bytes) {
        out.writes.append({firstRegister, bytes, m_hex.mid(m_sent, 2 * bytes)});
        m_sent += 2 * bytes;
    }

    BlockWrites out;

private:
    const GridPage& m_page;
    QString m_hex;
    int m_sent = 0;
};

} // namespace

// ---- Reading ----

bool ConfigurationYerleştir(QString& answer, const QString& address, bool checksumOn, const LogSink& log) {
    const auto data = blockAnswerData(answer, address, checksumOn, kConfigHalfBytes, log);
    if (!data)
        return false;
    answer = *data;
    return true;
}

bool ConfigurationYerleş(const QString& block, GridPage& page, Session& session) {
    if (block.size() != 4 * kConfigHalfBytes || !allHexDigits(block))
        return false;
    const BlockBytes b(block);
    const MessageTables& m = session.messages;
    ParameterValues& v = session.param;
    const GridPage::Batch batch(page);
    auto cell = [&page](int row, const QString& text) { page.setTextMatrix(row, 1, text); };
    // Choice text of a code from a list of (code, text); `other` for every code the list lacks.
    auto choice = [](int code, std::initializer_list<std::pair<int, QString>> list, const QString& other) {
        for (const auto& [c, text] : list)
            if (c == code)
                return text;
        return other;
    };

    v.ConfigFlag0 = b.byte(0) == 1;
    cell(3, b.byte(0) == 1 ? cfg(m, 3) : cfg(m, 2));
    cell(4, b.byte(1) == 1 ? cfg(m, 5) : cfg(m, 4));
    cell(5, choice(b.byte(2), {{1, cfg(m, 7)}, {2, cfg(m, 8)}}, cfg(m, 6)));
    cell(6, choice(b.byte(3), {{1, cfg(m, 9)}, {2, cfg(m, 10)}}, cfg(m, 6)));
    cell(7, choice(b.byte(4), {{1, cfg(m, 11)}, {2, cfg(m, 12)}, {3, cfg(m, 13)}}, cfg(m, 6)));
    cell(8, choice(b.byte(5), {{1, cfg(m, 14)}, {2, cfg(m, 15)}}, cfg(m, 6)));
    cell(9, choice(b.byte(6),
                   {{0, QStringLiteral("0- ±0.3e")},
                    {1, QStringLiteral("1- ±0.5e")},
                    {2, QStringLiteral("2- ±1.0e")},
                    {3, QStringLiteral("3- ±2.0e")}},
                   u'4' + basic::Mid(cfg(m, 16), 2)));
    cell(11, b.byte(7) == 1 ? cfg(m, 39) : cfg(m, 6));
    v.TiltCode = QString::number(b.byte(8));
    cell(10, TiltYaz(b.byte(8), m));
    const int scale = b.byte(10);
    cell(13, scale >= 1 && scale <= 9 ? QString::number(scale) + u' ' : QStringLiteral("0 "));
    const int mode = b.byte(13);
    cell(14, mode >= 1 && mode <= 4 ? cfg(m, 17 + mode) : cfg(m, 17));
    for (int k = 0; k < 3; ++k) {
        const int key = b.byte(14 + k);
        cell(15 + k, key >= 1 && key <= 5 ? cfg(m, 21 + key) : cfg(m, 6));
    }
    v.ValueArray[0] = b.long32(18);
    cell(18, FormatLikeMaximum(v.ValueArray[0], session));
    cell(19, QString::number(b.byte(22)));
    v.ValueArray[1] = b.long32(23);
    cell(20, FormatLikeMaximum(v.ValueArray[1], session));
    const int tenths = b.byte(27);
    cell(21,
         tenths % 10 == 0 ? QString::number(tenths / 10) : QStringLiteral("%1,%2").arg(tenths / 10).arg(tenths % 10));
    cell(22, b.byte(28) == 1 ? cfg(m, 31) : cfg(m, 30));
    cell(23, choice(b.byte(29), {{1, cfg(m, 32)}, {2, cfg(m, 33)}}, cfg(m, 28)));
    cell(24, b.byte(30) == 1 ? cfg(m, 35) : cfg(m, 34));
    cell(25, b.byte(31) == 1 ? cfg(m, 29) : cfg(m, 28));
    cell(26, choice(b.byte(33), {{1, cfg(m, 36)}, {2, cfg(m, 37)}, {3, cfg(m, 38)}}, cfg(m, 6)));
    v.FillingCode = QString::number(b.byte(35));
    cell(27, FillingYaz(b.byte(35), m));

    // Serial ports A, B, C: function, baud, number, handshake, parity; C has one more choice.
    struct Port {
        int first, functionRow, baudRow, numberRow, handshakeRow, parityRow;
    };
    const std::array<Port, 3> ports{{{36, 29, 30, 32, 31, 33}, {44, 35, 36, 38, 37, 39}, {52, 41, 42, 44, 43, 46}}};
    for (int p = 0; p < 3; ++p) {
        const Port& port = ports[p];
        cell(port.functionRow, ConfigChoiceText(b.byte(port.first), m));
        cell(port.baudRow, BaudText(b.byte(port.first + 1)));
        cell(port.numberRow, QString::number(b.byte(port.first + 2)));
        if (p == 2)
            cell(45, choice(b.byte(55), {{1, cfg(m, 48)}, {2, cfg(m, 49)}}, cfg(m, 47)));
        cell(port.handshakeRow, HandshakeText(b.byte(port.first + 4), m));
        v.TextArray[p] = ParityText(b.byte(port.first + 6));
        cell(port.parityRow, v.TextArray[p]);
    }
    cell(48, ConfigChoiceText(b.byte(60), m));
    cell(49, QString::number(b.byte(62)));

    switch (b.byte(68)) {
    case 1:
        cell(51, cfg(m, 50));
        break;
    case 2:
        cell(51, cfg(m, 51));
        break;
    case 3:
        cell(51, msg(m, 2));
        break;
    case 4:
        cell(51, cfg(m, 52));
        break;
    default:
        break; // the cell keeps what it showed
    }
    cell(52, b.byte(69) == 1 ? cfg(m, 53) : cfg(m, 6));
    cell(57, choice(b.byte(70), {{1, cfg(m, 58)}, {2, cfg(m, 59)}}, cfg(m, 57)));
    cell(53, b.byte(71) == 1 ? cfg(m, 39) : cfg(m, 6));
    v.ValueArray[2] = b.long32(72);
    cell(56, FormatLikeMaximum(v.ValueArray[2], session));
    for (int k = 0; k < 2; ++k) {
        const int code = b.byte(76 + k);
        cell(54 + k, code >= 1 && code <= 3 ? cfg(m, 53 + code) : cfg(m, 6));
    }
    cell(58, QString::number(b.byte(78)));
    cell(59, b.byte(79) == 1 ? cfg(m, 39) : cfg(m, 6));
    v.Row60Text = QString::number(b.byte(80));
    cell(60, v.Row60Text);
    v.Word78 = b.word16(82);
    cell(78, QString::number(quint16(v.Word78)));
    v.Word79 = b.word16(84);
    cell(79, QString::number(quint16(v.Word79)));
    session.cal.AnalogOutputIsVoltage = b.byte(92) != 0;
    return true;
}

bool CalibrasyonYerleştir(const QString& answer, const QString& address, bool checksumOn, GridPage& page,
                          Session& session, const LogSink& log) {
    const auto data = blockAnswerData(answer, address, checksumOn, kCalibrationBlockBytes, log);
    if (!data)
        return false;
    const BlockBytes b(*data);
    ParameterValues& v = session.param;
    const GridPage::Batch batch(page);
    auto cell = [&page](int row, const QString& text) { page.setTextMatrix(row, 1, text); };

    cell(62, b.byte(0) == 0 ? cfg(session.messages, 0) : cfg(session.messages, 1));
    for (int k = 2; k <= 7; ++k)
        cell(61 + k, QString::number(b.byte(k)));
    qint64* raw[] = {&v.CalRaw1, &v.CalRaw2, &v.CalRaw3, &v.CalRaw4};
    // The calibration values are signed whatever their first digit, so that 80000000..EFFFFFFF
    // show the same after a read as after an open of the file that keeps them.
    for (int k = 0; k < 4; ++k) {
        *raw[k] = b.signed32(8 + 4 * k);
        cell(69 + k, ikile(double(*raw[k])));
    }
    cell(73, QString::number(b.signed32(24)));
    cell(74, QString::number(b.signed32(28)));
    qint64* gravity[] = {&v.CalGravity1, &v.CalGravity2};
    for (int k = 0; k < 2; ++k) {
        *gravity[k] = b.signed32(32 + 4 * k);
        const QString t = QString::number(*gravity[k]);
        cell(75 + k, t.size() > 1 ? QStringLiteral("9,") + t : t);
    }
    return true;
}

// ---- Code to text ----

std::optional<double> codeValue(const QString& code) {
    bool ok = false;
    const double v = code.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString TiltYaz(double code, const MessageTables& m) {
    if (code == 0 || code == 1 || code == 2)
        return msg(m, 14 + int(code));
    return QString();
}

QString FillingYaz(double code, const MessageTables& m) {
    if (code == 0 || code == 1)
        return msg(m, 17 + int(code));
    return QString();
}

QString ConfigChoiceText(int code, const MessageTables& m) {
    return code >= 1 && code <= 4 ? cfg(m, 39 + code) : cfg(m, 44);
}

QString BaudText(int code) {
    static const char* const kBauds[] = {"1-2400", "2-4800", "3-9600", "4-19200", "5-38400", "6-57600"};
    return code >= 1 && code <= 6 ? QLatin1String(kBauds[code - 1]) : QStringLiteral("0-1200");
}

QString HandshakeText(int code, const MessageTables& m) {
    if (code == 1)
        return QStringLiteral("1-xon/xoff");
    if (code == 2)
        return QStringLiteral("2-RTS/CTS");
    return cfg(m, 44);
}

QString ParityText(int code) {
    if (code == 1)
        return QStringLiteral("1-ODD");
    if (code == 2)
        return QStringLiteral("2-EVEN");
    return QStringLiteral("0-NONE");
}

QString PadText(const QString& text, int width, const QString& mode) {
    if (text.size() > width)
        return basic::Left(text, width);
    const int free = width - int(text.size());
    if (mode == QLatin1String("L"))
        return text + QString(free, u' ');
    if (mode == QLatin1String("G"))
        return QString(free, u' ') + text;
    if (mode == QLatin1String("O"))
        return QString(int(basic::roundHalfEven(free / 2.0)), u' ') + text;
    return QString();
}

QString ikile(double value) {
    const qint64 v = qint64(value);
    qint64 hi = v >= 0 ? v / 65536 : -((-v + 65535) / 65536); // rounded down
    const qint64 lo = v - hi * 65536;
    if (hi < 0)
        hi += 65536;
    const QString hiText = QString::number(hi);
    return PadText(hiText, qMax(3, int(hiText.size())), QStringLiteral("L")) + QStringLiteral(" - ") +
           PadText(QString::number(lo), 10, QStringLiteral("L"));
}

// ---- Writing ----

BlockWrites calibrationWrites(const GridPage& page, const ParameterValues& values) {
    PartBuilder p(page);
    p.row(62);
    p.fixed("00");
    for (int r = 63; r <= 68; ++r)
        p.row(r);
    p.long32(double(values.CalRaw1));
    p.long32(double(values.CalRaw2));
    p.long32(double(values.CalRaw3));
    p.write(128, 20);
    p.long32(double(values.CalRaw4));
    p.write(138, 4);
    p.long32(basic::Val(rowCell(page, 74)));
    p.long32(double(values.CalGravity1));
    p.long32(double(values.CalGravity2));
    p.write(142, 12);
    return p.out;
}

BlockWrites configJmpWrites(const GridPage& page) {
    PartBuilder p(page);
    for (int r = 3; r <= 9; ++r)
        p.row(r);
    p.row(11);
    p.row(10);
    p.fixed("00");
    p.write(149, 10);
    return p.out;
}

BlockWrites configNrmWrites(const GridPage& page, const ParameterValues& values) {
    PartBuilder p(page);
    p.row(13);
    p.fixed("0000");
    for (int r = 14; r <= 17; ++r)
        p.row(r);
    p.fixed("00");
    p.long32(values.ValueArray[0]);
    p.row(19);
    p.long32(values.ValueArray[1]);

    // Row 21 holds 5..9.9 with one decimal; outside that the cell is brought to the nearer end.
    double tenths = basic::Val(CommaToPoint(rowCell(page, 21))) * 10;
    if (!(tenths > 50 && tenths < 99)) {
        p.out.row21Text = tenths <= 50 ? QStringLiteral("5") : QStringLiteral("9,9");
        tenths = basic::Val(CommaToPoint(*p.out.row21Text)) * 10;
    }
    p.byte(tenths);
    for (int r = 22; r <= 25; ++r)
        p.row(r);
    p.fixed("00");
    p.row(26);
    p.fixed("00");
    p.row(27);
    p.write(154, 12);
    p.write(160, 14);

    for (int r : {29, 30, 32})
        p.row(r);
    p.fixed("00");
    p.row(31);
    p.fixed("01");
    p.row(33);
    p.fixed("00");
    p.write(167, 8);
    for (int r : {35, 36, 38})
        p.row(r);
    p.fixed("00");
    p.row(37);
    p.fixed("01");
    p.row(39);
    p.fixed("00");
    p.write(171, 8);
    for (int r : {41, 42, 44, 45, 43})
        p.row(r);
    p.fixed("01");
    p.row(46);
    p.fixed("00");
    p.write(175, 8);
    p.row(48);
    p.fixed("05");
    p.row(49);
    p.fixed("0000010000");
    p.write(179, 8);

    for (int r : {51, 52, 57, 53})
        p.row(r);
    p.long32(values.ValueArray[2]);
    for (int r : {54, 55, 58, 59, 60})
        p.row(r);
    p.fixed("00");
    p.write(183, 14);
    p.word(double(values.Word78));
    p.word(double(values.Word79));
    p.write(190, 4);
    return p.out;
}

// ---- Clock ----

std::optional<QString> ClockPayload(const QString& text) {
    // 1-based positions of day, month, year, hours, minutes, seconds in "dd-MM-yy \ hh:mm:ss".
    static constexpr std::array<int, 6> kAt{1, 4, 7, 12, 15, 18};
    std::array<QString, 6> f;
    for (int k = 0; k < 6; ++k) {
        f[k] = basic::Mid(text, kAt[k], 2);
        if (f[k].size() != 2 || !isAsciiDigit(f[k][0]) || !isAsciiDigit(f[k][1]))
            return std::nullopt;
    }
    return f[5] + f[4] + f[3] + QStringLiteral("00") + f[0] + f[1] + f[2] + QStringLiteral("00");
}
