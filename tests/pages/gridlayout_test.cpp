#include "pages/gridlayout.h"

#include "app/session.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Every message element reads as its table and number, so a label shows where it came from.
Session sessionFor(const QString& model, const QString& language = QStringLiteral("")) {
    Session s;
    s.ModelName = model;
    auto fill = [&](QVector<QString>& table, const char* name) {
        for (int k = 0; k < table.size(); ++k)
            table[k] = language + QLatin1String(name) + QString::number(k);
    };
    fill(s.messages.GridHeadText, "H");
    fill(s.messages.GridText, "G");
    fill(s.messages.MsgText, "M");
    return s;
}

std::set<int> hiddenRows(const GridPage& g) {
    std::set<int> rows;
    for (int r = 0; r < g.Rows(); ++r)
        if (g.isRowHidden(r))
            rows.insert(r);
    return rows;
}

const std::set<int> kNeverShown{22, 62, 63, 64, 65, 66, 68, 74, 80, 81};
const std::set<int> kQM2Only{1, 14, 18, 19, 20, 21, 27, 52, 54, 55};
const std::set<int> kSections{2, 12, 28, 34, 40, 47, 50, 61, 77};

std::set<int> unite(std::set<int> a, const std::set<int>& b) {
    a.insert(b.begin(), b.end());
    return a;
}

TEST(ParameterLayout, ShapeHeadingAndLabelsWithCodes) {
    GridPage g;
    const auto effects = GridDüzen(GridParameters, g, sessionFor(QStringLiteral("QM1")));
    EXPECT_TRUE(effects.hideDateTimePanel);

    EXPECT_EQ(g.Rows(), 84);
    EXPECT_EQ(g.Cols(), 2);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.FixedCols(), 0);
    EXPECT_EQ(g.ColWidth(0), 4000);
    EXPECT_EQ(g.ColWidth(1), 4500);
    EXPECT_EQ(g.ColAlignment(1), GridAlignment::LeftCenter);

    EXPECT_EQ(g.TextMatrix(0, 0), "G0");
    EXPECT_EQ(g.TextMatrix(0, 1), "G1");
    for (int c = 0; c < 2; ++c) {
        const CellFormat f = g.cellFormat(0, c);
        EXPECT_TRUE(f.bold);
        EXPECT_EQ(f.backColor, kHeadingBackColor);
        EXPECT_EQ(f.foreColor, (GridColor{0, 0, 0}));
        EXPECT_EQ(f.alignment, GridAlignment::CenterCenter);
    }

    const std::pair<int, const char*> labels[] = {
        {3, "[200] G49"},
        {10, "[207] M11"},
        {11, "[801] G56"},
        {13, "[120] G58"},
        {17, "[133] G62"},
        {18, "[101] G64"},
        {22, "[110] G68"},
        {27, "[105] M12"},
        {29, "[000] G74"},
        {33, "[004] M1"},
        {35, "[010] G74"},
        {39, "[014] M1"},
        {45, "[024] G80"},
        {46, "[025] M1"},
        {48, "[030] G74"},
        {49, "[031] G77"},
        {51, "[040] G83"},
        {52, "[041] G84"},
        {60, "[049] M13"},
        {62, "[210] G33"},
        {63, "[211] G34"},
        {64, "[211] G35"},
        {65, "[212] G36"},
        {66, "[212] G37"},
        {67, "[970] G38"},
        {68, "[???] G39"},
        {69, "[971]-[972] G40"},
        {70, "[973]-[974] G41"},
        {71, "[975]-[976] G42"},
        {72, "[977]-[978] G43"},
        {73, "[800] G44"},
        {74, "[???] G45"},
        {75, "[300] G46"},
        {76, "[300] G47"},
        {78, "[410] G93"},
        {79, "[420] G94"},
        {80, "Barcode Line_2"},
        {81, "Barcode Line_3"},
        {82, "G95"},
        {83, "G96"},
    };
    for (const auto& [row, label] : labels)
        EXPECT_EQ(g.TextMatrix(row, 0), QString::fromUtf8(label)) << "row " << row;

    // Every labelled row has its column-0 cell in bold, hidden ones too.
    for (int r = 0; r < 84; ++r)
        EXPECT_TRUE(g.cellFormat(r, 0).bold) << "row " << r;
    EXPECT_FALSE(g.cellFormat(3, 1).bold);

    // The layout leaves the heading's value cell current.
    EXPECT_EQ(g.Row(), 0);
    EXPECT_EQ(g.Col(), 1);
}

TEST(ParameterLayout, SectionRowsCarryTheirTitleInColumnOne) {
    GridPage g;
    GridDüzen(GridParameters, g, sessionFor(QStringLiteral("QM1")));
    const std::pair<int, const char*> titles[] = {{2, "G48"},  {12, "G57"}, {28, "G73"}, {34, "G78"}, {40, "G79"},
                                                  {47, "G81"}, {50, "G82"}, {61, "G32"}, {77, "G92"}};
    for (const auto& [row, title] : titles) {
        EXPECT_EQ(g.TextMatrix(row, 0), "") << "row " << row;
        EXPECT_EQ(g.TextMatrix(row, 1), title) << "row " << row;
        for (int c = 0; c < 2; ++c) {
            EXPECT_EQ(g.cellFormat(row, c).backColor, kHeadingBackColor);
            EXPECT_EQ(g.cellFormat(row, c).foreColor, (GridColor{0, 0, 255}));
            EXPECT_EQ(g.effectiveAlignment(row, c), GridAlignment::CenterCenter);
        }
    }
    EXPECT_EQ(g.cellFormat(3, 1).backColor, std::nullopt);
    EXPECT_EQ(g.effectiveAlignment(3, 1), GridAlignment::LeftCenter);
}

TEST(ParameterLayout, HiddenRowsFollowTheModel) {
    GridPage g;
    GridDüzen(GridParameters, g, sessionFor(QStringLiteral("QM1")));
    EXPECT_EQ(hiddenRows(g), unite(kNeverShown, kQM2Only));
    EXPECT_EQ(g.TextMatrix(1, 0), ""); // never laid out for QM2: the date row has no label
    EXPECT_EQ(g.RowHeight(3), 280);

    g.setTextMatrix(19, 1, QStringLiteral("42"));
    const auto effects = GridDüzen(GridParameters, g, sessionFor(QStringLiteral("QM2")));
    EXPECT_FALSE(effects.hideDateTimePanel);
    EXPECT_EQ(hiddenRows(g), kNeverShown);
    EXPECT_EQ(g.RowHeight(19), 280);
    EXPECT_EQ(g.TextMatrix(1, 0), "[140] G84");
    EXPECT_EQ(g.TextMatrix(1, 0), g.TextMatrix(52, 0).replace(QStringLiteral("[041]"), QStringLiteral("[140]")));

    // Back on QM1 the QM2 rows hide again, keeping their value, and the date row its label.
    GridDüzen(GridParameters, g, sessionFor(QStringLiteral("QM1")));
    EXPECT_EQ(hiddenRows(g), unite(kNeverShown, kQM2Only));
    EXPECT_EQ(g.TextMatrix(19, 1), "42");
    EXPECT_EQ(g.TextMatrix(1, 0), "[140] G84");

    // Only the exact model name counts as QM2.
    GridDüzen(GridParameters, g, sessionFor(QStringLiteral("qm2")));
    EXPECT_EQ(hiddenRows(g), unite(kNeverShown, kQM2Only));
}

TEST(ParameterLayout, RowTableAgreesWithTheLayout) {
    for (int r = 0; r < kParameterRowCount; ++r) {
        const ParameterRow& p = kParameterRows[r];
        EXPECT_EQ(p.kind == GridRowKind::Section, kSections.count(r) == 1) << "row " << r;
        EXPECT_EQ(parameterRowShown(r, false), !kNeverShown.count(r) && !kQM2Only.count(r)) << "row " << r;
        EXPECT_EQ(parameterRowShown(r, true), !kNeverShown.count(r)) << "row " << r;
    }
    EXPECT_EQ(parameterCode(3), "200");
    EXPECT_EQ(parameterCode(29), "000");
    EXPECT_EQ(parameterCode(69), "971]-[972");
    EXPECT_EQ(bracketedParameterCode(72), "[977]-[978]");
    EXPECT_EQ(bracketedParameterCode(68), "[???]");
    for (int r : {0, 2, 61, 80, 81, 82, 83, -1, 84})
        EXPECT_EQ(parameterCode(r), "") << "row " << r;
    EXPECT_EQ(parameterRow(84), nullptr);
    EXPECT_FALSE(parameterRowShown(84, true));
}

TEST(ParameterLayout, RelayoutKeepsValuesAndRelabels) {
    GridPage g;
    GridDüzen(GridParameters, g, sessionFor(QStringLiteral("QM2")));
    for (int r = 1; r < 84; ++r)
        g.setTextMatrix(r, 1, QStringLiteral("v%1").arg(r));

    GridDüzen(GridParameters, g, sessionFor(QStringLiteral("QM2"), QStringLiteral("tr-")));

    EXPECT_EQ(g.TextMatrix(0, 0), "tr-G0");
    EXPECT_EQ(g.TextMatrix(3, 0), "[200] tr-G49");
    EXPECT_EQ(g.TextMatrix(80, 0), "Barcode Line_2");
    for (int r = 1; r < 84; ++r) {
        const QString expected = kSections.count(r) ? g.TextMatrix(r, 1) : QStringLiteral("v%1").arg(r);
        EXPECT_EQ(g.TextMatrix(r, 1), expected) << "row " << r;
    }
    EXPECT_EQ(g.TextMatrix(2, 1), "tr-G48");
}

TEST(ParameterLayout, MissingTextsLeaveTheCode) {
    GridPage g;
    Session s;
    s.ModelName = QStringLiteral("QM2");
    GridDüzen(GridParameters, g, s);
    EXPECT_EQ(g.TextMatrix(3, 0), "[200] ");
    EXPECT_EQ(g.TextMatrix(82, 0), "");
}

TEST(ParameterLayout, ClearThenLayoutLeavesOnlyTheFixedPage) {
    GridPage g;
    const Session s = sessionFor(QStringLiteral("QM1"));
    GridDüzen(GridParameters, g, s);
    g.setTextMatrix(3, 1, QStringLiteral("1- x"));
    g.setCellBackColor(3, 1, GridColor{9, 9, 9});

    g.Clear();
    GridDüzen(GridParameters, g, s);

    EXPECT_EQ(g.TextMatrix(3, 1), "");
    EXPECT_EQ(g.cellFormat(3, 1), CellFormat());
    EXPECT_EQ(g.TextMatrix(3, 0), "[200] G49");
    EXPECT_EQ(g.TextMatrix(2, 1), "G48");
    EXPECT_EQ(hiddenRows(g), unite(kNeverShown, kQM2Only));
}

TEST(ParameterLayout, RowPositionsPassOverHiddenRows) {
    GridPage g;
    GridDüzen(GridParameters, g, sessionFor(QStringLiteral("QM1")));
    // Row 1 is hidden on QM1, so the first section row stands right under the heading.
    EXPECT_EQ(g.RowPos(1), 280);
    EXPECT_EQ(g.RowPos(2), 280);
    EXPECT_EQ(g.RowPos(3), 560);
    // Rows 18 to 22 are all hidden: they stand where row 23 starts.
    EXPECT_EQ(g.RowPos(18), g.RowPos(23));
    EXPECT_EQ(g.RowPos(22), g.RowPos(23));
    EXPECT_EQ(g.RowPos(23), g.RowPos(17) + 280);

    g.setTopRow(23);
    EXPECT_EQ(g.RowPos(23), 280);
    EXPECT_EQ(g.RowPos(22), 280);
    EXPECT_EQ(g.RowPos(17), 0); // the last shown row above the view sits behind the heading
    EXPECT_EQ(g.RowPos(16), -280);
}

TEST(StatusLayout, LabelsSectionAndHiddenRows) {
    GridPage g;
    GridDüzen(GridStatus, g, sessionFor(QStringLiteral("QM1")));
    EXPECT_EQ(g.Rows(), 30);
    EXPECT_EQ(g.Cols(), 2);
    EXPECT_EQ(g.ColWidth(0), 2500);
    EXPECT_EQ(g.ColWidth(1), 3000);
    EXPECT_EQ(g.TextMatrix(0, 0), "G0");
    EXPECT_EQ(g.TextMatrix(0, 1), "G1");
    EXPECT_TRUE(g.cellFormat(0, 1).bold);
    EXPECT_EQ(g.TextMatrix(1, 0), "G2");
    EXPECT_EQ(g.TextMatrix(29, 0), "G30");
    EXPECT_TRUE(g.cellFormat(29, 0).bold);

    // The section title stands in column 0 here.
    EXPECT_EQ(g.TextMatrix(22, 0), "G23");
    EXPECT_EQ(g.TextMatrix(22, 1), "");
    EXPECT_EQ(g.cellFormat(22, 1).backColor, kHeadingBackColor);
    EXPECT_EQ(g.cellFormat(22, 0).foreColor, (GridColor{0, 0, 255}));
    EXPECT_EQ(g.effectiveAlignment(22, 0), GridAlignment::CenterCenter);
    EXPECT_EQ(g.effectiveAlignment(21, 0), GridAlignment::LeftCenter);
    EXPECT_EQ(g.Row(), 22);
    EXPECT_EQ(g.Col(), 1);

    EXPECT_EQ(hiddenRows(g), (std::set<int>{11, 19, 20, 21, 23, 24}));
    GridDüzen(GridStatus, g, sessionFor(QStringLiteral("QM2")));
    EXPECT_EQ(hiddenRows(g), (std::set<int>{19, 20, 21, 23, 24}));
}

TEST(MemoryLayouts, IdMemories) {
    GridPage g;
    GridDüzen(GridIdMemories, g, sessionFor(QStringLiteral("QM1")));
    EXPECT_EQ(g.Rows(), 102);
    EXPECT_EQ(g.Cols(), 3);
    EXPECT_EQ(g.ColWidth(2), 5000);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(g.TextMatrix(0, c), QStringLiteral("H%1").arg(c));
        EXPECT_TRUE(g.cellFormat(0, c).bold);
        EXPECT_EQ(g.effectiveAlignment(0, c), GridAlignment::CenterCenter);
    }
    EXPECT_EQ(g.effectiveAlignment(5, 1), GridAlignment::LeftCenter);
    EXPECT_EQ(g.TextMatrix(1, 0), "ID 1");
    EXPECT_EQ(g.TextMatrix(2, 0), "ID 2");
    EXPECT_EQ(hiddenRows(g), (std::set<int>{1, 2}));
    EXPECT_EQ(g.TextMatrix(kIdMemoryFirstRow, 0), "ID Memory 1");
    EXPECT_EQ(g.TextMatrix(101, 0), "ID Memory 99");
    EXPECT_TRUE(g.cellFormat(101, 0).bold);
    EXPECT_EQ(g.Row(), 101);
    EXPECT_EQ(g.Col(), 0);
}

TEST(MemoryLayouts, SetpointsAndPresetTares) {
    GridPage sp;
    GridDüzen(GridSetpoints, sp, sessionFor(QStringLiteral("QM1")));
    EXPECT_EQ(sp.Rows(), 10);
    EXPECT_EQ(sp.Cols(), 4);
    EXPECT_EQ(sp.ColWidth(0), 1500);
    EXPECT_EQ(sp.ColWidth(3), 2000);
    EXPECT_EQ(sp.TextMatrix(0, 0), "H0");
    EXPECT_EQ(sp.TextMatrix(0, 3), "Setpoint - 3");
    EXPECT_EQ(sp.effectiveAlignment(0, 1), GridAlignment::LeftCenter);
    EXPECT_EQ(sp.TextMatrix(1, 0), "SP Memory 1");
    EXPECT_EQ(sp.TextMatrix(9, 0), "SP Memory 9");
    EXPECT_TRUE(hiddenRows(sp).empty());
    EXPECT_EQ(sp.Row(), 9);

    GridPage pt;
    GridDüzen(GridPresetTares, pt, sessionFor(QStringLiteral("QM1")));
    EXPECT_EQ(pt.Rows(), 100);
    EXPECT_EQ(pt.Cols(), 2);
    EXPECT_EQ(pt.ColWidth(1), 2500);
    EXPECT_EQ(pt.TextMatrix(0, 1), QString::fromUtf8("P.Dara Ağırlığı"));
    EXPECT_EQ(pt.effectiveAlignment(0, 1), GridAlignment::CenterCenter);
    EXPECT_EQ(pt.TextMatrix(99, 0), "P.Dara Memory 99");
    EXPECT_TRUE(hiddenRows(pt).empty());
    EXPECT_EQ(pt.Row(), 99);
}

TEST(GridLayout, UnknownGridChangesNothingAndOneLayoutIsOneNotification) {
    GridPage g;
    int notifications = 0;
    g.subscribe([&](const GridChange&) { ++notifications; });
    const quint64 revision = g.revision();
    for (int n : {-1, 5})
        EXPECT_FALSE(GridDüzen(n, g, sessionFor(QStringLiteral("QM1"))).hideDateTimePanel);
    EXPECT_EQ(g.revision(), revision);
    EXPECT_EQ(g.Rows(), 0);

    GridDüzen(GridParameters, g, sessionFor(QStringLiteral("QM1")));
    EXPECT_EQ(notifications, 1);
}

} // namespace
