// A long run as an engineer leaves the tool overnight: a random repetition at the
// shortest delay, the simulator's peer sending RF data as well, the message log file on.
// Every minute: frames sent and received by each side, lines logged, frames lost, and
// the tool's resident memory and CPU. Nothing may be lost and memory must stay flat.
// Usage: bench_soak [minutes]
#include "traffic/BenchWindow.h"

#include "link/LinkSession.h"
#include "support/Waiting.h"
#include "ui/widgets/UserPrompts.h"
#include "support/SimulatorProcess.h"
#include "traffic/TrafficCounters.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>

#include <cstdio>

namespace {

// What the simulator's trace says crossed the line.
struct TracedFrames {
    qint64 rfDataFromHost = 0;  // Send RF Data Message (type 01) the module took
    qint64 rfDataToHost = 0;    // Received RF Data Message (type 94) the module sent
};

TracedFrames CountTracedFrames(const SimulatorProcess& sim)
{
    TracedFrames traced;
    for (const QString& line : sim.traceLines()) {
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() < 6 || fields.last() == QLatin1String("ignored"))
            continue;
        if (fields[1] == QLatin1String("H>M") && fields[5] == QLatin1String("01"))
            ++traced.rfDataFromHost;
        else if (fields[1] == QLatin1String("M>H") && fields[5] == QLatin1String("94"))
            ++traced.rfDataToHost;
    }
    return traced;
}

// Lines of the message log file that record an RF data frame, in either direction.
qint64 LoggedRfDataLines(const QString& logFile)
{
    QFile file(logFile);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    qint64 count = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (line.startsWith("PID="))
            ++count;
    }
    return count;
}

struct Minute {
    int minute = 0;
    qint64 hostSent = 0;
    qint64 moduleTook = 0;
    qint64 moduleSent = 0;
    qint64 hostReceived = 0;
    qint64 logged = 0;
    double rssMb = 0;
    double cpuPercent = 0;
};

void PrintHeader()
{
    std::printf("%6s %10s %10s %10s %10s %10s %8s %8s %8s\n", "minute", "host sent",
                "module got", "module sent", "host got", "logged", "lost", "RSS MB", "CPU %");
}

void Print(const Minute& m)
{
    // Lost: frames one side sent that the other never took, and frames either side
    // handled that the log file lacks; the last few of a minute may still be on their
    // way and are found the next minute.
    const qint64 lost = (m.hostSent - m.moduleTook) + (m.moduleSent - m.hostReceived)
                        + (m.hostSent + m.hostReceived - m.logged);
    std::printf("%6d %10lld %10lld %10lld %10lld %10lld %8lld %8.1f %8.1f\n", m.minute,
                static_cast<long long>(m.hostSent), static_cast<long long>(m.moduleTook),
                static_cast<long long>(m.moduleSent), static_cast<long long>(m.hostReceived),
                static_cast<long long>(m.logged), static_cast<long long>(lost), m.rssMb,
                m.cpuPercent);
    std::fflush(stdout);
}

Minute Measure(int minute, frmQVOrvalisETMain& window, const SimulatorProcess& sim,
               const QString& logFile, double cpuSeconds)
{
    const TracedFrames traced = CountTracedFrames(sim);
    Minute m;
    m.minute = minute;
    m.hostSent = window.counters().lPacketsSent;
    m.moduleTook = traced.rfDataFromHost;
    m.moduleSent = traced.rfDataToHost;
    m.hostReceived = window.counters().lPacketsReceived;
    m.logged = LoggedRfDataLines(logFile);
    m.rssMb = ProcessResidentMemory().nowMiB;
    m.cpuPercent = cpuSeconds / 60.0 * 100.0;
    return m;
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    PrepareBenchEnvironment(home);
    QApplication app(argc, argv);
    const int minutes = DurationSeconds(argc, argv, 10);
    const QString logFile = home.filePath(QStringLiteral("soak.olf"));

    SimulatorProcess sim(1);
    if (!sim.start({"--baud", "57600", "--peer-interval", "100", "--max-retries", "3",
                    "--nack", "0.05"})) {
        std::fprintf(stderr, "%s\n", qPrintable(sim.failure()));
        return 1;
    }
    auto window = WindowOpenedOnSimulator(sim, QStringLiteral("57600"));
    if (!window->link().port().isOpen()) {
        std::fprintf(stderr, "the simulator was not found\n");
        return 1;
    }
    window->show();
    SaveLogTo(*window, logFile);
    window->findChild<QPushButton*>(QStringLiteral("cmdSendRandomRepeatedMsg"))->click();

    std::printf("soak: random repetition every 100 ms, peer every 100 ms, 57600 baud, "
                "log file on, %d min\n",
                minutes);
    PrintHeader();
    for (int minute = 1; minute <= minutes; ++minute) {
        const double cpuBefore = ProcessCpuSeconds();
        PauseWhileProcessingEvents(60 * 1000);
        Print(Measure(minute, *window, sim, logFile, ProcessCpuSeconds() - cpuBefore));
    }
    window->findChild<QPushButton*>(QStringLiteral("cmdSendRandomRepeatedMsg"))->click();
    PauseWhileProcessingEvents(1000);  // what was on its way arrives
    std::printf("after the repetition stopped:\n");
    Print(Measure(minutes, *window, sim, logFile, 0));
    window->close();
    UserPrompts::SetAnswersForTesting({});
    return 0;
}
