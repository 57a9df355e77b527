// A flood of Received RF Data Messages from the simulator's virtual peer (one every
// millisecond, at 57600 baud), once paced at the line rate and once as fast as the
// pseudo-terminal takes it, with the message log file on and the window shown: frames
// the module sent against frames the host counted, the CPU time and memory of the
// tool, and how long a frame took from the module to its line on screen.
// It runs offscreen, then again under Xvfb, where drawing costs what it costs on a
// desktop.
// Usage: bench_rx_flood [seconds per run] [--timestamps] [--this-display]
//   --timestamps    each flood twice, with the log's times off and on, the session
//                   history filled to its bound first: CPU against CPU, the memory
//                   with a full history, and the time a CSV export of it takes
//   --this-display  run once, on the display Qt is given (QT_QPA_PLATFORM, DISPLAY)
#include "BenchWindow.h"
#include "ScreenLatency.h"
#include "XvfbRerun.h"

#include "link/SerialLink.h"
#include "link/SessionHistoryCsv.h"
#include "platform/EventWait.h"
#include "platform/UserPrompts.h"
#include "protocol/MessageCatalogue.h"
#include "support/SimulatorProcess.h"
#include "ui/CommunicationsLogView.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kBaud = 57600;
constexpr double kMsPerByteAtLineRate = 10 * 1000.0 / kBaud;  // start, 8 data, stop bits

struct FloodOptions {
    int seconds = 60;
    bool thisDisplayOnly = false;
    bool timestamps = false;
};

FloodOptions ParseOptions(int argc, char** argv)
{
    FloodOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--this-display") == 0)
            options.thisDisplayOnly = true;
        else if (std::strcmp(argv[i], "--timestamps") == 0)
            options.timestamps = true;
        else if (const int seconds = QByteArray(argv[i]).toInt(); seconds > 0)
            options.seconds = seconds;
    }
    return options;
}

// How the log is set up for a run.
struct LogSetup {
    bool timestamps = false;
    bool fullHistory = false;  // the session history filled to its bound before the flood
};

struct FloodFigures {
    int framesSent = 0;
    qint64 framesReceived = 0;
    double cpuSeconds = 0;
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

// Stopping the simulator may cut short the frame it is writing (at the paced rate, or
// into a full pseudo-terminal): that one was never sent whole.
void DropFrameCutShort(std::vector<TracedFrame>& frames,
                       const std::vector<LogLineScreenTimes::Line>& lines)
{
    if (!frames.empty() && (lines.empty() || lines.back().hex != frames.back().hex))
        frames.pop_back();
}

bool RunFlood(bool paced, int seconds, const QString& logFile, LogSetup setup,
              FloodFigures& figures)
{
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
    window->findChild<QAction*>(QStringLiteral("mnuShowTimestamps"))->setChecked(setup.timestamps);
    if (setup.fullHistory) {
        const double before = ProcessResidentMemory().nowMiB;
        FillHistory(*window);
        figures.historyFillMiB = ProcessResidentMemory().nowMiB - before;
    }
    LogLineScreenTimes screenTimes(window->messageList(), *window, clock);
    SaveLogTo(*window, logFile);

    const double cpuBefore = ProcessCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    PauseWhileProcessingEvents(seconds * 1000);
    figures.cpuSeconds = ProcessCpuSeconds() - cpuBefore;
    figures.wallSeconds = wall.elapsed() / 1000.0;

    sim.stop();
    PauseWhileProcessingEvents(500);  // what was on its way arrives
    std::vector<TracedFrame> frames =
        RfDataFramesToHost(sim.traceLines(), paced ? kMsPerByteAtLineRate : 0.0);
    DropFrameCutShort(frames, screenTimes.lines());
    figures.framesSent = static_cast<int>(frames.size());
    figures.framesReceived = window->counters().lPacketsReceived;
    figures.toScreen = SentToShownLatency(frames, screenTimes.lines());
    figures.memory = ProcessResidentMemory();
    figures.historyLines = window->link().log().history().size();
    if (setup.fullHistory)
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
        if (!RunFlood(paced, seconds, file, {false, true}, off)
            || !RunFlood(paced, seconds, file + QStringLiteral("-times"), {true, true}, on))
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
    if (!RunFlood(true, seconds, home.filePath(QStringLiteral("paced.olf")), {}, paced)
        || !RunFlood(false, seconds, home.filePath(QStringLiteral("unpaced.olf")), {}, unpaced))
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

}  // namespace

int main(int argc, char** argv)
{
    const FloodOptions options = ParseOptions(argc, argv);
    if (!options.thisDisplayOnly)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    PrepareBenchEnvironment(home);
    QApplication app(argc, argv);
    const bool ran = options.timestamps ? RunFloodsWithAndWithoutTimes(options.seconds, home)
                                        : RunBothFloods(options.seconds, home);
    if (!ran)
        return 1;
    if (options.thisDisplayOnly)
        return 0;
    std::printf("\n");
    QStringList again{QStringLiteral("--this-display"), QString::number(options.seconds)};
    if (options.timestamps)
        again << QStringLiteral("--timestamps");
    return RerunUnderXvfb(again) == 0 ? 0 : 1;
}
