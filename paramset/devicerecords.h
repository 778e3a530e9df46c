#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The indicator's record memories and text areas as they travel on the line: the ID records and
// titles, the setpoint records, the ticket lines and the label-printer text. Each builder returns
// the data field of a write as upper-case hex digits, exactly as many bytes as the frame announces.

// ---- Registers ----

inline constexpr int kIdRecordRegister = 105;
inline constexpr int kIdRecordBytes = 24;
inline constexpr int kSetpointRecordRegister = 117;
inline constexpr int kSetpointRecordBytes = 14;
inline constexpr int kIdTitleRegister = 209;
inline constexpr int kIdTitleBytes = 14;
inline constexpr int kIdTitleLength = 12; // characters a title holds
inline constexpr int kSelectorBytes = 2;
inline constexpr int kVersionTextRegister = 199;
inline constexpr int kInfoTextRegister = 204;
inline constexpr int kIdentTextBytes = 10;
inline constexpr int kLabelTextRegister = 217;
inline constexpr int kLabelTextBytes = 1000;
inline constexpr int kLabelReadPiece = 8;
inline constexpr int kLabelWritePiece = 4;

// The six ticket lines in the order they travel: four header lines, then two footer lines. Each
// line is 20 characters and a NUL; the 22-byte pieces begin with the NUL of the line before.
struct TicketLine {
    int firstRegister;
    int bytes;   // 20 or 22
    bool footer; // false: header line `index`, true: footer line `index`
    int index;
};
inline constexpr std::array<TicketLine, 6> kTicketLines{{
    {40, 20, false, 0},
    {50, 22, false, 1},
    {61, 20, false, 2},
    {71, 22, false, 3},
    {83, 20, true, 0},
    {93, 22, true, 1},
}};

// ---- Answers ----

// The characters of hex byte pairs (code page 1254), every byte kept.
QString bytesText(const QString& hexData);

// A ticket line as the header page shows it: the characters of its bytes without NULs and line
// feeds, whatever page is in view.
QString ticketLineText(const QString& hexData);

// ---- ID memories ----

// Row of the ID memory page to the record's number: rows 1 and 2 hold records 0 and 1, rows 3 and
// on records 128 and on.
int idNumberOfRow(int row);

// The selector write that chooses record `number` of a record window: the number, then 0.
QString selectorData(int number);

// The 24-byte ID record: number, the code as a 32-bit number, the 16 bytes of the name, three zero
// bytes. A code that is no number is 0.
QString idRecordData(int number, const QString& code, const QByteArray& name16);

// The 14-byte ID title record: its number, the title without NULs cut to 12 characters, NULs.
QString idTitleData(int number, const QString& title);

// A decoded ID record answer ("ID" kind: number character, code, "°", name) split into code and
// name; an empty memory (code 0 or -1) gives two empty texts.
struct IdMemory {
    QString code;
    QString name;
};
IdMemory idMemoryOf(const QString& decoded);

// ---- Setpoints ----

// The whole number a setpoint text stands for in the indicator's units: the text (blanks around it,
// an optional sign, a decimal comma or point) times 10^decimals, exactly. An empty text is 0.
// Nothing when the text is no number, has a non-zero digit beyond the decimals (it would be cut) or
// the result does not fit in 32 signed bits.
std::optional<qint32> setpointValue(const QString& text, int decimals);

// The 14-byte setpoint record: the memory number, the three values as 32-bit numbers, a zero byte.
QString setpointRecordData(int number, const std::array<qint32, 3>& values);

// A setpoint as read: a negative value v is shown as v + 65536.
double SetPointFormül(double value);

// ---- Label-printer text ----

// Makes the label text end with a print command ("P" and digits) before it is written. Texts of 998
// characters or more are left alone.
QString EplKontrol(const QString& text);

// The label text as it is written: blanks taken off both ends, EplKontrol, then a CR LF at the end
// when it has none.
QString labelTextToSend(const QString& boxText);

// The 250 four-byte pieces of the text area for a text of at most 1000 characters: the characters'
// codes, then zero bytes.
QStringList labelTextPieces(const QString& text);
