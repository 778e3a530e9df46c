#include "pages/memoryeditors.h"

#include "pages/gridlayout.h"
#include "session/session.h"

#include <gtest/gtest.h>

namespace {

// Types a text at the end of a box through its key filter, as the window does.
template <typename Press>
void typeInto(FloatingBox& box, const QString& text, Press press, std::function<void()> changed) {
    for (QChar c : text) {
        const int r = press(c.unicode(), TypingPoint{int(box.text.size()), 0});
        if (r >= 32) {
            box.text += QChar(r);
            changed();
        }
    }
}

class MemoryEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int n : {GridIdMemories, GridSetpoints, GridPresetTares})
            GridDüzen(n, grids[n], session);
    }
    EditorServices services() {
        return {[this] { ++beeps; }};
    }
    void place(GridEditor& e, int row) {
        e.grid().setRow(row);
        if (auto* id = dynamic_cast<IdMemoryEditor*>(&e))
            id->Grid1_Click();
        else if (auto* sp = dynamic_cast<SetpointEditor*>(&e))
            sp->Grid1_Click();
        else if (auto* pt = dynamic_cast<PresetTareEditor*>(&e))
            pt->Grid1_Click();
    }

    Session session;
    GridPage grids[kGridCount];
    int beeps = 0;
};

TEST_F(MemoryEditorTest, IdBoxesFilterLimitMoveAndWriteTheirCells) {
    GridPage& g = grids[GridIdMemories];
    IdMemoryEditor e(g, services());
    g.setTextMatrix(12, 1, QStringLiteral("12  "));
    place(e, 12);
    EXPECT_EQ(e.Text2.text, "12");
    EXPECT_EQ(g.TextMatrix(12, 1), "12") << "the cell loses its trailing blanks";
    EXPECT_EQ(e.takeFocus(), IdMemoryEditor::Focus::Text2);

    auto type2 = [&](const QString& t) {
        typeInto(
            e.Text2, t, [&](int a, TypingPoint p) { return e.Text2_KeyPress(a, p); }, [&] { e.Text2_Change(); });
    };
    auto type3 = [&](const QString& t) {
        typeInto(
            e.Text3, t, [&](int a, TypingPoint p) { return e.Text3_KeyPress(a, p); }, [&] { e.Text3_Change(); });
    };
    type2(QStringLiteral("34x5678"));
    EXPECT_EQ(e.Text2.text, "123456") << "a letter Beeps, a seventh digit finds no room";
    EXPECT_EQ(beeps, 1);
    g.setColAlignment(1, GridAlignment::CenterCenter);
    g.setColAlignment(2, GridAlignment::CenterCenter);
    type3(QStringLiteral("Şeker ağırlık Ö12"));
    EXPECT_EQ(e.Text3.text, "Şeker ağırlık Ö1") << "names take any key, 16 of them";
    EXPECT_EQ(g.TextMatrix(12, 2), e.Text3.text);
    EXPECT_EQ(g.ColAlignment(2), GridAlignment::LeftCenter) << "a name typed in sets its column left";
    EXPECT_EQ(g.ColAlignment(1), GridAlignment::CenterCenter);

    EXPECT_TRUE(e.Text2_KeyDown(keys::Enter, 0));
    EXPECT_EQ(e.takeFocus(), IdMemoryEditor::Focus::Text3);
    EXPECT_TRUE(e.Text3_KeyDown(keys::Enter, 0));
    EXPECT_EQ(g.Row(), 13);

    place(e, 3);
    beeps = 0;
    e.Text2_KeyDown(keys::Up, 0);
    e.Text3_KeyDown(keys::Up, 0);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(beeps, 2);
    e.Text2_KeyDown(keys::Enter, keys::ShiftAlone);
    EXPECT_EQ(g.Row(), 2) << "Shift+Enter goes on to the hidden title row";
    e.Text2.text = QStringLiteral("77");
    e.Text2_Change();
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.TextMatrix(3, 1), "77") << "what is typed there goes into row 3";
    EXPECT_EQ(g.TextMatrix(2, 1), "");

    place(e, 101);
    beeps = 0;
    e.Text2_KeyDown(keys::Down, 0);
    e.Text3_KeyDown(keys::Enter, 0);
    EXPECT_EQ(g.Row(), 101);
    EXPECT_EQ(beeps, 2);
}

TEST_F(MemoryEditorTest, FixedIdBoxesMirrorTheTitleRows) {
    GridPage& g = grids[GridIdMemories];
    IdMemoryEditor e(g, services());
    e.Text11_Change(2, QStringLiteral("42"));
    e.Text11_Change(3, QStringLiteral("Driver"));
    EXPECT_EQ(g.TextMatrix(2, 1), "42");
    EXPECT_EQ(g.TextMatrix(2, 2), "Driver");
    e.Text11_Change(2, QString());
    EXPECT_EQ(g.TextMatrix(2, 1), "");

    EXPECT_EQ(e.Text11_KeyPress(0, 'a', QString(), {0, 0}), 0);
    EXPECT_EQ(e.Text11_KeyPress(1, 'a', QString(), {0, 0}), 'a');
    EXPECT_EQ(e.Text11_KeyPress(1, 'a', QString(16, u'x'), {16, 0}), 0) << "names hold 16 characters";
    EXPECT_EQ(e.Text11_KeyPress(1, 'a', QString(16, u'x'), {0, 16}), 'a') << "typing over a selection";
    const int moves[4][5] = {// Enter, Left, Up, Right, Down
                             {1, -1, -1, 1, 2},
                             {2, 0, -1, -1, 3},
                             {3, -1, 0, 3, -1},
                             {-1, 2, 1, -1, -1}};
    const int keysInOrder[5] = {keys::Enter, keys::Left, keys::Up, keys::Right, keys::Down};
    for (int box = 0; box < 4; ++box)
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(IdMemoryEditor::Text11_KeyDown(box, keysInOrder[k]), moves[box][k]) << box << " " << k;
}

TEST_F(MemoryEditorTest, SetpointsTakeOneCommaAndTheDivisionsDecimals) {
    GridPage& g = grids[GridSetpoints];
    SetpointEditor e(g, session, services());
    g.setTextMatrix(5, 2, QStringLiteral(" 4,5 "));
    session.DivisionDecimals = QStringLiteral("05");
    session.DisplayMaximum = 3000.09;
    place(e, 5);
    EXPECT_EQ(e.Text5[1].text, "4,5");
    EXPECT_EQ(g.TextMatrix(5, 2), "4,5");
    auto type = [&](int i, const QString& t) {
        typeInto(
            e.Text5[i], t, [&](int a, TypingPoint p) { return e.Text5_KeyPress(i, a, p); }, [&] { e.Text5_Change(i); });
    };
    beeps = 0;
    type(1, QStringLiteral("5,.79"));
    EXPECT_EQ(e.Text5[1].text, "4,55") << "a second comma, a point and further decimals Beep";
    EXPECT_EQ(beeps, 4);
    session.DivisionDecimals.clear();
    type(0, QStringLiteral("12,3"));
    EXPECT_EQ(e.Text5[0].text, "123") << "no comma on a scale without decimals";
    type(0, QStringLiteral("45678"));
    EXPECT_EQ(e.Text5[0].text.size(), 7);

    // No range set-up read yet: the scale is not known, so decimals are taken (the send checks
    // them), but still one comma only.
    session.DisplayMaximum.reset();
    e.setText5(0, QString());
    beeps = 0;
    type(0, QStringLiteral("12,5,75"));
    EXPECT_EQ(e.Text5[0].text, "12,575");
    EXPECT_EQ(beeps, 1) << "the second comma";
    e.setText5(0, QStringLiteral("1,2"));
    EXPECT_EQ(e.Text5_KeyPress(0, ',', {1, 1}), ',') << "a comma typed over the comma";
    EXPECT_EQ(e.Text5_KeyPress(0, ',', {3, 0}), 0);
    session.DisplayMaximum = 3000;

    EXPECT_TRUE(e.Text5_KeyDown(2, keys::Enter, 0));
    EXPECT_EQ(g.Row(), 6);
    EXPECT_EQ(e.takeFocus(), 0) << "the placement gives the first box the focus";
    EXPECT_TRUE(e.Text5_KeyDown(1, keys::Enter, keys::ShiftAlone));
    EXPECT_EQ(e.takeFocus(), 0);
    place(e, 9);
    beeps = 0;
    e.Text5_KeyDown(2, keys::Enter, 0);
    place(e, 1);
    e.Text5_KeyDown(0, keys::Enter, keys::ShiftAlone);
    EXPECT_EQ(beeps, 0) << "Enter past either end does nothing, quietly";
    e.Text5_KeyDown(0, keys::Up, 0);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(g.Row(), 1);

    g.setTopRow(3);
    place(e, 1);
    EXPECT_FALSE(e.Text5[0].visible) << "a row scrolled above the grid shows no box";
}

TEST_F(MemoryEditorTest, PresetTaresTakeEightDigitsAndMoveWithEnter) {
    GridPage& g = grids[GridPresetTares];
    PresetTareEditor e(g, services());
    place(e, 4);
    typeInto(
        e.Text7, QStringLiteral("12a3456789"), [&](int a, TypingPoint p) { return e.Text7_KeyPress(a, p); },
        [&] { e.Text7_Change(); });
    EXPECT_EQ(g.TextMatrix(4, 1), "12345678");
    EXPECT_EQ(beeps, 1);
    e.Text7_KeyDown(keys::Enter, keys::ShiftAlone);
    EXPECT_EQ(g.Row(), 5);
    place(e, 1);
    e.Text7_KeyDown(keys::Up, 0);
    EXPECT_EQ(beeps, 2);
}

TEST_F(MemoryEditorTest, ChangesMadeElsewhereHideTheEditors) {
    GridPage& g = grids[GridPresetTares];
    PresetTareEditor e(g, services());
    int hidden = 0;
    e.hiddenByChange = [&] { ++hidden; };
    place(e, 4);
    ASSERT_TRUE(e.Text7.visible);
    e.Text7.text = QStringLiteral("5");
    e.Text7_Change();
    e.Text7_KeyDown(keys::Down, 0);
    EXPECT_TRUE(e.Text7.visible) << "the editor's own writes and moves keep it";
    hidden = 0;
    {
        GridPage::Batch batch(g);
        g.setTextMatrix(5, 1, QStringLiteral("900"));
        g.setTextMatrix(6, 1, QStringLiteral("901"));
    }
    EXPECT_FALSE(e.Text7.visible) << "a refill of the page";
    EXPECT_EQ(hidden, 1);
    place(e, 5);
    EXPECT_EQ(e.Text7.text, "900");
    g.setRow(20);
    EXPECT_FALSE(e.Text7.visible) << "the current row moved by someone else";
}

} // namespace
