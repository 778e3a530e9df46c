#pragma once

#include "pages/editorstate.h"
#include "pages/gridpage.h"

#include <functional>
#include <optional>

// What the editors of one grid page share: the page, the window's services and the rule that an
// editor stands only over the cell it was filled from. Any change of the page's cells, shape or
// current cell that the editors did not make themselves (a layout, a clear, a file or device read,
// a page switch) hides them, so typing never lands in another row; the next click places them
// again.
class GridEditor {
public:
    GridEditor(GridPage& grid, EditorServices services);
    virtual ~GridEditor();
    GridEditor(const GridEditor&) = delete;
    GridEditor& operator=(const GridEditor&) = delete;

    GridPage& grid() const { return m_grid; }

    // Hides every floating editor of the page.
    virtual void hideEditors() = 0;
    // The page's cells changed elsewhere (a layout, a clear, a file or device read).
    virtual void pageRefilled() { hideEditors(); }

    // Height of the grid on the page in twips, for the scroll tests after a row move.
    int gridHeight = 7560;

    // Called after the editors were hidden because of a change made elsewhere.
    std::function<void()> hiddenByChange;

protected:
    // Marks the editors' own changes of the page while it lives.
    class Own {
    public:
        explicit Own(GridEditor& e) : m_e(e) { ++m_e.m_own; }
        ~Own() { --m_e.m_own; }
        Own(const Own&) = delete;
        Own& operator=(const Own&) = delete;

    private:
        GridEditor& m_e;
    };

    void beep() const {
        if (m_services.beep)
            m_services.beep();
    }
    // The row moves of the memory editors: one row down / up, Beep when the move would leave
    // rows firstRow..Rows-1. True when the row changed.
    bool stepRow(bool next, int firstRow);
    // The scroll of a row move: the current row becomes the first row in view (never the heading).
    // True when the grid scrolled.
    bool scrollToCurrentRow();

    GridPage& m_grid;
    EditorServices m_services;

private:
    void pageChanged(const GridChange& change);

    int m_subscription = 0;
    int m_own = 0;
};
