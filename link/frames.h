#pragma once

#include <QString>
#include <QVariant>

// Request frames to the indicator: "@" [address] function register count [byte count data] [LRC] CR,
// every number as upper-case hexadecimal digits. The builders only return the text; sending it is
// the transaction layer's business.

// Whether a device address (decimal text) puts an address field into frames and answers: its
// numeric value is not 0, so "", "0" and "00" give none. Frames, the decoder, the echo check and
// the error-answer test all ask this one question.
bool hasAddressField(const QString& address);

// The two hexadecimal digits of the address, or "" when it gives no address field.
QString addressField(const QString& address);

// Two's complement of the 8-bit sum of the hexadecimal byte pairs of hexText, as two digits. A last
// single character forms a pair of its own; a pair is read up to its first non-hexadecimal
// character. An empty text gives "00".
QString Lrc(const QString& hexText);

// The data field of a write for an encode kind (compared in upper case): "LG" a number in count
// bytes, "BY" ready hexadecimal text, "TX" text, "ID" an ID record, "IDH" an ID title, "SPT" a
// setpoint record; any other kind gives "". data is a number for "LG" (a text is read with Val)
// and a text for the others (a number is written as its decimal text).
QString encodeWriteData(const QString& kind, int count, const QVariant& data);

// Register write (function "10") of count data bytes starting at register reg.
QString BuildWriteFrame(const QString& address, int reg, int count, bool checksumOn, const QString& kind,
                        const QVariant& data);

// Register read (function "03") of count bytes starting at register reg.
QString BuildReadFrame(const QString& address, int reg, int count, bool checksumOn);

// The frame's register count for a byte count: count / 2, a half going to the even neighbour.
double registerCountOf(int count);
