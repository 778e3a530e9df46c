#include "pages/grideditor.h"

#include <algorithm>

GridEditor::GridEditor(GridPage& grid, EditorServices services) : m_grid(grid), m_services(std::move(services)) {
    m_subscription = m_grid.subscribe([this](const GridChange& change) { pageChanged(change); });
}

GridEditor::~GridEditor() {
    m_grid.unsubscribe(m_subscription);
}

void GridEditor::pageChanged(const GridChange& change) {
    if (m_own > 0)
        return;
    if (change.has(GridChange::Cells) || change.has(GridChange::Shape))
        pageRefilled();
    else if (change.has(GridChange::Cursor))
        hideEditors();
    else
        return;
    if (hiddenByChange)
        hiddenByChange();
}

bool GridEditor::stepRow(bool next, int firstRow) {
    const int row = m_grid.Row();
    if (next ? row >= m_grid.Rows() - 1 : row <= firstRow) {
        beep();
        return false;
    }
    Own own(*this);
    m_grid.setRow(next ? row + 1 : row - 1);
    return true;
}

bool GridEditor::scrollToCurrentRow() {
    const int before = m_grid.TopRow();
    {
        Own own(*this);
        m_grid.setTopRow(std::max(1, m_grid.Row()));
    }
    return m_grid.TopRow() != before;
}
