#pragma once

#include "link/decoder.h"

#include <QList>
#include <QString>

#include <optional>

class GridPage;
struct MessageTables;
struct ParameterValues;
struct Session;

// The indicator's configuration block (registers 149..198, 100 bytes) and calibration block
// (registers 128..147, 40 bytes) as the parameter page and its working values hold them, and the
// clock record (register 124). Byte k of a block lies in register base + k / 2, even k the high
// byte; a block travels as two upper-case hex digits per byte, multi-byte values big-endian.

inline constexpr int kConfigurationBlockRegister = 149;
inline constexpr int kConfigSecondHalfRegister = 174;
inline constexpr int kConfigHalfBytes = 50;
inline constexpr int kCalibrationBlockRegister = 128;
inline constexpr int kCalibrationBlockBytes = 40;
inline constexpr int kClockRegister = 124;
inline constexpr int kClockBytes = 8;

// ---- Reading ----

// Cuts one 50-byte half of the configuration block down to its data, in place. False, and the
// answer unchanged, when it is no complete answer (blockAnswerData, which logs a checksum mismatch).
bool ConfigurationYerleştir(QString& answer, const QString& address, bool checksumOn, const LogSink& log = {});

// Decodes the whole configuration block (200 hex digits: the register-149 half, then the
// register-174 half) into column 1 of the parameter page and the working values (ConfigFlag0,
// TiltCode, FillingCode, ValueArray 0..2, TextArray 0..2, Row60Text, Word78, Word79) and
// cal.AnalogOutputIsVoltage. False, and nothing written, for any other text.
bool ConfigurationYerleş(const QString& block, GridPage& page, Session& session);

// Decodes the answer to the 40-byte read of register 128 into rows 62..76 of the parameter page and
// CalRaw1..4, CalGravity1, CalGravity2. False, and nothing written, when it is no complete answer.
bool CalibrasyonYerleştir(const QString& answer, const QString& address, bool checksumOn, GridPage& page,
                          Session& session, const LogSink& log = {});

// ---- Code to text ----

// The number a code text holds: blanks around it are allowed ("2" and 24 blanks is 2); a text that
// is not a number (empty, NULs, letters) gives nothing.
std::optional<double> codeValue(const QString& code);

// Texts of the tilt (row 10) and filling (row 27) codes; "" for a code no text names.
QString TiltYaz(double code, const MessageTables& m);
QString FillingYaz(double code, const MessageTables& m);
// Serial port function, baud rate, handshake and data bits/parity texts.
QString ConfigChoiceText(int code, const MessageTables& m);
QString BaudText(int code);
QString HandshakeText(int code, const MessageTables& m);
QString ParityText(int code);

// A signed 32-bit value as its two unsigned 16-bit halves: the upper half left-aligned in at least
// 3 characters, " - ", the lower half left-aligned in 10.
QString ikile(double value);
// Text padded or cut to width: "L" left-aligned, "G" right-aligned, "O" centred with no blanks after;
// a longer text is cut to width whatever the mode; an unknown mode gives "".
QString PadText(const QString& text, int width, const QString& mode);

// ---- Writing ----

// One register write of a block part: start register, byte count, the data as hex digits.
struct RegisterWrite {
    int firstRegister = 0;
    int byteCount = 0;
    QString data;
    friend bool operator==(const RegisterWrite&, const RegisterWrite&) = default;
};

// The writes of one group, in the order they are sent. Byte rows are written as the number their
// cell begins with; rowsOutOfByteRange names the rows whose number is not 0..255 (their low byte is
// in the data). row21Text is the text row 21 must show when its value had to be brought into
// 5..9.9 (the byte written is that of the new text).
struct BlockWrites {
    QList<RegisterWrite> writes;
    QList<int> rowsOutOfByteRange;
    std::optional<QString> row21Text;
};

// Calibration bytes 0..23 and 28..39: registers 128 (20 bytes), 138 (4) and 142 (12).
BlockWrites calibrationWrites(const GridPage& page, const ParameterValues& values);
// Configuration bytes 0..9 ("Jmp"): register 149 (10 bytes).
BlockWrites configJmpWrites(const GridPage& page);
// Configuration bytes 10..85 ("Nrm"): registers 154 (12), 160 (14), 167, 171, 175, 179 (8 each),
// 183 (14) and 190 (4).
BlockWrites configNrmWrites(const GridPage& page, const ParameterValues& values);

// ---- Clock ----

// The 16 hex digits of the clock register for the row-1 text "dd-MM-yy \ hh:mm:ss" (what follows,
// the day name, is not used): seconds, minutes, hours, "00", day, month, year, "00". Nothing unless
// the six fields are two decimal digits each.
std::optional<QString> ClockPayload(const QString& text);
