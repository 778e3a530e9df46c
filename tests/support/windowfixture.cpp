#include "support/windowfixture.h"

#include "support/programfolder.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The span-weight prompt waits for the technician without a timeout. A test that shows it and
// never answers would hang the whole suite, and one that answers it each time it comes back would
// loop as long as the program asks again. So a prompt left unanswered, or shown more often than
// any test needs, fails the test instead and ends every wait the way closing the window does.
class PromptWatchdog : public QObject {
public:
    PromptWatchdog(QWidget* panel, Clock& clock, int showLimit)
        : m_panel(panel), m_clock(clock), m_showLimit(showLimit) {
        m_timer.setSingleShot(true);
        m_timer.setInterval(kSeconds * 1000);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            if (m_panel->isHidden())
                return;
            ADD_FAILURE() << "the span-weight prompt was left " << kSeconds << " s without an answer";
            m_clock.shutdown();
        });
        panel->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_panel && event->type() == QEvent::ShowToParent) {
            if (++m_shows == m_showLimit + 1) {
                ADD_FAILURE() << "the span-weight prompt was shown more than " << m_showLimit << " times";
                m_clock.shutdown();
            }
            m_timer.start();
        }
        return false;
    }

private:
    static constexpr int kSeconds = 5;
    QWidget* m_panel;
    Clock& m_clock;
    const int m_showLimit;
    int m_shows = 0;
    QTimer m_timer;
};

} // namespace

WindowFixture::WindowFixture(SimIndicator::Model deviceModel)
    : store(std::make_unique<QtSettingsStore>(m_dir.filePath(QStringLiteral("settings.ini")))), indicator(deviceModel),
      port(indicator, clock) {
    makeProgramFolder(m_dir.path());
    program = std::make_unique<Program>(port, clock, dialogs, *store, folder());
    m_promptWatchdog = std::make_unique<PromptWatchdog>(program->w().SSPanel8, clock, kPromptShowLimit);
    dialogs.onExhausted = [this] {
        ADD_FAILURE() << "a scripted dialog was asked more than " << dialogs.unscriptedLimit << " times unscripted";
        clock.shutdown();
    };
}

void WindowFixture::letDeferredReadRun() {
    QTimer* deferred = program->w().Timer2;
    if (!deferred->isActive())
        return;
    QEventLoop loop;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(deferred, &QTimer::timeout, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    guard.start(5000);
    loop.exec();
    EXPECT_FALSE(deferred->isActive()) << "the deferred read did not run";
}

bool WindowFixture::start(const QString& chosenModel) {
    program->session.ModelName = chosenModel;
    return program->app.Form_Load();
}
