#pragma once

#include "link/PortProblemText.h"

#include <QList>
#include <QString>

class SerialLink;
class StatusPanels;

// Narrows a search to one port and/or one host rate (the command line does this for the
// start-up search). A narrowed search does not store the port and rate it finds, so a
// run on one port does not change where the next ordinary start looks first.
struct SearchScope {
    int portNumber = 0;  // 0: the stored port first, then 1 .. 8
    QString baudRate;    // empty: the four host rates
    bool isNarrowed() const { return portNumber != 0 || !baudRate.isEmpty(); }
};

// Finds the module: the remembered port first, then ports 1 to 8, each at the four
// host rates, stopping at the first port and rate that answer a Query IDs probe. The
// probe's reply is dispatched while the probe waits (see HandleIdsReplyDuringSearch).
class TransceiverDiscovery {
public:
    TransceiverDiscovery(SerialLink& link, StatusPanels& status);

    void FindTransceiver(const SearchScope& scope = {});
    // The window is closing: a search under way stops at its next step and leaves the
    // port closed; later searches run again.
    void AbandonSearch() { m_abandoned = true; }
    // The last search found no module and panel 3 tells a port problem the user can act
    // on (permission denied, a configured device that does not exist).
    bool portProblemReported() const { return m_portProblemReported; }
    bool DetectTransceiverOnComPort(int iPort);
    // The settings dialog's probe of the port and rate chosen by hand (the port is
    // selected): wake-up byte at 57600, then one Query IDs at the chosen rate; the
    // status bar tells the outcome and the port stays open either way.
    void ProbeChosenPort(int rateIndex);
    // The probe frame, written past the transmit path: no clear-to-send wait, no
    // wake-up, no log line, no response watchdog.
    void SendQueryTransceiverIDSearchMessage();
    // The probe's wait at a rate: (100000 / rate) + 60 ms, ending early once found.
    void WaitForProbeReply(const QString& baudRate);
    void WaitMs(int ms);
    // Panels 1 and 2 say no port and no rate; panel 3 says why.
    void ReportNoModule(const QString& status);

private:
    bool PortCanBeOpened(int iPort);
    bool SearchAbandoned() const;
    QList<int> PortsToTry(int storedPort) const;
    PortRefusal RefusalOf(int iPort) const;
    void ReportFound(int iPort, int rateIndex);
    void ReportSearching(int iPort);

    SerialLink& m_link;
    StatusPanels& m_status;
    SearchScope m_scope;
    bool m_abandoned = false;
    QList<PortRefusal> m_refusals;  // ports of the current search that did not open
    bool m_portProblemReported = false;
};

// The first step of the IDs reply handler: during a search the reply only says that
// the module is there. Returns true when it handled the reply.
bool HandleIdsReplyDuringSearch(SerialLink& link);

// The stored "COMPort" (0 .. 8) and "BaudRate" (one of the host's rates); anything else
// in the store gives the default, 0 (no port) and "19200".
qint16 ReadStoredCommPort();
QString ReadStoredBaudRate();

// (100000 / rate) + 60: 70, 65, 62 and 61 ms for 9600 .. 57600.
int ProbeWaitMs(const QString& baudRate);
