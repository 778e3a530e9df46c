#pragma once

struct AppContext;

// The procedures of the parameter set: the record and its file, the copies between pages and
// record, the transfers to and from the indicator, the read and send panels and the File menu.
class ParamsetProcs {
public:
    explicit ParamsetProcs(AppContext& ctx) : m_ctx(ctx) {}
    virtual ~ParamsetProcs() = default;

    // Connects the File menu and the panels' controls to their procedures.
    void wire();

protected:
    AppContext& m_ctx;
    bool m_wired = false;
};
