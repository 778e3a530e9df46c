#include "support/exchangewaits.h"

#include "support/windowfixture.h"

QString describe(const SimIndicator::Frame& f) {
    if (!f.valid)
        return QStringLiteral("not taken: ") + QString::fromLatin1(f.raw);
    QString d;
    if (f.write && f.firstRegister == 19 && f.byteCount == 2)
        d = QStringLiteral("cmd %1").arg(f.data.size() == 2 ? (quint8(f.data[0]) << 8) | quint8(f.data[1]) : -1);
    else
        d = QStringLiteral("%1%2/%3")
                .arg(QChar(f.write ? u'W' : u'R'))
                .arg(f.firstRegister)
                .arg(f.write ? f.byteCount : 2 * f.registerCount);
    if (f.write && f.data.size() != f.byteCount)
        d += QStringLiteral(" carrying %1").arg(f.data.size());
    return d;
}

QStringList times(const QStringList& block, int n) {
    QStringList out;
    for (int i = 0; i < n; ++i)
        out += block;
    return out;
}

QStringList step(const QString& frame, const QString& waits) {
    return QStringList{frame} + waits.split(u' ', Qt::SkipEmptyParts);
}

QStringList steps(const QStringList& frames, const QString& waits) {
    QStringList out;
    for (const QString& frame : frames)
        out += step(frame, waits);
    return out;
}

QStringList framesAndWaits(WindowFixture& f, const std::function<void()>& action, const FrameName& name) {
    SimIndicator& sim = f.indicator;
    sim.clearLog();
    QStringList out;
    qsizetype seen = 0;
    auto framesSoFar = [&] {
        while (seen < sim.frames.size())
            out << name(sim.frames[seen++]);
    };
    const double r = f.session().ReadWaitTime;
    f.clock.onWait = [&](double seconds) {
        framesSoFar();
        out << (qFuzzyCompare(seconds, r) ? QStringLiteral("r") : QString::number(seconds));
    };
    action();
    f.clock.onWait = nullptr;
    framesSoFar();
    return out;
}
