#include "SimRandom.h"
#include "SimulatedModule.h"
#include "protocol/Frame.h"

#include <QtTest>

#include <memory>

namespace {

QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

QString HexOf(const QByteArray& bytes)
{
    return HexText(bytes).trimmed();
}

QStringList HexOf(const QList<ModuleFrame>& frames)
{
    QStringList texts;
    for (const ModuleFrame& frame : frames)
        texts << HexOf(frame.bytes);
    return texts;
}

// "01 05 03 09 04" or "01 05 03 09 04 ignored" per heard frame.
QStringList Heard(const ModuleReaction& reaction)
{
    QStringList texts;
    for (const HeardFromHost& heard : reaction.heard)
        texts << HexOf(heard.bytes) + (heard.ignored ? QStringLiteral(" ignored") : QString());
    return texts;
}

const QByteArray kQueryIds = Hex("01 05 03 09 04");
const char* const kDefaultIds = "01 0B 83 01 00 01 00 01 00 92 04";
constexpr int kRate = 19200;

// A module with its own random source; options may be changed before module() is first used.
struct Bench {
    SimOptions options;
    SimRandom random{42};
    std::unique_ptr<SimulatedModule> made;

    SimulatedModule& module()
    {
        if (!made)
            made = std::make_unique<SimulatedModule>(options, random);
        return *made;
    }
    ModuleReaction feed(const QByteArray& bytes, int rate = kRate, qint64 nowMs = 0)
    {
        return module().receive(bytes, rate, nowMs);
    }
    QStringList answers(const QByteArray& bytes, int rate = kRate, qint64 nowMs = 0)
    {
        return HexOf(feed(bytes, rate, nowMs).frames);
    }
};

}  // namespace

class TestSimulatedModule : public QObject {
    Q_OBJECT
private slots:
    void everyCommand_isAnsweredWithCommandPlus128_data();
    void everyCommand_isAnsweredWithCommandPlus128();
    void frameNotActedOn_isHeardAsIgnored_data();
    void frameNotActedOn_isHeardAsIgnored();
    void bytesThatAreNoFrame_areNeitherHeardNorAnswered_data();
    void bytesThatAreNoFrame_areNeitherHeardNorAnswered();
    void frameSplitAtEveryOffset_isAnsweredOnce();
    void partialFrame_isAbandonedAfterGap();
    void hostAtAnotherRate_isIgnored_data();
    void hostAtAnotherRate_isIgnored();
    void frameStartedAtAnotherRate_isIgnored();
    void setIds_changesWhatQueryIdsReports();
    void settingsAndTestBlock_areKept_reservedByteCleared();
    void firmwareAnswer_followsOptions();
    void sleep_ignoresAllUntilWakeupByteAtItsRate();
    void setBaudrate_acksAtOldRate_thenListensAtNewRate();
    void statusReport_reflectsSetCommands();
    void rfData_reportsPerNackAndRetries_data();
    void rfData_reportsPerNackAndRetries();
    void statistics_countTrafficAndClear();
    void statistics_wrapAt65536();
    void peerMessages_countUpWithDataOf1To36Bytes();
    void randomStreams_neverGetMalformedAnswers();
};

void TestSimulatedModule::everyCommand_isAnsweredWithCommandPlus128_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QString>("answer");
    QTest::newRow("Send RF Data") << Hex("01 0A 01 01 02 00 41 42 92 04")
                                  << "01 08 81 01 01 00 8C 04";
    QTest::newRow("Set IDs") << Hex("01 0B 02 2C 01 FF FF 00 00 39 04") << "01 05 82 88 04";
    QTest::newRow("Query IDs") << kQueryIds << kDefaultIds;
    QTest::newRow("Query status") << Hex("01 05 04 0A 04") << "01 07 84 01 01 8E 04";
    QTest::newRow("Set Programmable Settings")
        << Hex("01 0C 08 00 01 03 00 01 19 00 33 04") << "01 05 88 8E 04";
    QTest::newRow("Query Programmable Settings")
        << Hex("01 05 09 0F 04") << "01 0C 89 00 01 03 00 01 19 00 B4 04";
    QTest::newRow("Query RF Statistics")
        << Hex("01 05 0F 15 04")
        << "01 15 8F 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 A5 04";
    QTest::newRow("Clear Statistics") << Hex("01 05 10 16 04") << "01 05 90 96 04";
    QTest::newRow("Enable Test Mode") << Hex("01 06 11 01 19 04") << "01 05 91 97 04";
    QTest::newRow("Set Test Mode Settings")
        << Hex("01 12 12 22 18 5C 01 32 0D 45 34 45 00 30 04 00 ED 04") << "01 05 92 98 04";
    QTest::newRow("Query Test Mode Settings")
        << Hex("01 05 13 19 04") << "01 12 93 22 18 5C 01 32 0D 45 34 45 00 30 04 00 6E 04";
    QTest::newRow("Query Firmware Version")
        << Hex("01 05 15 1B 04")
        << "01 1C 95 01 03 07 0F 04 11 28 43 29 20 4F 72 76 61 6C 69 73 20 52 61 64 69 6F 84 04";
    QTest::newRow("Set Sleep Mode") << Hex("01 05 16 1C 04") << "01 05 96 9C 04";
    QTest::newRow("Set Baudrate") << Hex("01 06 19 02 22 04") << "01 05 99 9F 04";
    QTest::newRow("Query Max PA Level") << Hex("01 05 21 27 04") << "01 06 A1 64 0C 04";
}

void TestSimulatedModule::everyCommand_isAnsweredWithCommandPlus128()
{
    QFETCH(QByteArray, command);
    QFETCH(QString, answer);
    Bench bench;
    const ModuleReaction reaction = bench.feed(command);
    QCOMPARE(HexOf(reaction.frames), QStringList{answer});
    QCOMPARE(Heard(reaction), QStringList{HexOf(command)});
    QVERIFY(reaction.frames.first().answer);
    QCOMPARE(reaction.frames.first().rate, kRate);
}

void TestSimulatedModule::frameNotActedOn_isHeardAsIgnored_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("bad checksum") << Hex("01 05 03 0A 04");
    QTest::newRow("unknown code 5") << BuildFrame(5);
    QTest::newRow("unknown code 127") << BuildFrame(127, Hex("01 02"));
    QTest::newRow("Query IDs with a payload") << BuildFrame(3, Hex("00"));
    QTest::newRow("Set IDs of 5 bytes") << BuildFrame(2, Hex("01 00 01 00 01"));
    QTest::newRow("Set Programmable Settings of 8 bytes") << BuildFrame(8, QByteArray(8, '\1'));
    QTest::newRow("Set Test Mode Settings of 12 bytes") << BuildFrame(18, QByteArray(12, '\0'));
    QTest::newRow("Enable Test Mode without payload") << BuildFrame(17);
    QTest::newRow("Set Baudrate index 4") << BuildFrame(25, Hex("04"));
    QTest::newRow("RF data without data") << BuildFrame(1, Hex("01 02 00"));
    QTest::newRow("RF data of 37 bytes") << BuildFrame(1, Hex("01 02 00") + QByteArray(37, 'x'));
}

void TestSimulatedModule::frameNotActedOn_isHeardAsIgnored()
{
    QFETCH(QByteArray, frame);
    Bench bench;
    const ModuleReaction reaction = bench.feed(frame);
    QCOMPARE(HexOf(reaction.frames), QStringList{});
    QCOMPARE(Heard(reaction), QStringList{HexOf(frame) + " ignored"});
    QCOMPARE(bench.module().rate(), kRate);
    QCOMPARE(bench.answers(kQueryIds), QStringList{kDefaultIds});  // nothing changed
}

void TestSimulatedModule::bytesThatAreNoFrame_areNeitherHeardNorAnswered_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("wrong end byte") << Hex("01 05 03 09 05");
    QTest::newRow("LEN 4") << Hex("01 04 03 08 04");
    QTest::newRow("LEN 47") << Hex("01 2F 03 09 04");
    QTest::newRow("a response type") << Hex("01 0B 83 01 00 01 00 01 00 92 04");
    QTest::newRow("garbage") << Hex("04 FF 7E 02 03 80");
}

void TestSimulatedModule::bytesThatAreNoFrame_areNeitherHeardNorAnswered()
{
    QFETCH(QByteArray, bytes);
    Bench bench;
    const ModuleReaction reaction = bench.feed(bytes);
    QCOMPARE(Heard(reaction), QStringList{});
    QCOMPARE(HexOf(reaction.frames), QStringList{});
    QCOMPARE(bench.answers(kQueryIds), QStringList{kDefaultIds});  // and it recovers
}

void TestSimulatedModule::frameSplitAtEveryOffset_isAnsweredOnce()
{
    const QByteArray stream = Hex("FF 04 7E") + kQueryIds;
    for (int offset = 1; offset < stream.size(); ++offset) {
        Bench bench;
        QStringList answers = bench.answers(stream.left(offset));
        answers += bench.answers(stream.mid(offset), kRate, 5);
        QVERIFY2(answers == QStringList{kDefaultIds}, qPrintable(QString::number(offset)));
    }
}

void TestSimulatedModule::partialFrame_isAbandonedAfterGap()
{
    Bench late;
    late.feed(Hex("01 05 03"), kRate, 0);
    QCOMPARE(late.answers(kQueryIds, kRate, SimulatedModule::kInterByteGapMs + 50),
             QStringList{kDefaultIds});

    Bench soon;  // within the gap the stale bytes swallow the frame's start
    soon.feed(Hex("01 05 03"), kRate, 0);
    QCOMPARE(soon.answers(kQueryIds, kRate, 20), QStringList{});
}

void TestSimulatedModule::hostAtAnotherRate_isIgnored_data()
{
    QTest::addColumn<int>("moduleRate");
    QTest::addColumn<int>("hostRate");
    QTest::addColumn<bool>("answered");
    for (int module : ModuleBaudRates())
        for (int host : ModuleBaudRates())
            QTest::addRow("module %d host %d", module, host) << module << host << (module == host);
}

void TestSimulatedModule::hostAtAnotherRate_isIgnored()
{
    QFETCH(int, moduleRate);
    QFETCH(int, hostRate);
    QFETCH(bool, answered);
    Bench bench;
    bench.options.baudRate = moduleRate;
    const ModuleReaction reaction = bench.feed(kQueryIds, hostRate);
    QCOMPARE(HexOf(reaction.frames), answered ? QStringList{kDefaultIds} : QStringList{});
    QCOMPARE(reaction.heard.size(), 1);
    QCOMPARE(reaction.heard.first().ignored, !answered);
    QCOMPARE(reaction.heard.first().hostRate, hostRate);
}

void TestSimulatedModule::frameStartedAtAnotherRate_isIgnored()
{
    Bench bench;
    bench.feed(kQueryIds.left(2), 9600);
    QCOMPARE(bench.answers(kQueryIds.mid(2), kRate, 1), QStringList{});
    QCOMPARE(bench.answers(kQueryIds, kRate, 2), QStringList{kDefaultIds});
}

void TestSimulatedModule::setIds_changesWhatQueryIdsReports()
{
    Bench bench;
    bench.options.transceiverId = 7;
    bench.options.networkId = 0x1234;
    bench.options.systemId = 65535;
    QCOMPARE(bench.answers(kQueryIds),
             QStringList{HexOf(BuildFrame(0x83, Hex("07 00 34 12 FF FF")))});
    bench.feed(Hex("01 0B 02 2C 01 FF FF 00 00 39 04"));
    QCOMPARE(bench.answers(kQueryIds), QStringList{"01 0B 83 2C 01 FF FF 00 00 BA 04"});
}

void TestSimulatedModule::settingsAndTestBlock_areKept_reservedByteCleared()
{
    Bench bench;
    QCOMPARE(bench.answers(Hex("01 0C 08 05 00 14 02 00 31 01 62 04")),
             QStringList{"01 05 88 8E 04"});
    QCOMPARE(bench.answers(Hex("01 05 09 0F 04")),
             QStringList{"01 0C 89 05 00 14 02 00 31 01 E3 04"});
    QCOMPARE(bench.answers(Hex("01 12 12 80 FF 00 01 02 03 04 05 06 07 08 09 7F 50 04")),
             QStringList{"01 05 92 98 04"});
    QCOMPARE(bench.answers(Hex("01 05 13 19 04")),
             QStringList{"01 12 93 80 FF 00 01 02 03 04 05 06 07 08 09 00 52 04"});
    QVERIFY(!bench.module().testMode());
    bench.feed(Hex("01 06 11 01 19 04"));
    QVERIFY(bench.module().testMode());
    bench.feed(Hex("01 06 11 00 18 04"));
    QVERIFY(!bench.module().testMode());
}

void TestSimulatedModule::firmwareAnswer_followsOptions()
{
    Bench bench;
    bench.options.firmware = {2, 10, 12, 31, 2099, "X"};
    QCOMPARE(bench.answers(Hex("01 05 15 1B 04")),
             QStringList{"01 0C 95 02 0A 0C 1F 63 01 58 95 04"});
}

void TestSimulatedModule::sleep_ignoresAllUntilWakeupByteAtItsRate()
{
    Bench bench;
    QCOMPARE(bench.answers(Hex("01 05 16 1C 04")), QStringList{"01 05 96 9C 04"});
    QVERIFY(bench.module().asleep());
    QCOMPARE(Heard(bench.feed(kQueryIds)), QStringList{"01 05 03 09 04 ignored"});
    // Zero bytes inside a frame are data, not a wake-up.
    QCOMPARE(Heard(bench.feed(Hex("01 0B 02 00 00 00 00 00 00 0E 04"))),
             QStringList{"01 0B 02 00 00 00 00 00 00 0E 04 ignored"});
    QCOMPARE(Heard(bench.feed(Hex("00"), 57600)), QStringList{"00 ignored"});
    QVERIFY(bench.module().asleep());

    const ModuleReaction woken = bench.feed(Hex("00") + kQueryIds);
    QCOMPARE(Heard(woken), (QStringList{"00", "01 05 03 09 04"}));
    QCOMPARE(HexOf(woken.frames), QStringList{kDefaultIds});
    QVERIFY(!bench.module().asleep());
    QCOMPARE(Heard(bench.feed(Hex("00"))), QStringList{"00"});  // harmless when awake
}

void TestSimulatedModule::setBaudrate_acksAtOldRate_thenListensAtNewRate()
{
    Bench bench;
    const ModuleReaction reaction = bench.feed(Hex("01 06 19 03 23 04"));
    QCOMPARE(HexOf(reaction.frames), QStringList{"01 05 99 9F 04"});
    QCOMPARE(reaction.frames.first().rate, 19200);
    QCOMPARE(bench.module().rate(), 57600);
    QCOMPARE(Heard(bench.feed(kQueryIds, 19200)), QStringList{"01 05 03 09 04 ignored"});
    const ModuleReaction atNewRate = bench.feed(kQueryIds, 57600);
    QCOMPARE(HexOf(atNewRate.frames), QStringList{kDefaultIds});
    QCOMPARE(atNewRate.frames.first().rate, 57600);
    bench.feed(Hex("01 06 19 00 20 04"), 57600);
    QCOMPARE(bench.module().rate(), 9600);
}

void TestSimulatedModule::statusReport_reflectsSetCommands()
{
    Bench bench;
    bench.options.statusReport = SimStatusReport{0, 0};
    const ModuleFrame report = bench.module().statusReport(0, 0);
    QCOMPARE(HexOf(report.bytes), "01 07 84 00 00 8C 04");
    QVERIFY(!report.answer);
    const QByteArray queryStatus = Hex("01 05 04 0A 04");
    QCOMPARE(bench.answers(queryStatus), QStringList{"01 07 84 00 00 8C 04"});
    bench.feed(Hex("01 0B 02 01 00 01 00 01 00 11 04"));
    QCOMPARE(bench.answers(queryStatus), QStringList{"01 07 84 01 00 8D 04"});
    bench.feed(Hex("01 0C 08 00 01 03 00 01 19 00 33 04"));
    QCOMPARE(bench.answers(queryStatus), QStringList{"01 07 84 01 01 8E 04"});
}

void TestSimulatedModule::rfData_reportsPerNackAndRetries_data()
{
    QTest::addColumn<double>("nack");
    QTest::addColumn<int>("maxRetries");
    QTest::newRow("always acknowledged, no retries") << 0.0 << 0;
    QTest::newRow("never acknowledged, 3 retries") << 1.0 << 3;
    QTest::newRow("half lost, up to 5 retries") << 0.5 << 5;
}

void TestSimulatedModule::rfData_reportsPerNackAndRetries()
{
    QFETCH(double, nack);
    QFETCH(int, maxRetries);
    Bench bench;
    bench.options.nackProbability = nack;
    bench.options.maxRetries = maxRetries;
    constexpr int kMessages = 200;
    int acks = 0;
    int transmissions = 0;
    QSet<int> retriesSeen;
    for (int i = 0; i < kMessages; ++i) {
        const QByteArray command = BuildFrame(1, QByteArray(1, char(i)) + Hex("02 00 41"));
        const QList<ModuleFrame> frames = bench.feed(command, kRate, i).frames;
        QCOMPARE(frames.size(), 1);
        const QByteArray report = frames.first().bytes;
        QCOMPARE(report.size(), 8);
        QCOMPARE(quint8(report.at(2)), quint8(0x81));
        QCOMPARE(quint8(report.at(3)), quint8(i));
        const int status = report.at(4);
        const int retries = report.at(5);
        QVERIFY(status == 0 || status == 1);
        QVERIFY(retries >= 0 && retries <= maxRetries);
        if (status == 0)
            QCOMPARE(retries, maxRetries);  // a lost message used every retry
        QCOMPARE(frames.first().delayMs, 5 + 10 * retries);
        acks += status;
        transmissions += 1 + retries;
        retriesSeen.insert(retries);
    }
    QCOMPARE(acks == kMessages, nack == 0.0);
    QCOMPARE(acks == 0, nack == 1.0);
    if (nack == 0.0)
        QCOMPARE(retriesSeen.size(), maxRetries + 1);  // uniformly spread, so all occur
    const RfStatisticsCounters& counters = bench.module().statistics();
    QCOMPARE(int(counters.totalPacketsSent), transmissions);
    QCOMPARE(int(counters.uniquePacketsSent), kMessages);
    QCOMPARE(int(counters.totalAcksReceived), acks);
    QCOMPARE(int(counters.uniqueAcksReceived), acks);
}

void TestSimulatedModule::statistics_countTrafficAndClear()
{
    Bench bench;
    for (int pid = 1; pid <= 3; ++pid)
        bench.feed(BuildFrame(1, QByteArray(1, char(pid)) + Hex("02 00 41 42")));
    bench.module().receivedRfData(7, Hex("41"));
    bench.module().rfDataForAnotherTransceiver(8, Hex("42"));
    const QByteArray query = Hex("01 05 0F 15 04");
    // sent 3 (3 acked); received 2 (1 for us, acked by us)
    QCOMPARE(bench.answers(query),
             QStringList{"01 15 8F 03 00 03 00 01 00 01 00 02 00 01 00 03 00 03 00 B6 04"});
    QCOMPARE(bench.answers(Hex("01 05 10 16 04")), QStringList{"01 05 90 96 04"});
    QCOMPARE(bench.answers(query),
             QStringList{"01 15 8F 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 A5 04"});
}

void TestSimulatedModule::statistics_wrapAt65536()
{
    RfStatisticsCounters counters;
    counters.totalPacketsSent = 65534;
    counters.uniquePacketsSent = 65535;
    counters.countSent(2, false);
    QCOMPARE(counters.totalPacketsSent, quint16(1));
    QCOMPARE(counters.uniquePacketsSent, quint16(0));
    QCOMPARE(HexOf(counters.payload().left(4)), "01 00 00 00");
}

void TestSimulatedModule::peerMessages_countUpWithDataOf1To36Bytes()
{
    Bench bench;
    QSet<int> lengths;
    for (int i = 1; i <= 300; ++i) {
        const ModuleFrame frame = bench.module().nextPeerMessage();
        const QByteArray& bytes = frame.bytes;
        QVERIFY(!frame.answer);
        QCOMPARE(quint8(bytes.at(2)), quint8(0x94));
        QCOMPARE(quint8(bytes.at(3)), quint8(i));  // wraps after 255
        QCOMPARE(bytes.mid(4, 4), QByteArray(4, '\0'));
        const int dataLength = bytes.size() - 10;
        QVERIFY2(dataLength >= 1 && dataLength <= 36, qPrintable(HexOf(bytes)));
        QCOMPARE(quint8(bytes.at(bytes.size() - 2)), FrameChecksum(bytes.left(bytes.size() - 2)));
        lengths.insert(dataLength);
    }
    QVERIFY(lengths.contains(1) && lengths.contains(36));
    QCOMPARE(int(bench.module().statistics().uniquePacketsReceived), 300);
}

void TestSimulatedModule::randomStreams_neverGetMalformedAnswers()
{
    Bench bench;
    QRandomGenerator generator(7);
    for (int round = 0; round < 2000; ++round) {
        QByteArray chunk(generator.bounded(1, 40), '\0');
        for (char& byte : chunk)
            byte = char(generator.bounded(0, 8) == 0 ? 1 : generator.bounded(256));
        if (generator.bounded(4) == 0)  // now and then a real frame
            chunk += BuildFrame(char(generator.bounded(0, 34)),
                                QByteArray(generator.bounded(0, 8), '\0'));
        const int rate = ModuleBaudRates().at(generator.bounded(4));
        for (const ModuleFrame& frame : bench.feed(chunk, rate, round * 30).frames) {
            const QByteArray& bytes = frame.bytes;
            QVERIFY(bytes.size() >= 5 && bytes.size() == quint8(bytes.at(1)));
            QCOMPARE(quint8(bytes.at(bytes.size() - 2)),
                     FrameChecksum(bytes.left(bytes.size() - 2)));
            QVERIFY(quint8(bytes.at(2)) >= 129);
        }
    }
}

QTEST_GUILESS_MAIN(TestSimulatedModule)
#include "tst_simulatedmodule.moc"
