#include "cli/CliCommand.h"

#include "cli/CliModule.h"
#include "cli/Output.h"
#include "link/Discovery.h"
#include "link/LinkSession.h"
#include "link/PortDeviceMap.h"

#include <memory>

namespace {

SearchScope ScopeFor(const PortChoice& choice, bool remember)
{
    SearchScope scope;
    scope.baudRate = choice.baudRate;
    scope.remembersFind = remember;
    if (choice.port.isEmpty())
        return scope;
    bool isNumber = false;
    scope.portNumber = choice.port.toInt(&isNumber);
    if (isNumber)
        return scope;
    scope.portNumber = PortNumberOfDevice(choice.port);
    if (scope.portNumber == 0) {  // a device no port number names yet: port 1 for this run
        UseDeviceForThisRun(1, choice.port);
        scope.portNumber = 1;
    }
    return scope;
}

}  // namespace

CliCommand::CliCommand(CliModule& module, const CliRequest& request, QObject* parent)
    : QObject(parent), m_module(module), m_request(request)
{
    connect(&m_module.link(), &LinkSession::linkFreed, this, &CliCommand::OnLinkFreed,
            Qt::QueuedConnection);
    connect(&m_module.link(), &LinkSession::portLost, this, [this] {
        if (!m_finished)
            portLost();
    });
}

void CliCommand::interrupt()
{
    fail(kExitInterrupted, QStringLiteral("interrupted"));
}

void CliCommand::portLost()
{
    fail(kExitPortLost, QStringLiteral("port lost: ") + m_module.portFault());
}

void CliCommand::FindModule(std::function<void()> found)
{
    TransceiverDiscovery& discovery = m_module.discovery();
    auto status = std::make_shared<QString>();
    connect(&discovery, &TransceiverDiscovery::noModule, this,
            [status](const QString& text) { *status = text; });
    connect(&discovery, &TransceiverDiscovery::finished, this,
            [this, status, found = std::move(found)](bool ok) {
                if (m_finished)
                    return;
                if (!ok) {
                    // The status bar's text, without the panel's own "Status: ".
                    const QString why = status->section(QStringLiteral("Status: "), -1).trimmed();
                    fail(kExitNoModule, QStringLiteral("no module found")
                                            + (why.isEmpty() ? QString() : QStringLiteral(": ") + why));
                    return;
                }
                // As at the end of the window's start-up: the module is awake.
                m_module.link().state().bWakeupNeeded = false;
                found();
            },
            Qt::SingleShotConnection);
    discovery.FindTransceiver(ScopeFor(m_request.portChoice, m_request.save));
}

void CliCommand::Ask(const std::function<void()>& send, std::function<bool()> answered,
                     std::function<void(bool)> done)
{
    m_answered = std::move(answered);
    m_done = std::move(done);
    send();
    // Dropped or never sent: the link is as free as it was, and no reply will come.
    if (m_module.link().phase() == LinkPhase::Idle)
        QMetaObject::invokeMethod(this, &CliCommand::OnLinkFreed, Qt::QueuedConnection);
}

void CliCommand::OnLinkFreed()
{
    if (!m_done || m_finished || m_module.link().phase() != LinkPhase::Idle)
        return;
    const auto done = std::move(m_done);
    m_done = nullptr;
    done(m_answered());
}

void CliCommand::finish(int exitStatus)
{
    if (m_finished)
        return;
    m_finished = true;
    emit finished(exitStatus);
}

void CliCommand::fail(int exitStatus, const QString& problem)
{
    if (m_finished)
        return;
    PrintProblem(problem);
    finish(exitStatus);
}

QString NoAnswerProblem(const QString& what)
{
    return QStringLiteral("the module did not answer %1").arg(what);
}
