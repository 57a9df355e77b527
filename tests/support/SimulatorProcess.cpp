#include "support/SimulatorProcess.h"

#include "support/Waiting.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QFileInfo>

SimulatorProcess::SimulatorProcess(int portNumber) : m_portNumber(portNumber)
{
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
}

SimulatorProcess::~SimulatorProcess()
{
    if (isRunning())
        stop();
}

bool SimulatorProcess::start(const QStringList& extraArguments)
{
    const QString program = qEnvironmentVariable("ORVALIS_SIM");
    if (program.isEmpty() || !m_dir.isValid()) {
        m_failure = QStringLiteral("ORVALIS_SIM is not set or no temporary folder");
        return false;
    }
    QStringList arguments = extraArguments;
    arguments << QStringLiteral("--link") << linkPath();
    if (!arguments.contains(QStringLiteral("--trace")))
        arguments << QStringLiteral("--trace") << tracePath();
    m_process.start(program, arguments);
    const bool linked = WaitWhileProcessingEvents(
        [this] {
            return QFileInfo(linkPath()).isSymLink() || m_process.state() == QProcess::NotRunning;
        },
        5000);
    if (!linked || !QFileInfo(linkPath()).isSymLink()) {
        m_failure = QStringLiteral("orvalis-sim did not create %1 (exit status %2)")
                        .arg(linkPath())
                        .arg(m_process.exitCode());
        return false;
    }
    return true;
}

bool SimulatorProcess::command(const QString& line)
{
    const QByteArray bytes = line.toLocal8Bit() + '\n';
    return isRunning() && m_process.write(bytes) == bytes.size();
}

bool SimulatorProcess::stop()
{
    if (isRunning())
        m_process.terminate();  // SIGTERM
    WaitWhileProcessingEvents([this] { return !isRunning(); }, 5000);
    if (isRunning()) {
        m_process.kill();
        m_process.waitForFinished(1000);
        return false;
    }
    return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

bool SimulatorProcess::isRunning() const { return m_process.state() != QProcess::NotRunning; }

QString SimulatorProcess::linkPath() const { return m_dir.filePath(QStringLiteral("COM%1").arg(m_portNumber)); }

QString SimulatorProcess::tracePath() const { return m_dir.filePath(QStringLiteral("trace.log")); }

QStringList SimulatorProcess::traceLines() const
{
    QFile file(tracePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void PointPortAt(int portNumber, const QString& device)
{
    SettingsStore::WriteText(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(portNumber),
                             device);
}
