#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

class frmQVOrvalisETMain;
class SimulatorProcess;

// What every traffic benchmark needs before and after QApplication exists.

// A private settings folder (the user's own settings are never touched), the offscreen
// platform unless another was asked for, and the simulator built with the benchmarks
// unless ORVALIS_SIM names another. Call before constructing QApplication.
void PrepareBenchEnvironment(const QTemporaryDir& home);

// The run length in seconds: the first argument, else `defaultSeconds`.
int DurationSeconds(int argc, char** argv, int defaultSeconds);

// The main window on port 1, which the simulator serves; the other ports lead nowhere.
std::unique_ptr<frmQVOrvalisETMain> WindowOnSimulator(const SimulatorProcess& sim);

// The main window with no module found at start-up, then its port 1 opened straight
// on the simulator at `rate`: the flood is measured from the moment the port opens,
// with no search before it, as in every earlier run of the benchmarks.
std::unique_ptr<frmQVOrvalisETMain> WindowOpenedOnSimulator(const SimulatorProcess& sim,
                                                            const QString& rate);

// Shows the window and waits until the platform has it on screen.
bool ShowOnScreen(frmQVOrvalisETMain& window);

// Ticks "Save Log To File" with the file dialog answered by `logFile`; the answer
// stays in force until UserPrompts::SetAnswersForTesting({}).
void SaveLogTo(frmQVOrvalisETMain& window, const QString& logFile);

// User plus system CPU time of this process so far, in seconds.
double ProcessCpuSeconds();

// Resident memory of this process now and at its peak, in MiB.
struct ResidentMemory {
    double nowMiB = 0;
    double peakMiB = 0;
};
ResidentMemory ProcessResidentMemory();
