// velmora-bench: identity reads against the simulated indicator on a pseudo-terminal, through the
// real serial port and the real clock. Prints how far the exchanges overrun the waits they are
// made of, and how much CPU they burn while waiting.
//
//   velmora-bench [--sim PATH-TO-qm-sim] [--reads N]
//
// Exit code 0 when the overhead stays under 5 % of the prescribed waits and the CPU time under 2 %
// of the wall time, 1 when not, 2 when the run could not be made.

#include "app/session.h"
#include "link/transaction.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/qtserialport.h"
#include "platform/settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
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

    Session session;
    session.AppFolder = folder.path() + QLatin1Char('/');
    QtSerialPort port(store);
    SystemClock clock;
    ScriptedDialogs dialogs;
    DeviceLink link(session, port, clock, dialogs);

    int status = 2;
    if (link.PortAç() != 0) {
        std::fprintf(stderr, "velmora-bench: cannot open %s: %s\n", qPrintable(device),
                     dialogs.shown.isEmpty() ? "" : qPrintable(dialogs.shown.last().text));
    } else {
        int good = 0;
        QElapsedTimer wall;
        wall.start();
        const double cpuStart = processCpuSeconds();
        for (int i = 0; i < reads; ++i) {
            // The identification read: 0.2 s after the request, then the reading time.
            const QString answer = link.readExchange(199, 10, kIdentityWait);
            if (!link.isErrorAnswer(answer) &&
                link.DecodeAnswer(answer, QStringLiteral("Tx")).toText().startsWith("QM"))
                ++good;
        }
        const double cpu = processCpuSeconds() - cpuStart;
        const double wallSeconds = double(wall.nsecsElapsed()) / 1e9;
        port.close();

        const double prescribed = reads * (kIdentityWait + session.ReadWaitTime);
        const double overhead = (wallSeconds - prescribed) / prescribed;
        const double cpuShare = cpu / wallSeconds;
        std::printf("identity reads:   %d (%d answered)\n", reads, good);
        std::printf("wall time:        %.3f s\n", wallSeconds);
        std::printf("prescribed waits: %.3f s\n", prescribed);
        std::printf("overhead:         %.2f %% (limit %.0f %%)\n", overhead * 100, kMaxOverhead * 100);
        std::printf("CPU time:         %.3f s = %.2f %% of wall time (limit %.0f %%)\n", cpu, cpuShare * 100,
                    kMaxCpuShare * 100);
        status = (good == reads && overhead < kMaxOverhead && cpuShare < kMaxCpuShare) ? 0 : 1;
        if (good != reads)
            std::printf("FAILED: %d reads got no identity answer\n", reads - good);
    }

    sim.terminate();
    if (!sim.waitForFinished(3000)) {
        sim.kill();
        sim.waitForFinished(2000);
    }
    return status;
}
