#pragma once

#include "session/parameterset.h"

#include <QString>

#include <optional>

class GridPage;
struct Session;

// The copies between the grid pages and the parameter-set record. The pages are the working copy
// of the set: the record is filled from them before a save or a send and shows in them after an
// open. The boxes of the window (header lines, ID titles, label text) are copied by ParamsetProcs.

// Parameter page (GridParameters) and the working values beside it to the record's clock text,
// calibration and configuration sections, and back. A step whose cell or value holds no number
// is skipped: its member (or cell) keeps what it held.
void ParametreKaydet(ParameterSet& record, const GridPage& page, Session& session);
void ParametreOku(const ParameterSet& record, GridPage& page, Session& session);

// Setpoint page (columns 1..3) and the three setpoint lists; an empty or zero entry shows as "0".
void SetpointKaydı(ParameterSet& record, const GridPage& page);
void SetpointOku(const ParameterSet& record, GridPage& page);

// Preset-tare page (column 1) and the tare table.
void PDaraKaydı(ParameterSet& record, const GridPage& page);
void PDaraOku(const ParameterSet& record, GridPage& page);

// ID memory page (code in column 1, name in column 2) and the ID tables; names show without their
// trailing blanks, codes as stored.
void idMemoriesToRecord(ParameterSet& record, const GridPage& page);
void idMemoriesFromRecord(const ParameterSet& record, GridPage& page);

// Text padded to width: "SAG" right-aligned, "SOL" left-aligned, "ORTA" centred (half the blanks
// in front, rounded half to even); a text at least as long as width comes back unchanged; an
// unknown mode gives "".
QString AlignText(int width, const QString& text, const QString& mode);

// A ticket line as the record keeps it: aligned to 20 characters and a NUL (a longer line is cut to
// 21 characters and has none).
FixedText<21> ticketLine(const QString& text, bool centred);

// The whole number a text or value holds, rounded half to even and kept as its 32- or 16-bit
// pattern (2147483648 is stored as -2147483648, 65535 as -1); nothing when it holds no number.
std::optional<qint32> Whole32(double value);
std::optional<qint32> Whole32(const QString& text);
std::optional<qint16> Whole16(double value);
