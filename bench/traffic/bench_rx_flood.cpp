// A flood of Received RF Data Messages from the simulator's virtual peer (one every
// millisecond, at 57600 baud), once paced at the line rate and once as fast as the
// pseudo-terminal takes it, with the message log file on: frames the module sent
// against frames the host counted, and the CPU time the tool spent.
// Usage: bench_rx_flood [seconds per run]
#include "BenchWindow.h"

#include "link/SerialLink.h"
#include "platform/EventWait.h"
#include "platform/UserPrompts.h"
#include "support/SimulatorProcess.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

namespace {

struct FloodFigures {
    int framesSent = 0;
    qint32 framesReceived = 0;
    double cpuSeconds = 0;
    double wallSeconds = 0;
    qint64 logFileBytes = 0;
};

// Frames of type 148 (0x94) the simulator traced towards the host.
int ReceivedRfDataFramesTraced(const SimulatorProcess& sim)
{
    int count = 0;
    for (const QString& line : sim.traceLines()) {
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() > 5 && fields[1] == QLatin1String("M>H")
            && fields[5] == QLatin1String("94"))
            ++count;
    }
    return count;
}

bool RunFlood(bool paced, int seconds, const QString& logFile, FloodFigures& figures)
{
    SimulatorProcess sim(1);
    QStringList arguments{"--baud", "57600", "--peer-interval", "1"};
    if (paced)
        arguments << QStringLiteral("--pace");
    if (!sim.start(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(sim.failure()));
        return false;
    }
    auto window = WindowOpenedOnSimulator(sim, QStringLiteral("57600"));
    if (!window->link().port().isOpen()) {
        std::fprintf(stderr, "the simulator was not found\n");
        return false;
    }
    UserPrompts::TestAnswers answers;
    answers.onChooseFile = [&](const UserPrompts::FileDialogRequest&) { return logFile; };
    UserPrompts::SetAnswersForTesting(answers);
    window->findChild<QCheckBox*>(QStringLiteral("chkSaveLogToFile"))->setChecked(true);

    const double cpuBefore = ProcessCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    PauseWhileProcessingEvents(seconds * 1000);
    figures.cpuSeconds = ProcessCpuSeconds() - cpuBefore;
    figures.wallSeconds = wall.elapsed() / 1000.0;

    sim.stop();
    PauseWhileProcessingEvents(500);  // what was on its way arrives
    figures.framesSent = ReceivedRfDataFramesTraced(sim);
    figures.framesReceived = window->counters().lPacketsReceived;
    window->close();
    figures.logFileBytes = QFileInfo(logFile).size();
    UserPrompts::SetAnswersForTesting({});
    return true;
}

void Print(const char* title, const FloodFigures& f)
{
    std::printf("%s\n", title);
    std::printf("  frames sent by the module:  %d (%.0f a second)\n", f.framesSent,
                f.framesSent / f.wallSeconds);
    std::printf("  frames counted by the host: %d (%.2f %%)\n", f.framesReceived,
                f.framesSent ? 100.0 * f.framesReceived / f.framesSent : 0.0);
    std::printf("  CPU time of the tool:       %.2f s in %.1f s (%.0f %% of one core)\n",
                f.cpuSeconds, f.wallSeconds, 100.0 * f.cpuSeconds / f.wallSeconds);
    std::printf("  message log file:           %lld bytes\n",
                static_cast<long long>(f.logFileBytes));
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    PrepareBenchEnvironment(home);
    QApplication app(argc, argv);
    const int seconds = DurationSeconds(argc, argv, 60);

    FloodFigures paced;
    FloodFigures unpaced;
    if (!RunFlood(true, seconds, home.filePath(QStringLiteral("paced.olf")), paced)
        || !RunFlood(false, seconds, home.filePath(QStringLiteral("unpaced.olf")), unpaced))
        return 1;
    std::printf("received RF data flood, peer every 1 ms, 57600 baud, log file on, %d s each\n",
                seconds);
    Print("paced at the line rate (--pace):", paced);
    Print("unpaced:", unpaced);
    return 0;
}
