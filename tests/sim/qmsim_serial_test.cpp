// The real serial port against the qm-sim program on a pseudo-terminal.

#include "link/decoder.h"
#include "link/frames.h"
#include "link/transaction.h"
#include "platform/clock.h"
#include "platform/cp1254.h"
#include "platform/dialogs.h"
#include "platform/qtserialport.h"
#include "platform/settingsstore.h"
#include "session/session.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <thread>
#include <unistd.h>

namespace {

QByteArray collect(SerialPort& port) {
    QByteArray out;
    while (port.inBufferCount() > 0)
        out += port.input();
    return out;
}

// CPU time (user + system, in clock ticks) the process has used so far.
long cpuTicks(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = f.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLong() + fields[12].toLong() : -1;
}

class QmSimSerial : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_store = std::make_unique<QtSettingsStore>(m_dir.filePath(QStringLiteral("ports.ini")));
    }

    void TearDown() override {
        m_link.reset();
        m_port.reset();
        if (m_sim.state() != QProcess::NotRunning) {
            m_sim.terminate();
            if (!m_sim.waitForFinished(2000)) {
                m_sim.kill();
                m_sim.waitForFinished(2000);
            }
        }
    }

    // Starts qm-sim and points COM1 at its device.
    void start(const QStringList& args = {}) {
        m_sim.start(QStringLiteral(QM_SIM_PATH), args);
        ASSERT_TRUE(m_sim.waitForStarted(3000));
        while (!m_sim.canReadLine())
            ASSERT_TRUE(m_sim.waitForReadyRead(3000)) << "qm-sim printed no device";
        m_device = QString::fromLocal8Bit(m_sim.readLine()).trimmed();
        ASSERT_TRUE(m_device.startsWith(QLatin1String("/dev/"))) << m_device.toStdString();
        m_store->setValue(QStringLiteral("Ports"), QStringLiteral("COM1"), m_device);
        m_port = std::make_unique<QtSerialPort>(*m_store);
        m_port->setCommPort(1);
        m_port->setSettings(QStringLiteral("9600,N,8,1"));
    }

    QByteArray exchange(const QByteArray& frame, double seconds = 0.2) {
        m_port->output(frame);
        m_clock.waitSeconds(seconds);
        return collect(*m_port);
    }

    // The program's device link over the real port, opened as a device job opens it.
    DeviceLink& openLink() {
        m_session.ProgramFolder = m_dir.path() + QLatin1Char('/');
        m_link = std::make_unique<DeviceLink>(m_session, *m_port, m_clock, m_dialogs);
        EXPECT_EQ(m_link->PortAç(), 0);
        return *m_link;
    }
    QByteArray logFile() const {
        QFile f(m_dir.filePath(QStringLiteral("QMxLog.txt")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<QtSettingsStore> m_store;
    Session m_session;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<DeviceLink> m_link;
    QProcess m_sim;
    QString m_device;
    std::unique_ptr<QtSerialPort> m_port;
    SystemClock m_clock;
};

} // namespace

TEST_F(QmSimSerial, IdentifiesAndAcknowledgesAWrite) {
    start();
    ASSERT_EQ(m_port->deviceFor(1), m_device);
    const PortResult opened = m_port->open();
    ASSERT_TRUE(opened.ok()) << opened.code << " " << opened.description.toStdString();
    EXPECT_TRUE(m_port->isOpen());

    const QByteArray answer = exchange("@0300C7000531\r");
    ASSERT_TRUE(answer.startsWith("@03")) << answer.constData();
    EXPECT_EQ(answer.mid(3, 2), QByteArray("0A"));
    const QString text = cp1254::decode(QByteArray::fromHex(answer.mid(5, 20)));
    EXPECT_TRUE(text.startsWith(QLatin1String("QM2"))) << text.toStdString();
    EXPECT_TRUE(answer.endsWith("A9\r"));

    EXPECT_EQ(exchange("@1000130001020013C7\r"), QByteArray("@100001EF\r"));

    // Bytes that arrive while no event loop runs are still picked up.
    m_port->output("@1000130001020014C6\r");
    m_clock.waitSecondsBusy(0.2);
    EXPECT_EQ(collect(*m_port), QByteArray("@100001EF\r"));

    m_port->close();
    EXPECT_FALSE(m_port->isOpen());
    EXPECT_TRUE(m_port->input().isEmpty());
    EXPECT_EQ(m_port->inBufferCount(), 0);
}

TEST_F(QmSimSerial, TheDeviceLinkTalksOverTheRealPort) {
    start({QStringLiteral("--address"), QStringLiteral("5")});
    Session session;
    session.DeviceAddress = QStringLiteral("05");
    session.ProgramFolder = m_dir.path() + QLatin1Char('/');
    ScriptedDialogs dialogs;
    DeviceLink link(session, *m_port, m_clock, dialogs);

    ASSERT_EQ(link.PortAç(), 0);
    const QString answer = link.readExchange(199, 10, 0.2);
    EXPECT_FALSE(link.isErrorAnswer(answer)) << answer.toStdString();
    EXPECT_TRUE(link.DecodeAnswer(answer, QStringLiteral("Tx")).toText().startsWith(QLatin1String("QM2")));
    link.HostYazdır(true);
    link.CihazaGönder(session.DeviceAddress, 100, 2, true, QStringLiteral("LG"), 7);
    link.HostYazdır(false);
    EXPECT_TRUE(dialogs.shown.isEmpty()) << "the write was acknowledged at once";
    EXPECT_EQ(link.DecodeAnswer(link.readExchange(100, 2), QStringLiteral("LG")).toNumber(), 7);
    m_port->close();

    // A port mapped to no device is reported as missing, once.
    m_store->setValue(QStringLiteral("Ports"), QStringLiteral("COM4"), m_dir.filePath(QStringLiteral("nothing")));
    session.PortNumber = QStringLiteral("4");
    EXPECT_EQ(link.PortAç(), porterror::Missing);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown.value(0).text, QString::fromUtf8("COM4 bulunmamaktadır"));
    EXPECT_EQ(dialogs.shown.value(0).icon, MsgIcon::Critical);
}

TEST_F(QmSimSerial, AddressAndChecksumOptions) {
    start({QStringLiteral("--model"), QStringLiteral("QM1"), QStringLiteral("--address"), QStringLiteral("12"),
           QStringLiteral("--no-checksum")});
    ASSERT_TRUE(m_port->open().ok());
    EXPECT_TRUE(exchange("@0300C70005\r").isEmpty()); // no address: not for this indicator
    const QByteArray answer = exchange("@0C0300C70005\r");
    ASSERT_TRUE(answer.startsWith("@0C030A")) << answer.constData();
    EXPECT_EQ(QByteArray::fromHex(answer.mid(7, 20)), QByteArray("QM1 v1.07 "));
    EXPECT_EQ(answer.size(), 7 + 20 + 1);
}

TEST_F(QmSimSerial, OpenFailuresAreReportedByKind) {
    start();
    // A mapped device that does not exist is a missing port.
    m_store->setValue(QStringLiteral("Ports"), QStringLiteral("COM2"), m_dir.filePath(QStringLiteral("ttyNONE")));
    m_port->setCommPort(2);
    EXPECT_EQ(m_port->open().code, porterror::Missing);
    // So is a path that is no terminal at all; it must not hang either.
    QFile plain(m_dir.filePath(QStringLiteral("plain.txt")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    m_store->setValue(QStringLiteral("Ports"), QStringLiteral("COM3"), plain.fileName());
    m_port->setCommPort(3);
    EXPECT_EQ(m_port->open().code, porterror::Missing);
    m_store->setValue(QStringLiteral("Ports"), QStringLiteral("COM4"), QStringLiteral("/dev/null"));
    m_port->setCommPort(4);
    EXPECT_EQ(m_port->open().code, porterror::Missing);
    EXPECT_FALSE(m_port->isOpen());

    // Settings the port cannot take.
    m_port->setCommPort(1);
    m_port->setSettings(QStringLiteral("9600,X,8,1"));
    const PortResult refused = m_port->open();
    EXPECT_EQ(refused.code, porterror::SettingsRefused);
    EXPECT_FALSE(refused.description.isEmpty());
    EXPECT_FALSE(m_port->isOpen());

    // A port held by someone else is busy; ours is busy too when opened twice.
    m_port->setSettings(QStringLiteral("9600,N,8,1"));
    ASSERT_TRUE(m_port->open().ok());
    EXPECT_EQ(m_port->open().code, porterror::Busy);
    QtSerialPort other(*m_store);
    other.setCommPort(1);
    EXPECT_EQ(other.open().code, porterror::Busy);
    EXPECT_TRUE(m_port->isOpen());

    // Output and input on a closed port do nothing.
    m_port->close();
    m_port->output("@0300C7000531\r");
    EXPECT_TRUE(m_port->input().isEmpty());
}

// A line that never stops sending (a pseudo-terminal of our own, fed by a thread as fast as it
// goes): one exchange takes in its limit at most, the rest is discarded.
TEST_F(QmSimSerial, AFloodingLineGivesAnExchangeNoMoreThanItsWorth) {
    const int line = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(line, 0);
    ASSERT_EQ(grantpt(line), 0);
    ASSERT_EQ(unlockpt(line), 0);
    ::fcntl(line, F_SETFL, ::fcntl(line, F_GETFL) | O_NONBLOCK);
    m_store->setValue(QStringLiteral("Ports"), QStringLiteral("COM1"), QString::fromLocal8Bit(ptsname(line)));
    QtSerialPort port(*m_store);
    port.setCommPort(1);
    ASSERT_TRUE(port.open().ok());

    std::atomic<bool> stop{false};
    std::thread flood([&] {
        const QByteArray chunk(4096, 'x');
        while (!stop)
            if (::write(line, chunk.constData(), size_t(chunk.size())) < 0 && errno == EAGAIN)
                ::usleep(200);
    });
    port.output("@0300C7000531\r");
    m_clock.waitSeconds(0.3);
    qsizetype taken = 0;
    for (int reads = 0; reads < 1000 && port.inBufferCount() > 0; ++reads)
        taken += port.input().size();
    stop = true;
    flood.join();
    EXPECT_GT(taken, 0);
    EXPECT_LE(taken, SerialPort::kMaxInputPerExchange);
    port.close();
    ::close(line);
}

// What the program makes of the simulator's faults, over the real port and the real clock.

TEST_F(QmSimSerial, ALateAnswerIsMissedAndNeverTakenForTheNextOne) {
    start({QStringLiteral("--late")});
    DeviceLink& link = openLink();
    EXPECT_EQ(link.readExchange(199, 10, 0.2), "");
    m_clock.waitSeconds(0.4); // it arrives now, between two requests
    EXPECT_EQ(link.readExchange(100, 2, 0.2), "") << "the late answer before is drained";
    m_clock.waitSeconds(0.4);
    // A reading time that waits long enough takes it.
    m_session.ReadWaitTime = 0.8;
    EXPECT_TRUE(link.DecodeAnswer(link.readExchange(199, 10), QStringLiteral("Tx")).toText().startsWith("QM2"));
}

TEST_F(QmSimSerial, ASplitAnswerIsTakenWholeOnlyWithinTheReadingTime) {
    start({QStringLiteral("--split")});
    DeviceLink& link = openLink();
    const QString full = QStringLiteral("@030A514D322076312E323320A9\r");
    // The rest comes after the reading time: what arrived is decoded, its checksum logged as wrong.
    const QString first = link.readExchange(199, 10);
    EXPECT_FALSE(first.isEmpty());
    EXPECT_TRUE(full.startsWith(first) && first != full) << first.toStdString();
    link.DecodeAnswer(first, QStringLiteral("Tx"));
    EXPECT_TRUE(cp1254::decode(logFile()).contains(QStringLiteral("CHKSum Hatası")));
    m_clock.waitSeconds(0.4);
    // The rest is drained; with a longer reading time both pieces make one answer.
    m_session.ReadWaitTime = 0.6;
    EXPECT_EQ(link.readExchange(199, 10), full);
}

TEST_F(QmSimSerial, AnEchoingLineIdentifiesNothingAndAcknowledgesNoWrite) {
    start({QStringLiteral("--echo")});
    DeviceLink& link = openLink();
    const QString request = BuildReadFrame(QString(), 199, 10, true);
    const QString answer = link.readExchange(199, 10, 0.2);
    EXPECT_EQ(answer, request);
    EXPECT_EQ(identifiedModel(answer, request, link.DecodeAnswer(answer, QStringLiteral("Tx")).toText(), QString()),
              std::nullopt);
    m_dialogs.answerMessage(MsgResult::Abort);
    link.CihazaGönder(QString(), 100, 2, true, QStringLiteral("LG"), 7);
    ASSERT_EQ(m_dialogs.messages().size(), 1);
    EXPECT_EQ(m_dialogs.messages().value(0).buttons, MsgButtons::AbortRetryIgnore);
    EXPECT_TRUE(m_session.AbortRequested);
}

TEST_F(QmSimSerial, LostWritesAreSentAgainAndRefusalsTellTheirKind) {
    start({QStringLiteral("--no-ack"), QStringLiteral("2"), QStringLiteral("--refuse"), QStringLiteral("199"),
           QStringLiteral("--refuse-9"), QStringLiteral("22")});
    DeviceLink& link = openLink();
    const double before = m_clock.now();
    link.CihazaGönder(QString(), 100, 2, true, QStringLiteral("LG"), 7);
    EXPECT_GE(m_clock.now() - before, 3 * m_session.ReadWaitTime) << "three sends, three reading times";
    EXPECT_TRUE(m_dialogs.shown.isEmpty()) << "acknowledged on the third send";
    EXPECT_EQ(link.DecodeAnswer(link.readExchange(100, 2), QStringLiteral("LG")).toNumber(), 7);
    EXPECT_TRUE(link.isErrorAnswer(link.readExchange(199, 10)));
    const QString declined = link.writeExchange(22, 2, QStringLiteral("Lg"), 3);
    EXPECT_TRUE(declined.startsWith(QLatin1String("@9"))) << declined.toStdString();
}

TEST_F(QmSimSerial, LostLineLatchesAsClosedPort) {
    start();
    ASSERT_TRUE(m_port->open().ok());
    EXPECT_FALSE(exchange("@0300C7000531\r").isEmpty());
    m_sim.terminate();
    ASSERT_TRUE(m_sim.waitForFinished(2000));
    EXPECT_EQ(m_sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_sim.exitCode(), 0);
    m_clock.waitSeconds(0.05);
    EXPECT_EQ(m_port->inBufferCount(), 0);
    EXPECT_FALSE(m_port->isOpen());
    EXPECT_TRUE(m_port->input().isEmpty());
    m_port->output("@0300C7000531\r"); // must neither hang nor crash
}

TEST_F(QmSimSerial, SimulatorIdlesWithoutCpu) {
    start();
    // Also after a client has come and gone, which is when a pseudo-terminal starts reporting
    // hang-ups to a careless server.
    ASSERT_TRUE(m_port->open().ok());
    exchange("@0300C7000531\r", 0.1);
    m_port->close();
    m_clock.waitSeconds(0.1);
    const long before = cpuTicks(m_sim.processId());
    ASSERT_GE(before, 0);
    QThread::msleep(600);
    const long after = cpuTicks(m_sim.processId());
    EXPECT_LE(after - before, 3) << "qm-sim is busy while idle";
}
