#pragma once

struct AppContext;

// The parameter set's exchanges with the indicator: reading and writing the parameter page's
// blocks and the clock, the ID memories and titles, the setpoints, the ticket lines and the
// label-printer text. Each runs inside a job that the caller has set up (window locked, port
// open, AbortRequested cleared); each reports its own failures to the user. The readers return
// false when the read failed (the failure has then been shown and the indicator disconnected),
// the writers false when the group was aborted or failed; in both cases the caller runs no further
// group.
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

protected:
    AppContext& m_ctx;
};
