#pragma once

#include "pages/datetimepanel.h"
#include "pages/grideditor.h"
#include "pages/parameterrules.h"

#include <array>

class Clock;
class Dialogs;
struct Session;

// The editors of the parameter page: the choice box Combo1 and the text box Text1 that float over
// column 1 of the current row, the two date anchors of row 1 and the date/time panel SSPanel9.
// Every change of an editor goes into its cell at once, and into the working values beside the
// page (Session::param) for the rows that have them.
class ParameterEditor : public GridEditor {
public:
    ParameterEditor(GridPage& grid, Session& session, Dialogs& dialogs, Clock& clock, EditorServices services = {});

    FloatingBox Text1;
    FloatingChoice Combo1;
    std::array<FloatingPlace, 2> DTPicker1; // never shown: the panel opens where DTPicker1[0] stands

    // The date/time panel: its six boxes, whether it is open and where.
    ClockBoxes Text13;
    bool panelVisible = false;
    int panelTop = 0;
    int panelLeft = 0;
    // Set by the switch to the parameter page: the next double click on row 1 only clears it.
    bool DatePanelFlag = false;

    // A choice 3 was just made or shown on a port-function row (29, 35, 41, 48), and its row.
    bool PortMode3Chosen = false;
    int PortMode3Row = 0;

    // The editor the last handler gave the focus to; the window takes it.
    enum class Focus { None, Text1, Combo1, Text13 };
    struct FocusRequest {
        Focus target = Focus::None;
        int index = 0; // Text13 box
    };
    FocusRequest takeFocus();

    // The placement: lays the current row's editor over column 1, fills it from the cell and gives
    // it the focus, or hides the editors on a row that has none. Runs on a click, a move of the
    // current cell, a scroll and when the grid takes the focus.
    void Grid1_Click();
    // The user chose item `index` of Combo1.
    void Combo1_Click(int index);

    // Keys. KeyDown handlers return true when they acted on the key (it goes no further); KeyPress
    // returns the character to insert (possibly replaced), 0 to drop the key.
    bool Combo1_KeyDown(int keyCode, int shift);
    bool Text1_KeyDown(int keyCode, int shift);
    int Text1_KeyPress(int keyAscii, TypingPoint at);
    // The text of Text1 changed (typed, or set by setText1); writes the cell and the working values.
    void Text1_Change();
    // Sets Text1's text as the program does: the change rule runs when the text differs.
    void setText1(const QString& text);

    // The date/time panel.
    void Grid1_DblClick();
    void Image1_Click(int index); // 0 OK, 1 Cancel
    int Text13_KeyPress(int index, int keyAscii);
    void sspanel9_Default();
    bool sspanel9_Kontrol() const;
    void sspanel9_gelen();

    void hideEditors() override;
    void pageRefilled() override;
    // Hides the date/time panel (a layout for the first model does).
    void hidePanel() { panelVisible = false; }

private:
    bool qm2() const;
    void choose(int index, bool byUser);
    void move(ParamMove m);
    void focus(Focus f, int index = 0) { m_focus = {f, index}; }

    Session& m_session;
    Dialogs& m_dialogs;
    Clock& m_clock;
    FocusRequest m_focus;
};
