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
    void conversation_data()
    {
        QTest::addColumn<QStringList>("arguments");  // the simulator's
        QTest::addColumn<QStringList>("steps");      // a frame to ask, a rate to reopen at, "wake"
        QTest::addColumn<QStringList>("answers");    // the last log line after each frame
        QTest::addColumn<QString>("traceExcerpt");   // consecutive trace lines, without the times
        QTest::newRow("answered only at the module's rate")
            << QStringList{"--baud", "38400"} << QStringList{"9600", kQuery, "38400", kQuery}
            << QStringList{kTimeout, kIdsLine} << "H>M 9600 01 05 03 09 04 ignored";
        QTest::newRow("asleep, then woken by the byte before the frame")
            << QStringList{} << QStringList{"01 05 16 1C 04", kQuery, "wake", kQuery}
            << QStringList{"TXCVR->Host (Set Sleep Mode Ack): 01 05 96 9C 04 ", kTimeout, kIdsLine}
            << "ignored\nH>M 19200 00\nH>M 19200 01 05 03 09 04\nM>H 19200 01 0B 83";
        const QString spoilt = "TXCVR->Host (IDs): 01 0B 83 01 00 01 00 01 00 93 04 ";
        const QStringList ids{kIdsLine, kIdsLine, kIdsLine}, queries{kQuery, kQuery, kQuery};
        const std::pair<QString, QStringList> faults[] = {
            {"badchk", {kIdsLine, kIdsLine, spoilt}}, {"noise", ids}, {"split", ids},
            {"silent", {kTimeout, kTimeout, kTimeout}}};
        for (const auto& [fault, expected] : faults)  // a spoilt answer is logged as it came
            QTest::newRow(qPrintable(fault)) << QStringList{"--fault", fault, "--seed", "5"}
                                             << queries << expected << "";
    }

    void conversation()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, answers);
        QFETCH(QString, traceExcerpt);
        Bench bench;
        QVERIFY2(bench.start(arguments), qPrintable(bench.module.failure()));
        QStringList actual;
        for (const QString& step : steps) {
            if (step == "wake")
                bench.link.state().bWakeupNeeded = true;
            else if (!step.contains(' '))
                QVERIFY(bench.reopenAt(step));
            else
                actual << bench.ask(step);
        }
        QCOMPARE(actual, answers);
        QString trace;
        for (const QString& line : bench.module.traceLines())
            trace += line.section(' ', 1) + '\n';
        QVERIFY2(trace.contains(traceExcerpt), qPrintable(trace));
    }

    void deviceGone_logsOneDisconnectedLine_data()
    {
        QTest::addColumn<QString>("command");  // the simulator's, as the adapter goes
        QTest::addColumn<bool>("talkFirst");   // a conversation leaves other errors behind
        QTest::newRow("unplug") << "unplug" << false;
        QTest::newRow("detach after a reply") << "detach" << true;
    }

    void deviceGone_logsOneDisconnectedLine()
    {
        QFETCH(QString, command);
        QFETCH(bool, talkFirst);
        Bench bench;
        QVERIFY2(bench.start({}), qPrintable(bench.module.failure()));
        if (talkFirst)
            QCOMPARE(bench.ask(kQuery), kIdsLine);
        bench.list.lines.clear();
        QSignalSpy lost(&bench.link, &LinkSession::portLost);
        QVERIFY(bench.module.command(command));
        QVERIFY(lost.wait(kWaitMs));
        QVERIFY(!lost.wait(500));  // no second report however long the device stays gone
        const QStringList lines = bench.list.lines.filter(QRegularExpression("."));  // not blank
        QCOMPARE(lines, QStringList{"Serial Port Error: The serial device was disconnected"});
    }

    void detachedAndAttachedAgain_isReopenedAtItsRate_andAnswers()
    {
        Bench bench;
        QVERIFY2(bench.start({"--baud", "38400"}), qPrintable(bench.module.failure()));
        QVERIFY(bench.reopenAt("38400"));
        QCOMPARE(bench.ask(kQuery), kIdsLine);
        QSignalSpy lost(&bench.link, &LinkSession::portLost);
        QSignalSpy reopened(&bench.link, &LinkSession::portReopened);
        QVERIFY(bench.module.command("detach"));
        QVERIFY(lost.wait(kWaitMs));
        QVERIFY(bench.module.command("attach"));
        QVERIFY(reopened.wait(kWaitMs));
        QCOMPARE(bench.ask(kQuery), kIdsLine);
        QCOMPARE(lost.size(), 1);
        QCOMPARE(reopened.size(), 1);
        const QStringList status = bench.list.lines.filter(QRegularExpression("^Serial Port"));
        QCOMPARE(status.size(), 2);  // newest first
        QCOMPARE(status[0], "Serial Port Reopened: " + bench.module.linkPath());
        QVERIFY2(status[1].startsWith("Serial Port Error: "), qPrintable(status[1]));
    }
};

QTEST_MAIN(TestE2eLink)
#include "tst_e2e_link.moc"
