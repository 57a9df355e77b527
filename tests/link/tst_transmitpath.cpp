#include "protocol/Frame.h"
#include "support/LinkHarness.h"
#include "support/Hex.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const QByteArray kQueryIds = Hex("01 05 03 09 04");
const QByteArray kGetVersion = Hex("01 05 15 1B 04");
const QByteArray kRfData = Hex("01 0A 01 07 02 00 41 42 98 04");

}  // namespace

class TestTransmitPath : public QObject {
    Q_OBJECT
private slots:
    void command_isWrittenLoggedAndTracked();
    void secondCommandWhileWaiting_isDropped();
    void rfDataMessage_isNotTracked_andCounted();
    void afterSleep_wakeupByteThenPauseThenFrame_once();
    void closedPort_writesAndLogsNothing();
    void clearToSendOffThenOn_frameWrittenLate();
    void clearToSendOffForGood_reportsTimeoutAndSendsNothing();
    void sendInsideAnotherSendsWait_isDropped_data();
    void sendInsideAnotherSendsWait_isDropped();
    void timeoutLine_data();
    void timeoutLine();
};

void TestTransmitPath::command_isWrittenLoggedAndTracked()
{
    LinkHarness h;  // the fake cannot tell clear-to-send: written at once
    h.link.SendMessageToTransceiver(kQueryIds, false);
    QCOMPARE(h.port->writtenData().toHex(' '), kQueryIds.toHex(' '));
    QCOMPARE(h.lines(), (QStringList{"Host->TXCVR (Query IDs): 01 05 03 09 04 ", ""}));
    QVERIFY(h.link.transmit().isAwaitingResponse());
    QCOMPARE(h.link.state().iTxMsgType, qint16(3));
}

void TestTransmitPath::secondCommandWhileWaiting_isDropped()
{
    LinkHarness h;
    h.link.SendMessageToTransceiver(kQueryIds, false);
    h.link.SendMessageToTransceiver(kGetVersion, false);
    QCOMPARE(h.port->writes().size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(h.lines().size(), 3, 2000);
    QCOMPARE(h.lines().first(), QStringLiteral("Query IDs Timeout!"));
    QTest::qWait(700);
    QCOMPARE(h.lines().size(), 3);  // one time-out line only
    h.link.SendMessageToTransceiver(kGetVersion, false);
    QCOMPARE(h.port->writes().size(), 2);  // free again after the time-out
}

void TestTransmitPath::rfDataMessage_isNotTracked_andCounted()
{
    LinkHarness h;
    QSignalSpy written(&h.link.transmit(), &TransmitPath::rfDataFrameWritten);
    h.link.SendMessageToTransceiver(kRfData, true);
    QVERIFY(!h.link.transmit().isAwaitingResponse());
    QCOMPARE(written.count(), 1);
    QCOMPARE(h.lines().first(),
             QStringLiteral("PID=7:Host->TXCVR (Send RF Data Message): 01 0A 01 07 02 00 41 42 98 04 "));
    h.link.SendMessageToTransceiver(kQueryIds, false);
    QCOMPARE(h.port->writes().size(), 2);  // a command right after RF data is not dropped
    h.link.SendMessageToTransceiver(kRfData, true);  // but RF data while it is outstanding is
    QCOMPARE(h.port->writes().size(), 2);
    QCOMPARE(written.count(), 1);
}


void TestTransmitPath::afterSleep_wakeupByteThenPauseThenFrame_once()
{
    LinkHarness h;
    h.link.state().bWakeupNeeded = true;
    h.link.SendMessageToTransceiver(kGetVersion, false);
    QCOMPARE(h.port->writes().size(), 2);
    QCOMPARE(h.port->writes()[0].bytes, QByteArray(1, '\0'));
    QCOMPARE(h.port->writes()[1].bytes.toHex(' '), kGetVersion.toHex(' '));
    QVERIFY(h.port->writes()[1].atMs - h.port->writes()[0].atMs >= 50);
    QVERIFY(!h.link.state().bWakeupNeeded);
    // The log shows the frame only, not the wake-up byte.
    QCOMPARE(h.lines().first(), QStringLiteral("Host->TXCVR (Query Firmware Version): 01 05 15 1B 04 "));

    h.link.transmit().StopMsgTimeoutTimer();
    h.link.SendMessageToTransceiver(kGetVersion, false);
    QCOMPARE(h.port->writes().size(), 3);
    QCOMPARE(h.port->writes()[2].bytes.toHex(' '), kGetVersion.toHex(' '));
}

void TestTransmitPath::closedPort_writesAndLogsNothing()
{
    LinkHarness h(false);
    QSignalSpy written(&h.link.transmit(), &TransmitPath::rfDataFrameWritten);
    h.link.SendMessageToTransceiver(kRfData, true);
    h.link.SendMessageToTransceiver(kQueryIds, false);
    QVERIFY(h.port->writes().isEmpty());
    QVERIFY(h.lines().isEmpty());
    QCOMPARE(written.count(), 0);
    QVERIFY(!h.link.transmit().isAwaitingResponse());
}

void TestTransmitPath::clearToSendOffThenOn_frameWrittenLate()
{
    LinkHarness h;
    h.port->setClearToSend(CtsState::NotAsserted);
    QTimer::singleShot(150, h.port, [&h] { h.port->setClearToSend(CtsState::Asserted); });
    h.link.SendMessageToTransceiver(kQueryIds, false);
    QCOMPARE(h.port->writes().size(), 1);
    QVERIFY(h.port->writes()[0].atMs >= 140);
    QCOMPARE(h.lines().first(), QStringLiteral("Host->TXCVR (Query IDs): 01 05 03 09 04 "));
}

void TestTransmitPath::clearToSendOffForGood_reportsTimeoutAndSendsNothing()
{
    LinkHarness h;
    h.port->setClearToSend(CtsState::NotAsserted);
    h.link.SendMessageToTransceiver(kQueryIds, false);
    QVERIFY(h.port->writes().isEmpty());
    QCOMPARE(h.lines(), (QStringList{"", "Clear To Send Timeout!", ""}));
    QVERIFY(!h.link.transmit().isAwaitingResponse());
}

void TestTransmitPath::sendInsideAnotherSendsWait_isDropped_data()
{
    QTest::addColumn<bool>("wakeupPause");
    QTest::addColumn<bool>("innerIsRfData");
    QTest::newRow("command inside the wake-up pause") << true << false;
    QTest::newRow("RF data inside the wake-up pause") << true << true;
    QTest::newRow("command inside the clear-to-send wait") << false << false;
}

void TestTransmitPath::sendInsideAnotherSendsWait_isDropped()
{
    QFETCH(bool, wakeupPause);
    QFETCH(bool, innerIsRfData);
    LinkHarness h;
    h.link.state().bWakeupNeeded = wakeupPause;
    if (!wakeupPause) {
        h.port->setClearToSend(CtsState::NotAsserted);
        QTimer::singleShot(100, h.port, [&h] { h.port->setClearToSend(CtsState::Asserted); });
    }
    QTimer::singleShot(20, h.port, [&] {
        h.link.SendMessageToTransceiver(innerIsRfData ? kRfData : kQueryIds, innerIsRfData);
    });
    h.link.SendMessageToTransceiver(kGetVersion, false);

    QCOMPARE(h.port->writtenData().toHex(' '),
             ((wakeupPause ? QByteArray(1, '\0') : QByteArray()) + kGetVersion).toHex(' '));
    QCOMPARE(h.lines(),
             (QStringList{"Host->TXCVR (Query Firmware Version): 01 05 15 1B 04 ", ""}));
    QTRY_COMPARE_WITH_TIMEOUT(h.lines().size(), 3, 2000);  // the outer frame's watchdog runs
    QCOMPARE(h.lines().first(), QStringLiteral("Query Firmware Version Timeout!"));
}

void TestTransmitPath::timeoutLine_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("line");
    QTest::newRow("query IDs") << kQueryIds << "Query IDs Timeout!";
    QTest::newRow("firmware") << kGetVersion << "Query Firmware Version Timeout!";
    QTest::newRow("code 33 has the catch-all name")
        << Hex("01 05 21 27 04") << "Received Message Timeout!";
}

void TestTransmitPath::timeoutLine()
{
    QFETCH(QByteArray, frame);
    QFETCH(QString, line);
    LinkHarness h;
    h.link.SendMessageToTransceiver(frame, false);
    QTRY_COMPARE_WITH_TIMEOUT(h.lines().size(), 3, 2000);
    QCOMPARE(h.lines()[0], line);
    QVERIFY(h.lines()[1].startsWith(QStringLiteral("Host->TXCVR (")));
    QCOMPARE(h.lines()[2], QString());
}


QTEST_GUILESS_MAIN(TestTransmitPath)
#include "tst_transmitpath.moc"
