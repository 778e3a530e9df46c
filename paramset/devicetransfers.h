#pragma once

#include <QString>

#include <array>
#include <optional>
#include <vector>

struct AppContext;
struct MainWidgets;
struct Session;
class DeviceLink;

// The parameter set's exchanges with the indicator: reading and writing the parameter page's
// blocks and the clock, the ID memories and titles, the setpoints, the ticket lines and the
// label-printer text. Each runs inside a job that the caller has set up (window locked, port
// open, AbortRequested cleared); each reports its own failures to the user. The readers return
// false when the read failed (the failure has then been shown and the indicator disconnected) or
// was aborted; the writers false when the group was aborted, failed or refused before anything was
// sent (a value that does not fit, with a message). In every case the caller runs no further group,
// and the indicator has been told to leave host mode.
class DeviceTransfers {
public:
    explicit DeviceTransfers(AppContext& ctx) : m_ctx(ctx) {}
    virtual ~DeviceTransfers() = default;

    // ParametreHostOku: the parameter page (clock, calibration and configuration blocks, model and
    // info texts).
    virtual bool ParametreHostOku();
    // ParametreHostYaz: the parameter groups ticked on the send panel (calibration, configuration,
    // clock).
    virtual bool ParametreHostYaz();
    // IDOKUHost: the two ID titles and every ID memory.
    virtual bool IDOKUHost();
    // BaşlıkOku (device side): the ticket header/footer lines or the label-printer text, by the
    // printer choice of the header page.
    virtual bool readHeaderFromDevice();
    // BaşlıkYaz: writes the ticket lines or the label-printer text.
    virtual bool writeHeaderToDevice();
    // IDYaz: writes every ID memory and both titles.
    virtual bool IDYaz();
    // STPOKUHost: reads every setpoint memory into the setpoint page.
    virtual bool STPOKUHost();
    // STPYaz: writes every setpoint memory.
    virtual bool STPYaz();

    // The refusals of the groups ticked on the send panel, made before anything is sent: a label
    // text longer than the indicator's area, a setpoint that does not fit its record, a byte
    // parameter outside 0..255. Shows the first one's message and returns false; sends nothing.
    // Each writer makes its own check again.
    virtual bool checkWrites();

protected:
    AppContext& m_ctx;

private:
    Session& session();
    DeviceLink& link();
    MainWidgets& widgets();
    bool aborted() const;
    // A code to the command register as a direct exchange: the frame, an optional wait, then the
    // answer collected after the reading time.
    QString command(int code, double wait = 0);
    // A write refused before anything was sent: the message and its detail line; false.
    bool refuse(int extraText, const QString& detail = QString());
    void showProgress3(int value);
    // A send-panel box that is ticked, enabled and shown.
    bool ticked(int box) const;
    bool byteRowsFit();
    // Scales every setpoint of the record; records gets them when given.
    bool setpointsFit(std::vector<std::array<qint32, 3>>* records);
    // The label text as it would be sent; text gets it when given.
    bool labelTextFits(QString* text);
    // The text of ID title 0 or 1; nothing when one of its answers failed.
    std::optional<QString> readIdTitle(int number);
};
