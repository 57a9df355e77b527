#pragma once

#include "cli/HeadlessMessageList.h"
#include "config/ConfigSettings.h"
#include "link/SerialPort.h"
#include "testmode/TestModeSettings.h"
#include "traffic/TrafficCounters.h"
#include "traffic/TrafficSettings.h"

#include <QObject>

#include <memory>

class CommController;
class FirmwareVersionReader;
class IdsController;
class LinkHistoryRecorder;
class LinkSession;
class MessageLogController;
class ProtocolTimer;
class Reprovisioning;
class RfDataController;
class RfSettingsController;
class StatisticsController;
class TestModeCommands;
class TransceiverDiscovery;

// The module as the command line reaches it: the same link session, discovery and
// controllers the window wires, registered for the same replies, with the stored
// settings loaded as the window loads them, and no widget anywhere.
class CliModule : public QObject {
    Q_OBJECT
public:
    explicit CliModule(std::unique_ptr<SerialPort> port, QObject* parent = nullptr);
    ~CliModule() override;

    LinkSession& link() { return *m_link; }
    TransceiverDiscovery& discovery() { return *m_discovery; }
    IdsController& ids() { return *m_ids; }
    RfSettingsController& rfSettings() { return *m_rfSettings; }
    CommController& comm() { return *m_comm; }
    FirmwareVersionReader& firmware() { return *m_firmware; }
    RfDataController& rfData() { return *m_rfData; }
    StatisticsController& statistics() { return *m_statistics; }
    LinkHistoryRecorder& linkHistory() { return *m_linkHistory; }
    MessageLogController& messageLog() { return *m_messageLog; }
    HeadlessMessageList& messageList() { return m_list; }
    ConfigSettings& config() { return m_config; }
    TrafficSettings& trafficSettings() { return m_traffic; }
    const TrafficCounters& counters() const { return m_counters; }

    // Why the port failed last (the system's description), empty while it has not.
    QString portFault() const { return m_portFault; }
    // Asked of the message log: where its file goes; errors it reports are kept.
    void setLogFile(const QString& path) { m_logFile = path; }
    QStringList logFileErrors() const { return m_logFileErrors; }

    // Ends the way the window's shut-down does: the log file's closing block, the port
    // drained and closed.
    void ShutDown();

signals:
    void portFaulted(const QString& description);

private:
    void wireConfig();
    void wireTraffic();

    HeadlessMessageList m_list;
    ConfigSettings m_config;
    TrafficSettings m_traffic;
    TrafficCounters m_counters;
    TestModeSettings m_testMode = InitialTestModeSettings();
    std::unique_ptr<LinkSession> m_link;
    std::unique_ptr<TransceiverDiscovery> m_discovery;
    ProtocolTimer* tmrThroughput = nullptr;
    ProtocolTimer* tmrRepeat = nullptr;
    ProtocolTimer* tmrGeneric = nullptr;
    IdsController* m_ids = nullptr;
    RfSettingsController* m_rfSettings = nullptr;
    CommController* m_comm = nullptr;
    FirmwareVersionReader* m_firmware = nullptr;
    Reprovisioning* m_reprovisioning = nullptr;
    RfDataController* m_rfData = nullptr;
    StatisticsController* m_statistics = nullptr;
    LinkHistoryRecorder* m_linkHistory = nullptr;
    MessageLogController* m_messageLog = nullptr;
    TestModeCommands* m_testModeCommands = nullptr;
    QString m_portFault;
    QString m_logFile;
    QStringList m_logFileErrors;
    bool m_shutDown = false;
};
