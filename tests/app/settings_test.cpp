#include "app/settings.h"
#include "platform/serialport.h"
#include "platform/settingsstore.h"
#include "session/session.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Records what the settings reader configures; it must never open the port.
class RecordingPort : public SerialPort {
public:
    void setCommPort(int n) override { m_port = n; }
    int commPort() const override { return m_port; }
    void setSettings(const QString& s) override { m_settings = s; }
    QString settings() const override { return m_settings; }
    PortResult open() override {
        ++opens;
        return {};
    }
    void close() override {}
    bool isOpen() const override { return false; }
    void output(const QByteArray&) override {}
    QByteArray input() override { return {}; }
    int inBufferCount() override { return 0; }
    int opens = 0;

private:
    int m_port = 0;
    QString m_settings;
};

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_store = std::make_unique<QtSettingsStore>(m_dir.filePath(QStringLiteral("settings.ini")));
    }
    void put(const QString& key, const QString& value) { m_store->setValue(settingskeys::Section, key, value); }
    Session read() {
        Session s;
        // Start from values that differ from every default, so a default proves it was applied.
        s.PortNumber = "9";
        s.PortSettings = "1200,O,7,2";
        s.DeviceAddress = "42";
        s.ChecksumOn = false;
        s.LanguageFile = "x.txt";
        s.ReadWaitTime = 9;
        RegOku(s, *m_store);
        return s;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<QtSettingsStore> m_store;
};

TEST_F(SettingsTest, FirstStartGivesTheDefaultsAndConfiguresThePortWithoutOpeningIt) {
    Session s;
    RecordingPort port;
    RegOku(s, *m_store, port);
    EXPECT_EQ(s.PortNumber, "1");
    EXPECT_EQ(s.PortSettings, "9600,N,8,1");
    EXPECT_EQ(s.DeviceAddress, "");
    EXPECT_TRUE(s.ChecksumOn);
    EXPECT_EQ(s.LanguageFile, "English.txt");
    EXPECT_DOUBLE_EQ(s.ReadWaitTime, 0.15);
    EXPECT_EQ(port.commPort(), 1);
    EXPECT_EQ(port.settings(), "9600,N,8,1");
    EXPECT_EQ(port.opens, 0);
}

TEST_F(SettingsTest, EveryWrittenValueReadsBack) {
    Session w;
    w.PortNumber = "4";
    w.PortSettings = "19200,E,7,1";
    w.DeviceAddress = "07";
    w.ChecksumOn = false;
    storeConnectionSettings(*m_store, w);
    storeLanguageFile(*m_store, QStringLiteral("Türkçe.txt"));
    storeReadWaitTime(*m_store, QStringLiteral("0,3"));

    EXPECT_EQ(m_store->value("QM", "CSUM", {}), "False");
    EXPECT_EQ(m_store->value("QM", "OkumaZamanı", {}), "0,3"); // as typed

    // A fresh store on the same file: the values went to disk, not just into memory.
    m_store = std::make_unique<QtSettingsStore>(m_dir.filePath(QStringLiteral("settings.ini")));
    RecordingPort port;
    Session s;
    RegOku(s, *m_store, port);
    EXPECT_EQ(s.PortNumber, "4");
    EXPECT_EQ(s.PortSettings, "19200,E,7,1");
    EXPECT_EQ(s.DeviceAddress, "07");
    EXPECT_FALSE(s.ChecksumOn);
    EXPECT_EQ(s.LanguageFile, "Türkçe.txt");
    EXPECT_DOUBLE_EQ(s.ReadWaitTime, 0.3);
    EXPECT_EQ(port.commPort(), 4);
    EXPECT_EQ(port.settings(), "19200,E,7,1");

    w.ChecksumOn = true;
    storeConnectionSettings(*m_store, w);
    EXPECT_EQ(m_store->value("QM", "CSUM", {}), "True");
    EXPECT_TRUE(read().ChecksumOn);
}

TEST_F(SettingsTest, ABadValueFallsBackAloneAndTheOthersAreKept) {
    put("Port", "5");
    put("Setting", "4800,N,8,1");
    put("Adrres", "12");
    put("CSUM", "False");
    put("dil", "Türkçe.txt");
    put("OkumaZamanı", "0.5");

    struct Case {
        const char* key;
        QString bad;
    };
    const Case cases[] = {
        {"Port", ""},
        {"Port", "COM3"},
        {"Port", "0"},
        {"Port", "-2"},
        {"Setting", "fast"},
        {"Setting", "9600,X,8,1"},
        {"Setting", "9600,N,8"},
        {"Adrres", "1a"},
        {"Adrres", "100"},
        {"CSUM", "maybe"},
        {"CSUM", ""},
        {"dil", ""},
        {"dil", "../x.txt"},
        {"OkumaZamanı", "abc"},
    };
    for (const Case& c : cases) {
        const QString key = QString::fromUtf8(c.key);
        const QString good = m_store->value("QM", key, {});
        put(key, c.bad);
        const Session s = read();
        SCOPED_TRACE(qPrintable(key + " = '" + c.bad + "'"));
        EXPECT_EQ(s.PortNumber, key == "Port" ? "1" : "5");
        EXPECT_EQ(s.PortSettings, key == "Setting" ? "9600,N,8,1" : "4800,N,8,1");
        EXPECT_EQ(s.DeviceAddress, key == "Adrres" ? "" : "12");
        EXPECT_EQ(s.ChecksumOn, key == "CSUM");
        EXPECT_EQ(s.LanguageFile, key == "dil" ? "English.txt" : "Türkçe.txt");
        EXPECT_DOUBLE_EQ(s.ReadWaitTime, key == "OkumaZamanı" ? 0.15 : 0.5);
        put(key, good);
    }
}

TEST_F(SettingsTest, StoredTextsAreReadWithoutTheHostLocale) {
    put("Port", " 3 ");
    put("Adrres", "5");
    put("CSUM", "false");
    EXPECT_EQ(read().PortNumber, "3");
    EXPECT_EQ(read().DeviceAddress, "05"); // one digit still means the same bus address
    EXPECT_FALSE(read().ChecksumOn);
    put("CSUM", "-1");
    EXPECT_TRUE(read().ChecksumOn);
    put("CSUM", "0");
    EXPECT_FALSE(read().ChecksumOn);

    const std::pair<const char*, double> times[] = {
        {"0,25", 0.25},  {"0.25", 0.25}, {"1", 1.0}, {"0.4s", 0.4}, {"10", 10.0},  // leading number taken
        {"0", 0.15},     {"-0,2", 0.15}, {"", 0.15}, {",", 0.15},   {"150", 0.15}, // no hours-long waits
        {"10.01", 0.15},
    };
    for (const auto& [text, expected] : times) {
        put("OkumaZamanı", QString::fromUtf8(text));
        EXPECT_DOUBLE_EQ(read().ReadWaitTime, expected) << text;
    }

    // A value edited by hand, with commas and without quotes, reads as the text it was written as.
    m_store.reset();
    QFile ini(m_dir.filePath(QStringLiteral("settings.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[QM]\nSetting=19200,E,7,1\n");
    ini.close();
    m_store = std::make_unique<QtSettingsStore>(ini.fileName());
    EXPECT_EQ(read().PortSettings, "19200,E,7,1");
}

TEST(TypedReadWaitTime, OnlyAWholePositiveNumberIsAccepted) {
    EXPECT_EQ(parseTypedReadWaitTime("0,2"), 0.2);
    EXPECT_EQ(parseTypedReadWaitTime(" 0.35 "), 0.35);
    EXPECT_EQ(parseTypedReadWaitTime(""), std::nullopt);
    EXPECT_EQ(parseTypedReadWaitTime("abc"), std::nullopt);
    EXPECT_EQ(parseTypedReadWaitTime("0.2abc"), std::nullopt);
    EXPECT_EQ(parseTypedReadWaitTime("0"), std::nullopt);
    EXPECT_EQ(parseTypedReadWaitTime("-1"), std::nullopt);
    EXPECT_EQ(parseTypedReadWaitTime("inf"), std::nullopt);
    EXPECT_EQ(parseTypedReadWaitTime("10"), 10.0);
    EXPECT_EQ(parseTypedReadWaitTime("150"), std::nullopt); // milliseconds meant: would lock the window
}

} // namespace
