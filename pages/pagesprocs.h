#pragma once

struct AppContext;

// The procedures of the grid pages: the in-cell editors, the date/time panel, the header/footer
// and label-text page and clearing a page.
class PagesProcs {
public:
    explicit PagesProcs(AppContext& ctx) : m_ctx(ctx) {}
    virtual ~PagesProcs() = default;

    // Connects the pages' controls to their procedures.
    void wire();

protected:
    AppContext& m_ctx;
    bool m_wired = false;
};
