#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QString>
#include <QTableView>

// What a person does to the window, as the window receives it.

// The Qt key code a keyboard sends with a character: a letter comes with its upper-case letter's
// code (Turkish letters too: "ş" comes as Ş, "ı" as I), any other character with its own ("%" is
// Qt::Key_Percent); Enter, Tab, Backspace and Esc come as their keys.
inline int keyCodeFor(QChar c) {
    switch (c.unicode()) {
    case u'\r':
    case u'\n':
        return Qt::Key_Return;
    case u'\t':
        return Qt::Key_Tab;
    case u'\b':
        return Qt::Key_Backspace;
    case 0x1b:
        return Qt::Key_Escape;
    default:
        return c.toUpper().unicode();
    }
}

// One key pressed and released, with the text it types.
inline void pressKey(QWidget* to, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = QString()) {
    const QPointer<QWidget> target(to);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(to, &press);
    if (!target)
        return;
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(to, &release);
}

// Types a text key by key, each key with its own code and its character.
inline void typeKeys(QWidget* to, const QString& text) {
    for (QChar c : text)
        pressKey(to, keyCodeFor(c), Qt::NoModifier, c == u'\n' ? QStringLiteral("\r") : QString(c));
}

// A click (or a double click) on a cell of a grid page's view, scrolled into view first.
inline void clickCell(QTableView* view, int pageRow, int col, bool twice = false) {
    const QModelIndex index = view->model()->index(pageRow - 1, col);
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &e);
    }
    if (twice) {
        QMouseEvent e(QEvent::MouseButtonDblClick, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &e);
    }
}
