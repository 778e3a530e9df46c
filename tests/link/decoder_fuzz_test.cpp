#include "link/decoder.h"
#include "link/frames.h"
#include "session/session.h"

#include <gtest/gtest.h>

#include <random>

// Whatever arrives on the line, the decoder returns: random bytes, truncated answers and answers
// with their fields cut short never crash it or throw.
TEST(DecoderFuzz, RandomAndTruncatedAnswers) {
    std::mt19937 rng(20240519);
    const QStringList kinds = {"LG", "Tx", "Tx1", "ID", "IDB", "STP", "Tarih", "Hex", "x", ""};
    const QStringList addresses = {"", "00", "5", "99"};
    const QString alphabet = QStringLiteral("@0123456789ABCDEFabcdef\r\n,.-FFF8") + QChar(0) + QChar(0x00B0) + u'ş';
    Session session;
    int logged = 0;
    const LogSink sink = [&](const QString&) { ++logged; };

    auto randomText = [&](int maxLength) {
        QString t;
        const int n = std::uniform_int_distribution<int>(0, maxLength)(rng);
        for (int i = 0; i < n; ++i)
            t += alphabet[std::uniform_int_distribution<int>(0, int(alphabet.size()) - 1)(rng)];
        return t;
    };

    int decoded = 0;
    for (int round = 0; round < 4000; ++round) {
        const QString address = addresses[round % addresses.size()];
        const bool checksumOn = (round / 4) % 2 == 0;
        session.ReadSelector = round % 7;
        // A well-formed answer with random data, then every prefix of it, then random noise.
        QString data;
        const int bytes = std::uniform_int_distribution<int>(0, 24)(rng);
        for (int i = 0; i < bytes; ++i)
            data += QString("%1").arg(std::uniform_int_distribution<int>(0, 255)(rng), 2, 16, QChar('0')).toUpper();
        const QString body = addressField(address) + "03" + QString("%1").arg(bytes, 2, 16, QChar('0')) + data;
        const QString good = "@" + body + (checksumOn ? Lrc(body) : QString()) + "\r";
        QStringList answers;
        for (int cut = 0; cut <= good.size(); cut += 1 + round % 3)
            answers << good.left(cut);
        answers << "@" + randomText(40) << randomText(40);
        for (const QString& answer : answers) {
            for (const QString& kind : kinds) {
                EXPECT_NO_THROW({
                    const AnswerValue v = DecodeAnswer(answer, kind, address, checksumOn, session, sink);
                    if (!v.isEmpty())
                        ++decoded;
                    (void)v.toText();
                    (void)v.toNumber();
                });
            }
            EXPECT_NO_THROW((void)HexToNumber(answer));
            EXPECT_NO_THROW((void)isErrorAnswer(answer, address));
        }
        EXPECT_NO_THROW((void)HexToNumber(randomText(300)));
    }
    EXPECT_GT(decoded, 0);
    EXPECT_GT(logged, 0);
}
