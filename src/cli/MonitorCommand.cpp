#include "cli/MonitorCommand.h"

#include "cli/CliModule.h"
#include "cli/Output.h"

#include <QJsonObject>

void MonitorCommand::start()
{
    FindModule([this] {
        m_watching = true;
        m_clock.start();
        m_module.messageList().setLineShown(
            [this](const QString& text, const QDateTime& arrived) { Print(text, arrived); });
        PrintProblem(QStringLiteral("monitoring; Ctrl+C ends"));
    });
}

// The separators that set exchanges apart in the window carry nothing on a terminal.
void MonitorCommand::Print(const QString& text, const QDateTime& arrived)
{
    if (text.isEmpty() || isFinished())
        return;
    if (text.contains(QLatin1String("TXCVR->Host (")))
        ++m_fromModule;
    else if (text.contains(QLatin1String("Host->TXCVR (")))
        ++m_fromHost;
    else
        ++m_other;
    PrintLine(m_request.timestamps ? arrived.time().toString(QStringLiteral("hh:mm:ss.zzz ")) + text
                                   : text);
}

void MonitorCommand::interrupt()
{
    if (!m_watching) {
        CliCommand::interrupt();
        return;
    }
    Summarise(kExitOk, {});
}

void MonitorCommand::portLost()
{
    if (!m_watching) {
        CliCommand::portLost();
        return;
    }
    Summarise(kExitPortLost, QStringLiteral("port lost: ") + m_module.portFault());
}

void MonitorCommand::Summarise(int exitStatus, const QString& problem)
{
    const double seconds = m_clock.elapsed() / 1000.0;
    m_module.messageList().setLineShown(nullptr);
    if (m_request.json)
        PrintJson({{"frames_from_module", m_fromModule},
                   {"frames_from_host", m_fromHost},
                   {"other_lines", m_other},
                   {"elapsed_s", seconds}});
    else
        PrintLine(QStringLiteral("%1 frames from the module, %2 from the host, %3 other lines in %4 s")
                      .arg(m_fromModule)
                      .arg(m_fromHost)
                      .arg(m_other)
                      .arg(seconds, 0, 'f', 1));
    problem.isEmpty() ? finish(exitStatus) : fail(exitStatus, problem);
}
