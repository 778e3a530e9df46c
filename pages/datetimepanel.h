#pragma once

#include <QDate>
#include <QString>

#include <array>

// The six two-digit boxes of the date/time panel (day, month, year, hour, minute, second) and the
// row-1 cell text they come from and go back to: dd-MM-yy \ hh:mm:ss.
using ClockBoxes = std::array<QString, 6>;

// The boxes cut from a cell text (day at 1, month at 4, year at 7, hour at 12, minute at 15, second
// at 18, two characters each); a shorter text gives shorter or empty pieces.
ClockBoxes clockBoxesFromCell(const QString& cell);
// Today's date as the boxes show it when the cell is empty: day and month without a leading zero,
// the last two digits of the year, and "00" for the time.
ClockBoxes clockBoxesForToday(const QDate& today);
// Whether the boxes hold a date and time the indicator's clock can take: digits only, a day that
// exists in its month (the year counts from 2000), month 1-12, year 01-99, hours 0-23, minutes and
// seconds 0-59. An empty time box counts as 0.
bool clockBoxesValid(const ClockBoxes& boxes);
// The cell text: each box as two digits ("00" when empty), date joined by "-", " \ ", time by ":".
QString clockCellText(const ClockBoxes& boxes);
