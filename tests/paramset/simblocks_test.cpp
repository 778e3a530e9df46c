#include "app/languagefile.h"
#include "link/commandcodes.h"
#include "link/decoder.h"
#include "link/frames.h"
#include "pages/gridlayout.h"
#include "paramset/blocks.h"
#include "session/session.h"
#include "sim/simindicator.h"

#include <gtest/gtest.h>

namespace {

// The program's side of the line, talking to the simulated indicator directly.
struct Line {
    SimIndicator& sim;
    QString address;
    bool checksumOn;

    QString read(int reg, int bytes) {
        return QString::fromLatin1(sim.feed(BuildReadFrame(address, reg, bytes, checksumOn).toLatin1()));
    }
    void write(int reg, int bytes, const QString& hex) {
        sim.feed(BuildWriteFrame(address, reg, bytes, checksumOn, QStringLiteral("By"), hex).toLatin1());
    }
    void command(int code) {
        sim.feed(BuildWriteFrame(address, CommandRegister, 2, checksumOn, QStringLiteral("Lg"), code).toLatin1());
    }
    // Reads both blocks into the page as the parameter read does; false when an answer failed.
    bool readBlocks(GridPage& page, Session& s) {
        command(CmdLoadCalibration);
        if (!CalibrasyonYerleştir(read(128, 40), address, checksumOn, page, s))
            return false;
        command(CmdLoadConfiguration);
        QString first = read(149, 50), second = read(174, 50);
        return ConfigurationYerleştir(first, address, checksumOn) &&
               ConfigurationYerleştir(second, address, checksumOn) && ConfigurationYerleş(first + second, page, s);
    }
    void writeAll(const QList<BlockWrites>& groups) {
        const int store[] = {CmdStoreCalibration, CmdStoreConfigJmp, CmdStoreConfigNrm};
        for (int g = 0; g < groups.size(); ++g) {
            for (const RegisterWrite& w : groups[g].writes)
                write(w.firstRegister, w.byteCount, w.data);
            command(store[g]);
        }
    }
};

QList<BlockWrites> encodeAll(const GridPage& page, const Session& s) {
    return {calibrationWrites(page, s.param), configJmpWrites(page), configNrmWrites(page, s.param)};
}

} // namespace

// The simulator's blocks decode into the page of either model, the page encodes to the very bytes
// the simulator holds, and what is changed on the page comes back from the simulator unchanged.
TEST(SimulatorBlocks, PageToBlockToPageForBothModels) {
    for (auto model : {SimIndicator::Model::QM1, SimIndicator::Model::QM2}) {
        for (const QString& address : {QString(), QStringLiteral("07")}) {
            SimIndicator sim(model);
            sim.address = address;
            sim.checksumOn = address.isEmpty();
            Line line{sim, address, sim.checksumOn};
            Session s;
            s.ModelName = model == SimIndicator::Model::QM2 ? QStringLiteral("QM2") : QStringLiteral("QM1");
            applyToMessageTables(readLanguageFile(QStringLiteral(VELMORA_SOURCE_DIR "/LANGUAGE/Türkçe.txt")),
                                 s.messages);
            GridPage page;
            GridDüzen(GridParameters, page, s);
            ASSERT_TRUE(line.readBlocks(page, s));
            EXPECT_EQ(page.TextMatrix(51, 1), s.messages.CfgText[50]);
            EXPECT_EQ(page.TextMatrix(75, 1), QStringLiteral("9,80665"));

            // Every written byte is what the simulator holds.
            const QList<BlockWrites> groups = encodeAll(page, s);
            for (const BlockWrites& g : groups) {
                EXPECT_TRUE(g.rowsOutOfByteRange.isEmpty());
                EXPECT_FALSE(g.row21Text);
                for (const RegisterWrite& w : g.writes)
                    EXPECT_EQ(w.data, QString::fromLatin1(sim.bytes(w.firstRegister, w.byteCount).toHex().toUpper()))
                        << w.firstRegister;
            }

            // Changed values travel to the simulator and back.
            page.setTextMatrix(13, 1, QStringLiteral("5 "));
            page.setTextMatrix(21, 1, QStringLiteral("9,1"));
            page.setTextMatrix(46, 1, QStringLiteral("2- 7 bit,EVEN parity"));
            page.setTextMatrix(64, 1, QStringLiteral("4"));
            s.param.ValueArray[0] = -2500;
            s.param.Word78 = 65535;
            s.param.CalRaw2 = -123456;
            s.param.CalGravity1 = 9;
            line.writeAll(encodeAll(page, s));
            GridPage reread;
            GridDüzen(GridParameters, reread, s);
            Session again = s;
            again.param = ParameterValues();
            ASSERT_TRUE(line.readBlocks(reread, again));
            // Rows shown from a changed value, and a choice shown in the decoder's words, aside.
            for (int row = 3; row <= 79; ++row) {
                if (row != 18 && row != 46 && row != 70 && row != 75 && row != 78) {
                    EXPECT_EQ(reread.TextMatrix(row, 1), page.TextMatrix(row, 1)) << row;
                }
            }
            EXPECT_EQ(reread.TextMatrix(18, 1), QStringLiteral("-2500"));
            EXPECT_EQ(reread.TextMatrix(46, 1), QStringLiteral("2-EVEN"));
            EXPECT_EQ(reread.TextMatrix(70, 1), ikile(-123456));
            EXPECT_EQ(reread.TextMatrix(78, 1), QStringLiteral("65535"));
            EXPECT_EQ(again.param.ValueArray[0], -2500);
            EXPECT_EQ(again.param.Word78, -1);
            EXPECT_EQ(again.param.CalRaw2, -123456);
            EXPECT_EQ(again.param.CalGravity1, 9);
            EXPECT_EQ(reread.TextMatrix(75, 1), QStringLiteral("9"));
        }
    }
}

// The clock register's text comes back as the payload it was made from (the weekday byte aside).
TEST(SimulatorBlocks, ClockReadAndPayload) {
    SimIndicator sim;
    Line line{sim, QString(), true};
    Session s;
    applyToMessageTables(readLanguageFile(QStringLiteral(VELMORA_SOURCE_DIR "/LANGUAGE/English.txt")), s.messages);
    const QString answer = line.read(kClockRegister, kClockBytes);
    ASSERT_TRUE(blockAnswerData(answer, QString(), true, kClockBytes));
    const QString row1 = DecodeAnswer(answer, QStringLiteral("Tarih"), QString(), true, s).toText();
    EXPECT_EQ(row1, QStringLiteral("24-05-19 \\ 12:15:30"));
    EXPECT_EQ(s.DayNameSuffix, QStringLiteral(" \\ Wednesday"));
    const auto payload = ClockPayload(row1 + s.DayNameSuffix);
    ASSERT_TRUE(payload);
    EXPECT_EQ(*payload, QStringLiteral("3015120024051900"));
    line.write(kClockRegister, kClockBytes, *payload);
    EXPECT_EQ(sim.bytes(kClockRegister, kClockBytes).toHex().toUpper(), QByteArray("3015120024051900"));
}
