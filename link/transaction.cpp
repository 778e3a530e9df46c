#include "link/transaction.h"

#include "link/frames.h"
#include "link/textroutines.h"
#include "platform/basic.h"
#include "platform/clock.h"
#include "platform/cp1254.h"
#include "platform/dialogs.h"
#include "platform/serialport.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>

namespace {
constexpr int kSendsPerRound = 9;
const QString kLogFileName = QStringLiteral("QMxLog.txt");

bool appendLine(const QString& path, const QByteArray& line) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool ok = file.write(line) == line.size();
    file.close();
    return ok && file.error() == QFileDevice::NoError;
}
} // namespace

DeviceLink::DeviceLink(LinkSettings& settings, SerialPort& port, Clock& clock, Dialogs& dialogs)
    : m_settings(settings), m_port(port), m_clock(clock), m_dialogs(dialogs) {}

int DeviceLink::PortAç() {
    const PortResult r = openPort();
    if (!r.ok())
        showPortError(r);
    return r.code;
}

PortResult DeviceLink::openPort() {
    if (m_port.isOpen())
        m_port.close();
    const double n = basic::roundHalfEven(basic::Val(m_settings.portNumber()));
    m_port.setCommPort(int(qBound(-1.0, n, 1.0e6)));
    m_port.setSettings(m_settings.portSettings());
    return m_port.open();
}

void DeviceLink::showPortError(const PortResult& r) {
    if (r.code == porterror::Missing)
        m_dialogs.messageBox(QStringLiteral("COM") + m_settings.portNumber() + QStringLiteral(" bulunmamaktadır"),
                             MsgButtons::Ok, MsgIcon::Critical);
    else
        m_dialogs.messageBox(QString::number(r.code) + QStringLiteral(" :") + r.description, MsgButtons::Ok,
                             MsgIcon::None);
}

QStringList DeviceLink::Portkontrol() {
    const int previous = m_port.commPort();
    if (m_port.isOpen())
        m_port.close();
    QStringList found;
    for (int n = 1; n <= 16; ++n) {
        m_port.setCommPort(n);
        if (m_port.open().ok())
            found << QStringLiteral("COM") + QString::number(n);
        m_port.close();
    }
    m_port.setCommPort(previous);
    return found;
}

QByteArray DeviceLink::collectInput() {
    QByteArray bytes;
    // The port hands out one exchange's worth at most; the bound here keeps a port that does not
    // from holding the loop.
    while (m_port.inBufferCount() > 0 && bytes.size() < SerialPort::kMaxInputPerExchange) {
        const QByteArray chunk = m_port.input();
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    return bytes;
}

void DeviceLink::drainInput() {
    m_port.discardInput();
}

QString DeviceLink::IntOku() {
    WaitSeconds(m_settings.readWaitTime());
    const QByteArray bytes = collectInput();
    if (!m_port.isOpen())
        return QString(); // the port reported an error during the exchange and closed itself
    return cp1254::decode(bytes);
}

void DeviceLink::sendFrame(const QString& frame) {
    drainInput();
    m_port.output(cp1254::encode(frame));
}

QString DeviceLink::Cevap(const QString& address, const QString& answer) {
    return basic::Mid(answer, hasAddressField(address) ? 4 : 2, 6);
}

void DeviceLink::CihazaGönder(const QString& address, int reg, int count, bool checksumOn, const QString& kind,
                              const QVariant& data) {
    const QString registers = ZeroPad(4, basic::Hex(registerCountOf(count)));
    const QString ack = QStringLiteral("10") + registers;
    const QString frame = BuildWriteFrame(address, reg, count, checksumOn, kind, data);
    for (;;) {
        for (int sends = 0; sends < kSendsPerRound; ++sends) {
            if (m_clock.isShuttingDown()) {
                m_settings.requestAbort();
                return;
            }
            // A port that failed (and closed itself) cannot carry the write: no point sending on.
            if (!m_port.isOpen())
                break;
            sendFrame(frame);
            const QString answer = IntOku();
            if (Cevap(address, answer) == ack) {
                // The echo is what counts; a wrong checksum on it is only logged.
                if (checksumOn)
                    writeAcknowledged(answer, address, checksumOn, count, logSink());
                return;
            }
        }
        if (m_clock.isShuttingDown()) {
            m_settings.requestAbort();
            return;
        }
        const QString text = u'[' + ZeroPad(3, QString::number(reg)) + QStringLiteral("]-[") + registers +
                             QStringLiteral("]--- ") + m_settings.writeFailedText() + QStringLiteral("...");
        switch (m_dialogs.messageBox(text, MsgButtons::AbortRetryIgnore, MsgIcon::Critical)) {
        case MsgResult::Retry:
            continue;
        case MsgResult::Ignore:
            logEvent(QStringLiteral(" - ") + text);
            return;
        default:
            m_settings.requestAbort();
            return;
        }
    }
}

void DeviceLink::HostYazdır(bool on) {
    sendFrame(BuildWriteFrame(m_settings.deviceAddress(), CommandRegister, 2, m_settings.checksumOn(),
                              QStringLiteral("Lg"), on ? CmdHostModeOn : CmdHostModeOff));
    WaitSeconds(0.2);
    IntOku();
}

void DeviceLink::WaitSeconds(double seconds) {
    m_clock.waitSeconds(seconds);
}

void DeviceLink::WaitSecondsBusy(double seconds) {
    m_clock.waitSecondsBusy(seconds);
}

void DeviceLink::AppendLog(const QString& text) {
    const QByteArray line = cp1254::encode(text) + "\r\n";
    const QString programFolder = m_settings.logFolder();
    if (!programFolder.isEmpty()) {
        const QString path = QDir(programFolder).filePath(kLogFileName);
        if (appendLine(path, line)) {
            m_lastLogPath = path;
            return;
        }
    }
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return;
    const QString path = QDir(folder).filePath(kLogFileName);
    if (appendLine(path, line))
        m_lastLogPath = path;
}

QString DeviceLink::readExchange(int reg, int count, double extraWait) {
    sendFrame(BuildReadFrame(m_settings.deviceAddress(), reg, count, m_settings.checksumOn()));
    if (extraWait > 0)
        WaitSeconds(extraWait);
    return IntOku();
}

QString DeviceLink::writeExchange(int reg, int count, const QString& kind, const QVariant& data, double extraWait) {
    sendFrame(BuildWriteFrame(m_settings.deviceAddress(), reg, count, m_settings.checksumOn(), kind, data));
    if (extraWait > 0)
        WaitSeconds(extraWait);
    return IntOku();
}

AnswerValue DeviceLink::DecodeAnswer(const QString& answer, const QString& kind) {
    return ::DecodeAnswer(answer, kind, m_settings.deviceAddress(), m_settings.checksumOn(), m_settings, logSink());
}

std::optional<QString> DeviceLink::answerData(const QString& answer, int bytes) {
    return blockAnswerData(answer, m_settings.deviceAddress(), m_settings.checksumOn(), bytes, logSink());
}

bool DeviceLink::acknowledged(const QString& answer, int bytes) {
    return writeAcknowledged(answer, m_settings.deviceAddress(), m_settings.checksumOn(), bytes, logSink());
}

bool DeviceLink::isErrorAnswer(const QString& answer) const {
    return ::isErrorAnswer(answer, m_settings.deviceAddress());
}

QString DeviceLink::logDate() const {
    return QLocale::system().toString(m_clock.currentDateTime().date(), QLocale::ShortFormat);
}

LogSink DeviceLink::logSink() {
    return [this](const QString& event) { logEvent(event); };
}

void DeviceLink::logEvent(const QString& event) {
    AppendLog(logDate() + event);
}
