#include "sim/simindicator.h"

namespace {

// The indicator's own hex routines. They are kept apart from the program's frame code on purpose:
// the tests then compare two independent readings of the same protocol.
int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool allHex(const QByteArray& text) {
    for (char c : text)
        if (hexDigit(c) < 0)
            return false;
    return true;
}

// Value of a run of hex digits (caller has checked them).
int hexValue(const QByteArray& text) {
    int v = 0;
    for (char c : text)
        v = v * 16 + hexDigit(c);
    return v;
}

QByteArray hexText(unsigned value, int width) {
    static const char digits[] = "0123456789ABCDEF";
    QByteArray out(width, '0');
    for (int i = width - 1; i >= 0; --i) {
        out[i] = digits[value & 0xF];
        value >>= 4;
    }
    return out;
}

QByteArray hexBytes(const QByteArray& data) {
    QByteArray out;
    out.reserve(data.size() * 2);
    for (char c : data)
        out += hexText(quint8(c), 2);
    return out;
}

QByteArray fromHex(const QByteArray& text) {
    QByteArray out;
    for (int i = 0; i + 1 < text.size(); i += 2)
        out.append(char(hexValue(text.mid(i, 2))));
    return out;
}

QByteArray bigEndian(qint32 value) {
    const quint32 v = quint32(value);
    QByteArray out(4, '\0');
    out[0] = char(v >> 24);
    out[1] = char(v >> 16);
    out[2] = char(v >> 8);
    out[3] = char(v);
    return out;
}

QByteArray padded(const QByteArray& text, int count, char fill) {
    QByteArray out = text.left(count);
    while (out.size() < count)
        out.append(fill);
    return out;
}

// One byte holding two decimal digits as its two hex digits, as the indicator's clock keeps them.
char bcd(int v) {
    return char(((v / 10) << 4) | (v % 10));
}

// The configuration block (registers 149..198) of a freshly set-up indicator. Fixed bytes hold
// what the indicator itself reports there.
QByteArray configurationBlock(SimIndicator::Model model) {
    const bool qm2 = model == SimIndicator::Model::QM2;
    QByteArray b(100, '\0');
    auto put = [&b](int at, int v) { b[at] = char(v); };
    auto putLong = [&b](int at, qint32 v) { b.replace(at, 4, bigEndian(v)); };
    put(0, 0);  // [200]
    put(1, 1);  // [201]
    put(2, 2);  // [202]
    put(3, 0);  // [203]
    put(4, 1);  // [204]
    put(5, 0);  // [205]
    put(6, 3);  // [206]
    put(7, 0);  // [801]
    put(8, 1);  // tilt mode
    put(10, 1); // [120]
    put(13, 2); // [100]
    put(14, 1);
    put(15, 0);
    put(16, 1);
    putLong(18, qm2 ? 2000 : 1500); // [101]
    put(22, 5);                     // [102]
    putLong(23, 100);               // [104], straddles registers
    put(27, 75);                    // [103] 7.5
    put(28, 1);
    put(29, 0);
    put(30, 0); // kg
    put(31, 0);
    put(33, 1);
    put(35, 0); // filling mode
    // Serial ports A..D: function, baud, number, handshake, data bits/parity.
    put(36, 1);
    put(37, 3);
    put(38, 1);
    put(40, 0);
    put(41, 1);
    put(42, 0);
    put(44, qm2 ? 2 : 0);
    put(45, 3);
    put(46, 2);
    put(48, 0);
    put(49, 1);
    put(50, 0);
    put(52, 0);
    put(53, 3);
    put(54, 3);
    put(55, 0);
    put(56, 0);
    put(57, 1);
    put(58, 0);
    put(60, 0);
    put(61, 5);
    put(62, 4);
    put(65, 1);
    put(68, 1); // print key
    put(69, 1);
    put(70, 0);
    put(71, 0);
    putLong(72, 500); // [045]
    put(76, 0);
    put(77, 0);
    put(78, 10);
    put(79, 0);
    put(80, 5);
    b.replace(82, 2, QByteArray::fromHex("0C35")); // analog zero
    b.replace(84, 2, QByteArray::fromHex("F424")); // analog full scale
    put(92, 0);                                    // 4-20 mA
    return b;
}

QByteArray calibrationBlock(SimIndicator::Model model) {
    const bool qm2 = model == SimIndicator::Model::QM2;
    QByteArray b(40, '\0');
    b[0] = 0;                   // single range
    b[2] = char(qm2 ? 30 : 24); // range-1 capacity code
    b[3] = 5;                   // range-1 division code: 0.005 kg, allowed with both capacities
    b[4] = char(qm2 ? 30 : 24);
    b[5] = 5;
    b.replace(8, 4, bigEndian(123456));
    b.replace(12, 4, bigEndian(1000000));
    b.replace(16, 4, bigEndian(65540));
    b.replace(20, 4, bigEndian(-2));
    b.replace(24, 4, bigEndian(30000));
    b.replace(28, 4, bigEndian(0));
    b.replace(32, 4, bigEndian(80665));
    b.replace(36, 4, bigEndian(80150));
    return b;
}

} // namespace

SimIndicator::SimIndicator(Model model) : m_model(model) {
    loadImage(model);
}

void SimIndicator::loadImage(Model model) {
    m_model = model;
    const bool qm2 = model == Model::QM2;
    m_regs.fill(0, WordRegisters);
    m_textArea = QByteArray(TextAreaBytes, '\0');
    m_idRecords.clear();
    m_setpointRecords.clear();
    m_idTitles.clear();
    hostMode = false;
    calibrating = analogCalibrating = false;
    m_stepPollsLeft = 0;

    // Live values: weight, second value, status word, hardware status (bit 3 of the high byte:
    // calibration enabled; bit 4 of the low byte: analog-output card fitted).
    setBytes(0, bigEndian(1250));
    setBytes(3, bigEndian(0));
    setBytes(5, bigEndian(40));
    setBytes(11, bigEndian(1234));
    setBytes(13, bigEndian(5678));
    setBytes(15, bigEndian(-25));
    setReg(2, 0x0021);
    setReg(25, qm2 ? 0x0811 : 0x0801);

    // Ticket lines: four header lines from 40, two footer lines from 83, 21 bytes each (20
    // characters and a NUL).
    QByteArray header;
    for (const char* line : {"   TARVEX TARTI     ", "  ORNEK GIDA A.S.   ", " ISTANBUL - TURKIYE ", ""})
        header += padded(line, 20, line[0] ? ' ' : '\0') + '\0';
    setBytes(40, header);
    QByteArray footer;
    for (const char* line : {"     TESEKKURLER    ", ""})
        footer += padded(line, 20, line[0] ? ' ' : '\0') + '\0';
    setBytes(83, footer);

    // Clock: second, minute, hour, weekday, day, month, year, spare.
    QByteArray clock;
    for (int v : {30, 15, 12, 2, 24, 5, 19, 0})
        clock.append(bcd(v));
    setBytes(ClockRegister, clock);

    setBytes(CalibrationBlockRegister, calibrationBlock(model));
    setBytes(ConfigurationBlockRegister, configurationBlock(model));
    setText(VersionTextRegister, qm2 ? "QM2 v1.23 " : "QM1 v1.07 ", 10);
    setText(InfoTextRegister, qm2 ? "SN 104872 " : "SN 093311 ", 10);

    if (qm2)
        setBytes(TextAreaRegister, "N\r\nA40,30,0,4,1,1,N,\"TARVEX\"\r\nB40,90,0,1,2,4,60,B,\"1234567\"\r\nP1\r\n");

    setIdRecord(0, 1001, "ELMA");
    setIdRecord(1, 2002, "ORNEK GIDA");
    setIdRecord(128, 300, "KAMYON 34 ABC 12");
    setIdTitle(0, "URUN");
    setIdTitle(1, "MUSTERI");
    setSetpointRecord(0, 1000, 2000, 3000);
    setSetpointRecord(1, 500, -500, 0);

    // The record windows show record 0 until something else is selected.
    setBytes(IdRecordRegister, idRecord(0));
    setBytes(SetpointRecordRegister, setpointRecord(0));
    setBytes(IdTitleRegister, idTitle(0));
    commitAll();
}

void SimIndicator::setIdRecord(int number, qint32 code, const QByteArray& name) {
    QByteArray rec(1, char(number));
    rec += bigEndian(code);
    rec += padded(name, 16, ' ');
    rec += QByteArray(3, '\0');
    m_idRecords[number & 0xFF] = rec;
}

void SimIndicator::setSetpointRecord(int number, qint32 sp1, qint32 sp2, qint32 sp3) {
    QByteArray rec(1, char(number));
    rec += bigEndian(sp1) + bigEndian(sp2) + bigEndian(sp3);
    rec += '\0';
    m_setpointRecords[number & 0xFF] = rec;
}

void SimIndicator::setIdTitle(int number, const QByteArray& title) {
    QByteArray rec(1, char(number));
    rec += title.left(12);
    m_idTitles[number & 0xFF] = padded(rec, 14, '\0');
}

// --- register image --------------------------------------------------------------------------

int SimIndicator::byteAt(int firstRegister, int k) const {
    if (firstRegister >= TextAreaRegister) {
        const int i = firstRegister - TextAreaRegister + k;
        return i >= 0 && i < TextAreaBytes ? quint8(m_textArea[i]) : -1;
    }
    const int r = firstRegister + k / 2;
    if (firstRegister < 0 || k < 0 || r >= WordRegisters)
        return -1;
    return k % 2 == 0 ? m_regs[r] >> 8 : m_regs[r] & 0xFF;
}

void SimIndicator::putByte(int firstRegister, int k, int value) {
    if (firstRegister >= TextAreaRegister) {
        const int i = firstRegister - TextAreaRegister + k;
        if (i >= 0 && i < TextAreaBytes)
            m_textArea[i] = char(value);
        return;
    }
    const int r = firstRegister + k / 2;
    if (firstRegister < 0 || k < 0 || r >= WordRegisters)
        return;
    if (k % 2 == 0)
        m_regs[r] = quint16((m_regs[r] & 0x00FF) | ((value & 0xFF) << 8));
    else
        m_regs[r] = quint16((m_regs[r] & 0xFF00) | (value & 0xFF));
}

quint16 SimIndicator::reg(int r) const {
    const int hi = byteAt(r, 0), lo = byteAt(r, 1);
    return quint16(((hi < 0 ? 0 : hi) << 8) | (lo < 0 ? 0 : lo));
}

void SimIndicator::setReg(int r, quint16 value) {
    putByte(r, 0, value >> 8);
    putByte(r, 1, value & 0xFF);
}

QByteArray SimIndicator::bytes(int firstRegister, int count) const {
    QByteArray out;
    for (int k = 0; k < count; ++k) {
        const int b = byteAt(firstRegister, k);
        out.append(char(b < 0 ? 0 : b));
    }
    return out;
}

void SimIndicator::setBytes(int firstRegister, const QByteArray& data) {
    for (int k = 0; k < data.size(); ++k)
        putByte(firstRegister, k, quint8(data[k]));
}

void SimIndicator::setText(int firstRegister, const QByteArray& text, int count) {
    setBytes(firstRegister, padded(text, count, ' '));
}

bool SimIndicator::inRange(int firstRegister, int byteCount) const {
    if (firstRegister < 0 || byteCount < 1)
        return false;
    if (firstRegister >= TextAreaRegister)
        return firstRegister - TextAreaRegister + byteCount <= TextAreaBytes;
    return firstRegister + (byteCount + 1) / 2 <= WordRegisters;
}

bool SimIndicator::refused(int first, int count) const {
    const int span = first >= TextAreaRegister ? 2 * count : count;
    for (int r : faults.refuseRegisters)
        if (r >= first && r < first + span)
            return true;
    return false;
}

bool SimIndicator::isTextRegister(int r) const {
    return (r >= 40 && r <= 103) || (r >= VersionTextRegister && r < IdTitleRegister + 7) || r >= TextAreaRegister;
}

// --- line side -------------------------------------------------------------------------------

QByteArray SimIndicator::lrc(const QByteArray& hexText) {
    int sum = 0;
    for (int i = 0; i < hexText.size(); i += 2) {
        int v = 0;
        for (int j = i; j < i + 2 && j < hexText.size(); ++j) {
            const int d = hexDigit(hexText[j]);
            if (d < 0)
                break;
            v = v * 16 + d;
        }
        sum += v;
    }
    return ::hexText(unsigned((256 - sum % 256) % 256), 2);
}

int SimIndicator::ownAddress() const {
    // The address is kept as decimal text; only its leading number counts.
    int v = 0;
    const QString t = address.trimmed();
    for (QChar c : t) {
        if (!c.isDigit())
            break;
        v = v * 10 + c.digitValue();
        if (v > 255)
            return v & 0xFF;
    }
    return v;
}

QByteArray SimIndicator::frameOf(const QByteArray& body) const {
    QByteArray inner;
    if (const int own = ownAddress())
        inner = hexText(unsigned(own), 2);
    inner += body;
    QByteArray out = "@" + inner;
    if (checksumOn) {
        int sum = hexValue(lrc(inner));
        if (faults.wrongLrc)
            sum = (sum + 1) % 256;
        out += hexText(unsigned(sum), 2);
    }
    out += '\r';
    return out;
}

QByteArray SimIndicator::errorAnswer(int function, int code) const {
    // Every refusal of the indicator begins with "8": a read is refused as "83", a write as "80".
    return frameOf(hexText(unsigned(0x80 | (function & 0x0F)), 2) + hexText(unsigned(code), 2));
}

QByteArray SimIndicator::feed(const QByteArray& bytes) {
    QByteArray out;
    for (const QByteArray& piece : feedPieces(bytes))
        out += piece;
    return out;
}

QList<QByteArray> SimIndicator::feedPieces(const QByteArray& bytes) {
    m_lastAnswerLate = false;
    QList<QByteArray> out;
    bool startNew = true;
    for (char c : bytes) {
        m_pending.append(c);
        if (c != '\r') {
            boundUnfinishedFrame();
            continue;
        }
        const QByteArray raw = m_pending;
        m_pending.clear();
        const QList<QByteArray> pieces = handle(raw);
        for (int i = 0; i < pieces.size(); ++i) {
            if (startNew || out.isEmpty())
                out.append(pieces[i]);
            else
                out.last() += pieces[i];
            // Everything after the first piece of a split answer must wait for its own read.
            startNew = i + 1 < pieces.size();
        }
    }
    return out;
}

QList<QByteArray> SimIndicator::handle(const QByteArray& raw) {
    Frame f;
    f.raw = raw;
    frames.append(f);
    Frame& rec = frames.last();

    // A start character begins a frame afresh, whatever came before it.
    const int at = raw.lastIndexOf('@');
    if (at < 0)
        return {};
    QByteArray body = raw.mid(at + 1, raw.size() - at - 2);
    if (!allHex(body))
        return {};
    if (checksumOn) {
        if (body.size() < 2)
            return {};
        const QByteArray got = body.right(2).toUpper();
        body.chop(2);
        if (lrc(body) != got)
            return {}; // a corrupted frame is not answered
    }
    if (const int own = ownAddress()) {
        if (body.size() < 2 || hexValue(body.left(2)) != own)
            return {}; // for another indicator on the bus
        body.remove(0, 2);
    }
    if (body.size() < 2)
        return {};
    rec.function = hexValue(body.left(2));
    const QByteArray rest = body.mid(2);

    QByteArray answer;
    bool carriedOut = true;
    if (rec.function == 0x03) {
        if (rest.size() != 8)
            return {};
        rec.firstRegister = hexValue(rest.left(4));
        rec.registerCount = hexValue(rest.mid(4, 4));
    } else if (rec.function == 0x10) {
        if (rest.size() < 10 || rest.size() % 2 != 0)
            return {};
        rec.write = true;
        rec.firstRegister = hexValue(rest.left(4));
        rec.registerCount = hexValue(rest.mid(4, 4));
        rec.byteCount = hexValue(rest.mid(8, 2));
        rec.data = fromHex(rest.mid(10));
        ++m_writesSeen;
    }
    rec.valid = true;

    if (faults.silent)
        return {};
    if (faults.echoRequest) {
        answer = raw;
        carriedOut = false;
    } else if (rec.write && faults.noAckForFirst > 0) {
        --faults.noAckForFirst; // lost on the line: neither carried out nor acknowledged
        return {};
    }

    if (carriedOut) {
        if (rec.function == 0x03)
            answer = answerRead(rec);
        else if (rec.function == 0x10)
            answer = answerWrite(rec);
        else
            answer = errorAnswer(rec.function, IllegalFunction);
    }
    rec.answer = answer;

    // A late answer leaves as any other; the port delivers it after the reader's wait.
    if (faults.lateAnswer && !answer.isEmpty())
        m_lastAnswerLate = true;
    if (faults.splitAnswer && answer.size() > 1) {
        const int cut = answer.size() / 2;
        return {answer.left(cut), answer.mid(cut)};
    }
    return {answer};
}

QByteArray SimIndicator::answerRead(Frame& f) {
    const int n = f.registerCount;
    if (n < 1 || n > 127)
        return errorAnswer(0x03, IllegalValue);
    if (!inRange(f.firstRegister, 2 * n))
        return errorAnswer(0x03, IllegalAddress);
    if (refused(f.firstRegister, n))
        return errorAnswer(0x03, Refused);
    if (refusedWith9(f.firstRegister, n))
        return refusal9Answer(0x03);
    calibrationRead(f.firstRegister, n);
    QByteArray data = bytes(f.firstRegister, 2 * n);
    if (faults.nulAndLfInText && isTextRegister(f.firstRegister)) {
        // A stray line feed after the first character and a NUL after the last, both counted, as
        // far as the one-byte count can count them.
        if (data.size() < 255)
            data.insert(1, '\n');
        if (data.size() < 255)
            data.append('\0');
    }
    return frameOf("03" + hexText(unsigned(data.size()), 2) + hexBytes(data));
}

QByteArray SimIndicator::answerWrite(Frame& f) {
    const int n = f.registerCount;
    if (n < 1 || n > 127 || f.byteCount != 2 * n)
        return errorAnswer(0x10, IllegalValue);
    if (!inRange(f.firstRegister, 2 * n))
        return errorAnswer(0x10, IllegalAddress);
    if (refused(f.firstRegister, n))
        return errorAnswer(0x10, Refused);
    if (refusedWith9(f.firstRegister, n))
        return refusal9Answer(0x10);

    // The indicator takes exactly the bytes announced: missing ones arrive as zero, extra ones
    // are dropped.
    QByteArray data = f.data.left(2 * n);
    data.append(QByteArray(2 * n - data.size(), '\0'));
    setBytes(f.firstRegister, data);
    if (f.firstRegister < WordRegisters && f.firstRegister <= CommandRegister && CommandRegister < f.firstRegister + n)
        command(reg(CommandRegister));
    calibrationWrite(f.firstRegister, n);

    QByteArray body = "10";
    if (faults.wrongAck)
        body += hexText(unsigned(f.firstRegister), 4);
    body += hexText(unsigned(n), 4);
    return frameOf(body);
}

void SimIndicator::command(int code) {
    commands.append(code);
    auto load = [this](int reg, int size, const QMap<int, QByteArray>& store) {
        const int number = byteAt(reg, 0);
        QByteArray rec = store.value(number);
        if (rec.isEmpty()) {
            rec = QByteArray(size, '\0');
            rec[0] = char(number);
        }
        setBytes(reg, padded(rec, size, '\0'));
    };
    auto save = [this](int reg, int size, QMap<int, QByteArray>& store) {
        const QByteArray rec = bytes(reg, size);
        store[quint8(rec[0])] = rec;
    };
    switch (code) {
    case 1:
        load(SetpointRecordRegister, 14, m_setpointRecords);
        break;
    case 2:
        save(SetpointRecordRegister, 14, m_setpointRecords);
        break;
    case 10:
        load(IdRecordRegister, 24, m_idRecords);
        break;
    case 11:
        save(IdRecordRegister, 24, m_idRecords);
        break;
    case 15:
        load(IdTitleRegister, 14, m_idTitles);
        break;
    case 16:
        save(IdTitleRegister, 14, m_idTitles);
        break;
    case 19:
        hostMode = true;
        break;
    case 20:
        hostMode = false;
        break;
    default:
        commitBlocks(code); // a block's store code commits it; load codes work on the image in place
        break;
    }
}
