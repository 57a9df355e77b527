#include "link/Discovery.h"
#include "link/PortProblemText.h"
#include "platform/ProtocolTimer.h"
#include "platform/SettingsStore.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/LinkHarness.h"
#include "support/ModuleResponder.h"
#include "ui/StatusBarPresenter.h"
#include "ui/StatusPanels.h"

#include <QSettings>
#include <QtTest>

namespace {

// Status bar panels without a window.
class RecordingStatusPanels : public StatusPanels {
public:
    QString panel[4];
    void SetStatusPanel(int index, const QString& text) override { panel[index] = text; }
};


// A search over the fake port, run to its end in virtual time.
struct Search {
    VirtualClock clock;
    LinkHarness h{false};
    RecordingStatusPanels status;
    TransceiverDiscovery discovery{h.link};
    StatusBarPresenter presenter{h.link, status};
    Search() { presenter.follow(discovery); }

    bool run(const SearchScope& scope = {})
    {
        QSignalSpy finished(&discovery, &TransceiverDiscovery::finished);
        discovery.FindTransceiver(scope);
        for (int ms = 0; finished.isEmpty() && ms < 10000; ms += 10)
            clock.advance(10);
        return !finished.isEmpty() && finished.first().first().toBool();
    }
    // The ports that the search woke, in order.
    QList<int> probedPorts() const
    {
        QList<int> ports;
        for (const FakeSerialPort::Write& w : h.port->writes())
            if (w.bytes == QByteArray(1, '\0'))
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
    void search_data();
    void search();
    void probeReplies_areNotLoggedNorHandled();
};

void TestDiscovery::search_data()
{
    QTest::addColumn<int>("storedPort");
    QTest::addColumn<QList<int>>("ports");        // the ports that open
    QTest::addColumn<int>("modulePort");          // 0: no module
    QTest::addColumn<QString>("moduleRate");
    QTest::addColumn<int>("scopePort");
    QTest::addColumn<QString>("scopeRate");
    QTest::addColumn<QList<int>>("probed");
    QTest::addColumn<QStringList>("panels");
    QTest::addColumn<QString>("storedAfter");     // "COMPort BaudRate"
    const QList<int> all{1, 2, 3, 4, 5, 6, 7, 8};
    QTest::newRow("stored port still right") << 5 << all << 5 << "9600" << 0 << ""
        << QList<int>{5} << QStringList{"Comm Port: 5", "Baud Rate: 9600", "Status:"} << "5 9600";
    QTest::newRow("silent everywhere keeps the settings") << 4 << QList<int>{4, 6} << 0 << "" << 0 << ""
        << QList<int>{4, 6}
        << QStringList{"Comm Port: None", "Baud Rate: ", "Status: No transceiver detected"} << "4 57600";
    QTest::newRow("narrowed to a port: found, not stored") << 0 << all << 6 << "38400" << 6 << ""
        << QList<int>{6} << QStringList{"Comm Port: 6", "Baud Rate: 38400", "Status:"} << "<none> <none>";
    QTest::newRow("narrowed to a rate the module does not use") << 0 << QList<int>{2} << 2 << "9600"
        << 0 << "19200" << QList<int>{2}
        << QStringList{"Comm Port: None", "Baud Rate: ", "Status: No transceiver detected"} << "<none> <none>";
}

void TestDiscovery::search()
{
    QFETCH(int, storedPort);
    QFETCH(QList<int>, ports);
    QFETCH(int, modulePort);
    QFETCH(QString, moduleRate);
    QFETCH(int, scopePort);
    QFETCH(QString, scopeRate);
    QFETCH(QList<int>, probed);
    QFETCH(QStringList, panels);
    QFETCH(QString, storedAfter);
    if (storedPort != 0) {
        SettingsStore::WriteNumber("Properties", "COMPort", storedPort);
        SettingsStore::WriteText("Properties", "BaudRate", "57600");
    }
    Search s;
    s.h.port->setOnlyPortsAvailable(QSet<int>(ports.begin(), ports.end()));
    if (modulePort != 0)
        s.h.port->setResponder(ModuleAnsweringIds(modulePort, moduleRate, kIdsReply));
    QCOMPARE(s.run({scopePort, scopeRate}), modulePort != 0 && panels[0] != "Comm Port: None");
    QCOMPARE(s.probedPorts(), probed);
    QCOMPARE((QStringList{s.status.panel[1], s.status.panel[2], s.status.panel[3]}), panels);
    QCOMPARE(Stored("COMPort") + ' ' + Stored("BaudRate"), storedAfter);
    QCOMPARE(s.h.link.phase(), panels[0] == "Comm Port: None" ? LinkPhase::Closed : LinkPhase::Idle);
}

void TestDiscovery::probeReplies_areNotLoggedNorHandled()
{
    Search s;
    int handled = 0;
    s.h.link.dispatcher().registerHandler(MessageCode::Ids, [&](const Frame&) { ++handled; });
    s.h.port->setResponder(ModuleAnsweringIds(1, "19200", kIdsReply));
    QVERIFY(s.run());
    QVERIFY(s.h.lines().isEmpty());
    QCOMPARE(handled, 0);
}

QTEST_GUILESS_MAIN(TestDiscovery)
#include "tst_discovery.moc"
