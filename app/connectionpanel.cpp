#include "app/connectionpanel.h"

#include "app/appprocs.h"
#include "app/connection.h"
#include "app/settings.h"
#include "link/transaction.h"
#include "platform/basic.h"
#include "platform/dialogs.h"
#include "platform/serialport.h"
#include "session/context.h"
#include "session/mainwidgets.h"
#include "session/session.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QUrl>

namespace {

// Shows text in a choice box that only offers its list; a text the list lacks is added first, so
// a stored value is always shown as it is.
void showOrAdd(QComboBox* box, const QString& text) {
    const QSignalBlocker block(box);
    int i = box->findText(text, Qt::MatchExactly);
    if (i < 0) {
        box->addItem(text);
        i = box->count() - 1;
    }
    box->setCurrentIndex(i);
}

// Shows text when the list has it; otherwise the box stays as it was.
void showIfListed(QComboBox* box, const QString& text) {
    const QSignalBlocker block(box);
    const int i = box->findText(text, Qt::MatchExactly);
    if (i >= 0)
        box->setCurrentIndex(i);
}

// "COM3" -> "3"; "" for anything that does not name a port.
QString portNumberOf(const QString& choice) {
    if (!choice.startsWith(QLatin1String("COM")))
        return QString();
    return parsePortNumber(choice.mid(3)).value_or(QString());
}

} // namespace

QString helpDocumentName(const QString& languageFile) {
    return languageFile == QStringLiteral("Türkçe.txt") ? QStringLiteral("VelmoraTR.pdf")
                                                        : QStringLiteral("VelmoraENG.pdf");
}

QString helpDocumentPath(const Session& session) {
    return session.AppFolder + QStringLiteral("Help/") + helpDocumentName(session.LanguageFile);
}

ConnectionPanel::ConnectionPanel(AppContext& ctx, QObject* parent) : QObject(parent), m_ctx(ctx) {
    TaksimatBul = [this] { ::TaksimatBul(m_ctx); };
}

void ConnectionPanel::wire() {
    if (m_wired)
        return;
    m_wired = true;
    MainWidgets& w = *m_ctx.w;
    Session& s = m_ctx.session;
    for (int i : {0, 1, 4, 6})
        QObject::connect(w.MnAyar[i], &QAction::triggered, this, unlessDeviceBusy(s, [this, i] { MnAyar_Click(i); }));
    // A choice the user makes; the program's own settings of the box do not count.
    QObject::connect(w.Combo9, &QComboBox::activated, this, unlessDeviceBusy(s, [this] { Combo9_Click(); }));
    QObject::connect(w.SSCommand1, &QPushButton::clicked, this, unlessDeviceBusy(s, [this] { SSCommand1_Click(); }));
    QObject::connect(w.SSCommand7, &QPushButton::clicked, this, unlessDeviceBusy(s, [this] { SSCommand7_Click(); }));
    w.SSCommand1->installEventFilter(this);
}

bool ConnectionPanel::eventFilter(QObject* watched, QEvent* event) {
    if (m_ctx.w && watched == m_ctx.w->SSCommand1 && event->type() == QEvent::KeyPress && !m_ctx.session.deviceBusy) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers m = key->modifiers();
        const int shift =
            ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) | ((m & Qt::AltModifier) ? 4 : 0);
        if (SSCommand1_KeyDown(key->key(), shift))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

void ConnectionPanel::MnAyar_Click(int index) {
    switch (index) {
    case 0:
        openConnectionPanel();
        break;
    case 3:
        if (m_ctx.app)
            m_ctx.app->openLanguagePanel();
        break;
    case 4:
        showHelp();
        break;
    case 6:
        showIdentification();
        break;
    default:
        break; // 1 (program settings) has no action
    }
}

void ConnectionPanel::refreshPortList() {
    const QStringList ports = m_ctx.link.Portkontrol();
    QComboBox* box = m_ctx.w->Combo6;
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(ports);
}

void ConnectionPanel::openConnectionPanel() {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;

    if (m_ctx.app)
        m_ctx.app->lockWindow();
    w.SSPanel1->show();
    w.SSPanel1->raise();

    // Ports come and go (USB adapters): the list is made afresh each time.
    refreshPortList();

    w.Text4[0]->setText(s.PortNumber);
    showOrAdd(w.Combo6, QStringLiteral("COM") + w.Text4[0]->text().trimmed());

    // Baud rate, parity letter and data bits are the first three fields of the settings text
    // (a six-digit baud rate or a stop-bit field of "1.5" keeps them apart just the same).
    const QString settings = s.PortSettings;
    w.Text4[1]->setText(settings);
    const QStringList fields = settings.split(QLatin1Char(','));
    showOrAdd(w.Combo7, fields.value(0).trimmed());

    showOrAdd(w.Combo2, s.DeviceAddress.isEmpty() ? QStringLiteral("00") : s.DeviceAddress);
    showIfListed(w.Combo3, s.ChecksumOn ? QStringLiteral("Var") : QStringLiteral("Yok"));
    showIfListed(w.Combo8, fields.value(2).trimmed());

    const QString parity = fields.value(1).trimmed();
    if (parity == QLatin1String("N"))
        showIfListed(w.Combo9, QStringLiteral("NONE"));
    else if (parity == QLatin1String("E"))
        showIfListed(w.Combo9, QStringLiteral("EVEN"));
    else if (parity == QLatin1String("O"))
        showIfListed(w.Combo9, QStringLiteral("ODD"));
}

void ConnectionPanel::Combo9_Click() {
    MainWidgets& w = *m_ctx.w;
    const QString parity = w.Combo9->currentText();
    showIfListed(w.Combo8, parity == QLatin1String("ODD") || parity == QLatin1String("EVEN") ? QStringLiteral("7")
                                                                                             : QStringLiteral("8"));
}

void ConnectionPanel::SSCommand1_Click() {
    // The range read below dispatches events while it waits: a second press must not finish the
    // panel under it.
    if (m_inOk)
        return;
    QScopedValueRollback<bool> inOk(m_inOk, true);
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;

    // The range set-up is read over the port settings in force before this OK.
    const QString address = w.Combo2->currentText();
    if (address != s.DeviceAddress) {
        s.DeviceAddress = address;
        if (TaksimatBul)
            TaksimatBul();
    }

    // With no port chosen the port in use stays.
    const QString port = portNumberOf(w.Combo6->currentText());
    if (!port.isEmpty())
        s.PortNumber = port;
    w.Text4[0]->setText(s.PortNumber);

    QString baud = w.Combo7->currentText().trimmed();
    while (baud.endsWith(QLatin1Char(',')))
        baud.chop(1);
    const QString settings = baud + QLatin1Char(',') + basic::Left(w.Combo9->currentText(), 1) + QLatin1Char(',') +
                             w.Combo8->currentText() + QStringLiteral(",1");
    // A settings text the port would refuse is not taken; the one in use stays.
    if (parsePortSettingsText(settings))
        s.PortSettings = settings;
    w.Text4[1]->setText(s.PortSettings);

    s.DeviceAddress = address;
    s.ChecksumOn = w.Combo3->currentText() != QLatin1String("Yok");

    storeConnectionSettings(m_ctx.store, s);

    SSCommand7_Click();
}

void ConnectionPanel::SSCommand7_Click() {
    m_ctx.w->SSPanel1->hide();
    if (m_ctx.app)
        m_ctx.app->unlockWindow();
}

bool ConnectionPanel::SSCommand1_KeyDown(int keyCode, int shift) {
    if (keyCode != Qt::Key_S || shift != 7)
        return false;
    Session& s = m_ctx.session;
    const std::optional<QString> answer = m_ctx.dialogs.inputBox(
        QStringLiteral("Reading time?"), QStringLiteral("KR and TW"), basic::Str(s.ReadWaitTime));
    // Cancelled, empty, not a number or not above 0: the waits keep their time and nothing is stored.
    if (!answer)
        return true;
    const std::optional<double> seconds = parseTypedReadWaitTime(*answer);
    if (!seconds)
        return true;
    s.ReadWaitTime = *seconds;
    storeReadWaitTime(m_ctx.store, answer->trimmed());
    return true;
}

void ConnectionPanel::showHelp() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(helpDocumentPath(m_ctx.session)));
}

void ConnectionPanel::showIdentification() {
    const MessageTables& t = m_ctx.session.messages;
    m_ctx.dialogs.messageBox(MessageTables::at(t.NoticeText, 18), MsgButtons::Ok, MsgIcon::None,
                             MessageTables::at(t.NoticeText, 19));
}
