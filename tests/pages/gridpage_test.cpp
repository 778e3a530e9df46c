#include "pages/gridpage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

GridPage makeGrid(int rows, int cols) {
    GridPage g;
    g.setRows(rows);
    g.setCols(cols);
    g.setFixedRows(1);
    return g;
}

TEST(GridPage, ResizingKeepsCellsThatStayAndDefaultsNewOnes) {
    GridPage g = makeGrid(3, 2);
    g.setTextMatrix(1, 1, QStringLiteral("kept"));
    g.setCellFontBold(1, 1, true);
    g.setTextMatrix(2, 0, QStringLiteral("dropped"));
    g.setRowHeight(1, 0);
    g.setColWidth(1, 4000);

    g.setRows(2);
    g.setCols(3);
    g.setRows(5);

    EXPECT_EQ(g.Rows(), 5);
    EXPECT_EQ(g.Cols(), 3);
    EXPECT_EQ(g.TextMatrix(1, 1), "kept");
    EXPECT_TRUE(g.cellFormat(1, 1).bold);
    EXPECT_EQ(g.TextMatrix(2, 0), "");
    EXPECT_EQ(g.RowHeight(1), 0);
    EXPECT_EQ(g.RowHeight(4), GridPage::kDefaultRowHeight);
    EXPECT_EQ(g.ColWidth(1), 4000);
    EXPECT_EQ(g.ColWidth(2), GridPage::kDefaultColWidth);
    EXPECT_EQ(g.ColAlignment(2), GridAlignment::LeftCenter);
}

TEST(GridPage, OutOfRangeAccessIsHarmless) {
    GridPage g = makeGrid(3, 2);
    EXPECT_FALSE(g.setTextMatrix(3, 0, QStringLiteral("x")));
    EXPECT_FALSE(g.setTextMatrix(0, -1, QStringLiteral("x")));
    EXPECT_FALSE(g.setRowHeight(-1, 100));
    EXPECT_FALSE(g.setColWidth(2, 100));
    EXPECT_FALSE(g.setRow(3));
    EXPECT_FALSE(g.setCol(2));
    EXPECT_EQ(g.TextMatrix(99, 99), "");
    EXPECT_EQ(g.RowHeight(3), 0);
    EXPECT_EQ(g.cellFormat(-1, 0), CellFormat());

    // The current cell and the first row in view follow a shrinking grid.
    g.setRow(2);
    g.setTopRow(2);
    g.setRows(2);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.TopRow(), 1);
    g.setTopRow(0); // the fixed row cannot scroll
    EXPECT_EQ(g.TopRow(), 1);
}

TEST(GridPage, AlignmentFallsBackToTheColumn) {
    GridPage g = makeGrid(2, 2);
    g.setColAlignment(1, GridAlignment::RightCenter);
    EXPECT_EQ(g.effectiveAlignment(1, 1), GridAlignment::RightCenter);
    g.setCellAlignment(1, 1, GridAlignment::CenterCenter);
    EXPECT_EQ(g.effectiveAlignment(1, 1), GridAlignment::CenterCenter);
    EXPECT_EQ(g.effectiveAlignment(0, 1), GridAlignment::RightCenter);
}

TEST(GridPage, ClearEmptiesCellsAndKeepsTheLayout) {
    GridPage g = makeGrid(4, 2);
    g.setTextMatrix(2, 1, QStringLiteral("value"));
    g.setCellBackColor(2, 1, GridColor{1, 2, 3});
    g.setCellAlignment(2, 1, GridAlignment::CenterCenter);
    g.setRowHeight(3, 0);
    g.setColWidth(0, 2500);
    g.setColAlignment(1, GridAlignment::RightCenter);
    g.setRow(2);
    g.setCol(1);
    g.setTopRow(2);

    g.Clear();

    EXPECT_EQ(g.TextMatrix(2, 1), "");
    EXPECT_EQ(g.cellFormat(2, 1), CellFormat());
    EXPECT_EQ(g.Rows(), 4);
    EXPECT_EQ(g.Cols(), 2);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.RowHeight(3), 0);
    EXPECT_EQ(g.ColWidth(0), 2500);
    EXPECT_EQ(g.ColAlignment(1), GridAlignment::RightCenter);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.TopRow(), 2);
}

TEST(GridPage, RowPositionsFollowScrollingAndSkipHiddenRows) {
    GridPage g = makeGrid(8, 1);
    for (int r = 0; r < 8; ++r)
        g.setRowHeight(r, 100);
    g.setRowHeight(0, 280);
    g.setRowHeight(3, 0);

    // Unscrolled: below the fixed row, a hidden row adds nothing.
    EXPECT_EQ(g.RowPos(0), 0);
    EXPECT_EQ(g.RowPos(1), 280);
    EXPECT_EQ(g.RowPos(3), 480);
    EXPECT_EQ(g.RowPos(4), 480); // where the hidden row 3 would start is where row 4 starts
    EXPECT_EQ(g.RowPos(5), 580);

    // Scrolled: TopRow starts below the fixed row; rows above it sit above, the fixed row stays.
    g.setTopRow(4);
    EXPECT_EQ(g.RowPos(0), 0);
    EXPECT_EQ(g.RowPos(4), 280);
    EXPECT_EQ(g.RowPos(5), 380);
    EXPECT_EQ(g.RowPos(3), 280); // hidden, just above TopRow
    EXPECT_EQ(g.RowPos(2), 180);
    EXPECT_EQ(g.RowPos(1), 80);
    // Past the last row: the bottom of the rows.
    EXPECT_EQ(g.RowPos(8), 280 + 4 * 100);
    EXPECT_EQ(g.RowPos(99), g.RowPos(8));

    // A hidden TopRow shows the next row at the top.
    g.setTopRow(3);
    EXPECT_EQ(g.RowPos(4), 280);
}

TEST(GridPage, ColumnPositionsFollowLeftCol) {
    GridPage g = makeGrid(2, 3);
    g.setColWidth(0, 1500);
    g.setColWidth(1, 2000);
    g.setColWidth(2, 5000);
    EXPECT_EQ(g.ColPos(0), 0);
    EXPECT_EQ(g.ColPos(2), 3500);
    g.setLeftCol(1);
    EXPECT_EQ(g.ColPos(1), 0);
    EXPECT_EQ(g.ColPos(2), 2000);
    EXPECT_EQ(g.ColPos(0), -1500);
}

TEST(GridPage, ListenersHearEachChangeOrOneBatch) {
    GridPage g = makeGrid(3, 2);
    std::vector<GridChange> heard;
    const int id = g.subscribe([&](const GridChange& c) { heard.push_back(c); });

    g.setTextMatrix(2, 1, QStringLiteral("a"));
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].has(GridChange::Cells));
    EXPECT_EQ(heard[0].row, 2);
    EXPECT_EQ(heard[0].col, 1);

    // Setting what is already there is no change.
    const quint64 revision = g.revision();
    g.setTextMatrix(2, 1, QStringLiteral("a"));
    g.setRow(0);
    g.setRowHeight(1, GridPage::kDefaultRowHeight);
    EXPECT_EQ(heard.size(), 1u);
    EXPECT_EQ(g.revision(), revision);

    heard.clear();
    {
        GridPage::Batch outer(g);
        g.setTextMatrix(1, 0, QStringLiteral("b"));
        {
            GridPage::Batch inner(g);
            g.setRowHeight(1, 0);
        }
        g.setRow(2);
        EXPECT_TRUE(heard.empty());
    }
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].what, unsigned(GridChange::Cells | GridChange::Geometry | GridChange::Cursor));
    EXPECT_EQ(heard[0].row, -1);
    EXPECT_GT(g.revision(), revision);

    g.unsubscribe(id);
    g.setTextMatrix(1, 1, QStringLiteral("c"));
    EXPECT_EQ(heard.size(), 1u);
}

TEST(GridPage, ListenerMayUnsubscribeAnotherWhileBeingTold) {
    GridPage g = makeGrid(2, 2);
    int second = 0;
    int secondCalls = 0;
    g.subscribe([&](const GridChange&) { g.unsubscribe(second); });
    second = g.subscribe([&](const GridChange&) { ++secondCalls; });
    g.setTextMatrix(1, 1, QStringLiteral("x"));
    EXPECT_EQ(secondCalls, 0);
}

TEST(GridPage, CopiesTakeContentButNotListeners) {
    GridPage a = makeGrid(2, 2);
    a.setTextMatrix(1, 1, QStringLiteral("x"));
    int calls = 0;
    a.subscribe([&](const GridChange&) { ++calls; });

    GridPage b(a);
    b.setTextMatrix(1, 1, QStringLiteral("y"));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(a.TextMatrix(1, 1), "x");

    // Assigning into a watched page tells its listeners that everything may differ.
    GridChange heard;
    a.subscribe([&](const GridChange& c) { heard = c; });
    a = b;
    EXPECT_EQ(a.TextMatrix(1, 1), "y");
    EXPECT_TRUE(heard.has(GridChange::Shape));
}

} // namespace
