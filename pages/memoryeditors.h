#pragma once

#include "pages/grideditor.h"

#include <array>

struct Session;

// The editors of the three memory pages. Each writes its text into its cell on every change; the
// cells are what the record and the device transfers read.

// ID memories: Text2 (number, column 1) and Text3 (name, column 2) float over rows 3 and below;
// the fixed boxes Text11(0..3) edit rows 1 and 2 ("ID 1", "ID 2"), which are never shown.
class IdMemoryEditor : public GridEditor {
public:
    explicit IdMemoryEditor(GridPage& grid, EditorServices services = {});

    static constexpr int kNumberLength = 6;
    static constexpr int kNameLength = 16;

    FloatingBox Text2;
    FloatingBox Text3;

    enum class Focus { None, Text2, Text3 };
    Focus takeFocus() { return std::exchange(m_focus, Focus::None); }

    void Grid1_Click();
    bool Grid1_KeyDown(int keyCode, int shift);

    void setText2(const QString& text);
    void setText3(const QString& text);
    void Text2_Change();
    void Text3_Change();
    bool Text2_KeyDown(int keyCode, int shift);
    int Text2_KeyPress(int keyAscii, TypingPoint at);
    bool Text3_KeyDown(int keyCode, int shift);
    int Text3_KeyPress(int keyAscii, TypingPoint at);

    // The fixed boxes: box i is row i / 2 + 1, column i % 2 + 1; even boxes hold numbers, odd
    // ones names. Their widgets hold the text.
    void Text11_Change(int index, const QString& text);
    // The box that takes the focus after a key, or -1.
    static int Text11_KeyDown(int index, int keyCode);
    int Text11_KeyPress(int index, int keyAscii, const QString& text, TypingPoint at);

    void hideEditors() override;

private:
    void moveRow(bool next, int firstRow, bool fromText3);
    void leaveTitleRows();
    void writeCell(int col, const QString& text);

    Focus m_focus = Focus::None;
};

// Setpoints: Text5(0..2) float over columns 1 to 3. Values are typed with one decimal comma and,
// once the range set-up has been read, no more decimals than the scale's division has.
class SetpointEditor : public GridEditor {
public:
    SetpointEditor(GridPage& grid, const Session& session, EditorServices services = {});

    static constexpr int kLength = 7;

    std::array<FloatingBox, 3> Text5;

    // The box the last handler gave the focus to (-1: none); the window takes it.
    int takeFocus() { return std::exchange(m_focus, -1); }

    void Grid1_Click();
    void setText5(int index, const QString& text);
    void Text5_Change(int index);
    bool Text5_KeyDown(int index, int keyCode, int shift);
    int Text5_KeyPress(int index, int keyAscii, TypingPoint at);

    void hideEditors() override;

private:
    void moveRow(bool next);

    const Session& m_session;
    int m_focus = -1;
};

// Preset tares: Text7 floats over column 1.
class PresetTareEditor : public GridEditor {
public:
    explicit PresetTareEditor(GridPage& grid, EditorServices services = {});

    static constexpr int kLength = 8;

    FloatingBox Text7;

    bool takeFocus() { return std::exchange(m_focus, false); }

    void Grid1_Click();
    void setText7(const QString& text);
    void Text7_Change();
    bool Text7_KeyDown(int keyCode, int shift);
    int Text7_KeyPress(int keyAscii, TypingPoint at);

    void hideEditors() override;

private:
    void moveRow(bool next);

    bool m_focus = false;
};
