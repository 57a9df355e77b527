#include "FloorProgram.h"

#include "support/Waiting.h"

#include <QFile>

#include <unistd.h>

FloorProgram::FloorProgram() : m_sim(2)
{
    m_floor.setProcessChannelMode(QProcess::ForwardedChannels);
}

FloorProgram::~FloorProgram()
{
    stop();
}

bool FloorProgram::start(const QStringList& simulatorArguments, int baud)
{
    if (!m_sim.start(simulatorArguments)) {
        m_failure = m_sim.failure();
        return false;
    }
    m_floor.start(QStringLiteral(ORVALIS_FLOOR_PATH),
                  {m_sim.linkPath(), QString::number(baud)});
    if (!m_floor.waitForStarted()) {
        m_failure = QStringLiteral("bench_rx_floor did not start: ") + m_floor.errorString();
        return false;
    }
    // Its window on screen and its port open: give it the time a window takes.
    PauseWhileProcessingEvents(1000);
    return true;
}

// Fields 14 and 15 of /proc/<pid>/stat, after the command name in parentheses.
double FloorProgram::cpuSeconds() const
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(m_floor.processId()));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void FloorProgram::stop()
{
    if (m_floor.state() != QProcess::NotRunning) {
        m_floor.terminate();
        if (!m_floor.waitForFinished(3000))
            m_floor.kill();
        m_floor.waitForFinished(1000);
    }
    m_sim.stop();
}
