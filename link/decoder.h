#pragma once

#include <QString>
#include <QVector>

#include <functional>
#include <optional>

class LinkSettings;

// What an answer decodes to: a number ("LG"), a text (the other kinds) or no value (an answer that
// is not a frame, an unknown kind). No value reads as 0 or "".
class AnswerValue {
public:
    AnswerValue() = default;
    static AnswerValue number(double v);
    static AnswerValue text(const QString& t);

    bool isEmpty() const { return m_kind == Kind::None; }
    bool isNumber() const { return m_kind == Kind::Number; }
    bool isText() const { return m_kind == Kind::Text; }

    // A text is read with Val; no value gives 0.
    double toNumber() const;
    // A number is written with Str; no value gives "".
    QString toText() const;

private:
    enum class Kind { None, Number, Text };
    Kind m_kind = Kind::None;
    double m_number = 0;
    QString m_text;
};

// Receives a log event: the log line without its leading date (the transaction layer adds it).
using LogSink = std::function<void(const QString& event)>;

// An answer that tells the exchange failed: empty, beginning "@8", or, when the address gives an
// address field, "@", two address characters and "8". Every reader tests its answer with this
// before decoding.
bool isErrorAnswer(const QString& answer, const QString& address);

// The log event of a checksum mismatch on an answer carrying `bytes` bytes: " - [000]-[NNNN]---
// CHKSum Hatası...", NNNN the register count.
QString checksumMismatchEvent(int bytes);

// The data of the answer to a read of `bytes` bytes, as hex text: the answer must be "@", the
// address field when the address gives one, function "03", a byte count equal to `bytes`, exactly
// twice that many hex digits, the LRC when checksums are on (and right), and CR. Anything else (an
// empty, short, shifted, error or corrupted answer) gives nothing. A wrong LRC on an answer of the
// right length is also told to `log`.
std::optional<QString> blockAnswerData(const QString& answer, const QString& address, bool checksumOn, int bytes,
                                       const LogSink& log = {});

// Whether a write answer acknowledges `bytes` bytes: "@", the address field when the address gives
// one, "10", the register count as four digits, the LRC when checksums are on (and right), CR. A
// wrong LRC on an answer of the acknowledgement's length is also told to `log`.
bool writeAcknowledged(const QString& answer, const QString& address, bool checksumOn, int bytes,
                       const LogSink& log = {});

// The model an identification answer reports: the first three characters of its decoded text,
// provided the answer is a real one. An empty answer, an error answer, the request coming back
// (an echoing line), or a text too short or not shaped like a model name ("QM2": letters then a
// digit) identify nothing. decodedText is the answer decoded as text.
std::optional<QString> identifiedModel(const QString& answer, const QString& request, const QString& decodedText,
                                       const QString& address);

// Strips the frame off a read answer (header, byte count, and with checksums on the LRC and CR,
// whose mismatch is logged once and otherwise ignored) and decodes the data by kind, compared as
// written: "LG", "Tx" (pairs filtered by settings.textFilterSelector()), "Tx1", "ID", "IDB", "STP",
// "Tarih" (also sets the day name suffix, day names from settings.dayNames()) and "Hex".
// An answer not beginning with "@", one shorter than its header, or an unknown kind gives no value.
AnswerValue DecodeAnswer(const QString& answer, const QString& kind, const QString& address, bool checksumOn,
                         LinkSettings& settings, const LogSink& log = {});

// Hexadecimal text to number. A text beginning "F" of 4 or 8 digits is a signed 16- or 32-bit
// value (FFFF = -1); anything else is unsigned, read up to the first "," (12,5 = 18). An empty text
// gives no value. The argument is never modified.
std::optional<double> HexToNumber(const QString& hexText);

// Weekday code "00".."06" to its name (Monday .. Sunday) and a Turkish day name back to its code;
// anything else gives "".
QString DayCodeName(const QString& x, const QVector<QString>& dayNames);
