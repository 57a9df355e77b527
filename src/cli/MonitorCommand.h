#pragma once

#include "cli/CliCommand.h"

#include <QElapsedTimer>

// `monitor`: every line of the communications log (frames both ways, time-outs, port
// notices) as the log shows it, one per output line, until Ctrl+C or SIGTERM; then a
// summary line.
class MonitorCommand : public CliCommand {
    Q_OBJECT
public:
    using CliCommand::CliCommand;
    void start() override;
    // Ctrl+C or SIGTERM is how monitoring ends: the summary, then status 0.
    void interrupt() override;

protected:
    void portLost() override;

private:
    void Print(const QString& text, const QDateTime& arrived);
    void Summarise(int exitStatus, const QString& problem);

    QElapsedTimer m_clock;
    qint64 m_fromModule = 0;
    qint64 m_fromHost = 0;
    qint64 m_other = 0;
    bool m_watching = false;
};
