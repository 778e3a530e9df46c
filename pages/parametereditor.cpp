#include "pages/parametereditor.h"

#include "link/textroutines.h"
#include "platform/basic.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "session/session.h"

namespace {

bool isPortFunctionRow(int row) {
    return row == 29 || row == 35 || row == 41 || row == 48;
}

bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

} // namespace

ParameterEditor::ParameterEditor(GridPage& grid, Session& session, Dialogs& dialogs, Clock& clock,
                                 EditorServices services)
    : GridEditor(grid, std::move(services)), m_session(session), m_dialogs(dialogs), m_clock(clock) {}

bool ParameterEditor::qm2() const {
    return m_session.isQM2();
}

ParameterEditor::FocusRequest ParameterEditor::takeFocus() {
    return std::exchange(m_focus, FocusRequest{});
}

void ParameterEditor::hideEditors() {
    Text1.visible = false;
    Combo1.visible = false;
}

void ParameterEditor::pageRefilled() {
    hideEditors();
    panelVisible = false; // its boxes no longer show what row 1 holds
}

// ---- Placement ----

void ParameterEditor::Grid1_Click() {
    Own own(*this);
    const int r = m_grid.Row();
    switch (parameterEditorKind(r)) {
    case ParamEditorKind::Untouched:
        break;
    case ParamEditorKind::DateTime:
        if (qm2()) {
            const int width = m_grid.ColWidth(1) - 10;
            DTPicker1[0].layOver(m_grid, r, 1);
            DTPicker1[0].width = 65 * width / 100;
            DTPicker1[1] = DTPicker1[0];
            DTPicker1[1].width = 35 * width / 100;
            DTPicker1[1].left = DTPicker1[0].left + DTPicker1[0].width;
            panelVisible = false;
        }
        Combo1.visible = false;
        Text1.visible = false;
        break;
    case ParamEditorKind::Text:
        if (const auto limit = placementMaxLength(r))
            Text1.maxLength = *limit;
        Text1.layOver(m_grid, r, 1);
        setText1(m_grid.TextMatrix(r, 1));
        Combo1.visible = false;
        Text1.visible = passesTopTest(Text1.top);
        panelVisible = false;
        break;
    case ParamEditorKind::Choice: {
        panelVisible = false;
        Combo1.items = parameterChoiceItems(r, m_session.messages, qm2(), m_session.param.ConfigFlag0);
        Combo1.current = -1;
        Combo1.layOver(m_grid, r, 1);
        int k = parameterChoicePosition(r, m_grid.TextMatrix(r, 1));
        if (k < 0 || k >= Combo1.items.size())
            k = 0;
        choose(k, false);
        Text1.visible = false;
        Combo1.visible = passesTopTest(Combo1.top);
        break;
    }
    case ParamEditorKind::NoneHidePanel:
        panelVisible = false;
        Combo1.visible = false;
        Text1.visible = false;
        break;
    case ParamEditorKind::None:
        Text1.visible = false;
        Combo1.visible = false;
        break;
    }
    if (Text1.visible)
        focus(Focus::Text1);
    else if (Combo1.visible)
        focus(Focus::Combo1);
}

// ---- Choices ----

void ParameterEditor::Combo1_Click(int index) {
    if (index < 0 || index >= Combo1.items.size())
        return;
    choose(index, true);
}

void ParameterEditor::choose(int index, bool byUser) {
    Own own(*this);
    Combo1.current = index;
    const int r = m_grid.Row();
    const QString t = Combo1.text();
    m_grid.setTextMatrix(r, 1, t);
    ParameterValues& v = m_session.param;
    if (r == 3) {
        PortMode3Chosen = false;
        PortMode3Row = 0;
        v.ConfigFlag0 = t.startsWith(u'1');
        // Only the user's choice resets the rows whose lists it shortens; showing a cell that
        // already holds choice 1 leaves them as they are.
        if (v.ConfigFlag0 && byUser) {
            m_grid.setTextMatrix(6, 1, MessageTables::at(m_session.messages.CfgText, 9));
            m_grid.setTextMatrix(7, 1, MessageTables::at(m_session.messages.CfgText, 11));
            m_grid.setTextMatrix(9, 1, QStringLiteral("1- ±0.5e"));
        }
        return;
    }
    if (isPortFunctionRow(r)) {
        if (t.startsWith(u'3')) {
            PortMode3Chosen = true;
            PortMode3Row = r;
            return;
        }
        if (PortMode3Chosen && PortMode3Row == r) {
            const MessageTables& m = m_session.messages;
            m_dialogs.messageBox(MessageTables::at(m.ExtraText, 5) + QStringLiteral("\r\n") +
                                     MessageTables::at(m.ExtraText, 6),
                                 MsgButtons::Ok, MsgIcon::Critical, MessageTables::at(m.ExtraText, 11));
        }
    }
    PortMode3Chosen = false;
    PortMode3Row = 0;
}

// ---- Keys and moves ----

void ParameterEditor::move(ParamMove m) {
    const bool next = m == ParamMove::ComboNext || m == ParamMove::TextNext;
    const bool combo = m == ParamMove::ComboNext || m == ParamMove::ComboPrevious;
    const auto target = parameterMoveTarget(m_grid.Row(), m, qm2(), m_grid.Rows() - 1);
    if (!target) {
        beep();
        return;
    }
    {
        Own own(*this);
        m_grid.setRow(*target);
    }
    Grid1_Click();
    // The scroll test reads the top of the editor that took the key, where the placement left it.
    const int top = combo ? Combo1.top : Text1.top;
    const bool fits = editorFits(gridHeight, top);
    const bool belowTop = editorBelowTop(top);
    bool scroll;
    if (next)
        scroll = !fits;
    else if (!combo)
        scroll = !(fits && belowTop);
    else
        scroll = !(m_grid.Row() == 57 && fits && belowTop);
    if (scroll && scrollToCurrentRow())
        Grid1_Click();
}

bool ParameterEditor::Combo1_KeyDown(int keyCode, int shift) {
    Text1.maxLength = m_grid.Row() == 31 ? 2 : 8;
    if (keyCode != keys::Enter)
        return false;
    if (shift == 0)
        move(ParamMove::ComboNext);
    else if (shift == keys::ShiftAlone)
        move(ParamMove::ComboPrevious);
    else
        return false;
    return true;
}

bool ParameterEditor::Text1_KeyDown(int keyCode, int shift) {
    const int r = m_grid.Row();
    ParameterValues& v = m_session.param;
    if (isDecimalRow(r)) {
        v.DecimalRowEdit = true;
        Text1.maxLength = Text1.text.contains(u'.') ? 7 : 6;
    } else if (r == 32 || r == 38 || r == 44 || r == 49 || r == 58) {
        Text1.maxLength = 2;
        v.DecimalRowEdit = false;
    } else if (r == 78 || r == 79) {
        Text1.maxLength = 6;
        v.DecimalRowEdit = false;
    } else {
        v.DecimalRowEdit = false;
    }
    if (keyCode == keys::Up) {
        move(ParamMove::TextUp);
        return true;
    }
    if (keyCode == keys::Enter || keyCode == keys::Down) {
        if (shift == 0)
            move(ParamMove::TextNext);
        else if (shift == keys::ShiftAlone)
            move(ParamMove::TextShiftPrevious);
        else
            return false;
        return true;
    }
    return false;
}

int ParameterEditor::Text1_KeyPress(int keyAscii, TypingPoint at) {
    const int r = m_grid.Row();
    if (keyAscii == keys::Backspace)
        return keyAscii;
    if (keyAscii == ',' || keyAscii == '.') {
        if (Text1.text.contains(u'.'))
            return 0;
        keyAscii = '.';
    } else if (!isDigit(keyAscii)) {
        return 0;
    }
    if (!roomToType(Text1.maxLength, Text1.text, at))
        return 0;
    const QString after = textAfterTyping(Text1.text, at, QChar(keyAscii));
    // A decimal row takes no more decimals than the division has, so its raw value is exact.
    const int decimals = int(m_session.DivisionDecimals.size());
    if (isDecimalRow(r) && ((keyAscii == '.' && decimals == 0) || decimalsOf(after) > decimals))
        return 0;
    if (const auto maximum = wholeNumberRowMaximum(r)) {
        if (keyAscii == '.')
            return 0; // a whole number
        if (basic::Val(after) > *maximum) {
            const MessageTables& m = m_session.messages;
            m_dialogs.messageBox(MessageTables::at(m.ExtraText, 20) + QStringLiteral(" 0 - %1").arg(*maximum),
                                 MsgButtons::Ok, MsgIcon::Exclamation, MessageTables::at(m.ExtraText, 11));
            return 0;
        }
    }
    return keyAscii;
}

void ParameterEditor::setText1(const QString& text) {
    if (Text1.text == text)
        return;
    Text1.text = text;
    Text1_Change();
}

void ParameterEditor::Text1_Change() {
    Own own(*this);
    const int r = m_grid.Row();
    ParameterValues& v = m_session.param;
    const int k = decimalRowIndex(r);
    const double factor = decimalFactor(m_session.DivisionDecimals);
    v.DecimalRowEdit = k >= 0;
    if (k >= 0) {
        v.ValueArray[k] = basic::roundHalfEven(basic::Val(CommaToPoint(Text1.text)) * factor);
    } else if (r == 21) {
        Text1.maxLength = 3;
        if (basic::Val(CommaToPoint(Text1.text)) < 5.0)
            setText1(QStringLiteral("5,1"));
        if (basic::Val(CommaToPoint(Text1.text)) > 9.9)
            setText1(QStringLiteral("9,9"));
    } else if (r == 78) {
        v.Word78 = qint64(basic::Val(Text1.text));
    } else if (r == 79) {
        v.Word79 = qint64(basic::Val(Text1.text));
    }

    if (!v.DecimalRowEdit) {
        m_grid.setTextMatrix(r, 1, Text1.text);
        return;
    }
    v.EditValue = basic::Val(CommaToPoint(Text1.text));
    // The value is clamped to what the indicator displays once that is known; until the range
    // set-up has been read the typed value stands.
    if (m_session.DisplayMaximum && v.EditValue > *m_session.DisplayMaximum) {
        const QString maximum = CommaToPoint(basic::Str(*m_session.DisplayMaximum));
        m_grid.setTextMatrix(r, 1, maximum);
        v.ValueArray[k] = basic::roundHalfEven(basic::Val(maximum) * factor);
    } else {
        v.EditValue = basic::roundHalfEven(v.EditValue * factor);
        m_grid.setTextMatrix(r, 1, FormatLikeMaximum(v.EditValue, m_session));
    }
}

// ---- Date/time panel ----

void ParameterEditor::Grid1_DblClick() {
    if (m_grid.Row() != 1)
        return;
    if (panelLeft * panelTop <= 0)
        panelVisible = false;
    panelTop = DTPicker1[0].top;
    panelLeft = DTPicker1[0].left;
    if (DatePanelFlag) {
        DatePanelFlag = false;
        return;
    }
    sspanel9_Default();
}

void ParameterEditor::sspanel9_Default() {
    const QString c = m_grid.TextMatrix(1, 1);
    Text13 = c.isEmpty() ? clockBoxesForToday(m_clock.currentDateTime().date()) : clockBoxesFromCell(c);
    panelVisible = true;
}

bool ParameterEditor::sspanel9_Kontrol() const {
    return clockBoxesValid(Text13);
}

void ParameterEditor::sspanel9_gelen() {
    Own own(*this);
    m_grid.setTextMatrix(1, 1, clockCellText(Text13));
}

void ParameterEditor::Image1_Click(int index) {
    if (index == 1) {
        panelVisible = false;
        return;
    }
    if (index != 0)
        return;
    if (sspanel9_Kontrol()) {
        sspanel9_gelen();
        panelVisible = false;
    } else {
        m_dialogs.messageBox(MessageTables::at(m_session.messages.ExtraText, 17), MsgButtons::Ok, MsgIcon::Critical);
    }
}

int ParameterEditor::Text13_KeyPress(int index, int keyAscii) {
    if (keyAscii == keys::Enter) {
        if (index < 5)
            focus(Focus::Text13, index + 1);
        else
            Image1_Click(0);
        return 0;
    }
    if (keyAscii == keys::Esc) {
        Image1_Click(1);
        return 0;
    }
    if (isDigit(keyAscii) || keyAscii == keys::Backspace)
        return keyAscii;
    return 0;
}
