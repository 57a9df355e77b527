#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/LinkHarness.h"
#include "support/Hex.h"

#include <QtTest>

namespace {

const QByteArray kSleepAck = Hex("01 05 96 9C 04");
const QByteArray kIdsReply = Hex("01 0B 83 2C 01 01 00 01 00 BE 04");

}  // namespace

class TestReceivePath : public QObject {
    Q_OBJECT
private slots:
    void gapOver200ms_dropsPartialFrame_data();
    void gapOver200ms_dropsPartialFrame();
    void badEndByte_keepsWatchdogRunning();
    void badChecksum_isLoggedButNotDispatched();
    void completeFrame_stopsWatchdog_andDispatchesOnlyCatalogued_data();
    void completeFrame_stopsWatchdog_andDispatchesOnlyCatalogued();
    void rfData_isShownBeforeDispatch_withPidInLog();
    void searching_idsReplyOnlySaysTheModuleIsThere();
    void frameFedInsideAHandler_isHandledWithItsOwnFrame();
    void overflow_logsBothLinesInOrder();
};



void TestReceivePath::gapOver200ms_dropsPartialFrame_data()
{
    QTest::addColumn<bool>("emptyNotification");
    QTest::newRow("silence after the partial frame") << false;
    // The port announces bytes that an earlier notification has already read.
    QTest::newRow("then a notification without bytes") << true;
}

void TestReceivePath::gapOver200ms_dropsPartialFrame()
{
    QFETCH(bool, emptyNotification);
    LinkHarness h;
    h.port->feedReceived(Hex("01 05"));
    if (emptyNotification)
        h.port->feedReceived({});
    QTest::qWait(250);
    h.port->feedReceived(Hex("96 9C 04"));
    QVERIFY(h.lines().isEmpty());
    h.port->feedReceived(kSleepAck);
    QCOMPARE(h.lines(), QStringList{"TXCVR->Host (Set Sleep Mode Ack): 01 05 96 9C 04 "});
}



void TestReceivePath::badEndByte_keepsWatchdogRunning()
{
    LinkHarness h;
    h.link.SendMessageToTransceiver(Hex("01 05 16 1C 04"), false);
    h.port->feedReceived(Hex("01 05 96 9C 05"));
    QVERIFY(h.link.transmit().isAwaitingResponse());
    QTRY_COMPARE_WITH_TIMEOUT(h.lines().first(), QStringLiteral("Set Sleep Mode Timeout!"), 2000);
}

void TestReceivePath::badChecksum_isLoggedButNotDispatched()
{
    LinkHarness h;
    int handled = 0;
    h.link.receive().dispatcher().registerHandler(MessageCode::SetSleepModeAck, [&](const Frame&) { ++handled; });
    h.link.SendMessageToTransceiver(Hex("01 05 16 1C 04"), false);
    h.port->feedReceived(Hex("01 05 96 9D 04"));
    QCOMPARE(h.lines().first(), QStringLiteral("TXCVR->Host (Set Sleep Mode Ack): 01 05 96 9D 04 "));
    QCOMPARE(handled, 0);
    QVERIFY(!h.link.transmit().isAwaitingResponse());
}

void TestReceivePath::completeFrame_stopsWatchdog_andDispatchesOnlyCatalogued_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("dispatched");
    QTest::newRow("set baudrate ack runs its handler")
        << Hex("01 06 99 02 A2 04") << "TXCVR->Host (Set Baudrate Ack): 01 06 99 02 A2 04 " << true;
    QTest::newRow("151 is logged only")
        << Hex("01 05 97 9D 04") << "TXCVR->Host (Received Message): 01 05 97 9D 04 " << false;
    QTest::newRow("161 is logged only")
        << Hex("01 06 A1 05 AD 04") << "TXCVR->Host (Received Message): 01 06 A1 05 AD 04 " << false;
}

void TestReceivePath::completeFrame_stopsWatchdog_andDispatchesOnlyCatalogued()
{
    QFETCH(QByteArray, frame);
    QFETCH(QString, line);
    QFETCH(bool, dispatched);
    LinkHarness h;
    QList<int> calls;
    for (int type = 129; type <= 175; ++type)
        if (IsCataloguedResponse(type))
            h.link.receive().dispatcher().registerHandler(type, [&calls, type](const Frame&) { calls << type; });
    h.link.SendMessageToTransceiver(Hex("01 05 03 09 04"), false);
    h.port->feedReceived(frame);
    QVERIFY(!h.link.transmit().isAwaitingResponse());
    QCOMPARE(h.lines().first(), line);
    QCOMPARE(calls.size(), dispatched ? 1 : 0);
    if (dispatched)
        QCOMPARE(calls.first(), static_cast<int>(static_cast<quint8>(frame.at(2))));
}

void TestReceivePath::rfData_isShownBeforeDispatch_withPidInLog()
{
    LinkHarness h;
    QStringList order;
    h.link.receive().setRfDataDisplay([&](const Frame&) { order << "display"; });
    h.link.receive().dispatcher().registerHandler(MessageCode::ReceivedRfData,
                                                  [&](const Frame&) { order << "handler"; });
    const QByteArray frame = BuildFrame(0x94, Hex("2A 00 00 00 00 41 42"));
    h.port->feedReceived(frame);
    QCOMPARE(order, (QStringList{"display", "handler"}));
    QCOMPARE(h.lines().first(),
             QStringLiteral("PID=42:TXCVR->Host (Received RF Data Message): ") + HexText(frame));
}

void TestReceivePath::searching_idsReplyOnlySaysTheModuleIsThere()
{
    LinkHarness h;
    int handled = 0;
    h.link.dispatcher().registerHandler(MessageCode::Ids, [&](const Frame&) { ++handled; });
    h.link.dispatcher().registerHandler(MessageCode::SetSleepModeAck, [&](const Frame&) { ++handled; });
    QSignalSpy answered(&h.link.receive(), &ReceivePath::moduleAnsweredSearch);
    h.link.BeginSearch();
    h.port->feedReceived(kIdsReply + kSleepAck);
    QCOMPARE(handled, 1);  // the sleep ack only
    QCOMPARE(answered.count(), 1);
    QVERIFY(h.link.state().bTransceiverFound);
    QVERIFY(h.lines().isEmpty());
}

void TestReceivePath::frameFedInsideAHandler_isHandledWithItsOwnFrame()
{
    LinkHarness h;
    const QByteArray rfData = BuildFrame(0x94, Hex("2A 00 00 00 00 41 42"));
    QStringList seen;
    h.link.receive().setRfDataDisplay([&](const Frame& f) { seen << "shown " + HexText(f.bytes()); });
    h.link.dispatcher().registerHandler(MessageCode::SetBaudrateAck, [&](const Frame& f) {
        h.port->feedReceived(rfData);  // arrives while the ack is being handled
        seen << QStringLiteral("ack %1").arg(f.payloadByte(1));
    });
    h.port->feedReceived(Hex("01 06 99 02 A2 04"));
    QCOMPARE(seen, (QStringList{"shown " + HexText(rfData), "ack 2"}));
}

void TestReceivePath::overflow_logsBothLinesInOrder()
{
    LinkHarness h;
    h.port->raiseOverflow();
    QCOMPARE(h.lines(), (QStringList{"", "Host PC Transmit Buffer Overflow!", "", "",
                                     "Host PC Receive Buffer Overflow!", ""}));
}


QTEST_GUILESS_MAIN(TestReceivePath)
#include "tst_receivepath.moc"
