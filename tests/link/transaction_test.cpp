#include "link/frames.h"
#include "link/transaction.h"
#include "platform/clock.h"
#include "platform/cp1254.h"
#include "platform/dialogs.h"
#include "session/session.h"
#include "sim/simindicator.h"
#include "sim/simport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TransactionTest : ::testing::Test {
    Session session;
    SimIndicator sim{SimIndicator::Model::QM2};
    VirtualClock clock;
    SimPort port{sim, clock};
    ScriptedDialogs dialogs;
    DeviceLink link{session, port, clock, dialogs};
    QTemporaryDir folder;

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        session.ProgramFolder = folder.path() + "/";
        session.AppFolder = session.ProgramFolder;
        session.messages.WriteText[3] = QString::fromUtf16(u"Yazma hatası");
        ASSERT_EQ(link.PortAç(), 0);
    }

    void useAddress(const QString& address) {
        session.DeviceAddress = address;
        sim.address = address;
    }

    QStringList logLines() const {
        QFile f(folder.filePath("QMxLog.txt"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = cp1254::decode(f.readAll()).split("\r\n");
        lines.removeAll(QString());
        return lines;
    }

    qsizetype writesReceived() const {
        return std::count_if(sim.frames.begin(), sim.frames.end(), [](const auto& f) { return f.write; });
    }
};

// A line that hands over an answer and fails while it is being taken in: the port closes under
// the reader.
class LineFailingWhileRead : public SerialPort {
public:
    void setCommPort(int) override {}
    int commPort() const override { return 1; }
    void setSettings(const QString&) override {}
    QString settings() const override { return {}; }
    PortResult open() override {
        m_open = true;
        return {};
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void output(const QByteArray&) override {}
    QByteArray input() override {
        m_open = false;
        return "@0302006497\r";
    }
    int inBufferCount() override { return m_open ? 12 : 0; }

private:
    bool m_open = false;
};

} // namespace

TEST_F(TransactionTest, WriteAcknowledgedAtOnce) {
    // "0" is no address either: it is the value that counts, not the text.
    for (const QString address : {"", "00", "0", "05"}) {
        useAddress(address);
        sim.clearLog();
        link.CihazaGönder(address, 19, 2, true, "Lg", 19);
        ASSERT_EQ(sim.frames.size(), 1) << address.toStdString();
        EXPECT_TRUE(sim.frames.value(0).valid);
        EXPECT_EQ(sim.frames.value(0).raw, cp1254::encode(BuildWriteFrame(address, 19, 2, true, "Lg", 19)));
        EXPECT_EQ(sim.commands, QList<int>({19}));
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_FALSE(session.AbortRequested);
}

TEST_F(TransactionTest, EchoIsReadAfterTheAddressField) {
    EXPECT_EQ(DeviceLink::Cevap("", "@100002\r"), "100002");
    EXPECT_EQ(DeviceLink::Cevap("00", "@100002\r"), "100002");
    EXPECT_EQ(DeviceLink::Cevap("0", "@100002\r"), "100002");
    EXPECT_EQ(DeviceLink::Cevap("05", "@05100002\r"), "100002");
    EXPECT_EQ(DeviceLink::Cevap("05", "@05"), "");
}

TEST_F(TransactionTest, LateAcknowledgementCountsAsWritten) {
    sim.faults.noAckForFirst = 8;
    link.CihazaGönder("", 100, 4, true, "LG", 1234);
    EXPECT_EQ(writesReceived(), 9);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(sim.reg(101), 1234);
    EXPECT_FALSE(session.AbortRequested);
}

TEST_F(TransactionTest, UnacknowledgedWriteIgnoredLogsOneLine) {
    sim.faults.wrongAck = true; // "@" "10" start register and count: never the expected echo
    dialogs.answerMessage(MsgResult::Ignore);
    link.CihazaGönder("", 19, 4, true, "LG", 19);
    EXPECT_EQ(writesReceived(), 9);
    ASSERT_EQ(dialogs.shown.size(), 1);
    const QString text = QString::fromUtf16(u"[019]-[0002]--- Yazma hatası...");
    EXPECT_EQ(dialogs.shown.value(0).text, text);
    EXPECT_EQ(dialogs.shown.value(0).buttons, MsgButtons::AbortRetryIgnore);
    EXPECT_EQ(dialogs.shown.value(0).icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.shown.value(0).title, "");
    EXPECT_EQ(logLines(), QStringList({link.logDate() + " - " + text}));
    EXPECT_FALSE(session.AbortRequested);
}

TEST_F(TransactionTest, RetrySendsNineMoreThenAbort) {
    sim.faults.wrongAck = true;
    dialogs.answerMessage(MsgResult::Retry);
    dialogs.answerMessage(MsgResult::Abort);
    link.CihazaGönder("", 40, 2, true, "LG", 1);
    EXPECT_EQ(writesReceived(), 18);
    EXPECT_EQ(dialogs.shown.size(), 2);
    EXPECT_TRUE(session.AbortRequested);
    EXPECT_TRUE(logLines().isEmpty());
}

TEST_F(TransactionTest, RetryAfterNineLostWritesSucceeds) {
    sim.faults.noAckForFirst = 9;
    dialogs.answerMessage(MsgResult::Retry);
    link.CihazaGönder("", 40, 2, true, "LG", 7);
    EXPECT_EQ(writesReceived(), 10);
    EXPECT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(sim.reg(40), 7);
    EXPECT_FALSE(session.AbortRequested);
}

TEST_F(TransactionTest, HostModeBracket) {
    const double start = clock.now();
    link.HostYazdır(true);
    EXPECT_TRUE(sim.hostMode);
    EXPECT_NEAR(clock.now() - start, 0.2 + session.ReadWaitTime, 1e-9);
    const QString answer = link.readExchange(199, 10);
    link.HostYazdır(false);
    EXPECT_FALSE(sim.hostMode);
    EXPECT_EQ(sim.commands, QList<int>({CmdHostModeOn, CmdHostModeOff}));
    ASSERT_EQ(sim.frames.size(), 3);
    EXPECT_EQ(sim.frames.value(1).firstRegister, 199);
    EXPECT_TRUE(link.DecodeAnswer(answer, "Tx").toText().startsWith("QM2"));
    EXPECT_TRUE(port.isOpen()); // host mode never opens or closes the port
}

TEST_F(TransactionTest, IdentityReadWithAndWithoutAddress) {
    for (const QString address : {"", "12"}) {
        useAddress(address);
        const QString answer = link.readExchange(199, 10, 0.2);
        EXPECT_FALSE(link.isErrorAnswer(answer));
        EXPECT_EQ(link.DecodeAnswer(answer, "Tx").toText().left(3), "QM2") << address.toStdString();
    }
    EXPECT_TRUE(logLines().isEmpty());
}

TEST_F(TransactionTest, SilentIndicatorGivesAnEmptyAnswer) {
    sim.faults.silent = true;
    const double start = clock.now();
    const QString answer = link.readExchange(199, 10);
    EXPECT_EQ(answer, "");
    EXPECT_TRUE(link.isErrorAnswer(answer));
    EXPECT_NEAR(clock.now() - start, session.ReadWaitTime, 1e-9);
}

TEST_F(TransactionTest, ErrorAnswersWithAndWithoutAddress) {
    sim.faults.refuseRegisters = {199, 19};
    for (const QString address : {"", "00", "7"}) {
        useAddress(address);
        const QString answer = link.readExchange(199, 10);
        EXPECT_TRUE(answer.startsWith("@" + addressField(address) + "8")) << answer.toStdString();
        EXPECT_TRUE(link.isErrorAnswer(answer)) << address.toStdString();
        // A refused write (the first frame of a send) is an error answer too.
        const QString refused = link.writeExchange(19, 2, "Lg", 3, 0.05);
        EXPECT_TRUE(link.isErrorAnswer(refused)) << refused.toStdString();
    }
}

TEST_F(TransactionTest, WrongChecksumIsLoggedOnceAndTheDataUsed) {
    sim.faults.wrongLrc = true;
    const QString answer = link.readExchange(199, 10);
    EXPECT_EQ(link.DecodeAnswer(answer, "Tx").toText().left(3), "QM2");
    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0], link.logDate() + QString::fromUtf16(u" - [000]-[0005]--- CHKSum Hatası..."));
}

TEST_F(TransactionTest, TheLogStaysBesideTheProgramWhenTheWorkingFolderMoves) {
    QTemporaryDir elsewhere;
    session.AppFolder = elsewhere.path() + "/";
    link.AppendLog("one line");
    EXPECT_EQ(logLines(), QStringList({"one line"}));
    EXPECT_FALSE(QFile::exists(elsewhere.filePath("QMxLog.txt")));
}

TEST_F(TransactionTest, LateAnswerIsDrainedBeforeTheNextRequest) {
    // The first answer comes only after its reading time is over and sits in the input buffer.
    port.answerDelay = 0.3;
    EXPECT_EQ(link.readExchange(199, 10), "");
    link.WaitSeconds(0.5);
    port.answerDelay = 0;
    sim.setReg(100, 0x0064);
    const QString answer = link.readExchange(100, 2);
    EXPECT_EQ(answer.count('@'), 1) << answer.toStdString();
    EXPECT_EQ(link.DecodeAnswer(answer, "LG").toNumber(), 100);
    // A write's echo is not confused by an earlier answer either.
    port.answerDelay = 0.3;
    EXPECT_EQ(link.readExchange(199, 10), "");
    link.WaitSeconds(0.5);
    port.answerDelay = 0;
    link.CihazaGönder("", 100, 2, true, "LG", 5);
    EXPECT_EQ(writesReceived(), 1);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(TransactionTest, AnAnswerAfterTheReadingTimeIsNeverTakenForTheNextOne) {
    sim.faults.lateAnswer = true;
    EXPECT_EQ(link.readExchange(199, 10), "");
    sim.faults.lateAnswer = false;
    sim.setReg(100, 0x0064);
    const QString answer = link.readExchange(100, 2);
    EXPECT_EQ(link.DecodeAnswer(answer, "LG").toNumber(), 100) << answer.toStdString();
}

TEST_F(TransactionTest, AFloodingLineGivesAnExchangeNoMoreThanItsWorth) {
    // Noise pours in during every wait: the answer is cut at the exchange's limit.
    const QByteArray noise(1 << 20, 'x');
    clock.onWait = [&](double) { port.arrive(noise); };
    EXPECT_LE(link.readExchange(199, 10).size(), SerialPort::kMaxInputPerExchange);
    clock.onWait = nullptr;
    // What piled up before a request is dropped by the drain, and the answer is the request's own.
    port.arrive(noise);
    sim.setReg(100, 0x0064);
    EXPECT_EQ(link.DecodeAnswer(link.readExchange(100, 2), "LG").toNumber(), 100);
}

TEST_F(TransactionTest, PortReadErrorIsAMissingAnswer) {
    port.simulateReadError();
    const QString answer = link.readExchange(199, 10);
    EXPECT_EQ(answer, "");
    EXPECT_FALSE(port.isOpen());
    // A write on the failed port is not sent nine times over: the box comes at once.
    dialogs.answerMessage(MsgResult::Abort);
    const int waitsBefore = clock.waits;
    link.CihazaGönder("", 19, 2, true, "LG", 19);
    EXPECT_EQ(clock.waits, waitsBefore);
    EXPECT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(session.AbortRequested);
    // Opening again brings the line back.
    ASSERT_EQ(link.PortAç(), 0);
    EXPECT_FALSE(link.isErrorAnswer(link.readExchange(199, 10)));

    // Bytes taken in before the line failed are no answer either.
    LineFailingWhileRead line;
    DeviceLink failing(session, line, clock, dialogs);
    ASSERT_TRUE(line.open().ok());
    EXPECT_EQ(failing.IntOku(), "");
}

TEST_F(TransactionTest, ShutdownDuringAWriteStopsWithoutABox) {
    sim.faults.wrongAck = true;
    clock.onWait = [this](double) { clock.shutdown(); };
    link.CihazaGönder("", 19, 2, true, "LG", 19);
    EXPECT_LE(writesReceived(), 1);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_TRUE(session.AbortRequested);
}

// What the builders produce, the indicator's own parser reads back field by field.
TEST_F(TransactionTest, FramesRoundTripThroughTheIndicatorsParser) {
    struct Case {
        const char* kind;
        int reg;
        int count;
        QVariant data;
        QByteArray bytes;
    };
    const QChar deg(0x00B0);
    const QList<Case> cases = {
        {"Lg", 19, 2, 20, QByteArray::fromHex("0014")},
        {"LG", 150, 4, -2, QByteArray::fromHex("FFFFFFFE")},
        {"BY", 128, 6, "010203040506", QByteArray::fromHex("010203040506")},
        {"Tx", 40, 4, QString::fromUtf16(u"Şİğı"), QByteArray::fromHex("DEDDF0FD")},
        {"IDH", 209, 4, "2AB", QByteArray::fromHex("02414200")},
        {"SPT", 117, 14, QString("3") + "10" + deg + "-1" + deg + "2,5",
         QByteArray::fromHex("33"
                             "0000000A"
                             "FFFFFFFF"
                             "00000002"
                             "00")},
    };
    for (const QString address : {"", "42"}) {
        for (bool checksumOn : {true, false}) {
            sim.address = address;
            sim.checksumOn = checksumOn;
            for (const Case& c : cases) {
                sim.clearLog();
                sim.feed(cp1254::encode(BuildWriteFrame(address, c.reg, c.count, checksumOn, c.kind, c.data)));
                ASSERT_EQ(sim.frames.size(), 1);
                const auto& f = sim.frames.value(0);
                EXPECT_TRUE(f.valid) << c.kind << " " << address.toStdString();
                EXPECT_TRUE(f.write);
                EXPECT_EQ(f.firstRegister, c.reg);
                EXPECT_EQ(f.registerCount, c.count / 2);
                EXPECT_EQ(f.data, c.bytes) << c.kind;
                // The indicator acknowledges with the echo the sender waits for.
                EXPECT_EQ(DeviceLink::Cevap(address, cp1254::decode(f.answer)),
                          QString("10%1").arg(c.count / 2, 4, 10, QChar('0')));
            }
            sim.clearLog();
            sim.feed(cp1254::encode(BuildReadFrame(address, 199, 10, checksumOn)));
            ASSERT_EQ(sim.frames.size(), 1);
            EXPECT_TRUE(sim.frames.value(0).valid);
            EXPECT_FALSE(sim.frames.value(0).write);
            EXPECT_EQ(sim.frames.value(0).firstRegister, 199);
            EXPECT_EQ(sim.frames.value(0).registerCount, 5);
        }
    }
}
