#pragma once

#include "pages/gridpage.h"

#include <QAbstractTableModel>
#include <QColor>

class QTableView;

// Screen size of twips: the grids are laid out in twips at 15 twips per pixel.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int twipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

QColor toQColor(GridColor c);
Qt::Alignment toQtAlignment(GridAlignment a);

// A read-only table model over a GridPage. The page's first row, when it is a fixed row, is the
// horizontal header (it stays in view while the rows scroll, as the heading does); the other rows
// are the model's rows, so model row r is page row r + headerRows(). Cell formats become the
// display roles. The model follows the page's change notifications; the page must outlive it.
class GridTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridTableModel(GridPage& page, QObject* parent = nullptr);
    ~GridTableModel() override;

    GridPage& page() const { return m_page; }
    int headerRows() const { return m_page.FixedRows() > 0 ? 1 : 0; }
    int pageRow(int modelRow) const { return modelRow + headerRows(); }
    int modelRow(int pageRow) const { return pageRow - headerRows(); } // negative for the header row

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QVariant cellData(int row, int col, int role) const;
    void pageChanged(const GridChange& change);

    GridPage& m_page;
    int m_subscription = 0;
    int m_rows = 0; // shape as last reported to the views
    int m_cols = 0;
};

// The grids' fixed look: heading colour on the header, selected cell light green with black text,
// grey grid lines, white background, no row header, single-cell selection, no editing in the view,
// fixed row and column sizes, scrolling by whole rows like the grid control.
void setupGridView(QTableView& view);

// Column widths, row heights (a height of 0 hides the row) and the header's height from the page.
// The view must show a GridTableModel over that page.
void applyGridGeometry(QTableView& view, const GridPage& page);

// Puts a GridTableModel over the page into the view and keeps page and view in step: the page's
// content, geometry, current cell and scroll position are shown as they change; the user's clicks,
// keys and scrolling move the page's current cell and TopRow/LeftCol. Signals carry the grid's
// events for the page's editors. It is a child of the view; the page must outlive the view.
class GridViewBinder : public QObject {
    Q_OBJECT
public:
    GridViewBinder(GridPage& page, QTableView& view);
    ~GridViewBinder() override;

    GridTableModel& model() const { return *m_model; }
    QTableView& view() const { return m_view; }

signals:
    void clicked();            // a cell was clicked
    void currentCellChanged(); // the user moved the current cell
    void scrolled();           // the user scrolled
    void gotFocus();           // the view received the focus
    void keyDown(int key, Qt::KeyboardModifiers modifiers, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pageChanged(const GridChange& change);
    void showCursor();
    void showScroll();
    void viewCurrentChanged(const QModelIndex& current);
    void viewScrolled();

    GridPage& m_page;
    QTableView& m_view;
    GridTableModel* m_model;
    int m_subscription = 0;
    bool m_syncing = false; // page -> view updates in progress: the view's echoes are not user actions
};
