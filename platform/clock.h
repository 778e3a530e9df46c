#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>

#include <functional>

// Time as the device routines see it: a monotonic clock, the calendar for dates, and the two
// waits. waitSeconds keeps the window working (events are dispatched) and costs no CPU;
// waitSecondsBusy dispatches nothing. After shutdown() every wait returns at once, so closing the
// window during an exchange ends the program cleanly.
class Clock : public QObject {
    Q_OBJECT
public:
    virtual double now() const = 0; // seconds, monotonic
    virtual QDateTime currentDateTime() const = 0;
    virtual void waitSeconds(double seconds) = 0;
    virtual void waitSecondsBusy(double seconds) = 0;

    void shutdown();
    bool isShuttingDown() const { return m_shuttingDown; }

signals:
    void shuttingDown();

private:
    bool m_shuttingDown = false;
};

class SystemClock : public Clock {
    Q_OBJECT
public:
    SystemClock();
    double now() const override;
    QDateTime currentDateTime() const override;
    void waitSeconds(double seconds) override;
    void waitSecondsBusy(double seconds) override;

private:
    QElapsedTimer m_timer;
};

// Virtual time for tests: a wait moves the clock forward at once. onWait runs inside every
// dispatching wait (after the clock moved), in place of the events a user would cause meanwhile;
// posted events are then dispatched once.
class VirtualClock : public Clock {
    Q_OBJECT
public:
    double now() const override { return m_now; }
    QDateTime currentDateTime() const override { return m_start.addMSecs(qint64(m_now * 1000.0)); }
    void waitSeconds(double seconds) override;
    void waitSecondsBusy(double seconds) override;
    void advance(double seconds) { m_now += seconds; }
    void setDateTime(const QDateTime& dt) { m_start = dt.addMSecs(-qint64(m_now * 1000.0)); }

    std::function<void(double seconds)> onWait;
    bool dispatchEvents = true;
    double totalWaited = 0;
    int waits = 0;

private:
    double m_now = 1000.0;
    QDateTime m_start = QDateTime(QDate(2024, 5, 19), QTime(12, 15, 30));
};
