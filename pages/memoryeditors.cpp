#include "pages/memoryeditors.h"

#include "link/textroutines.h"
#include "pages/gridlayout.h"
#include "pages/parameterrules.h"
#include "session/session.h"

namespace {

bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

// Digits and control keys pass; anything else Beeps and is dropped. A digit also needs room.
int digitsOnly(int keyAscii, const FloatingBox& box, TypingPoint at, const std::function<void()>& beep) {
    if (keyAscii < 32)
        return keyAscii;
    if (!isDigit(keyAscii)) {
        beep();
        return 0;
    }
    return roomToType(box.maxLength, box.text, at) ? keyAscii : 0;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// ID memories

IdMemoryEditor::IdMemoryEditor(GridPage& grid, EditorServices services) : GridEditor(grid, std::move(services)) {
    Text2.maxLength = kNumberLength;
    Text3.maxLength = kNameLength;
}

void IdMemoryEditor::hideEditors() {
    Text2.visible = false;
    Text3.visible = false;
}

void IdMemoryEditor::Grid1_Click() {
    Own own(*this);
    const int r = m_grid.Row();
    if (r < kIdMemoryFirstRow)
        return; // the heading and the two title rows: nothing, not even the focus
    Text2.layOver(m_grid, r, 1);
    Text3.layOver(m_grid, r, 2);
    setText2(m_grid.TextMatrix(r, 1));
    setText2(trimTrailingBlanks(Text2.text));
    setText3(m_grid.TextMatrix(r, 2));
    setText3(trimTrailingBlanks(Text3.text));
    Text2.visible = true;
    Text3.visible = true;
    m_focus = Focus::Text2;
}

bool IdMemoryEditor::Grid1_KeyDown(int keyCode, int /*shift*/) {
    if (keyCode != keys::Enter || !Text2.visible)
        return false;
    m_focus = Focus::Text2;
    return true;
}

void IdMemoryEditor::setText2(const QString& text) {
    if (Text2.text == text)
        return;
    Text2.text = text;
    Text2_Change();
}

void IdMemoryEditor::setText3(const QString& text) {
    if (Text3.text == text)
        return;
    Text3.text = text;
    Text3_Change();
}

// The title rows 1 and 2 are edited in the fixed boxes only: the floating boxes, which stand over
// row 3 when the keys took the current row up there, write into row 3 and keep what was typed.
void IdMemoryEditor::leaveTitleRows() {
    if (m_grid.Row() == 1 || m_grid.Row() == 2) {
        Own own(*this);
        m_grid.setRow(kIdMemoryFirstRow);
    }
}

void IdMemoryEditor::writeCell(int col, const QString& text) {
    Own own(*this);
    m_grid.setTextMatrix(m_grid.Row(), col, text);
}

void IdMemoryEditor::Text2_Change() {
    leaveTitleRows();
    writeCell(1, Text2.text);
}

void IdMemoryEditor::Text3_Change() {
    leaveTitleRows();
    {
        Own own(*this);
        m_grid.setColAlignment(2, GridAlignment::LeftCenter);
    }
    writeCell(2, Text3.text);
}

void IdMemoryEditor::moveRow(bool next, int firstRow, bool fromText3) {
    if (!stepRow(next, firstRow))
        return;
    Grid1_Click();
    const int top = fromText3 ? Text3.top : Text2.top;
    bool scroll;
    if (next)
        scroll = !editorFits(gridHeight, top);
    else if (fromText3)
        scroll = !editorBelowTop(top);
    else
        scroll = !(editorFits(gridHeight, top) && editorBelowTop(top));
    if (scroll && scrollToCurrentRow())
        Grid1_Click();
}

bool IdMemoryEditor::Text2_KeyDown(int keyCode, int shift) {
    switch (keyCode) {
    case keys::Up:
        if (!Text2.text.isEmpty())
            writeCell(1, Text2.text);
        moveRow(false, kIdMemoryFirstRow, false);
        return true;
    case keys::Down:
        if (m_grid.Row() >= m_grid.Rows() - 1) {
            beep();
            return true;
        }
        if (!Text2.text.isEmpty())
            writeCell(1, Text2.text);
        moveRow(true, kIdMemoryFirstRow, false);
        return true;
    case keys::Enter:
        if (shift == 0) {
            if (!Text2.text.isEmpty())
                writeCell(1, Text2.text);
            m_focus = Focus::Text3;
            return true;
        }
        if (shift == keys::ShiftAlone) {
            moveRow(false, 1, false);
            m_focus = Focus::Text3;
            return true;
        }
        return false;
    default:
        return false;
    }
}

int IdMemoryEditor::Text2_KeyPress(int keyAscii, TypingPoint at) {
    return digitsOnly(keyAscii, Text2, at, [this] { beep(); });
}

bool IdMemoryEditor::Text3_KeyDown(int keyCode, int shift) {
    if (keyCode == keys::Up) {
        moveRow(false, kIdMemoryFirstRow, true);
        return true;
    }
    if (keyCode != keys::Enter && keyCode != keys::Down)
        return false;
    if (shift == 0) {
        if (m_grid.Row() >= m_grid.Rows() - 1) {
            beep();
            return true;
        }
        leaveTitleRows();
        moveRow(true, kIdMemoryFirstRow, true);
        return true;
    }
    if (shift == keys::ShiftAlone) {
        m_focus = Focus::Text2;
        return true;
    }
    return false;
}

int IdMemoryEditor::Text3_KeyPress(int keyAscii, TypingPoint at) {
    if (keyAscii < 32)
        return keyAscii;
    return roomToType(Text3.maxLength, Text3.text, at) ? keyAscii : 0;
}

void IdMemoryEditor::Text11_Change(int index, const QString& text) {
    if (index < 0 || index > 3)
        return;
    Own own(*this);
    m_grid.setTextMatrix(index / 2 + 1, (index & 1) + 1, text);
}

int IdMemoryEditor::Text11_KeyDown(int index, int keyCode) {
    switch (index) {
    case 0:
        return keyCode == keys::Enter || keyCode == keys::Right ? 1 : keyCode == keys::Down ? 2 : -1;
    case 1:
        return keyCode == keys::Left ? 0 : keyCode == keys::Down ? 3 : keyCode == keys::Enter ? 2 : -1;
    case 2:
        return keyCode == keys::Enter || keyCode == keys::Right ? 3 : keyCode == keys::Up ? 0 : -1;
    case 3:
        return keyCode == keys::Left ? 2 : keyCode == keys::Up ? 1 : -1;
    default:
        return -1;
    }
}

int IdMemoryEditor::Text11_KeyPress(int index, int keyAscii, const QString& text, TypingPoint at) {
    const int limit = (index & 1) ? kNameLength : kNumberLength;
    if (keyAscii < 32)
        return keyAscii;
    if (!(index & 1) && !isDigit(keyAscii)) {
        beep();
        return 0;
    }
    return roomToType(limit, text, at) ? keyAscii : 0;
}

// ---------------------------------------------------------------------------------------------
// Setpoints

SetpointEditor::SetpointEditor(GridPage& grid, const Session& session, EditorServices services)
    : GridEditor(grid, std::move(services)), m_session(session) {
    for (FloatingBox& b : Text5)
        b.maxLength = kLength;
}

void SetpointEditor::hideEditors() {
    for (FloatingBox& b : Text5)
        b.visible = false;
}

void SetpointEditor::Grid1_Click() {
    Own own(*this);
    const int r = m_grid.Row();
    for (int i = 0; i < 3; ++i) {
        Text5[i].layOver(m_grid, r, i + 1);
        setText5(i, m_grid.TextMatrix(r, i + 1));
        setText5(i, trimBlanks(Text5[i].text));
        Text5[i].visible = passesTopTest(Text5[i].top);
    }
    if (Text5[0].visible)
        m_focus = 0;
}

void SetpointEditor::setText5(int index, const QString& text) {
    if (index < 0 || index > 2 || Text5[index].text == text)
        return;
    Text5[index].text = text;
    Text5_Change(index);
}

void SetpointEditor::Text5_Change(int index) {
    Own own(*this);
    m_grid.setTextMatrix(m_grid.Row(), index + 1, Text5[index].text);
}

void SetpointEditor::moveRow(bool next) {
    if (stepRow(next, 1))
        Grid1_Click();
}

bool SetpointEditor::Text5_KeyDown(int index, int keyCode, int shift) {
    switch (keyCode) {
    case keys::Enter:
        if (shift == 0) {
            if (index < 2)
                m_focus = index + 1;
            else if (m_grid.Row() < m_grid.Rows() - 1)
                moveRow(true);
            return true;
        }
        if (shift == keys::ShiftAlone) {
            if (index > 0)
                m_focus = index - 1;
            else if (m_grid.Row() > 1)
                moveRow(false);
            return true;
        }
        return false;
    case keys::Down:
        moveRow(true);
        return true;
    case keys::Up:
        moveRow(false);
        return true;
    default:
        return false;
    }
}

int SetpointEditor::Text5_KeyPress(int index, int keyAscii, TypingPoint at) {
    if (keyAscii < 32)
        return keyAscii;
    if (!isDigit(keyAscii) && keyAscii != ',') {
        beep();
        return 0;
    }
    const FloatingBox& box = Text5[index];
    if (!roomToType(box.maxLength, box.text, at))
        return 0;
    // One decimal comma, and no more decimals than the division has: the value is sent scaled by
    // the division, so a further decimal would be lost. Until the range set-up has been read the
    // division is not known: decimals are taken, and the send checks them against the scale.
    const QString after = textAfterTyping(box.text, at, QChar(keyAscii));
    const bool scaleKnown = m_session.DisplayMaximum.has_value();
    const int decimals = int(m_session.DivisionDecimals.size());
    const bool tooManyDecimals = scaleKnown && ((keyAscii == ',' && decimals == 0) || decimalsOf(after) > decimals);
    if (after.count(u',') > 1 || tooManyDecimals) {
        beep();
        return 0;
    }
    return keyAscii;
}

// ---------------------------------------------------------------------------------------------
// Preset tares

PresetTareEditor::PresetTareEditor(GridPage& grid, EditorServices services) : GridEditor(grid, std::move(services)) {
    Text7.maxLength = kLength;
}

void PresetTareEditor::hideEditors() {
    Text7.visible = false;
}

void PresetTareEditor::Grid1_Click() {
    Own own(*this);
    const int r = m_grid.Row();
    Text7.layOver(m_grid, r, 1);
    setText7(m_grid.TextMatrix(r, 1));
    Text7.visible = passesTopTest(Text7.top);
    if (Text7.visible)
        m_focus = true;
}

void PresetTareEditor::setText7(const QString& text) {
    if (Text7.text == text)
        return;
    Text7.text = text;
    Text7_Change();
}

void PresetTareEditor::Text7_Change() {
    Own own(*this);
    m_grid.setTextMatrix(m_grid.Row(), 1, Text7.text);
}

void PresetTareEditor::moveRow(bool next) {
    if (!stepRow(next, 1))
        return;
    Grid1_Click();
    const bool fits = editorFits(gridHeight, Text7.top);
    const bool scroll = next ? !fits : !(fits && editorBelowTop(Text7.top));
    if (scroll && scrollToCurrentRow())
        Grid1_Click();
}

bool PresetTareEditor::Text7_KeyDown(int keyCode, int /*shift*/) {
    if (keyCode == keys::Enter || keyCode == keys::Down) {
        moveRow(true);
        return true;
    }
    if (keyCode == keys::Up) {
        moveRow(false);
        return true;
    }
    return false;
}

int PresetTareEditor::Text7_KeyPress(int keyAscii, TypingPoint at) {
    return digitsOnly(keyAscii, Text7, at, [this] { beep(); });
}
