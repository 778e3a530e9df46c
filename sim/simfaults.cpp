// The indicator's own refusals and the bound of its frame buffer.

#include "sim/simindicator.h"

bool SimIndicator::refusedWith9(int first, int count) const {
    const int span = first >= TextAreaRegister ? 2 * count : count;
    for (int r : faults.refuseWith9Registers)
        if (r >= first && r < first + span)
            return true;
    return false;
}

QByteArray SimIndicator::refusal9Answer(int function) const {
    // "9", the function's low digit and the refusal code: "@9304" for a read, "@9004" for a write.
    static const char digits[] = "0123456789ABCDEF";
    QByteArray body = "9";
    body += digits[function & 0x0F];
    body += "04";
    return frameOf(body);
}

void SimIndicator::boundUnfinishedFrame() {
    if (m_pending.size() <= MaxUnfinishedFrameBytes)
        return;
    // A start character begins a frame afresh: keep the last one's frame, unless it is too long to
    // be one, and drop the rest.
    const qsizetype at = m_pending.lastIndexOf('@');
    if (at > 0 && m_pending.size() - at <= MaxUnfinishedFrameBytes)
        m_pending.remove(0, at);
    else
        m_pending.clear();
}
