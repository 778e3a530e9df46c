#pragma once

#include "platform/serialport.h"

#include <QList>
#include <QSet>

class Clock;
class SimIndicator;

// An in-process serial port wired to a simulated indicator. What output() sends is fed to the
// indicator at once; its answer lands in the input buffer answerDelay seconds later on the given
// clock (a VirtualClock in tests). The pieces of a split answer after the first appear only once
// the piece before has been read and the clock has moved on, so they fall into the next read. A
// late answer is missed by the read that waits for it and is there for the next look at the line.
class SimPort : public SerialPort {
public:
    SimPort(SimIndicator& indicator, Clock& clock);

    void setCommPort(int n) override { m_commPort = n; }
    int commPort() const override { return m_commPort; }
    void setSettings(const QString& settings) override { m_settings = settings; }
    QString settings() const override { return m_settings; }

    // Fails, in this order: a port number not in existingPorts (8002), the next entry of
    // openFailures when there is one, a port already open or in busyPorts (8005), a settings
    // text parsePortSettings refuses (8015).
    PortResult open() override;
    void close() override;
    bool isOpen() const override { return m_open; }

    void output(const QByteArray& bytes) override;
    QByteArray input() override;
    int inBufferCount() override;
    void discardInput() override;

    // Bytes that reach the input buffer unasked (noise, a device that keeps sending). Like the
    // real port, the buffer holds one exchange's worth at most; the excess is lost.
    void arrive(const QByteArray& bytes);

    // The COM numbers that exist, and those another program holds open.
    QSet<int> existingPorts{1};
    QSet<int> busyPorts;
    // Outcomes for the next open() calls, taken one per call (an ok entry lets that call go on).
    QList<PortResult> openFailures;
    // Seconds between a request and the moment its answer is in the input buffer.
    double answerDelay = 0.0;
    // The next input()/inBufferCount() finds the line broken: the port latches closed.
    void simulateReadError() { m_readErrorPending = true; }

    int openCalls = 0;         // every open() attempt
    int closeCalls = 0;        // every close() of an open port
    QList<QByteArray> outputs; // every output() on an open port
    int droppedOutputs = 0;    // output() on a closed port

private:
    struct Piece {
        QByteArray bytes;
        double readyAt = 0;
        bool afterRead = false; // the rest of a split answer: needs the piece before to be read
        int missedReads = 0;    // a late answer: reads that still find it not there
    };
    void deliver();
    bool checkReadError();

    SimIndicator& m_indicator;
    Clock& m_clock;
    int m_commPort = 1;
    QString m_settings = QStringLiteral("9600,N,8,1");
    bool m_open = false;
    bool m_readErrorPending = false;
    QByteArray m_inBuffer;
    QList<Piece> m_pending;
    double m_lastReadAt = -1;
    int m_budget = kMaxInputPerExchange; // input this exchange may still hand out
};
