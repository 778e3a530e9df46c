#include "pages/parametereditor.h"

#include "app/languagefile.h"
#include "link/textroutines.h"
#include "pages/gridlayout.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "session/session.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// The parameter page laid out with the shipped English texts, and its editors.
class ParameterEditorTest : public ::testing::Test {
protected:
    void SetUp() override { build(QStringLiteral("QM2")); }

    void build(const QString& model) {
        editor.reset();
        session.ModelName = model;
        applyToMessageTables(readLanguageFile(QStringLiteral(VELMORA_SOURCE_DIR "/LANGUAGE/English.txt")),
                             session.messages);
        GridDüzen(GridParameters, grid, session);
        editor = std::make_unique<ParameterEditor>(grid, session, dialogs, clock, EditorServices{[this] { ++beeps; }});
    }

    void place(int row) {
        grid.setRow(row);
        editor->Grid1_Click();
    }
    // Types one character into Text1 as the key filter lets it through.
    void type(const QString& text) {
        for (QChar c : text) {
            const int r = editor->Text1_KeyPress(c.unicode(), {int(editor->Text1.text.size()), 0});
            if (r > 0 && r != keys::Backspace) {
                editor->Text1.text += QChar(r);
                editor->Text1_Change();
            }
        }
    }
    QString cfg(int k) const { return MessageTables::at(session.messages.CfgText, k); }
    QString msg(int k) const { return MessageTables::at(session.messages.MsgText, k); }

    Session session;
    GridPage grid;
    ScriptedDialogs dialogs;
    VirtualClock clock;
    std::unique_ptr<ParameterEditor> editor;
    int beeps = 0;
};

// Lists written as the elements they hold: "c6" is CfgText(6), "m14" MsgText(14), other words stand.
QStringList expand(const QString& written, const std::function<QString(int)>& cfg,
                   const std::function<QString(int)>& msg) {
    QStringList out;
    for (const QString& w : written.split(u'|')) {
        if (w.startsWith(u'c') && w.size() > 1 && w[1].isDigit())
            out << cfg(w.mid(1).toInt());
        else if (w.startsWith(u'm') && w.size() > 1 && w[1].isDigit())
            out << msg(w.mid(1).toInt());
        else
            out << w;
    }
    return out;
}

TEST_F(ParameterEditorTest, EveryRowGetsItsEditorAndChoiceListOnBothModels) {
    const QString baud = "0-1200|1-2400|2-4800|3-9600|4-19200|5-38400|6-57600";
    const QString parity = "0- 8 bit,NONE parity|1- 7 bit,ODD parity|2- 7 bit,EVEN parity";
    // Lists on QM2 with ConfigFlag0 clear; rows 8 and 51 shrink on QM1.
    const std::map<int, QString> lists{
        {3, "c2|c3"},
        {4, "c4|c5"},
        {5, "c6|c7|c8"},
        {6, "c6|c9|c10"},
        {7, "c6|c11|c12|c13"},
        {8, "c6|c14|c15"},
        {9, QString("0- ±0.3e|1- ±0.5e|2- ±1.0e|3- ±2.0e|4") + cfg(16).mid(1)},
        {10, "m14|m15|m16"},
        {13, "00|01|02|03|04|05|06|07|08|09"},
        {14, "c17|c18|c19|c20|c21"},
        {15, "c6|c22|c23|c24|c25|c26"},
        {16, "c6|c22|c23|c24|c25|c26"},
        {17, "c6|c22|c23|c24|c25|c26"},
        {22, "c30|c31"},
        {23, "c28|c32|c33"},
        {24, "c34|c35"},
        {25, "c28|c29"},
        {26, "c6|c36|c37|c38"},
        {27, "m17|m18"},
        {29, "c6|c40|c41|c42"},
        {35, "c6|c40|c41|c42"},
        {41, "c6|c40|c41|c42|c43"},
        {48, "c6|c40|c41|c42|c43"},
        {30, baud},
        {36, baud},
        {42, baud},
        {31, "c44|c45"},
        {43, "c44|c45"},
        {37, "c44|c45|c46"},
        {33, parity},
        {39, parity},
        {46, parity},
        {45, "c47|c48|c49"},
        {51, "c50|c51|m2|c52"},
        {52, "c6|c53"},
        {53, "c6|c39"},
        {59, "c6|c39"},
        {54, "c6|c54|c55|c56"},
        {55, "c6|c54|c55|c56"},
        {57, "c57|c58|c59"},
        {60, "1|2|3|4|5|6|7|8|9"},
    };
    const std::map<int, int> textLimits{{18, 6}, {19, 2}, {20, 6}, {32, 2}, {38, 2}, {44, 2},
                                        {49, 2}, {56, 6}, {58, 2}, {78, 6}, {79, 6}};
    auto C = [this](int k) { return cfg(k); };
    auto M = [this](int k) { return msg(k); };
    for (const char* model : {"QM2", "QM1"}) {
        build(QString::fromLatin1(model));
        const bool qm2 = session.isQM2();
        for (int row = 2; row < 84; ++row) {
            SCOPED_TRACE(testing::Message() << model << " row " << row);
            editor->Text1.maxLength = 99;
            place(row);
            if (const auto it = lists.find(row); it != lists.end()) {
                QStringList expected = expand(it->second, C, M);
                if (!qm2 && row == 8)
                    expected.removeLast();
                if (!qm2 && row == 51)
                    expected = expected.mid(0, 2);
                EXPECT_EQ(editor->Combo1.items, expected);
                EXPECT_TRUE(editor->Combo1.visible) << "rows of no height too: the keys reach them";
                EXPECT_FALSE(editor->Text1.visible);
                EXPECT_EQ(editor->Combo1.row, row);
            } else if (const auto limit = textLimits.find(row); limit != textLimits.end()) {
                EXPECT_TRUE(editor->Text1.visible);
                EXPECT_FALSE(editor->Combo1.visible);
                EXPECT_EQ(editor->Text1.maxLength, limit->second);
            } else if (row == 21) {
                EXPECT_TRUE(editor->Text1.visible); // its limit comes with a change of the text
            } else if (row == 80 || row == 81) {
                EXPECT_EQ(editor->Text1.maxLength, 99) << "untouched";
            } else {
                EXPECT_FALSE(editor->Text1.visible);
                EXPECT_FALSE(editor->Combo1.visible);
            }
        }
    }
}

TEST_F(ParameterEditorTest, PlacementSelectsTheCellsItemAndWritesItBack) {
    struct Case {
        int row;
        QString cell;
        int position;
    } cases[] = {
        {13, "07", 7}, {13, "7", 7}, {60, "5", 4}, {60, "", 0}, {51, "3- x", 2}, {9, "9- nonsense", 0}, {5, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        grid.setTextMatrix(c.row, 1, c.cell);
        place(c.row);
        EXPECT_EQ(editor->Combo1.current, c.position);
        EXPECT_EQ(grid.TextMatrix(c.row, 1), editor->Combo1.items[c.position]);
    }
    EXPECT_EQ(grid.TextMatrix(13, 1), "07");

    build(QStringLiteral("QM1"));
    grid.setTextMatrix(51, 1, QStringLiteral("3- x"));
    place(51);
    EXPECT_EQ(grid.TextMatrix(51, 1), cfg(50)) << "QM1 offers two items: a 3 becomes item 0";

    session.param.ConfigFlag0 = true;
    grid.setTextMatrix(9, 1, QStringLiteral("3- ±2.0e"));
    place(9);
    EXPECT_EQ(editor->Combo1.items.size(), 2);
    EXPECT_EQ(grid.TextMatrix(9, 1), "0- ±0.3e");
}

TEST_F(ParameterEditorTest, RowThreeResetsItsDependentRowsOnlyWhenTheUserChooses) {
    for (int r : {6, 7, 9})
        grid.setTextMatrix(r, 1, QStringLiteral("2- kept"));
    grid.setTextMatrix(3, 1, cfg(3));
    place(3);
    EXPECT_TRUE(session.param.ConfigFlag0) << "placement reads the flag from the cell";
    for (int r : {6, 7, 9})
        EXPECT_EQ(grid.TextMatrix(r, 1), "2- kept") << "placement resets nothing, row " << r;

    editor->Combo1_Click(0);
    EXPECT_FALSE(session.param.ConfigFlag0);
    editor->Combo1_Click(1);
    EXPECT_TRUE(session.param.ConfigFlag0);
    EXPECT_EQ(grid.TextMatrix(6, 1), cfg(9));
    EXPECT_EQ(grid.TextMatrix(7, 1), cfg(11));
    EXPECT_EQ(grid.TextMatrix(9, 1), "1- ±0.5e");
    place(7);
    EXPECT_EQ(editor->Combo1.items.size(), 2) << "the short list while the flag is set";

    place(3);
    editor->Combo1_Click(0);
    EXPECT_EQ(grid.TextMatrix(7, 1), cfg(11)) << "choice 0 leaves the rows as they are";
    place(7);
    EXPECT_EQ(editor->Combo1.items.size(), 4);
}

TEST_F(ParameterEditorTest, LeavingPortFunctionThreeWarnsOnlyRightAfterIt) {
    grid.setTextMatrix(41, 1, cfg(42));
    place(41); // showing choice 3 arms the warning
    EXPECT_TRUE(dialogs.shown.isEmpty());
    editor->Combo1_Click(0);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown.value(0).icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.shown.value(0).title, MessageTables::at(session.messages.ExtraText, 11));
    const MessageTables& m = session.messages;
    EXPECT_FALSE(MessageTables::at(m.ExtraText, 6).isEmpty());
    EXPECT_EQ(dialogs.shown.value(0).text,
              MessageTables::at(m.ExtraText, 5) + QStringLiteral("\r\n") + MessageTables::at(m.ExtraText, 6))
        << "the warning and, on its own line, what to do";
    EXPECT_EQ(grid.TextMatrix(41, 1), cfg(6)) << "the new choice stays";

    editor->Combo1_Click(3);
    place(35); // a choice event on another row forgets the 3
    place(41);
    editor->Combo1_Click(0);
    EXPECT_EQ(dialogs.shown.size(), 2) << "placement on row 41 showing 3 armed it again";
    editor->Combo1_Click(3);
    place(42);
    place(41);
    editor->Combo1_Click(1);
    EXPECT_EQ(dialogs.shown.size(), 3);
    editor->Combo1_Click(0);
    EXPECT_EQ(dialogs.shown.size(), 3) << "only the change away from 3 warns";
}

TEST_F(ParameterEditorTest, KeyboardMovesSkipSectionsAndOtherModelRows) {
    struct Case {
        const char* model;
        bool combo;
        int key;
        int shift;
        int from;
        int to; // 0: Beep, the row stays
    } cases[] = {
        {"QM2", true, keys::Enter, 0, 3, 4},    {"QM2", true, keys::Enter, 0, 10, 13},
        {"QM2", true, keys::Enter, 1, 13, 10},  {"QM1", true, keys::Enter, 0, 13, 15},
        {"QM1", true, keys::Enter, 0, 17, 22},  {"QM1", true, keys::Enter, 0, 26, 29},
        {"QM1", true, keys::Enter, 0, 51, 53},  {"QM1", true, keys::Enter, 0, 53, 56},
        {"QM1", true, keys::Enter, 1, 53, 51},  {"QM2", true, keys::Enter, 1, 53, 52},
        {"QM1", true, keys::Enter, 1, 29, 26},  {"QM1", true, keys::Enter, 1, 23, 21},
        {"QM1", true, keys::Enter, 1, 15, 13},  {"QM2", true, keys::Enter, 0, 17, 18},
        {"QM2", true, keys::Enter, 1, 29, 27},  {"QM2", true, keys::Enter, 0, 60, 63},
        {"QM1", true, keys::Enter, 1, 3, 1},    {"QM2", false, keys::Enter, 0, 21, 23},
        {"QM2", false, keys::Down, 0, 79, 82},  {"QM2", false, keys::Up, 0, 32, 31},
        {"QM1", false, keys::Enter, 1, 56, 53}, {"QM2", false, keys::Enter, 1, 56, 55},
        {"QM1", false, keys::Up, 0, 56, 55},    {"QM2", false, keys::Enter, 0, 58, 59},
        {"QM2", false, keys::Up, 0, 1, 0},      {"QM2", false, keys::Enter, 0, 83, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << (c.combo ? " Combo1 " : " Text1 ") << c.from);
        build(QString::fromLatin1(c.model));
        place(c.from);
        beeps = 0;
        EXPECT_TRUE(c.combo ? editor->Combo1_KeyDown(c.key, c.shift) : editor->Text1_KeyDown(c.key, c.shift));
        EXPECT_EQ(grid.Row(), c.to ? c.to : c.from);
        EXPECT_EQ(beeps, c.to ? 0 : 1);
    }
}

TEST_F(ParameterEditorTest, MovesScrollAsTheEditorLeavesTheGrid) {
    editor->gridHeight = 10 * 280;
    place(3);
    for (int i = 0; i < 3; ++i)
        editor->Combo1_KeyDown(keys::Enter, 0);
    EXPECT_EQ(grid.Row(), 6);
    EXPECT_EQ(grid.TopRow(), 1) << "still within the grid";
    editor->Combo1_KeyDown(keys::Enter, 0);
    editor->Combo1_KeyDown(keys::Enter, 0);
    EXPECT_EQ(grid.Row(), 8);
    EXPECT_EQ(grid.TopRow(), 8) << "a move past the bottom brings the row to the top";
    EXPECT_TRUE(editor->Combo1.visible) << "placed again after the scroll";
    const int top = grid.TopRow();
    editor->Combo1_KeyDown(keys::Enter, 1);
    EXPECT_EQ(grid.TopRow(), grid.Row()) << "Shift+Enter in the choice box scrolls on every row but 57";
    EXPECT_LT(grid.TopRow(), top);

    // Shift+Enter onto row 57 keeps the view while the row stands well inside it; any other row
    // comes to the top.
    editor->gridHeight = 30 * 280;
    grid.setTopRow(50);
    grid.setRow(58); // the choice box keeps the key of the row it was on
    editor->Combo1_KeyDown(keys::Enter, keys::ShiftAlone);
    EXPECT_EQ(grid.Row(), 57);
    EXPECT_EQ(grid.TopRow(), 50);
    place(60);
    editor->Combo1_KeyDown(keys::Enter, keys::ShiftAlone);
    EXPECT_EQ(grid.Row(), 59);
    EXPECT_EQ(grid.TopRow(), 59);
}

TEST_F(ParameterEditorTest, EditorsOverRowsScrolledUnderTheHeadingStayHidden) {
    grid.setTopRow(10);
    place(9);
    EXPECT_FALSE(editor->Combo1.visible) << "the row above the first in view";
    EXPECT_FALSE(editor->Text1.visible);
    place(10);
    EXPECT_TRUE(editor->Combo1.visible);
    place(5);
    EXPECT_FALSE(editor->Combo1.visible);
    place(18);
    EXPECT_TRUE(editor->Text1.visible);
    grid.setTopRow(20);
    place(18);
    EXPECT_FALSE(editor->Text1.visible);
}

TEST_F(ParameterEditorTest, TextRowsKeepToTheirRulesAndWorkingValues) {
    session.DivisionDecimals = QStringLiteral("5");
    session.DisplayMaximum = 3000.9;
    place(18);
    type(QStringLiteral("12,5"));
    EXPECT_EQ(editor->Text1.text, "12.5") << "the comma is typed as a point";
    EXPECT_EQ(session.param.ValueArray[0], 125);
    EXPECT_EQ(grid.TextMatrix(18, 1), FormatLikeMaximum(125.0, session));
    type(QStringLiteral("7.-a"));
    EXPECT_EQ(editor->Text1.text, "12.5") << "a second decimal, a second point, signs and letters are dropped";

    editor->setText1(QString());
    type(QStringLiteral("5000"));
    EXPECT_EQ(editor->Text1.text, "5000") << "the editor keeps what was typed";
    EXPECT_EQ(grid.TextMatrix(18, 1), "3000.9");
    EXPECT_EQ(session.param.ValueArray[0], 30009);

    session.DisplayMaximum.reset();
    place(20);
    editor->setText1(QString());
    type(QStringLiteral("5000"));
    EXPECT_EQ(grid.TextMatrix(20, 1), "50000") << "no maximum known yet: nothing is clamped";
    EXPECT_EQ(session.param.ValueArray[1], 50000);

    session.DivisionDecimals.clear();
    place(56);
    editor->setText1(QString());
    type(QStringLiteral("7.5"));
    EXPECT_EQ(editor->Text1.text, "75") << "no decimals at all without a decimal division";
    EXPECT_EQ(session.param.ValueArray[2], 75);

    grid.setTextMatrix(19, 1, QStringLiteral("7"));
    place(19);
    editor->setText1(QString());
    type(QStringLiteral("1.,5"));
    EXPECT_EQ(editor->Text1.text, "15") << "row 19 holds a whole number";
    grid.setTextMatrix(19, 1, QStringLiteral("7"));
    place(19);
    place(21);
    EXPECT_EQ(editor->Text1.text, "5,1") << "an empty cell is raised to the least value";
    EXPECT_EQ(editor->Text1.maxLength, 3);
    EXPECT_EQ(grid.TextMatrix(21, 1), "5,1");
    editor->Text1.text = QStringLiteral("4"); // typed over the selected text
    editor->Text1_Change();
    EXPECT_EQ(editor->Text1.text, "5,1");
    editor->setText1(QStringLiteral("5"));
    EXPECT_EQ(editor->Text1.text, "5") << "5 itself is not below 5";
    EXPECT_EQ(grid.TextMatrix(21, 1), "5");
    editor->setText1(QStringLiteral("9"));
    type(QStringLiteral(".9"));
    EXPECT_EQ(editor->Text1.text, "9.9");
    type(QStringLiteral("9"));
    EXPECT_EQ(editor->Text1.text, "9.9") << "the limit of 3";
    editor->setText1(QStringLiteral("12"));
    EXPECT_EQ(grid.TextMatrix(21, 1), "9,9");

    place(78);
    type(QStringLiteral("65535"));
    EXPECT_EQ(session.param.Word78, 65535);
    EXPECT_EQ(grid.TextMatrix(78, 1), "65535");
    type(QStringLiteral("0"));
    EXPECT_EQ(editor->Text1.text, "65535") << "655350 does not fit in 16 bits";
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown.value(0).text.endsWith(QStringLiteral("0 - 65535")));
    editor->setText1(QStringLiteral("6"));
    type(QStringLiteral(".5"));
    EXPECT_EQ(editor->Text1.text, "65") << "whole-number rows take digits only";
    EXPECT_EQ(session.param.Word78, 65);

    place(31);
    editor->Combo1_KeyDown(keys::Down, 0);
    EXPECT_EQ(editor->Text1.maxLength, 2) << "any key in the choice box on row 31";
    place(30);
    editor->Combo1_KeyDown(keys::Down, 0);
    EXPECT_EQ(editor->Text1.maxLength, 8);
}

TEST_F(ParameterEditorTest, DatePanelOpensFillsAndWritesTheClockRow) {
    place(1);
    EXPECT_FALSE(editor->Text1.visible);
    EXPECT_FALSE(editor->Combo1.visible);
    EXPECT_EQ(editor->DTPicker1[1].left, editor->DTPicker1[0].left + editor->DTPicker1[0].width);

    editor->DatePanelFlag = true;
    editor->Grid1_DblClick();
    EXPECT_FALSE(editor->panelVisible) << "the first double click after the page switch only clears the flag";
    EXPECT_FALSE(editor->DatePanelFlag);

    clock.setDateTime(QDateTime(QDate(2024, 3, 8), QTime(9, 0)));
    editor->Grid1_DblClick();
    EXPECT_TRUE(editor->panelVisible);
    EXPECT_EQ(editor->Text13, (ClockBoxes{"8", "3", "24", "00", "00", "00"}));
    EXPECT_EQ(editor->panelTop, editor->DTPicker1[0].top);
    editor->Text13[3].clear();
    editor->Text13_KeyPress(5, keys::Enter); // Enter on the last box is OK
    EXPECT_FALSE(editor->panelVisible);
    EXPECT_EQ(grid.TextMatrix(1, 1), "08-03-24 \\ 00:00:00");

    grid.setTextMatrix(1, 1, QStringLiteral("05-11-07 \\ 14:30:00"));
    editor->Grid1_DblClick();
    EXPECT_EQ(editor->Text13, (ClockBoxes{"05", "11", "07", "14", "30", "00"}));
    editor->Text13[0] = QStringLiteral("30");
    editor->Text13[1] = QStringLiteral("02");
    editor->Image1_Click(0);
    EXPECT_TRUE(editor->panelVisible) << "30 February does not exist";
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown.value(0).text, MessageTables::at(session.messages.ExtraText, 17));
    EXPECT_EQ(grid.TextMatrix(1, 1), "05-11-07 \\ 14:30:00");
    EXPECT_EQ(editor->Text13_KeyPress(2, 'a'), 0);
    EXPECT_EQ(editor->Text13_KeyPress(2, keys::Esc), 0);
    EXPECT_FALSE(editor->panelVisible) << "Esc cancels";
    EXPECT_EQ(grid.TextMatrix(1, 1), "05-11-07 \\ 14:30:00");

    place(5);
    grid.setRow(2);
    editor->Grid1_DblClick();
    EXPECT_FALSE(editor->panelVisible) << "only row 1 opens the panel";
}

TEST(ClockBoxes, RefuseImpossibleDatesAndTimes) {
    auto valid = [](ClockBoxes b) { return clockBoxesValid(b); };
    EXPECT_TRUE(valid({"31", "1", "24", "23", "59", "59"}));
    EXPECT_TRUE(valid({"29", "02", "24", "", "", ""})) << "2024 is a leap year; empty time boxes are 00";
    EXPECT_FALSE(valid({"29", "02", "23", "00", "00", "00"}));
    EXPECT_FALSE(valid({"31", "04", "24", "00", "00", "00"}));
    EXPECT_FALSE(valid({"0", "1", "24", "00", "00", "00"}));
    EXPECT_FALSE(valid({"1", "13", "24", "00", "00", "00"}));
    EXPECT_FALSE(valid({"1", "1", "00", "00", "00", "00"}));
    EXPECT_FALSE(valid({"1", "1", "24", "24", "00", "00"}));
    EXPECT_FALSE(valid({"1", "1", "24", "00", "60", "00"}));
    EXPECT_FALSE(valid({"1", "1", "24", "00", "00", "60"}));
    EXPECT_FALSE(valid({"1", "1", "24", "ab", "00", "00"}));
    EXPECT_EQ(clockCellText({"5", "11", "7", "", "3", "0"}), "05-11-07 \\ 00:03:00");
}

} // namespace
