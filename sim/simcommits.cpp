#include "sim/simindicator.h"

namespace {

struct BlockPlace {
    SimIndicator::Block block;
    int storeCode;
    int firstRegister;
    int bytes;
};

// Where each block lies and which code commits it. The ticket lines are the four header lines
// (registers 40..81) and the two footer lines (83..103); the configuration block is committed in
// two parts, bytes 0..9 and 10..99.
constexpr BlockPlace kBlocks[] = {
    {SimIndicator::Block::TicketLines, 4, 40, 128}, {SimIndicator::Block::LabelText, 21, 217, 1000},
    {SimIndicator::Block::Clock, 6, 124, 8},        {SimIndicator::Block::Calibration, 13, 128, 40},
    {SimIndicator::Block::ConfigJmp, 9, 149, 10},   {SimIndicator::Block::ConfigNrm, 8, 154, 90},
};

} // namespace

QByteArray SimIndicator::written(Block block) const {
    for (const BlockPlace& p : kBlocks)
        if (p.block == block)
            return bytes(p.firstRegister, p.bytes);
    return QByteArray();
}

void SimIndicator::commitBlocks(int storeCode) {
    for (const BlockPlace& p : kBlocks)
        if (p.storeCode == storeCode)
            m_committed[int(p.block)] = bytes(p.firstRegister, p.bytes);
}

void SimIndicator::commitAll() {
    for (const BlockPlace& p : kBlocks)
        m_committed[int(p.block)] = bytes(p.firstRegister, p.bytes);
}
