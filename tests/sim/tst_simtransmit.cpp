#include "ControlCommand.h"
#include "FaultPlan.h"
#include "LineWriter.h"
#include "SimRandom.h"
#include "TraceLog.h"
#include "protocol/Frame.h"

#include <QtTest>

namespace {

QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

QString HexOf(const QByteArray& bytes)
{
    return HexText(bytes).trimmed();
}

const QByteArray kIds = Hex("01 0B 83 01 00 01 00 01 00 92 04");

ModuleFrame Answer(const QByteArray& bytes, int delayMs = 0)
{
    return {bytes, delayMs, 19200, true};
}

ModuleFrame Unsolicited(const QByteArray& bytes)
{
    return {bytes, 0, 19200, false};
}

// What a host would read: the chunks' bytes in order.
QByteArray Joined(const QList<WriteChunk>& chunks)
{
    QByteArray bytes;
    for (const WriteChunk& chunk : chunks)
        bytes += chunk.bytes;
    return bytes;
}

}  // namespace

Q_DECLARE_METATYPE(ControlCommand::Kind)

class TestSimTransmit : public QObject {
    Q_OBJECT
private slots:
    void noFaults_oneChunkDueAfterDelay_tracedAsIs();
    void silent_dropsAnswersOnly();
    void badChecksum_spoilsEveryThirdFrameOnly();
    void noise_precedesFrame_andNeverHoldsStartByte();
    void split_givesTwoHalves50msApart();
    void writer_keepsOrder_pausesAndTracesBeforeBytes();
    void writer_dropsChunksWhileNobodyListens();
    void writer_pace_neverFasterThanModuleRate();
    void writer_lineFull_retriesRest();
    void traceLine_format_data();
    void traceLine_format();
    void controlCommand_parsing_data();
    void controlCommand_parsing();
    void controlCommand_status();
};

void TestSimTransmit::noFaults_oneChunkDueAfterDelay_tracedAsIs()
{
    SimRandom random(1);
    FaultPlan plan({}, random);
    const QList<WriteChunk> chunks = plan.chunksFor(Answer(kIds, 25), 1000);
    QCOMPARE(chunks.size(), 1);
    QCOMPARE(HexOf(chunks.first().bytes), HexOf(kIds));
    QCOMPARE(HexOf(chunks.first().tracedFrame), HexOf(kIds));
    QCOMPARE(chunks.first().notBeforeMs, 1025);
    QCOMPARE(chunks.first().rate, 19200);
}

void TestSimTransmit::silent_dropsAnswersOnly()
{
    SimRandom random(1);
    SimFaults faults;
    faults.silent = true;
    FaultPlan plan(faults, random);
    QVERIFY(plan.chunksFor(Answer(kIds), 0).isEmpty());
    QCOMPARE(HexOf(Joined(plan.chunksFor(Unsolicited(kIds), 0))), HexOf(kIds));
}

void TestSimTransmit::badChecksum_spoilsEveryThirdFrameOnly()
{
    SimRandom random(1);
    SimFaults faults;
    faults.badChecksum = true;
    FaultPlan plan(faults, random);
    for (int n = 1; n <= 9; ++n) {
        const QByteArray sent = Joined(plan.chunksFor(n % 2 ? Answer(kIds) : Unsolicited(kIds), 0));
        QCOMPARE(sent.size(), kIds.size());
        QCOMPARE(sent.left(9), kIds.left(9));
        QCOMPARE(sent.right(1), kIds.right(1));
        const bool spoilt = quint8(sent.at(9)) != FrameChecksum(sent.left(9));
        QVERIFY2(spoilt == (n % 3 == 0),
                 qPrintable(QStringLiteral("frame %1: %2").arg(n).arg(HexOf(sent))));
    }
}

void TestSimTransmit::noise_precedesFrame_andNeverHoldsStartByte()
{
    SimRandom random(3);
    SimFaults faults;
    faults.noise = true;
    FaultPlan plan(faults, random);
    QSet<int> noiseValues;
    for (int n = 0; n < 300; ++n) {
        const QList<WriteChunk> chunks = plan.chunksFor(Answer(kIds, 5), 100);
        QCOMPARE(chunks.size(), 2);
        const QByteArray noise = chunks.at(0).bytes;
        QVERIFY(noise.size() >= 1 && noise.size() <= FaultPlan::kMaxNoiseBytes);
        QVERIFY2(!noise.contains('\x01'), qPrintable(HexOf(noise)));
        QVERIFY(chunks.at(0).tracedFrame.isEmpty());
        QCOMPARE(chunks.at(0).notBeforeMs, 105);
        QCOMPARE(HexOf(chunks.at(1).bytes), HexOf(kIds));
        QCOMPARE(HexOf(chunks.at(1).tracedFrame), HexOf(kIds));
        for (char byte : noise)
            noiseValues.insert(quint8(byte));
    }
    QVERIFY(noiseValues.contains(0x00) && noiseValues.contains(0x02) && noiseValues.contains(0xFF));
}

void TestSimTransmit::split_givesTwoHalves50msApart()
{
    SimRandom random(1);
    SimFaults faults;
    faults.split = true;
    FaultPlan plan(faults, random);
    const QList<WriteChunk> chunks = plan.chunksFor(Answer(kIds), 0);
    QCOMPARE(chunks.size(), 2);
    QVERIFY(!chunks.at(0).bytes.isEmpty() && !chunks.at(1).bytes.isEmpty());
    QCOMPARE(HexOf(Joined(chunks)), HexOf(kIds));
    QCOMPARE(chunks.at(1).pauseBeforeMs, FaultPlan::kSplitPauseMs);
    QCOMPARE(HexOf(chunks.at(0).tracedFrame), HexOf(kIds));
    QVERIFY(chunks.at(1).tracedFrame.isEmpty());
}

void TestSimTransmit::writer_keepsOrder_pausesAndTracesBeforeBytes()
{
    QElapsedTimer clock;
    clock.start();
    LineWriter writer(clock, false);
    QStringList events;
    QList<qint64> writeTimes;
    writer.setSink([&](const QByteArray& bytes) {
        events << "write " + HexOf(bytes);
        writeTimes << clock.elapsed();
        return qint64(bytes.size());
    });
    writer.setTracer([&](const QByteArray& frame) { events << "trace " + HexOf(frame); });
    const qint64 now = clock.elapsed();
    writer.enqueue({{Hex("01 05"), now + 30, 0, 19200, Hex("01 05 96 9C 04")},
                    {Hex("96 9C 04"), now, 50, 19200, {}},
                    {Hex("AA"), now, 0, 19200, {}}});
    QTRY_COMPARE_WITH_TIMEOUT(events.size(), 4, 5000);
    QCOMPARE(events,
             (QStringList{"trace 01 05 96 9C 04", "write 01 05", "write 96 9C 04", "write AA"}));
    QVERIFY(writeTimes.at(0) >= now + 30);
    QVERIFY(writeTimes.at(1) - writeTimes.at(0) >= 50);
}

void TestSimTransmit::writer_dropsChunksWhileNobodyListens()
{
    QElapsedTimer clock;
    clock.start();
    LineWriter writer(clock, false);
    QByteArray written;
    int traces = 0;
    bool listening = false;
    writer.setSink([&](const QByteArray& bytes) {
        written += bytes;
        return qint64(bytes.size());
    });
    writer.setListening([&] { return listening; });
    writer.setTracer([&](const QByteArray&) { ++traces; });
    writer.enqueue({{Hex("11"), 0, 0, 19200, Hex("11")}});
    listening = true;
    writer.enqueue({{Hex("22"), 0, 0, 19200, Hex("22")}});
    QCOMPARE(HexOf(written), "22");
    QCOMPARE(traces, 1);
}

void TestSimTransmit::writer_pace_neverFasterThanModuleRate()
{
    QElapsedTimer clock;
    clock.start();
    LineWriter writer(clock, true);
    QByteArray written;
    writer.setSink([&](const QByteArray& bytes) {
        written += bytes;
        return qint64(bytes.size());
    });
    const QByteArray frame(96, '\x55');  // 100 ms at 9600 bits/s
    const qint64 start = clock.elapsed();
    writer.enqueue({{frame, start, 0, 9600, frame}});
    QVERIFY(written.size() < frame.size());
    QTRY_COMPARE_WITH_TIMEOUT(written.size(), frame.size(), 5000);
    QVERIFY2(clock.elapsed() - start >= 95, qPrintable(QString::number(clock.elapsed() - start)));
    QCOMPARE(written, frame);
}

void TestSimTransmit::writer_lineFull_retriesRest()
{
    QElapsedTimer clock;
    clock.start();
    LineWriter writer(clock, false);
    QByteArray written;
    int calls = 0;
    writer.setSink([&](const QByteArray& bytes) {
        ++calls;
        if (calls % 2 == 0)
            return qint64(0);  // full for now
        written += bytes.left(3);
        return qint64(std::min<qsizetype>(3, bytes.size()));
    });
    writer.enqueue({{kIds, 0, 0, 19200, kIds}, {Hex("01 05 96 9C 04"), 0, 0, 19200, {}}});
    QTRY_COMPARE_WITH_TIMEOUT(written.size(), kIds.size() + 5, 5000);
    QCOMPARE(HexOf(written), HexOf(kIds + Hex("01 05 96 9C 04")));
}

void TestSimTransmit::traceLine_format_data()
{
    QTest::addColumn<bool>("toModule");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ignored");
    QTest::addColumn<QString>("line");
    QTest::newRow("host frame") << true << Hex("01 05 03 09 04") << false
                                << "1532 H>M 19200 01 05 03 09 04";
    QTest::newRow("ignored wake-up") << true << Hex("00") << true << "1532 H>M 19200 00 ignored";
    QTest::newRow("module frame") << false << Hex("01 05 96 9C 04") << false
                                  << "1532 M>H 19200 01 05 96 9C 04";
}

void TestSimTransmit::traceLine_format()
{
    QFETCH(bool, toModule);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ignored);
    QFETCH(QString, line);
    const auto direction =
        toModule ? TraceLog::Direction::HostToModule : TraceLog::Direction::ModuleToHost;
    QCOMPARE(TraceLog::line(1532, direction, 19200, bytes, ignored), line);
}

void TestSimTransmit::controlCommand_parsing_data()
{
    using Kind = ControlCommand::Kind;
    QTest::addColumn<QString>("line");
    QTest::addColumn<ControlCommand::Kind>("kind");
    QTest::addColumn<int>("packetId");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("send148") << "send148 7 4142" << Kind::SendRfData << 7 << Hex("41 42");
    QTest::newRow("send148, blanks in hex")
        << "  send148 255 41 42 43\r" << Kind::SendRfData << 255 << Hex("41 42 43");
    QTest::newRow("send148 without data") << "send148 0" << Kind::SendRfData << 0 << QByteArray();
    QTest::newRow("send148 36 bytes")
        << "send148 1 " + QString(72, 'A') << Kind::SendRfData << 1 << QByteArray(36, '\xAA');
    QTest::newRow("send142 bare") << "send142" << Kind::SendRfDataForAnother << 0 << QByteArray();
    QTest::newRow("send142 with data")
        << "send142 9 00FF" << Kind::SendRfDataForAnother << 9 << Hex("00 FF");
    QTest::newRow("raw") << "raw 01 05 96" << Kind::Raw << 0 << Hex("01 05 96");
    QTest::newRow("unplug") << "unplug" << Kind::Unplug << 0 << QByteArray();
    QTest::newRow("quit") << "quit" << Kind::Quit << 0 << QByteArray();
    QTest::newRow("empty line") << "   " << Kind::Nothing << 0 << QByteArray();
    QTest::newRow("send148 without PID") << "send148" << Kind::Invalid << 0 << QByteArray();
    QTest::newRow("send148 PID 256") << "send148 256 41" << Kind::Invalid << 0 << QByteArray();
    QTest::newRow("send148 odd hex") << "send148 1 414" << Kind::Invalid << 0 << QByteArray();
    QTest::newRow("send148 37 bytes")
        << "send148 1 " + QString(74, 'A') << Kind::Invalid << 0 << QByteArray();
    QTest::newRow("raw nothing") << "raw" << Kind::Invalid << 0 << QByteArray();
    QTest::newRow("raw not hex") << "raw 0G" << Kind::Invalid << 0 << QByteArray();
    QTest::newRow("quit with argument") << "quit now" << Kind::Invalid << 0 << QByteArray();
    QTest::newRow("unknown") << "reboot" << Kind::Invalid << 0 << QByteArray();
}

void TestSimTransmit::controlCommand_parsing()
{
    QFETCH(QString, line);
    QFETCH(ControlCommand::Kind, kind);
    QFETCH(int, packetId);
    QFETCH(QByteArray, bytes);
    const ControlCommand command = ParseControlCommand(line);
    QCOMPARE(command.kind, kind);
    QCOMPARE(command.error.isEmpty(), kind != ControlCommand::Kind::Invalid);
    QCOMPARE(int(command.packetId), packetId);
    QCOMPARE(HexOf(command.bytes), HexOf(bytes));
}

void TestSimTransmit::controlCommand_status()
{
    const ControlCommand status = ParseControlCommand("status 0 255");
    QCOMPARE(status.kind, ControlCommand::Kind::Status);
    QCOMPARE(int(status.idsStatus), 0);
    QCOMPARE(int(status.settingsStatus), 255);
    QCOMPARE(ParseControlCommand("status 1").kind, ControlCommand::Kind::Invalid);
    QCOMPARE(ParseControlCommand("status 1 256").kind, ControlCommand::Kind::Invalid);
}

QTEST_GUILESS_MAIN(TestSimTransmit)
#include "tst_simtransmit.moc"
