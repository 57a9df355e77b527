// How evenly a random repetition at 100 ms paces its messages against the module
// simulator: messages written, and how far each interval between two writes is from
// the repeat delay (mean and 99th percentile). Usage: bench_repeat_cadence [seconds]
#include "BenchWindow.h"

#include "link/LinkSession.h"
#include "support/Waiting.h"
#include "support/SimulatorProcess.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

namespace {

constexpr double kRepeatDelayMs = 100.0;  // the repeat delay at start-up

struct IntervalFigures {
    size_t count = 0;
    double meanIntervalMs = 0;
    double meanErrorMs = 0;
    double p99ErrorMs = 0;
    double maxErrorMs = 0;
};

// Errors are absolute differences from the repeat delay.
IntervalFigures Figures(const std::vector<qint64>& writeTimesNs)
{
    IntervalFigures figures;
    std::vector<double> errors;
    double intervalSum = 0;
    for (size_t i = 1; i < writeTimesNs.size(); ++i) {
        const double interval = (writeTimesNs[i] - writeTimesNs[i - 1]) / 1e6;
        intervalSum += interval;
        errors.push_back(std::fabs(interval - kRepeatDelayMs));
    }
    if (errors.empty())
        return figures;
    std::sort(errors.begin(), errors.end());
    figures.count = errors.size();
    figures.meanIntervalMs = intervalSum / errors.size();
    figures.meanErrorMs = std::accumulate(errors.begin(), errors.end(), 0.0) / errors.size();
    figures.p99ErrorMs = errors[std::min(errors.size() - 1, size_t(0.99 * errors.size()))];
    figures.maxErrorMs = errors.back();
    return figures;
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    PrepareBenchEnvironment(home);
    QApplication app(argc, argv);
    const int seconds = DurationSeconds(argc, argv, 60);

    SimulatorProcess sim(1);
    if (!sim.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(sim.failure()));
        return 1;
    }
    auto window = WindowOnSimulator(sim);
    if (!window->link().port().isOpen()) {
        std::fprintf(stderr, "the simulator was not found\n");
        return 1;
    }

    std::vector<qint64> writeTimesNs;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&window->link().transmit(), &TransmitPath::rfDataFrameWritten,
                     [&] { writeTimesNs.push_back(clock.nsecsElapsed()); });
    auto* toggle = window->findChild<QPushButton*>(QStringLiteral("cmdSendRandomRepeatedMsg"));
    toggle->click();
    PauseWhileProcessingEvents(seconds * 1000);
    toggle->click();

    const IntervalFigures f = Figures(writeTimesNs);
    std::printf("repetition cadence, random messages, repeat delay %.0f ms, %d s\n",
                kRepeatDelayMs, seconds);
    std::printf("  messages written:           %zu (expected about %d)\n", writeTimesNs.size(),
                int(seconds * 1000 / kRepeatDelayMs) + 1);
    std::printf("  mean interval:              %.3f ms\n", f.meanIntervalMs);
    std::printf("  interval error, mean:       %.3f ms\n", f.meanErrorMs);
    std::printf("  interval error, 99th pct:   %.3f ms\n", f.p99ErrorMs);
    std::printf("  interval error, largest:    %.3f ms\n", f.maxErrorMs);
    return 0;
}
