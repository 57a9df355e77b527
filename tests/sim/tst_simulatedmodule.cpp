// The simulated module's answers to host commands, and the simulator's refusal of bad options.
#include "SimRandom.h"
#include "SimulatedModule.h"
#include "protocol/Frame.h"

#include <QProcess>
#include <QtTest>

#include <utility>

namespace {

constexpr int kDefaultRate = 19200;
const QString kIds = QStringLiteral("01 0B 83 01 00 01 00 01 00 92 04");
const QString kSleepAck = QStringLiteral("01 05 96 9C 04");

// "57600 01 05 03 09 04" travels at 57600; a write without a leading rate at the default rate.
std::pair<int, QByteArray> Parse(const QString& write)
{
    const bool rated = write.section(' ', 0, 0).size() > 2;
    return {rated ? write.section(' ', 0, 0).toInt() : kDefaultRate,
            BytesFromHexText(rated ? write.section(' ', 1) : write)};
}

QString TextOf(const ModuleFrame& frame)
{
    const QString hex = HexText(frame.bytes).trimmed();
    return frame.rate == kDefaultRate ? hex : QString::number(frame.rate) + ' ' + hex;
}

}  // namespace

class TestSimulatedModule : public QObject {
    Q_OBJECT
private slots:
    void answers_data()
    {
        QTest::addColumn<QStringList>("sent");      // one host write each
        QTest::addColumn<QStringList>("expected");  // every frame the module sends, in order
        QTest::newRow("test mode block echoed, reserved byte 0")
            << QStringList{"01 12 12 80 FF 00 01 02 03 04 05 06 07 08 09 7F 50 04", "01 05 13 19 04"}
            << QStringList{"01 05 92 98 04", "01 12 93 80 FF 00 01 02 03 04 05 06 07 08 09 00 52 04"};
        QTest::newRow("Query Firmware Version")
            << QStringList{"01 05 15 1B 04"}
            << QStringList{"01 1C 95 01 03 07 0F 04 11 28 43 29 20 4F 72 76 61 6C 69 73 20 52 61 64 "
                           "69 6F 84 04"};
        QTest::newRow("bad checksum unanswered")
            << QStringList{"01 05 03 0A 04", "01 05 03 09 04"} << QStringList{kIds};
        QTest::newRow("sleep, then wake-up byte before the frame")
            << QStringList{"01 05 16 1C 04", "01 05 03 09 04", "00 01 05 03 09 04"}
            << QStringList{kSleepAck, kIds};
        QTest::newRow("wake-up byte at another rate does not wake")
            << QStringList{"01 05 16 1C 04", "57600 00", "01 05 03 09 04"} << QStringList{kSleepAck};
        QTest::newRow("Set Baudrate acked at old rate, then only the new rate heard")
            << QStringList{"01 06 19 03 23 04", "01 05 03 09 04", "57600 01 05 03 09 04"}
            << QStringList{"01 05 99 9F 04", "57600 " + kIds};
        QTest::newRow("Set Baudrate index 4 refused")
            << QStringList{"01 06 19 04 24 04", "01 05 03 09 04"} << QStringList{kIds};
    }
    void answers()
    {
        QFETCH(QStringList, sent);
        QFETCH(QStringList, expected);
        SimRandom random(42);
        SimulatedModule module(SimOptions{}, random);
        QStringList actual;
        qint64 nowMs = 0;
        for (const QString& write : sent) {
            const auto [rate, bytes] = Parse(write);
            for (const ModuleFrame& frame : module.receive(bytes, rate, nowMs += 10).frames)
                actual << TextOf(frame);
        }
        QCOMPARE(actual, expected);
    }
    void badCommandLine_exits2_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("baud 12345") << QStringList{"--baud", "12345"};
        QTest::newRow("unknown option") << QStringList{"--frobnicate"};
        QTest::newRow("stray argument") << QStringList{"COM1"};
        QTest::newRow("ids 65536") << QStringList{"--ids", "1,1,65536"};
        QTest::newRow("fault unknown") << QStringList{"--fault", "badchk,loud"};
        QTest::newRow("link in a missing folder") << QStringList{"--link", "/nonexistent/dir/COM1"};
    }
    void badCommandLine_exits2()
    {
        QFETCH(QStringList, arguments);
        QProcess process;
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(qEnvironmentVariable("ORVALIS_SIM"), arguments);
        if (!process.waitForFinished(10000))
            process.kill();
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(process.readAllStandardError().contains(arguments.first().toLatin1()));
    }
};


QTEST_GUILESS_MAIN(TestSimulatedModule)
#include "tst_simulatedmodule.moc"
