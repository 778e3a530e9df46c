#include "platform/clock.h"
#include "sim/simindicator.h"
#include "sim/simport.h"

#include <gtest/gtest.h>

namespace {

const QByteArray idRead = "@0300C7000531\r";
const QByteArray qm2Identity = "@030A514D322076312E323320A9\r";

// What the program does for every exchange: collect whatever is waiting.
QByteArray collect(SerialPort& port) {
    QByteArray out;
    while (port.inBufferCount() > 0)
        out += port.input();
    return out;
}

struct SimPortTest : ::testing::Test {
    SimIndicator sim;
    VirtualClock clock;
    SimPort port{sim, clock};
};

} // namespace

TEST_F(SimPortTest, OpenOutcomes) {
    EXPECT_TRUE(port.open().ok());
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.open().code, porterror::Busy); // already open
    port.close();
    EXPECT_FALSE(port.isOpen());

    port.setCommPort(2);
    EXPECT_EQ(port.open().code, porterror::Missing);
    port.existingPorts.insert(2);
    port.busyPorts.insert(2);
    EXPECT_EQ(port.open().code, porterror::Busy);
    port.busyPorts.clear();
    port.setSettings(QStringLiteral("9600,X,8,1"));
    const PortResult refused = port.open();
    EXPECT_EQ(refused.code, porterror::SettingsRefused);
    EXPECT_FALSE(refused.description.isEmpty());
    EXPECT_FALSE(port.isOpen());

    // Scripted outcomes are taken one per attempt.
    port.setSettings(QStringLiteral("9600,N,8,1"));
    port.openFailures = {PortResult{8020, QStringLiteral("Error reading comm device")}, PortResult{}};
    EXPECT_EQ(port.open().code, 8020);
    EXPECT_TRUE(port.open().ok());
    EXPECT_EQ(port.openCalls, 7);
}

TEST_F(SimPortTest, AnswerShowsAfterTheRequestAndOnlyWhileOpen) {
    port.output(idRead); // closed: dropped
    EXPECT_EQ(port.droppedOutputs, 1);
    EXPECT_TRUE(sim.frames.isEmpty());

    ASSERT_TRUE(port.open().ok());
    EXPECT_EQ(port.inBufferCount(), 0);
    port.output(idRead);
    EXPECT_EQ(port.inBufferCount(), qm2Identity.size());
    EXPECT_EQ(port.input(), qm2Identity);
    EXPECT_EQ(port.input(), QByteArray());

    // With a line delay, a reader that does not wait finds nothing yet.
    port.answerDelay = 0.02;
    port.output(idRead);
    EXPECT_EQ(port.inBufferCount(), 0);
    clock.waitSeconds(0.15);
    EXPECT_EQ(collect(port), qm2Identity);

    // Closing discards what was waiting.
    port.output(idRead);
    port.close();
    ASSERT_TRUE(port.open().ok());
    clock.waitSeconds(0.15);
    EXPECT_EQ(port.inBufferCount(), 0);
}

TEST_F(SimPortTest, SplitAnswerFallsIntoTheNextRead) {
    ASSERT_TRUE(port.open().ok());
    sim.faults.splitAnswer = true;
    port.output(idRead);
    clock.waitSeconds(0.15);
    const QByteArray first = collect(port);
    EXPECT_FALSE(first.isEmpty());
    EXPECT_LT(first.size(), qm2Identity.size());
    clock.waitSeconds(0.15);
    EXPECT_EQ(first + collect(port), qm2Identity);
}

TEST_F(SimPortTest, LateAnswerIsMissedByItsReadAndThereForTheNextLook) {
    ASSERT_TRUE(port.open().ok());
    sim.faults.lateAnswer = true;
    port.output(idRead);
    clock.waitSeconds(0.15);
    EXPECT_TRUE(collect(port).isEmpty());
    EXPECT_EQ(collect(port), qm2Identity);
}

TEST_F(SimPortTest, ReadErrorLatchesTheClosedPort) {
    ASSERT_TRUE(port.open().ok());
    port.output(idRead);
    port.simulateReadError();
    EXPECT_EQ(port.inBufferCount(), 0);
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(port.input().isEmpty());
    port.output(idRead);
    EXPECT_EQ(port.droppedOutputs, 1);
    // Opening again works and starts clean.
    ASSERT_TRUE(port.open().ok());
    EXPECT_EQ(port.inBufferCount(), 0);
    port.output(idRead);
    EXPECT_EQ(collect(port), qm2Identity);
}
