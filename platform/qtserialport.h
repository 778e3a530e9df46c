#pragma once

#include "platform/serialport.h"

#include <QSerialPort>

class SettingsStore;

// The real serial port. On Windows COMn is the port itself; elsewhere COMn is the device the
// settings store maps it to (section "Ports", key "COMn", e.g. "/dev/ttyUSB0"), by default
// "/dev/ttyS<n-1>". The program reads the port without relying on the event loop: bytes waiting
// are pulled in whenever it asks for them, never more than one exchange's worth. A read or
// resource error of the line leaves the port closed until it is opened again.
class QtSerialPort : public SerialPort {
public:
    explicit QtSerialPort(SettingsStore& store);
    ~QtSerialPort() override;

    void setCommPort(int n) override { m_commPort = n; }
    int commPort() const override { return m_commPort; }
    void setSettings(const QString& settings) override { m_settings = settings; }
    QString settings() const override { return m_settings; }

    PortResult open() override;
    void close() override;
    bool isOpen() const override;

    void output(const QByteArray& bytes) override;
    QByteArray input() override;
    int inBufferCount() override;
    void discardInput() override;

    // The device (or Windows port name) COMn stands for.
    QString deviceFor(int n) const;

    // The one place where the serial library's failures become the program's port errors: a
    // missing device 8002, a port in use 8005, a port not open 8012, settings refused 8015; any
    // other failure keeps its own number and description.
    static PortResult resultFor(QSerialPort::SerialPortError error, const QString& description);

private:
    void pump();
    void latchIfBroken();

    SettingsStore& m_store;
    QSerialPort m_port;
    int m_commPort = 1;
    QString m_settings = QStringLiteral("9600,N,8,1");
    bool m_broken = false;
    int m_budget = kMaxInputPerExchange; // input this exchange may still hand out
};
