#include "sim/simindicator.h"

#include <gtest/gtest.h>

namespace {

QByteArray hexOf(const QByteArray& bytes) {
    return bytes.toHex().toUpper();
}

// Identification answer of the QM2 image, worked out by hand: byte count 0A, the ten characters,
// and the checksum of everything after "@".
const QByteArray qm2Identity = "@030A514D322076312E323320A9\r";

// The frame the indicator took last; a test expecting one fails, rather than crashes, when none came.
SimIndicator::Frame lastFrame(const SimIndicator& sim) {
    if (sim.frames.isEmpty()) {
        ADD_FAILURE() << "the indicator took no frame";
        return {};
    }
    return sim.frames.last();
}

} // namespace

TEST(SimIndicator, AnswersTheIdentificationReadAndTheHostModeWrite) {
    SimIndicator sim;
    EXPECT_EQ(sim.feed("@0300C7000531\r"), qm2Identity);
    ASSERT_EQ(sim.frames.size(), 1);
    EXPECT_TRUE(sim.frames.value(0).valid);
    EXPECT_FALSE(sim.frames.value(0).write);
    EXPECT_EQ(sim.frames.value(0).firstRegister, 199);
    EXPECT_EQ(sim.frames.value(0).registerCount, 5);

    EXPECT_EQ(sim.feed("@1000130001020013C7\r"), QByteArray("@100001EF\r"));
    EXPECT_TRUE(sim.hostMode);
    EXPECT_EQ(sim.commands, QList<int>({19}));
    EXPECT_EQ(sim.reg(19), 19);
    EXPECT_EQ(sim.frames.value(1).data, QByteArray::fromHex("0013"));

    // The checksum of a body whose bytes add up to a multiple of 256 is 00.
    EXPECT_EQ(SimIndicator::lrc("FF01"), QByteArray("00"));
    EXPECT_EQ(SimIndicator::lrc("1000130001020014"), QByteArray("C6"));
}

TEST(SimIndicator, FrameArrivingInPiecesIsAnsweredOnceComplete) {
    SimIndicator sim;
    EXPECT_TRUE(sim.feed("@0300C7").isEmpty());
    EXPECT_TRUE(sim.frames.isEmpty());
    EXPECT_EQ(sim.feed("000531\r"), qm2Identity);
    // Two frames in one go are answered in order; line noise before "@" is passed over.
    EXPECT_EQ(sim.feed("\n@0300C7000531\r@1000130001020014C6\r"), qm2Identity + "@100001EF\r");
    EXPECT_FALSE(sim.hostMode);
    EXPECT_EQ(sim.commands, QList<int>({20}));
}

TEST(SimIndicator, AddressAndChecksumMode) {
    SimIndicator sim(SimIndicator::Model::QM1);
    sim.address = QStringLiteral("12");
    EXPECT_EQ(sim.feed("@0C0300C7000525\r"), QByteArray("@0C030A514D312076312E3037209C\r"));
    // A frame for another indicator, and one without any address, go unanswered.
    EXPECT_TRUE(sim.feed("@0D0300C7000524\r").isEmpty());
    EXPECT_TRUE(sim.feed("@0300C7000531\r").isEmpty());
    EXPECT_FALSE(lastFrame(sim).valid);
    EXPECT_EQ(sim.feed("@0C1000130001020013BB\r"), QByteArray("@0C100001E3\r"));
    EXPECT_TRUE(sim.hostMode);

    // "00" means no address field at all.
    sim.address = QStringLiteral("00");
    sim.checksumOn = false;
    EXPECT_EQ(sim.feed("@1000130001020014\r"), QByteArray("@100001\r"));
    EXPECT_FALSE(sim.hostMode);
    EXPECT_EQ(sim.feed("@0300C70005\r"), QByteArray("@030A514D312076312E303720\r"));
    // A checksum the indicator does not expect makes the frame unreadable.
    EXPECT_TRUE(sim.feed("@0300C7000531\r").isEmpty());
}

TEST(SimIndicator, CorruptedOrRefusedFrames) {
    SimIndicator sim;
    // Wrong checksum: ignored, nothing carried out.
    EXPECT_TRUE(sim.feed("@1000130001020013C8\r").isEmpty());
    EXPECT_FALSE(lastFrame(sim).valid);
    EXPECT_FALSE(sim.hostMode);
    EXPECT_TRUE(sim.commands.isEmpty());
    // Not hexadecimal, no start character: ignored.
    EXPECT_TRUE(sim.feed("@03ZZC7000531\r").isEmpty());
    EXPECT_TRUE(sim.feed("0300C7000531\r").isEmpty());

    // Unknown function, registers beyond the image, a refused register: error answers.
    const QByteArray unknown = "0400C70005";
    EXPECT_EQ(sim.feed("@" + unknown + SimIndicator::lrc(unknown) + "\r"), QByteArray("@84017B\r"));
    const QByteArray far = "0300D70005"; // 215..219 runs past the ordinary registers
    EXPECT_EQ(sim.feed("@" + far + SimIndicator::lrc(far) + "\r"), QByteArray("@83027B\r"));
    const QByteArray farWrite = "1004D8000102FFFF"; // 1240 lies beyond the text area
    EXPECT_EQ(sim.feed("@" + farWrite + SimIndicator::lrc(farWrite) + "\r"),
              "@8002" + SimIndicator::lrc("8002") + "\r");
    sim.faults.refuseRegisters = {199};
    EXPECT_EQ(sim.feed("@0300C7000531\r"), QByteArray("@830479\r"));
    EXPECT_TRUE(lastFrame(sim).valid);

    // Declined with "9", per register, and not carried out: a calibration step that cannot be done.
    sim.resetFaults();
    sim.faults.refuseWith9Registers = {22, 23};
    const QByteArray step = "1000160001020003";
    EXPECT_EQ(sim.feed("@" + step + SimIndicator::lrc(step) + "\r"), "@9004" + SimIndicator::lrc("9004") + "\r");
    EXPECT_EQ(sim.reg(22), 0);
    const QByteArray status = "0300170001";
    EXPECT_EQ(sim.feed("@" + status + SimIndicator::lrc(status) + "\r"), "@9304" + SimIndicator::lrc("9304") + "\r");
    sim.address = QStringLiteral("5");
    const QByteArray addressed = "05" + step;
    EXPECT_EQ(sim.feed("@" + addressed + SimIndicator::lrc(addressed) + "\r"),
              "@059004" + SimIndicator::lrc("059004") + "\r");
    sim.address.clear();
    EXPECT_EQ(sim.feed("@0300C7000531\r"), qm2Identity) << "other registers are served";

    // A line that sends without ever ending a frame does not grow the frame buffer.
    EXPECT_TRUE(sim.feed(QByteArray(1 << 20, 'x')).isEmpty());
    EXPECT_LE(sim.unfinishedFrameBytes(), SimIndicator::MaxUnfinishedFrameBytes);
    EXPECT_EQ(sim.feed("@0300C7000531\r"), qm2Identity) << "a frame after the noise is answered";
}

TEST(SimIndicator, RegisterImageLayout) {
    SimIndicator sim;
    // Byte k of a block lies in register base + k / 2, even k the high byte.
    sim.setBytes(190, QByteArray::fromHex("12345678"));
    EXPECT_EQ(sim.reg(190), 0x1234);
    EXPECT_EQ(sim.reg(191), 0x5678);
    EXPECT_EQ(sim.bytes(190, 3), QByteArray::fromHex("123456"));
    sim.setText(204, "AB", 4);
    EXPECT_EQ(sim.bytes(204, 4), QByteArray("AB  "));

    // A write through the line lands in the same place, and a read gives it back.
    const QByteArray w = "1000BE000204CAFEBABE";
    EXPECT_EQ(sim.feed("@" + w + SimIndicator::lrc(w) + "\r"), "@100002" + SimIndicator::lrc("100002") + "\r");
    EXPECT_EQ(sim.reg(190), 0xCAFE);
    EXPECT_EQ(sim.reg(191), 0xBABE);
    const QByteArray r = "0300BE0002";
    EXPECT_EQ(sim.feed("@" + r + SimIndicator::lrc(r) + "\r"),
              "@0304CAFEBABE" + SimIndicator::lrc("0304CAFEBABE") + "\r");

    // The label-printer text area is addressed per byte: pieces at 217 and 221 are contiguous.
    for (const QByteArray& body : {QByteArray("1000D900020441424344"), QByteArray("1000DD00020445460000")})
        EXPECT_EQ(sim.feed("@" + body + SimIndicator::lrc(body) + "\r").left(7), QByteArray("@100002"));
    const QByteArray t = "0300D90004";
    EXPECT_EQ(sim.feed("@" + t + SimIndicator::lrc(t) + "\r"),
              "@0308" + hexOf(QByteArray("ABCDEF\0\0", 8)) +
                  SimIndicator::lrc("0308" + hexOf(QByteArray("ABCDEF\0\0", 8))) + "\r");
}

TEST(SimIndicator, WriteDataShorterOrLongerThanAnnounced) {
    SimIndicator sim;
    sim.setBytes(40, QByteArray(4, 'x'));
    const quint16 next = sim.reg(42);
    // Four bytes announced, two sent: the missing two arrive as zero.
    const QByteArray shortWrite = "100028000204AABB";
    EXPECT_EQ(sim.feed("@" + shortWrite + SimIndicator::lrc(shortWrite) + "\r").left(7), QByteArray("@100002"));
    EXPECT_EQ(sim.bytes(40, 4), QByteArray::fromHex("AABB0000"));
    EXPECT_EQ(lastFrame(sim).data, QByteArray::fromHex("AABB"));
    // A byte count that contradicts the register count is refused.
    const QByteArray bad = "100028000103AABBCC";
    EXPECT_EQ(sim.feed("@" + bad + SimIndicator::lrc(bad) + "\r"), "@8003" + SimIndicator::lrc("8003") + "\r");
    // Surplus data is dropped.
    const QByteArray longWrite = "100028000204AABBCCDDEEFF";
    EXPECT_EQ(sim.feed("@" + longWrite + SimIndicator::lrc(longWrite) + "\r").left(7), QByteArray("@100002"));
    EXPECT_EQ(sim.bytes(40, 4), QByteArray::fromHex("AABBCCDD"));
    EXPECT_EQ(sim.reg(42), next);
}

TEST(SimIndicator, RecordWindowsSelectLoadAndStore) {
    SimIndicator sim;
    auto send = [&sim](const QByteArray& body) { return sim.feed("@" + body + SimIndicator::lrc(body) + "\r"); };
    // Select ID 128, load it, read the window.
    EXPECT_EQ(send("1000690001028000"), QByteArray("@100001EF\r"));
    send("100013000102000A");
    const QByteArray answer = send("030069000C");
    EXPECT_EQ(answer.mid(3, 2), QByteArray("18"));
    EXPECT_EQ(QByteArray::fromHex(answer.mid(5, 48)), QByteArray("\x80\x00\x00\x01\x2C"
                                                                 "KAMYON 34 ABC 12\0\0\0",
                                                                 24));
    // Write a new record for ID 129 and store it; an ID never written loads blank.
    send("100069000C18" + hexOf(QByteArray("\x81\x00\x00\x00\x07", 5) + "NEW             " + QByteArray(3, '\0')));
    send("100013000102000B");
    EXPECT_EQ(sim.idRecord(129).mid(5, 3), QByteArray("NEW"));
    send("1000690001028200");
    send("100013000102000A");
    EXPECT_EQ(sim.bytes(105, 24), QByteArray("\x82", 1) + QByteArray(23, '\0'));
    EXPECT_EQ(sim.commands, QList<int>({10, 11, 10}));

    // Titles and setpoints work the same way.
    send("1000D100010201"
         "00");
    send("100013000102000F");
    EXPECT_EQ(sim.bytes(209, 8).mid(1), QByteArray("MUSTERI"));
    send("1000750001020000");
    send("1000130001020001");
    EXPECT_EQ(sim.bytes(117, 5).mid(1), QByteArray::fromHex("000003E8"));
}

TEST(SimIndicator, ModelsDifferWhereTheProgramLooks) {
    SimIndicator qm1(SimIndicator::Model::QM1), qm2(SimIndicator::Model::QM2);
    EXPECT_EQ(qm1.bytes(199, 3), QByteArray("QM1"));
    EXPECT_EQ(qm2.bytes(199, 3), QByteArray("QM2"));
    // Analog-output card (bit 4 of the low byte) only on the QM2; calibration enabled on both.
    EXPECT_TRUE(qm2.reg(25) & 0x0010);
    EXPECT_FALSE(qm1.reg(25) & 0x0010);
    EXPECT_TRUE(qm1.reg(25) & 0x0800);
    // Fixed configuration bytes read back as the indicator reports them.
    EXPECT_EQ(qm2.bytes(149 + 41 / 2, 2).at(1), 1);
    EXPECT_EQ(qm2.bytes(149 + 61 / 2, 2).at(1), 5);
    // The clock holds its digits as hex digits: 12:15:30 on 24-05-19.
    EXPECT_EQ(hexOf(qm2.bytes(124, 8)), QByteArray("3015120224051900"));
    // The header lines end in NUL; the 22-byte piece at 50 starts with line 1's NUL.
    EXPECT_EQ(qm2.bytes(50, 22).at(0), '\0');
    EXPECT_EQ(qm2.bytes(50, 22).at(21), '\0');
}

TEST(SimIndicator, AnswerFaults) {
    const QByteArray idRead = "@0300C7000531\r";
    const QByteArray hostOn = "@1000130001020013C7\r";
    {
        SimIndicator sim;
        sim.faults.silent = true;
        EXPECT_TRUE(sim.feed(hostOn).isEmpty());
        EXPECT_FALSE(sim.hostMode);
        EXPECT_EQ(sim.frames.size(), 1);
    }
    {
        SimIndicator sim;
        sim.faults.lateAnswer = true;
        EXPECT_EQ(sim.feed(idRead), qm2Identity);
        EXPECT_TRUE(sim.lastAnswerLate());
        sim.faults.lateAnswer = false;
        EXPECT_EQ(sim.feed(idRead), qm2Identity);
        EXPECT_FALSE(sim.lastAnswerLate());
    }
    {
        SimIndicator sim;
        sim.faults.splitAnswer = true;
        const QList<QByteArray> pieces = sim.feedPieces(idRead);
        ASSERT_EQ(pieces.size(), 2);
        EXPECT_EQ(pieces[0] + pieces[1], qm2Identity);
        EXPECT_FALSE(pieces[0].isEmpty());
    }
    {
        SimIndicator sim;
        sim.faults.wrongLrc = true;
        EXPECT_EQ(sim.feed(idRead), QByteArray("@030A514D322076312E323320AA\r"));
        sim.checksumOn = false;
        EXPECT_EQ(sim.feed("@0300C70005\r"), QByteArray("@030A514D322076312E323320\r"));
    }
    {
        SimIndicator sim;
        sim.faults.wrongAck = true;
        EXPECT_EQ(sim.feed(hostOn), "@10"
                                    "0013"
                                    "0001" +
                                        SimIndicator::lrc("1000130001") + "\r");
        EXPECT_TRUE(sim.hostMode); // carried out all the same
    }
    {
        SimIndicator sim;
        sim.faults.noAckForFirst = 2;
        EXPECT_TRUE(sim.feed(hostOn).isEmpty());
        EXPECT_EQ(sim.feed(idRead), qm2Identity); // reads are not affected
        EXPECT_TRUE(sim.feed(hostOn).isEmpty());
        EXPECT_TRUE(sim.commands.isEmpty());
        EXPECT_EQ(sim.feed(hostOn), QByteArray("@100001EF\r"));
        EXPECT_EQ(sim.commands, QList<int>({19}));
    }
    {
        SimIndicator sim;
        sim.faults.echoRequest = true;
        EXPECT_EQ(sim.feed(hostOn), hostOn);
        EXPECT_FALSE(sim.hostMode);
    }
    {
        SimIndicator sim;
        sim.faults.nulAndLfInText = true;
        EXPECT_EQ(sim.feed(idRead), QByteArray("@030C510A4D322076312E323320009D\r"));
        // Number registers are left alone.
        const QByteArray weight = "0300000002";
        EXPECT_EQ(sim.feed("@" + weight + SimIndicator::lrc(weight) + "\r").mid(3, 10), QByteArray("04000004E2"));
        // The longest read: the byte count still counts the bytes that follow, without wrapping.
        const QByteArray longest = "0300D9007F";
        const QByteArray answer = sim.feed("@" + longest + SimIndicator::lrc(longest) + "\r");
        EXPECT_EQ(answer.mid(3, 2), QByteArray("FF"));
        EXPECT_EQ(answer.size(), 5 + 2 * 255 + 3);
    }
    {
        // Two frames in one feed: their answers follow each other in one piece; only a split
        // answer starts a new piece.
        SimIndicator sim;
        EXPECT_EQ(sim.feedPieces(idRead + hostOn), QList<QByteArray>({qm2Identity + "@100001EF\r"}));
        sim.faults.splitAnswer = true;
        EXPECT_EQ(sim.feedPieces(idRead + hostOn).size(), 3);
    }
}
