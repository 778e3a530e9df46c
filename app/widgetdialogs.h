#pragma once

#include "platform/dialogs.h"

class Clock;
class QWidget;

// Message, input and file dialogs shown as real windows over the main window. Once the program is
// ending (the clock shut down) nothing is shown any more: a box answers with the choice that changes
// nothing (Abort, No, Cancel), an input or file dialog as cancelled, so a job cut short by closing
// the window runs out unattended.
class WidgetDialogs : public Dialogs {
public:
    explicit WidgetDialogs(Clock* clock = nullptr) : m_clock(clock) {}

    MsgResult messageBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultAnswer) override;
    QString openFileName(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& title, const QString& folder, const QString& filter,
                         const QString& suggestedName) override;

    // The answer of a box nobody can see any more.
    static MsgResult cautiousAnswer(MsgButtons buttons);

private:
    bool ending() const;
    static QWidget* owner();

    Clock* m_clock;
};
