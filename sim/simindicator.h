#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QVector>

// The simulated indicator: the device side of the register protocol, byte for byte. It parses
// request frames, keeps a register image, answers reads and acknowledges writes, records every
// frame and command code it receives, and can be told to misbehave.
//
// Register map: registers 0..216 are ordinary 16-bit registers. From register 217 on lies the
// label-printer text area (1000 bytes), which the indicator addresses per byte: register 217 + k
// is byte k of the area, so a 4-byte write at 217 is followed by one at 221.
// The ID record (105, 24 bytes), setpoint record (117, 14 bytes) and ID title (209, 14 bytes)
// registers are windows onto record memories: a write puts the record number in the window's
// first byte (a 2-byte selector write does just that), the load code copies that record into the
// window and the store code saves the window as the record its first byte names.
class SimIndicator {
public:
    enum class Model { QM1, QM2 };

    explicit SimIndicator(Model model = Model::QM2);

    // Own bus address as decimal text ("" or "00": no address field) and checksum mode.
    QString address;
    bool checksumOn = true;

    // Register image: byte k of a block starting at register r lives in register r + k / 2, even k
    // the high byte (in the label-printer text area: byte r - 217 + k of the area).
    quint16 reg(int r) const;
    void setReg(int r, quint16 value);
    QByteArray bytes(int firstRegister, int count) const;
    void setBytes(int firstRegister, const QByteArray& data);
    void setText(int firstRegister, const QByteArray& text, int count); // blank-filled to count

    // Feeds bytes as they arrive from the line; returns what the indicator answers to every
    // complete frame (CR-terminated) among them, in order.
    QByteArray feed(const QByteArray& bytes);
    // The same, in the pieces the answers leave the indicator in: a new piece begins only where an
    // answer is split (its rest waits for a later read); the answers to several frames in one feed
    // follow each other within a piece, as they do on the line.
    QList<QByteArray> feedPieces(const QByteArray& bytes);
    // Bytes held of a frame not yet complete; never more than twice the longest frame, so a line
    // that sends without a CR cannot grow it.
    qsizetype unfinishedFrameBytes() const { return m_pending.size(); }
    static constexpr int MaxUnfinishedFrameBytes = 1024;
    // True when the answers of the last feed are late: they reach the line only after the
    // reader's wait (the port decides when).
    bool lastAnswerLate() const { return m_lastAnswerLate; }

    struct Frame {
        QByteArray raw;     // as received, CR included
        bool valid = false; // parsed, addressed to us, checksum right
        bool write = false; // function "10"
        int function = -1;  // function code as sent (-1: not readable)
        int firstRegister = -1;
        int registerCount = 0;
        int byteCount = 0; // write: the byte count field
        QByteArray data;   // write data bytes, as many as were sent
        QByteArray answer; // what the indicator answered to it (also when held back or split)
    };
    QList<Frame> frames; // every frame received
    QList<int> commands; // every code written to the command register, in order
    bool hostMode = false;

    // Fault injection; each applies to the answers that follow until reset.
    struct Faults {
        bool silent = false;         // no answer at all; the frame is recorded but not carried out
        bool lateAnswer = false;     // the answer comes after the reader's wait, before the next request
        bool splitAnswer = false;    // the answer comes out in two pieces (SimPort: over two reads)
        bool wrongLrc = false;       // the answer's LRC is off by one
        bool wrongAck = false;       // writes are acknowledged with the start register echoed
        int noAckForFirst = 0;       // this many writes get no acknowledgement at all (and are lost)
        bool echoRequest = false;    // the line echoes the request instead of an answer
        bool nulAndLfInText = false; // text reads get "0A" and "00" pairs mixed in
        QList<int> refuseRegisters;  // reads/writes of these registers get an error answer "@..8x"
        // Reads/writes of these registers are declined with "@..9x" (the indicator cannot do it
        // now, as with a calibration step) and not carried out.
        QList<int> refuseWith9Registers;
    } faults;

    // The weight calibration's faults: a step that is never reported done, a step that ends with an
    // error code. A refused step is a refused register (faults.refuseRegisters, 22 or 20).
    struct CalibrationFaults {
        bool stepNeverEnds = false;
        int resultCode = 0; // reported when a step is done
    } calFaults;
    // Status reads a measuring step takes before it is reported done.
    int calibrationStepPolls = 2;

    void resetFaults() {
        faults = Faults();
        calFaults = CalibrationFaults();
    }
    void clearLog() {
        frames.clear();
        commands.clear();
    }

    Model model() const { return m_model; }
    // Loads the factory image of a model (identity, clock, blocks, records); the log is kept.
    void loadImage(Model model);

    // A signed 32-bit value in two registers, high word first (the weight registers).
    void setLong(int firstRegister, qint32 value);
    qint32 longAt(int firstRegister) const;

    // The indicator's own calibration: register 22 takes the step codes (1 begin, 3 zero, 4 span,
    // 2 finish), register 23 reports the step's state (high byte: 02 running, 00 zero done, 01 span
    // done) and its result code (low byte). Register 24 runs the analog-output calibration (1
    // start, 2 stop, 0 stop stepping, 3..10 step the zero value 190 or the full-scale value 191).
    bool calibrating = false;
    bool analogCalibrating = false;

    // The record memories behind the record windows (see above), by record number.
    QByteArray idRecord(int number) const { return m_idRecords.value(number); }
    QByteArray setpointRecord(int number) const { return m_setpointRecords.value(number); }
    QByteArray idTitle(int number) const { return m_idTitles.value(number); }
    void setIdRecord(int number, qint32 code, const QByteArray& name); // name blank-filled to 16
    void setSetpointRecord(int number, qint32 sp1, qint32 sp2, qint32 sp3);
    void setIdTitle(int number, const QByteArray& title);

    // The blocks a store code commits. The register image holds what was written; committed()
    // holds each block as it stood when its store code last came (the image of loadImage until
    // then), so a test can tell a written block from a committed one. The record memories behind
    // the record windows are committed by their own store codes (see above).
    enum class Block { TicketLines, LabelText, Clock, Calibration, ConfigJmp, ConfigNrm };
    QByteArray committed(Block block) const { return m_committed.value(int(block)); }
    QByteArray written(Block block) const;

    // Checksum of the hex text between "@" and the checksum field: two upper-case hex digits.
    // Deliberately written apart from the program's own routine, so each checks the other.
    static QByteArray lrc(const QByteArray& hexText);

    static constexpr int CommandRegister = 19;
    static constexpr int IdRecordRegister = 105;
    static constexpr int SetpointRecordRegister = 117;
    static constexpr int ClockRegister = 124;
    static constexpr int CalibrationBlockRegister = 128;
    static constexpr int ConfigurationBlockRegister = 149;
    static constexpr int VersionTextRegister = 199;
    static constexpr int InfoTextRegister = 204;
    static constexpr int IdTitleRegister = 209;
    static constexpr int TextAreaRegister = 217;
    static constexpr int TextAreaBytes = 1000;
    static constexpr int WordRegisters = 217; // registers 0..216

    // Exception codes of the error answers.
    static constexpr int IllegalFunction = 1;
    static constexpr int IllegalAddress = 2;
    static constexpr int IllegalValue = 3;
    static constexpr int Refused = 4;

private:
    int ownAddress() const;
    int byteAt(int firstRegister, int k) const; // -1 outside the image
    void putByte(int firstRegister, int k, int value);
    bool inRange(int firstRegister, int byteCount) const;
    QByteArray frameOf(const QByteArray& body) const; // "@" [address] body [LRC] CR
    QList<QByteArray> handle(const QByteArray& raw);
    QByteArray answerRead(Frame& f);
    QByteArray answerWrite(Frame& f);
    QByteArray errorAnswer(int function, int code) const;
    void command(int code);
    void calibrationWrite(int firstRegister, int registerCount);
    void calibrationRead(int firstRegister, int registerCount);
    bool isTextRegister(int r) const;
    bool refused(int first, int count) const;
    bool refusedWith9(int first, int count) const; // simfaults.cpp
    QByteArray refusal9Answer(int function) const;
    void boundUnfinishedFrame();
    void commitBlocks(int storeCode); // simcommits.cpp
    void commitAll();

    QMap<int, QByteArray> m_committed;

    QVector<quint16> m_regs;
    QByteArray m_textArea;
    QMap<int, QByteArray> m_idRecords;
    QMap<int, QByteArray> m_setpointRecords;
    QMap<int, QByteArray> m_idTitles;
    QByteArray m_pending; // bytes of an incomplete frame
    bool m_lastAnswerLate = false;
    int m_writesSeen = 0;
    int m_stepPollsLeft = 0;
    Model m_model;
};
