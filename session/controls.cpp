#include "session/controls.h"
#include "session/mainwidgets.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyleOptionButton>
#include <QStylePainter>

PanelFrame::PanelFrame(QWidget* parent, CaptionStyle style) : QFrame(parent), m_style(style) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
}

void PanelFrame::setCaption(const QString& caption) {
    m_caption = caption;
    update();
}

QString PanelFrame::caption() const {
    return m_caption;
}

int PanelFrame::captionHeight() const {
    return m_caption.isEmpty() || m_style == Centered ? 0 : fontMetrics().height() + 8;
}

void PanelFrame::paintEvent(QPaintEvent* e) {
    QFrame::paintEvent(e);
    if (m_caption.isEmpty())
        return;
    QPainter p(this);
    if (m_style == Centered) {
        QFont f = font();
        f.setBold(true);
        p.setFont(f);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        p.drawText(rect().adjusted(8, 4, -8, -4), Qt::AlignCenter | Qt::TextWordWrap, m_caption);
        return;
    }
    const QRect bar(3, 3, width() - 6, captionHeight() - 2);
    p.fillRect(bar, isEnabled() ? QColor(0, 70, 140) : QColor(128, 128, 128));
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(bar.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, m_caption);
}

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {}

void ClickLabel::paintEvent(QPaintEvent* e) {
    const QPixmap pm = pixmap();
    if (!m_keepsColour || isEnabled() || pm.isNull()) {
        QLabel::paintEvent(e);
        return;
    }
    QPainter p(this);
    const QSize size = pm.deviceIndependentSize().toSize();
    p.drawPixmap(QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size), pm);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e) {
    QLabel::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* e) {
    QLabel::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton)
        emit doubleClicked();
}

ShapeWidget::ShapeWidget(Kind kind, QWidget* parent) : QWidget(parent), m_kind(kind) {}

void ShapeWidget::setFillColor(const QColor& c) {
    m_fill = c;
    update();
}

void ShapeWidget::setFilled(bool filled) {
    m_filled = filled;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, m_kind == Circle);
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(m_filled ? QBrush(m_fill) : Qt::NoBrush);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -1.5, -1.5);
    if (m_kind == Circle)
        p.drawEllipse(r);
    else
        p.drawRect(r);
}

void setOption(QRadioButton* option, bool checked) {
    if (!option)
        return;
    if (checked || !option->autoExclusive()) {
        option->setChecked(checked);
        return;
    }
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

QSize VerticalButton::sizeHint() const {
    return {fontMetrics().horizontalAdvance(QLatin1Char('W')) + 6, fontMetrics().height() * int(text().size()) + 8};
}

void VerticalButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    opt.text.clear();
    p.drawControl(QStyle::CE_PushButton, opt);
    // One character under the other, so arrows keep pointing the way they say.
    QString stacked;
    for (const QChar c : caption) {
        if (!stacked.isEmpty())
            stacked += QLatin1Char('\n');
        stacked += c;
    }
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(rect(), Qt::AlignCenter, stacked);
}

QString typedText(const QKeyEvent& e) {
    switch (e.key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Insert:
    case Qt::Key_Clear:
        return {};
    default:
        break;
    }
    QString text = e.text();
    text.remove(QChar(0x7f));
    return text;
}

void typeUntilRefused(const QString& text, const std::function<bool(QChar)>& typeOne) {
    for (const QChar c : text) {
        if (!typeOne(c))
            break;
    }
}

void InsertGuard::guard(QWidget* box, Insert insert) {
    if (!box)
        return;
    const Entry entry{box, std::move(insert)};
    m_boxes.insert(box, entry);
    box->installEventFilter(this);
    // A text box's mouse, menu and drop events arrive at its viewport.
    if (auto* edit = qobject_cast<QPlainTextEdit*>(box)) {
        m_boxes.insert(edit->viewport(), entry);
        edit->viewport()->installEventFilter(this);
        edit->setContextMenuPolicy(Qt::DefaultContextMenu);
    }
    QObject::connect(box, &QObject::destroyed, this, [this, box] {
        for (auto it = m_boxes.begin(); it != m_boxes.end();)
            it = it->box == box ? m_boxes.erase(it) : std::next(it);
    });
}

void InsertGuard::moveCursorTo(QWidget* box, const QPoint& at) {
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->deselect();
        line->setCursorPosition(line->cursorPositionAt(at));
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(box)) {
        edit->setTextCursor(edit->cursorForPosition(at));
    }
}

// The box's own menu, its Paste typing the clipboard through the box's rules.
bool InsertGuard::menu(const Entry& entry, const QPoint& at) {
    std::unique_ptr<QMenu> menu;
    if (auto* line = qobject_cast<QLineEdit*>(entry.box))
        menu.reset(line->createStandardContextMenu());
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(entry.box))
        menu.reset(edit->createStandardContextMenu());
    if (!menu)
        return false;
    // The text box names its paste action; the line edit's is known by its own wording.
    const QString lineEditPaste = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu->actions()) {
        if (action->objectName() != QLatin1String("edit-paste") &&
            !(qobject_cast<QLineEdit*>(entry.box) && action->text().section(u'\t', 0, 0) == lineEditPaste))
            continue;
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        QObject::connect(action, &QAction::triggered, this,
                         [insert = entry.insert] { insert(QApplication::clipboard()->text()); });
    }
    menu->exec(at);
    return true;
}

bool InsertGuard::eventFilter(QObject* watched, QEvent* event) {
    const auto it = m_boxes.constFind(watched);
    if (it == m_boxes.constEnd())
        return false;
    const Entry& entry = *it;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
            return false;
        if (!entry.box->property("readOnly").toBool())
            entry.insert(QApplication::clipboard()->text());
        return true;
    case QEvent::ContextMenu:
        if (entry.box->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false;
        return menu(entry, static_cast<QContextMenuEvent*>(event)->globalPos());
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!drag->mimeData()->hasText())
            return false;
        // A drop copies: what is dragged out of a box stays there.
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (drop->mimeData()->hasText()) {
            moveCursorTo(entry.box, drop->position().toPoint());
            entry.insert(drop->mimeData()->text());
            entry.box->setFocus(Qt::MouseFocusReason);
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::MiddleButton)
            return false;
        // The middle button pastes the selection where the system keeps one.
        if (QApplication::clipboard()->supportsSelection()) {
            moveCursorTo(entry.box, mouse->position().toPoint());
            entry.insert(QApplication::clipboard()->text(QClipboard::Selection));
        }
        return true;
    }
    case QEvent::InputMethod: {
        auto* im = static_cast<QInputMethodEvent*>(event);
        if (im->commitString().isEmpty())
            return false;
        const QString committed = im->commitString();
        im->setCommitString(QString());
        entry.insert(committed);
        return false; // the box still shows the composition that goes on
    }
    default:
        return false;
    }
}
