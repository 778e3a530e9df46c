#pragma once

#include "session/session.h"

#include <QString>
#include <QStringView>

#include <functional>

// The capacity/division definition files in the program folder, one per kind of scale. Each line
// is one table row: its leading number is the row (capacity code), and every ";"-closed non-empty
// field fills the next column, column 0 being the capacity entry and columns 1..7 the divisions.

inline constexpr int DefinitionRowCount = 87;   // rows 0..86; the choice lists offer 0..85
inline constexpr int DefinitionColumnCount = 8; // capacity entry and up to seven divisions

inline const QString SGDefinitionFileName = QStringLiteral("SGMetrolojik.txt");
inline const QString MTDefinitionFileName = QStringLiteral("MTMetrolojik.txt");
inline const QString NormalDefinitionFileName = QStringLiteral("Normal.txt");

// Runs between lines while a file is read; the window passes its event dispatch here.
using DefinitionLinePump = std::function<void()>;

// Row number of a line: its leading number (blanks and tabs skipped), 0 when there is none.
double definitionRowOfLine(const QString& line);

// Stores the fields of one line in row `row` (rounded half to even) of `table`. A field that does
// not end in "Kg" gets " Kg" appended; empty fields take no column; text after the last ";" is
// dropped. False when a field cannot be placed: the row is outside 0..86 (or no finite number), or
// the line has a ninth non-empty field. The fields stored before that one stay; the reader of the
// file stops at such a line.
bool parseDefinitionLine(DefinitionTable& table, QStringView line, double row);

// The same for the table named by `mode`: "M1" DefinitionTableM1, "M2" DefinitionTableM2, "N"
// DefinitionTableN; any other mode stores nothing (and is no failure).
bool ParseDefinitionLine(Session& s, QStringView line, double row, QStringView mode);

// Reads a definition file (Windows-1254; lines ended by CR LF, a lone LF or CR also ends a line)
// into `table`, storing over what is there; `betweenLines` runs before each line. A line that
// cannot be placed ends the reading there: the lines before it, and its own fields before the
// failing one, stay. Returns false, leaving the table untouched, when the file cannot be opened.
bool loadDefinitionFile(DefinitionTable& table, const QString& path, const DefinitionLinePump& betweenLines = {});

// The three start-up loaders: AppFolder & file name into DefinitionTableM1, DefinitionTableM2 and
// DefinitionTableN. False when the file is missing or unreadable (start-up goes on regardless).
bool LoadSGDefinitions(Session& s, const DefinitionLinePump& betweenLines = {});
bool LoadMTDefinitions(Session& s, const DefinitionLinePump& betweenLines = {});
bool LoadNormalDefinitions(Session& s, const DefinitionLinePump& betweenLines = {});
