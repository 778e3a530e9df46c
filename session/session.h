#pragma once

#include "link/linksettings.h"
#include "link/textroutines.h"
#include "session/calibrationstate.h"
#include "session/messagetables.h"
#include "session/parameterset.h"
#include "session/parametervalues.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

// A capacity/division choice table: 87 rows of 8 texts; column 0 the capacity entry of the row's
// code, columns 1..7 the division entries allowed with it.
using DefinitionTable = std::array<std::array<QString, 8>, 87>;

// The state the window's procedures share: the settings, the message tables, the model, the
// connection and the flags that device jobs test. One instance lives as long as the main window.
// It is also what the protocol layer reads its settings from.
struct Session : LinkSettings {
    // Settings, stored as text under "Tarvex"/"QM".
    QString PortNumber = QStringLiteral("1");
    QString PortSettings = QStringLiteral("9600,N,8,1");
    QString DeviceAddress;
    bool ChecksumOn = true;
    QString LanguageFile = QStringLiteral("English.txt");
    double ReadWaitTime = 0.15;

    MessageTables messages;

    QString ModelName; // "" until chosen, then "QM1" or "QM2"
    bool Connected = false;
    bool AbortRequested = false;
    int ReadSelector = 0; // tab page in view
    bool ReadOnTabEntry = false;
    // The parameter page holds a set opened from a file: entering the page does not read it, so no
    // read armed by a connect (before or after the open) replaces the opened values; the calibration
    // page's read on entry stays. The page emptied (New, or its clear) and a read of the page the
    // technician asks for (read panel, refresh, F5) end it.
    bool ParameterPageFromFile = false;
    bool F5ReadToggle = false;

    // Program folder with one trailing separator; the file dialogs may move it.
    QString AppFolder;
    // The folder of the program itself (language and definition files, "BACKUP"), with one
    // trailing "/"; set once when the program starts, never moved by a dialog.
    QString ProgramFolder;
    QString ParamFileName = QStringLiteral("*.Vlm");
    QString ParamFilePath;
    // The parameter set the File menu saves and opens; the pages are its working copy.
    ParameterSet CurrentParameterSet;

    // Weighing limits, unknown until the range set-up has been read.
    std::optional<double> DisplayMaximum;
    std::optional<double> DisplayMinimum;
    std::optional<double> Capacity;
    QString DivisionIntPart;
    QString DivisionDecimals;

    // Capacity/division tables of the normal, single-range metrological and two-range
    // metrological scale.
    DefinitionTable DefinitionTableN{};
    DefinitionTable DefinitionTableM1{};
    DefinitionTable DefinitionTableM2{};

    // Weekday suffix of the last clock record read: " \ " and the day name.
    QString DayNameSuffix;

    // The working values beside the parameter page.
    ParameterValues param;
    // The calibration page's knowledge of the indicator.
    CalibrationState cal;

    // True while a device job runs; no second one may start (a click, a key, a timer tick).
    bool deviceBusy = false;
    // True while the job running is a timer's repeated reading (the live weight, the analog
    // output's value), which holds the indicator most of the time: what the user does meanwhile is
    // carried out as soon as the reading ends, not lost. The timer's tick runs what was put here.
    bool readingInBackground = false;
    std::vector<std::function<void()>> afterBackgroundReading;

    bool isQM2() const { return ModelName == QLatin1String("QM2"); }

    // The parameter page was emptied: the values behind its rows go with them, so that nothing read
    // or opened earlier is saved or sent under what follows (the status page's values stay), and no
    // opened set is left to keep, so a pending read reads the page on its entry again.
    void parameterPageEmptied() {
        param.clearPageValues();
        DayNameSuffix.clear();
        ParameterPageFromFile = false;
    }

    QString portNumber() const override { return PortNumber; }
    QString portSettings() const override { return PortSettings; }
    QString deviceAddress() const override { return DeviceAddress; }
    bool checksumOn() const override { return ChecksumOn; }
    double readWaitTime() const override { return ReadWaitTime; }
    void requestAbort() override { AbortRequested = true; }
    // Beside the program, wherever a file dialog has since moved the working folder.
    QString logFolder() const override { return ProgramFolder.isEmpty() ? AppFolder : ProgramFolder; }
    QString writeFailedText() const override { return MessageTables::at(messages.WriteText, 3); }
    int textFilterSelector() const override { return ReadSelector; }
    const QVector<QString>& dayNames() const override { return messages.DayNames; }
    void setDayNameSuffix(const QString& suffix) override { DayNameSuffix = suffix; }
};

// A reading laid out like the display maximum, and given the division's decimals, of this session.
inline QString FormatLikeMaximum(const QString& digits, const Session& session) {
    return FormatLikeMaximum(digits, session.DisplayMaximum);
}
inline QString FormatLikeMaximum(double value, const Session& session) {
    return FormatLikeMaximum(value, session.DisplayMaximum);
}
inline QString InsertDecimalComma(const QString& digits, const Session& session) {
    return InsertDecimalComma(digits, session.DivisionDecimals);
}

// Marks a device job as running for its lifetime; acquired() is false when another job runs.
class DeviceBusyGuard {
public:
    explicit DeviceBusyGuard(Session& s) : m_session(s), m_acquired(!s.deviceBusy) {
        if (m_acquired)
            m_session.deviceBusy = true;
    }
    ~DeviceBusyGuard() {
        if (m_acquired)
            m_session.deviceBusy = false;
    }
    DeviceBusyGuard(const DeviceBusyGuard&) = delete;
    DeviceBusyGuard& operator=(const DeviceBusyGuard&) = delete;
    bool acquired() const { return m_acquired; }

private:
    Session& m_session;
    bool m_acquired;
};

// Keeps action for the end of the running job when that job is a timer's repeated reading, and
// says so; false (nothing kept) when no job runs or another job runs.
inline bool deferWhileReading(Session& session, std::function<void()> action) {
    if (!session.deviceBusy || !session.readingInBackground)
        return false;
    session.afterBackgroundReading.push_back(std::move(action));
    return true;
}

// Wraps the handler of something the user does (a menu item, a toolbar or panel button, the lamp)
// so that it does nothing while a device job runs: a job's waits dispatch events, and a panel
// opened, a window unlocked or a port touched in the middle of an exchange breaks it. Wire every
// user control through it at the point where it is triggered:
//     QObject::connect(item, &QAction::triggered, ctx, unlessDeviceBusy(session, [this] { ... }));
// The handler takes no arguments (capture what it needs). Only Esc and closing the window are
// meant to reach a running job, and the answers a job itself waits for (the span-weight prompt).
// During a timer's repeated reading the handler is not dropped but runs once the reading has ended.
template <typename Handler> class UnlessDeviceBusy {
public:
    UnlessDeviceBusy(Session& session, Handler handler) : m_session(&session), m_handler(std::move(handler)) {}
    void operator()() {
        if (!m_session->deviceBusy)
            m_handler();
        else
            deferWhileReading(*m_session, *this);
    }

private:
    Session* m_session;
    Handler m_handler;
};

template <typename Handler> auto unlessDeviceBusy(Session& session, Handler handler) {
    return UnlessDeviceBusy<Handler>(session, std::move(handler));
}
