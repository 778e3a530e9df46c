#include "pages/gridlayout.h"
#include "pages/memoryeditors.h"
#include "pages/pagesprocs.h"
#include "pages/parametereditor.h"
#include "platform/files.h"
#include "support/filesizelimit.h"
#include "support/userinput.h"
#include "support/windowfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include <optional>

namespace {

// A whole window on the offscreen platform; the pages are driven through their widgets.
class PagesWindowTest : public ::testing::Test {
protected:
    void start(const QString& model) {
        ASSERT_TRUE(f.start(model));
        f.program->pages.beep = [this] { ++beeps; };
        f.program->window.show();
        QApplication::setActiveWindow(&f.program->window);
    }
    MainWidgets& w() { return f.w(); }
    GridPage& grid(int n) { return *f.program->ctx.Grid1[n]; }
    QWidget* focus() { return QApplication::focusWidget(); }

    void clickCell(int n, int pageRow, int col, bool twice = false) { ::clickCell(w().Grid1[n], pageRow, col, twice); }
    void enter(QWidget* to, Qt::KeyboardModifiers m = Qt::NoModifier) { pressKey(to, Qt::Key_Return, m, "\r"); }
    // One notch of the wheel (down for a negative step) over the middle of a widget.
    void wheel(QWidget* over, int notches) {
        const QPointF at = QRectF(over->rect()).center();
        QWheelEvent e(at, over->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &e);
    }
    // Pastes the clipboard through the box's own menu.
    void pasteFromMenu(QWidget* box) {
        bool pasted = false;
        // The menu runs its own loop (or pops up after the event): pick Paste there, and never
        // leave a menu open.
        QTimer::singleShot(0, [&] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* menu = qobject_cast<QMenu*>(top);
                if (!menu || !menu->isVisible())
                    continue;
                for (QAction* a : menu->actions()) {
                    if (a->text().startsWith(QLatin1String("&Paste")) && a->isEnabled()) {
                        a->trigger();
                        pasted = true;
                    }
                }
                menu->close();
            }
        });
        QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(box, &e);
        QApplication::processEvents();
        EXPECT_TRUE(pasted);
    }
    // Drags a text from elsewhere over the box's end and drops it there. It goes through the window,
    // which hands a drag only to a box that takes drops. Shift asks for a move, as a drag out of
    // another box does. Gives back the action the drop reports to where the text came from: on a
    // move that box removes its text.
    Qt::DropAction drop(QWidget* box, const QString& text, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QMimeData data;
        data.setText(text);
        QWindow* window = box->window()->windowHandle();
        const QPoint at = box->mapTo(box->window(), QPoint(box->width() - 2, box->height() / 2));
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, m);
        QApplication::sendEvent(window, &enter);
        QDropEvent e(at, actions, &data, Qt::LeftButton, m);
        QApplication::sendEvent(window, &e);
        return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
    }
    void pasteKey(QWidget* box, const QString& clipboard) {
        QApplication::clipboard()->setText(clipboard);
        pressKey(box, Qt::Key_V, Qt::ControlModifier);
    }
    // X11 gives the Delete key the text U+007F.
    void del(QWidget* box) { pressKey(box, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f))); }

    // The editor stands over the cell of the given row and column.
    bool over(QWidget* editor, int n, int pageRow, int col) {
        const QRect cell = w().Grid1[n]->visualRect(w().Grid1[n]->model()->index(pageRow - 1, col));
        return !editor->isHidden() && cell.contains(editor->geometry().center());
    }

    WindowFixture f;
    int beeps = 0;
};

TEST_F(PagesWindowTest, ParameterPageChooseTypeAndMoveWithTheKeys) {
    start(QStringLiteral("QM2"));
    Session& s = f.session();
    w().SSTab1->setCurrentIndex(4);
    clickCell(GridParameters, 5, 0); // the label column places the same editor
    ASSERT_TRUE(over(w().Combo1, GridParameters, 5, 1));
    EXPECT_EQ(focus(), w().Combo1);
    pressKey(w().Combo1, Qt::Key_Down);
    EXPECT_EQ(grid(GridParameters).TextMatrix(5, 1), w().Combo1->itemText(1));
    enter(w().Combo1);
    EXPECT_TRUE(over(w().Combo1, GridParameters, 6, 1));

    clickCell(GridParameters, 78, 1);
    ASSERT_TRUE(over(w().Text1, GridParameters, 78, 1));
    EXPECT_TRUE(w().Combo1->isHidden());
    EXPECT_EQ(focus(), w().Text1);
    typeKeys(w().Text1, QStringLiteral("6a5-535"));
    EXPECT_EQ(w().Text1->text(), "65535");
    EXPECT_EQ(s.param.Word78, 65535);
    typeKeys(w().Text1, QStringLiteral("1"));
    EXPECT_EQ(f.dialogs.messages().size(), 1) << "a value beyond 16 bits is refused with a message";
    EXPECT_EQ(grid(GridParameters).TextMatrix(78, 1), "65535");
    QApplication::clipboard()->setText(QStringLiteral("4x2"));
    w().Text1->selectAll();
    pressKey(w().Text1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w().Text1->text(), "4") << "pasted text goes through the same filter, up to the first refused key";
    enter(w().Text1);
    EXPECT_TRUE(over(w().Text1, GridParameters, 79, 1));
    enter(w().Text1);
    EXPECT_EQ(grid(GridParameters).Row(), 82) << "the two barcode rows are passed over";
    EXPECT_TRUE(w().Text1->isHidden());

    clickCell(GridParameters, 56, 1);
    f.program->app.gridDüzen(GridParameters);
    EXPECT_TRUE(w().Text1->isHidden()) << "a layout hides the editor";
}

// A decimal row takes six characters, or seven once one of them is the point, typed or pasted.
TEST_F(PagesWindowTest, DecimalRowsTakeSixDigitsOrSevenCharactersWithThePoint) {
    start(QStringLiteral("QM2"));
    Session& s = f.session();
    s.DivisionDecimals = QStringLiteral("5");
    s.DisplayMaximum = 200000.5;
    w().SSTab1->setCurrentIndex(4);
    const int rows[] = {18, 20, 56};
    for (int k = 0; k < 3; ++k) {
        clickCell(GridParameters, rows[k], 1);
        ASSERT_EQ(focus(), w().Text1) << rows[k];
        w().Text1->selectAll();
        typeKeys(w().Text1, QStringLiteral("12345.6"));
        EXPECT_EQ(w().Text1->text(), "12345.6") << rows[k];
        EXPECT_EQ(s.param.ValueArray[k], 123456) << rows[k];
        w().Text1->selectAll();
        typeKeys(w().Text1, QStringLiteral("1234567."));
        EXPECT_EQ(w().Text1->text(), "123456") << rows[k] << ": no room for a seventh digit nor for the point";
        w().Text1->selectAll();
        pasteKey(w().Text1, QStringLiteral("98765,4"));
        EXPECT_EQ(w().Text1->text(), "98765.4") << rows[k];
        EXPECT_EQ(s.param.ValueArray[k], 987654) << rows[k];
    }
}

TEST_F(PagesWindowTest, TheWheelOverAFloatingEditorScrollsItsGridAndChangesNoValue) {
    start(QStringLiteral("QM2"));
    w().SSTab1->setCurrentIndex(4);
    clickCell(GridParameters, 5, 1);
    ASSERT_TRUE(over(w().Combo1, GridParameters, 5, 1));
    const QString value = grid(GridParameters).TextMatrix(5, 1);
    ASSERT_EQ(value, w().Combo1->itemText(0));
    wheel(w().Combo1, -2);
    EXPECT_EQ(grid(GridParameters).TextMatrix(5, 1), value) << "the wheel chose nothing";
    EXPECT_EQ(w().Combo1->currentIndex(), 0);
    EXPECT_GT(grid(GridParameters).TopRow(), 1) << "the grid scrolled instead";
    EXPECT_TRUE(w().Combo1->isHidden()) << "the row went up under the heading: the top test hides the box";

    clickCell(GridParameters, 30, 1);
    ASSERT_TRUE(over(w().Combo1, GridParameters, 30, 1));
    const int top = grid(GridParameters).TopRow();
    wheel(w().Combo1, 1);
    EXPECT_LT(grid(GridParameters).TopRow(), top);
    EXPECT_TRUE(over(w().Combo1, GridParameters, 30, 1)) << "the box follows its row";
    EXPECT_EQ(grid(GridParameters).TextMatrix(30, 1), w().Combo1->itemText(0));

    w().SSTab1->setTabVisible(2, true);
    w().SSTab1->setCurrentIndex(2);
    clickCell(GridPresetTares, 20, 1);
    typeKeys(w().Text7, QStringLiteral("5"));
    const int tareTop = grid(GridPresetTares).TopRow();
    wheel(w().Text7, -2);
    EXPECT_GT(grid(GridPresetTares).TopRow(), tareTop);
    EXPECT_TRUE(w().Text7->isHidden() || over(w().Text7, GridPresetTares, 20, 1));
    EXPECT_EQ(grid(GridPresetTares).TextMatrix(20, 1), "5");
}

TEST_F(PagesWindowTest, DatePanelOpensOnRowOneAndWritesTheClock) {
    start(QStringLiteral("QM2"));
    w().SSTab1->setCurrentIndex(4);
    f.program->pages.parameters().DatePanelFlag = true;
    clickCell(GridParameters, 1, 1, true);
    EXPECT_TRUE(w().SSPanel9->isHidden()) << "the double click right after the page switch opens nothing";
    clickCell(GridParameters, 1, 1, true);
    ASSERT_FALSE(w().SSPanel9->isHidden());
    EXPECT_EQ(w().SSPanel9->parentWidget()->mapFromGlobal(w().DTPicker1[0]->mapToGlobal(QPoint())).y(),
              w().SSPanel9->y());
    EXPECT_EQ(w().Text13[0]->text(), "19") << "today from the clock";
    EXPECT_EQ(focus(), w().Text13[0]);
    for (int i = 0; i < 5; ++i)
        enter(w().Text13[i]);
    EXPECT_EQ(focus(), w().Text13[5]);
    typeKeys(w().Text13[5], QStringLiteral("x"));
    enter(w().Text13[5]);
    EXPECT_TRUE(w().SSPanel9->isHidden());
    EXPECT_EQ(grid(GridParameters).TextMatrix(1, 1), "19-05-24 \\ 00:00:00");

    clickCell(GridParameters, 1, 1, true);
    w().Text13[3]->selectAll();
    typeKeys(w().Text13[3], QStringLiteral("25"));
    enter(w().Text13[5]);
    EXPECT_FALSE(w().SSPanel9->isHidden()) << "hour 25 is refused";
    ASSERT_EQ(f.dialogs.messages().size(), 1);
    pressKey(w().Text13[2], Qt::Key_Escape, Qt::NoModifier, "\x1b");
    EXPECT_TRUE(w().SSPanel9->isHidden());
    EXPECT_TRUE(f.session().AbortRequested) << "the window's Esc still runs";
    EXPECT_EQ(grid(GridParameters).TextMatrix(1, 1), "19-05-24 \\ 00:00:00");
}

TEST_F(PagesWindowTest, IdMemoryPageNumbersNamesAndTheFixedBoxes) {
    start(QStringLiteral("QM2"));
    w().SSTab1->setCurrentIndex(1);
    clickCell(GridIdMemories, 12, 2);
    ASSERT_TRUE(over(w().Text2, GridIdMemories, 12, 1));
    ASSERT_TRUE(over(w().Text3, GridIdMemories, 12, 2));
    EXPECT_EQ(focus(), w().Text2);
    typeKeys(w().Text2, QStringLiteral("12a34"));
    EXPECT_EQ(beeps, 1);
    enter(w().Text2);
    EXPECT_EQ(focus(), w().Text3);
    typeKeys(w().Text3, QStringLiteral("Çağrı"));
    enter(w().Text3);
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(12, 1), "1234");
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(12, 2), "Çağrı");
    EXPECT_TRUE(over(w().Text2, GridIdMemories, 13, 1));

    typeKeys(w().Text11[1], QString(20, u'n'));
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(1, 2), QString(16, u'n'));
    typeKeys(w().Text11[2], QStringLiteral("7b"));
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(2, 1), "7");
    enter(w().Text11[2]);
    EXPECT_EQ(focus(), w().Text11[3]);
}

TEST_F(PagesWindowTest, PastedAndDroppedTextKeepsToTheTypingRulesOfEveryBox) {
    start(QStringLiteral("QM2"));
    const QString han = QString(QChar(0x4E2D)); // no place in the indicator's code page
    w().SSTab1->setCurrentIndex(1);
    w().Text11[0]->setFocus();
    pasteKey(w().Text11[0], QStringLiteral("AB12CD"));
    EXPECT_EQ(w().Text11[0]->text(), "") << "an ID number takes digits only";
    EXPECT_EQ(beeps, 1);
    QApplication::clipboard()->setText(QStringLiteral("1234567"));
    pasteFromMenu(w().Text11[2]);
    EXPECT_EQ(w().Text11[2]->text(), "123456");
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(2, 1), "123456") << "the cell follows the box";
    pasteKey(w().Text11[0], QStringLiteral("12x4"));
    EXPECT_EQ(w().Text11[0]->text(), "12");
    QApplication::clipboard()->setText(QString(40, u'n'));
    pasteFromMenu(w().Text11[1]);
    EXPECT_EQ(w().Text11[1]->text(), QString(16, u'n')) << "a name holds 16 characters";
    QApplication::clipboard()->setText(QStringLiteral("Ali") + han + QStringLiteral("Veli"));
    pasteFromMenu(w().Text11[3]);
    EXPECT_EQ(w().Text11[3]->text(), "Ali");
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("7x"));
    w().Text11[0]->setFocus();
    QApplication::sendEvent(w().Text11[0], &composed);
    EXPECT_EQ(w().Text11[0]->text(), "127") << "an input method types through the filter too";

    QApplication::clipboard()->setText(QStringLiteral("ÜRÜN") + han + QStringLiteral("KODU"));
    pasteFromMenu(w().Text6);
    EXPECT_EQ(w().Text6->text(), QStringLiteral("ÜRÜN"));
    typeKeys(w().Text8, han + QStringLiteral("Ş"));
    EXPECT_EQ(w().Text8->text(), QStringLiteral("Ş"));
    drop(w().Text8, QStringLiteral("A") + han);
    EXPECT_EQ(w().Text8->text(), QStringLiteral("ŞA"));
    // The quick ID boxes take a drop through their rules too, and a drop asked as a move copies.
    w().Text11[2]->selectAll();
    pressKey(w().Text11[2], Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_EQ(drop(w().Text11[2], QStringLiteral("987654"), Qt::ShiftModifier), Qt::CopyAction);
    EXPECT_EQ(w().Text11[2]->text(), "987654");
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(2, 1), "987654");
    drop(w().Text11[0], QStringLiteral("9x8"));
    EXPECT_EQ(w().Text11[0]->text(), "1279");
    drop(w().Text11[3], QStringLiteral("Veli"));
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(2, 2), "AliVeli");

    clickCell(GridIdMemories, 5, 1);
    pasteKey(w().Text2, QStringLiteral("9a9"));
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(5, 1), "9");

    w().SSTab1->setCurrentIndex(3);
    clickCell(GridSetpoints, 2, 1);
    pasteKey(w().Text5[0], QStringLiteral("1,2,3"));
    EXPECT_EQ(grid(GridSetpoints).TextMatrix(2, 1), "1,2") << "one comma";

    // One text with a character no box can take in its middle: a page box, the label text and the
    // span-weight entry each stop there, and take nothing after it.
    const QString stopsHalfWay = QStringLiteral("1,5") + han + QStringLiteral("7");
    w().SSTab1->setCurrentIndex(0);
    pasteKey(w().Baslık[0], stopsHalfWay);
    EXPECT_EQ(w().Baslık[0]->text(), "1,5");
    QApplication::clipboard()->setText(QStringLiteral("A") + han);
    pasteFromMenu(w().DipNot[1]);
    EXPECT_EQ(w().DipNot[1]->text(), "A");
    EXPECT_EQ(drop(w().Baslık[2], QString(25, u'x'), Qt::ShiftModifier), Qt::CopyAction);
    EXPECT_EQ(w().Baslık[2]->text(), QString(20, u'x'));
    w().Option3[1]->click();
    pasteKey(w().EPL, stopsHalfWay);
    EXPECT_EQ(f.program->pages.eplText(), "1,5");
    pasteKey(w().Text10, stopsHalfWay);
    EXPECT_EQ(w().Text10->text(), "1.5") << "the comma typed as the point";
    // The label text takes the line breaks of any system, and tabs.
    f.program->pages.setEplText(QString());
    QApplication::clipboard()->setText(QStringLiteral("N\r\nP1\r\t") + han + QStringLiteral("X"));
    pasteFromMenu(w().EPL->viewport());
    EXPECT_EQ(f.program->pages.eplText(), "N\r\nP1\r\n\t");
}

TEST_F(PagesWindowTest, EditingKeysNeverReachTheCharacterFilters) {
    start(QStringLiteral("QM2"));
    w().SSTab1->setCurrentIndex(1);
    w().Text11[0]->setText(QStringLiteral("1234"));
    w().Text11[0]->setFocus();
    w().Text11[0]->setCursorPosition(0);
    del(w().Text11[0]);
    EXPECT_EQ(w().Text11[0]->text(), "234");
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(1, 1), "234");
    clickCell(GridIdMemories, 4, 1);
    typeKeys(w().Text2, QStringLiteral("56"));
    w().Text2->setCursorPosition(0);
    del(w().Text2);
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(4, 1), "6");
    EXPECT_EQ(beeps, 0) << "Delete is no refused character";

    w().SSTab1->setCurrentIndex(4);
    clickCell(GridParameters, 78, 1);
    typeKeys(w().Text1, QStringLiteral("123"));
    w().Text1->setCursorPosition(1);
    del(w().Text1);
    EXPECT_EQ(grid(GridParameters).TextMatrix(78, 1), "13");

    w().SSTab1->setCurrentIndex(0);
    w().Baslık[1]->setFocus();
    typeKeys(w().Baslık[1], QString(20, u'a'));
    w().Baslık[1]->setCursorPosition(0);
    del(w().Baslık[1]);
    EXPECT_EQ(w().Baslık[1]->text().size(), 19) << "a full line deletes too";
    EXPECT_EQ(focus(), w().Baslık[1]);
    w().Baslık[1]->clear();
    pressKey(w().Baslık[1], Qt::Key_Backspace, Qt::NoModifier, "\b");
    EXPECT_EQ(focus(), w().Baslık[0]) << "Backspace in an empty line still goes back a line";

    w().Option3[1]->click();
    f.program->pages.setEplText(QString(996, u'e'));
    w().EPL->setFocus();
    w().EPL->moveCursor(QTextCursor::Start);
    del(w().EPL);
    EXPECT_EQ(f.program->pages.eplText().size(), 995) << "a full label text deletes too";
}

TEST_F(PagesWindowTest, SetpointAndPresetTareBoxesFollowTheirRows) {
    start(QStringLiteral("QM2"));
    f.session().DivisionDecimals = QStringLiteral("5");
    f.session().DisplayMaximum = 3000.5;
    w().SSTab1->setCurrentIndex(3);
    clickCell(GridSetpoints, 4, 3);
    EXPECT_EQ(focus(), w().Text5[0]);
    typeKeys(w().Text5[0], QStringLiteral("12,55"));
    enter(w().Text5[0]);
    enter(w().Text5[1]);
    EXPECT_EQ(focus(), w().Text5[2]);
    enter(w().Text5[2]);
    EXPECT_EQ(grid(GridSetpoints).TextMatrix(4, 1), "12,5");
    EXPECT_TRUE(over(w().Text5[0], GridSetpoints, 5, 1));
    pressKey(w().Text5[1], Qt::Key_Up);
    EXPECT_EQ(grid(GridSetpoints).Row(), 4);

    w().SSTab1->setTabVisible(2, true);
    w().SSTab1->setCurrentIndex(2);
    clickCell(GridPresetTares, 99, 1);
    typeKeys(w().Text7, QStringLiteral("250"));
    enter(w().Text7);
    EXPECT_EQ(grid(GridPresetTares).TextMatrix(99, 1), "250");
    EXPECT_EQ(beeps, 2) << "a second decimal and Enter on the last row";
}

TEST_F(PagesWindowTest, HeaderLinesAlignmentAndLabelTextFile) {
    start(QStringLiteral("QM2"));
    w().SSTab1->setCurrentIndex(0);
    w().Baslık[1]->setFocus();
    typeKeys(w().Baslık[1], QString(21, u'a'));
    EXPECT_EQ(w().Baslık[1]->text(), QString(20, u'a'));
    EXPECT_EQ(focus(), w().Baslık[2]) << "the 21st key moved on and was dropped";
    EXPECT_TRUE(w().Baslık[2]->text().isEmpty());

    EXPECT_FALSE(f.program->pages.centred(0));
    w().Toolbar2Button[0][1]->trigger();
    EXPECT_TRUE(f.program->pages.centred(0));
    EXPECT_FALSE(w().Toolbar2Button[0][2]->isChecked());
    w().Toolbar2Button[0][1]->trigger();
    EXPECT_TRUE(w().Toolbar2Button[0][2]->isChecked());

    w().Option3[1]->click();
    EXPECT_TRUE(w().EPL->isEnabled());
    EXPECT_FALSE(w().Baslık[0]->isEnabled());
    EXPECT_EQ(w().Baslık[1]->text(), QString(20, u'a')) << "the ticket lines keep their text";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("etiket.txt"));
    f.program->pages.setEplText(QStringLiteral("N\r\nA10,\"Ağırlık\"\r\nP1"));
    f.dialogs.answerFile(path);
    w().SSCommand10[1]->click();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("N\r\nA10,\"A\xF0\xFDrl\xFDk\"\r\nP1\r\n"));
    file.close();
    f.program->pages.setEplText(QString());
    f.dialogs.answerFile(path);
    w().SSCommand10[0]->click();
    EXPECT_EQ(f.program->pages.eplText(), QStringLiteral("N\r\nA10,\"Ağırlık\"\r\nP1\r\n"));

    for (int size : {1000, 1001}) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(size, 'x'));
        file.close();
        f.dialogs.clear();
        f.dialogs.answerFile(path);
        f.dialogs.answerMessage(MsgResult::No);
        w().SSCommand10[0]->click();
        EXPECT_EQ(f.dialogs.messages().size(), size > 1000 ? 1 : 0) << size;
    }
    EXPECT_EQ(f.program->pages.eplText().size(), 1002) << "No kept the 1000 bytes loaded before";

    f.dialogs.clear();
    f.dialogs.answerFile(dir.filePath(QStringLiteral("missing.txt")));
    w().SSCommand10[0]->click();
    ASSERT_EQ(f.dialogs.messages().size(), 1);
    EXPECT_TRUE(f.dialogs.messages().value(0).text.contains(QStringLiteral("missing.txt")));

    // A file that cannot be written is told, with its name.
    f.dialogs.clear();
    const QString unwritable = dir.filePath(QStringLiteral("no-folder/etiket.txt"));
    f.dialogs.answerFile(unwritable);
    w().SSCommand10[1]->click();
    ASSERT_EQ(f.dialogs.messages().size(), 1);
    EXPECT_EQ(f.dialogs.messages().value(0).text,
              MessageTables::at(f.session().messages.ExtraText, 22) + QStringLiteral("\r\n") + unwritable);
    EXPECT_EQ(f.dialogs.messages().value(0).icon, MsgIcon::Critical);
    EXPECT_FALSE(QFile::exists(unwritable));

    f.program->pages.setEplText(QString());
    typeKeys(w().EPL, QString(994, u'e'));
    QApplication::clipboard()->setText(QStringLiteral("ab\ncd"));
    pressKey(w().EPL, Qt::Key_V, Qt::ControlModifier);
    typeKeys(w().EPL, QStringLiteral("x"));
    EXPECT_EQ(f.program->pages.eplText(), QString(994, u'e') + "ab") << "typing and pasting stop at 996";
    f.program->pages.setEplText(QString(1200, u'l'));
    EXPECT_EQ(f.program->pages.eplText().size(), 1200) << "the program's own fill is not cut";
}

// The 996 characters that can be typed count a line break as its CR LF, and what a paste or a
// typed key replaces as room.
TEST_F(PagesWindowTest, TheLabelTextTypingLimitCountsLineBreaksAndWhatASelectionFrees) {
    start(QStringLiteral("QM2"));
    PagesProcs& pages = f.program->pages;
    w().SSTab1->setCurrentIndex(0);
    w().Option3[1]->click();
    w().EPL->setFocus();
    auto fill = [&](const QString& text) {
        pages.setEplText(text);
        w().EPL->moveCursor(QTextCursor::End);
    };

    fill(QString(995, u'e'));
    enter(w().EPL);
    EXPECT_EQ(pages.eplText(), QString(995, u'e')) << "one free character is no room for a line break";
    pasteKey(w().EPL, QStringLiteral("\nx"));
    EXPECT_EQ(pages.eplText(), QString(995, u'e')) << "nor for a pasted one, which stops the paste";
    typeKeys(w().EPL, QStringLiteral("xy"));
    EXPECT_EQ(pages.eplText(), QString(995, u'e') + "x");

    // 993 + CR LF + 1: full. The selected line break and "f" free three characters.
    fill(QString(993, u'e') + QStringLiteral("\r\nf"));
    QTextCursor selection = w().EPL->textCursor();
    selection.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 2);
    w().EPL->setTextCursor(selection);
    pasteKey(w().EPL, QStringLiteral("abcd"));
    EXPECT_EQ(pages.eplText(), QString(993, u'e') + "abc");
    selection = w().EPL->textCursor();
    selection.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 1);
    w().EPL->setTextCursor(selection);
    typeKeys(w().EPL, QStringLiteral("z"));
    EXPECT_EQ(pages.eplText(), QString(993, u'e') + "abz") << "a key typed over a selection takes its room";
}

#ifdef Q_OS_UNIX
// A save that fails half way (a full disk, here a file-size limit) is told and leaves the old file
// whole: the text goes to a temporary file that replaces the old one only when complete.
TEST_F(PagesWindowTest, ALabelTextSaveThatFailsHalfWayIsToldAndLeavesTheOldFileWhole) {
    start(QStringLiteral("QM2"));
    w().SSTab1->setCurrentIndex(0);
    w().Option3[1]->click();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("etiket.txt"));
    f.program->pages.setEplText(QStringLiteral("N\r\nP1\r\n"));
    f.dialogs.answerFile(path);
    w().SSCommand10[1]->click();
    ASSERT_TRUE(f.dialogs.messages().isEmpty());
    const std::optional<QByteArray> old = readWholeFile(path);
    ASSERT_EQ(old, QByteArray("N\r\nP1\r\n"));

    f.program->pages.setEplText(QString(8000, u'x'));
    f.dialogs.answerFile(path);
    {
        const FileSizeLimit full(4096);
        ASSERT_TRUE(full.active());
        w().SSCommand10[1]->click();
    }

    ASSERT_EQ(f.dialogs.messages().size(), 1);
    EXPECT_EQ(f.dialogs.messages().value(0).text,
              MessageTables::at(f.session().messages.ExtraText, 22) + QStringLiteral("\r\n") + path);
    EXPECT_TRUE(readWholeFile(path) == old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("etiket.txt")}) << "no leftovers";
}
#endif

TEST_F(PagesWindowTest, ClearingAsksAndEmptiesOnlyThePageInView) {
    start(QStringLiteral("QM2"));
    Session& s = f.session();
    w().SSTab1->setCurrentIndex(4);
    clickCell(GridParameters, 3, 1);
    pressKey(w().Combo1, Qt::Key_Down);
    ASSERT_TRUE(s.param.ConfigFlag0);
    s.param.Word78 = 500;
    s.param.ValueArray[0] = 125;
    s.DayNameSuffix = QStringLiteral(" \\ Pazar");

    f.dialogs.answerMessage(MsgResult::No);
    w().Toolbar1Button[10]->trigger();
    ASSERT_EQ(f.dialogs.messages().size(), 1);
    EXPECT_EQ(f.dialogs.messages().value(0).title, s.messages.ClearBoxTitle);
    EXPECT_TRUE(s.param.ConfigFlag0) << "No clears nothing, the flag included";
    EXPECT_FALSE(grid(GridParameters).TextMatrix(3, 1).isEmpty());

    f.dialogs.answerMessage(MsgResult::Yes);
    w().Toolbar1Button[10]->trigger();
    EXPECT_TRUE(grid(GridParameters).TextMatrix(3, 1).isEmpty());
    EXPECT_FALSE(grid(GridParameters).TextMatrix(3, 0).isEmpty()) << "labels stay";
    EXPECT_FALSE(s.param.ConfigFlag0);
    EXPECT_EQ(s.param.Word78, 0);
    EXPECT_EQ(s.param.ValueArray[0], 0);
    EXPECT_TRUE(s.DayNameSuffix.isEmpty());
    EXPECT_TRUE(w().Combo1->isHidden());

    w().SSTab1->setCurrentIndex(5);
    f.program->pages.SilentClear = true;
    f.dialogs.clear();
    f.program->pages.SilEm();
    EXPECT_FALSE(f.program->pages.SilentClear) << "the calibration page only forgets the silent clear";
    EXPECT_TRUE(f.dialogs.messages().isEmpty());

    w().SSTab1->setCurrentIndex(1);
    grid(GridIdMemories).setTextMatrix(5, 1, QStringLiteral("99"));
    w().Text11[0]->setText(QStringLiteral("1"));
    f.program->pages.SilentClear = true;
    f.program->pages.SilEm();
    EXPECT_TRUE(f.dialogs.messages().isEmpty()) << "a silent clear asks nothing";
    EXPECT_TRUE(grid(GridIdMemories).TextMatrix(5, 1).isEmpty());
    EXPECT_TRUE(w().Text11[0]->text().isEmpty());

    w().SSTab1->setCurrentIndex(0);
    w().Baslık[0]->setText(QStringLiteral("TARVEX"));
    w().DipNot[1]->setText(QStringLiteral("İYİ GÜNLER"));
    f.program->pages.setEplText(QStringLiteral("N\r\nP1\r\n"));
    w().Option3[1]->click();
    f.program->pages.setCentred(1, true);
    f.dialogs.answerMessage(MsgResult::Yes);
    f.program->pages.SilEm();
    EXPECT_TRUE(w().Baslık[0]->text().isEmpty());
    EXPECT_TRUE(w().DipNot[1]->text().isEmpty());
    EXPECT_TRUE(f.program->pages.eplText().isEmpty()) << "the label text goes with the page";
    EXPECT_FALSE(f.program->pages.centred(1));
    EXPECT_TRUE(w().Option3[1]->isChecked()) << "the printer kind stays";

    // Clearing the parameter page leaves the other pages as they are.
    grid(GridIdMemories).setTextMatrix(7, 2, QStringLiteral("KEPT"));
    w().Text11[1]->setText(QStringLiteral("SÜRÜCÜ"));
    w().Text6->setText(QStringLiteral("ÜRÜN"));
    grid(GridSetpoints).setTextMatrix(2, 1, QStringLiteral("12,5"));
    w().Baslık[3]->setText(QStringLiteral("SATIR"));
    w().SSTab1->setCurrentIndex(4);
    f.dialogs.answerMessage(MsgResult::Yes);
    f.program->pages.SilEm();
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(7, 2), "KEPT");
    EXPECT_EQ(w().Text11[1]->text(), QStringLiteral("SÜRÜCÜ"));
    EXPECT_EQ(w().Text6->text(), QStringLiteral("ÜRÜN"));
    EXPECT_EQ(grid(GridSetpoints).TextMatrix(2, 1), "12,5");
    EXPECT_EQ(w().Baslık[3]->text(), "SATIR");
}

} // namespace
