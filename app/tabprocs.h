#pragma once

struct AppContext;

// Page switching and the main toolbar: what happens when a tab becomes the page in view, and what
// each toolbar button does.
class TabProcs {
public:
    explicit TabProcs(AppContext& ctx);
    virtual ~TabProcs();

    // Connects the tab control and the toolbar buttons, and gives the connect its way of re-running
    // the entry actions of the page in view.
    void wire();

    // A tab became the page in view (by the user, or by the program to re-run its entry actions):
    // stops the device timers and any analog-output adjustment, closes the port, brings the page's
    // grid forward and starts the page's own read (parameters and calibration once after a connect
    // or a refresh, the status page every time). previousTab is not used.
    void SSTab1_Click(int previousTab);

    // Toolbar1 button by its 1-based position: 1 new, 2 open, 4 save, 5 save as, 7 send panel,
    // 8 read panel, 10 clear the page in view, 11 refresh it from the indicator. Separators and
    // other numbers do nothing. The button decides, never its tooltip.
    void Toolbar1_ButtonClick(int button);

private:
    // Before a new reading of the calibration set-up: toggles released, no calibration kind
    // chosen, the set-up lists disabled until the reading fills them.
    void prepareSetupRead();

    AppContext& m_ctx;
    bool m_wired = false;
};
