#pragma once

#include "link/PortProblemText.h"

#include <QList>
#include <QObject>
#include <QString>
#include "platform/ProtocolTimer.h"

class LinkSession;

// Narrows a search to one port and/or one host rate (the command line does this for the
// start-up search). A narrowed search does not store the port and rate it finds, so a
// run on one port does not change where the next ordinary start looks first.
struct SearchScope {
    int portNumber = 0;  // 0: the stored port first, then 1 .. 8
    QString baudRate;    // empty: the four host rates
    bool remembersFind = true;  // a whole search stores what it finds (the command line may not)
    bool isNarrowed() const { return portNumber != 0 || !baudRate.isEmpty(); }
};

// Finds the module: the remembered port first, then ports 1 to 8, each at the four host
// rates, stopping at the first port and rate that answer a Query IDs probe. It runs from
// timers, one step at a time, and holds the link while it runs; `finished` ends it.
class TransceiverDiscovery : public QObject {
    Q_OBJECT
public:
    explicit TransceiverDiscovery(LinkSession& link, QObject* parent = nullptr);

    // FindTransceiver: the whole search.
    void FindTransceiver(const SearchScope& scope = {});
    // The settings dialog's probe of the port and rate chosen by hand (the port is
    // selected): wake-up byte at 57600, then one Query IDs at the chosen rate; the
    // outcome is reported and the port stays open either way.
    void ProbeChosenPort(int rateIndex);
    // The window is closing: a search under way stops now, leaves the port closed and
    // reports nothing but `finished`.
    void AbandonSearch();
    bool isRunning() const { return m_running; }
    // No module is in reach; `status` says why.
    void ReportNoModule(const QString& status);

signals:
    void searchingPort(int port);
    void probingRate(const QString& baudRate);
    // The module answered: port and rate in the link state are in use.
    void moduleFound();
    void noModule(const QString& status);
    void finished(bool found);

private:
    enum class Step { WakeupPause, ProbeWait };

    void Start();
    void NextPort();
    void NextRate();
    void ProbeAt(const QString& baudRate);
    void OnTimer();
    void OnModuleAnswered();
    void Finish(bool found);
    void FinishProbe();
    bool PortCanBeOpened(int iPort);
    QList<int> PortsToTry(int storedPort) const;
    PortRefusal RefusalOf(int iPort) const;
    void ReportFound(int iPort, int rateIndex);
    void SendQueryTransceiverIDSearchMessage();

    LinkSession& m_link;
    ProtocolTimer m_tmrStep{"tmrSearchStep", this};
    Step m_step = Step::WakeupPause;
    SearchScope m_scope;
    bool m_running = false;
    bool m_probingChosenPort = false;
    int m_chosenRateIndex = 0;
    QList<int> m_portsLeft;
    int m_port = 0;
    int m_rateIndex = 0;
    QList<PortRefusal> m_refusals;  // ports of the current search that did not open
};

// (100000 / rate) + 60: 70, 65, 62 and 61 ms for 9600 .. 57600.
int ProbeWaitMs(const QString& baudRate);
