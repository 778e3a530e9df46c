#include "pages/gridlayout.h"

#include "session/session.h"

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

// The parameter page, every row: column 0 as laid out (code in brackets and label), the section
// title in column 1, the kind (H heading, S section, P parameter) and when the row shows (A always,
// N never, Q only on QM2). A label reads as its table and element: "G49" is GridText(49).
struct Row {
    const char* label;
    const char* title;
    char kind;
    char shown;
};
const Row kRows[84] = {
    {"G0", "G1", 'H', 'A'},
    {"[140] G84", "", 'P', 'Q'},
    {"", "G48", 'S', 'A'},
    {"[200] G49", "", 'P', 'A'},
    {"[201] G50", "", 'P', 'A'},
    {"[202] G51", "", 'P', 'A'},
    {"[203] G52", "", 'P', 'A'},
    {"[204] G53", "", 'P', 'A'},
    {"[205] G54", "", 'P', 'A'},
    {"[206] G55", "", 'P', 'A'},
    {"[207] M11", "", 'P', 'A'},
    {"[801] G56", "", 'P', 'A'},
    {"", "G57", 'S', 'A'},
    {"[120] G58", "", 'P', 'A'},
    {"[100] G59", "", 'P', 'Q'},
    {"[131] G60", "", 'P', 'A'},
    {"[132] G61", "", 'P', 'A'},
    {"[133] G62", "", 'P', 'A'},
    {"[101] G64", "", 'P', 'Q'},
    {"[102] G65", "", 'P', 'Q'},
    {"[104] G66", "", 'P', 'Q'},
    {"[103] G67", "", 'P', 'Q'},
    {"[110] G68", "", 'P', 'N'},
    {"[111] G69", "", 'P', 'A'},
    {"[112] G70", "", 'P', 'A'},
    {"[113] G71", "", 'P', 'A'},
    {"[130] G72", "", 'P', 'A'},
    {"[105] M12", "", 'P', 'Q'},
    {"", "G73", 'S', 'A'},
    {"[000] G74", "", 'P', 'A'},
    {"[001] G75", "", 'P', 'A'},
    {"[002] G76", "", 'P', 'A'},
    {"[003] G77", "", 'P', 'A'},
    {"[004] M1", "", 'P', 'A'},
    {"", "G78", 'S', 'A'},
    {"[010] G74", "", 'P', 'A'},
    {"[011] G75", "", 'P', 'A'},
    {"[012] G76", "", 'P', 'A'},
    {"[013] G77", "", 'P', 'A'},
    {"[014] M1", "", 'P', 'A'},
    {"", "G79", 'S', 'A'},
    {"[020] G74", "", 'P', 'A'},
    {"[021] G75", "", 'P', 'A'},
    {"[022] G76", "", 'P', 'A'},
    {"[023] G77", "", 'P', 'A'},
    {"[024] G80", "", 'P', 'A'},
    {"[025] M1", "", 'P', 'A'},
    {"", "G81", 'S', 'A'},
    {"[030] G74", "", 'P', 'A'},
    {"[031] G77", "", 'P', 'A'},
    {"", "G82", 'S', 'A'},
    {"[040] G83", "", 'P', 'A'},
    {"[041] G84", "", 'P', 'Q'},
    {"[042] G85", "", 'P', 'A'},
    {"[043] G86", "", 'P', 'Q'},
    {"[044] G87", "", 'P', 'Q'},
    {"[045] G88", "", 'P', 'A'},
    {"[046] G89", "", 'P', 'A'},
    {"[047] G90", "", 'P', 'A'},
    {"[048] G91", "", 'P', 'A'},
    {"[049] M13", "", 'P', 'A'},
    {"", "G32", 'S', 'A'},
    {"[210] G33", "", 'P', 'N'},
    {"[211] G34", "", 'P', 'N'},
    {"[211] G35", "", 'P', 'N'},
    {"[212] G36", "", 'P', 'N'},
    {"[212] G37", "", 'P', 'N'},
    {"[970] G38", "", 'P', 'A'},
    {"[???] G39", "", 'P', 'N'},
    {"[971]-[972] G40", "", 'P', 'A'},
    {"[973]-[974] G41", "", 'P', 'A'},
    {"[975]-[976] G42", "", 'P', 'A'},
    {"[977]-[978] G43", "", 'P', 'A'},
    {"[800] G44", "", 'P', 'A'},
    {"[???] G45", "", 'P', 'N'},
    {"[300] G46", "", 'P', 'A'},
    {"[300] G47", "", 'P', 'A'},
    {"", "G92", 'S', 'A'},
    {"[410] G93", "", 'P', 'A'},
    {"[420] G94", "", 'P', 'A'},
    {"Barcode Line_2", "", 'P', 'N'},
    {"Barcode Line_3", "", 'P', 'N'},
    {"G95", "", 'P', 'A'},
    {"G96", "", 'P', 'A'},
};

std::set<int> expectedHidden(bool qm2) {
    std::set<int> rows;
    for (int r = 0; r < 84; ++r)
        if (kRows[r].shown == 'N' || (kRows[r].shown == 'Q' && !qm2))
            rows.insert(r);
    return rows;
}

TEST(ParameterLayout, EveryRowAsLaidOutForEachModel) {
    for (const bool qm2 : {false, true}) {
        GridPage g;
        GridDüzen(GridParameters, g, sessionFor(qm2 ? QStringLiteral("QM2") : QStringLiteral("QM1")));
        EXPECT_EQ(hiddenRows(g), expectedHidden(qm2));
        for (int r = 0; r < 84; ++r) {
            SCOPED_TRACE(testing::Message() << "row " << r << (qm2 ? " QM2" : " QM1"));
            const Row& row = kRows[r];
            const QString label = QString::fromLatin1(row.label);
            // Row 1 is labelled only by a layout for QM2.
            EXPECT_EQ(g.TextMatrix(r, 0), r == 1 && !qm2 ? QString() : label);
            EXPECT_EQ(g.TextMatrix(r, 1), QString::fromLatin1(row.title));
            EXPECT_EQ(parameterRowShown(r, qm2), !expectedHidden(qm2).count(r));
            EXPECT_EQ(bracketedParameterCode(r), label.startsWith(u'[') ? label.left(label.indexOf(u"] ") + 1) : "");
            EXPECT_TRUE(g.cellFormat(r, 0).bold);
            for (int c = 0; c < 2; ++c) {
                if (row.kind == 'P') {
                    EXPECT_EQ(g.cellFormat(r, c).backColor, std::nullopt);
                    EXPECT_EQ(g.effectiveAlignment(r, c), GridAlignment::LeftCenter);
                    continue;
                }
                EXPECT_EQ(g.cellFormat(r, c).backColor, kHeadingBackColor);
                EXPECT_EQ(g.cellFormat(r, c).foreColor,
                          row.kind == 'S' ? (GridColor{0, 0, 255}) : (GridColor{0, 0, 0}));
                EXPECT_EQ(g.effectiveAlignment(r, c), GridAlignment::CenterCenter);
            }
        }
    }
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

    // The layout leaves the heading's value cell current.
    EXPECT_EQ(g.Row(), 0);
    EXPECT_EQ(g.Col(), 1);
}

TEST(ParameterLayout, HiddenRowsFollowTheModel) {
    GridPage g;
    GridDüzen(GridParameters, g, sessionFor(QStringLiteral("QM1")));
    EXPECT_EQ(hiddenRows(g), expectedHidden(false));
    EXPECT_EQ(g.TextMatrix(1, 0), ""); // never laid out for QM2: the date row has no label
    EXPECT_EQ(g.RowHeight(3), 280);

    g.setTextMatrix(19, 1, QStringLiteral("42"));
    const auto effects = GridDüzen(GridParameters, g, sessionFor(QStringLiteral("QM2")));
    EXPECT_FALSE(effects.hideDateTimePanel);
    EXPECT_EQ(hiddenRows(g), expectedHidden(true));
    EXPECT_EQ(g.RowHeight(19), 280);
    EXPECT_EQ(g.TextMatrix(1, 0), "[140] G84");
    EXPECT_EQ(g.TextMatrix(1, 0), g.TextMatrix(52, 0).replace(QStringLiteral("[041]"), QStringLiteral("[140]")));

    // Back on QM1 the QM2 rows hide again, keeping their value, and the date row its label.
    GridDüzen(GridParameters, g, sessionFor(QStringLiteral("QM1")));
    EXPECT_EQ(hiddenRows(g), expectedHidden(false));
    EXPECT_EQ(g.TextMatrix(19, 1), "42");
    EXPECT_EQ(g.TextMatrix(1, 0), "[140] G84");

    // Only the exact model name counts as QM2.
    GridDüzen(GridParameters, g, sessionFor(QStringLiteral("qm2")));
    EXPECT_EQ(hiddenRows(g), expectedHidden(false));
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
        const QString expected = kRows[r].kind == 'S' ? g.TextMatrix(r, 1) : QStringLiteral("v%1").arg(r);
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
    EXPECT_EQ(hiddenRows(g), expectedHidden(false));
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
    for (int r = 1; r < 30; ++r) {
        EXPECT_EQ(g.TextMatrix(r, 0), QStringLiteral("G%1").arg(r + 1)) << "row " << r;
        EXPECT_TRUE(g.cellFormat(r, 0).bold) << "row " << r;
    }

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
    EXPECT_EQ(kIdMemoryFirstRow, 3);
    for (int r = 3; r < 102; ++r) {
        EXPECT_EQ(g.TextMatrix(r, 0), QStringLiteral("ID Memory %1").arg(r - 2)) << "row " << r;
        EXPECT_TRUE(g.cellFormat(r, 0).bold) << "row " << r;
    }
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
    for (int r = 1; r < 10; ++r)
        EXPECT_EQ(sp.TextMatrix(r, 0), QStringLiteral("SP Memory %1").arg(r)) << "row " << r;
    EXPECT_TRUE(hiddenRows(sp).empty());
    EXPECT_EQ(sp.Row(), 9);

    GridPage pt;
    GridDüzen(GridPresetTares, pt, sessionFor(QStringLiteral("QM1")));
    EXPECT_EQ(pt.Rows(), 100);
    EXPECT_EQ(pt.Cols(), 2);
    EXPECT_EQ(pt.ColWidth(1), 2500);
    EXPECT_EQ(pt.TextMatrix(0, 1), QString::fromUtf8("P.Dara Ağırlığı"));
    EXPECT_EQ(pt.effectiveAlignment(0, 1), GridAlignment::CenterCenter);
    for (int r = 1; r < 100; ++r)
        EXPECT_EQ(pt.TextMatrix(r, 0), QStringLiteral("P.Dara Memory %1").arg(r)) << "row " << r;
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
