#include "platform/dialogs.h"

namespace {
MsgResult firstButton(MsgButtons b) {
    switch (b) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
        return MsgResult::Ok;
    case MsgButtons::AbortRetryIgnore:
        return MsgResult::Abort;
    case MsgButtons::YesNoCancel:
    case MsgButtons::YesNo:
        return MsgResult::Yes;
    case MsgButtons::RetryCancel:
        return MsgResult::Retry;
    }
    return MsgResult::Ok;
}

} // namespace

MsgResult cautiousAnswer(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgResult::Ok;
    case MsgButtons::AbortRetryIgnore:
        return MsgResult::Abort;
    case MsgButtons::YesNo:
        return MsgResult::No;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
    case MsgButtons::RetryCancel:
        return MsgResult::Cancel;
    }
    return MsgResult::Cancel;
}

bool ScriptedDialogs::unscriptedAnswer() {
    ++unscripted;
    if (unscripted == unscriptedLimit + 1 && onExhausted)
        onExhausted();
    return !exhausted();
}

MsgResult ScriptedDialogs::messageBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title) {
    shown.append({Shown::Message, text, title, buttons, icon});
    if (m_messageAnswers.empty())
        return unscriptedAnswer() ? firstButton(buttons) : cautiousAnswer(buttons);
    MsgResult r = m_messageAnswers.front();
    m_messageAnswers.pop_front();
    return r;
}

std::optional<QString> ScriptedDialogs::inputBox(const QString& prompt, const QString& title, const QString&) {
    shown.append({Shown::Input, prompt, title, MsgButtons::OkCancel, MsgIcon::None});
    if (m_inputAnswers.empty()) {
        unscriptedAnswer();
        return std::nullopt;
    }
    std::optional<QString> r;
    r.swap(m_inputAnswers.front());
    m_inputAnswers.pop_front();
    return r;
}

QString ScriptedDialogs::nextFile(Shown::Kind kind, const QString& text, const QString& title) {
    shown.append({kind, text, title, MsgButtons::OkCancel, MsgIcon::None});
    if (m_fileAnswers.empty()) {
        unscriptedAnswer();
        return {};
    }
    QString r = m_fileAnswers.front();
    m_fileAnswers.pop_front();
    return r;
}

QString ScriptedDialogs::openFileName(const QString& title, const QString& folder, const QString&) {
    return nextFile(Shown::Open, folder, title);
}

QString ScriptedDialogs::saveFileName(const QString& title, const QString& folder, const QString&,
                                      const QString& suggestedName) {
    return nextFile(Shown::Save, folder + suggestedName, title);
}

QList<ScriptedDialogs::Shown> ScriptedDialogs::messages() const {
    QList<Shown> out;
    for (const auto& s : shown)
        if (s.kind == Shown::Message)
            out.append(s);
    return out;
}
