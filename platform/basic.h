#pragma once

#include <QString>

// The classic conversions every device and page routine shares. None of them looks at the host
// locale: "." is the only decimal point they read or write.
namespace basic {

// The number at the start of t: blanks, tabs and line feeds are skipped wherever they stand, "."
// is the decimal point, an exponent ("E"/"D") is read, "&H" followed by hex digits (and "&O" by
// octal digits) is a 16-bit (or, when longer than four digits, 32-bit) two's-complement number.
// Reading stops at the first character that cannot continue the number; no number gives 0.
double Val(const QString& t);

// Whole number nearest to x; halves go to the even neighbour (0.5 -> 0, 1.5 -> 2, 2.5 -> 2).
double roundHalfEven(double x);

// Upper-case hexadecimal digits of x without padding. x is first rounded half to even; a negative
// value gives its two's complement in 32 bits (eight digits).
QString Hex(double x);

// Largest whole number not above x (Int(-2.5) = -3).
double Int(double x);

// Text of a number with at most 15 significant digits, "." as decimal point, no leading blank for
// positive numbers, no trailing zeros ("1.5", "-7", "0.15", "1E+16").
QString Str(double x);

// Value of one hexadecimal digit (either case), -1 for any other character.
int hexDigit(QChar c);

// Hexadecimal digits read from the start of t up to the first other character; 0 when t does not
// begin with one. Used for the byte pairs of frames and answers.
int hexPrefixValue(QStringView t);

// First and last n characters, n characters from the 1-based position p; out-of-range arguments
// are clamped (Mid past the end gives "").
QString Left(const QString& s, int n);
QString Right(const QString& s, int n);
QString Mid(const QString& s, int p, int n = -1);

} // namespace basic
