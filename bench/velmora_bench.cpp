// velmora-bench: exchanges with the simulated indicator on a pseudo-terminal, through the real
// serial port and the real clock: identity reads, a full parameter read, a full parameter write and
// the ID-memory read. Prints for each how far it overruns the waits it is made of, and how much CPU
// it burns while waiting.
//
//   velmora-bench [--sim PATH-TO-qm-sim] [--reads N]
//
// Exit code 0 when the overhead stays under 5 % of the prescribed waits and the CPU time under 2 %
// of the wall time, 1 when not, 2 when the run could not be made.

#include "app/program.h"
#include "link/transaction.h"
#include "pages/gridlayout.h"
#include "paramset/devicerecords.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/qtserialport.h"
#include "platform/settingsstore.h"
#include "session/session.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

constexpr double kIdentityWait = 0.2;

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

constexpr double kMaxOverhead = 0.05;
constexpr double kMaxCpuShare = 0.02;

// The real clock, counting the seconds the program asks to wait: these must add up to the waits the
// exchanges prescribe, or the comparison below would measure the wrong thing.
class CountingClock : public SystemClock {
public:
    void waitSeconds(double seconds) override {
        asked += seconds;
        SystemClock::waitSeconds(seconds);
    }
    void waitSecondsBusy(double seconds) override {
        asked += seconds;
        SystemClock::waitSecondsBusy(seconds);
    }
    double asked = 0;
};

// Runs one measured piece of work; false when it failed or overran a limit.
template <typename Work> bool measure(const char* name, double prescribed, CountingClock& clock, Work work) {
    clock.asked = 0;
    QElapsedTimer wall;
    wall.start();
    const double cpuStart = processCpuSeconds();
    const bool done = work();
    const double cpu = processCpuSeconds() - cpuStart;
    const double wallSeconds = double(wall.nsecsElapsed()) / 1e9;
    const double overhead = (wallSeconds - prescribed) / prescribed;
    const double cpuShare = cpu / wallSeconds;
    std::printf("%s\n", name);
    std::printf("  wall time:        %.3f s\n", wallSeconds);
    std::printf("  prescribed waits: %.3f s (the program asked for %.3f s)\n", prescribed, clock.asked);
    std::printf("  overhead:         %.2f %% (limit %.0f %%)\n", overhead * 100, kMaxOverhead * 100);
    std::printf("  CPU time:         %.3f s = %.2f %% of wall time (limit %.0f %%)\n", cpu, cpuShare * 100,
                kMaxCpuShare * 100);
    bool ok = done && overhead < kMaxOverhead && cpuShare < kMaxCpuShare;
    if (!done)
        std::printf("  FAILED: the exchange did not complete\n");
    if (std::abs(clock.asked - prescribed) > 1e-6) {
        std::printf("  FAILED: the waits asked for are not the prescribed ones\n");
        ok = false;
    }
    return ok;
}

// The waits the exchanges are made of, r being the reading time that every collected answer waits.
// Parameter read: host mode on and off (0.2 s and an answer each), the clock load code and read
// (each r before collecting), the calibration load code (answer only) and read (r before
// collecting), the configuration load code (answer only), the two configuration halves and the two
// identification texts (0.2 s before collecting each).
double parameterReadWaits(double r) {
    return 6 * 0.2 + 14 * r;
}
// Parameter write of all four groups, every write acknowledged at once: clock (2 answers),
// calibration (host mode on and off by direct code, r and an answer each; 3 writes and the store
// code), configuration Jmp (host mode on and off likewise; 1 write and the store code),
// configuration Nrm (host mode on and off, 0.2 s and an answer each; 8 writes, one more answer after
// the port-B write, the store code, then r).
double parameterWriteWaits(double r) {
    return 2 * r + (4 * r + 4 * r) + (4 * r + 2 * r) + (2 * 0.2 + 2 * r + 8 * r + r + r + r);
}
// ID-memory read: host mode on and off by direct code (r and an answer each), two titles (selector,
// load code, read with r before collecting), and per memory a selector, a load code and a read
// collected 0.01 s after it.
double idReadWaits(double r, int memories) {
    return 4 * r + 2 * 4 * r + memories * (3 * r + 0.01);
}

} // namespace

int main(int argc, char** argv) {
    // The exchanges fill the window's pages: a window exists, but is never shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QString simPath = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../sim/qm-sim"));
    int reads = 100;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--sim") && i + 1 < args.size())
            simPath = args[++i];
        else if (args[i] == QLatin1String("--reads") && i + 1 < args.size())
            reads = qMax(1, args[++i].toInt());
        else {
            std::fprintf(stderr, "usage: velmora-bench [--sim PATH-TO-qm-sim] [--reads N]\n");
            return 2;
        }
    }

    QProcess sim;
    sim.setProgram(simPath);
    sim.setArguments({QStringLiteral("--model"), QStringLiteral("QM2")});
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start();
    if (!sim.waitForStarted(5000)) {
        std::fprintf(stderr, "velmora-bench: cannot start %s\n", qPrintable(simPath));
        return 2;
    }
    QByteArray firstLine;
    QElapsedTimer startup;
    startup.start();
    while (!firstLine.contains('\n') && startup.elapsed() < 5000) {
        sim.waitForReadyRead(100);
        firstLine += sim.readAllStandardOutput();
    }
    const QString device = QString::fromLocal8Bit(firstLine.left(firstLine.indexOf('\n')).trimmed());
    if (!device.startsWith(QLatin1String("/dev/"))) {
        std::fprintf(stderr, "velmora-bench: qm-sim gave no device\n");
        sim.kill();
        sim.waitForFinished(2000);
        return 2;
    }

    QTemporaryDir folder;
    QtSettingsStore store(folder.filePath(QStringLiteral("bench.ini")));
    store.setValue(QStringLiteral("Ports"), QStringLiteral("COM1"), device);

    QtSerialPort port(store);
    CountingClock clock;
    ScriptedDialogs dialogs;
    Program program(port, clock, dialogs, store, folder.path());
    Session& session = program.session;
    DeviceLink& link = program.link;
    session.ModelName = QStringLiteral("QM2");
    for (int n = 0; n < kGridCount; ++n)
        GridDüzen(n, *program.ctx.Grid1[n], session);

    int status = 2;
    if (link.PortAç() != 0) {
        std::fprintf(stderr, "velmora-bench: cannot open %s: %s\n", qPrintable(device),
                     dialogs.shown.isEmpty() ? "" : qPrintable(dialogs.shown.last().text));
    } else {
        session.Connected = true;
        const double r = session.ReadWaitTime;
        int good = 0;
        bool ok = measure("identity reads", reads * (kIdentityWait + r), clock, [&] {
            for (int i = 0; i < reads; ++i) {
                // The identification read: 0.2 s after the request, then the reading time.
                const QString answer = link.readExchange(kVersionTextRegister, kIdentTextBytes, kIdentityWait);
                if (!link.isErrorAnswer(answer) &&
                    link.DecodeAnswer(answer, QStringLiteral("Tx")).toText().startsWith("QM"))
                    ++good;
            }
            return good == reads;
        });
        std::printf("  %d reads, %d answered\n", reads, good);

        DeviceTransfers& transfers = program.transfers;
        ok &= measure("parameter read", parameterReadWaits(r), clock, [&] { return transfers.ParametreHostOku(); });
        for (int k : {5, 6, 7, 8})
            program.w().SSCheck2[k]->setChecked(true);
        ok &= measure("parameter write", parameterWriteWaits(r), clock, [&] { return transfers.ParametreHostYaz(); });
        const int memories = program.ctx.Grid1[GridIdMemories]->Rows() - 1;
        ok &= measure("ID-memory read", idReadWaits(r, memories), clock, [&] { return transfers.IDOKUHost(); });
        std::printf("  %d memories\n", memories);
        if (!dialogs.shown.isEmpty())
            std::printf("FAILED: a message was shown: %s\n", qPrintable(dialogs.shown.first().text));
        ok &= dialogs.shown.isEmpty();
        port.close();
        status = ok ? 0 : 1;
    }

    sim.terminate();
    if (!sim.waitForFinished(3000)) {
        sim.kill();
        sim.waitForFinished(2000);
    }
    return status;
}
