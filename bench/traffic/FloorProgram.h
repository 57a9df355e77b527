#pragma once

#include "support/SimulatorProcess.h"

#include <QProcess>
#include <QString>
#include <QStringList>

// bench_rx_floor on a simulator of its own, started with the same arguments as the
// tool's: the same flood on the same kind of port, read by a bare Qt program.
class FloorProgram {
public:
    FloorProgram();
    ~FloorProgram();
    FloorProgram(const FloorProgram&) = delete;
    FloorProgram& operator=(const FloorProgram&) = delete;

    bool start(const QStringList& simulatorArguments, int baud);
    // User plus system CPU time of the floor program so far, in seconds.
    double cpuSeconds() const;
    void stop();
    QString failure() const { return m_failure; }

private:
    SimulatorProcess m_sim;
    QProcess m_floor;
    QString m_failure;
};
