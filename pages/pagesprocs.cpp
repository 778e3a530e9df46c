#include "pages/pagesprocs.h"

#include "pages/gridlayout.h"
#include "pages/gridmodel.h"
#include "pages/headerfooter.h"
#include "pages/memoryeditors.h"
#include "pages/parametereditor.h"
#include "platform/cp1254.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "session/context.h"
#include "session/mainwidgets.h"
#include "session/session.h"
#include "session/windowservices.h"

#include <QApplication>
#include <QClipboard>
#include <QHash>
#include <QKeyEvent>
#include <QMenu>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QWheelEvent>

namespace {

// Sees the keys of the pages' editors before the window's own key handling, so an editor can act
// on a key (Esc in the date/time boxes) that the window also takes.
class KeyRouter : public QObject {
public:
    using Handler = std::function<bool(QKeyEvent*)>;
    explicit KeyRouter(QObject* parent) : QObject(parent) {}
    void add(QObject* target, Handler handler) { m_handlers.insert(target, std::move(handler)); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto it = m_handlers.constFind(watched);
        return it != m_handlers.constEnd() && (*it)(static_cast<QKeyEvent*>(event));
    }

private:
    QHash<QObject*, Handler> m_handlers;
};

// The wheel over an editor that floats over a grid scrolls the grid and never changes the
// editor's value: a choice box would otherwise step through its items under the pointer. The
// scroll then places the editors again as any scroll does.
class WheelToGrid : public QObject {
public:
    WheelToGrid(QAbstractScrollArea* grid, QObject* parent) : QObject(parent), m_grid(grid) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel)
            return false;
        auto* wheel = static_cast<QWheelEvent*>(event);
        auto* from = qobject_cast<QWidget*>(watched);
        QWidget* viewport = m_grid->viewport();
        if (!from || !m_grid->isEnabled())
            return true;
        const QPointF at = viewport->mapFromGlobal(from->mapToGlobal(wheel->position()));
        QWheelEvent forwarded(at, wheel->globalPosition(), wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(),
                              wheel->modifiers(), wheel->phase(), wheel->inverted(), wheel->source(),
                              wheel->pointingDevice());
        QApplication::sendEvent(viewport, &forwarded);
        return true;
    }

private:
    QAbstractScrollArea* m_grid;
};

// Key codes and shift states of a key event, as the handlers take them. A key that types a
// character reaches them as that character, never as a code: "%&'(" carry the codes of the arrows.
// Letters and digits that type nothing (with Ctrl or Alt) keep their codes, which stand for
// nothing else.
int keyCodeOf(const QKeyEvent& e) {
    switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return keys::Enter;
    case Qt::Key_Escape:
        return keys::Esc;
    case Qt::Key_Backspace:
        return keys::Backspace;
    case Qt::Key_Left:
        return keys::Left;
    case Qt::Key_Up:
        return keys::Up;
    case Qt::Key_Right:
        return keys::Right;
    case Qt::Key_Down:
        return keys::Down;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_F5:
        return 116;
    default:
        break;
    }
    if (!typedText(e).isEmpty())
        return 0;
    const int k = e.key();
    return (k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z) ? k : 0;
}

int shiftOf(const QKeyEvent& e) {
    const Qt::KeyboardModifiers m = e.modifiers();
    return ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) | ((m & Qt::AltModifier) ? 4 : 0);
}

TypingPoint typingPointOf(const QLineEdit* box) {
    if (box->hasSelectedText())
        return {int(box->selectionStart()), int(box->selectedText().size())};
    return {box->cursorPosition(), 0};
}

void setBoxText(QLineEdit* box, const QString& text) {
    if (box->text() == text)
        return;
    const QSignalBlocker block(box);
    box->setText(text);
}

// Where an editor laid over a cell stands in the view's viewport. A hidden row stands where the
// next shown row starts, as its zero height puts it.
QRect cellRect(const QTableView& view, const GridPage& page, int pageRow, int col) {
    const auto* model = qobject_cast<const GridTableModel*>(view.model());
    const int defaultHeight = twipsToPixels(kShownRowHeight);
    QRect r(view.columnViewportPosition(col), -defaultHeight, view.columnWidth(col), defaultHeight);
    if (!model)
        return r;
    const int rows = model->rowCount();
    int m = model->modelRow(pageRow);
    if (m < 0 || m >= rows)
        return r;
    if (!view.isRowHidden(m)) {
        r.moveTop(view.rowViewportPosition(m));
        r.setHeight(view.rowHeight(m));
        return r;
    }
    int next = m + 1;
    while (next < rows && view.isRowHidden(next))
        ++next;
    if (next < rows) {
        r.moveTop(view.rowViewportPosition(next));
    } else {
        int previous = m - 1;
        while (previous >= 0 && view.isRowHidden(previous))
            --previous;
        r.moveTop(previous >= 0 ? view.rowViewportPosition(previous) + view.rowHeight(previous) : 0);
    }
    Q_UNUSED(page);
    return r;
}

void placeOver(QWidget* editor, const QTableView& view, const GridPage& page, const FloatingPlace& place) {
    if (place.row < 0)
        return;
    // Inside the cell's grid lines, so the row still reads as a row of the grid.
    editor->setGeometry(cellRect(view, page, place.row, place.col).adjusted(0, 0, -1, -1));
}

} // namespace

PagesProcs::PagesProcs(AppContext& ctx) : m_ctx(ctx) {
    beep = [] { QApplication::beep(); };
}

PagesProcs::~PagesProcs() = default;

void PagesProcs::wire() {
    if (m_wired)
        return;
    m_wired = true;
    MainWidgets& w = *m_ctx.w;
    const EditorServices services{[this] {
        if (beep)
            beep();
    }};
    m_param = std::make_unique<ParameterEditor>(*m_ctx.Grid1[GridParameters], m_ctx.session, m_ctx.dialogs, m_ctx.clock,
                                                services);
    m_id = std::make_unique<IdMemoryEditor>(*m_ctx.Grid1[GridIdMemories], services);
    m_setpoints = std::make_unique<SetpointEditor>(*m_ctx.Grid1[GridSetpoints], m_ctx.session, services);
    m_presetTares = std::make_unique<PresetTareEditor>(*m_ctx.Grid1[GridPresetTares], services);
    const std::pair<GridEditor*, int> editors[] = {
        {m_param.get(), GridParameters},
        {m_id.get(), GridIdMemories},
        {m_setpoints.get(), GridSetpoints},
        {m_presetTares.get(), GridPresetTares},
    };
    for (const auto& [editor, n] : editors) {
        editor->gridHeight = toTwips(w.Grid1[n]->height());
        editor->hiddenByChange = [this, n = n] { syncEditors(n); };
    }

    // The editors keep their own typing limits: a box shows a longer text the program puts in
    // without cutting it, as the pages expect.
    for (QLineEdit* box : {w.Text1, w.Text2, w.Text3, w.Text7, w.Text5[0], w.Text5[1], w.Text5[2], w.Text11[0],
                           w.Text11[1], w.Text11[2], w.Text11[3]})
        box->setMaxLength(32767);
    // The editors over the cells take keys only: no menu and no drops.
    for (QLineEdit* box : {w.Text1, w.Text2, w.Text3, w.Text7, w.Text5[0], w.Text5[1], w.Text5[2]}) {
        box->setFrame(false);
        box->setContextMenuPolicy(Qt::NoContextMenu);
        box->setAcceptDrops(false);
    }
    for (QLineEdit* box : w.Text13)
        box->setContextMenuPolicy(Qt::NoContextMenu);
    const std::pair<QWidget*, int> floating[] = {
        {w.Combo1, GridParameters},       {w.Text1, GridParameters},   {w.DTPicker1[0], GridParameters},
        {w.DTPicker1[1], GridParameters}, {w.Text2, GridIdMemories},   {w.Text3, GridIdMemories},
        {w.Text5[0], GridSetpoints},      {w.Text5[1], GridSetpoints}, {w.Text5[2], GridSetpoints},
        {w.Text7, GridPresetTares},
    };
    for (const auto& [editor, n] : floating)
        editor->installEventFilter(new WheelToGrid(w.Grid1[n], editor));

    wireGrids();
    wireKeys();
    wireHeaderPage();
}

void PagesProcs::wireGrids() {
    MainWidgets& w = *m_ctx.w;
    for (int n = 0; n < kGridCount; ++n) {
        GridViewBinder* binder = w.Grid1Binder[n];
        if (!binder)
            continue;
        auto place = [this, n] { Grid1_Click(n); };
        QObject::connect(binder, &GridViewBinder::clicked, w.AnaForm, place);
        QObject::connect(binder, &GridViewBinder::currentCellChanged, w.AnaForm, place);
        QObject::connect(binder, &GridViewBinder::scrolled, w.AnaForm, place);
        QObject::connect(binder, &GridViewBinder::gotFocus, w.AnaForm, place);
        QObject::connect(binder, &GridViewBinder::keyDown, w.AnaForm,
                         [this, n](int key, Qt::KeyboardModifiers m, const QString& text) {
                             const QKeyEvent e(QEvent::KeyPress, key, m, text);
                             Grid1_KeyDown(n, keyCodeOf(e), shiftOf(e));
                         });
    }
    QObject::connect(w.Grid1[GridParameters], &QTableView::doubleClicked, w.AnaForm,
                     [this] { Grid1_DblClick(GridParameters); });

    // What the user types goes to the editor's handler.
    QObject::connect(w.Text1, &QLineEdit::textEdited, w.AnaForm, [this](const QString& t) {
        m_param->Text1.text = t;
        m_param->Text1_Change();
        syncEditors(GridParameters);
    });
    QObject::connect(w.Combo1, &QComboBox::activated, w.AnaForm, [this](int index) {
        m_param->Combo1_Click(index);
        syncEditors(GridParameters);
    });
    for (int i = 0; i < 6; ++i) {
        QObject::connect(w.Text13[i], &QLineEdit::textEdited, w.AnaForm,
                         [this, i](const QString& t) { m_param->Text13[i] = t; });
    }
    for (int i = 0; i < 2; ++i)
        QObject::connect(w.Image1[i], &ClickLabel::clicked, w.AnaForm,
                         unlessDeviceBusy(m_ctx.session, [this, i] { Image1_Click(i); }));

    QObject::connect(w.Text2, &QLineEdit::textEdited, w.AnaForm, [this](const QString& t) {
        m_id->Text2.text = t;
        m_id->Text2_Change();
        syncEditors(GridIdMemories);
    });
    QObject::connect(w.Text3, &QLineEdit::textEdited, w.AnaForm, [this](const QString& t) {
        m_id->Text3.text = t;
        m_id->Text3_Change();
        syncEditors(GridIdMemories);
    });
    for (int i = 0; i < 4; ++i) {
        QObject::connect(w.Text11[i], &QLineEdit::textEdited, w.AnaForm,
                         [this, i](const QString& t) { m_id->Text11_Change(i, t); });
    }
    for (int i = 0; i < 3; ++i) {
        QObject::connect(w.Text5[i], &QLineEdit::textEdited, w.AnaForm, [this, i](const QString& t) {
            m_setpoints->Text5[i].text = t;
            m_setpoints->Text5_Change(i);
            syncEditors(GridSetpoints);
        });
    }
    QObject::connect(w.Text7, &QLineEdit::textEdited, w.AnaForm, [this](const QString& t) {
        m_presetTares->Text7.text = t;
        m_presetTares->Text7_Change();
        syncEditors(GridPresetTares);
    });
}

// Keys of a one-line box: the KeyDown handler first; a key it did not act on reaches the KeyPress
// filter as a character, which may drop it or replace it. The editing keys never reach the filter.
// A character the indicator's code page cannot hold is never taken.
bool PagesProcs::lineEditKey(QLineEdit* box, QKeyEvent* e, const BoxRules& rules) {
    const int code = keyCodeOf(*e);
    if (rules.keyDown && rules.keyDown(code, shiftOf(*e))) {
        finishKey(rules.grid);
        return code != keys::Esc && code != 116; // the window's own keys still reach the window
    }
    if (e->matches(QKeySequence::Paste))
        return false; // the box's insert guard types it
    const QString text = typedText(*e);
    if (text.isEmpty())
        return false;
    if (text.size() > 1) {
        typeChars(box, text, rules);
        return true;
    }
    const int ascii = text[0].unicode();
    if (ascii < 32 && ascii != keys::Enter && ascii != keys::Esc)
        return false; // Tab and the editing shortcuts
    if (ascii >= 32 && !cp1254::representable(text[0]))
        return true;
    const int r = rules.keyPress ? rules.keyPress(ascii, box) : ascii;
    finishKey(rules.grid);
    if (r == 0)
        return ascii != keys::Esc;
    if (r != ascii) {
        box->insert(QString(QChar(r)));
        return true;
    }
    return false;
}

// Text that arrives other than by a key (pasted, dropped, several characters at once) is typed
// character by character through the box's filter, up to the first character it refuses.
void PagesProcs::typeChars(QLineEdit* box, const QString& text, const BoxRules& rules) {
    typeUntilRefused(text, [&](QChar c) {
        if (!cp1254::representable(c) || c.unicode() < 32)
            return false;
        // Each character is a key that types: what every key does first (a limit that follows
        // the text) runs for it too.
        if (rules.keyDown)
            rules.keyDown(0, 0);
        const int r = rules.keyPress ? rules.keyPress(c.unicode(), box) : c.unicode();
        if (r == 0)
            return false;
        box->insert(QString(QChar(r))); // an edit: its change handler runs
        return true;
    });
    finishKey(rules.grid);
}

void PagesProcs::finishKey(int grid) {
    if (grid < 0)
        return;
    syncEditors(grid);
    applyFocus(grid);
}

void PagesProcs::addBox(QLineEdit* box, BoxRules rules) {
    auto* router = static_cast<KeyRouter*>(m_keys);
    router->add(box, [this, box, rules](QKeyEvent* e) { return lineEditKey(box, e, rules); });
    m_inserts->guard(box, [this, box, rules](const QString& text) { typeChars(box, text, rules); });
}

void PagesProcs::wireKeys() {
    MainWidgets& w = *m_ctx.w;
    auto* router = new KeyRouter(w.AnaForm);
    m_keys = router;
    qApp->installEventFilter(router);
    m_inserts = new InsertGuard(w.AnaForm);
    auto typing = [](QLineEdit* box) { return typingPointOf(box); };

    addBox(w.Text1, {[this](int code, int shift) { return m_param->Text1_KeyDown(code, shift); },
                     [=, this](int ascii, QLineEdit* box) { return m_param->Text1_KeyPress(ascii, typing(box)); },
                     GridParameters});
    router->add(w.Combo1, [this](QKeyEvent* e) {
        if (!m_param->Combo1_KeyDown(keyCodeOf(*e), shiftOf(*e)))
            return false;
        syncEditors(GridParameters);
        applyFocus(GridParameters);
        return true;
    });
    for (int i = 0; i < 6; ++i)
        addBox(w.Text13[i],
               {{}, [this, i](int ascii, QLineEdit*) { return m_param->Text13_KeyPress(i, ascii); }, GridParameters});

    addBox(w.Text2,
           {[this](int code, int shift) { return m_id->Text2_KeyDown(code, shift); },
            [=, this](int ascii, QLineEdit* box) { return m_id->Text2_KeyPress(ascii, typing(box)); }, GridIdMemories});
    addBox(w.Text3,
           {[this](int code, int shift) { return m_id->Text3_KeyDown(code, shift); },
            [=, this](int ascii, QLineEdit* box) { return m_id->Text3_KeyPress(ascii, typing(box)); }, GridIdMemories});
    for (int i = 0; i < 4; ++i) {
        addBox(w.Text11[i], {[=](int code, int) {
                                 const int to = IdMemoryEditor::Text11_KeyDown(i, code);
                                 if (to < 0)
                                     return false;
                                 w.Text11[to]->setFocus();
                                 return true;
                             },
                             [=, this](int ascii, QLineEdit* box) {
                                 return m_id->Text11_KeyPress(i, ascii, box->text(), typing(box));
                             }});
    }
    // The ID titles take what the indicator's code page holds, up to their length.
    addBox(w.Text6, {});
    addBox(w.Text8, {});
    for (int i = 0; i < 3; ++i) {
        addBox(w.Text5[i],
               {[this, i](int code, int shift) { return m_setpoints->Text5_KeyDown(i, code, shift); },
                [=, this](int ascii, QLineEdit* box) { return m_setpoints->Text5_KeyPress(i, ascii, typing(box)); },
                GridSetpoints});
    }
    addBox(w.Text7, {[this](int code, int shift) { return m_presetTares->Text7_KeyDown(code, shift); },
                     [=, this](int ascii, QLineEdit* box) { return m_presetTares->Text7_KeyPress(ascii, typing(box)); },
                     GridPresetTares});

    // Ticket lines: Enter and the arrows go from line to line, Backspace in an empty line goes
    // back a line; a full line hands a typed key on to the next line.
    for (int group = 0; group < 2; ++group) {
        const int count = group == 0 ? 4 : 2;
        auto lineAt = [=](int i) { return group == 0 ? w.Baslık[i] : w.DipNot[i]; };
        for (int k = 0; k < count; ++k) {
            QLineEdit* line = lineAt(k);
            auto keyPress = [=](int ascii, QLineEdit* box) {
                const int size = int(box->text().size());
                const LineKeyPress p =
                    group == 0 ? headerLineKeyPress(k, ascii, size) : footerLineKeyPress(k, ascii, size);
                if (p.focusLine >= 0)
                    lineAt(p.focusLine)->setFocus();
                return p.drop || p.focusLine >= 0 ? 0 : ascii;
            };
            auto keyDown = [=](int code, int) {
                int to = group == 0 ? headerLineKeyDown(k, code) : footerLineKeyDown(k, code);
                if (to < 0 && code == keys::Backspace)
                    return keyPress(keys::Backspace, line) == 0;
                if (to >= 0)
                    lineAt(to)->setFocus();
                return to >= 0;
            };
            addBox(line, {keyDown, keyPress});
        }
    }
    // The label text takes what its code page holds, up to its typing limit; pasted text stops at
    // a character it cannot hold or where the room runs out. The program's own fills are not
    // limited.
    router->add(w.EPL, [this](QKeyEvent* e) {
        if (e->matches(QKeySequence::Paste))
            return false; // the insert guard types it
        const QString text = typedText(*e);
        if (text.isEmpty())
            return false;
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
            return eplRoom() < 2; // a line break is stored as CR LF
        if (text.size() > 1) {
            eplInsert(text);
            return true;
        }
        if (text[0].unicode() < 32 && text[0] != u'\t')
            return false;
        return !cp1254::representable(text[0]) || eplRoom() < 1;
    });
    m_inserts->guard(w.EPL, [this](const QString& text) { eplInsert(text); });
}

// ---------------------------------------------------------------------------------------------
// Placement and the editors' widgets

void PagesProcs::Grid1_Click(int index) {
    if (!m_wired)
        return;
    switch (index) {
    case GridIdMemories:
        m_id->Grid1_Click();
        break;
    case GridSetpoints:
        m_setpoints->Grid1_Click();
        break;
    case GridParameters:
        m_param->Grid1_Click();
        break;
    case GridPresetTares:
        m_presetTares->Grid1_Click();
        break;
    default:
        return;
    }
    syncEditors(index);
    applyFocus(index);
}

void PagesProcs::Grid1_KeyDown(int index, int keyCode, int shift) {
    if (index == GridIdMemories && m_id->Grid1_KeyDown(keyCode, shift))
        applyFocus(GridIdMemories);
}

void PagesProcs::Grid1_DblClick(int index) {
    if (index != GridParameters)
        return;
    m_param->Grid1_DblClick();
    syncEditors(GridParameters);
    MainWidgets& w = *m_ctx.w;
    if (!m_param->panelVisible)
        return;
    // The panel opens where the row's date anchor stands, kept within the page.
    QWidget* page = w.SSPanel9->parentWidget();
    QPoint at = w.DTPicker1[0]->mapTo(page, QPoint(0, 0));
    at.setX(std::clamp(at.x(), 0, std::max(0, page->width() - w.SSPanel9->width())));
    at.setY(std::clamp(at.y(), 0, std::max(0, page->height() - w.SSPanel9->height())));
    w.SSPanel9->move(at);
    w.SSPanel9->raise();
    w.Text13[0]->setFocus();
}

void PagesProcs::Image1_Click(int index) {
    m_param->Image1_Click(index);
    syncEditors(GridParameters);
}

void PagesProcs::hideEditors(int n) {
    if (!m_wired)
        return;
    switch (n) {
    case GridIdMemories:
        m_id->hideEditors();
        break;
    case GridSetpoints:
        m_setpoints->hideEditors();
        break;
    case GridParameters:
        m_param->hideEditors();
        m_param->hidePanel();
        break;
    case GridPresetTares:
        m_presetTares->hideEditors();
        break;
    default:
        return;
    }
    syncEditors(n);
}

void PagesProcs::syncEditors(int n) {
    if (!m_wired)
        return;
    MainWidgets& w = *m_ctx.w;
    const GridPage& page = *m_ctx.Grid1[n];
    const QTableView& view = *w.Grid1[n];
    auto mirror = [&](QLineEdit* box, const FloatingBox& state) {
        setBoxText(box, state.text);
        placeOver(box, view, page, state);
        box->setVisible(state.visible);
        if (state.visible)
            box->raise();
    };
    switch (n) {
    case GridParameters: {
        const ParameterEditor& e = *m_param;
        mirror(w.Text1, e.Text1);
        QStringList items;
        for (int i = 0; i < w.Combo1->count(); ++i)
            items << w.Combo1->itemText(i);
        if (items != e.Combo1.items) {
            const QSignalBlocker block(w.Combo1);
            w.Combo1->clear();
            w.Combo1->addItems(e.Combo1.items);
        }
        if (w.Combo1->currentIndex() != e.Combo1.current) {
            const QSignalBlocker block(w.Combo1);
            w.Combo1->setCurrentIndex(e.Combo1.current);
        }
        placeOver(w.Combo1, view, page, e.Combo1);
        w.Combo1->setVisible(e.Combo1.visible);
        if (e.Combo1.visible)
            w.Combo1->raise();
        if (e.DTPicker1[0].row >= 0) {
            const QRect cell = cellRect(view, page, e.DTPicker1[0].row, e.DTPicker1[0].col);
            const int first = cell.width() * 65 / 100;
            w.DTPicker1[0]->setGeometry(cell.x(), cell.y(), first, cell.height());
            w.DTPicker1[1]->setGeometry(cell.x() + first, cell.y(), cell.width() * 35 / 100, cell.height());
        }
        for (int i = 0; i < 6; ++i)
            setBoxText(w.Text13[i], e.Text13[i]);
        w.SSPanel9->setVisible(e.panelVisible);
        break;
    }
    case GridIdMemories:
        mirror(w.Text2, m_id->Text2);
        mirror(w.Text3, m_id->Text3);
        break;
    case GridSetpoints:
        for (int i = 0; i < 3; ++i)
            mirror(w.Text5[i], m_setpoints->Text5[i]);
        break;
    case GridPresetTares:
        mirror(w.Text7, m_presetTares->Text7);
        break;
    default:
        break;
    }
}

void PagesProcs::applyFocus(int n) {
    MainWidgets& w = *m_ctx.w;
    QWidget* target = nullptr;
    switch (n) {
    case GridParameters: {
        const ParameterEditor::FocusRequest f = m_param->takeFocus();
        if (f.target == ParameterEditor::Focus::Text1)
            target = w.Text1;
        else if (f.target == ParameterEditor::Focus::Combo1)
            target = w.Combo1;
        else if (f.target == ParameterEditor::Focus::Text13 && f.index >= 0 && f.index < 6)
            target = w.Text13[f.index];
        break;
    }
    case GridIdMemories:
        switch (m_id->takeFocus()) {
        case IdMemoryEditor::Focus::Text2:
            target = w.Text2;
            break;
        case IdMemoryEditor::Focus::Text3:
            target = w.Text3;
            break;
        case IdMemoryEditor::Focus::None:
            break;
        }
        break;
    case GridSetpoints:
        if (const int i = m_setpoints->takeFocus(); i >= 0 && i < 3)
            target = w.Text5[i];
        break;
    case GridPresetTares:
        if (m_presetTares->takeFocus())
            target = w.Text7;
        break;
    default:
        break;
    }
    // Giving the focus to a hidden editor does nothing.
    if (target && !target->isHidden())
        target->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------------------------------------
// Header/footer and label-printer text page

void PagesProcs::wireHeaderPage() {
    MainWidgets& w = *m_ctx.w;
    // The printer kind and the alignment buttons are toggles: their handlers only keep the page in
    // step with the state the toggle already took, so they run whether a job runs or not.
    for (int i = 0; i < 2; ++i) {
        QObject::connect(w.Option3[i], &QRadioButton::toggled, w.AnaForm, [this, i](bool on) {
            if (on)
                Option3_Click(i);
        });
        QObject::connect(w.SSCommand10[i], &QPushButton::clicked, w.AnaForm,
                         unlessDeviceBusy(m_ctx.session, [this, i] { SSCommand10_Click(i); }));
        for (int button = 1; button <= 2; ++button) {
            QObject::connect(w.Toolbar2Button[i][button], &QAction::triggered, w.AnaForm,
                             [this, i, button] { Toolbar2_ButtonClick(i, button); });
        }
    }
    QObject::connect(w.Command2, &QPushButton::clicked, w.AnaForm,
                     unlessDeviceBusy(m_ctx.session, [this] { Command2_Click(); }));
    QObject::connect(w.Açıklama, &QTimer::timeout, w.AnaForm, [this] { Açıklama_Timer(); });
    w.EPL->setAcceptDrops(false);
    w.EPL->viewport()->setAcceptDrops(false);
}

void PagesProcs::Option3_Click(int index) {
    MainWidgets& w = *m_ctx.w;
    const bool ticket = index == 0;
    for (int k = 0; k < 2; ++k) {
        w.Baslık[k]->setEnabled(ticket);
        w.DipNot[k]->setEnabled(ticket);
        w.Label1[k]->setEnabled(ticket);
        w.Toolbar2[k]->setEnabled(ticket);
    }
    w.Baslık[2]->setEnabled(ticket);
    w.Baslık[3]->setEnabled(ticket);
    w.EPL->setEnabled(!ticket);
    w.Command2->setEnabled(!ticket);
    w.SSCommand10[0]->setEnabled(!ticket);
    w.SSCommand10[1]->setEnabled(!ticket);
}

void PagesProcs::Toolbar2_ButtonClick(int bar, int button) {
    if (bar < 0 || bar > 1 || (button != 1 && button != 2))
        return;
    // The clicked button has already toggled; the other takes the opposite state.
    QAction* clicked = m_ctx.w->Toolbar2Button[bar][button];
    QAction* other = m_ctx.w->Toolbar2Button[bar][3 - button];
    const QSignalBlocker block(other);
    other->setChecked(!clicked->isChecked());
}

bool PagesProcs::centred(int bar) const {
    return bar >= 0 && bar <= 1 && m_ctx.w->Toolbar2Button[bar][1]->isChecked();
}

void PagesProcs::setCentred(int bar, bool on) {
    if (bar < 0 || bar > 1)
        return;
    for (int button = 1; button <= 2; ++button) {
        QAction* a = m_ctx.w->Toolbar2Button[bar][button];
        const QSignalBlocker block(a);
        a->setChecked((button == 1) == on);
    }
}

QString PagesProcs::eplText() const {
    QString t = m_ctx.w->EPL->toPlainText();
    if (t == m_eplShown)
        return m_eplGiven;
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
}

void PagesProcs::setEplText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_ctx.w->EPL->setPlainText(t);
    m_eplGiven = text;
    m_eplShown = m_ctx.w->EPL->toPlainText();
}

// Characters that may still be typed into the label text, a line break counting as its CR LF.
int PagesProcs::eplRoom() const {
    QString selected = m_ctx.w->EPL->textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, u'\n');
    return kEplTypingLimit - (labelTextLength(eplText()) - labelTextLength(selected));
}

// Inserts what the user pastes up to the first character the code page cannot hold, as far as it
// fits; the line breaks of any system become the box's own.
void PagesProcs::eplInsert(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    int room = eplRoom();
    QString taken;
    typeUntilRefused(t, [&](QChar c) {
        if (c != u'\n' && c != u'\t' && (c.unicode() < 32 || !cp1254::representable(c)))
            return false;
        const int size = c == u'\n' ? 2 : 1;
        if (size > room)
            return false;
        room -= size;
        taken += c;
        return true;
    });
    m_ctx.w->EPL->insertPlainText(taken); // one edit, undone as one
}

void PagesProcs::SSCommand10_Click(int index) {
    Session& s = m_ctx.session;
    const MessageTables& t = s.messages;
    if (index == 0) {
        const QString path = m_ctx.dialogs.openFileName(MessageTables::at(t.MsgText, 9), s.AppFolder, QString());
        if (path.isEmpty())
            return;
        const std::optional<QByteArray> bytes = readWholeFile(path);
        if (!bytes) {
            m_ctx.dialogs.messageBox(MessageTables::at(t.ExtraText, 21) + QStringLiteral("\r\n") + path, MsgButtons::Ok,
                                     MsgIcon::Critical, MessageTables::at(t.ExtraText, 11));
            return;
        }
        // A long file is taken only after a Yes; a No leaves the box as it was.
        if (bytes->size() > kEplFileAskAbove &&
            m_ctx.dialogs.messageBox(MessageTables::at(t.MsgText, 19), MsgButtons::YesNo, MsgIcon::Question) !=
                MsgResult::Yes)
            return;
        setEplText(labelTextFromFile(*bytes));
        return;
    }
    if (index != 1)
        return;
    const QString path =
        m_ctx.dialogs.saveFileName(MessageTables::at(t.MsgText, 10), s.AppFolder, QString(), QString());
    if (path.isEmpty())
        return;
    if (!writeWholeFile(path, labelTextFileBytes(eplText()))) {
        m_ctx.dialogs.messageBox(MessageTables::at(t.ExtraText, 22) + QStringLiteral("\r\n") + path, MsgButtons::Ok,
                                 MsgIcon::Critical, MessageTables::at(t.ExtraText, 11));
    }
}

void PagesProcs::Command2_Click() {
    MainWidgets& w = *m_ctx.w;
    const bool open = w.SSPanel6->isHidden();
    w.SSPanel6->setVisible(open);
    const int height = w.SSPanel6->height();
    m_tagPanelWidth = kTagPanelClosedWidth;
    w.SSPanel6->resize(tw(m_tagPanelWidth), height);
    if (open) {
        w.Açıklama->start();
        w.Command2->setText(QStringLiteral("<<<"));
    } else {
        w.Command2->setText(QStringLiteral(">>>"));
        w.Açıklama->stop();
        w.EPL->setGeometry(tw(kLabelBoxAlone.left), w.EPL->y(), tw(kLabelBoxAlone.width), w.EPL->height());
    }
    w.EPL->setFocus();
}

void PagesProcs::Açıklama_Timer() {
    MainWidgets& w = *m_ctx.w;
    const TagPanelStep step = tagPanelStep(m_tagPanelWidth);
    m_tagPanelWidth = step.width;
    w.SSPanel6->resize(tw(m_tagPanelWidth), w.SSPanel6->height());
    if (step.done)
        w.Açıklama->stop();
    const BoxPlace place = labelBoxBesidePanel(toTwips(w.SSPanel6->x()), m_tagPanelWidth);
    w.EPL->setGeometry(tw(place.left), w.EPL->y(), tw(place.width), w.EPL->height());
    w.EPL->update();
}

// ---------------------------------------------------------------------------------------------
// Clearing a page

void PagesProcs::clearGrid(int n) {
    m_ctx.Grid1[n]->Clear();
    if (m_ctx.window)
        m_ctx.window->gridDüzen(n);
    else
        GridDüzen(n, *m_ctx.Grid1[n], m_ctx.session);
    hideEditors(n);
}

void PagesProcs::SilEm() {
    MainWidgets& w = *m_ctx.w;
    Session& s = m_ctx.session;
    if (w.SSTab1->currentIndex() == 5) {
        SilentClear = false;
        return;
    }
    if (SilentClear) {
        SilentClear = false;
    } else if (m_ctx.dialogs.messageBox(MessageTables::at(s.messages.MsgText, 8), MsgButtons::YesNo, MsgIcon::Question,
                                        s.messages.ClearBoxTitle) != MsgResult::Yes) {
        return;
    }
    switch (w.SSTab1->currentIndex()) {
    case 0:
        setCentred(0, false);
        setCentred(1, false);
        for (int i = 0; i < 4; ++i) {
            w.Baslık[i]->clear();
            if (i < 2)
                w.DipNot[i]->clear();
        }
        setEplText(QString());
        break;
    case 1:
        m_id->setText2(QString());
        m_id->setText3(QString());
        w.Text6->clear();
        w.Text8->clear();
        for (int i = 0; i < 4; ++i) {
            setBoxText(w.Text11[i], QString());
            m_id->Text11_Change(i, QString());
        }
        clearGrid(GridIdMemories);
        break;
    case 2:
        m_presetTares->setText7(QString());
        clearGrid(GridPresetTares);
        break;
    case 3:
        for (int i = 0; i < 3; ++i)
            m_setpoints->setText5(i, QString());
        clearGrid(GridSetpoints);
        break;
    case 4:
        m_param->setText1(QString());
        clearGrid(GridParameters);
        s.parameterPageEmptied();
        break;
    case 6:
        clearGrid(GridStatus);
        break;
    default:
        break;
    }
}
