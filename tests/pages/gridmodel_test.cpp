#include "pages/gridmodel.h"

#include "pages/gridlayout.h"
#include "session/session.h"

#include <QFont>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

// Counts a signal's emissions and keeps the last one's first argument.
struct Counter {
    int count = 0;
    QVariant last;
};

Session qm1Session() {
    Session s;
    s.ModelName = QStringLiteral("QM1");
    for (int k = 0; k < s.messages.GridText.size(); ++k)
        s.messages.GridText[k] = QStringLiteral("G%1").arg(k);
    return s;
}

TEST(GridTableModel, ShowsTheHeadingAsHeaderAndCellsWithTheirLook) {
    GridPage page;
    GridDüzen(GridParameters, page, qm1Session());
    GridTableModel model(page);

    EXPECT_EQ(model.rowCount(), 83);
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "G1");
    EXPECT_TRUE(model.headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));

    // Model row 2 is page row 3.
    const QModelIndex param = model.index(2, 0);
    EXPECT_EQ(param.data().toString(), "[200] G49");
    EXPECT_TRUE(param.data(Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(param.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_FALSE(param.data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(model.index(2, 1).data(Qt::FontRole).isValid());

    const QModelIndex section = model.index(model.modelRow(2), 1);
    EXPECT_EQ(section.data().toString(), "G48");
    EXPECT_EQ(section.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(177, 197, 241));
    EXPECT_EQ(section.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 255));
    EXPECT_EQ(section.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));

    EXPECT_FALSE(model.flags(param) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(param) & Qt::ItemIsSelectable);
}

TEST(GridTableModel, FollowsThePage) {
    GridPage page;
    GridTableModel model(page);
    EXPECT_EQ(model.rowCount(), 0);

    Counter resets;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets.count; });
    GridDüzen(GridStatus, page, qm1Session());
    EXPECT_EQ(resets.count, 1);
    EXPECT_EQ(model.rowCount(), 29);

    Counter changed, headerChanged;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&](const QModelIndex& from) {
        ++changed.count;
        changed.last = QVariant::fromValue(from);
    });
    QObject::connect(&model, &QAbstractItemModel::headerDataChanged, [&] { ++headerChanged.count; });
    page.setTextMatrix(5, 1, QStringLiteral("OK"));
    ASSERT_EQ(changed.count, 1);
    EXPECT_EQ(changed.last.value<QModelIndex>(), model.index(4, 1));
    EXPECT_EQ(model.index(4, 1).data().toString(), "OK");
    page.setTextMatrix(0, 1, QStringLiteral("Value"));
    EXPECT_EQ(headerChanged.count, 1);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Value");

    page.Clear();
    EXPECT_EQ(changed.count, 2);
    EXPECT_EQ(model.index(4, 1).data().toString(), "");
    EXPECT_EQ(resets.count, 1);
}

class GridViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        GridDüzen(GridParameters, page, qm1Session());
        view.resize(600, 300);
        binder = new GridViewBinder(page, view);
    }
    int visibleRowsAtTop() const { return binder->model().pageRow(view.rowAt(0)); }

    GridPage page;
    QTableView view;
    GridViewBinder* binder = nullptr;
};

TEST_F(GridViewTest, GeometryComesFromThePage) {
    EXPECT_EQ(view.columnWidth(0), 267); // 4000 twips
    EXPECT_EQ(view.columnWidth(1), 300);
    EXPECT_EQ(view.rowHeight(binder->model().modelRow(3)), 19); // 280 twips
    EXPECT_EQ(view.horizontalHeader()->height(), 19);
    for (int row : {1, 22, 62, 80})
        EXPECT_TRUE(view.isRowHidden(binder->model().modelRow(row))) << "row " << row;
    EXPECT_FALSE(view.isRowHidden(binder->model().modelRow(23)));

    GridDüzen(GridParameters, page, [] {
        Session s = qm1Session();
        s.ModelName = QStringLiteral("QM2");
        return s;
    }());
    EXPECT_FALSE(view.isRowHidden(binder->model().modelRow(1)));
    EXPECT_TRUE(view.isRowHidden(binder->model().modelRow(22)));
}

TEST_F(GridViewTest, CurrentCellGoesBothWays) {
    // The layout leaves the heading current: nothing in the body is.
    EXPECT_FALSE(view.currentIndex().isValid());

    page.setRow(5);
    page.setCol(1);
    EXPECT_EQ(view.currentIndex(), binder->model().index(binder->model().modelRow(5), 1));

    Counter moved;
    QObject::connect(binder, &GridViewBinder::currentCellChanged, [&] { ++moved.count; });
    view.setCurrentIndex(binder->model().index(binder->model().modelRow(9), 0));
    EXPECT_EQ(page.Row(), 9);
    EXPECT_EQ(page.Col(), 0);
    EXPECT_EQ(moved.count, 1);

    // Moves made by the program are not reported as the user's.
    page.setRow(10);
    EXPECT_EQ(moved.count, 1);
}

TEST_F(GridViewTest, TopRowScrollsTheViewPastHiddenRows) {
    view.show();
    Counter scrolled;
    QObject::connect(binder, &GridViewBinder::scrolled, [&] { ++scrolled.count; });

    page.setTopRow(23);
    EXPECT_EQ(visibleRowsAtTop(), 23);
    // A hidden TopRow shows the next shown row at the top.
    page.setTopRow(18);
    EXPECT_EQ(visibleRowsAtTop(), 23);
    EXPECT_EQ(scrolled.count, 0);

    // The user's scrolling moves TopRow.
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->value() + 10);
    EXPECT_EQ(page.TopRow(), 34);
    EXPECT_EQ(visibleRowsAtTop(), 34);
    EXPECT_EQ(scrolled.count, 1);

    // The view cannot scroll the last row to the top; the page takes what is shown.
    page.setTopRow(83);
    // (At the very end the last row is aligned to the bottom; TopRow is the first row wholly in view.)
    EXPECT_LT(page.TopRow(), 83);
    const int top = view.rowViewportPosition(binder->model().modelRow(page.TopRow()));
    EXPECT_GE(top, 0);
    EXPECT_LT(top, view.rowHeight(binder->model().modelRow(page.TopRow())));
}

} // namespace
