#include "platform/ProtocolTimer.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/LinkHarness.h"
#include "support/Hex.h"

#include <QtTest>

namespace {

const QByteArray kSleepAck = Hex("01 05 96 9C 04");
const QByteArray kRfData = BuildFrame(0x94, Hex("2A 00 00 00 00 41 42"));

}  // namespace

class TestReceivePath : public QObject {
    Q_OBJECT
private slots:
    // A partial frame is dropped when no byte follows for over 200 ms, and when the port
    // is opened again: bytes from before can never start a frame that ends after.
    void partialFrame_droppedAfterAGapOrAReopening_data()
    {
        QTest::addColumn<bool>("emptyNotification");
        QTest::addColumn<bool>("reopened");
        QTest::newRow("silence after the partial frame") << false << false;
        // The port announces bytes that an earlier notification has already read.
        QTest::newRow("then a notification without bytes") << true << false;
        QTest::newRow("the port closed and opened again") << false << true;
    }
    void partialFrame_droppedAfterAGapOrAReopening()
    {
        QFETCH(bool, emptyNotification);
        QFETCH(bool, reopened);
        VirtualClock clock;
        LinkHarness h;
        h.port->feedReceived(Hex("01 05"));
        if (emptyNotification)
            h.port->feedReceived({});
        if (reopened) {
            h.port->close();
            QVERIFY(h.port->open());
        } else {
            clock.advance(250);
        }
        h.port->feedReceived(Hex("96 9C 04"));
        QVERIFY(h.lines().isEmpty());
        h.port->feedReceived(kSleepAck);
        QCOMPARE(h.lines(), QStringList{"TXCVR->Host (Set Sleep Mode Ack): 01 05 96 9C 04 "});
    }

    // Every complete frame is logged as it came; only a good one of a catalogued type ends
    // the wait for the reply and reaches a handler.
    void receivedFrame_loggedThenDispatchedIfGood_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QString>("line");  // the newest log line
        QTest::addColumn<int>("handled");   // the handler's type, 0 for none
        QTest::addColumn<bool>("replyEnded");
        QTest::newRow("set baudrate ack runs its handler")
            << Hex("01 06 99 02 A2 04") << "TXCVR->Host (Set Baudrate Ack): 01 06 99 02 A2 04 " << 153 << true;
        QTest::newRow("151 is logged only")
            << Hex("01 05 97 9D 04") << "TXCVR->Host (Received Message): 01 05 97 9D 04 " << 0 << true;
        QTest::newRow("161 is logged only")
            << Hex("01 06 A1 05 AD 04") << "TXCVR->Host (Received Message): 01 06 A1 05 AD 04 " << 0 << true;
        QTest::newRow("bad checksum is logged only")
            << Hex("01 05 96 9D 04") << "TXCVR->Host (Set Sleep Mode Ack): 01 05 96 9D 04 " << 0 << true;
        QTest::newRow("bad end byte: no frame, the reply still awaited")
            << Hex("01 05 96 9C 05") << "Host->TXCVR (Set Sleep Mode): 01 05 16 1C 04 " << 0 << false;
    }
    void receivedFrame_loggedThenDispatchedIfGood()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QString, line);
        QFETCH(int, handled);
        QFETCH(bool, replyEnded);
        VirtualClock clock;
        LinkHarness h;
        QList<int> calls;
        for (int type = 129; type <= 175; ++type)
            if (IsCataloguedResponse(type))
                h.link.dispatcher().registerHandler(type, [&calls, type](const Frame&) { calls << type; });
        h.link.SendMessageToTransceiver(Hex("01 05 16 1C 04"), false);
        h.port->feedReceived(frame);
        QCOMPARE(h.lines().value(0), line);
        QCOMPARE(calls, handled ? QList<int>{handled} : QList<int>{});
        QCOMPARE(h.link.transmit().isAwaitingResponse(), !replyEnded);
        clock.advance(2000);
        QCOMPARE(h.lines().first() == "Set Sleep Mode Timeout!", !replyEnded);
    }

    void rfData_isShownBeforeDispatch_withPidInLog()
    {
        LinkHarness h;
        QStringList order;
        h.link.receive().setRfDataDisplay([&](const Frame&) { order << "display"; });
        h.link.dispatcher().registerHandler(MessageCode::ReceivedRfData, [&](const Frame&) { order << "handler"; });
        h.port->feedReceived(kRfData);
        QCOMPARE(order, (QStringList{"display", "handler"}));
        QCOMPARE(h.lines().first(), "PID=42:TXCVR->Host (Received RF Data Message): " + HexText(kRfData));
    }

    // Bytes arriving while a handler runs wait for it: the handler keeps its own frame.
    void frameFedInsideAHandler_isHandledWithItsOwnFrame()
    {
        LinkHarness h;
        QStringList seen;
        h.link.receive().setRfDataDisplay([&](const Frame& f) { seen << "shown " + HexText(f.bytes()); });
        h.link.dispatcher().registerHandler(MessageCode::SetBaudrateAck, [&](const Frame& f) {
            h.port->feedReceived(kRfData);
            seen << QStringLiteral("ack %1").arg(f.payloadByte(1));
        });
        h.port->feedReceived(Hex("01 06 99 02 A2 04"));
        QCOMPARE(seen, (QStringList{"shown " + HexText(kRfData), "ack 2"}));
    }

    void overflow_logsBothLinesInOrder()
    {
        LinkHarness h;
        h.port->raiseOverflow();
        QCOMPARE(h.lines(), (QStringList{"", "Host PC Transmit Buffer Overflow!", "", "",
                                         "Host PC Receive Buffer Overflow!", ""}));
    }
};

QTEST_GUILESS_MAIN(TestReceivePath)
#include "tst_receivepath.moc"
