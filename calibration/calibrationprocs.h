#pragma once

struct AppContext;

// The calibration page's procedures.
class CalibrationProcs {
public:
    explicit CalibrationProcs(AppContext& ctx) : m_ctx(ctx) {}
    virtual ~CalibrationProcs() = default;

    // Range-mode list Combo4(0) := CalibText(5), CalibText(6); metrological list Combo4(5) :=
    // CalibText(7), CalibText(8), with no entry chosen. A later call replaces the texts in place and
    // keeps the choice; the click handlers do not run.
    void ComboKalibDoldur();

protected:
    AppContext& m_ctx;
};
