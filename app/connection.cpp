#include "app/connection.h"

#include "app/appprocs.h"
#include "calibration/calibrationprocs.h"
#include "link/decoder.h"
#include "link/frames.h"
#include "link/transaction.h"
#include "platform/serialport.h"
#include "session/context.h"
#include "session/mainwidgets.h"
#include "session/session.h"

namespace {

constexpr int kVersionTextRegister = 199;
constexpr int kVersionTextBytes = 10;
constexpr int kOpenAttempts = 10;

} // namespace

ConnectionProcs::ConnectionProcs(AppContext& ctx) : m_ctx(ctx) {
    TaksimatBul = [this] { ::TaksimatBul(m_ctx); };
    // Page switching is not there yet: the page in view is not re-read after a connect.
    SSTab1_Click = [](int) {};
    m_ctx.connection = this;
}

void ConnectionProcs::wire() {
    if (m_wired)
        return;
    m_wired = true;
    MainWidgets& w = *m_ctx.w;
    Session& s = m_ctx.session;
    for (int i = 0; i < 3; ++i)
        QObject::connect(w.Image2[i], &ClickLabel::clicked, w.Image2[i],
                         unlessDeviceBusy(s, [this, i] { Image2_Click(i); }));
    QObject::connect(w.connect, &QAction::triggered, w.connect, unlessDeviceBusy(s, [this] { connect_Click(); }));
}

QString ConnectionProcs::extraText(int k) const {
    return MessageTables::at(m_ctx.session.messages.ExtraText, k);
}

void ConnectionProcs::showSecondModelFeatures() {
    if (m_ctx.app)
        m_ctx.app->QM2DeğilseGizle(m_ctx.session.isQM2());
}

void ConnectionProcs::connectFailed() {
    // The model in force is kept, and so are the features that go with it.
    showSecondModelFeatures();
    m_ctx.w->ProgressBar3->hide();
    // Nothing more is said to the indicator in this attempt.
    if (m_ctx.port.isOpen())
        m_ctx.port.close();
    Image2_Click(1);
}

bool ConnectionProcs::identify() {
    Session& s = m_ctx.session;
    DeviceLink& link = m_ctx.link;

    int result = -1;
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        result = link.PortAç();
        if (result == 0 || porterror::isFinal(result))
            break;
        m_ctx.port.close();
    }
    if (result != 0) {
        connectFailed();
        return false;
    }

    const QString request = BuildReadFrame(s.DeviceAddress, kVersionTextRegister, kVersionTextBytes, s.ChecksumOn);
    link.sendFrame(request);
    link.WaitSeconds(0.2);
    const QString answer = link.IntOku();
    // An error answer is not decoded (nor its checksum logged).
    const QString text =
        link.isErrorAnswer(answer) ? QString() : link.DecodeAnswer(answer, QStringLiteral("Tx")).toText();
    const std::optional<QString> model = identifiedModel(answer, request, text, s.DeviceAddress);
    if (!model) {
        connectFailed();
        return false;
    }

    if (*model != s.ModelName) {
        s.ModelName = *model;
        if (m_ctx.app) {
            m_ctx.app->gridDüzen(2);
            m_ctx.app->gridDüzen(3);
        }
    }
    showSecondModelFeatures();
    s.Connected = true;
    // The identification exchange is over; the range set-up opens the port again for itself.
    m_ctx.port.close();
    return true;
}

void ConnectionProcs::VersiyonOku() {
    {
        DeviceBusyGuard guard(m_ctx.session);
        if (!guard.acquired())
            return;
        if (!identify())
            return;
    }
    // The range set-up is a device job of its own (it opens and closes the port itself).
    if (m_ctx.session.Connected && TaksimatBul)
        TaksimatBul();
}

void ConnectionProcs::Image2_Click(int index) {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    if (index == 0) {
        ışık(QStringLiteral("sarı"));
        w.SSTab1->setEnabled(false);
        w.SSPanel11->setEnabled(false);
        w.SSPanel10->show();
        w.SSPanel10->raise();
        VersiyonOku();
        w.SSPanel10->hide();
        w.SSTab1->setEnabled(true);
        w.SSPanel11->setEnabled(true);
        if (s.Connected) {
            w.connect->setText(extraText(9));
            ışık(QStringLiteral("yeşil"));
            // The first visit of the parameter or calibration page after a connect reads it (not
            // a parameter page that holds an opened set).
            s.ReadOnTabEntry = true;
            if (s.ReadSelector == 5) {
                if (SSTab1_Click)
                    SSTab1_Click(5);
            } else if (s.ReadSelector == 6)
                w.Timer4->start();
        }
        // A failed connect has already gone through index 1.
    } else if (index == 1) {
        s.Connected = false;
        ışık(QStringLiteral("kırmızı"));
        w.connect->setText(extraText(8));
    }
}

void ConnectionProcs::connect_Click() {
    Session& s = m_ctx.session;
    // The connection itself decides the way, not the item's caption, which a language load may
    // have changed.
    if (s.Connected) {
        m_ctx.w->connect->setText(extraText(8));
        Image2_Click(1);
    } else {
        m_ctx.w->connect->setText(extraText(9));
        Image2_Click(0);
    }
}

void ConnectionProcs::ışık(const QString& colour) {
    QString c = colour;
    if (c == QStringLiteral("yeşil") && !m_ctx.session.Connected)
        c = QStringLiteral("kırmızı");
    std::array<ClickLabel*, 3>& lamp = m_ctx.w->Image2;
    for (ClickLabel* l : lamp)
        l->hide();
    if (c == QStringLiteral("kırmızı"))
        lamp[0]->show();
    else if (c == QStringLiteral("yeşil"))
        lamp[1]->show();
    else if (c == QStringLiteral("sarı"))
        lamp[2]->show();
}

void TaksimatBul(AppContext& ctx) {
    if (ctx.calibration)
        ctx.calibration->TaksimatBul();
}
