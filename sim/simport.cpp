#include "sim/simport.h"

#include "platform/clock.h"
#include "sim/simindicator.h"

namespace {
// The rest of a split answer shows only once the clock has moved this far past the read that
// took the first piece, so a collecting loop that does not wait cannot see it.
constexpr double splitGap = 0.005;
} // namespace

SimPort::SimPort(SimIndicator& indicator, Clock& clock) : m_indicator(indicator), m_clock(clock) {}

PortResult SimPort::open() {
    ++openCalls;
    if (!existingPorts.contains(m_commPort))
        return {porterror::Missing, QStringLiteral("COM%1 does not exist").arg(m_commPort)};
    if (!openFailures.isEmpty()) {
        const PortResult r = openFailures.takeFirst();
        if (!r.ok())
            return r;
    }
    if (m_open || busyPorts.contains(m_commPort))
        return {porterror::Busy, QStringLiteral("Port already open")};
    if (!parsePortSettings(m_settings, nullptr))
        return {porterror::SettingsRefused, QStringLiteral("Invalid port settings: %1").arg(m_settings)};
    m_open = true;
    m_inBuffer.clear();
    m_pending.clear();
    m_budget = kMaxInputPerExchange;
    return {};
}

void SimPort::close() {
    if (!m_open)
        return;
    ++closeCalls;
    m_open = false;
    m_inBuffer.clear();
    m_pending.clear();
}

void SimPort::output(const QByteArray& bytes) {
    if (!m_open) {
        ++droppedOutputs;
        return;
    }
    outputs.append(bytes);
    m_budget = kMaxInputPerExchange; // a request starts a new exchange
    const double now = m_clock.now();
    const QList<QByteArray> pieces = m_indicator.feedPieces(bytes);
    const int missedReads = m_indicator.lastAnswerLate() ? 1 : 0;
    for (int i = 0; i < pieces.size(); ++i)
        m_pending.append({pieces[i], now + answerDelay, i > 0, missedReads});
}

bool SimPort::checkReadError() {
    if (m_readErrorPending && m_open) {
        m_readErrorPending = false;
        m_open = false;
        m_inBuffer.clear();
        m_pending.clear();
    }
    return m_open;
}

void SimPort::deliver() {
    const double now = m_clock.now();
    while (!m_pending.isEmpty()) {
        Piece& p = m_pending.first();
        if (now < p.readyAt)
            break;
        if (p.missedReads > 0) {
            --p.missedReads;
            break;
        }
        if (p.afterRead && !(m_inBuffer.isEmpty() && m_lastReadAt >= 0 && now >= m_lastReadAt + splitGap))
            break;
        m_inBuffer += p.bytes.left(kMaxInputPerExchange - m_inBuffer.size());
        m_lastReadAt = -1;
        m_pending.removeFirst();
    }
}

QByteArray SimPort::input() {
    if (!checkReadError())
        return {};
    deliver();
    // What the exchange may not take any more is discarded with the rest.
    const QByteArray out = m_inBuffer.left(qMax(m_budget, 0));
    m_inBuffer.clear();
    m_budget -= int(out.size());
    if (!out.isEmpty())
        m_lastReadAt = m_clock.now();
    return out;
}

int SimPort::inBufferCount() {
    if (!checkReadError())
        return 0;
    deliver();
    if (m_budget <= 0)
        m_inBuffer.clear();
    return int(qMin<qsizetype>(m_inBuffer.size(), qMax(m_budget, 0)));
}

void SimPort::discardInput() {
    if (!checkReadError())
        return;
    deliver();
    m_inBuffer.clear();
}

void SimPort::arrive(const QByteArray& bytes) {
    if (m_open)
        m_inBuffer += bytes.left(kMaxInputPerExchange - m_inBuffer.size());
}
