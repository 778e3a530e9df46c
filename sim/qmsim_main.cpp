// qm-sim: a simulated QM1/QM2 indicator on a pseudo-terminal. The first line on stdout is the
// device to open (/dev/pts/N); then it answers requests until SIGINT or SIGTERM.

#include "sim/simindicator.h"

#include <QByteArray>

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

void usage() {
    std::fprintf(stderr, "usage: qm-sim [--model QM1|QM2] [--address NN] [--no-checksum] [--verbose]\n"
                         "              [--silent] [--late] [--split] [--wrong-lrc] [--wrong-ack] [--echo]\n"
                         "              [--nul-lf] [--no-ack N] [--refuse REGISTER]... [--refuse-9 REGISTER]...\n");
}

double monotonicNow() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

QByteArray printable(const QByteArray& bytes) {
    QByteArray out = bytes;
    out.replace('\r', "<CR>");
    out.replace('\n', "<LF>");
    return out;
}

// Writes without ever blocking: when nobody reads the other end, answers are dropped rather
// than stalling the simulator.
void writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else if (n < 0 && errno == EINTR)
            continue;
        else
            return;
    }
}

} // namespace

int main(int argc, char** argv) {
    SimIndicator::Model model = SimIndicator::Model::QM2;
    QString address;
    bool checksum = true;
    bool verbose = false;
    SimIndicator::Faults faults;

    for (int i = 1; i < argc; ++i) {
        const QByteArray a = argv[i];
        auto next = [&]() -> QByteArray {
            if (i + 1 >= argc) {
                usage();
                std::exit(2);
            }
            return QByteArray(argv[++i]);
        };
        auto number = [&]() {
            bool ok = false;
            const int v = next().toInt(&ok);
            if (!ok) {
                usage();
                std::exit(2);
            }
            return v;
        };
        if (a == "--model") {
            const QByteArray m = next().toUpper();
            if (m == "QM1")
                model = SimIndicator::Model::QM1;
            else if (m == "QM2")
                model = SimIndicator::Model::QM2;
            else {
                usage();
                return 2;
            }
        } else if (a == "--address")
            address = QString::fromLatin1(next());
        else if (a == "--no-checksum")
            checksum = false;
        else if (a == "--verbose")
            verbose = true;
        else if (a == "--silent")
            faults.silent = true;
        else if (a == "--late")
            faults.lateAnswer = true;
        else if (a == "--split")
            faults.splitAnswer = true;
        else if (a == "--wrong-lrc")
            faults.wrongLrc = true;
        else if (a == "--wrong-ack")
            faults.wrongAck = true;
        else if (a == "--echo")
            faults.echoRequest = true;
        else if (a == "--nul-lf")
            faults.nulAndLfInText = true;
        else if (a == "--no-ack")
            faults.noAckForFirst = number();
        else if (a == "--refuse")
            faults.refuseRegisters.append(number());
        else if (a == "--refuse-9")
            faults.refuseWith9Registers.append(number());
        else if (a == "--help" || a == "-h") {
            usage();
            return 0;
        } else {
            usage();
            return 2;
        }
    }

    SimIndicator sim(model);
    sim.address = address;
    sim.checksumOn = checksum;
    sim.faults = faults;

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("qm-sim: pseudo-terminal");
        return 1;
    }
    const char* slaveName = ptsname(master);
    if (!slaveName) {
        std::perror("qm-sim: ptsname");
        return 1;
    }
    const QByteArray slavePath(slaveName);
    // Holding the slave open ourselves keeps the master from reporting a hang-up (and poll()
    // from spinning) while no client has the port open.
    const int slave = ::open(slavePath.constData(), O_RDWR | O_NOCTTY);
    if (slave < 0) {
        std::perror("qm-sim: open slave");
        return 1;
    }
    termios tio{};
    if (tcgetattr(slave, &tio) == 0) {
        cfmakeraw(&tio);
        cfsetispeed(&tio, B9600);
        cfsetospeed(&tio, B9600);
        tcsetattr(slave, TCSANOW, &tio);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);

    if (::pipe(g_signalPipe) != 0) {
        std::perror("qm-sim: pipe");
        return 1;
    }
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);

    std::printf("%s\n", slavePath.constData());
    std::fflush(stdout);
    if (verbose)
        std::fprintf(stderr, "qm-sim: %s indicator, address \"%s\", checksum %s\n",
                     model == SimIndicator::Model::QM2 ? "QM2" : "QM1", qPrintable(address), checksum ? "on" : "off");

    // The rest of a split answer follows after a pause long enough to miss the reader's wait.
    constexpr double splitPause = 0.3;
    // A late answer comes after the reader's wait (0.2 s and the reading time at most) and
    // before a technician's next click.
    constexpr double latePause = 0.5;
    QList<QPair<double, QByteArray>> later;

    for (;;) {
        int timeoutMs = -1;
        if (!later.isEmpty())
            timeoutMs = qMax(0, int((later.first().first - monotonicNow()) * 1000.0) + 1);
        pollfd fds[2] = {{master, POLLIN, 0}, {g_signalPipe[0], POLLIN, 0}};
        const int r = ::poll(fds, 2, timeoutMs);
        if (r < 0 && errno != EINTR) {
            std::perror("qm-sim: poll");
            break;
        }
        if (fds[1].revents & POLLIN)
            break;
        while (!later.isEmpty() && later.first().first <= monotonicNow())
            writeAll(master, later.takeFirst().second);
        if (r > 0 && (fds[0].revents & POLLIN)) {
            char buf[512];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0) {
                const qsizetype before = sim.frames.size();
                const QList<QByteArray> pieces = sim.feedPieces(QByteArray(buf, int(n)));
                const double lateBy = sim.lastAnswerLate() ? latePause : 0.0;
                for (int i = 0; i < pieces.size(); ++i) {
                    if (i == 0 && lateBy == 0)
                        writeAll(master, pieces[i]);
                    else
                        later.append({monotonicNow() + lateBy + splitPause * i, pieces[i]});
                }
                std::stable_sort(later.begin(), later.end(),
                                 [](const auto& a, const auto& b) { return a.first < b.first; });
                if (verbose)
                    for (qsizetype k = before; k < sim.frames.size(); ++k)
                        std::fprintf(stderr, "qm-sim: %s -> %s\n", printable(sim.frames[k].raw).constData(),
                                     printable(sim.frames[k].answer).constData());
                // The log would only grow; nobody reads it here.
                sim.frames.clear();
                sim.commands.clear();
            }
        } else if (r > 0 && (fds[0].revents & (POLLHUP | POLLERR))) {
            // Cannot happen while we hold the slave; guard against spinning if it does.
            ::usleep(100000);
        }
    }

    ::close(slave);
    ::close(master);
    return 0;
}
