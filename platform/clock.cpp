#include "platform/clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>

void Clock::shutdown() {
    if (m_shuttingDown)
        return;
    m_shuttingDown = true;
    emit shuttingDown();
}

SystemClock::SystemClock() {
    m_timer.start();
}

double SystemClock::now() const {
    return double(m_timer.nsecsElapsed()) / 1e9;
}

QDateTime SystemClock::currentDateTime() const {
    return QDateTime::currentDateTime();
}

void SystemClock::waitSeconds(double seconds) {
    if (isShuttingDown() || !(seconds > 0))
        return;
    const double deadline = now() + seconds;
    // A nested loop sleeps in the event dispatcher until the timer or an event wakes it.
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(this, &Clock::shuttingDown, &loop, &QEventLoop::quit);
    while (!isShuttingDown()) {
        const double left = deadline - now();
        if (left <= 0)
            break;
        // Long waits sleep in slices; the loop goes round until the deadline.
        timer.start(int(std::clamp(std::ceil(left * 1000.0), 1.0, 3600000.0)));
        loop.exec();
    }
}

void SystemClock::waitSecondsBusy(double seconds) {
    if (isShuttingDown() || !(seconds > 0))
        return;
    QThread::usleep(static_cast<unsigned long>(seconds * 1e6));
}

void VirtualClock::waitSeconds(double seconds) {
    if (isShuttingDown())
        return;
    waitSecondsBusy(seconds);
    if (onWait)
        onWait(seconds);
    if (dispatchEvents && QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void VirtualClock::waitSecondsBusy(double seconds) {
    if (isShuttingDown())
        return;
    if (seconds > 0)
        m_now += seconds;
    totalWaited += std::max(0.0, seconds);
    ++waits;
}
