#pragma once

#include "app/connection.h"
#include "app/connectionpanel.h"
#include "app/program.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/settingsstore.h"
#include "sim/simindicator.h"
#include "sim/simport.h"

#include <QTemporaryDir>

#include <memory>

// A whole program as main() builds it, over the simulated indicator on an in-process port,
// scripted dialogs, a virtual clock and a settings store in a temporary INI file. The program
// folder is a temporary folder holding the language and definition files, so nothing is written
// into the source tree.
class WindowFixture {
public:
    explicit WindowFixture(SimIndicator::Model deviceModel = SimIndicator::Model::QM2);

    // Runs start-up with the model already chosen (as the model button would have set it).
    // False when start-up did not complete.
    bool start(const QString& chosenModel = QStringLiteral("QM1"));

    // Lets the deferred read of the parameter page (armed by a tab change or a refresh) run, as it
    // does once the click that armed it has returned; at most 5 s of real time.
    void letDeferredReadRun();

    Session& session() { return program->session; }
    MainWidgets& w() { return program->w(); }
    ConnectionProcs& connection() { return program->connection; }
    ConnectionPanel& connectionPanel() { return program->connectionPanel; }
    QString folder() const { return m_dir.path() + QLatin1Char('/'); }
    QString storeValue(const QString& key) const { return store->value(QStringLiteral("QM"), key, QString()); }

    // How often one fixture's span-weight prompt may be shown before the test fails as a loop.
    static constexpr int kPromptShowLimit = 12;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QObject> m_promptWatchdog;

public:
    VirtualClock clock;
    ScriptedDialogs dialogs;
    std::unique_ptr<QtSettingsStore> store;
    SimIndicator indicator;
    SimPort port;
    std::unique_ptr<Program> program;
};
