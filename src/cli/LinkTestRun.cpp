#include "cli/LinkTestRun.h"

#include "cli/CliModule.h"
#include "link/LinkSession.h"
#include "traffic/RfDataController.h"
#include "traffic/StatisticsController.h"

LinkTestRun::LinkTestRun(CliModule& module, const TestPlan& plan, QObject* parent)
    : QObject(parent), m_module(module), m_plan(plan)
{
    StatisticsController& statistics = m_module.statistics();
    RfDataController& rfData = m_module.rfData();
    connect(&statistics, &StatisticsController::packetSent, this, &LinkTestRun::OnPacketSent);
    connect(&statistics, &StatisticsController::deliveryReported, this, &LinkTestRun::OnDeliveryReported);
    connect(&statistics, &StatisticsController::throughputTicked, this,
            [this](double currentKbps, double averageKbps) {
                m_currentKbps = currentKbps;
                m_averageKbps = averageKbps;
            });
    connect(&rfData, &RfDataController::singleRepeatChanged, this, &LinkTestRun::OnRepetitionChanged);
    connect(&rfData, &RfDataController::randomRepeatChanged, this, &LinkTestRun::OnRepetitionChanged);
    m_tmrOutcomeWait.setSingleShot(true);
    connect(&m_tmrOutcomeWait, &ProtocolTimer::timeout, this, &LinkTestRun::Finish);
}

// The data goes in as typed into the data box, in its entry mode; the repeat delay and
// destination as typed into theirs.
void LinkTestRun::start()
{
    RfDataController& rfData = m_module.rfData();
    if (m_plan.destination)
        rfData.SetDestinationID(*m_plan.destination);
    // Without a delay the module paces the repetition: each report brings the next
    // message, and the repeat timer, at its longest, only stands in for a lost report.
    rfData.SetRepeatDelay(m_plan.delayMs > 0 ? m_plan.delayMs : kPacedFallbackMs);
    m_running = true;
    m_stopping = false;
    m_elapsedMs = -1;
    m_averageKbps = m_currentKbps = 0;
    m_clock.start();
    switch (m_plan.data) {
    case TestPlan::Data::Random:
        rfData.cmdSendRandomRepeatedMsg_Click();
        break;
    case TestPlan::Data::Hex:
        rfData.optHex_Click();
        rfData.txtRFData_Change(m_plan.text);
        rfData.cmdSendSingleRepeatedMsg_Click();
        break;
    case TestPlan::Data::Text:
        rfData.optAscii_Click();
        rfData.txtRFData_Change(m_plan.text);
        rfData.cmdSendSingleRepeatedMsg_Click();
        break;
    }
}

void LinkTestRun::stop()
{
    if (!m_running || m_stopping)
        return;
    m_stopping = true;
    m_module.rfData().StopRepetition();
    m_tmrOutcomeWait.start(kOutcomeWaitMs);
    // Looked at once the frame being written (if any) is on its way.
    QMetaObject::invokeMethod(this, &LinkTestRun::FinishWhenSettled, Qt::QueuedConnection);
}

double LinkTestRun::elapsedSeconds() const
{
    return (m_elapsedMs >= 0 ? m_elapsedMs : m_clock.isValid() ? m_clock.elapsed() : 0) / 1000.0;
}

void LinkTestRun::OnPacketSent()
{
    emit progressed();
    if (m_running && m_module.counters().lPacketsSent >= m_plan.count)
        stop();
}

// The repetition ended on its own: the port was lost or a search took it.
void LinkTestRun::OnRepetitionChanged(bool running)
{
    if (!running && m_running && !m_stopping)
        stop();
}

void LinkTestRun::OnDeliveryReported()
{
    emit progressed();
    if (m_running && !m_stopping && m_plan.delayMs == 0) {
        RfDataController& rfData = m_module.rfData();
        // The repeat timer's own tick, after the report's handler has returned.
        QMetaObject::invokeMethod(&rfData, [&rfData] { rfData.tmrRepeat_Timer(); }, Qt::QueuedConnection);
    }
    if (m_stopping) {
        m_tmrOutcomeWait.start(kOutcomeWaitMs);
        FinishWhenSettled();
    }
}

// Every message sent has been acknowledged or reported failed, or none can be any more.
void LinkTestRun::FinishWhenSettled()
{
    const TrafficCounters& counters = m_module.counters();
    if (counters.lAcksReceived + counters.lPacketsFailed >= counters.lPacketsSent
        || m_module.link().phase() == LinkPhase::Closed)
        Finish();
}

void LinkTestRun::Finish()
{
    if (!m_running || !m_stopping)
        return;
    m_tmrOutcomeWait.stop();
    m_elapsedMs = m_clock.elapsed();
    m_running = false;
    emit finished();
}
