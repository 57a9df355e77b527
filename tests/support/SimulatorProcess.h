#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// orvalis-sim (the program named by the environment variable ORVALIS_SIM) running
// for one test, its device linked as <temp dir>/COM<n> and traced to
// <temp dir>/trace.log. The destructor stops it.
class SimulatorProcess {
public:
    explicit SimulatorProcess(int portNumber = 1);
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Starts it with these extra arguments and waits until its link exists.
    bool start(const QStringList& extraArguments = {});
    // Writes one control line ("send148 7 4142") to its standard input.
    bool command(const QString& line);
    // SIGTERM, then waits (processing events) for the end; true when it exited with status 0.
    bool stop();

    bool isRunning() const;
    QString linkPath() const;
    QString tracePath() const;
    QStringList traceLines() const;
    QString failure() const { return m_failure; }

private:
    int m_portNumber;
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_failure;
};

// Makes the program's port <portNumber> open `device` (settings "Ports"/"COM<n>").
void PointPortAt(int portNumber, const QString& device);
