#include "cli/CliModule.h"

#include "config/CommController.h"
#include "config/ConfigHandlers.h"
#include "config/FirmwareVersionReader.h"
#include "config/IdsController.h"
#include "config/Reprovisioning.h"
#include "config/RfSettingsController.h"
#include "link/Discovery.h"
#include "link/LinkSession.h"
#include "platform/Clock.h"
#include "platform/ProtocolTimer.h"
#include "testmode/TestModeCommands.h"
#include "testmode/TestModeHandlers.h"
#include "traffic/FrontEndTimers.h"
#include "traffic/LinkHistoryRecorder.h"
#include "traffic/MessageLogController.h"
#include "traffic/PersistedSettings.h"
#include "traffic/RfDataController.h"
#include "traffic/StatisticsController.h"
#include "traffic/TrafficHandlers.h"

CliModule::CliModule(std::unique_ptr<SerialPort> port, QObject* parent) : QObject(parent)
{
    std::tie(tmrThroughput, tmrRepeat, tmrGeneric) = MakeFrontEndTimers(this);

    m_link = std::make_unique<LinkSession>(std::move(port), m_list, this);
    m_discovery = std::make_unique<TransceiverDiscovery>(*m_link);
    connect(&m_link->port(), &SerialPort::faulted, this, [this](const QString& description) {
        m_portFault = description;
        emit portFaulted(description);
    });
    // The stored settings come first, as at the window's start-up: a module that lost
    // its configuration is re-provisioned with them.
    LoadSettings(m_config, m_traffic);
    wireConfig();
    wireTraffic();
    m_testModeCommands = new TestModeCommands(m_testMode, *m_link, this);
    RegisterTestModeHandlers(*m_link, *m_testModeCommands);
    m_testModeCommands->InitTestModeAtStartUp();
    m_messageLog->ClearMessageLogState();
    m_rfData->ClearRandomMessageFlag();
}

CliModule::~CliModule()
{
    ShutDown();
}

void CliModule::wireConfig()
{
    m_ids = new IdsController(m_config, *m_link, this);
    m_rfSettings = new RfSettingsController(m_config, *m_link, this);
    m_comm = new CommController(*m_link, this);
    m_firmware = new FirmwareVersionReader(*m_link, this);
    m_reprovisioning = new Reprovisioning(*m_link, *m_ids, *m_rfSettings, *tmrGeneric, this);
    RegisterConfigHandlers(*m_link, {*m_ids, *m_rfSettings, *m_comm, *m_firmware, *m_reprovisioning});
}

void CliModule::wireTraffic()
{
    m_rfData = new RfDataController(*m_link, m_traffic, m_counters, *tmrRepeat, *tmrThroughput, this);
    m_statistics = new StatisticsController(*m_link, m_counters, m_config, *tmrThroughput, this);
    RegisterTrafficHandlers(*m_link, *m_rfData, *m_statistics);

    m_linkHistory = new LinkHistoryRecorder(m_counters, *tmrThroughput, this);
    m_linkHistory->follow(*m_statistics);
    m_linkHistory->follow(*m_rfData);

    const auto closingBlock = [this] {
        return ClosingBlockLines(m_statistics->transceiverCaptions(), m_counters,
                                 m_config.iRFRetries, Clock::Now());
    };
    MessageLogQuestions questions;
    questions.chooseFile = [this](const QString&, const QString&, bool) { return m_logFile; };
    // Lines are added to a log file that is there, never written over.
    questions.askToOverwrite = [](const QString&) { return false; };
    questions.showError = [this](const QString& text) { m_logFileErrors << text; };
    m_messageLog = new MessageLogController(m_link->log(), m_traffic, closingBlock, questions, this);
}

void CliModule::ShutDown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_discovery->AbandonSearch();
    m_messageLog->WriteLogEndAtShutDown();
    m_link->CloseAtShutDown();
}
