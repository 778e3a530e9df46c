#pragma once

#include "support/windowfixture.h"

#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

// Answers the span-weight prompt each time it is shown: the next entry is put into the entry and
// OK pressed; with no entry left the prompt is cancelled. `atPrompt` runs first (to change the
// indicator between two attempts, say). A prompt that comes back after its cancel is a program in
// a loop: the test fails and the run is ended as closing the window ends it.
class PromptAnswers : public QObject {
public:
    PromptAnswers(WindowFixture& f, QStringList answers) : m_f(f), m_w(f.w()) {
        entries = std::move(answers);
        m_answers = int(entries.size()) + 1;
        m_w.SSPanel8->installEventFilter(this);
    }
    QStringList entries;
    int shown = 0;
    std::function<void()> atPrompt;
    QStringList suggestions;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_w.SSPanel8 && event->type() == QEvent::ShowToParent) {
            if (++shown > m_answers) {
                if (!m_f.clock.isShuttingDown())
                    ADD_FAILURE() << "the span-weight prompt came back after its last answer";
                m_f.clock.shutdown();
                return false;
            }
            suggestions << m_w.Text10->text();
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (atPrompt)
                        atPrompt();
                    if (entries.isEmpty()) {
                        m_w.SSCommand11[1]->click();
                        return;
                    }
                    m_w.Text10->setText(entries.takeFirst());
                    m_w.SSCommand11[0]->click();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    WindowFixture& m_f;
    MainWidgets& m_w;
    int m_answers = 1;
};
