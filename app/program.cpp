#include "app/program.h"

#include <QDir>

namespace {

QString folderWithSlash(const QString& folder) {
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f;
}

} // namespace

Program::Program(SerialPort& port, Clock& clock, Dialogs& dialogs, SettingsStore& store, const QString& programFolder)
    : link(session, port, clock, dialogs), ctx{session, port, clock, dialogs, store, link}, windowServices(ctx),
      app(ctx, window), tabs(ctx), connection(ctx), connectionPanel(ctx), pages(ctx), paramset(ctx), transfers(ctx),
      calibration(ctx) {
    session.ProgramFolder = folderWithSlash(programFolder);
    session.AppFolder = session.ProgramFolder;
    ctx.w = &window.widgets();
    ctx.window = &windowServices;
    for (int i = 0; i < 5; ++i)
        ctx.Grid1[i] = &window.pages()[i];
    ctx.pages = &pages;
    ctx.paramset = &paramset;
    ctx.transfers = &transfers;
    ctx.calibration = &calibration;
    ctx.connection = &connection;
    app.wire();
    connection.wire();
    connectionPanel.wire();
    pages.wire();
    paramset.wire();
    calibration.wire();
    tabs.wire();
}

Program::~Program() = default;
