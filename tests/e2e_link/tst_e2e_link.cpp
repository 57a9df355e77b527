// The real serial stack (SerialLink over QSerialPort on a pseudo-terminal) against the
// module simulator: rates, sleep and wake, baud-rate change, line faults, unplugging.
#include "link/QtSerialPortAdapter.h"
#include "link/SerialLink.h"
#include "platform/EventWait.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/RecordingMessageList.h"
#include "support/SimulatorProcess.h"

#include <QSignalSpy>
#include <QtTest>

#include <map>
#include <memory>

namespace {

constexpr int kWaitMs = 5000;  // generous: the machine is shared

QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

const QByteArray kQueryIds = Hex("01 05 03 09 04");
const QString kIdsLine = QStringLiteral("TXCVR->Host (IDs): 01 0B 83 01 00 01 00 01 00 92 04 ");
const QString kQueryIdsTimeout = QStringLiteral("Query IDs Timeout!");

const int kCataloguedResponses[] = {129, 130, 131, 132, 136, 137, 142, 143,
                                    144, 145, 146, 147, 148, 149, 150, 153};

// The program's link on port 1, pointed at a simulator, counting dispatched frames.
struct Host {
    RecordingMessageList list;
    SerialLink link{std::make_unique<QtSerialPortAdapter>(), list};
    std::map<int, int> dispatched;

    Host()
    {
        for (int type : kCataloguedResponses)
            link.receive().dispatcher().registerHandler(type, [this, type] { ++dispatched[type]; });
    }

    bool open(const QString& rate)
    {
        SerialPort& port = link.port();
        return port.selectPort(1) && port.setParameters(PortParameters(rate)) && port.open();
    }

    bool reopenAt(const QString& rate)
    {
        link.port().close();
        return link.port().setParameters(PortParameters(rate)) && link.port().open();
    }

    void send(const QByteArray& frame) { link.SendMessageToTransceiver(frame, false); }

    // Log lines oldest first, blank lines left out.
    QStringList lines() const
    {
        QStringList chronological;
        for (auto it = list.lines.crbegin(); it != list.lines.crend(); ++it)
            if (!it->isEmpty())
                chronological << *it;
        return chronological;
    }

    int count(const QString& line) const { return int(lines().count(line)); }

    // Sends and waits until the request has been answered or has timed out.
    bool sendAndSettle(const QByteArray& frame)
    {
        const int before = int(lines().size());
        send(frame);
        const auto settled = [&] {
            return !link.transmit().isAwaitingResponse() && int(lines().size()) > before + 1;
        };
        return WaitWhileProcessingEvents(settled, kWaitMs);
    }
};

// The simulator on port 1 with the given arguments.
struct Module {
    SimulatorProcess process;

    bool start(const QStringList& arguments = {})
    {
        if (!process.start(arguments))
            return false;
        PointPortAt(1, process.linkPath());
        return true;
    }

    QStringList trace() const
    {
        QStringList lines;
        for (const QString& line : process.traceLines())
            lines << line.section(' ', 1);  // without the time
        return lines;
    }
};

}  // namespace

class TestE2eLink : public QObject {
    Q_OBJECT
private slots:
    void queryIds_isAnsweredOnlyAtModuleRate();
    void sleep_thenWakeupByte_precedesNextFrame();
    void setBaudrate_thenHostSwitches_isAnsweredAtNewRate();
    void faults_leaveHostConsistent_data();
    void faults_leaveHostConsistent();
    void controlLines_reachHostAsUnsolicitedFrames();
    void statusReport_comesOnceHostListens();
    void peerMessages_andRfDataReports_flow();
    void unplug_logsOneSerialPortError_andClosesPort();
};

void TestE2eLink::queryIds_isAnsweredOnlyAtModuleRate()
{
    Module module;
    QVERIFY2(module.start({"--baud", "38400"}), qPrintable(module.process.failure()));
    Host host;
    QVERIFY(host.open("9600"));
    QStringList outcomes;
    // As discovery does: close, change the rate, reopen, probe.
    for (const QString& rate : HostBaudRates()) {
        QVERIFY(host.reopenAt(rate));
        QVERIFY(host.sendAndSettle(kQueryIds));
        outcomes << rate + ": " + host.lines().last();
    }
    QCOMPARE(outcomes, (QStringList{"9600: " + kQueryIdsTimeout, "19200: " + kQueryIdsTimeout,
                                    "38400: " + kIdsLine, "57600: " + kQueryIdsTimeout}));
    QCOMPARE(host.dispatched[MessageCode::Ids], 1);
    const QStringList trace = module.trace();
    QVERIFY2(trace.contains("H>M 9600 01 05 03 09 04 ignored"), qPrintable(trace.join('\n')));
    QVERIFY(trace.contains("H>M 38400 01 05 03 09 04"));
    QVERIFY(trace.contains("M>H 38400 01 0B 83 01 00 01 00 01 00 92 04"));
    QVERIFY(trace.contains("H>M 57600 01 05 03 09 04 ignored"));
}

void TestE2eLink::sleep_thenWakeupByte_precedesNextFrame()
{
    Module module;
    QVERIFY2(module.start(), qPrintable(module.process.failure()));
    Host host;
    QVERIFY(host.open("19200"));
    QVERIFY(host.sendAndSettle(Hex("01 05 16 1C 04")));
    QCOMPARE(host.lines().last(), "TXCVR->Host (Set Sleep Mode Ack): 01 05 96 9C 04 ");

    QVERIFY(host.sendAndSettle(kQueryIds));  // asleep: not heard
    QCOMPARE(host.lines().last(), kQueryIdsTimeout);

    host.link.state().bWakeupNeeded = true;
    QVERIFY(host.sendAndSettle(kQueryIds));
    QCOMPARE(host.lines().last(), kIdsLine);
    QVERIFY(!host.link.state().bWakeupNeeded);
    QCOMPARE(module.trace(), (QStringList{"H>M 19200 01 05 16 1C 04", "M>H 19200 01 05 96 9C 04",
                                          "H>M 19200 01 05 03 09 04 ignored", "H>M 19200 00",
                                          "H>M 19200 01 05 03 09 04",
                                          "M>H 19200 01 0B 83 01 00 01 00 01 00 92 04"}));
}

void TestE2eLink::setBaudrate_thenHostSwitches_isAnsweredAtNewRate()
{
    Module module;
    QVERIFY2(module.start(), qPrintable(module.process.failure()));
    Host host;
    QVERIFY(host.open("19200"));
    host.send(Hex("01 06 19 03 23 04"));
    QTRY_COMPARE_WITH_TIMEOUT(host.dispatched[MessageCode::SetBaudrateAck], 1, kWaitMs);
    QCOMPARE(host.lines().last(), "TXCVR->Host (Set Baudrate Ack): 01 05 99 9F 04 ");

    QVERIFY(host.sendAndSettle(kQueryIds));  // the host still at the old rate
    QCOMPARE(host.lines().last(), kQueryIdsTimeout);

    QVERIFY(host.reopenAt("57600"));
    QVERIFY(host.sendAndSettle(kQueryIds));
    QCOMPARE(host.lines().last(), kIdsLine);
    QVERIFY(module.trace().contains("M>H 57600 01 0B 83 01 00 01 00 01 00 92 04"));
}

void TestE2eLink::faults_leaveHostConsistent_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("answersLogged");
    QTest::addColumn<int>("answersDispatched");
    QTest::addColumn<int>("timeouts");
    // Four queries each.
    QTest::newRow("badchk") << "badchk" << 4 << 3 << 0;
    QTest::newRow("noise") << "noise" << 4 << 4 << 0;
    QTest::newRow("split") << "split" << 4 << 4 << 0;
    QTest::newRow("silent") << "silent" << 0 << 0 << 4;
    QTest::newRow("all but silent, paced") << "badchk,noise,split" << 4 << 3 << 0;
}

void TestE2eLink::faults_leaveHostConsistent()
{
    QFETCH(QString, fault);
    QFETCH(int, answersLogged);
    QFETCH(int, answersDispatched);
    QFETCH(int, timeouts);
    Module module;
    QStringList arguments{"--fault", fault, "--seed", "5"};
    if (fault.contains(','))
        arguments << "--pace";
    QVERIFY2(module.start(arguments), qPrintable(module.process.failure()));
    Host host;
    QVERIFY(host.open("19200"));
    for (int i = 0; i < 4; ++i)
        QVERIFY(host.sendAndSettle(kQueryIds));
    const QStringList lines = host.lines();
    int logged = 0;
    for (const QString& line : lines)
        logged += line.startsWith("TXCVR->Host (IDs): ") ? 1 : 0;
    QCOMPARE(logged, answersLogged);
    QCOMPARE(host.dispatched[MessageCode::Ids], answersDispatched);
    QCOMPARE(host.count(kQueryIdsTimeout), timeouts);
    if (answersDispatched < answersLogged)  // the spoilt one is logged as it came
        QCOMPARE(lines.at(5), "TXCVR->Host (IDs): 01 0B 83 01 00 01 00 01 00 93 04 ");
    else if (answersLogged > 0)
        QCOMPARE(host.count(kIdsLine), answersLogged);
}

void TestE2eLink::controlLines_reachHostAsUnsolicitedFrames()
{
    Module module;
    QVERIFY2(module.start(), qPrintable(module.process.failure()));
    Host host;
    QVERIFY(host.open("19200"));
    QVERIFY(module.process.command("send148 7 4142"));
    QTRY_COMPARE_WITH_TIMEOUT(host.dispatched[MessageCode::ReceivedRfData], 1, kWaitMs);
    QVERIFY(module.process.command("send142 9 43"));
    QVERIFY(module.process.command("raw 01 05 99 9F 04"));
    QTRY_COMPARE_WITH_TIMEOUT(host.dispatched[MessageCode::SetBaudrateAck], 1, kWaitMs);
    QCOMPARE(
        host.lines(),
        (QStringList{
            "PID=7:TXCVR->Host (Received RF Data Message): 01 0C 94 07 00 00 00 00 41 42 2B 04 ",
            "TXCVR->Host (Received RF Data Message Sent To Another Transceiver): "
            "01 0B 8E 09 00 00 00 00 43 E6 04 ",
            "TXCVR->Host (Set Baudrate Ack): 01 05 99 9F 04 "}));
    QCOMPARE(host.dispatched[MessageCode::RfDataNotAddressedToUs], 1);
}

void TestE2eLink::statusReport_comesOnceHostListens()
{
    Module module;
    QVERIFY2(module.start({"--status", "0,1"}), qPrintable(module.process.failure()));
    Host host;
    QVERIFY(host.open("19200"));
    QTRY_COMPARE_WITH_TIMEOUT(host.dispatched[MessageCode::IdsAndSettingsStatus], 1, kWaitMs);
    QCOMPARE(
        host.lines(),
        QStringList{"TXCVR->Host (IDs And Programmable Settings Status): 01 07 84 00 01 8D 04 "});
    QVERIFY(host.reopenAt("19200"));  // once only, however often the host comes back
    QVERIFY(host.sendAndSettle(kQueryIds));
    QCOMPARE(host.dispatched[MessageCode::IdsAndSettingsStatus], 1);
}

void TestE2eLink::peerMessages_andRfDataReports_flow()
{
    Module module;
    QVERIFY2(module.start({"--peer-interval", "100", "--max-retries", "3", "--seed", "9"}),
             qPrintable(module.process.failure()));
    Host host;
    QVERIFY(host.open("57600") && host.reopenAt("19200"));
    QTRY_VERIFY_WITH_TIMEOUT(host.dispatched[MessageCode::ReceivedRfData] >= 3, kWaitMs);
    const QStringList lines = host.lines();
    QVERIFY(lines.at(0).startsWith("PID=1:TXCVR->Host (Received RF Data Message): 01 "));
    QVERIFY(lines.at(1).startsWith("PID=2:TXCVR->Host (Received RF Data Message): 01 "));

    host.link.SendMessageToTransceiver(Hex("01 0A 01 05 02 00 41 42 96 04"), true);
    QTRY_COMPARE_WITH_TIMEOUT(host.dispatched[MessageCode::SendRfDataAck], 1, kWaitMs);
    QString report;
    for (const QString& line : host.lines())
        if (line.startsWith("TXCVR->Host (Send RF Data Message Ack/Nack): "))
            report = line;
    QVERIFY2(report.startsWith("TXCVR->Host (Send RF Data Message Ack/Nack): 01 08 81 05 01 0"),
             qPrintable(report));
}

void TestE2eLink::unplug_logsOneSerialPortError_andClosesPort()
{
    Module module;
    QVERIFY2(module.start(), qPrintable(module.process.failure()));
    Host host;
    QVERIFY(host.open("19200"));
    QVERIFY(host.sendAndSettle(kQueryIds));
    QSignalSpy lost(&host.link, &SerialLink::portLost);
    QVERIFY(module.process.command("unplug"));
    QVERIFY(lost.wait(kWaitMs));
    QVERIFY(module.process.waitForExit());
    QVERIFY(!lost.wait(500));  // no second report however long the device stays gone
    QVERIFY(!host.link.port().isOpen());
    const QStringList lines = host.lines();
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines.last().startsWith("Serial Port Error: "), qPrintable(lines.last()));
    QVERIFY2(!lines.last().contains("ioctl"), qPrintable(lines.last()));
    host.send(kQueryIds);  // dropped as with a closed port
    QCOMPARE(host.lines().size(), 3);
    QVERIFY(!QFileInfo(module.process.linkPath()).isSymLink());  // removed on exit
}

QTEST_MAIN(TestE2eLink)
#include "tst_e2e_link.moc"
