#pragma once

#include <QString>

#include <functional>
#include <optional>

struct AppContext;
struct Session;

// Reads the indicator's range set-up through the calibration page's procedures. The connect and
// the connection panel both call it here.
void TaksimatBul(AppContext& ctx);

// Connecting, identifying the indicator and the status lamp.
class ConnectionProcs {
public:
    explicit ConnectionProcs(AppContext& ctx);
    virtual ~ConnectionProcs() = default;

    // Connects the lamp images and the connect menu item to their handlers.
    void wire();

    // Connect and identify: open the port, read the identification text, adopt the model it
    // reports and set Connected; then the range set-up is read. Does nothing while another device
    // job runs.
    void VersiyonOku();

    // Lamp images: 0 (red) connects, 1 (green) disconnects, 2 (yellow) does nothing. Every device
    // job that fails disconnects through index 1.
    void Image2_Click(int index);

    // The connect menu item: disconnects while connected, connects otherwise.
    void connect_Click();

    // Lamp colour: "kırmızı", "yeşil" (shown red while not connected), "sarı"; any other text hides
    // the lamp.
    void ışık(const QString& colour);

    // Steps that belong to the calibration page (reading the range set-up after a connect) and
    // to the page switching (re-running the entry actions of the page in view). By default the
    // first is TaksimatBul above and the second does nothing until the page switching provides
    // it; a test may observe the calls instead.
    std::function<void()> TaksimatBul;
    std::function<void(int previousTab)> SSTab1_Click;

private:
    bool identify(); // steps up to Connected; false when the connect failed
    void connectFailed();
    void showSecondModelFeatures();
    QString extraText(int k) const;

    AppContext& m_ctx;
    bool m_wired = false;
};
