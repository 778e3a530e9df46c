#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct MessageTables;

// The fixed rules of the parameter page's two cell editors: which editor a row gets, the choice
// lists, the typing limits, the row moves of the keyboard and the value rules of the text rows.
// Row numbers are rows of the parameter page.

// What the placement puts over column 1 of a row.
enum class ParamEditorKind {
    Untouched,     // the heading and the never-shown barcode rows: the previous editor stays
    DateTime,      // row 1: no editor, the date/time panel opens on a double click
    None,          // sections, calibration rows, device rows: both editors hidden
    NoneHidePanel, // row 11: both editors and the date/time panel hidden
    Choice,        // the choice box with the row's list
    Text,          // the text box with the row's limit
};
ParamEditorKind parameterEditorKind(int row);

// The items of a choice row in list order; conditional items appear only while their condition
// holds. Empty for rows that are not choice rows.
QStringList parameterChoiceItems(int row, const MessageTables& texts, bool qm2, bool configFlag0);

// The list position a cell's text selects, before the bounds check (row 13 reads two digits,
// rows 51 and 60 count their codes from 1).
int parameterChoicePosition(int row, const QString& cellText);

// The typing limit the placement sets, or nothing where it leaves the limit as it was.
std::optional<int> placementMaxLength(int row);

// Rows 18, 20 and 56 carry a decimal value whose raw integer stands in ValueArray 0..2.
bool isDecimalRow(int row);
int decimalRowIndex(int row); // 0, 1, 2; -1 for any other row

// Rows whose value is a whole number stored in a field of the device: the largest value the field
// holds (255 for a byte, 65535 for a 16-bit word). Nothing for other rows.
std::optional<int> wholeNumberRowMaximum(int row);

// ---- Row moves ----

enum class ParamMove {
    ComboNext,         // Enter in the choice box
    ComboPrevious,     // Shift+Enter in the choice box
    TextNext,          // Enter or Down in the text box
    TextUp,            // Up in the text box
    TextShiftPrevious, // Shift+Enter or Shift+Down in the text box
};

// The row a move from `row` reaches (one step, then the skip over section rows and rows of the
// other model), or nothing when the move would leave rows 1..lastRow (the editor beeps).
std::optional<int> parameterMoveTarget(int row, ParamMove move, bool qm2, int lastRow = 83);

// ---- Value rules of the text box ----

// The decimal factor 10^d of the decimal rows, d = the number of decimals of the division.
double decimalFactor(const QString& divisionDecimals);

// Decimals after the first "." or "," of a text.
int decimalsOf(const QString& text);
