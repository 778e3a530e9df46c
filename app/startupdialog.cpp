#include "app/startupdialog.h"

#include "link/textroutines.h"
#include "session/session.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kLeft = 615;     // twips: left edge of the decorative lines and the model panel
constexpr int kRight = 7005;   // twips: their right edge
constexpr int kPanelTop = 200; // pixels

// The brand picture: a weighing-scale mark beside the brand name.
QPixmap brandPicture(const QSize& size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal h = size.height();
    const QColor navy(20, 50, 110);
    // Scale mark: a platform on a pillar over a base, in a rounded square.
    QRectF mark(1, 1, h - 2, h - 2);
    QLinearGradient g(mark.topLeft(), mark.bottomRight());
    g.setColorAt(0, QColor(40, 110, 200));
    g.setColorAt(1, navy);
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(mark, h * 0.18, h * 0.18);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(mark.left() + h * 0.18, mark.top() + h * 0.28, h * 0.6, h * 0.08));
    p.drawRect(QRectF(mark.center().x() - h * 0.05, mark.top() + h * 0.36, h * 0.1, h * 0.3));
    p.drawRoundedRect(QRectF(mark.left() + h * 0.24, mark.top() + h * 0.66, h * 0.48, h * 0.12), 2, 2);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(int(h * 0.62));
    f.setLetterSpacing(QFont::PercentageSpacing, 110);
    p.setFont(f);
    p.setPen(navy);
    p.drawText(QRectF(h + 8, 0, size.width() - h - 8, h), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("HALVORN"));
    return pm;
}

} // namespace

StartupDialog::StartupDialog(Session& session, QWidget* parent) : QDialog(parent), m_session(session) {
    setObjectName(QStringLiteral("Form1"));
    m_w.Form1 = this;
    setWindowTitle(QStringLiteral("VELMORA"));
    setModal(false);
    // Unloading the dialog at the end of start-up must not end the program: the main window is
    // not shown yet at that moment.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const int width = tw(kRight + kLeft);

    QFont brandFont = font();
    brandFont.setPointSizeF(brandFont.pointSizeF() * 2.2);
    brandFont.setBold(true);
    m_w.Label4 = new QLabel(this);
    m_w.Label4->setGeometry(tw(kLeft), 8, tw(4350 - kLeft), 44);
    m_w.Label4->setFont(brandFont);
    m_w.Label4->setStyleSheet(QStringLiteral("color: rgb(20, 50, 110);"));
    m_w.Image1 = new QLabel(this);
    m_w.Image1->setGeometry(tw(kLeft), 10, tw(4350 - kLeft), 40);
    m_w.Image1->setPixmap(brandPicture(m_w.Image1->size()));
    m_w.Image1->hide();

    m_w.Label3 = new QLabel(this);
    m_w.Label3->setGeometry(tw(4350), 30, tw(kRight - 4350), 20);
    m_w.Label3->setAlignment(Qt::AlignRight | Qt::AlignBottom);

    m_w.Label6 = new QLabel(this);
    m_w.Label6->setGeometry(tw(kLeft), 166, tw(kRight - kLeft), 26);
    m_w.Label6->setAlignment(Qt::AlignCenter);
    QFont welcome = font();
    welcome.setPointSizeF(welcome.pointSizeF() * 1.3);
    welcome.setBold(true);
    m_w.Label6->setFont(welcome);

    auto* line0 = new QFrame(this);
    line0->setFrameShape(QFrame::HLine);
    m_w.Line7.append(line0);

    // Model panel.
    m_w.SSPanel7 = new PanelFrame(this);
    m_w.SSPanel7->setGeometry(tw(kLeft), kPanelTop, tw(kRight - kLeft), tw(kPanelCompact));
    m_w.Shape3 = new ShapeWidget(ShapeWidget::Rectangle, m_w.SSPanel7);
    m_w.Shape3->setFilled(false);
    m_w.Shape3->setGeometry(3, 1, m_w.SSPanel7->width() - 6, tw(kShapeCompact));
    const int labelTops[5] = {300, 600, 2175, 2475, 2775};
    const char* hints[5] = {"", "İndikatör modeli seçiniz.", "Cihaz parametreleri ve program",
                            "ayarlarının doğruluğundan emin olun!", "Kabloları kontrol edin!"};
    for (int i = 0; i < 5; ++i) {
        m_w.Label5[i] = new QLabel(QString::fromUtf8(hints[i]), m_w.SSPanel7);
        m_w.Label5[i]->setGeometry(16, tw(labelTops[i]), m_w.SSPanel7->width() - 32, 20);
    }
    QFont title = font();
    title.setBold(true);
    m_w.Label5[0]->setFont(title);
    QFont modelFont = font();
    modelFont.setPointSizeF(modelFont.pointSizeF() * 1.4);
    modelFont.setBold(true);
    const char* captions[2] = {"TAMAM", "İPTAL"};
    for (int i = 0; i < 2; ++i) {
        m_w.SSCommand6[i] = new QPushButton(QString::fromUtf8(captions[i]), m_w.SSPanel7);
        m_w.SSCommand6[i]->setGeometry(40 + i * 180, 64, 140, 40);
        m_w.SSCommand6[i]->setFont(modelFont);
        m_w.SSCommand6[i]->setAutoDefault(false);
        connect(m_w.SSCommand6[i], &QPushButton::clicked, this, [this, i] { SSCommand6_Click(i); });
        m_w.Option1[i] = new QRadioButton(i == 0 ? QStringLiteral("Qm1") : QStringLiteral("Qm2"), m_w.SSPanel7);
        m_w.Option1[i]->setGeometry(40 + i * 180, 110, 80, 22);
    }
    m_w.Command1 = new QPushButton(QStringLiteral("> > >"), m_w.SSPanel7);
    m_w.Command1->setGeometry(m_w.SSPanel7->width() - 72, 112, 60, 24);
    m_w.Command1->setAutoDefault(false);
    connect(m_w.Command1, &QPushButton::clicked, this, &StartupDialog::Command1_Click);
    m_w.Shape3->lower();
    m_w.SSPanel7->hide();

    setFixedWidth(width);
    Form_Load();
}

void StartupDialog::Form_Load() {
    m_w.Label3->setText(QStringLiteral("v%1.%2 r%3")
                            .arg(VELMORA_VERSION_MAJOR)
                            .arg(VELMORA_VERSION_MINOR)
                            .arg(ZeroPad(2, QString::number(VELMORA_VERSION_PATCH))));
    const int y0 = tw(795);
    m_w.Line7[0]->setGeometry(tw(4350), y0, tw(kRight - 4350), 1);
    m_w.Line7[0]->setStyleSheet(QStringLiteral("background: rgb(20, 50, 110); border: none;"));
    m_w.Line7[0]->setFrameShape(QFrame::NoFrame);
    m_w.Line7[0]->setAutoFillBackground(true);
    for (int i = 1; i <= 27; ++i) {
        auto* line = new QFrame(this);
        line->setFrameShape(QFrame::NoFrame);
        line->setGeometry(tw(kLeft), tw(795 + 60 * i), tw(kRight - kLeft), 1);
        // The stripes fade from the brand colour to a light blue.
        const int t = (i - 1) * 255 / 26;
        line->setStyleSheet(QStringLiteral("background: rgb(%1, %2, %3); border: none;")
                                .arg(20 + (190 - 20) * t / 255)
                                .arg(50 + (215 - 50) * t / 255)
                                .arg(110 + (245 - 110) * t / 255));
        line->show();
        m_w.Line7.append(line);
    }
    fitToPanel();
}

void StartupDialog::Command1_Click() {
    const bool compact = m_w.Shape3->height() == tw(kShapeCompact);
    m_w.Shape3->resize(m_w.Shape3->width(), tw(compact ? kShapeExpanded : kShapeCompact));
    m_w.SSPanel7->resize(m_w.SSPanel7->width(), tw(compact ? kPanelExpanded : kPanelCompact));
    fitToPanel();
}

void StartupDialog::SSCommand6_Click(int index) {
    m_session.ModelName = index != 0 ? QStringLiteral("QM2") : QStringLiteral("QM1");
    m_w.SSPanel7->hide();
    emit modelChosen();
}

void StartupDialog::showBrandPicture(bool picture) {
    m_w.Image1->setVisible(picture);
    m_w.Label4->setVisible(!picture);
}

void StartupDialog::unload() {
    m_unloading = true;
    close();
}

void StartupDialog::fitToPanel() {
    setFixedHeight(kPanelTop + m_w.SSPanel7->height() + 16);
}

void StartupDialog::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    if (!m_unloading)
        emit closedByUser();
}

void StartupDialog::keyPressEvent(QKeyEvent* event) {
    // Esc would reject the dialog; only closing it (or a model button) ends the wait.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
