#pragma once

#include <QString>

#include <functional>
#include <memory>

struct AppContext;
class StartupDialog;
class MainWindow;
class PanelFrame;

// The main window's frame procedures: start-up and model choice, model-dependent visibility,
// window-wide keys, closing, the language file's captions and the language panel, and locking the
// window while a panel is open or a device job runs.
class AppProcs {
public:
    AppProcs(AppContext& ctx, MainWindow& window);
    virtual ~AppProcs();

    // Start-up. Returns false when the start-up dialog was closed without a model being chosen
    // (the program then ends); every step's failure is otherwise passed over.
    bool Form_Load();
    // "RESTART": the whole start-up again; the model is kept, so nothing waits.
    void Command3_Click();

    void QM2DeğilseGizle(bool show);

    // Esc (27) and F5 (116); any other key is left alone.
    void Form_KeyDown(int keyCode, int shift);

    // Closing the window ends the program at once: every wait returns, the port closes.
    void Form_QueryUnload();

    // The "X" of the span-weight prompt.
    void Label17_Click();

    // The language file: captions of the main window and the start-up dialog, the message tables,
    // then the derived captions and the grid layouts. False (and nothing after the last line read
    // applied) when the file cannot be read.
    bool diloku();
    // The caption lines (1-74, 280, 301, 302, 307, 308); other lines are ignored here.
    void applyCaption(int line, const QString& text);
    // The steps after the last line.
    void afterLanguageLoad();

    // Language panel.
    void openLanguagePanel(); // Settings menu, language item
    void SSCommand9_Click();  // OK
    void SSCommand8_Click();  // cancel
    void File1_DblClick();

    // Window lock while a panel is open or a device job runs: File and Settings menus, Connect,
    // the tab control, the side band and the toolbar disabled, lamp yellow. Unlock enables them
    // and sets the lamp green (red while not connected).
    void lockWindow();
    void unlockWindow();

    // The status lamp: "kırmızı", "yeşil" (red while not connected), "sarı"; anything else hides it.
    void ışık(const QString& colour);

    // Lays grid n out again for the current model and texts.
    void gridDüzen(int n);

    // Connects the controls this class serves to their procedures.
    void wire();

    // Reads the page in view from the indicator (F5, the toolbar, the status page and its timer).
    void RefKatmaOlum();

    // The program folder, with one trailing "/".
    QString programFolder() const;

    // How the program ends; the default quits the application's event loop.
    std::function<void()> quitProgram;

    StartupDialog* startupDialog() const { return m_form1.get(); }

private:
    void setCaptionText(int line, const QString& text);
    void applyStartupTexts();
    void fillPortList();

    AppContext& m_ctx;
    MainWindow& m_window;
    std::unique_ptr<StartupDialog> m_form1;
    bool m_wired = false;
};
