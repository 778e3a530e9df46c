#pragma once

#include <QString>

class QWidget;

// What the page, parameter-set and calibration procedures ask of the window above them: locking it
// while a panel is open or a device job runs, the status lamp, laying a page out again, the page
// switching and centring a pop-up panel. The window's procedures provide it; the context holds it.
class WindowServices {
public:
    virtual ~WindowServices() = default;

    // Menus, Connect, the tab control, the side band and the toolbar disabled, lamp yellow; unlock
    // enables them again with the lamp green (red while not connected).
    virtual void lockWindow() = 0;
    virtual void unlockWindow() = 0;

    // Lamp colour: "kırmızı", "yeşil" (red while not connected), "sarı"; any other text hides it.
    virtual void ışık(const QString& colour) = 0;
    // Lamp images: 0 connects, 1 disconnects (every device job that fails goes through it).
    virtual void Image2_Click(int index) = 0;

    // Lays grid n out again for the current model and texts.
    virtual void gridDüzen(int n) = 0;
    // Reads the page in view from the indicator.
    virtual void RefKatmaOlum() = 0;
    // Runs the entry actions of the page in view again.
    virtual void SSTab1_Click(int previousTab) = 0;

    // Shows a pop-up panel in the middle of the window, in front.
    virtual void showPanel(QWidget* panel) = 0;
};
