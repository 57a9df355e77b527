// A flood of Received RF Data Messages from the simulator's virtual peer (one every
// millisecond, at 57600 baud), once paced at the line rate and once as fast as the
// pseudo-terminal takes it, with the message log file on and the window shown: frames
// the module sent against frames the host counted, the CPU time and memory of the
// tool, and how long a frame took from the module to its line on screen.
// It runs offscreen, then again under Xvfb, where drawing costs what it costs on a
// desktop. Beside the tool, bench_rx_floor (a bare Qt program showing one line per
// frame) reads the same flood from a simulator of its own: the tool's CPU time against
// this floor's is the figure to watch.
// With --charts it compares instead the paced flood, with a random repetition going out
// at the same time so that every chart has something to follow, once as it is and once
// with the link charts window open and the log's times shown.
// Usage: bench_rx_flood [seconds per run] [--charts | --timestamps] [--this-display]
//   --charts        the link charts and timestamps comparison
//   --timestamps    each flood twice, with the log's times off and on, the session
//                   history filled to its bound first: CPU against CPU, the memory
//                   with a full history, and the time a CSV export of it takes
//   --this-display  run once, on the display Qt is given (QT_QPA_PLATFORM, DISPLAY)
#include "BenchWindow.h"
#include "FloorProgram.h"
#include "ScreenLatency.h"
#include "XvfbRerun.h"

#include "link/LinkSession.h"
#include "link/SessionHistoryCsv.h"
#include "support/Waiting.h"
#include "ui/widgets/UserPrompts.h"
#include "protocol/MessageCatalogue.h"
#include "support/SimulatorProcess.h"
#include "ui/CommunicationsLogView.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kBaud = 57600;
constexpr double kMsPerByteAtLineRate = 10 * 1000.0 / kBaud;  // start, 8 data, stop bits

struct FloodOptions {
    int seconds = 60;
    bool thisDisplayOnly = false;
    bool charts = false;
    bool timestamps = false;
};

// What runs beside the flood, and how the log is set up.
struct FloodLoad {
    bool paced = true;
    bool repetition = false;   // random messages every 100 ms
    bool chartsOpen = false;   // the link charts window on screen
    bool timestamps = false;   // the log's times shown
    bool fullHistory = false;  // the session history filled to its bound before the flood
    bool floor = false;        // bench_rx_floor reads the same flood beside the tool
};

FloodOptions ParseOptions(int argc, char** argv)
{
    FloodOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--this-display") == 0)
            options.thisDisplayOnly = true;
        else if (std::strcmp(argv[i], "--charts") == 0)
            options.charts = true;
        else if (std::strcmp(argv[i], "--timestamps") == 0)
            options.timestamps = true;
        else if (const int seconds = QByteArray(argv[i]).toInt(); seconds > 0)
            options.seconds = seconds;
    }
    return options;
}

struct FloodFigures {
    int framesSent = 0;         // in the measured span
    int framesShown = 0;        // RF data lines the log showed
    qint64 framesReceived = 0;  // the host's counter, the search and the stop included
    double cpuSeconds = 0;
    double floorCpuSeconds = -1;  // bench_rx_floor's in the same span; -1: not run
    double wallSeconds = 0;
    qint64 logFileBytes = 0;
    LatencyFigures toScreen;
    ResidentMemory memory;
    int historyLines = 0;
    double historyFillMiB = 0;  // resident memory the filling of the history added
    double csvMs = 0;           // writing the whole history as CSV
    qint64 csvBytes = 0;
};

// A Received RF Data Message of 18 data bytes, about the mean of the peer's (1 to 36).
const QByteArray kTypicalRfDataFrame =
    QByteArray::fromHex("011C94070100000000112233445566778899AABBCCDDEEFF0011C404");

// Fills the session history to its bound, as a long session would have, letting the
// window publish its rows as it goes.
void FillHistory(frmQVOrvalisETMain& window)
{
    CommunicationsLog& log = window.link().log();
    const QString name = GetReceivedMessageName(MessageCode::ReceivedRfData);
    for (int i = 0; i < log.history().capacity(); ++i) {
        log.LogReceivedMessage(MessageCode::ReceivedRfData, name, kTypicalRfDataFrame, i % 256);
        if (i % 1000 == 999)
            QCoreApplication::processEvents();
    }
}

void TimeCsvExport(frmQVOrvalisETMain& window, const QString& path, FloodFigures& figures)
{
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        WriteSessionHistoryCsv(window.link().log().history(), file);
    file.close();
    figures.csvMs = timer.nsecsElapsed() / 1e6;
    figures.csvBytes = QFileInfo(path).size();
    QFile::remove(path);
}

// The peer starts sending as soon as the simulator runs, while the host is still
// searching (frames then are not logged, or are cleared when the port opens), and the
// simulator may be stopped with frames traced but not yet written whole. What the run
// measures are the frames from the one of the first RF data line on screen to the one
// of the last.
void KeepMeasuredSpan(std::vector<TracedFrame>& frames,
                      const std::vector<LogLineScreenTimes::Line>& lines)
{
    if (lines.empty()) {
        frames.clear();
        return;
    }
    const auto first = std::find_if(frames.begin(), frames.end(), [&](const TracedFrame& f) {
        return f.hex == lines.front().hex;
    });
    const auto last = std::find_if(frames.rbegin(), frames.rend(), [&](const TracedFrame& f) {
        return f.hex == lines.back().hex;
    });
    if (first == frames.end() || last.base() <= first) {
        frames.clear();
        return;
    }
    frames = std::vector<TracedFrame>(first, last.base());
}

// The first frame the module sent that never reached the log, with the simulator's trace
// around it.
void PrintMissingFrames(const std::vector<TracedFrame>& frames,
                        const std::vector<LogLineScreenTimes::Line>& lines,
                        const QStringList& trace)
{
    size_t line = 0;
    for (size_t f = 0; f < frames.size(); ++f) {
        if (line < lines.size() && lines[line].hex == frames[f].hex) {
            ++line;
            continue;
        }
        std::printf("  missing: frame %zu of %zu, sent at %.1f ms: %s\n", f + 1, frames.size(),
                    frames[f].sentMs, qPrintable(frames[f].hex));
        const qsizetype at = trace.indexOf(QRegularExpression(
            QStringLiteral(" M>H .*") + QRegularExpression::escape(frames[f].hex)));
        for (qsizetype t = std::max<qsizetype>(0, at - 4); at >= 0 && t <= at + 4 && t < trace.size(); ++t)
            std::printf("    %s\n", qPrintable(trace[t]));
        return;
    }
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
    FloorProgram floor;
    if (load.floor && !floor.start(arguments, kBaud)) {
        std::fprintf(stderr, "%s\n", qPrintable(floor.failure()));
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
    window->findChild<QAction*>(QStringLiteral("mnuShowTimestamps"))->setChecked(load.timestamps);
    if (load.fullHistory) {
        const double before = ProcessResidentMemory().nowMiB;
        FillHistory(*window);
        figures.historyFillMiB = ProcessResidentMemory().nowMiB - before;
    }
    LogLineScreenTimes screenTimes(window->messageList(), *window, clock);
    SaveLogTo(*window, logFile);
    auto* repeat = window->findChild<QPushButton*>(QStringLiteral("cmdSendRandomRepeatedMsg"));

    const double cpuBefore = ProcessCpuSeconds();
    const double floorCpuBefore = floor.cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    if (load.repetition)
        repeat->click();
    PauseWhileProcessingEvents(seconds * 1000);
    if (load.repetition)
        repeat->click();
    figures.cpuSeconds = ProcessCpuSeconds() - cpuBefore;
    if (load.floor)
        figures.floorCpuSeconds = floor.cpuSeconds() - floorCpuBefore;
    figures.wallSeconds = wall.elapsed() / 1000.0;
    figures.memory = ProcessResidentMemory();

    floor.stop();
    sim.stop();
    PauseWhileProcessingEvents(500);  // what was on its way arrives
    std::vector<TracedFrame> frames =
        RfDataFramesToHost(sim.traceLines(), paced ? kMsPerByteAtLineRate : 0.0);
    KeepMeasuredSpan(frames, screenTimes.lines());
    figures.framesSent = static_cast<int>(frames.size());
    figures.framesShown = static_cast<int>(screenTimes.lines().size());
    figures.framesReceived = window->counters().lPacketsReceived;
    figures.toScreen = SentToShownLatency(frames, screenTimes.lines());
    if (figures.framesShown < figures.framesSent)
        PrintMissingFrames(frames, screenTimes.lines(), sim.traceLines());
    figures.historyLines = window->link().log().history().size();
    if (load.fullHistory)
        TimeCsvExport(*window, logFile + QStringLiteral(".csv"), figures);
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
    std::printf("  frames shown in the log:    %d (%.2f %%), lost %d; host's counter %lld\n",
                f.framesShown, f.framesSent ? 100.0 * f.framesShown / f.framesSent : 0.0,
                f.framesSent - f.framesShown, static_cast<long long>(f.framesReceived));
    std::printf("  CPU time of the tool:       %.2f s in %.1f s (%.1f %% of one core)\n",
                f.cpuSeconds, f.wallSeconds, 100.0 * f.cpuSeconds / f.wallSeconds);
    if (f.floorCpuSeconds > 0)
        std::printf("  CPU time of the floor:      %.2f s (%.1f %% of one core); tool / floor "
                    "%.2f\n",
                    f.floorCpuSeconds, 100.0 * f.floorCpuSeconds / f.wallSeconds,
                    f.cpuSeconds / f.floorCpuSeconds);
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
    if (f.csvBytes > 0) {
        std::printf("  session history:            %d lines (filling it added %.1f MiB resident)\n",
                    f.historyLines, f.historyFillMiB);
        std::printf("  CSV export of the history:  %.0f ms, %.1f MiB\n", f.csvMs,
                    f.csvBytes / (1024.0 * 1024.0));
    }
}

double CorePercent(const FloodFigures& f)
{
    return 100.0 * f.cpuSeconds / f.wallSeconds;
}

// Each flood with the log's times off, then on, the history full in both.
bool RunFloodsWithAndWithoutTimes(int seconds, const QTemporaryDir& home)
{
    std::printf("received RF data flood, peer every 1 ms, 57600 baud, log file on, window "
                "shown, session history full, %d s each, platform %s\n",
                seconds, qPrintable(QGuiApplication::platformName()));
    for (const bool paced : {true, false}) {
        const char* pacing = paced ? "paced at the line rate" : "unpaced";
        FloodFigures off;
        FloodFigures on;
        const QString file = home.filePath(QStringLiteral("%1.olf").arg(paced ? "paced" : "unpaced"));
        const FloodLoad timesOff{paced, false, false, false, true};
        const FloodLoad timesOn{paced, false, false, true, true};
        if (!RunFlood(timesOff, seconds, file, off)
            || !RunFlood(timesOn, seconds, file + QStringLiteral("-times"), on))
            return false;
        Print(qPrintable(QStringLiteral("%1, timestamps off:").arg(pacing)), off);
        Print(qPrintable(QStringLiteral("%1, timestamps on:").arg(pacing)), on);
        std::printf("  => %s: CPU with timestamps %.1f %% of one core against %.1f %% without "
                    "(%+.1f points)\n",
                    pacing, CorePercent(on), CorePercent(off), CorePercent(on) - CorePercent(off));
    }
    std::fflush(stdout);
    return true;
}

bool RunBothFloods(int seconds, const QTemporaryDir& home)
{
    FloodFigures paced;
    FloodFigures unpaced;
    FloodLoad pacedLoad;
    pacedLoad.floor = true;
    FloodLoad unpacedLoad = pacedLoad;
    unpacedLoad.paced = false;
    if (!RunFlood(pacedLoad, seconds, home.filePath(QStringLiteral("paced.olf")), paced)
        || !RunFlood(unpacedLoad, seconds, home.filePath(QStringLiteral("unpaced.olf")), unpaced))
        return false;
    std::printf("received RF data flood, peer every 1 ms, 57600 baud, log file on, window "
                "shown, %d s each, platform %s\n",
                seconds, qPrintable(QGuiApplication::platformName()));
    std::printf("(aims at the line rate: nothing lost, at most 1.2 times the floor's CPU "
                "time, 99th pct to screen under 100 ms)\n");
    Print("paced at the line rate (--pace):", paced);
    Print("unpaced:", unpaced);
    std::fflush(stdout);
    return true;
}

// The same paced flood and repetition, as it is and then with the charts on screen and
// the log's times shown.
bool RunChartsComparison(int seconds, const QTemporaryDir& home)
{
    FloodFigures without;
    FloodFigures with;
    const FloodLoad plain{true, true, false, false};
    const FloodLoad charts{true, true, true, true};
    if (!RunFlood(plain, seconds, home.filePath(QStringLiteral("plain.olf")), without)
        || !RunFlood(charts, seconds, home.filePath(QStringLiteral("charts.olf")), with))
        return false;
    std::printf("link charts and timestamps: received RF data flood (peer every 1 ms, paced at 57600 baud) "
                "and a random repetition every 100 ms, log file on, %d s each, platform %s\n",
                seconds, qPrintable(QGuiApplication::platformName()));
    std::printf("(aims: nothing lost, CPU time with the charts under 1.5 times without)\n");
    Print("without the charts window:", without);
    Print("with the charts window open and the log's times shown:", with);
    std::printf("CPU time with charts and times / without: %.2f\n",
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
    const bool ran = options.charts       ? RunChartsComparison(options.seconds, home)
                     : options.timestamps ? RunFloodsWithAndWithoutTimes(options.seconds, home)
                                          : RunBothFloods(options.seconds, home);
    if (!ran)
        return 1;
    if (options.thisDisplayOnly)
        return 0;
    std::printf("\n");
    QStringList again{QStringLiteral("--this-display"), QString::number(options.seconds)};
    if (options.charts)
        again << QStringLiteral("--charts");
    else if (options.timestamps)
        again << QStringLiteral("--timestamps");
    return RerunUnderXvfb(again) == 0 ? 0 : 1;
}
