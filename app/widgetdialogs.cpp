#include "app/widgetdialogs.h"

#include "platform/clock.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

const QString kDefaultTitle = QStringLiteral("VELMORA");

struct ButtonChoice {
    QMessageBox::StandardButton button;
    MsgResult result;
};

QList<ButtonChoice> buttonsOf(MsgButtons b) {
    switch (b) {
    case MsgButtons::Ok:
        return {{QMessageBox::Ok, MsgResult::Ok}};
    case MsgButtons::OkCancel:
        return {{QMessageBox::Ok, MsgResult::Ok}, {QMessageBox::Cancel, MsgResult::Cancel}};
    case MsgButtons::AbortRetryIgnore:
        return {{QMessageBox::Abort, MsgResult::Abort},
                {QMessageBox::Retry, MsgResult::Retry},
                {QMessageBox::Ignore, MsgResult::Ignore}};
    case MsgButtons::YesNoCancel:
        return {{QMessageBox::Yes, MsgResult::Yes},
                {QMessageBox::No, MsgResult::No},
                {QMessageBox::Cancel, MsgResult::Cancel}};
    case MsgButtons::YesNo:
        return {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}};
    case MsgButtons::RetryCancel:
        return {{QMessageBox::Retry, MsgResult::Retry}, {QMessageBox::Cancel, MsgResult::Cancel}};
    }
    return {{QMessageBox::Ok, MsgResult::Ok}};
}

QMessageBox::Icon iconOf(MsgIcon i) {
    switch (i) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

bool WidgetDialogs::ending() const {
    return m_clock && m_clock->isShuttingDown();
}

QWidget* WidgetDialogs::owner() const {
    if (m_owner && m_owner->isVisible())
        return m_owner;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return m_owner;
}

MsgResult WidgetDialogs::messageBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title) {
    if (ending())
        return cautiousAnswer(buttons);
    QMessageBox box(iconOf(icon), title.isEmpty() ? kDefaultTitle : title, text, QMessageBox::NoButton, owner());
    const QList<ButtonChoice> choices = buttonsOf(buttons);
    for (const ButtonChoice& s : choices)
        box.addButton(s.button);
    box.setDefaultButton(choices.front().button);
    // Escape answers like the last button where one means "don't", as the boxes always did.
    if (choices.size() > 1 && (choices.back().result == MsgResult::Cancel || choices.back().result == MsgResult::No))
        box.setEscapeButton(choices.back().button);
    box.exec();
    auto* clicked = box.clickedButton();
    for (const ButtonChoice& s : choices) {
        if (clicked == box.button(s.button))
            return s.result;
    }
    return choices.size() > 1 && choices.back().result == MsgResult::Cancel ? MsgResult::Cancel
                                                                            : choices.front().result;
}

std::optional<QString> WidgetDialogs::inputBox(const QString& prompt, const QString& title,
                                               const QString& defaultAnswer) {
    if (ending())
        return std::nullopt;
    bool ok = false;
    const QString answer = QInputDialog::getText(owner(), title.isEmpty() ? kDefaultTitle : title, prompt,
                                                 QLineEdit::Normal, defaultAnswer, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

QString WidgetDialogs::openFileName(const QString& title, const QString& folder, const QString& filter) {
    if (ending())
        return {};
    return QFileDialog::getOpenFileName(owner(), title, folder, filter);
}

QString WidgetDialogs::saveFileName(const QString& title, const QString& folder, const QString& filter,
                                    const QString& suggestedName) {
    if (ending())
        return {};
    // An untitled set is suggested as the pattern "*.Vlm". Here a pattern is no file name: the
    // dialog would write a file of that very name, so it is neither offered nor taken.
    auto isPattern = [](const QString& name) { return name.contains(u'*') || name.contains(u'?'); };
    QString start = folder;
    if (!suggestedName.isEmpty() && !isPattern(suggestedName))
        start = folder.isEmpty() ? suggestedName : QDir(folder).filePath(suggestedName);
    for (;;) {
        const QString chosen = QFileDialog::getSaveFileName(owner(), title, start, filter);
        if (chosen.isEmpty() || !isPattern(QFileInfo(chosen).fileName()))
            return chosen;
        if (ending())
            return {};
        start = QFileInfo(chosen).absolutePath();
    }
}
