#pragma once

#include <QString>
#include <QVector>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

// An RGB colour of a grid cell (no alpha: the grids only use solid colours).
struct GridColor {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend constexpr bool operator==(const GridColor&, const GridColor&) = default;
};

// Cell alignment, numbered like the grid control's constants (1 = left and vertically centred,
// 4 = centred both ways), so numbers met in the page code keep their meaning.
enum class GridAlignment {
    LeftTop = 0,
    LeftCenter = 1,
    LeftBottom = 2,
    CenterTop = 3,
    CenterCenter = 4,
    CenterBottom = 5,
    RightTop = 6,
    RightCenter = 7,
    RightBottom = 8,
};

// Per-cell formatting. Unset members fall back to the grid's look: white background, black text,
// the column's alignment.
struct CellFormat {
    std::optional<GridColor> backColor;
    std::optional<GridColor> foreColor;
    bool bold = false;
    std::optional<GridAlignment> alignment;
    friend bool operator==(const CellFormat&, const CellFormat&) = default;
};

// What changed in a GridPage, as flags; a listener refreshes only what it shows of them.
struct GridChange {
    enum Flag : unsigned {
        Cells = 1u << 0,    // texts or formats; row/col name the cell when only one changed
        Geometry = 1u << 1, // row heights, column widths, column alignment
        Cursor = 1u << 2,   // Row, Col
        Scroll = 1u << 3,   // TopRow, LeftCol
        Shape = 1u << 4,    // Rows, Cols, FixedRows, FixedCols: everything may differ
    };
    unsigned what = 0;
    int row = -1; // the one changed cell, or -1 when several (or none) did
    int col = -1;
    bool has(Flag f) const { return (what & f) != 0; }
};

// One grid page as data: the working copy of a page of the parameter set. It mirrors the grid control
// the page code was written against (Rows, Cols, TextMatrix, RowHeight, RowPos, TopRow...), so the
// layouts, editors, record copy and device readers work on it without a window; a Qt model shows it.
//
// Sizes and positions are in twips. A row of height 0 is hidden: it keeps its number, label and value
// and is read and written like any other row.
//
// Out-of-range arguments never fault: reads give "" / 0 / a default format, writes are ignored and
// return false.
//
// Copying copies the content only; listeners stay with the object they subscribed to.
class GridPage {
public:
    static constexpr int kDefaultRowHeight = 280;
    static constexpr int kDefaultColWidth = 960;

    using Listener = std::function<void(const GridChange&)>;

    GridPage() = default;
    GridPage(const GridPage& other) : m_d(other.m_d) {}
    GridPage& operator=(const GridPage& other);

    // Shape. New rows get the default height, new columns the default width and left alignment;
    // cells that stay keep their text and format. Fixed rows/cols never exceed the counts.
    int Rows() const { return m_d.rows; }
    int Cols() const { return m_d.cols; }
    void setRows(int rows);
    void setCols(int cols);
    int FixedRows() const { return m_d.fixedRows; }
    int FixedCols() const { return m_d.fixedCols; }
    void setFixedRows(int n);
    void setFixedCols(int n);

    // Cell content.
    QString TextMatrix(int row, int col) const;
    bool setTextMatrix(int row, int col, const QString& text);
    CellFormat cellFormat(int row, int col) const;
    bool setCellFormat(int row, int col, const CellFormat& format);
    bool setCellBackColor(int row, int col, GridColor color);
    bool setCellForeColor(int row, int col, GridColor color);
    bool setCellFontBold(int row, int col, bool bold);
    bool setCellAlignment(int row, int col, GridAlignment alignment);
    // The cell's own alignment, else its column's.
    GridAlignment effectiveAlignment(int row, int col) const;

    // Empties every cell and drops every cell format. Rows, columns, column widths, column
    // alignment, row heights, the current cell and the scroll position stay.
    void Clear();

    // Geometry.
    int RowHeight(int row) const;
    bool setRowHeight(int row, int twips); // negative heights count as 0
    bool isRowHidden(int row) const { return row >= 0 && row < m_d.rows && m_d.rowHeights[row] == 0; }
    int ColWidth(int col) const;
    bool setColWidth(int col, int twips);
    GridAlignment ColAlignment(int col) const;
    bool setColAlignment(int col, GridAlignment alignment);

    // Current cell. Any row or column within the counts may be current, fixed and hidden ones too.
    int Row() const { return m_d.row; }
    int Col() const { return m_d.col; }
    bool setRow(int row);
    bool setCol(int col);

    // First scrollable row/column in view, clamped to [FixedRows, Rows - 1] / [FixedCols, Cols - 1].
    // A view that cannot scroll that far writes back what it shows.
    int TopRow() const { return m_d.topRow; }
    int LeftCol() const { return m_d.leftCol; }
    void setTopRow(int row);
    void setLeftCol(int col);

    // Top of a row / left of a column relative to the grid's top-left corner, following the
    // scrolling, as the grid reports it:
    //  - fixed rows stand at the sum of the heights of the fixed rows above them;
    //  - a scrollable row at or below TopRow stands below the fixed rows, after the rows from TopRow
    //    down to it;
    //  - a row scrolled out above TopRow is given where it would be drawn upwards from the fixed rows,
    //    so its position is at most the fixed rows' height (and negative further up). Editors placed
    //    over it thus land above the visible rows, where the page's top test hides them.
    // A hidden row (height 0) adds nothing, so it stands where the next shown row starts.
    // Columns follow the same rules with ColWidth, FixedCols and LeftCol. Rows/columns outside the
    // counts give the position just past the last one (row = Rows()).
    int RowPos(int row) const;
    int ColPos(int col) const;

    // Change notification. Every change bumps the revision; listeners are called after the change,
    // once per change, or once at the end of an outermost Batch with the union of what changed.
    quint64 revision() const { return m_d.revision; }
    int subscribe(Listener listener);
    void unsubscribe(int id);

    // Groups many changes into one notification (a whole layout, a block read into the page).
    class Batch {
    public:
        explicit Batch(GridPage& page) : m_page(page) { ++m_page.m_batchDepth; }
        ~Batch() { m_page.endBatch(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        GridPage& m_page;
    };

private:
    struct Data {
        int rows = 0;
        int cols = 0;
        int fixedRows = 0;
        int fixedCols = 0;
        QVector<QString> texts; // rows * cols, row-major
        QVector<CellFormat> formats;
        QVector<int> rowHeights;
        QVector<int> colWidths;
        QVector<GridAlignment> colAlignments;
        int row = 0;
        int col = 0;
        int topRow = 0;
        int leftCol = 0;
        quint64 revision = 0;
    };

    bool validCell(int row, int col) const { return row >= 0 && row < m_d.rows && col >= 0 && col < m_d.cols; }
    int index(int row, int col) const { return row * m_d.cols + col; }
    void reshape(int rows, int cols);
    void clampPositions();
    void changed(unsigned what, int row = -1, int col = -1);
    void notify(const GridChange& change);
    void endBatch();

    Data m_d;
    std::vector<std::pair<int, Listener>> m_listeners;
    int m_nextListenerId = 1;
    int m_batchDepth = 0;
    unsigned m_pending = 0;
};
