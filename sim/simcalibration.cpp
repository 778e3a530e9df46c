// The indicator's calibration side: the weight calibration's steps and status register, and the
// analog-output calibration with its stepping of the zero and full-scale values.

#include "sim/simindicator.h"

namespace {

constexpr int CalibrationStepRegister = 22;
constexpr int CalibrationStatusRegister = 23;
constexpr int AnalogCalibrationRegister = 24;
constexpr int AnalogZeroRegister = 190;
constexpr int AnalogFullScaleRegister = 191;

constexpr int StateZeroDone = 0x00;
constexpr int StateSpanDone = 0x01;
constexpr int StateRunning = 0x02;

bool touches(int first, int count, int reg) {
    return first <= reg && reg < first + count;
}

} // namespace

void SimIndicator::setLong(int firstRegister, qint32 value) {
    const quint32 v = quint32(value);
    setReg(firstRegister, quint16(v >> 16));
    setReg(firstRegister + 1, quint16(v & 0xFFFF));
}

qint32 SimIndicator::longAt(int firstRegister) const {
    return qint32((quint32(reg(firstRegister)) << 16) | reg(firstRegister + 1));
}

void SimIndicator::calibrationWrite(int firstRegister, int registerCount) {
    if (touches(firstRegister, registerCount, CalibrationStepRegister)) {
        switch (reg(CalibrationStepRegister)) {
        case 1: // begin
            calibrating = true;
            setReg(CalibrationStatusRegister, 0);
            break;
        case 2: // finish
            calibrating = false;
            setReg(CalibrationStatusRegister, 0);
            break;
        case 3: // zero
        case 4: // span, with the weight in register 20
            setReg(CalibrationStatusRegister, quint16(StateRunning << 8));
            m_stepPollsLeft = calibrationStepPolls;
            break;
        default:
            break;
        }
    }
    if (touches(firstRegister, registerCount, AnalogCalibrationRegister)) {
        const int code = reg(AnalogCalibrationRegister);
        if (code == 1)
            analogCalibrating = true;
        else if (code == 2)
            analogCalibrating = false;
        else if (code >= 3 && code <= 10 && analogCalibrating) {
            // 3..6 the zero value, 7..10 the full-scale value: up 100, down 100, up 5, down 5,
            // held within the register's range.
            static const int deltas[4] = {100, -100, 5, -5};
            const int target = code <= 6 ? AnalogZeroRegister : AnalogFullScaleRegister;
            const int v = int(reg(target)) + deltas[(code - 3) % 4];
            setReg(target, quint16(qBound(0, v, 0xFFFF)));
        }
    }
}

void SimIndicator::calibrationRead(int firstRegister, int registerCount) {
    if (!touches(firstRegister, registerCount, CalibrationStatusRegister))
        return;
    const int state = reg(CalibrationStatusRegister) >> 8;
    if (state != StateRunning || calFaults.stepNeverEnds)
        return;
    if (--m_stepPollsLeft > 0)
        return;
    const bool span = reg(CalibrationStepRegister) == 4;
    setReg(CalibrationStatusRegister,
           quint16(((span ? StateSpanDone : StateZeroDone) << 8) | (calFaults.resultCode & 0xFF)));
}
