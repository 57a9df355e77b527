// A flood of Received RF Data Messages from the simulator's virtual peer (one every
// millisecond, at 57600 baud), once paced at the line rate and once as fast as the
// pseudo-terminal takes it, with the message log file on and the window shown: frames
// the module sent against frames the host counted, the CPU time and memory of the
// tool, and how long a frame took from the module to its line on screen.
// It runs offscreen, then again under Xvfb, where drawing costs what it costs on a
// desktop.
// With --charts it compares instead the paced flood, with a random repetition going out
// at the same time so that every chart has something to follow, once without and once
// with the link charts window open.
// Usage: bench_rx_flood [seconds per run] [--charts] [--this-display]
//   --charts        the link charts comparison
//   --this-display  run once, on the display Qt is given (QT_QPA_PLATFORM, DISPLAY)
#include "BenchWindow.h"
#include "ScreenLatency.h"
#include "XvfbRerun.h"

#include "link/SerialLink.h"
#include "platform/EventWait.h"
#include "platform/UserPrompts.h"
#include "support/SimulatorProcess.h"
#include "ui/CommunicationsLogView.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QWindow>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kBaud = 57600;
constexpr double kMsPerByteAtLineRate = 10 * 1000.0 / kBaud;  // start, 8 data, stop bits

struct FloodOptions {
    int seconds = 60;
    bool thisDisplayOnly = false;
    bool charts = false;
};

// What runs beside the flood.
struct FloodLoad {
    bool paced = true;
    bool repetition = false;  // random messages every 100 ms
    bool chartsOpen = false;  // the link charts window on screen
};

FloodOptions ParseOptions(int argc, char** argv)
{
    FloodOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--this-display") == 0)
            options.thisDisplayOnly = true;
        else if (std::strcmp(argv[i], "--charts") == 0)
            options.charts = true;
        else if (const int seconds = QByteArray(argv[i]).toInt(); seconds > 0)
            options.seconds = seconds;
    }
    return options;
}

struct FloodFigures {
    int framesSent = 0;
    qint64 framesReceived = 0;
    double cpuSeconds = 0;
    double wallSeconds = 0;
    qint64 logFileBytes = 0;
    LatencyFigures toScreen;
    ResidentMemory memory;
};

// Stopping the simulator may cut short the frame it is writing (at the paced rate, or
// into a full pseudo-terminal): that one was never sent whole.
void DropFrameCutShort(std::vector<TracedFrame>& frames,
                       const std::vector<LogLineScreenTimes::Line>& lines)
{
    if (!frames.empty() && (lines.empty() || lines.back().hex != frames.back().hex))
        frames.pop_back();
}

bool OpenLinkCharts(frmQVOrvalisETMain& window)
{
    window.findChild<QAction*>(QStringLiteral("mnuLinkCharts"))->trigger();
    auto* charts = window.findChild<QWidget*>(QStringLiteral("LinkChartsWindow"));
    return charts && WaitWhileProcessingEvents(
        [&] { return charts->windowHandle() && charts->windowHandle()->isExposed(); }, 5000);
}

bool RunFlood(const FloodLoad& load, int seconds, const QString& logFile, FloodFigures& figures)
{
    const bool paced = load.paced;
    QElapsedTimer clock;
    clock.start();
    SimulatorProcess sim(1);
    QStringList arguments{"--baud", QString::number(kBaud), "--peer-interval", "1"};
    if (paced)
        arguments << QStringLiteral("--pace");
    if (!sim.start(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(sim.failure()));
        return false;
    }
    auto window = WindowOpenedOnSimulator(sim, QString::number(kBaud));
    if (!window->link().port().isOpen() || !ShowOnScreen(*window)) {
        std::fprintf(stderr, "the simulator was not found or the window not shown\n");
        return false;
    }
    if (load.chartsOpen && !OpenLinkCharts(*window)) {
        std::fprintf(stderr, "the link charts window was not shown\n");
        return false;
    }
    LogLineScreenTimes screenTimes(window->messageList(), *window, clock);
    SaveLogTo(*window, logFile);
    auto* repeat = window->findChild<QPushButton*>(QStringLiteral("cmdSendRandomRepeatedMsg"));

    const double cpuBefore = ProcessCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    if (load.repetition)
        repeat->click();
    PauseWhileProcessingEvents(seconds * 1000);
    if (load.repetition)
        repeat->click();
    figures.cpuSeconds = ProcessCpuSeconds() - cpuBefore;
    figures.wallSeconds = wall.elapsed() / 1000.0;
    figures.memory = ProcessResidentMemory();

    sim.stop();
    PauseWhileProcessingEvents(500);  // what was on its way arrives
    std::vector<TracedFrame> frames =
        RfDataFramesToHost(sim.traceLines(), paced ? kMsPerByteAtLineRate : 0.0);
    DropFrameCutShort(frames, screenTimes.lines());
    figures.framesSent = static_cast<int>(frames.size());
    figures.framesReceived = window->counters().lPacketsReceived;
    figures.toScreen = SentToShownLatency(frames, screenTimes.lines());
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
    std::printf("  frames counted by the host: %lld (%.2f %%), lost %lld\n",
                static_cast<long long>(f.framesReceived),
                f.framesSent ? 100.0 * f.framesReceived / f.framesSent : 0.0,
                static_cast<long long>(f.framesSent - f.framesReceived));
    std::printf("  CPU time of the tool:       %.2f s in %.1f s (%.1f %% of one core)\n",
                f.cpuSeconds, f.wallSeconds, 100.0 * f.cpuSeconds / f.wallSeconds);
    if (f.toScreen.count > 0)
        std::printf("  frame sent to its line on screen: median %.1f ms, 99th pct %.1f ms, "
                    "largest %.1f ms (%zu lines)\n",
                    f.toScreen.medianMs, f.toScreen.p99Ms, f.toScreen.maxMs, f.toScreen.count);
    else
        std::printf("  frame sent to its line on screen: no line was drawn\n");
    std::printf("  resident memory:            %.1f MiB (peak %.1f MiB)\n", f.memory.nowMiB,
                f.memory.peakMiB);
    std::printf("  message log file:           %lld bytes\n",
                static_cast<long long>(f.logFileBytes));
}

bool RunBothFloods(int seconds, const QTemporaryDir& home)
{
    FloodFigures paced;
    FloodFigures unpaced;
    if (!RunFlood({true}, seconds, home.filePath(QStringLiteral("paced.olf")), paced)
        || !RunFlood({false}, seconds, home.filePath(QStringLiteral("unpaced.olf")), unpaced))
        return false;
    std::printf("received RF data flood, peer every 1 ms, 57600 baud, log file on, window "
                "shown, %d s each, platform %s\n",
                seconds, qPrintable(QGuiApplication::platformName()));
    std::printf("(aims at the line rate: nothing lost, under 10 %% of one core, "
                "99th pct to screen under 20 ms)\n");
    Print("paced at the line rate (--pace):", paced);
    Print("unpaced:", unpaced);
    std::fflush(stdout);
    return true;
}

// The same paced flood and repetition, without and then with the charts on screen.
bool RunChartsComparison(int seconds, const QTemporaryDir& home)
{
    FloodFigures without;
    FloodFigures with;
    const FloodLoad plain{true, true, false};
    const FloodLoad charts{true, true, true};
    if (!RunFlood(plain, seconds, home.filePath(QStringLiteral("plain.olf")), without)
        || !RunFlood(charts, seconds, home.filePath(QStringLiteral("charts.olf")), with))
        return false;
    std::printf("link charts: received RF data flood (peer every 1 ms, paced at 57600 baud) "
                "and a random repetition every 100 ms, log file on, %d s each, platform %s\n",
                seconds, qPrintable(QGuiApplication::platformName()));
    std::printf("(aims: nothing lost, CPU time with the charts under 1.5 times without)\n");
    Print("without the charts window:", without);
    Print("with the charts window open:", with);
    std::printf("CPU time with the charts / without: %.2f\n",
                without.cpuSeconds > 0 ? with.cpuSeconds / without.cpuSeconds : 0.0);
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const FloodOptions options = ParseOptions(argc, argv);
    if (!options.thisDisplayOnly)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    PrepareBenchEnvironment(home);
    QApplication app(argc, argv);
    if (!(options.charts ? RunChartsComparison(options.seconds, home)
                         : RunBothFloods(options.seconds, home)))
        return 1;
    if (options.thisDisplayOnly)
        return 0;
    std::printf("\n");
    QStringList again{QStringLiteral("--this-display"), QString::number(options.seconds)};
    if (options.charts)
        again << QStringLiteral("--charts");
    return RerunUnderXvfb(again) == 0 ? 0 : 1;
}
