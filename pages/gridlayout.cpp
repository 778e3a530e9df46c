#include "pages/gridlayout.h"

#include "session/messagetables.h"
#include "session/session.h"

namespace {

using K = GridRowKind;
using S = GridRowShown;
using L = LabelTable;

constexpr ParameterRow heading() {
    return {nullptr, L::GridText, 0, nullptr, K::Heading, S::Always};
}
constexpr ParameterRow section(int gridText) {
    return {nullptr, L::GridText, gridText, nullptr, K::Section, S::Always};
}
constexpr ParameterRow param(const char* code, int gridText, S shown = S::Always) {
    return {code, L::GridText, gridText, nullptr, K::Parameter, shown};
}
constexpr ParameterRow paramMsg(const char* code, int msgText, S shown = S::Always) {
    return {code, L::MsgText, msgText, nullptr, K::Parameter, shown};
}
constexpr ParameterRow fixed(const char* text, S shown) {
    return {nullptr, L::Fixed, 0, text, K::Parameter, shown};
}

} // namespace

const std::array<ParameterRow, kParameterRowCount> kParameterRows{{
    heading(),                         // 0
    param("140", 84, S::QM2Only),      // 1  date and time; labelled only on QM2
    section(48),                       // 2
    param("200", 49),                  // 3
    param("201", 50),                  // 4
    param("202", 51),                  // 5
    param("203", 52),                  // 6
    param("204", 53),                  // 7
    param("205", 54),                  // 8
    param("206", 55),                  // 9
    paramMsg("207", 11),               // 10
    param("801", 56),                  // 11
    section(57),                       // 12
    param("120", 58),                  // 13
    param("100", 59, S::QM2Only),      // 14
    param("131", 60),                  // 15
    param("132", 61),                  // 16
    param("133", 62),                  // 17
    param("101", 64, S::QM2Only),      // 18
    param("102", 65, S::QM2Only),      // 19
    param("104", 66, S::QM2Only),      // 20
    param("103", 67, S::QM2Only),      // 21
    param("110", 68, S::Never),        // 22
    param("111", 69),                  // 23
    param("112", 70),                  // 24
    param("113", 71),                  // 25
    param("130", 72),                  // 26
    paramMsg("105", 12, S::QM2Only),   // 27
    section(73),                       // 28  serial port A
    param("000", 74),                  // 29
    param("001", 75),                  // 30
    param("002", 76),                  // 31
    param("003", 77),                  // 32
    paramMsg("004", 1),                // 33
    section(78),                       // 34  serial port B
    param("010", 74),                  // 35
    param("011", 75),                  // 36
    param("012", 76),                  // 37
    param("013", 77),                  // 38
    paramMsg("014", 1),                // 39
    section(79),                       // 40  serial port C
    param("020", 74),                  // 41
    param("021", 75),                  // 42
    param("022", 76),                  // 43
    param("023", 77),                  // 44
    param("024", 80),                  // 45
    paramMsg("025", 1),                // 46
    section(81),                       // 47  serial port D
    param("030", 74),                  // 48
    param("031", 77),                  // 49
    section(82),                       // 50
    param("040", 83),                  // 51
    param("041", 84, S::QM2Only),      // 52
    param("042", 85),                  // 53
    param("043", 86, S::QM2Only),      // 54
    param("044", 87, S::QM2Only),      // 55
    param("045", 88),                  // 56
    param("046", 89),                  // 57
    param("047", 90),                  // 58
    param("048", 91),                  // 59
    paramMsg("049", 13),               // 60
    section(32),                       // 61  calibration block
    param("210", 33, S::Never),        // 62
    param("211", 34, S::Never),        // 63
    param("211", 35, S::Never),        // 64
    param("212", 36, S::Never),        // 65
    param("212", 37, S::Never),        // 66
    param("970", 38),                  // 67
    param("???", 39, S::Never),        // 68
    param("971]-[972", 40),            // 69
    param("973]-[974", 41),            // 70
    param("975]-[976", 42),            // 71
    param("977]-[978", 43),            // 72
    param("800", 44),                  // 73
    param("???", 45, S::Never),        // 74
    param("300", 46),                  // 75
    param("300", 47),                  // 76
    section(92),                       // 77
    param("410", 93),                  // 78
    param("420", 94),                  // 79
    fixed("Barcode Line_2", S::Never), // 80
    fixed("Barcode Line_3", S::Never), // 81
    param(nullptr, 95),                // 82
    param(nullptr, 96),                // 83
}};

const ParameterRow* parameterRow(int row) {
    return (row >= 0 && row < kParameterRowCount) ? &kParameterRows[row] : nullptr;
}

QString parameterCode(int row) {
    const ParameterRow* p = parameterRow(row);
    return (p && p->code) ? QString::fromLatin1(p->code) : QString();
}

QString bracketedParameterCode(int row) {
    const QString code = parameterCode(row);
    return code.isEmpty() ? QString() : QLatin1Char('[') + code + QLatin1Char(']');
}

QString parameterRowLabel(int row, const MessageTables& messages) {
    const ParameterRow* p = parameterRow(row);
    if (!p)
        return {};
    switch (p->table) {
    case LabelTable::GridText:
        return MessageTables::at(messages.GridText, p->element);
    case LabelTable::MsgText:
        return MessageTables::at(messages.MsgText, p->element);
    case LabelTable::Fixed:
        return QString::fromLatin1(p->fixedText);
    case LabelTable::None:
        break;
    }
    return {};
}

bool parameterRowShown(int row, bool qm2) {
    const ParameterRow* p = parameterRow(row);
    if (!p)
        return false;
    return p->shown == GridRowShown::Always || (p->shown == GridRowShown::QM2Only && qm2);
}

namespace {

void setShape(GridPage& g, const GridSpec& shape) {
    g.setRows(shape.rows);
    g.setCols(shape.cols);
    g.setFixedRows(1);
    g.setFixedCols(0);
    for (int c = 0; c < shape.cols; ++c) {
        g.setColWidth(c, shape.colWidths[c]);
        g.setColAlignment(c, GridAlignment::LeftCenter);
    }
}

// Background, alignment and text colour of a heading or section cell.
void styleCell(GridPage& g, int row, int col, GridColor fore) {
    g.setCellBackColor(row, col, kHeadingBackColor);
    g.setCellAlignment(row, col, GridAlignment::CenterCenter);
    g.setCellForeColor(row, col, fore);
}

void setHeading(GridPage& g, const std::array<QString, 4>& texts, bool centred) {
    for (int c = 0; c < g.Cols(); ++c) {
        g.setTextMatrix(0, c, texts[c]);
        g.setCellFontBold(0, c, true);
        if (centred)
            g.setCellAlignment(0, c, GridAlignment::CenterCenter);
    }
}

// One labelled memory row: label in column 0 in bold, shown.
void memoryRow(GridPage& g, int row, const QString& label) {
    g.setTextMatrix(row, 0, label);
    g.setRowHeight(row, kShownRowHeight);
    g.setCellFontBold(row, 0, true);
}

void layoutIdMemories(GridPage& g, const MessageTables& m) {
    const auto& head = m.GridHeadText;
    setHeading(g, {MessageTables::at(head, 0), MessageTables::at(head, 1), MessageTables::at(head, 2), {}}, true);
    // "ID 1" and "ID 2" are edited in their own boxes beside the grid, so their rows stay hidden.
    g.setTextMatrix(1, 0, QStringLiteral("ID 1"));
    g.setTextMatrix(2, 0, QStringLiteral("ID 2"));
    g.setCellFontBold(1, 0, true);
    g.setCellFontBold(2, 0, true);
    g.setRowHeight(0, kShownRowHeight);
    g.setRowHeight(1, 0);
    g.setRowHeight(2, 0);
    for (int row = kIdMemoryFirstRow; row < g.Rows(); ++row)
        memoryRow(g, row, QStringLiteral("ID Memory ") + QString::number(row - 2));
    g.setRow(g.Rows() - 1);
    g.setCol(0);
}

void layoutSetpoints(GridPage& g, const MessageTables& m) {
    setHeading(g,
               {MessageTables::at(m.GridHeadText, 0), QStringLiteral("Setpoint - 1"), QStringLiteral("Setpoint - 2"),
                QStringLiteral("Setpoint - 3")},
               false);
    for (int row = 1; row < g.Rows(); ++row)
        memoryRow(g, row, QStringLiteral("SP Memory ") + QString::number(row));
    g.setRow(g.Rows() - 1);
    g.setCol(0);
}

void layoutPresetTares(GridPage& g, const MessageTables& m) {
    setHeading(g, {MessageTables::at(m.GridHeadText, 0), QStringLiteral("P.Dara Ağırlığı"), {}, {}}, true);
    for (int row = 1; row < g.Rows(); ++row)
        memoryRow(g, row, QStringLiteral("P.Dara Memory ") + QString::number(row));
    g.setRow(g.Rows() - 1);
    g.setCol(0);
}

bool layoutParameters(GridPage& g, const MessageTables& m, bool qm2) {
    setHeading(g, {MessageTables::at(m.GridText, 0), MessageTables::at(m.GridText, 1), {}, {}}, false);
    g.setRowHeight(0, kShownRowHeight);
    // Row 1 keeps whatever label it had on other models: only QM2 has the date and time row.
    if (qm2)
        g.setTextMatrix(1, 0, bracketedParameterCode(1) + QLatin1Char(' ') + parameterRowLabel(1, m));
    for (int row = 2; row < kParameterRowCount; ++row) {
        const ParameterRow& p = kParameterRows[row];
        const QString label = parameterRowLabel(row, m);
        if (p.kind == GridRowKind::Section)
            g.setTextMatrix(row, 1, label);
        else if (p.code)
            g.setTextMatrix(row, 0, bracketedParameterCode(row) + QLatin1Char(' ') + label);
        else
            g.setTextMatrix(row, 0, label);
    }
    // Show every row first, so a change of model brings back rows an earlier layout hid.
    for (int row = 0; row < g.Rows(); ++row) {
        g.setRowHeight(row, kShownRowHeight);
        g.setCellFontBold(row, 0, true);
    }
    for (int row = 0; row < kParameterRowCount; ++row)
        if (kParameterRows[row].shown == GridRowShown::Never)
            g.setRowHeight(row, 0);
    for (int row = 0; row < kParameterRowCount; ++row) {
        if (kParameterRows[row].kind != GridRowKind::Section)
            continue;
        styleCell(g, row, 0, kSectionForeColor);
        styleCell(g, row, 1, kSectionForeColor);
    }
    styleCell(g, 0, 0, kHeadingForeColor);
    styleCell(g, 0, 1, kHeadingForeColor);
    g.setRow(0);
    g.setCol(1);
    if (qm2)
        return false;
    for (int row = 0; row < kParameterRowCount; ++row)
        if (kParameterRows[row].shown == GridRowShown::QM2Only)
            g.setRowHeight(row, 0);
    return true;
}

void layoutStatus(GridPage& g, const MessageTables& m, bool qm2) {
    setHeading(g, {MessageTables::at(m.GridText, 0), MessageTables::at(m.GridText, 1), {}, {}}, false);
    g.setRowHeight(0, kShownRowHeight);
    for (int row = 1; row < g.Rows(); ++row)
        g.setTextMatrix(row, 0, MessageTables::at(m.GridText, row + 1));
    for (int row = 0; row < g.Rows(); ++row) {
        g.setRowHeight(row, kShownRowHeight);
        g.setCellFontBold(row, 0, true);
    }
    styleCell(g, kStatusSectionRow, 0, kSectionForeColor);
    styleCell(g, kStatusSectionRow, 1, kSectionForeColor);
    g.setRow(kStatusSectionRow);
    g.setCol(1);
    for (int row : kStatusNeverShownRows)
        g.setRowHeight(row, 0);
    if (!qm2)
        g.setRowHeight(kStatusQM2OnlyRow, 0);
}

} // namespace

GridLayoutEffects GridDüzen(int n, GridPage& grid, const Session& s) {
    GridLayoutEffects effects;
    if (n < 0 || n >= kGridCount)
        return effects;
    const bool qm2 = s.isQM2();
    GridPage::Batch batch(grid);
    setShape(grid, kGridSpecs[n]);
    switch (n) {
    case GridIdMemories:
        layoutIdMemories(grid, s.messages);
        break;
    case GridSetpoints:
        layoutSetpoints(grid, s.messages);
        break;
    case GridParameters:
        effects.hideDateTimePanel = layoutParameters(grid, s.messages, qm2);
        break;
    case GridStatus:
        layoutStatus(grid, s.messages, qm2);
        break;
    case GridPresetTares:
        layoutPresetTares(grid, s.messages);
        break;
    }
    return effects;
}
