#pragma once

#include <array>

class Clock;
class Dialogs;
class SerialPort;
class SettingsStore;
class DeviceLink;
class GridPage;
struct Session;
struct MainWidgets;
struct StartupWidgets;
class WindowServices;

class AppProcs;         // app/: start-up, settings, language, menus, keys
class TabProcs;         // app/: page switching and the main toolbar
class ConnectionProcs;  // app/: connecting, identification, the status lamp
class PagesProcs;       // pages/: grid pages and editors
class ParamsetProcs;    // paramset/: parameter-set record, file, panels and File menu
class DeviceTransfers;  // paramset/: the parameter set's exchanges with the indicator
class CalibrationProcs; // calibration/: definition tables, calibration, analog output, status

// Everything the window's procedures share. Each folder's procedures hold a reference to one
// context and reach the others through it; the procedures below app/ reach the window only through
// `window`. Nothing here is global, so a test builds a whole
// window over a simulated indicator, scripted dialogs, an in-memory store and a virtual clock.
struct AppContext {
    Session& session;
    SerialPort& port;
    Clock& clock;
    Dialogs& dialogs;
    SettingsStore& store;
    DeviceLink& link;

    // The five grid pages as data: 0 ID memories, 1 setpoints, 2 parameters, 3 status,
    // 4 preset tares.
    std::array<GridPage*, 5> Grid1{};

    MainWidgets* w = nullptr;        // the main window's controls
    StartupWidgets* form1 = nullptr; // the start-up dialog's controls, while it exists

    WindowServices* window = nullptr; // what the subsystems ask of the window

    AppProcs* app = nullptr;
    TabProcs* tabs = nullptr;
    ConnectionProcs* connection = nullptr;
    PagesProcs* pages = nullptr;
    ParamsetProcs* paramset = nullptr;
    DeviceTransfers* transfers = nullptr;
    CalibrationProcs* calibration = nullptr;
};
