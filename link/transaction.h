#pragma once

#include "link/commandcodes.h"
#include "link/decoder.h"
#include "link/linksettings.h"
#include "platform/serialport.h"

#include <QString>
#include <QStringList>
#include <QVariant>

class Clock;
class Dialogs;

// The shape of every exchange with the indicator: open the port, send a frame, wait a fixed time
// while the window keeps working, take what arrived as the answer; writes with echo check, retry
// and a failure box; host mode around transfers; the transfer log.
class DeviceLink {
public:
    DeviceLink(LinkSettings& settings, SerialPort& port, Clock& clock, Dialogs& dialogs);

    // Closes the port when open, applies PortNumber and PortSettings and opens it. 0 when it
    // opened, otherwise the port error number after a box telling the user.
    int PortAç();
    // The same without telling the user: the outcome says why the port did not open. A caller that
    // tries several times tells the last failure with showPortError.
    PortResult openPort();
    // The box PortAç shows for a port that did not open.
    void showPortError(const PortResult& result);

    // "COM1".."COM16" for every port that can be opened (each is opened and closed again; nothing
    // is sent). The port's number is restored afterwards.
    QStringList Portkontrol();

    // Waits ReadWaitTime, then returns all input that arrived ("" when none). A port that reported
    // an error (and so closed itself) gives "": a missing answer.
    QString IntOku();

    // Writes a register block and checks the indicator's echo, up to nine sends. When none of them
    // is acknowledged an Abort/Retry/Ignore box decides: Retry sends up to nine more, Ignore logs one
    // line and returns, Abort sets AbortRequested. Callers test AbortRequested afterwards.
    void CihazaGönder(const QString& address, int reg, int count, bool checksumOn, const QString& kind,
                      const QVariant& data);

    // The six characters of a write acknowledgement after "@" (and after the address field when
    // the address gives one).
    static QString Cevap(const QString& address, const QString& answer);

    // Host mode on (true) or off: writes the code to the command register, waits 0.2 s and drops
    // the answer. The port must be open.
    void HostYazdır(bool on);

    void WaitSeconds(double seconds);     // dispatches events, costs no CPU
    void WaitSecondsBusy(double seconds); // dispatches nothing

    // Appends one line to "QMxLog.txt" in the program folder, or in the per-user data folder when
    // the program folder is not writable. Failures are silent.
    void AppendLog(const QString& text);

    // --- helpers for the device code ---

    // Drops whatever input is pending (a late answer to an earlier request), then sends the frame.
    void sendFrame(const QString& frame);

    // The usual read: read frame for reg/count with the settings' address and checksum setting,
    // an optional extra wait, then IntOku.
    QString readExchange(int reg, int count, double extraWait = 0);

    // A single write outside a transfer loop, answered like a read (no echo check, no retry).
    QString writeExchange(int reg, int count, const QString& kind, const QVariant& data, double extraWait = 0);

    // DecodeAnswer / isErrorAnswer with the settings' address and checksum setting; checksum
    // mismatches go to the log.
    AnswerValue DecodeAnswer(const QString& answer, const QString& kind);
    bool isErrorAnswer(const QString& answer) const;
    // The whole-answer checks (blockAnswerData, writeAcknowledged) with the settings' address and
    // checksum setting; checksum mismatches go to the log.
    std::optional<QString> answerData(const QString& answer, int bytes);
    bool acknowledged(const QString& answer, int bytes);

    // Where a check that finds a checksum mismatch tells it: the log, dated.
    LogSink logSink();
    // A log line of the given event: today's date in the system's short format, then the event.
    void logEvent(const QString& event);
    QString logDate() const;

    // Where AppendLog wrote its last line ("" before the first line).
    QString lastLogPath() const { return m_lastLogPath; }

    LinkSettings& settings() { return m_settings; }
    SerialPort& port() { return m_port; }
    Clock& clock() { return m_clock; }
    Dialogs& dialogs() { return m_dialogs; }

private:
    void drainInput();
    QByteArray collectInput();

    LinkSettings& m_settings;
    SerialPort& m_port;
    Clock& m_clock;
    Dialogs& m_dialogs;
    QString m_lastLogPath;
};
