#pragma once

#include "session/windowservices.h"

struct AppContext;

// The window's side of WindowServices: each call goes on to the procedures of app/ that do it.
class AppWindowServices final : public WindowServices {
public:
    explicit AppWindowServices(AppContext& ctx) : m_ctx(ctx) {}

    void lockWindow() override;
    void unlockWindow() override;
    void ışık(const QString& colour) override;
    void Image2_Click(int index) override;
    void gridDüzen(int n) override;
    void RefKatmaOlum() override;
    void SSTab1_Click(int previousTab) override;
    void showPanel(QWidget* panel) override;

private:
    AppContext& m_ctx;
};
