#pragma once

#include "pages/gridpage.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>

// The state of the editors that float over the grid cells, kept apart from the widgets: the page
// procedures work on these, and the window's QLineEdit/QComboBox mirror them. Positions are in
// twips, measured as the grid reports them (RowPos, ColPos) from the top of the grid on its page.

// Key codes and shift states as the editors' handlers receive them.
namespace keys {
inline constexpr int Backspace = 8;
inline constexpr int Enter = 13;
inline constexpr int Esc = 27;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int ShiftAlone = 1;
} // namespace keys

// Where a grid stands on its page, as the editors' top and scroll tests measure it: an editor laid
// over a row that has scrolled up under the heading or above it has a top of 490 or less.
inline constexpr int kEditorGridTop = 360;
inline constexpr int kEditorInset = 40;      // editors stand 40 twips into their cell
inline constexpr int kEditorHiddenTop = 490; // the top test hides an editor at or above this
inline constexpr int kEditorFitMargin = 540; // an editor fits while its top is this far above the grid's bottom
inline constexpr int kEditorBelowTop = 790;  // an editor below this is not the first row in view

// Top test: the editor shows only when its cell stands below the heading.
inline bool passesTopTest(int top) {
    return top > kEditorHiddenTop;
}
// The scroll tests after a row move.
inline bool editorFits(int gridHeight, int editorTop) {
    return kEditorGridTop + gridHeight > editorTop + kEditorFitMargin;
}
inline bool editorBelowTop(int editorTop) {
    return editorTop > kEditorBelowTop;
}

// Common to the floating editors: the cell they were last laid over and their place.
struct FloatingPlace {
    bool visible = false;
    int row = -1;
    int col = -1;
    int top = 0;
    int left = 0;
    int width = 0;

    // Lays the editor over cell (row, col) of the grid; visibility is left to the caller.
    void layOver(const GridPage& grid, int r, int c) {
        row = r;
        col = c;
        top = kEditorGridTop + grid.RowPos(r) + kEditorInset;
        left = grid.ColPos(c) + kEditorInset;
        width = grid.ColWidth(c) - 10;
    }
};

// A one-line text box over a cell.
struct FloatingBox : FloatingPlace {
    QString text;
    int maxLength = 0; // characters that may be typed; 0 for no limit
};

// A drop-down list over a cell: only its items can be chosen.
struct FloatingChoice : FloatingPlace {
    QStringList items;
    int current = -1;
    QString text() const { return current >= 0 && current < items.size() ? items[current] : QString(); }
};

// Where the typed character goes: the text box's selection (start = the cursor when nothing is
// selected).
struct TypingPoint {
    int start = 0;
    int length = 0;
};

// The text a typed character would leave, replacing the selection.
inline QString textAfterTyping(const QString& text, TypingPoint at, QChar c) {
    QString t = text;
    const int start = std::clamp(at.start, 0, int(t.size()));
    const int length = std::clamp(at.length, 0, int(t.size()) - start);
    t.replace(start, length, QString(c));
    return t;
}

// Whether one more character may be typed under a typing limit (0: no limit).
inline bool roomToType(int maxLength, const QString& text, TypingPoint at) {
    return maxLength <= 0 || int(text.size()) - at.length < maxLength;
}

// What the editors ask of the window besides their own state.
struct EditorServices {
    std::function<void()> beep = [] {};
};
