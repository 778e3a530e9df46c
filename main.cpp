#include "app/program.h"
#include "app/programoptions.h"
#include "app/widgetdialogs.h"
#include "platform/clock.h"
#include "platform/qtserialport.h"
#include "platform/settingsstore.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QtSettingsStore userSettings;
    // Port mappings given on the command line hold for this run only.
    OverlaySettingsStore store(userSettings);
    QString error;
    switch (applyProgramOptions(QApplication::arguments(), store, &error)) {
    case ProgramOptions::Help:
        std::printf("%s", kProgramUsage);
        return 0;
    case ProgramOptions::Refused:
        std::fprintf(stderr, "velmora: %s\n%s", qPrintable(error), kProgramUsage);
        return 2;
    case ProgramOptions::Run:
        break;
    }

    SystemClock clock;
    WidgetDialogs dialogs(&clock);
    QtSerialPort port(store);
    Program program(port, clock, dialogs, store, QCoreApplication::applicationDirPath());
    dialogs.setOwner(&program.window);
    // Closing the start-up dialog without choosing a model ends the program.
    if (!program.app.Form_Load())
        return 0;
    program.window.show();
    return application.exec();
}
