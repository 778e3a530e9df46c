#pragma once

#include <QColor>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <functional>

class QKeyEvent;
class QMenu;

// Twips (1/1440 inch) as the layout gives them, at 15 twips per pixel.
constexpr int twipsPerPixel = 15;
inline int tw(int twips) {
    return (twips >= 0 ? twips + twipsPerPixel / 2 : twips - twipsPerPixel / 2) / twipsPerPixel;
}
inline int toTwips(int pixels) {
    return pixels * twipsPerPixel;
}

// A raised panel with an optional caption line along its top, like the window's pop-up panels.
class PanelFrame : public QFrame {
    Q_OBJECT
public:
    // TitleBar: the caption heads the panel; Centered: the caption is the panel's message.
    enum CaptionStyle { TitleBar, Centered };
    explicit PanelFrame(QWidget* parent = nullptr, CaptionStyle style = TitleBar);
    void setCaption(const QString& caption);
    QString caption() const;
    // Height of the caption line (0 while the caption is empty); children start below it.
    int captionHeight() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString m_caption;
    CaptionStyle m_style;
};

// A label that reports clicks: the status lamp images, the date panel's OK/Cancel images, the "X"
// of the span-weight prompt.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

    // A lamp keeps its colour while its panel is locked: the yellow of a running job must show.
    void setKeepsColourWhenDisabled(bool on) { m_keepsColour = on; }

signals:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    bool m_keepsColour = false;
};

// A filled shape whose colour carries a state (the calibration and analog-output lamps). Round
// shapes are drawn as circles, others as a framed rectangle.
class ShapeWidget : public QWidget {
    Q_OBJECT
public:
    enum Kind { Rectangle, Circle };
    explicit ShapeWidget(Kind kind = Rectangle, QWidget* parent = nullptr);
    void setFillColor(const QColor& c);
    QColor fillColor() const { return m_fill; }
    // An unfilled rectangle only draws its border.
    void setFilled(bool filled);
    bool isFilled() const { return m_filled; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Kind m_kind;
    QColor m_fill = QColor(192, 192, 192);
    bool m_filled = true;
};

// A narrow push button whose caption runs down along it (the label text's side-panel toggle).
class VerticalButton : public QPushButton {
    Q_OBJECT
public:
    explicit VerticalButton(const QString& text, QWidget* parent = nullptr) : QPushButton(text, parent) {}
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
};

// The character a key types, or nothing for the editing and moving keys (Delete, Backspace, the
// arrows, Home, End, the page keys, Insert). X11 gives Delete the text U+007F: no character filter
// may take it for a typed character.
QString typedText(const QKeyEvent& e);

// Types a text that arrives all at once (pasted, dropped, an input method's commit, a key that types
// several characters) one character at a time: `typeOne` types a character by the box's own rule
// for a typed key and says whether the box took it. The text stops at the first character the box
// refuses, whichever box it is, so what follows a refused character never lands out of place.
void typeUntilRefused(const QString& text, const std::function<bool(QChar)>& typeOne);

// Text that reaches a box other than by a typed key: a paste from the keyboard, from the box's own
// menu or by the middle button, a drop, an input method's commit. The guard hands it to the box's
// `insert`, which types it through typeUntilRefused with the same rules as the keys, so nothing gets
// past them. Works on QLineEdit and QPlainTextEdit boxes.
class InsertGuard : public QObject {
public:
    using Insert = std::function<void(const QString& text)>;
    explicit InsertGuard(QObject* parent = nullptr) : QObject(parent) {}
    void guard(QWidget* box, Insert insert);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QWidget* box;
        Insert insert;
    };
    bool menu(const Entry& entry, const QPoint& at);
    void moveCursorTo(QWidget* box, const QPoint& at);
    QHash<QObject*, Entry> m_boxes;
};
