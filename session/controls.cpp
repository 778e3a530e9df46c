#include "session/controls.h"
#include "session/mainwidgets.h"

#include <QMouseEvent>
#include <QPainter>
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
