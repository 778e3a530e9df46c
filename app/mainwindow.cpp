#include "app/mainwindow.h"

#include "app/appprocs.h"
#include "pages/gridlayout.h"
#include "pages/gridmodel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGraphicsDropShadowEffect>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QRadialGradient>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

namespace {

// Frame and title bar around the client area, as the outer size counts them.
constexpr int kFrameWidthPx = 8;
constexpr int kFrameHeightPx = 30;

template <typename T> T* place(T* w, int x, int y, int width, int height) {
    w->setGeometry(x, y, width, height);
    return w;
}

QLabel* label(QWidget* parent, const QString& text, int x, int y, int width, int height,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = place(new QLabel(text, parent), x, y, width, height);
    l->setAlignment(align);
    return l;
}

QLineEdit* lineEdit(QWidget* parent, int x, int y, int width, int height = 22) {
    return place(new QLineEdit(parent), x, y, width, height);
}

QPushButton* button(QWidget* parent, const QString& text, int x, int y, int width, int height = 28) {
    auto* b = place(new QPushButton(text, parent), x, y, width, height);
    b->setAutoDefault(false);
    return b;
}

QRadioButton* option(QWidget* parent, const QString& text, int x, int y, int width, int height = 22) {
    return place(new QRadioButton(text, parent), x, y, width, height);
}

QCheckBox* check(QWidget* parent, const QString& text, int x, int y, int width, int height = 22) {
    return place(new QCheckBox(text, parent), x, y, width, height);
}

QGroupBox* frame(QWidget* parent, const QString& title, int x, int y, int width, int height) {
    return place(new QGroupBox(title, parent), x, y, width, height);
}

QComboBox* combo(QWidget* parent, int x, int y, int width, int height = 24) {
    return place(new QComboBox(parent), x, y, width, height);
}

// A floating in-cell editor over a grid's viewport: frameless, one row high, hidden until placed.
template <typename T> T* floating(T* w, QTableView* grid) {
    w->setParent(grid->viewport());
    w->setGeometry(0, 0, 100, tw(280));
    w->hide();
    return w;
}

QPixmap lampPixmap(const QColor& colour, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(size * 0.38, size * 0.35), size * 0.6);
    g.setColorAt(0.0, colour.lighter(170));
    g.setColorAt(0.55, colour);
    g.setColorAt(1.0, colour.darker(160));
    p.setBrush(g);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawEllipse(QRectF(1.5, 1.5, size - 3, size - 3));
    return pm;
}

QPixmap markPixmap(bool ok, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = ok ? QColor(0, 140, 40) : QColor(200, 30, 30);
    p.setBrush(c.lighter(185));
    p.setPen(QPen(c, 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), 4, 4);
    p.setPen(QPen(c, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (ok) {
        p.drawPolyline(QPolygonF(
            {QPointF(size * 0.24, size * 0.52), QPointF(size * 0.43, size * 0.72), QPointF(size * 0.78, size * 0.28)}));
    } else {
        p.drawLine(QPointF(size * 0.28, size * 0.28), QPointF(size * 0.72, size * 0.72));
        p.drawLine(QPointF(size * 0.72, size * 0.28), QPointF(size * 0.28, size * 0.72));
    }
    return pm;
}

// Four text lines, centred or flush left: the alignment toggles of the header and footer.
QIcon alignmentIcon(bool centred) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(QColor(40, 40, 40), 1.6));
    const int lengths[4] = {14, 8, 12, 6};
    for (int i = 0; i < 4; ++i) {
        const int len = lengths[i];
        const int x = centred ? (16 - len) / 2 : 1;
        const int y = 2 + i * 4;
        p.drawLine(x, y, x + len - 1, y);
    }
    return QIcon(pm);
}

QTimer* timer(QObject* parent, int intervalMs, bool singleShot = false) {
    auto* t = new QTimer(parent);
    t->setInterval(intervalMs);
    t->setSingleShot(singleShot);
    return t;
}

} // namespace

QSize MainWindow::outerSize() {
    return {tw(kWidthTwips), tw(kHeightTwips)};
}

QSize MainWindow::clientSize() {
    return {tw(kWidthTwips) - kFrameWidthPx, tw(kHeightTwips) - kFrameHeightPx};
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("AnaForm"));
    m_w.AnaForm = this;
    setWindowTitle(QStringLiteral("VELMORA"));
    // Fixed size: no maximise button; the resize handler snaps anything else back.
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);

    buildMenus();
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(3);
    setCentralWidget(central);
    buildBand(central);
    buildTabs(central);
    layout->addWidget(m_w.SSPanel11);
    layout->addWidget(m_w.SSTab1, 1);

    buildConnectionPanel();
    buildReadPanel();
    buildSendPanel();
    buildLanguagePanel();
    buildWaitPanel();
    buildTimers();
    // The pop-up panels stand out from the page beneath them.
    for (QWidget* p :
         {static_cast<QWidget*>(m_w.SSPanel1), static_cast<QWidget*>(m_w.SSPanel2), static_cast<QWidget*>(m_w.SSPanel3),
          static_cast<QWidget*>(m_w.SSPanel7), static_cast<QWidget*>(m_w.SSPanel10),
          static_cast<QWidget*>(m_w.SSPanel8), static_cast<QWidget*>(m_w.SSPanel9)}) {
        auto* shadow = new QGraphicsDropShadowEffect(p);
        shadow->setBlurRadius(18);
        shadow->setOffset(3, 4);
        shadow->setColor(QColor(0, 0, 0, 110));
        p->setGraphicsEffect(shadow);
    }

    setFixedSize(clientSize());
    centrePanels();
    // The window sees every key before the control that has the focus.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // The views and their binders are children destroyed after the members: let them go while
    // the pages they follow are still there.
    delete takeCentralWidget();
}

void MainWindow::buildMenus() {
    auto* bar = menuBar();
    m_w.MnDosya1 = bar->addMenu(QStringLiteral("&Dosya"));
    auto fileItem = [&](int i, const QString& text, const QKeySequence& key) {
        m_w.MnDosya[i] = m_w.MnDosya1->addAction(text);
        m_w.MnDosya[i]->setShortcut(key);
    };
    fileItem(0, QStringLiteral("&Yeni"), QKeySequence(Qt::CTRL | Qt::Key_F5));
    fileItem(1, QStringLiteral("&Aç"), QKeySequence(Qt::CTRL | Qt::Key_F4));
    m_w.MnDosya[2] = m_w.MnDosya1->addSeparator();
    fileItem(3, QStringLiteral("&Kaydet"), QKeySequence(Qt::CTRL | Qt::Key_F2));
    fileItem(4, QStringLiteral("&Farklı Kaydet"), QKeySequence(Qt::CTRL | Qt::Key_F3));
    m_w.MnDosya[7] = m_w.MnDosya1->addSeparator();
    fileItem(8, QStringLiteral("İndikatöre &Yükle"), QKeySequence(Qt::Key_F6));
    fileItem(9, QStringLiteral("İndikatörü &Oku"), QKeySequence(Qt::Key_F7));
    m_w.MnDosya[10] = m_w.MnDosya1->addSeparator();
    fileItem(11, QStringLiteral("&Çıkış"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    m_w.MnAyar1 = bar->addMenu(QStringLiteral("&Ayarlar"));
    m_w.MnAyar[0] = m_w.MnAyar1->addAction(QStringLiteral("&Bağlantı Ayarları"));
    m_w.MnAyar[1] = m_w.MnAyar1->addAction(QStringLiteral("&Program Ayarları"));
    m_w.MnAyar[3] = m_w.MnAyar1->addAction(QStringLiteral("&Dil Ayarları"));
    m_w.MnAyar[4] = m_w.MnAyar1->addAction(QStringLiteral("&Yardım"));
    m_w.MnAyar[4]->setShortcut(QKeySequence(Qt::Key_F1));
    m_w.MnAyar[5] = m_w.MnAyar1->addSeparator();
    m_w.MnAyar[6] = m_w.MnAyar1->addAction(QStringLiteral("&Tanıtım"));
    // Unavailable from the start; nothing makes them available.
    for (int i : {1, 4, 5, 6})
        m_w.MnAyar[i]->setEnabled(false);

    m_w.connect = bar->addAction(QStringLiteral("&Bağlan"));
}

void MainWindow::buildBand(QWidget* central) {
    m_w.SSPanel11 = new PanelFrame(central);
    m_w.SSPanel11->setObjectName(QStringLiteral("SSPanel11"));
    m_w.SSPanel11->setFixedHeight(36);
    m_w.SSPanel11->setFrameShadow(QFrame::Raised);
    m_w.SSPanel11->setLineWidth(1);

    m_w.Toolbar1 = place(new QToolBar(m_w.SSPanel11), 3, 2, 260, 32);
    m_w.Toolbar1->setIconSize(QSize(20, 20));
    m_w.Toolbar1->setMovable(false);
    m_w.Toolbar1->setFloatable(false);
    QStyle* st = style();
    auto tool = [&](int i, QStyle::StandardPixmap icon, const QString& tip) {
        m_w.Toolbar1Button[i] = m_w.Toolbar1->addAction(st->standardIcon(icon), QString());
        m_w.Toolbar1Button[i]->setToolTip(tip);
    };
    tool(1, QStyle::SP_FileIcon, QStringLiteral("Yeni"));
    tool(2, QStyle::SP_DialogOpenButton, QStringLiteral("Aç"));
    m_w.Toolbar1Button[3] = m_w.Toolbar1->addSeparator();
    tool(4, QStyle::SP_DialogSaveButton, QStringLiteral("Kaydet"));
    tool(5, QStyle::SP_DriveFDIcon, QStringLiteral("Farklı Kaydet"));
    m_w.Toolbar1Button[6] = m_w.Toolbar1->addSeparator();
    tool(7, QStyle::SP_ArrowUp, QStringLiteral("İndikatöre Yükle"));
    tool(8, QStyle::SP_ArrowDown, QStringLiteral("İndikatörü Oku"));
    m_w.Toolbar1Button[9] = m_w.Toolbar1->addSeparator();
    tool(10, QStyle::SP_DialogResetButton, QStringLiteral("Sayfayı Temizle"));
    tool(11, QStyle::SP_BrowserReload, QStringLiteral("Güncelle"));

    m_w.ProgressBar3 = place(new QProgressBar(m_w.SSPanel11), 300, 10, 260, 16);
    m_w.ProgressBar3->setTextVisible(false);
    m_w.ProgressBar3->hide();

    const QColor colours[3] = {QColor(220, 30, 30), QColor(30, 190, 40), QColor(240, 200, 0)};
    for (int i = 0; i < 3; ++i) {
        auto* lamp = place(new ClickLabel(m_w.SSPanel11), 600, 4, 28, 28);
        lamp->setPixmap(lampPixmap(colours[i], 26));
        lamp->setAlignment(Qt::AlignCenter);
        lamp->setKeepsColourWhenDisabled(true);
        lamp->setCursor(Qt::PointingHandCursor);
        lamp->setVisible(i == 0);
        m_w.Image2[i] = lamp;
    }
}

void MainWindow::buildTabs(QWidget* central) {
    m_w.SSTab1 = new QTabWidget(central);
    m_w.SSTab1->setObjectName(QStringLiteral("SSTab1"));
    m_w.SSTab1->setUsesScrollButtons(false);
    const char* captions[7] = {"Başlık ve Dip Not", "ID Hafıza",   "P.Dara Hafıza", "Setpoint Hafıza",
                               "Parametreler",      "Kalibrasyon", "Status"};
    for (int i = 0; i < 7; ++i) {
        m_w.TabPage[i] = new QWidget;
        m_w.SSTab1->addTab(m_w.TabPage[i], QString::fromUtf8(captions[i]));
    }
    buildHeaderPage(m_w.TabPage[0]);
    buildIdPage(m_w.TabPage[1]);
    buildGridPage(m_w.TabPage[2], 4);
    buildGridPage(m_w.TabPage[3], 1);
    buildParameterPage(m_w.TabPage[4]);
    buildCalibrationPage(m_w.TabPage[5]);
    buildGridPage(m_w.TabPage[6], 3);
    m_w.Text7 = floating(new QLineEdit, m_w.Grid1[4]);
    for (int i = 0; i < 3; ++i)
        m_w.Text5[i] = floating(new QLineEdit, m_w.Grid1[1]);
}

void MainWindow::buildHeaderPage(QWidget* page) {
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setStyleHint(QFont::Monospace);
    QFont bold = page->font();
    bold.setBold(true);

    // Header and footer lines at their design tops (relative to the page below the tab strip),
    // each group's caption to the left of its first line and its alignment bar to the right.
    const int headerTops[4] = {1095, 1545, 1980, 2415};
    const int footerTops[2] = {3015, 3465};
    const int offset = -42;
    const int boxLeft = 110;
    const int boxWidth = 196;
    m_w.Label1[0] = label(page, QStringLiteral("BAŞLIK"), 16, tw(headerTops[0]) + offset, 92, 24);
    m_w.Label1[1] = label(page, QStringLiteral("DİPNOT"), 16, tw(footerTops[0]) + offset, 92, 24);
    for (QLabel* l : m_w.Label1)
        l->setFont(bold);
    for (int k = 0; k < 4; ++k) {
        m_w.Baslık[k] = lineEdit(page, boxLeft, tw(headerTops[k]) + offset, boxWidth, 24);
        m_w.Baslık[k]->setMaxLength(20);
        m_w.Baslık[k]->setFont(mono);
    }
    for (int k = 0; k < 2; ++k) {
        m_w.DipNot[k] = lineEdit(page, boxLeft, tw(footerTops[k]) + offset, boxWidth, 24);
        m_w.DipNot[k]->setMaxLength(20);
        m_w.DipNot[k]->setFont(mono);
    }
    for (int bar = 0; bar < 2; ++bar) {
        const int y = (bar == 0 ? tw(headerTops[0]) : tw(footerTops[0])) + offset - 2;
        auto* tb = place(new QToolBar(page), boxLeft + boxWidth + 6, y, 62, 28);
        tb->setIconSize(QSize(16, 16));
        tb->setMovable(false);
        tb->setFloatable(false);
        auto* centre = tb->addAction(alignmentIcon(true), QString());
        centre->setToolTip(QStringLiteral("Ortala"));
        auto* left = tb->addAction(alignmentIcon(false), QString());
        left->setToolTip(QStringLiteral("Sola Yasla"));
        centre->setCheckable(true);
        left->setCheckable(true);
        left->setChecked(true);
        m_w.Toolbar2[bar] = tb;
        m_w.Toolbar2Button[bar] = {nullptr, centre, left};
    }

    // The printer-kind options share a plain holder (which keeps them one exclusive group) and no
    // frame: with the options hidden for the first model, nothing of them shows.
    auto* kind = place(new QWidget(page), 400, tw(headerTops[0]) + offset - 6, 216, 66);
    m_w.Option3[0] = option(kind, QStringLiteral("FİŞ"), 12, 10, 196);
    m_w.Option3[1] = option(kind, QStringLiteral("EPL YAZICI"), 12, 36, 196);
    m_w.Option3[0]->setChecked(true);

    // Label-printer text with its sliding tag panel (open at design).
    const int eplTop = tw(footerTops[1]) + offset + 40;
    const int eplHeight = 470 - eplTop;
    m_w.Command2 = place(new VerticalButton(QStringLiteral("<<<"), page), 0, eplTop, 16, eplHeight);
    m_w.Command2->setEnabled(false);
    m_w.SSPanel6 = place(new PanelFrame(page), tw(240), eplTop, tw(2205), eplHeight);
    m_w.SSPanel6->setCaption(QStringLiteral("EPL Komutları"));
    m_w.Label14 = label(m_w.SSPanel6, QString(), 6, 30, 28, eplHeight - 34, Qt::AlignLeft | Qt::AlignTop);
    m_w.Label15 = label(m_w.SSPanel6, QString(), 36, 30, tw(2205) - 42, eplHeight - 34, Qt::AlignLeft | Qt::AlignTop);
    m_w.Label14->setFont(mono);
    m_w.EPL = place(new QPlainTextEdit(page), tw(2490), eplTop, tw(5820), eplHeight);
    m_w.EPL->setFont(mono);
    m_w.EPL->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_w.EPL->setEnabled(false);
    m_w.SSCommand10[0] = button(page, QStringLiteral("Yükle"), tw(2490), eplTop + eplHeight + 8, 150);
    m_w.SSCommand10[1] = button(page, QStringLiteral("Kaydet"), tw(2490) + 158, eplTop + eplHeight + 8, 150);
    m_w.SSCommand10[0]->setEnabled(false);
    m_w.SSCommand10[1]->setEnabled(false);
}

void MainWindow::buildIdPage(QWidget* page) {
    m_w.Frame8 = frame(page, QStringLiteral("ID Başlıkları"), 8, 2, 272, 124);
    m_w.Label8[0] = label(m_w.Frame8, QStringLiteral("ID Başlık 1"), 12, 34, 100, 24);
    m_w.Label8[1] = label(m_w.Frame8, QStringLiteral("ID Başlık 2"), 12, 74, 100, 24);
    m_w.Text6 = lineEdit(m_w.Frame8, 114, 34, 146, 24);
    m_w.Text8 = lineEdit(m_w.Frame8, 114, 74, 146, 24);
    m_w.Text6->setMaxLength(11);
    m_w.Text8->setMaxLength(11);

    m_w.Frame12 = frame(page, QStringLiteral("Current ID's"), 288, 2, 333, 124);
    m_w.Label21[0] = label(m_w.Frame12, QStringLiteral("Number"), 50, 18, 86, 18);
    m_w.Label21[1] = label(m_w.Frame12, QStringLiteral("Name"), 142, 18, 180, 18);
    for (int line = 0; line < 2; ++line) {
        const int y = 40 + line * 38;
        label(m_w.Frame12, QStringLiteral("ID %1").arg(line + 1), 12, y, 36, 24);
        m_w.Text11[line * 2] = lineEdit(m_w.Frame12, 50, y, 86, 24);
        m_w.Text11[line * 2 + 1] = lineEdit(m_w.Frame12, 142, y, 180, 24);
    }
    m_w.Text11[0]->setMaxLength(6);
    m_w.Text11[2]->setMaxLength(6);

    m_w.Frame13 = frame(page, QStringLiteral("ID Hafıza"), 8, 130, 613, 382);
    buildGridPage(m_w.Frame13, 0);
    m_w.Grid1[0]->setGeometry(10, 22, m_w.Grid1[0]->width(), 350);
    m_w.Text2 = floating(new QLineEdit, m_w.Grid1[0]);
    m_w.Text3 = floating(new QLineEdit, m_w.Grid1[0]);
}

void MainWindow::buildGridPage(QWidget* page, int grid) {
    auto* view = new QTableView(page);
    view->setObjectName(QStringLiteral("Grid1_%1").arg(grid));
    m_w.Grid1[grid] = view;
    setupGridView(*view);
    m_binders[grid] = new GridViewBinder(m_pages[grid], *view);
    m_w.Grid1Binder[grid] = m_binders[grid];
    // Wide enough for the layout's columns and a vertical scroll bar.
    int columns = 0;
    for (int c = 0; c < kGridSpecs[grid].cols; ++c)
        columns += kGridSpecs[grid].colWidths[c];
    const int width = std::min(twipsToPixels(columns) + 22, 613);
    view->setGeometry(8, 8, width, 504);
}

void MainWindow::buildParameterPage(QWidget* page) {
    buildGridPage(page, 2);
    QTableView* grid = m_w.Grid1[2];
    m_w.Combo1 = floating(new QComboBox, grid);
    m_w.Text1 = floating(new QLineEdit, grid);
    for (int i = 0; i < 2; ++i) {
        m_w.DTPicker1[i] = floating(new QDateTimeEdit, grid);
    }

    // Date/time panel: two framed groups of two-digit boxes and the OK/Cancel images.
    constexpr int fieldWidth = 56;
    constexpr int fieldStep = fieldWidth + 10;
    constexpr int groupWidth = 3 * fieldWidth + 2 * 10 + 14;
    m_w.SSPanel9 = place(new PanelFrame(page), 120, 60, 2 * groupWidth + 58, 86);
    m_w.Frame10 = frame(m_w.SSPanel9, QStringLiteral("Tarih"), 8, 6, groupWidth, 72);
    m_w.Frame11 = frame(m_w.SSPanel9, QStringLiteral("Saat"), 14 + groupWidth, 6, groupWidth, 72);
    const char* fields[6] = {"dd", "mm", "yy", "hh", "mm", "ss"};
    for (int i = 0; i < 6; ++i) {
        QGroupBox* group = i < 3 ? m_w.Frame10 : m_w.Frame11;
        const int x = 7 + (i % 3) * fieldStep;
        m_w.Frame9[i] = frame(group, QString::fromLatin1(fields[i]), x, 18, fieldWidth, 48);
        m_w.Text13[i] = lineEdit(m_w.Frame9[i], (fieldWidth - 32) / 2, 19, 32, 24);
        m_w.Text13[i]->setMaxLength(2);
        m_w.Text13[i]->setAlignment(Qt::AlignCenter);
        if (i % 3 != 2)
            label(group, i < 3 ? QStringLiteral("-") : QStringLiteral(":"), x + fieldWidth, 40, 10, 22,
                  Qt::AlignCenter);
    }
    for (int i = 0; i < 2; ++i) {
        m_w.Image1[i] = place(new ClickLabel(m_w.SSPanel9), 2 * groupWidth + 26, 14 + i * 34, 24, 24);
        m_w.Image1[i]->setPixmap(markPixmap(i == 0, 24));
        m_w.Image1[i]->setCursor(Qt::PointingHandCursor);
    }
    m_w.Image1[0]->setToolTip(QStringLiteral("OK"));
    m_w.Image1[1]->setToolTip(QStringLiteral("Cancel"));
    m_w.SSPanel9->hide();
}

void MainWindow::buildCalibrationPage(QWidget* page) {
    m_w.Option5[0] = option(page, QStringLiteral("Ağırlık Kalibrasyonu"), 14, 6, 280);
    m_w.Option5[1] = option(page, QStringLiteral("Analog Çıkış Kalibrasyonu"), 322, 6, 290);
    m_w.Option5[0]->setChecked(true);
    // The same for the mode options, which sit above every other option of the page.
    auto* mode = new QButtonGroup(page);
    mode->addButton(m_w.Option5[0]);
    mode->addButton(m_w.Option5[1]);

    // Set-up choices.
    m_w.Frame3 = frame(page, QStringLiteral("Kalibrasyon Parametreleri"), 8, 32, 302, 232);
    const int labels[6] = {0, 9, 5, 6, 7, 8};
    const char* texts[10] = {"Çalışma Modu", "Hızlı",      "Yavaş",      "Yavaş",      "Hızlı",
                             "Kapasite 1",   "Taksimat 1", "Kapasite 2", "Taksimat 2", "Metrolojik"};
    for (int r = 0; r < 6; ++r) {
        const int y = 24 + r * 34;
        const int l = labels[r];
        m_w.Label3[l] = label(m_w.Frame3, QString::fromUtf8(texts[l]), 10, y, 118, 24);
        if (r < 2) {
            m_w.Combo4[r == 0 ? 0 : 5] = combo(m_w.Frame3, 132, y, 160);
        } else {
            const int i = r - 1; // 1..4
            m_w.Combo4[i] = combo(m_w.Frame3, 132, y, 160);
            m_w.Combo44[i] = combo(m_w.Frame3, 132, y, 160);
            m_w.Combo4[i]->hide(); // the code list lies beneath its companion
        }
    }

    // Calibration procedure.
    m_w.Frame1 = frame(page, QStringLiteral("Kalibrasyon İşlemi"), 318, 32, 303, 130);
    const char* kinds[3] = {"Genel Kalibrasyon", "Sıfır Kalibrasyonu", "Span Kalibrasyonu"};
    for (int i = 0; i < 3; ++i)
        m_w.Option1[i] = option(m_w.Frame1, QString::fromUtf8(kinds[i]), 12, 20 + i * 24, 180);
    m_w.SSCommand3 = button(m_w.Frame1, QStringLiteral("Başla"), 196, 22, 96, 30);
    m_w.SSCommand3->setEnabled(false);
    m_w.Shape3 = place(new ShapeWidget(ShapeWidget::Circle, m_w.Frame1), 12, 100, 18, 18);
    m_w.Label4 = label(m_w.Frame1, QStringLiteral("Başla"), 38, 96, 256, 26);

    // Live weight reading.
    m_w.Frame6 = frame(page, QStringLiteral("İndikatör Değeri"), 318, 166, 303, 98);
    m_w.Label9 = label(m_w.Frame6, QStringLiteral("- - - -"), 12, 20, 170, 36, Qt::AlignRight | Qt::AlignVCenter);
    QFont big = m_w.Label9->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    m_w.Label9->setFont(big);
    m_w.Label10 = label(m_w.Frame6, QStringLiteral("Kg"), 188, 28, 40, 24);
    m_w.Shape7 = place(new ShapeWidget(ShapeWidget::Circle, m_w.Frame6), 268, 30, 18, 18);
    m_w.Shape7->setFillColor(QColor(255, 255, 0));
    m_w.SSCommand6 = button(m_w.Frame6, QStringLiteral("Oku"), 12, 62, 120, 28);
    m_w.Label11 = label(m_w.Frame6, QString(), 140, 62, 154, 28);
    m_w.Label11->setStyleSheet(QStringLiteral("color: rgb(200,0,0); font-weight: bold;"));
    m_w.Label11->hide();

    // Analog-output calibration.
    m_w.Frame2 = frame(page, QStringLiteral("Analog Kalibrasyon İşlemi"), 8, 270, 613, 206);
    m_w.Frame5 = frame(m_w.Frame2, QStringLiteral("Analog Çıkış Tipi"), 10, 20, 200, 74);
    m_w.Option4[0] = option(m_w.Frame5, QStringLiteral("4 - 20 mA"), 12, 20, 180);
    m_w.Option4[1] = option(m_w.Frame5, QStringLiteral("0 - 10 VDC"), 12, 44, 180);
    m_w.Option4[0]->setChecked(true);
    m_w.Option6[0] = option(m_w.Frame2, QStringLiteral("SIFIR"), 22, 102, 188);
    m_w.Option6[1] = option(m_w.Frame2, QStringLiteral("FS"), 22, 126, 188);
    m_w.Option6[0]->setChecked(true);
    // Grouped: left to themselves they would count the output-type options in Frame5 among their
    // siblings and take the choice from those.
    auto* endPoint = new QButtonGroup(m_w.Frame2);
    endPoint->addButton(m_w.Option6[0]);
    endPoint->addButton(m_w.Option6[1]);
    m_w.SSCommand5 = button(m_w.Frame2, QStringLiteral("Başla"), 10, 160, 200, 34);

    auto adjustPanel = [&](const QString& caption, std::array<QPushButton*, 4>& toggles, int fastLabel, int slowLabel) {
        auto* panel = place(new PanelFrame(m_w.Frame2), 222, 20, 380, 132);
        panel->setCaption(caption);
        m_w.Label3[fastLabel] = label(panel, QString::fromUtf8(texts[fastLabel]), 12, 38, 90, 34);
        m_w.Label3[slowLabel] = label(panel, QString::fromUtf8(texts[slowLabel]), 12, 84, 90, 34);
        for (int i = 0; i < 4; ++i) {
            const bool up = (i % 2) == 0;
            const int row = i / 2;
            auto* b = button(panel, up ? QStringLiteral("▲") : QStringLiteral("▼"), 130 + (up ? 0 : 124), 38 + row * 46,
                             116, 34);
            b->setCheckable(true);
            b->setToolTip(
                QStringLiteral("%1%2").arg(up ? QStringLiteral("+") : QStringLiteral("-")).arg(row == 0 ? 100 : 5));
            toggles[i] = b;
        }
        return panel;
    };
    m_w.SSPanel4 = adjustPanel(QStringLiteral("SIFIR"), m_w.Sıfır, 1, 2);
    m_w.SSPanel5 = adjustPanel(QStringLiteral("FS"), m_w.FS, 4, 3);
    m_w.SSPanel5->hide();
    // The toggles step a run in progress: a start offers them, a stop withdraws them again.
    m_w.SSPanel4->setEnabled(false);
    m_w.SSPanel5->setEnabled(false);

    m_w.Shape4 = place(new ShapeWidget(ShapeWidget::Circle, m_w.Frame2), 224, 164, 26, 26);
    m_w.Shape4->setFillColor(QColor(192, 192, 192));
    m_w.Label7 = label(m_w.Frame2, QStringLiteral("Başla"), 258, 162, 344, 30);
    QFont display = m_w.Label7->font();
    display.setBold(true);
    display.setPointSizeF(display.pointSizeF() * 1.2);
    m_w.Label7->setFont(display);
    m_w.Label7->setFrameShape(QFrame::StyledPanel);
    m_w.Label7->setFrameShadow(QFrame::Sunken);
    m_w.Label7->setIndent(8);

    // The diagnostic button lies outside the visible part of the page; RESTART is the user's, under
    // the analog-output frame.
    m_w.Command1 = button(page, QStringLiteral("Command1"), 700, 10, 90);
    m_w.Command3 = button(page, QStringLiteral("RESTART"), 531, 482, 90, 28);

    // Span-weight prompt. It belongs to the window, not to the page: the page is locked while the
    // calibration that asks for the weight runs. Shown centred over the window.
    m_w.SSPanel8 = place(new PanelFrame(this), 150, 150, 330, 160);
    m_w.Label17 = place(new ClickLabel(m_w.SSPanel8), 304, 6, 20, 20);
    m_w.Label17->setText(QStringLiteral("X"));
    m_w.Label17->setAlignment(Qt::AlignCenter);
    m_w.Label17->setCursor(Qt::PointingHandCursor);
    QFont xFont = m_w.Label17->font();
    xFont.setBold(true);
    m_w.Label17->setFont(xFont);
    m_w.Label16 = label(m_w.SSPanel8, QString(), 14, 10, 286, 22);
    m_w.Label16->setFont(xFont);
    m_w.Label18 = label(m_w.SSPanel8, QString(), 14, 36, 302, 46, Qt::AlignLeft | Qt::AlignTop);
    m_w.Label18->setWordWrap(true);
    m_w.Text10 = lineEdit(m_w.SSPanel8, 14, 88, 302, 24);
    m_w.SSCommand11[0] = button(m_w.SSPanel8, QStringLiteral("Tamam"), 70, 122, 90);
    m_w.SSCommand11[1] = button(m_w.SSPanel8, QStringLiteral("İptal"), 170, 122, 90);
    m_w.SSPanel8->hide();
}

void MainWindow::buildConnectionPanel() {
    auto* p = place(new PanelFrame(this), 0, 0, 300, 284);
    p->setObjectName(QStringLiteral("SSPanel1"));
    p->setCaption(QStringLiteral("Bağlantı Ayarları"));
    m_w.SSPanel1 = p;
    // Rows: port, baud rate, parity, data bits, device address, checksum.
    const int rows[6] = {0, 1, 5, 4, 2, 3};
    const char* texts[6] = {"Port", "Ayarlar", "Cihaz Adresi", "Checksum", "Data Bit", "Parity"};
    QComboBox* combos[6] = {};
    for (int r = 0; r < 6; ++r) {
        const int y = 36 + r * 32;
        const int l = rows[r];
        m_w.Label2[l] = label(p, QString::fromUtf8(texts[l]), 16, y, 130, 24);
        combos[r] = combo(p, 150, y, 130);
    }
    m_w.Combo6 = combos[0];
    m_w.Combo7 = combos[1];
    m_w.Combo9 = combos[2];
    m_w.Combo8 = combos[3];
    m_w.Combo2 = combos[4];
    m_w.Combo3 = combos[5];
    m_w.Combo7->addItems(
        {QStringLiteral("57600"), QStringLiteral("38400"), QStringLiteral("19200"), QStringLiteral("9600")});
    m_w.Combo9->addItems({QStringLiteral("ODD"), QStringLiteral("EVEN"), QStringLiteral("NONE")});
    m_w.Combo8->addItems({QStringLiteral("7"), QStringLiteral("8")});
    m_w.Combo3->addItems({QStringLiteral("Yok"), QStringLiteral("Var")});
    for (int i = 0; i < 2; ++i) {
        m_w.Text4[i] = lineEdit(p, 16, 240, 60);
        m_w.Text4[i]->hide();
    }
    m_w.SSCommand1 = button(p, QStringLiteral("Tamam"), 50, 240, 94, 30);
    m_w.SSCommand7 = button(p, QStringLiteral("İptal"), 156, 240, 94, 30);
    p->hide();
}

void MainWindow::buildReadPanel() {
    auto* p = place(new PanelFrame(this), 0, 0, 330, 304);
    p->setObjectName(QStringLiteral("SSPanel2"));
    p->setCaption(QStringLiteral("İndikatörü Oku"));
    m_w.SSPanel2 = p;
    // In the order of their caption lines.
    const int order[7] = {0, 1, 2, 4, 5, 3, 6};
    const char* texts[7] = {
        "Başlık ve Dip Not", "ID ve ID Hafıza", "Setpoint Hafıza", "Parametreler", "Status", "P.Dara Hafıza", "Alibi"};
    for (int r = 0; r < 7; ++r) {
        const int i = order[r];
        m_w.SSCheck1[i] = check(p, QString::fromUtf8(texts[i]), 24, 34 + r * 24, 290);
    }
    m_w.Label5 = label(p, QString(), 16, 206, 298, 20);
    m_w.ProgressBar1 = place(new QProgressBar(p), 16, 230, 298, 16);
    m_w.ProgressBar1->setTextVisible(false);
    m_w.ProgressBar1->setValue(0);
    m_w.SSCommand2[0] = button(p, QStringLiteral("Başla"), 60, 260, 98, 30);
    m_w.SSCommand2[1] = button(p, QStringLiteral("İptal"), 172, 260, 98, 30);
    p->hide();
}

void MainWindow::buildSendPanel() {
    auto* p = place(new PanelFrame(this), 0, 0, 330, 352);
    p->setObjectName(QStringLiteral("SSPanel3"));
    p->setCaption(QStringLiteral("İndikatöre Yükle"));
    m_w.SSPanel3 = p;
    const int order[9] = {0, 1, 2, 3, 4, 8, 5, 6, 7};
    const char* texts[9] = {
        "Başlık ve Dip Not", "ID ve ID Hafıza",       "P.Dara Hafıza",         "Setpoint Hafıza", "Alibi",
        "Calibration P.",    "Configuration P.(Jmp)", "Configuration P.(Nrm)", "Tarih - Saat"};
    for (int r = 0; r < 9; ++r) {
        const int i = order[r];
        m_w.SSCheck2[i] = check(p, QString::fromUtf8(texts[i]), 24, 34 + r * 24, 290);
    }
    m_w.Label6 = label(p, QString(), 16, 254, 298, 20);
    m_w.ProgressBar2 = place(new QProgressBar(p), 16, 278, 298, 16);
    m_w.ProgressBar2->setTextVisible(false);
    m_w.ProgressBar2->setValue(0);
    m_w.SSCommand4[0] = button(p, QStringLiteral("Başla"), 60, 308, 98, 30);
    m_w.SSCommand4[1] = button(p, QStringLiteral("İptal"), 172, 308, 98, 30);
    p->hide();
}

void MainWindow::buildLanguagePanel() {
    auto* p = place(new PanelFrame(this), 0, 0, 360, 292);
    p->setObjectName(QStringLiteral("SSPanel7"));
    p->setCaption(QStringLiteral("Dil Seçimi"));
    m_w.SSPanel7 = p;
    m_w.Option2[0] = option(p, QStringLiteral("Türkçe"), 16, 36, 150);
    m_w.Option2[1] = option(p, QStringLiteral("English"), 16, 60, 150);
    m_w.Option2[2] = option(p, QString(), 16, 84, 150);
    m_w.Option2[2]->hide();
    m_w.Combo5 = combo(p, 176, 36, 168);
    m_w.Combo5->setEditable(true);
    m_w.Combo5->setInsertPolicy(QComboBox::NoInsert);
    m_w.File1 = place(new QListWidget(p), 176, 66, 168, 112);
    m_w.Label13 = label(p, QString(), 16, 186, 328, 48, Qt::AlignLeft | Qt::AlignTop);
    m_w.Label13->setWordWrap(true);
    m_w.SSCommand9 = button(p, QStringLiteral("Tamam"), 70, 246, 98, 30);
    m_w.SSCommand8 = button(p, QStringLiteral("İptal"), 192, 246, 98, 30);
    p->hide();
}

void MainWindow::buildWaitPanel() {
    auto* p = place(new PanelFrame(this, PanelFrame::Centered), 0, 0, 300, 70);
    p->setObjectName(QStringLiteral("SSPanel10"));
    p->setLineWidth(3);
    m_w.SSPanel10 = p;
    p->hide();
}

void MainWindow::buildTimers() {
    m_w.Timer1 = timer(this, 100);
    m_w.Timer2 = timer(this, 10, true);
    m_w.Timer3 = timer(this, 100);
    m_w.Timer4 = timer(this, 5000);
    m_w.Açıklama = timer(this, 5);
}

void MainWindow::centrePanels() {
    for (QWidget* p : {static_cast<QWidget*>(m_w.SSPanel1), static_cast<QWidget*>(m_w.SSPanel2),
                       static_cast<QWidget*>(m_w.SSPanel3), static_cast<QWidget*>(m_w.SSPanel7)}) {
        p->move((width() - p->width()) / 2, (height() - p->height()) / 2);
    }
    m_w.SSPanel10->move((width() - m_w.SSPanel10->width()) / 2, (height() - m_w.SSPanel10->height()) / 2);
}

void MainWindow::showPanel(QWidget* panel) {
    if (!panel)
        return;
    if (panel->parentWidget() == this)
        panel->move((width() - panel->width()) / 2, (height() - panel->height()) / 2);
    panel->show();
    panel->raise();
}

void MainWindow::Form_Resize() {
    if (isMinimized())
        return;
    if (size() != clientSize() && !m_resizing) {
        m_resizing = true;
        resize(clientSize());
        m_resizing = false;
    }
    centrePanels();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    // The window has one size: a maximise (from the window manager or a double click on the title
    // bar) is undone; minimising is left alone.
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && m_procs) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this) {
            auto* key = static_cast<QKeyEvent*>(event);
            const int code = key->key() == Qt::Key_Escape ? 27 : key->key() == Qt::Key_F5 ? 116 : 0;
            if (code != 0) {
                const Qt::KeyboardModifiers m = key->modifiers();
                const int shift = ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) |
                                  ((m & Qt::AltModifier) ? 4 : 0);
                // Consumed, so the key does not come round again as it travels to the parents.
                m_procs->Form_KeyDown(code, shift);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_procs)
        m_procs->Form_QueryUnload();
    event->accept();
}
