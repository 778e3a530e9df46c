#include "platform/qtserialport.h"

#include "platform/settingsstore.h"

#include <QMetaObject>

#ifndef Q_OS_WIN
#include <poll.h>
#include <sys/stat.h>
#endif

QtSerialPort::QtSerialPort(SettingsStore& store) : m_store(store) {
    // The library's own buffer stops taking in at one exchange's worth; what a flooding line sends
    // beyond it waits in the driver until it is discarded.
    m_port.setReadBufferSize(kMaxInputPerExchange);
    // The error may come up inside the port's own read handler during a wait; the port is closed
    // from the event loop right after, never from inside that handler.
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port, [this](QSerialPort::SerialPortError e) {
        if ((e == QSerialPort::ReadError || e == QSerialPort::ResourceError) && m_port.isOpen() && !m_broken) {
            m_broken = true;
            QMetaObject::invokeMethod(
                &m_port, [this] { latchIfBroken(); }, Qt::QueuedConnection);
        }
    });
}

QtSerialPort::~QtSerialPort() {
    if (m_port.isOpen())
        m_port.close();
}

QString QtSerialPort::deviceFor(int n) const {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(n);
#else
    return m_store.value(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(n),
                         QStringLiteral("/dev/ttyS%1").arg(n - 1));
#endif
}

PortResult QtSerialPort::resultFor(QSerialPort::SerialPortError error, const QString& description) {
    switch (error) {
    case QSerialPort::NoError:
        return {};
    case QSerialPort::DeviceNotFoundError:
        return {porterror::Missing, description};
    case QSerialPort::PermissionError: // held by another program (Windows reports it as access denied)
    case QSerialPort::OpenError:       // already open here
        return {porterror::Busy, description};
    case QSerialPort::NotOpenError:
        return {porterror::NotOpen, description};
    case QSerialPort::UnsupportedOperationError:
        return {porterror::SettingsRefused, description};
    default:
        return {int(error), description.isEmpty() ? QStringLiteral("Serial port error") : description};
    }
}

bool QtSerialPort::isOpen() const {
    return m_port.isOpen() && !m_broken;
}

PortResult QtSerialPort::open() {
    if (isOpen())
        return resultFor(QSerialPort::OpenError, QStringLiteral("Port already open"));
    if (m_port.isOpen())
        m_port.close(); // left open by a latched error
    m_broken = false;

    const QString device = deviceFor(m_commPort);
#ifndef Q_OS_WIN
    // Only character devices are handed to the serial library: a missing path, a regular file or
    // a pipe is no port, and opening a pipe could block.
    struct stat st {};
    if (m_commPort < 1 || device.isEmpty() || ::stat(device.toLocal8Bit().constData(), &st) != 0)
        return {porterror::Missing, QStringLiteral("No such device: %1").arg(device)};
    if (!S_ISCHR(st.st_mode))
        return {porterror::Missing, QStringLiteral("Not a serial device: %1").arg(device)};
#endif

    PortSettingsValue v;
    if (!parsePortSettings(m_settings, &v))
        return {porterror::SettingsRefused, QStringLiteral("Invalid port settings: %1").arg(m_settings)};

    m_port.setPortName(device);
    if (!m_port.open(QIODevice::ReadWrite)) {
        // A device that takes no terminal settings at all (a character device that is no
        // terminal) is no serial port, rather than one refusing our settings.
        const PortResult r = m_port.error() == QSerialPort::UnsupportedOperationError
                                 ? PortResult{porterror::Missing, QStringLiteral("Not a serial device: %1").arg(device)}
                                 : resultFor(m_port.error(), m_port.errorString());
        m_port.clearError();
        m_broken = false;
        return r;
    }

    QSerialPort::Parity parity = QSerialPort::NoParity;
    switch (v.parity) {
    case 'E':
        parity = QSerialPort::EvenParity;
        break;
    case 'O':
        parity = QSerialPort::OddParity;
        break;
    case 'M':
        parity = QSerialPort::MarkParity;
        break;
    case 'S':
        parity = QSerialPort::SpaceParity;
        break;
    default:
        break;
    }
    const QSerialPort::StopBits stop = v.stopBits == 2   ? QSerialPort::TwoStop
                                       : v.stopBits == 3 ? QSerialPort::OneAndHalfStop
                                                         : QSerialPort::OneStop;
    const bool applied = m_port.setBaudRate(v.baud) && m_port.setDataBits(QSerialPort::DataBits(v.dataBits)) &&
                         m_port.setParity(parity) && m_port.setStopBits(stop) &&
                         m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!applied) {
        const QString why = m_port.errorString();
        m_port.close();
        m_port.clearError();
        m_broken = false;
        return {porterror::SettingsRefused, why};
    }
    // A port just opened holds nothing left over from before.
    m_port.clear(QSerialPort::AllDirections);
    m_port.clearError();
    m_budget = kMaxInputPerExchange;
    return {};
}

void QtSerialPort::close() {
    if (m_port.isOpen())
        m_port.close();
    m_broken = false;
}

void QtSerialPort::latchIfBroken() {
    if (m_broken && m_port.isOpen())
        m_port.close();
}

// Takes in whatever the line has delivered, whether or not an event loop ran since.
void QtSerialPort::pump() {
    if (!isOpen())
        return;
#ifndef Q_OS_WIN
    // A hang-up without data (the other end went away) never wakes the read handler.
    pollfd pfd{int(m_port.handle()), POLLIN, 0};
    if (::poll(&pfd, 1, 0) > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) && !(pfd.revents & POLLIN))
        m_broken = true;
#endif
    while (!m_broken && m_port.waitForReadyRead(0)) {
    }
    if (m_port.error() == QSerialPort::TimeoutError)
        m_port.clearError();
    latchIfBroken();
}

void QtSerialPort::output(const QByteArray& bytes) {
    pump();
    if (!isOpen())
        return;
    m_budget = kMaxInputPerExchange; // a request starts a new exchange
    m_port.write(bytes);
    // Hand the bytes to the driver now; the caller's wait may not run an event loop.
    const qint64 baud = qMax<qint64>(m_port.baudRate(), 300);
    const int ms = int(100 + bytes.size() * 10 * 1000 / baud);
    if (!m_port.waitForBytesWritten(ms) && m_port.error() == QSerialPort::TimeoutError)
        m_port.clearError();
    latchIfBroken();
}

QByteArray QtSerialPort::input() {
    pump();
    if (!isOpen() || m_budget <= 0) {
        discardInput();
        return {};
    }
    const QByteArray bytes = m_port.read(m_budget);
    m_budget -= int(bytes.size());
    if (m_budget <= 0)
        discardInput(); // the exchange has had its worth: the excess goes
    return bytes;
}

int QtSerialPort::inBufferCount() {
    pump();
    if (!isOpen())
        return 0;
    if (m_budget <= 0) {
        discardInput();
        return 0;
    }
    return int(qMin<qint64>(m_port.bytesAvailable(), m_budget));
}

void QtSerialPort::discardInput() {
    // The library's buffer and what waits in the driver, without reading any of it.
    if (m_port.isOpen())
        m_port.clear(QSerialPort::Input);
}
