// The link session by events: each row plays a script of events against a session over
// the fake port and compares what happened, in order: the outcome of each send, each
// write, each log line, and the phase the session ends in.
#include "link/LinkSession.h"
#include "protocol/Frame.h"
#include "support/Hex.h"
#include "support/LinkHarness.h"
#include "platform/ProtocolTimer.h"

#include <QtTest>

namespace {

const QMap<QString, QByteArray> kFrames{
    {"query", Hex("01 05 03 09 04")},          // Query IDs
    {"version", Hex("01 05 15 1B 04")},        // Query Firmware Version
    {"rf", Hex("01 0A 01 07 02 00 41 42 98 04")},
    {"unnamed", Hex("01 05 21 27 04")},        // code 33: no name of its own
};

QString OutcomeName(SendOutcome outcome)
{
    switch (outcome) {
    case SendOutcome::Sent: return "sent";
    case SendOutcome::Waiting: return "waiting";
    case SendOutcome::Busy: return "busy";
    case SendOutcome::PortClosed: return "closed";
    }
    return "?";
}

QString PhaseName(LinkPhase phase)
{
    static const char* names[] = {"searching", "pausing", "closed", "cts", "waking", "awaiting", "idle"};
    return QLatin1String(names[static_cast<int>(phase)]);
}

// Plays `script` (events separated by "; ") in virtual time and returns what happened.
QStringList Play(const QString& script)
{
    VirtualClock clock;
    LinkHarness h;
    QStringList seen;
    h.link.log().setLineAddedHook([&](const QString& line) {
        if (!line.isEmpty())
            seen << "log " + line.trimmed();
    });
    h.port->setResponder([&](FakeSerialPort&, const QByteArray& written) {
        seen << "write " + HexText(written).trimmed();
    });
    for (const QString& event : script.split("; ")) {
        const QString verb = event.section(' ', 0, 0);
        const QString what = event.section(' ', 1);
        if (verb == "send")
            seen << OutcomeName(h.link.SendMessageToTransceiver(kFrames.value(what), what == "rf"));
        else if (verb == "sleep")
            h.link.state().bWakeupNeeded = true;
        else if (verb == "reply")
            h.port->feedReceived(Hex(what.toLatin1()));
        else if (verb == "wait")
            clock.advance(what.toInt());
        else if (verb == "fault")
            h.port->injectFault(what);
        else if (verb == "search")
            what == "begin" ? h.link.BeginSearch() : h.link.EndSearch();
        else if (verb == "pause")
            h.link.PauseAfterRateChange(what.toInt());
        else
            seen << "unknown event " + event;
    }
    seen << "phase " + PhaseName(h.link.phase());
    return seen;
}

}  // namespace

class TestLinkSession : public QObject {
    Q_OBJECT
private slots:
    void events_data();
    void events();
};

void TestLinkSession::events_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("expected");
    const QString writeQuery = "write 01 05 03 09 04";
    const QString logQuery = "log Host->TXCVR (Query IDs): 01 05 03 09 04";
    const QString writeVersion = "write 01 05 15 1B 04";
    const QString logVersion = "log Host->TXCVR (Query Firmware Version): 01 05 15 1B 04";
    QTest::newRow("any complete frame ends the request")
        << "send query; reply 01 05 96 9C 04; send version"
        << QStringList{writeQuery, logQuery, "sent",
                       "log TXCVR->Host (Set Sleep Mode Ack): 01 05 96 9C 04", writeVersion,
                       logVersion, "sent", "phase awaiting"};
    QTest::newRow("RF data is not tracked; RF data while a command is outstanding is dropped")
        << "send rf; send query; send rf"
        << QStringList{"write 01 0A 01 07 02 00 41 42 98 04",
                       "log PID=7:Host->TXCVR (Send RF Data Message): 01 0A 01 07 02 00 41 42 98 04",
                       "sent", writeQuery, logQuery, "sent", "busy", "phase awaiting"};
    QTest::newRow("after sleep: wake-up byte, pause, frame; others dropped meanwhile")
        << "sleep; send version; send query; wait 120"
        << QStringList{"write 00", "waiting", "busy", writeVersion, logVersion, "phase awaiting"};
    QTest::newRow("a fault abandons the request in flight")
        << "send unnamed; fault gone"
        << QStringList{"write 01 05 21 27 04", "log Host->TXCVR (Transmitted Message): 01 05 21 27 04",
                       "sent", "log Serial Port Error: gone", "log Received Message Timeout!", "phase closed"};
    QTest::newRow("nothing is sent during a search")
        << "search begin; send query; search end; send query"
        << QStringList{"busy", writeQuery, logQuery, "sent", "phase awaiting"};
    QTest::newRow("nothing is sent in the pause after a rate change")
        << "pause 150; send query; wait 250; send query"
        << QStringList{"busy", writeQuery, logQuery, "sent", "phase awaiting"};
}

void TestLinkSession::events()
{
    QFETCH(QString, script);
    QFETCH(QStringList, expected);
    QCOMPARE(Play(script), expected);
}

QTEST_GUILESS_MAIN(TestLinkSession)
#include "tst_linksession.moc"
