#pragma once

#include "pages/gridpage.h"

#include <QString>

#include <array>

struct MessageTables;
struct Session;

// The five grid pages, Grid1(0..4), by index.
enum GridIndex : int {
    GridIdMemories = 0,
    GridSetpoints = 1,
    GridParameters = 2,
    GridStatus = 3,
    GridPresetTares = 4,
};
inline constexpr int kGridCount = 5;

// Shape of each grid as its layout sets it. tab is the page of the tab control that shows it.
struct GridSpec {
    int tab;
    int rows;
    int cols;
    std::array<int, 4> colWidths; // twips; only the first cols count
};
inline constexpr std::array<GridSpec, kGridCount> kGridSpecs{{
    {1, 102, 3, {1500, 1500, 5000, 0}},
    {3, 10, 4, {1500, 2000, 2000, 2000}},
    {4, 84, 2, {4000, 4500, 0, 0}},
    {6, 30, 2, {2500, 3000, 0, 0}},
    {2, 100, 2, {2000, 2500, 0, 0}},
}};

inline constexpr int kShownRowHeight = 280; // twips; a hidden row has height 0
inline constexpr GridColor kHeadingBackColor{177, 197, 241};
inline constexpr GridColor kHeadingForeColor{0, 0, 0};
inline constexpr GridColor kSectionForeColor{0, 0, 255};

// ---- Parameter page (GridParameters): the fixed row table every reader and writer keys on ----

enum class GridRowKind { Heading, Section, Parameter };
enum class GridRowShown { Always, Never, QM2Only };
enum class LabelTable { None, GridText, MsgText, Fixed };

struct ParameterRow {
    const char* code;      // "101", "971]-[972", "???"; nullptr for rows without a code
    LabelTable table;      // where the label comes from
    int element;           // element of GridText/MsgText
    const char* fixedText; // label of LabelTable::Fixed rows
    GridRowKind kind;
    GridRowShown shown;
};
inline constexpr int kParameterRowCount = 84;
extern const std::array<ParameterRow, kParameterRowCount> kParameterRows;

// Row r of the table, or nullptr outside 0..83.
const ParameterRow* parameterRow(int row);
// The code text of a row ("101", "971]-[972", "???"), "" for rows without one.
QString parameterCode(int row);
// The code as column 0 shows it: "[101]", "[971]-[972]", "[???]"; "" for rows without one.
QString bracketedParameterCode(int row);
// The row's label (section title for section rows) without its code, from the current texts.
QString parameterRowLabel(int row, const MessageTables& messages);
// Whether the layout shows the row for the given model.
bool parameterRowShown(int row, bool qm2);

// ---- Status page (GridStatus) ----
inline constexpr int kStatusSectionRow = 22;
inline constexpr std::array<int, 5> kStatusNeverShownRows{19, 20, 21, 23, 24};
inline constexpr int kStatusQM2OnlyRow = 11;

// ---- Memory pages ----
inline constexpr int kIdMemoryFirstRow = 3; // ID memory k (1..99) is row k + 2; rows 1, 2 are "ID 1", "ID 2"

// What a layout asks of controls outside its grid.
struct GridLayoutEffects {
    bool hideDateTimePanel = false; // the parameter page's date/time panel, unless the model is QM2
};

// Gives grid n (0..4, any other n changes nothing) its fixed layout: row and column counts, column
// widths and alignment, headings, row labels (with parameter codes), section rows, hidden rows and
// their look, using the model and message texts of the session as they stand. Values in the value
// columns stay, except the section titles in column 1 of the parameter page. The current cell is
// left at the last cell formatted, as the editors expect. Call it after a language load, when the
// model changes and after clearing a page.
GridLayoutEffects GridDüzen(int n, GridPage& grid, const Session& s);
