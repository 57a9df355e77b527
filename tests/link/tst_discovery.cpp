#include "link/Discovery.h"
#include "link/PortProblemText.h"
#include "platform/SettingsStore.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/LinkHarness.h"
#include "support/ModuleResponder.h"
#include "support/RecordingStatusPanels.h"

#include <QSettings>
#include <QtTest>

namespace {

struct Search {
    LinkHarness h{false};
    RecordingStatusPanels status;
    TransceiverDiscovery discovery{h.link, status};

    Search()
    {
        h.link.receive().dispatcher().registerHandler(MessageCode::Ids,
                                                      [this] { HandleIdsReplyDuringSearch(h.link); });
    }
    // The ports that the search probed, in order, each once.
    QList<int> probedPorts() const
    {
        QList<int> ports;
        for (const FakeSerialPort::Write& w : h.port->writes())
            if (w.bytes == QByteArray(1, '\0') && (ports.isEmpty() || ports.last() != w.port))
                ports << w.port;
        return ports;
    }
};

QString Stored(const char* key)
{
    return SettingsStore::ReadText("Properties", QLatin1String(key), "<none>");
}

void ClearStore()
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, SettingsStore::kApplicationTitle).clear();
}

}  // namespace

class TestDiscovery : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearStore(); }
    void probeOfOnePort_followsTheSequence();
    void moduleOnPort3At38400_emptyStore();
    void storedPortStillRight_isTheOnlyOneTried();
    void silentEverywhere_reportsNothingFound_andKeepsSettings();
    void probeReplies_areNotLogged();
};

void TestDiscovery::probeOfOnePort_followsTheSequence()
{
    Search s;
    s.h.port->setOnlyPortsAvailable({2});
    s.h.link.state().sBaudRates = HostBaudRates();
    QVERIFY(!s.discovery.DetectTransceiverOnComPort(2));
    const QString query = "write 01 05 03 09 04";
    QCOMPARE(s.h.port->operations(),
             (QStringList{"select 2", "parameters 57600,N,8,1", "open 2", "close",
                          "open 2", "write 00",
                          "close", "parameters 9600,N,8,1", "open 2", query,
                          "close", "parameters 19200,N,8,1", "open 2", query,
                          "close", "parameters 38400,N,8,1", "open 2", query,
                          "close", "parameters 57600,N,8,1", "open 2", query,
                          "close"}));
    // Panel 2 shows each rate as it is tried.
    QCOMPARE(s.status.history,
             (QStringList{"3:Status: Searching for transceiver on Com Port 2",
                          "2:Baud Rate: 9600", "2:Baud Rate: 19200", "2:Baud Rate: 38400",
                          "2:Baud Rate: 57600"}));
    // The wake-up byte is followed by its 50 ms pause before the first rate is tried.
    QVERIFY(s.h.port->writes()[1].atMs - s.h.port->writes()[0].atMs >= 50);
}

void TestDiscovery::moduleOnPort3At38400_emptyStore()
{
    Search s;
    s.h.port->setResponder(ModuleAnsweringIds(3, "38400", kIdsReply));
    s.discovery.FindTransceiver();
    QCOMPARE(s.probedPorts(), (QList<int>{1, 2, 3}));
    QCOMPARE(Stored("COMPort"), QStringLiteral("3"));
    QCOMPARE(Stored("BaudRate"), QStringLiteral("38400"));
    QCOMPARE(s.status.panel[1], QStringLiteral("Comm Port: 3"));
    QCOMPARE(s.status.panel[2], QStringLiteral("Baud Rate: 38400"));
    QCOMPARE(s.status.panel[3], QStringLiteral("Status:"));
    QVERIFY(s.h.port->isOpen());
    QCOMPARE(s.h.port->parameters(), QStringLiteral("38400,N,8,1"));
    QCOMPARE(s.h.link.state().iBaudRateIndex, qint16(2));
    QCOMPARE(s.h.link.state().iCommPort, qint16(3));
    QVERIFY(!s.h.link.state().bSearching);
    // Ports 1 and 2 were each tried at all four rates.
    int queries = 0;
    for (const FakeSerialPort::Write& w : s.h.port->writes())
        queries += w.bytes == BuildFrame(MessageCode::QueryIds) && w.port < 3;
    QCOMPARE(queries, 8);
}

void TestDiscovery::storedPortStillRight_isTheOnlyOneTried()
{
    SettingsStore::WriteText("Properties", "COMPort", "5");
    SettingsStore::WriteText("Properties", "BaudRate", "9600");
    Search s;
    s.h.port->setResponder(ModuleAnsweringIds(5, "9600", kIdsReply));
    s.discovery.FindTransceiver();
    QCOMPARE(s.probedPorts(), QList<int>{5});
    QCOMPARE(s.status.panel[1], QStringLiteral("Comm Port: 5"));
    QCOMPARE(s.status.panel[2], QStringLiteral("Baud Rate: 9600"));
    QCOMPARE(s.h.link.state().iBaudRateIndex, qint16(0));
}

void TestDiscovery::silentEverywhere_reportsNothingFound_andKeepsSettings()
{
    SettingsStore::WriteText("Properties", "COMPort", "4");
    SettingsStore::WriteText("Properties", "BaudRate", "57600");
    Search s;
    s.h.port->setOnlyPortsAvailable({4, 6});
    s.discovery.FindTransceiver();
    QCOMPARE(s.probedPorts(), (QList<int>{4, 6}));  // ports that do not open are skipped silently
    QCOMPARE(s.status.history.filter("Searching").size(), 2);
    QCOMPARE(s.status.panel[1], QStringLiteral("Comm Port: None"));
    QCOMPARE(s.status.panel[2], QStringLiteral("Baud Rate: "));
    QCOMPARE(s.status.panel[3], QStringLiteral("Status: No transceiver detected"));
    QCOMPARE(s.h.link.state().iBaudRateIndex, qint16(3));
    QCOMPARE(Stored("COMPort"), QStringLiteral("4"));
    QCOMPARE(Stored("BaudRate"), QStringLiteral("57600"));
    QVERIFY(!s.h.port->isOpen());
    QVERIFY(!s.h.link.state().bSearching);
}

void TestDiscovery::probeReplies_areNotLogged()
{
    Search s;
    s.h.port->setResponder(ModuleAnsweringIds(1, "19200", kIdsReply));
    s.discovery.FindTransceiver();
    QCOMPARE(s.status.panel[1], QStringLiteral("Comm Port: 1"));
    QVERIFY(s.h.lines().isEmpty());
}

QTEST_GUILESS_MAIN(TestDiscovery)
#include "tst_discovery.moc"
