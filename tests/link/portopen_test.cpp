#include "link/transaction.h"
#include "platform/clock.h"
#include "platform/cp1254.h"
#include "platform/dialogs.h"
#include "platform/serialport.h"
#include "session/session.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Ports that exist, ports someone else holds, nothing on the line.
class FakePort : public SerialPort {
public:
    QSet<int> present{1, 3, 4};
    QSet<int> held{4};
    int opens = 0;
    QByteArray sent;

    void setCommPort(int n) override { m_n = n; }
    int commPort() const override { return m_n; }
    void setSettings(const QString& s) override { m_settings = s; }
    QString settings() const override { return m_settings; }
    PortResult open() override {
        ++opens;
        if (m_open)
            return {porterror::Busy, "Port already open"};
        if (!present.contains(m_n))
            return {porterror::Missing, "Invalid port number"};
        if (held.contains(m_n))
            return {porterror::Busy, "Port already open"};
        PortSettingsValue v;
        if (!parsePortSettings(m_settings, &v))
            return {porterror::SettingsRefused, "Invalid port settings"};
        m_open = true;
        return {};
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void output(const QByteArray& b) override {
        if (m_open)
            sent += b;
    }
    QByteArray input() override { return {}; }
    int inBufferCount() override { return 0; }

private:
    int m_n = 1;
    QString m_settings = "9600,N,8,1";
    bool m_open = false;
};

struct PortOpenTest : ::testing::Test {
    Session session;
    FakePort port;
    VirtualClock clock;
    ScriptedDialogs dialogs;
    DeviceLink link{session, port, clock, dialogs};
};

} // namespace

TEST_F(PortOpenTest, OpensTheConfiguredPort) {
    session.PortNumber = "3";
    EXPECT_EQ(link.PortAç(), 0);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.commPort(), 3);
    // Opening again closes the port first instead of failing as busy.
    EXPECT_EQ(link.PortAç(), 0);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(PortOpenTest, MissingPortBox) {
    session.PortNumber = "7";
    EXPECT_EQ(link.PortAç(), porterror::Missing);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown.value(0).text, QString::fromUtf16(u"COM7 bulunmamaktadır"));
    EXPECT_EQ(dialogs.shown.value(0).icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.shown.value(0).title, "");
}

TEST_F(PortOpenTest, OtherErrorsShowNumberAndDescription) {
    session.PortNumber = "4";
    EXPECT_EQ(link.PortAç(), porterror::Busy);
    session.PortNumber = "1";
    session.PortSettings = "9600,Q,8,1";
    EXPECT_EQ(link.PortAç(), porterror::SettingsRefused);
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_EQ(dialogs.shown.value(0).text, "8005 :Port already open");
    EXPECT_EQ(dialogs.shown.value(0).icon, MsgIcon::None);
    EXPECT_EQ(dialogs.shown.value(0).buttons, MsgButtons::Ok);
    EXPECT_EQ(dialogs.shown.value(1).text, "8015 :Invalid port settings");
    EXPECT_FALSE(port.isOpen());
}

TEST_F(PortOpenTest, PortListHoldsThePortsThatOpen) {
    port.setCommPort(3);
    EXPECT_EQ(link.Portkontrol(), QStringList({"COM1", "COM3"}));
    EXPECT_EQ(port.opens, 16);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.commPort(), 3);
    EXPECT_TRUE(port.sent.isEmpty());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(PortOpenTest, SilentLineGivesAnEmptyAnswerAfterTheReadingTime) {
    session.ReadWaitTime = 0.15;
    ASSERT_EQ(link.PortAç(), 0);
    const double start = clock.now();
    EXPECT_EQ(link.IntOku(), "");
    EXPECT_NEAR(clock.now() - start, 0.15, 1e-9);
}

TEST_F(PortOpenTest, LogGoesToTheProgramFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    session.AppFolder = dir.path() + "/";
    link.AppendLog(QString::fromUtf16(u"bir satır"));
    link.logEvent(" - [000]-[0001]--- x");
    QFile f(dir.filePath("QMxLog.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString expectedDate = QLocale::system().toString(clock.currentDateTime().date(), QLocale::ShortFormat);
    EXPECT_EQ(cp1254::decode(f.readAll()),
              QString::fromUtf16(u"bir satır\r\n") + expectedDate + " - [000]-[0001]--- x\r\n");
    EXPECT_EQ(link.lastLogPath(), dir.filePath("QMxLog.txt"));
}

TEST_F(PortOpenTest, LogFallsBackToTheUserFolder) {
    QStandardPaths::setTestModeEnabled(true);
    const QString fallback =
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)).filePath("QMxLog.txt");
    QFile::remove(fallback);
    QTemporaryDir dir;
    session.AppFolder = dir.path() + "/missing/folder/";
    link.AppendLog("line");
    EXPECT_EQ(link.lastLogPath(), fallback);
    QFile f(fallback);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "line\r\n");
    f.close();
    QFile::remove(fallback);
    QStandardPaths::setTestModeEnabled(false);
}
