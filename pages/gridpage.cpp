#include "pages/gridpage.h"

#include <algorithm>

GridPage& GridPage::operator=(const GridPage& other) {
    if (this != &other) {
        const quint64 revision = m_d.revision;
        m_d = other.m_d;
        m_d.revision = revision;
        changed(GridChange::Shape);
    }
    return *this;
}

void GridPage::reshape(int rows, int cols) {
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    if (rows == m_d.rows && cols == m_d.cols)
        return;
    QVector<QString> texts(rows * cols);
    QVector<CellFormat> formats(rows * cols);
    for (int r = 0; r < std::min(rows, m_d.rows); ++r) {
        for (int c = 0; c < std::min(cols, m_d.cols); ++c) {
            texts[r * cols + c] = m_d.texts[index(r, c)];
            formats[r * cols + c] = m_d.formats[index(r, c)];
        }
    }
    m_d.texts = std::move(texts);
    m_d.formats = std::move(formats);
    m_d.rowHeights.resize(rows);
    for (int r = m_d.rows; r < rows; ++r)
        m_d.rowHeights[r] = kDefaultRowHeight;
    m_d.colWidths.resize(cols);
    m_d.colAlignments.resize(cols);
    for (int c = m_d.cols; c < cols; ++c) {
        m_d.colWidths[c] = kDefaultColWidth;
        m_d.colAlignments[c] = GridAlignment::LeftCenter;
    }
    m_d.rows = rows;
    m_d.cols = cols;
    clampPositions();
    changed(GridChange::Shape);
}

void GridPage::clampPositions() {
    m_d.fixedRows = std::clamp(m_d.fixedRows, 0, m_d.rows);
    m_d.fixedCols = std::clamp(m_d.fixedCols, 0, m_d.cols);
    m_d.row = std::clamp(m_d.row, 0, std::max(m_d.rows - 1, 0));
    m_d.col = std::clamp(m_d.col, 0, std::max(m_d.cols - 1, 0));
    m_d.topRow = std::max(m_d.fixedRows, std::min(m_d.topRow, m_d.rows - 1));
    m_d.leftCol = std::max(m_d.fixedCols, std::min(m_d.leftCol, m_d.cols - 1));
}

void GridPage::setRows(int rows) {
    reshape(rows, m_d.cols);
}

void GridPage::setCols(int cols) {
    reshape(m_d.rows, cols);
}

void GridPage::setFixedRows(int n) {
    const int old = m_d.fixedRows;
    m_d.fixedRows = n;
    clampPositions();
    if (m_d.fixedRows != old)
        changed(GridChange::Shape);
}

void GridPage::setFixedCols(int n) {
    const int old = m_d.fixedCols;
    m_d.fixedCols = n;
    clampPositions();
    if (m_d.fixedCols != old)
        changed(GridChange::Shape);
}

QString GridPage::TextMatrix(int row, int col) const {
    return validCell(row, col) ? m_d.texts[index(row, col)] : QString();
}

bool GridPage::setTextMatrix(int row, int col, const QString& text) {
    if (!validCell(row, col))
        return false;
    QString& cell = m_d.texts[index(row, col)];
    if (cell != text) {
        cell = text;
        changed(GridChange::Cells, row, col);
    }
    return true;
}

CellFormat GridPage::cellFormat(int row, int col) const {
    return validCell(row, col) ? m_d.formats[index(row, col)] : CellFormat();
}

bool GridPage::setCellFormat(int row, int col, const CellFormat& format) {
    if (!validCell(row, col))
        return false;
    CellFormat& cell = m_d.formats[index(row, col)];
    if (!(cell == format)) {
        cell = format;
        changed(GridChange::Cells, row, col);
    }
    return true;
}

bool GridPage::setCellBackColor(int row, int col, GridColor color) {
    CellFormat f = cellFormat(row, col);
    f.backColor = color;
    return setCellFormat(row, col, f);
}

bool GridPage::setCellForeColor(int row, int col, GridColor color) {
    CellFormat f = cellFormat(row, col);
    f.foreColor = color;
    return setCellFormat(row, col, f);
}

bool GridPage::setCellFontBold(int row, int col, bool bold) {
    CellFormat f = cellFormat(row, col);
    f.bold = bold;
    return setCellFormat(row, col, f);
}

bool GridPage::setCellAlignment(int row, int col, GridAlignment alignment) {
    CellFormat f = cellFormat(row, col);
    f.alignment = alignment;
    return setCellFormat(row, col, f);
}

GridAlignment GridPage::effectiveAlignment(int row, int col) const {
    if (!validCell(row, col))
        return GridAlignment::LeftCenter;
    return m_d.formats[index(row, col)].alignment.value_or(m_d.colAlignments[col]);
}

void GridPage::Clear() {
    std::fill(m_d.texts.begin(), m_d.texts.end(), QString());
    std::fill(m_d.formats.begin(), m_d.formats.end(), CellFormat());
    changed(GridChange::Cells);
}

int GridPage::RowHeight(int row) const {
    return (row >= 0 && row < m_d.rows) ? m_d.rowHeights[row] : 0;
}

bool GridPage::setRowHeight(int row, int twips) {
    if (row < 0 || row >= m_d.rows)
        return false;
    twips = std::max(twips, 0);
    if (m_d.rowHeights[row] != twips) {
        m_d.rowHeights[row] = twips;
        changed(GridChange::Geometry, row);
    }
    return true;
}

int GridPage::ColWidth(int col) const {
    return (col >= 0 && col < m_d.cols) ? m_d.colWidths[col] : 0;
}

bool GridPage::setColWidth(int col, int twips) {
    if (col < 0 || col >= m_d.cols)
        return false;
    twips = std::max(twips, 0);
    if (m_d.colWidths[col] != twips) {
        m_d.colWidths[col] = twips;
        changed(GridChange::Geometry, -1, col);
    }
    return true;
}

GridAlignment GridPage::ColAlignment(int col) const {
    return (col >= 0 && col < m_d.cols) ? m_d.colAlignments[col] : GridAlignment::LeftCenter;
}

bool GridPage::setColAlignment(int col, GridAlignment alignment) {
    if (col < 0 || col >= m_d.cols)
        return false;
    if (m_d.colAlignments[col] != alignment) {
        m_d.colAlignments[col] = alignment;
        // Every cell of the column without its own alignment looks different now.
        changed(GridChange::Cells | GridChange::Geometry);
    }
    return true;
}

bool GridPage::setRow(int row) {
    if (row < 0 || row >= m_d.rows)
        return false;
    if (m_d.row != row) {
        m_d.row = row;
        changed(GridChange::Cursor);
    }
    return true;
}

bool GridPage::setCol(int col) {
    if (col < 0 || col >= m_d.cols)
        return false;
    if (m_d.col != col) {
        m_d.col = col;
        changed(GridChange::Cursor);
    }
    return true;
}

void GridPage::setTopRow(int row) {
    const int old = m_d.topRow;
    m_d.topRow = row;
    clampPositions();
    if (m_d.topRow != old)
        changed(GridChange::Scroll);
}

void GridPage::setLeftCol(int col) {
    const int old = m_d.leftCol;
    m_d.leftCol = col;
    clampPositions();
    if (m_d.leftCol != old)
        changed(GridChange::Scroll);
}

namespace {

int sum(const QVector<int>& sizes, int from, int to) {
    int total = 0;
    for (int i = std::max(from, 0); i < to && i < sizes.size(); ++i)
        total += sizes[i];
    return total;
}

int scrolledPos(const QVector<int>& sizes, int fixed, int first, int i) {
    i = std::clamp(i, 0, int(sizes.size()));
    if (i < fixed)
        return sum(sizes, 0, i);
    const int fixedSize = sum(sizes, 0, fixed);
    if (i >= first)
        return fixedSize + sum(sizes, first, i);
    return fixedSize - sum(sizes, i, first);
}

} // namespace

int GridPage::RowPos(int row) const {
    return scrolledPos(m_d.rowHeights, m_d.fixedRows, m_d.topRow, row);
}

int GridPage::ColPos(int col) const {
    return scrolledPos(m_d.colWidths, m_d.fixedCols, m_d.leftCol, col);
}

int GridPage::subscribe(Listener listener) {
    const int id = m_nextListenerId++;
    m_listeners.emplace_back(id, std::move(listener));
    return id;
}

void GridPage::unsubscribe(int id) {
    std::erase_if(m_listeners, [id](const auto& entry) { return entry.first == id; });
}

void GridPage::changed(unsigned what, int row, int col) {
    ++m_d.revision;
    if (m_batchDepth > 0)
        m_pending |= what;
    else
        notify(GridChange{what, row, col});
}

void GridPage::notify(const GridChange& change) {
    // A listener may unsubscribe others (or itself) while being told: look each one up again.
    std::vector<int> ids;
    ids.reserve(m_listeners.size());
    for (const auto& entry : m_listeners)
        ids.push_back(entry.first);
    for (int id : ids) {
        auto it = std::find_if(m_listeners.begin(), m_listeners.end(), [id](const auto& e) { return e.first == id; });
        if (it != m_listeners.end()) {
            const Listener listener = it->second; // the call may reshape m_listeners
            listener(change);
        }
    }
}

void GridPage::endBatch() {
    if (--m_batchDepth > 0 || m_pending == 0)
        return;
    const unsigned what = m_pending;
    m_pending = 0;
    notify(GridChange{what, -1, -1});
}
