#include "app/windowservices.h"

#include "app/appprocs.h"
#include "app/connection.h"
#include "app/mainwindow.h"
#include "app/tabprocs.h"
#include "session/context.h"
#include "session/mainwidgets.h"

void AppWindowServices::lockWindow() {
    if (m_ctx.app)
        m_ctx.app->lockWindow();
}

void AppWindowServices::unlockWindow() {
    if (m_ctx.app)
        m_ctx.app->unlockWindow();
}

void AppWindowServices::ışık(const QString& colour) {
    if (m_ctx.connection)
        m_ctx.connection->ışık(colour);
}

void AppWindowServices::Image2_Click(int index) {
    if (m_ctx.connection)
        m_ctx.connection->Image2_Click(index);
}

void AppWindowServices::gridDüzen(int n) {
    if (m_ctx.app)
        m_ctx.app->gridDüzen(n);
}

void AppWindowServices::RefKatmaOlum() {
    if (m_ctx.app)
        m_ctx.app->RefKatmaOlum();
}

void AppWindowServices::SSTab1_Click(int previousTab) {
    if (m_ctx.tabs)
        m_ctx.tabs->SSTab1_Click(previousTab);
}

void AppWindowServices::showPanel(QWidget* panel) {
    if (auto* window = m_ctx.w ? qobject_cast<MainWindow*>(m_ctx.w->AnaForm) : nullptr)
        window->showPanel(panel);
    else if (panel)
        panel->show();
}
