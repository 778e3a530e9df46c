#pragma once

#include <QByteArray>
#include <QString>

// What the program uses of a serial port: a port number, a settings text such as "9600,N,8,1",
// open/close, output, input and the count of bytes waiting. Failures are reported with the error
// numbers the program has always known them by.
namespace porterror {
constexpr int None = 0;
constexpr int Missing = 8002;         // no such port
constexpr int Busy = 8005;            // port already open (by us or by someone else)
constexpr int NotOpen = 8012;         // operation on a port that is not open
constexpr int SettingsRefused = 8015; // the settings text cannot be applied

// Failures that another attempt to open cannot mend: no such port, held by another program, not
// open, settings refused.
constexpr bool isFinal(int code) {
    return code == Missing || code == Busy || code == NotOpen || code == SettingsRefused;
}
} // namespace porterror

struct PortResult {
    int code = porterror::None;
    QString description;
    bool ok() const { return code == porterror::None; }
};

struct PortSettingsValue {
    int baud = 9600;
    char parity = 'N'; // 'N', 'E', 'O', 'M', 'S'
    int dataBits = 8;
    int stopBits = 1;
};

// "9600,N,8,1" -> its parts; false for anything the port cannot take.
bool parsePortSettings(const QString& text, PortSettingsValue* out);

class SerialPort {
public:
    // The most input one exchange takes in: from one output() to the next, input() hands out at
    // most this many bytes in all and the rest is discarded, so a line that keeps sending can
    // neither grow the program's memory nor hold a reader.
    static constexpr int kMaxInputPerExchange = 1 << 16;

    virtual ~SerialPort() = default;

    virtual void setCommPort(int n) = 0;
    virtual int commPort() const = 0;
    virtual void setSettings(const QString& settings) = 0;
    virtual QString settings() const = 0;

    virtual PortResult open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Output on a closed port is dropped; input on a closed port is empty.
    virtual void output(const QByteArray& bytes) = 0;
    virtual QByteArray input() = 0;
    virtual int inBufferCount() = 0;

    // Drops the input waiting, without handing it out: the drain before each request. However much
    // a line has sent, this takes no more than one exchange's worth of work.
    virtual void discardInput() {
        for (int taken = 0; taken < kMaxInputPerExchange && inBufferCount() > 0;) {
            const QByteArray dropped = input();
            if (dropped.isEmpty())
                break;
            taken += int(dropped.size());
        }
    }
};
