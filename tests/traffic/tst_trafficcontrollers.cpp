// The RF data and statistics controllers over a link to the fake port, in virtual time:
// frames written, packet IDs, repetitions and what ends them, counters and rates.
#include "config/ConfigSettings.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/Hex.h"
#include "support/LinkHarness.h"
#include "traffic/RfDataController.h"
#include "traffic/StatisticsController.h"
#include "traffic/TrafficCounters.h"
#include "traffic/TrafficHandlers.h"
#include "traffic/TrafficSettings.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

struct Traffic {
    VirtualClock clock;
    LinkHarness h;
    TrafficSettings settings;
    TrafficCounters counters;
    ConfigSettings config;
    ProtocolTimer tmrRepeat{"tmrRepeat"};
    ProtocolTimer tmrThroughput{"tmrThroughput"};
    RfDataController rf{h.link, settings, counters, tmrRepeat, tmrThroughput};
    StatisticsController statistics{h.link, counters, config, tmrThroughput};

    Traffic()
    {
        tmrThroughput.setInterval(1000);
        RegisterTrafficHandlers(h.link, rf, statistics);
    }
    QList<int> packetIds() const
    {
        QList<int> ids;
        for (const FakeSerialPort::Write& write : h.port->writes())
            ids << quint8(write.bytes.at(3));
        return ids;
    }
};

}  // namespace

class TestTrafficControllers : public QObject {
    Q_OBJECT
private slots:
    // A repetition sends at once and then every delay, each frame with the next packet ID,
    // until it is stopped, the data is gone, the port is lost or a search takes the port.
    void repetition_advancesPacketIds_untilItEnds_data()
    {
        QTest::addColumn<bool>("random");
        QTest::addColumn<QString>("endBy");
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("single, data emptied") << false << "empty" << QList<int>{7, 8, 9};
        QTest::newRow("single, search starts") << false << "search" << QList<int>{7, 8, 9};
        QTest::newRow("random, port lost") << true << "port lost" << QList<int>{8, 9, 10};
    }
    void repetition_advancesPacketIds_untilItEnds()
    {
        QFETCH(bool, random);
        QFETCH(QString, endBy);
        QFETCH(QList<int>, ids);
        Traffic t;
        QSignalSpy repeating(&t.rf, random ? &RfDataController::randomRepeatChanged
                                           : &RfDataController::singleRepeatChanged);
        t.rf.SetPacketID(7);
        t.rf.SetRepeatDelay(50);
        t.rf.txtRFData_Change("AB");
        random ? t.rf.cmdSendRandomRepeatedMsg_Click() : t.rf.cmdSendSingleRepeatedMsg_Click();
        t.clock.advance(120);
        if (endBy == "search")
            t.h.link.BeginSearch();
        else if (endBy == "port lost")
            t.h.port->injectFault("Input/output error");
        else
            t.rf.txtRFData_Change("");
        t.clock.advance(50);
        t.h.link.EndSearch();  // the port is free again: nothing more is sent
        t.clock.advance(500);
        QCOMPARE(t.packetIds(), ids);
        QCOMPARE(repeating.size(), 2);  // started, ended
        QVERIFY(!t.tmrRepeat.isActive() && !t.tmrThroughput.isActive());
        QCOMPARE(int(t.counters.lPacketsSent), int(ids.size()));
        if (!random)
            QCOMPARE(t.h.port->writes().at(0).bytes, Hex("01 0A 01 07 02 00 41 42 98 04"));
    }

    // In HEX mode the random-message note in the data box is not data: nothing is sent.
    void hexEntry_refusesTheRandomNote()
    {
        Traffic t;
        t.rf.optHex_Click();
        t.rf.cmdSendRandomMsg_Click();
        QVERIFY(t.rf.sRFData().startsWith("Random message of length: "));
        t.h.port->clearRecords();
        t.rf.cmdSendSingleMsg_Click();
        QVERIFY(t.h.port->writes().isEmpty());
        QCOMPARE(t.rf.sRFData(), QString());
    }

    // Delivery reports as the module sends them (packet ID, status, retries); reports too
    // short to hold all three are not counted.
    void deliveryReports_countAndRate_data()
    {
        QTest::addColumn<QList<QByteArray>>("reports");
        QTest::addColumn<int>("iRFRetries");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("figures");  // acks, with acks, overall (of 2 sent)
        QTest::newRow("too short") << QList<QByteArray>{{}, Hex("07 01")} << 1
            << QStringList{" 0 retries     0", " 1 retries     0", " Failed         0"}
            << QStringList{"0", "00.00%", "00.00%"};
        QTest::newRow("retries 3: ack 0, ack 2, nack") << QList<QByteArray>{Hex("01 01 00"), Hex("02 01 02"), Hex("03 00 00")} << 3
            << QStringList{" 0 retries     1", " 1 retries     0", " 2 retries     1", " 3 retries     0", " Failed         1"}
            << QStringList{"2", "100.00%", "25.00%"};
        QTest::newRow("ack after 25 retries counts only as ack") << QList<QByteArray>{Hex("01 01 19")} << 1
            << QStringList{" 0 retries     0", " 1 retries     0", " Failed         0"}
            << QStringList{"1", "50.00%", "00.00%"};
        QTest::newRow("status 2 fails") << QList<QByteArray>{Hex("01 01 00"), Hex("02 02 00")} << 0
            << QStringList{" 0 retries     1", " Failed         1"} << QStringList{"1", "50.00%", "50.00%"};
    }
    void deliveryReports_countAndRate()
    {
        QFETCH(QList<QByteArray>, reports);
        QFETCH(int, iRFRetries);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, figures);
        Traffic t;
        t.config.iRFRetries = qint16(iRFRetries);
        t.rf.txtRFData_Change("AB");
        t.rf.cmdSendSingleMsg_Click();
        t.rf.cmdSendSingleMsg_Click();
        for (const QByteArray& report : reports)
            t.h.port->feedReceived(BuildFrame(MessageCode::SendRfDataAck, report));
        QCOMPARE(t.statistics.RetryDistributionRows(), rows);
        QCOMPARE((QStringList{QString::number(t.counters.lAcksReceived),
                              t.statistics.PktSuccessWithAcksText(), t.statistics.OverallPktSuccessText()}),
                 figures);
    }
};

QTEST_GUILESS_MAIN(TestTrafficControllers)
#include "tst_trafficcontrollers.moc"
