#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

// Message, input and file dialogs as the program uses them. The window build uses the widget
// implementation; tests use ScriptedDialogs, which never blocks.
enum class MsgButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgResult messageBox(const QString& text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                                 const QString& title = QString()) = 0;
    // nullopt when the box was cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultAnswer) = 0;
    // Empty when cancelled. filter is of the form "Parameter files (*.vlm)".
    virtual QString openFileName(const QString& title, const QString& folder, const QString& filter) = 0;
    virtual QString saveFileName(const QString& title, const QString& folder, const QString& filter,
                                 const QString& suggestedName) = 0;
};

// The answer that changes nothing, for a box nobody answers: Ok, Abort, No or Cancel.
MsgResult cautiousAnswer(MsgButtons buttons);

// Answers from a script, records everything shown. An unscripted box is answered with its first
// button (an unscripted input or file dialog as cancelled) and counted in unscripted. A program
// that keeps asking beyond unscriptedLimit is caught in a loop: onExhausted runs once, and from
// then on every box is answered with its cancelling button, so that the loop can end.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        enum Kind { Message, Input, Open, Save } kind = Message;
        QString text;
        QString title;
        MsgButtons buttons = MsgButtons::Ok;
        MsgIcon icon = MsgIcon::None;
    };

    void answerMessage(MsgResult r) { m_messageAnswers.push_back(r); }
    void answerInput(std::optional<QString> a) { m_inputAnswers.push_back(std::move(a)); }
    void answerFile(const QString& path) { m_fileAnswers.push_back(path); }

    MsgResult messageBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultAnswer) override;
    QString openFileName(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& title, const QString& folder, const QString& filter,
                         const QString& suggestedName) override;

    QList<Shown> shown;
    int unscripted = 0;
    int unscriptedLimit = 50;
    std::function<void()> onExhausted = whenExhausted;
    bool exhausted() const { return unscripted > unscriptedLimit; }
    // What every new instance does when exhausted; the test programs make it a failure.
    static inline std::function<void()> whenExhausted;

    QList<Shown> messages() const;
    void clear() {
        shown.clear();
        unscripted = 0;
    }

private:
    // Counts an unscripted answer; false once the script is exhausted.
    bool unscriptedAnswer();
    QString nextFile(Shown::Kind kind, const QString& text, const QString& title);

    std::deque<MsgResult> m_messageAnswers;
    std::deque<std::optional<QString>> m_inputAnswers;
    std::deque<QString> m_fileAnswers;
};
