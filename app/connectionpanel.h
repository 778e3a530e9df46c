#pragma once

#include <QObject>
#include <QString>

#include <functional>

struct AppContext;
struct Session;

// The help document for a language file: the Turkish one only for exactly "Türkçe.txt".
QString helpDocumentName(const QString& languageFile);
// Its full path under the folder the help is taken from (appFolder ends in a separator).
QString helpDocumentPath(const Session& session);

// The Settings and Help menu and the connection settings panel SSPanel1: opening the panel, the
// parity choice, OK and cancel, the hidden reading-time key on OK, help and the identification box.
// The language item belongs to the language panel.
class ConnectionPanel : public QObject {
    Q_OBJECT
public:
    explicit ConnectionPanel(AppContext& ctx, QObject* parent = nullptr);

    // Connects the menu items, the panel's controls and the OK button's keys to their procedures.
    void wire();

    // The menu: 0 connection panel, 3 language panel (passed on), 4 help, 6 identification.
    void MnAyar_Click(int index);

    void Combo9_Click();     // parity chosen: data bits follow
    void SSCommand1_Click(); // OK
    void SSCommand7_Click(); // cancel
    // Keys on OK: S with Shift, Ctrl and Alt (shift state 7) asks for the reading time. True when
    // the key was that one.
    bool SSCommand1_KeyDown(int keyCode, int shift);

    // Reads the indicator's range set-up after OK changed the address; the calibration page's
    // routine by default (a test may count the calls instead).
    std::function<void()> TaksimatBul;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openConnectionPanel();
    void refreshPortList();
    void showHelp();
    void showIdentification();

    AppContext& m_ctx;
    bool m_wired = false;
    bool m_inOk = false;
};
