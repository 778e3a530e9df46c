#pragma once

#include "platform/dialogs.h"

#include <QPointer>

class Clock;
class QWidget;

// Message, input and file dialogs shown as real windows over the main window (its pop-up panels
// lie inside it, so a box over the window stands over the open panel too). Once the program is
// ending (the clock shut down) nothing is shown any more: a box answers with the choice that changes
// nothing (Abort, No, Cancel), an input or file dialog as cancelled, so a job cut short by closing
// the window runs out unattended.
class WidgetDialogs : public Dialogs {
public:
    explicit WidgetDialogs(Clock* clock = nullptr) : m_clock(clock) {}

    // The window every dialog belongs to and opens over. Until it is shown (during start-up) the
    // window the user is looking at is taken instead.
    void setOwner(QWidget* window) { m_owner = window; }

    MsgResult messageBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultAnswer) override;
    QString openFileName(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& title, const QString& folder, const QString& filter,
                         const QString& suggestedName) override;

private:
    bool ending() const;
    QWidget* owner() const;

    Clock* m_clock;
    QPointer<QWidget> m_owner;
};
