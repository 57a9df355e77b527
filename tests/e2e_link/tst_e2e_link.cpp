// The real serial stack (LinkSession over QSerialPort on a pseudo-terminal) against orvalis-sim.
#include "link/QtSerialPortAdapter.h"
#include "link/LinkSession.h"
#include "support/Waiting.h"
#include "protocol/Frame.h"
#include "support/RecordingMessageList.h"
#include "support/SimulatorProcess.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

constexpr int kWaitMs = 5000;  // generous: the machine is shared
const QString kQuery = QStringLiteral("01 05 03 09 04");
const QString kIdsLine = QStringLiteral("TXCVR->Host (IDs): 01 0B 83 01 00 01 00 01 00 92 04 ");
const QString kTimeout = QStringLiteral("Query IDs Timeout!");

// The program's link on port 1, pointed at a running simulator.
struct Bench {
    SimulatorProcess module;
    RecordingMessageList list;
    LinkSession link{std::make_unique<QtSerialPortAdapter>(), list};

    bool start(const QStringList& arguments)
    {
        const bool started = module.start(arguments);
        PointPortAt(1, module.linkPath());
        return started && link.port().selectPort(1) && reopenAt(QStringLiteral("19200"));
    }
    bool reopenAt(const QString& rate)  // as discovery does: close, change the rate, reopen
    {
        link.port().close();
        return link.port().setParameters(PortParameters(rate)) && link.port().open();
    }
    // Sends, waits for the answer or the response timeout, and gives the last log line.
    QString ask(const QString& frame)
    {
        link.SendMessageToTransceiver(BytesFromHexText(frame), false);
        LinkSettles(link, kWaitMs);
        return list.lines.value(0);  // empty while the log is empty
    }
};

}  // namespace

class TestE2eLink : public QObject {
    Q_OBJECT
private slots:
    // The module answers only at its own rate. Then the device goes after a conversation
    // (which leaves other errors behind): one line says it is disconnected, and once it
    // is back it is reopened at its rate and answers.
    void answeredAtItsRate_thenDetachedAndAttachedAgain_isReopenedAndAnswers()
    {
        Bench bench;
        QVERIFY2(bench.start({"--baud", "38400"}), qPrintable(bench.module.failure()));
        QVERIFY(bench.reopenAt("9600"));
        QCOMPARE(bench.ask(kQuery), kTimeout);
        QVERIFY(bench.module.traceLines().filter(QRegularExpression("H>M 9600 01 05 03 09 04 ignored$")).size() == 1);
        QVERIFY(bench.reopenAt("38400"));
        QCOMPARE(bench.ask(kQuery), kIdsLine);
        bench.list.lines.clear();
        QSignalSpy lost(&bench.link, &LinkSession::portLost);
        QSignalSpy reopened(&bench.link, &LinkSession::portReopened);
        QVERIFY(bench.module.command("detach"));
        QVERIFY(lost.wait(kWaitMs));
        QVERIFY(!lost.wait(500));  // no second report however long the device stays gone
        QVERIFY(bench.module.command("attach"));
        QVERIFY(reopened.wait(kWaitMs));
        QCOMPARE(bench.ask(kQuery), kIdsLine);
        QCOMPARE(reopened.size(), 1);
        QCOMPARE(bench.list.lines.filter(QRegularExpression(".")),  // not blank, newest first
                 (QStringList{kIdsLine, "Host->TXCVR (Query IDs): 01 05 03 09 04 ",
                              "Serial Port Reopened: " + bench.module.linkPath(),
                              "Serial Port Error: The serial device was disconnected"}));
    }

    // A peer floods the line from the first moment, as a search may find it: each time
    // the port is opened again, mid-frame, the module's reply to a query is still heard.
    void reopenedInAFlood_theReplyIsStillHeard()
    {
        Bench bench;
        QVERIFY2(bench.start({"--baud", "57600", "--peer-interval", "1", "--pace"}),
                 qPrintable(bench.module.failure()));
        for (int reopening = 1; reopening <= 5; ++reopening) {
            QVERIFY(bench.reopenAt("57600"));
            bench.list.lines.clear();
            bench.link.SendMessageToTransceiver(BytesFromHexText(kQuery), false);
            // Any frame ends the wait for a reply, so the peer's do too: wait for the line.
            QVERIFY2(WaitWhileProcessingEvents([&] { return bench.list.lines.contains(kIdsLine); }, kWaitMs),
                     qPrintable(QStringLiteral("reopening %1").arg(reopening)));
        }
    }
};

QTEST_MAIN(TestE2eLink)
#include "tst_e2e_link.moc"
