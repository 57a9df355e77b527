// The configuration controllers over a session on the fake port, in virtual time: what each script writes, and
// what "ids", "rf" and "rate" report, in order (values, then states: U untouched, P pending, C confirmed).
#include "config/CommController.h"
#include "config/ConfigHandlers.h"
#include "config/FirmwareVersionReader.h"
#include "config/ConfigSettings.h"
#include "config/IdsController.h"
#include "config/Reprovisioning.h"
#include "config/RfSettingsController.h"
#include "protocol/MessageCatalogue.h"
#include "support/Hex.h"
#include "support/LinkHarness.h"

#include <QtTest>

namespace {

QStringList Play(const QString& script)
{
    VirtualClock clock;  // first: the session's timers run on it
    LinkHarness h;
    ConfigSettings settings;
    IdsController ids(settings, h.link);
    RfSettingsController rf(settings, h.link);
    CommController comm(h.link);
    ProtocolTimer tmrGeneric("tmrGeneric");
    Reprovisioning reprovisioning(h.link, ids, rf, tmrGeneric);
    FirmwareVersionReader firmware(h.link);
    RegisterConfigHandlers(h.link, {ids, rf, comm, firmware, reprovisioning});
    const auto show = [](const auto& c, int count) {
        QString values, states;
        for (int field = 0; field < count; ++field)
            values += QString::number(c.value(field)) + ' ', states += "UPC"[static_cast<int>(c.state(field))];
        return values + states;
    };
    QStringList seen;
    h.port->setResponder([&](FakeSerialPort&, const QByteArray& bytes) { seen << "write " + HexText(bytes).trimmed(); });
    using A = const QString&;
    const QMap<QString, std::function<void(A)>> verbs{
        {"reply", [&](A hex) { h.port->feedReceived(Hex(hex.toLatin1())); }},
        {"wait", [&](A ms) { clock.advance(ms.toInt()); }},
        {"unplug", [&](A) { h.port->setOnlyPortsAvailable({}); }},
        {"load", [&](A) { ids.ShowLoadedIds(); rf.ShowLoadedHopTableAcksAndRetries();
                          rf.ShowLoadedPaLevel(); rf.ShowLoadedChannelSettings(); }},
        {"getIds", [&](A) { ids.GetIDs(); }},
        {"setIds", [&](A) { ids.SetIDs(); }},
        {"id", [&](A v) { ids.setValue(v.section(' ', 0, 0).toInt(), v.section(' ', 1).toInt()); }},
        {"ids", [&](A) { seen << "ids " + show(ids, IdsController::kIdCount); }},
        {"getSettings", [&](A) { rf.GetProgrammableSettings(); }},
        {"setSettings", [&](A) { rf.SetProgrammableSettings(); }},
        {"rf", [&](A) { seen << "rf " + show(rf, RfSettingsController::kFieldCount); }},
        {"select", [&](A rate) { comm.selectRate(rate.toInt()); }},
        {"setBaudrate", [&](A) { comm.SetBaudrate(); }},
        {"rate", [&](A) { seen << QStringLiteral("rate %1 %2").arg(comm.selectedRate())
                                      .arg(h.port->isOpen() ? h.port->parameters() : "closed"); }},
    };
    for (const QString& event : script.split("; "))
        verbs.value(event.section(' ', 0, 0), [&](A) { seen << "unknown " + event; })(event.section(' ', 1));
    return seen;
}

}  // namespace

class TestConfigControllers : public QObject {
    Q_OBJECT
private slots:
    void scripts_data();
    void scripts();
};

void TestConfigControllers::scripts_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("expected");
    const QString setIds = "write 01 0B 02 01 00 01 00 01 00 11 04";
    QTest::newRow("IDs reply: stored and confirmed") << "getIds; reply 01 0B 83 2C 01 FF FF 00 00 BA 04; ids"
                                                     << QStringList{"write 01 05 03 09 04", "ids 300 65535 0 CCC"};
    QTest::newRow("Set IDs low byte first; the ack confirms later edits too")
        << "id 0 300; id 1 65535; id 2 0; setIds; id 1 5; ids; reply 01 05 82 88 04; ids"
        << QStringList{"write 01 0B 02 2C 01 FF FF 00 00 39 04", "ids 300 5 0 PPP", "ids 300 5 0 CCC"};
    QTest::newRow("load: numbers pending, switches only where their control changes")
        << "load; ids; rf" << QStringList{"ids 1 1 1 PPP", "rf 0 1 3 0 1 0 25 0 PPPPPUPU"};
    QTest::newRow("settings reply: acks 5 on, hop table 20 at 15, PA level 3 kept")
        << "load; getSettings; reply 01 0C 89 14 05 03 03 01 07 01 BE 04; rf; setSettings"
        << QStringList{"write 01 05 09 0F 04", "rf 15 1 3 3 1 0 7 1 CCCCCCCC", "write 01 0C 08 0F 01 03 03 01 07 01 34 04"};
    QTest::newRow("Set Baudrate without a choice: the rate in use") << "setBaudrate" << QStringList{"write 01 06 19 00 20 04"};
    QTest::newRow("requestDuringTheRatePause_isHeldBack; the rate selected at the ack is taken")
        << "select 2; setBaudrate; select 3; reply 01 05 99 9F 04; wait 300; getIds; wait 1800; rate; getIds"
        << QStringList{"write 01 06 19 02 22 04", "rate 3 57600,N,8,1", "write 01 05 03 09 04"};
    QTest::newRow("reopening at the new rate fails: port closed, selection kept")
        << "select 2; setBaudrate; unplug; reply 01 05 99 9F 04; wait 2100; rate"
        << QStringList{"write 01 06 19 02 22 04", "rate 2 closed"};
    QTest::newRow("status 01 01: nothing sent") << "load; reply 01 07 84 01 01 8E 04; wait 100" << QStringList{};
    QTest::newRow("status 01 00: IDs, then settings, both confirmed")
        << "load; reply 01 07 84 01 00 8D 04; reply 01 05 82 88 04; wait 100; reply 01 05 88 8E 04; ids; rf"
        << QStringList{setIds, "write 01 0C 08 00 01 03 00 01 19 00 33 04", "ids 1 1 1 CCC", "rf 0 1 3 0 1 0 25 0 CCCCCCCC"};
    QTest::newRow("status 00 00, Set IDs unanswered: settings dropped")
        << "load; reply 01 07 84 00 00 8C 04; wait 100" << QStringList{setIds};
}

void TestConfigControllers::scripts()
{
    QFETCH(QString, script);
    QFETCH(QStringList, expected);
    QCOMPARE(Play(script), expected);
}

QTEST_GUILESS_MAIN(TestConfigControllers)
#include "tst_configcontrollers.moc"
