#pragma once

#include "app/appprocs.h"
#include "app/connection.h"
#include "app/connectionpanel.h"
#include "app/mainwindow.h"
#include "app/tabprocs.h"
#include "app/windowservices.h"
#include "calibration/calibrationprocs.h"
#include "link/transaction.h"
#include "pages/pagesprocs.h"
#include "paramset/devicetransfers.h"
#include "paramset/paramsetprocs.h"
#include "session/context.h"
#include "session/session.h"

#include <QString>

class Clock;
class Dialogs;
class SerialPort;
class SettingsStore;

// One whole program over the given services: the shared state, the device link, the main window
// and the procedures, wired together. The program, the window tests and the render tool build it
// the same way.
class Program {
public:
    Program(SerialPort& port, Clock& clock, Dialogs& dialogs, SettingsStore& store, const QString& programFolder);
    ~Program();

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Session session;
    DeviceLink link;
    MainWindow window;
    AppContext ctx;
    AppWindowServices windowServices;
    AppProcs app;
    TabProcs tabs;
    ConnectionProcs connection;
    ConnectionPanel connectionPanel;
    PagesProcs pages;
    ParamsetProcs paramset;
    DeviceTransfers transfers;
    CalibrationProcs calibration;

    MainWidgets& w() { return window.widgets(); }
};
