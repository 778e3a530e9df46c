#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// The single-byte code page of every byte that crosses the serial line or a file of the program.
// Positions the code page leaves undefined map to the C1 control of the same number, so any byte
// sequence decodes and encodes back to itself.
namespace cp1254 {

QChar toChar(int code); // code 0..255 (taken modulo 256)
int toCode(QChar c);    // '?' (63) for a character outside the code page
QString decode(const QByteArray& bytes);
QByteArray encode(const QString& text);
bool representable(QChar c);

} // namespace cp1254
