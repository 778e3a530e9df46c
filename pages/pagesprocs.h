#pragma once

#include <QString>

#include <functional>
#include <memory>

struct AppContext;
class ParameterEditor;
class IdMemoryEditor;
class SetpointEditor;
class PresetTareEditor;
class QLineEdit;
class QKeyEvent;
class QObject;
class InsertGuard;

// The procedures of the grid pages: the in-cell editors, the date/time panel, the header/footer
// and label-text page and clearing a page.
//
// The editors' state lives in the editor objects (pages/parametereditor.h, pages/memoryeditors.h);
// the floating QLineEdit/QComboBox widgets mirror it. What the user does to a widget goes to the
// editor's handler; the handler's result is then pushed back into the widgets with their signals
// blocked.
class PagesProcs {
public:
    explicit PagesProcs(AppContext& ctx);
    virtual ~PagesProcs();

    // Builds the editors over the pages and connects the pages' controls to their procedures.
    void wire();

    ParameterEditor& parameters() const { return *m_param; }
    IdMemoryEditor& idMemories() const { return *m_id; }
    SetpointEditor& setpoints() const { return *m_setpoints; }
    PresetTareEditor& presetTares() const { return *m_presetTares; }

    // Grid events of Grid1(index): the placement of the page's editors, the double click of the
    // date/time row and the keys on the grid itself.
    void Grid1_Click(int index);
    void Grid1_DblClick(int index);
    void Grid1_KeyDown(int index, int keyCode, int shift);

    // Hides the floating editors of grid n (after a layout, and wherever a page is refilled or
    // switched to); for the parameter page also the date/time panel.
    void hideEditors(int n);

    // The date/time panel's OK (0) and Cancel (1).
    void Image1_Click(int index);

    // Header/footer and label-printer text page.
    void Option3_Click(int index);
    void Toolbar2_ButtonClick(int bar, int button);
    // Alignment of the header (bar 0) or footer (bar 1) lines: centred or left.
    bool centred(int bar) const;
    void setCentred(int bar, bool centred);
    void SSCommand10_Click(int index); // 0 load the label text from a file, 1 save it
    void Command2_Click();
    void Açıklama_Timer();
    // The label-printer text as the record and the device take it: lines ending in CR LF. A text
    // put in by setEplText and not edited since comes back exactly as it was given, byte for byte
    // (the box itself turns a no-break space into a blank and a lone CR or LF into a line break).
    QString eplText() const;
    void setEplText(const QString& text);

    // Empties the page in view after a Yes (without asking while SilentClear is set).
    void SilEm();
    bool SilentClear = false;

    // Pushes the editor states of grid n into their widgets.
    void syncEditors(int n);

    // The warning sound of refused keys and impossible moves.
    std::function<void()> beep;

protected:
    AppContext& m_ctx;
    bool m_wired = false;

private:
    void wireGrids();
    void wireKeys();
    void wireHeaderPage();
    // The typing rules of a one-line box: what a key does before it types (true: it acted), which
    // characters it takes (the character to insert, 0 to drop it; none: any character the code
    // page holds), and the grid page whose editors follow its changes (-1: none).
    struct BoxRules {
        std::function<bool(int, int)> keyDown;
        std::function<int(int, QLineEdit*)> keyPress;
        int grid = -1;
    };
    void addBox(QLineEdit* box, BoxRules rules);
    bool lineEditKey(QLineEdit* box, QKeyEvent* e, const BoxRules& rules);
    void typeChars(QLineEdit* box, const QString& text, const BoxRules& rules);
    void finishKey(int grid);
    void applyFocus(int n);
    void clearGrid(int n);
    int eplRoom() const;
    void eplInsert(const QString& text);

    std::unique_ptr<ParameterEditor> m_param;
    std::unique_ptr<IdMemoryEditor> m_id;
    std::unique_ptr<SetpointEditor> m_setpoints;
    std::unique_ptr<PresetTareEditor> m_presetTares;
    QObject* m_keys = nullptr;
    InsertGuard* m_inserts = nullptr;
    int m_tagPanelWidth = 2205; // twips
    // The label text last given to setEplText, and what the box showed for it.
    QString m_eplGiven, m_eplShown;
};
