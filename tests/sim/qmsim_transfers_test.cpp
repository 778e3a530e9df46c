// The parameter set read and written by the whole program through the real serial port and the
// real clock, against the qm-sim program on a pseudo-terminal.

#include "app/languagefile.h"
#include "app/program.h"
#include "link/textroutines.h"
#include "pages/gridlayout.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/qtserialport.h"
#include "platform/settingsstore.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class QmSimTransfers : public ::testing::Test {
protected:
    void TearDown() override {
        if (m_sim.state() != QProcess::NotRunning) {
            m_sim.terminate();
            if (!m_sim.waitForFinished(2000)) {
                m_sim.kill();
                m_sim.waitForFinished(2000);
            }
        }
    }

    // Starts qm-sim and points COM1 at its device.
    void start(const QStringList& args) {
        ASSERT_TRUE(m_dir.isValid());
        m_sim.start(QStringLiteral(QM_SIM_PATH), args);
        ASSERT_TRUE(m_sim.waitForStarted(3000));
        while (!m_sim.canReadLine())
            ASSERT_TRUE(m_sim.waitForReadyRead(3000)) << "qm-sim printed no device";
        const QString device = QString::fromLocal8Bit(m_sim.readLine()).trimmed();
        ASSERT_TRUE(device.startsWith(QLatin1String("/dev/"))) << device.toStdString();
        m_store = std::make_unique<QtSettingsStore>(m_dir.filePath(QStringLiteral("settings.ini")));
        m_store->setValue(QStringLiteral("Ports"), QStringLiteral("COM1"), device);
    }

    QTemporaryDir m_dir;
    QProcess m_sim;
    std::unique_ptr<QtSettingsStore> m_store;
};

} // namespace

// Read the parameter page, change it, write every group, read it again: the indicator behind the
// real port gives back what was written.
TEST_F(QmSimTransfers, AFullParameterReadAndWriteOverTheRealPort) {
    start({QStringLiteral("--model"), QStringLiteral("QM2"), QStringLiteral("--address"), QStringLiteral("7")});
    QtSerialPort port(*m_store);
    SystemClock clock;
    ScriptedDialogs dialogs;
    Program program(port, clock, dialogs, *m_store, m_dir.path());
    Session& s = program.session;
    s.ModelName = QStringLiteral("QM2");
    applyToMessageTables(readLanguageFile(QStringLiteral(VELMORA_SOURCE_DIR "/LANGUAGE/English.txt")), s.messages);
    for (int n = 0; n < kGridCount; ++n)
        GridDüzen(n, *program.ctx.Grid1[n], s);
    s.DeviceAddress = QStringLiteral("07");
    s.ReadWaitTime = 0.05; // a pseudo-terminal answers at once
    ASSERT_EQ(program.link.PortAç(), 0);
    s.Connected = true;
    GridPage& page = *program.ctx.Grid1[GridParameters];

    ASSERT_TRUE(program.transfers.ParametreHostOku());
    QStringList firstRead;
    for (int r = 1; r < page.Rows(); ++r)
        firstRead << page.TextMatrix(r, 1);
    const ParameterValues firstValues = s.param;
    EXPECT_EQ(page.TextMatrix(1, 1), QStringLiteral("24-05-19 \\ 12:15:30"));
    EXPECT_EQ(page.TextMatrix(82, 1), s.messages.ModelText[1] + QStringLiteral(" v1.23 "));
    EXPECT_EQ(page.TextMatrix(19, 1), QStringLiteral("5"));

    page.setTextMatrix(1, 1, QStringLiteral("01-02-25 \\ 03:04:05"));
    page.setTextMatrix(19, 1, QStringLiteral("8"));
    s.param.ValueArray[2] = 777;
    page.setTextMatrix(56, 1, FormatLikeMaximum(777.0, s));
    s.param.CalGravity2 = 98123;
    page.setTextMatrix(76, 1, QStringLiteral("9,98123"));
    QStringList edited;
    for (int r = 1; r < page.Rows(); ++r)
        edited << page.TextMatrix(r, 1);
    for (int k : {5, 6, 7, 8})
        program.w().SSCheck2[k]->setChecked(true);
    ASSERT_TRUE(program.transfers.ParametreHostYaz());

    // Back to what the first read showed, so that only the indicator can bring the edits back.
    for (int r = 1; r < page.Rows(); ++r)
        page.setTextMatrix(r, 1, firstRead[r - 1]);
    s.param = firstValues;
    ASSERT_TRUE(program.transfers.ParametreHostOku());
    QStringList read;
    for (int r = 1; r < page.Rows(); ++r)
        read << page.TextMatrix(r, 1);
    EXPECT_EQ(read, edited);
    EXPECT_EQ(s.param.ValueArray[2], 777);
    EXPECT_EQ(s.param.CalGravity2, 98123);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_TRUE(s.Connected);
    port.close();
}
