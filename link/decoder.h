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
