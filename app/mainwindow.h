#pragma once

#include "pages/gridpage.h"
#include "session/mainwidgets.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class GridViewBinder;
class AppProcs;

// The main window AnaForm: builds every control of MainWidgets, keeps the fixed outer size,
// centres the pop-up panels, sees the window-wide keys before the focused control and ends the
// program when closed.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kWidthTwips = 9795;
    static constexpr int kHeightTwips = 9645;
    // Outer size in pixels, and the client area inside the frame and title bar.
    static QSize outerSize();
    static QSize clientSize();

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    MainWidgets& widgets() { return m_w; }
    // The five grid pages as data, shown by Grid1[0..4].
    std::array<GridPage, 5>& pages() { return m_pages; }
    GridViewBinder* binder(int grid) const { return m_binders[grid]; }

    // Keys, resizing and closing go to these procedures once they exist.
    void setProcs(AppProcs* procs) { m_procs = procs; }

    // Centres SSPanel1, SSPanel2, SSPanel3 and SSPanel7 (in this order) in the window.
    void centrePanels();
    // Centres a pop-up panel, shows it and brings it to the front.
    void showPanel(QWidget* panel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildMenus();
    void buildBand(QWidget* central);
    void buildTabs(QWidget* central);
    void buildHeaderPage(QWidget* page);
    void buildIdPage(QWidget* page);
    void buildGridPage(QWidget* page, int grid);
    void buildParameterPage(QWidget* page);
    void buildCalibrationPage(QWidget* page);
    void buildConnectionPanel();
    void buildReadPanel();
    void buildSendPanel();
    void buildLanguagePanel();
    void buildWaitPanel();
    void buildTimers();
    void Form_Resize();

    MainWidgets m_w;
    std::array<GridPage, 5> m_pages;
    std::array<GridViewBinder*, 5> m_binders{};
    AppProcs* m_procs = nullptr;
    bool m_resizing = false;
};
