#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>

// The simulated indicator: the device side of the register protocol, byte for byte. It parses
// request frames, keeps a register image, answers reads and acknowledges writes, records every
// frame and command code it receives, and can be told to misbehave.
class SimIndicator {
public:
    enum class Model { QM1, QM2 };

    explicit SimIndicator(Model model = Model::QM2);

    // Own bus address as decimal text ("" or "00": no address field) and checksum mode.
    QString address;
    bool checksumOn = true;

    // Register image: byte k of a block starting at register r lives in register r + k / 2, even k
    // the high byte.
    quint16 reg(int r) const;
    void setReg(int r, quint16 value);
    QByteArray bytes(int firstRegister, int count) const;
    void setBytes(int firstRegister, const QByteArray& data);
    void setText(int firstRegister, const QByteArray& text, int count); // blank-filled to count

    // Feeds bytes as they arrive from the line; returns what the indicator answers to every
    // complete frame (CR-terminated) among them, in order.
    QByteArray feed(const QByteArray& bytes);

    struct Frame {
        QByteArray raw;      // as received, CR included
        bool valid = false;  // parsed, addressed to us, checksum right
        bool write = false;  // function "10"
        int firstRegister = -1;
        int registerCount = 0;
        QByteArray data;     // write data bytes
    };
    QList<Frame> frames;  // every frame received
    QList<int> commands;  // every code written to the command register, in order
    bool hostMode = false;

    // Fault injection; each applies to the answers that follow until reset.
    struct Faults {
        bool silent = false;          // no answer at all
        bool lateAnswer = false;      // the answer is held back and comes out before the next one
        bool splitAnswer = false;     // the answer comes out in two pieces (SimPort: over two reads)
        bool wrongLrc = false;        // the answer's LRC is off by one
        bool wrongAck = false;        // writes are acknowledged with the start register echoed
        int noAckForFirst = 0;        // this many writes get no acknowledgement at all
        bool echoRequest = false;     // the line echoes the request instead of an answer
        bool nulAndLfInText = false;  // text reads get "0A" and "00" pairs mixed in
        QList<int> refuseRegisters;   // reads/writes of these registers get an error answer "@..8x"
    } faults;

    void resetFaults() { faults = Faults(); }
    void clearLog() { frames.clear(); commands.clear(); }

private:
    QVector<quint16> m_regs;
    QByteArray m_pending; // bytes of an incomplete frame
    QByteArray m_held;    // a late answer waiting for the next frame
    int m_writesSeen = 0;
    Model m_model;
};
