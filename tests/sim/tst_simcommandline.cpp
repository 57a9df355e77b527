#include "SimOptions.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList Words(const QString& line)
{
    return line.split(' ', Qt::SkipEmptyParts);
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run RunSimulator(const QStringList& arguments)
{
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(qEnvironmentVariable("ORVALIS_SIM"), arguments);
    Run run;
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

}  // namespace

class TestSimCommandLine : public QObject {
    Q_OBJECT
private slots:
    void defaults();
    void everyOption_isTaken();
    void badValues_nameTheOption_data();
    void badValues_nameTheOption();
    void program_badValue_exits2WithOneLine_data();
    void program_badValue_exits2WithOneLine();
    void program_help_documentsEveryOption();
    void program_withoutLink_printsDevicePath_andEndsOnSigterm();
};

void TestSimCommandLine::defaults()
{
    const SimOptionsResult result = ParseSimOptions({});
    QVERIFY(result.error.isEmpty());
    const SimOptions& o = result.options;
    QCOMPARE(o.baudRate, 19200);
    QCOMPARE(o.transceiverId, quint16(1));
    QCOMPARE(o.systemId, quint16(1));
    QCOMPARE(o.firmware.copyright, QByteArray("(C) Orvalis Radio"));
    QCOMPARE(o.firmware.year, 2004);
    QVERIFY(!o.statusReport);
    QVERIFY(!o.seed);
    QCOMPARE(o.peerIntervalMs, 0);
    QVERIFY(!o.pace && !o.faults.silent && !o.faults.split && !o.faults.noise
            && !o.faults.badChecksum);
}

void TestSimCommandLine::everyOption_isTaken()
{
    const SimOptionsResult result = ParseSimOptions({"--baud",
                                                     "57600",
                                                     "--ids=0,300,65535",
                                                     "--firmware",
                                                     "2.10,12/31/2099,A, B",
                                                     "--status",
                                                     "0,1",
                                                     "--nack",
                                                     "0.25",
                                                     "--max-retries",
                                                     "20",
                                                     "--seed",
                                                     "4294967295",
                                                     "--peer-interval",
                                                     "250",
                                                     "--fault",
                                                     "badchk,split",
                                                     "--pace",
                                                     "--link",
                                                     "/tmp/x/COM1",
                                                     "--trace",
                                                     "t.log",
                                                     "--baud=9600"});
    QCOMPARE(result.error, QString());
    const SimOptions& o = result.options;
    QCOMPARE(o.baudRate, 9600);  // the last one wins
    QCOMPARE(QList<int>({o.transceiverId, o.networkId, o.systemId}), QList<int>({0, 300, 65535}));
    QCOMPARE(QList<int>({o.firmware.major, o.firmware.minor, o.firmware.month, o.firmware.day,
                         o.firmware.year}),
             QList<int>({2, 10, 12, 31, 2099}));
    QCOMPARE(o.firmware.copyright, QByteArray("A, B"));
    QCOMPARE(QList<int>({o.statusReport->idsStatus, o.statusReport->settingsStatus}),
             QList<int>({0, 1}));
    QCOMPARE(o.nackProbability, 0.25);
    QCOMPARE(o.maxRetries, 20);
    QCOMPARE(*o.seed, 4294967295u);
    QCOMPARE(o.peerIntervalMs, 250);
    QVERIFY(o.faults.badChecksum && o.faults.split && !o.faults.noise && !o.faults.silent);
    QVERIFY(o.pace);
    QCOMPARE(o.linkPath, "/tmp/x/COM1");
    QCOMPARE(o.tracePath, "t.log");
    const QString longest(35, 'x');
    QCOMPARE(ParseSimOptions({"--firmware", "1.3,7/15/2004," + longest}).options.firmware.copyright,
             longest.toLatin1());
}

void TestSimCommandLine::badValues_nameTheOption_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("option");
    QTest::newRow("baud 115200") << "--baud 115200"
                                 << "--baud";
    QTest::newRow("baud text") << "--baud fast"
                               << "--baud";
    QTest::newRow("baud missing") << "--baud"
                                  << "--baud";
    QTest::newRow("ids two") << "--ids 1,2"
                             << "--ids";
    QTest::newRow("ids 65536") << "--ids 1,1,65536"
                               << "--ids";
    QTest::newRow("ids negative") << "--ids 1,-1,1"
                                  << "--ids";
    QTest::newRow("firmware no date") << "--firmware 1.3,(C)"
                                      << "--firmware";
    QTest::newRow("firmware minor 256") << "--firmware 1.256,7/15/2004,x"
                                        << "--firmware";
    QTest::newRow("firmware year 1999") << "--firmware 1.3,7/15/1999,x"
                                        << "--firmware";
    QTest::newRow("firmware text 36")
        << "--firmware 1.3,7/15/2004," + QString(36, 'x') << "--firmware";
    QTest::newRow("status one byte") << "--status 1"
                                     << "--status";
    QTest::newRow("status 256") << "--status 1,256"
                                << "--status";
    QTest::newRow("nack 1.5") << "--nack 1.5"
                              << "--nack";
    QTest::newRow("nack negative") << "--nack -0.1"
                                   << "--nack";
    QTest::newRow("max-retries 21") << "--max-retries 21"
                                    << "--max-retries";
    QTest::newRow("seed text") << "--seed x"
                               << "--seed";
    QTest::newRow("peer interval negative") << "--peer-interval -5"
                                            << "--peer-interval";
    QTest::newRow("fault unknown") << "--fault badchk,loud"
                                   << "--fault";
    QTest::newRow("fault empty") << "--fault="
                                 << "--fault";
    QTest::newRow("link empty") << "--link="
                                << "--link";
    QTest::newRow("unknown option") << "--colour red"
                                    << "--colour";
    QTest::newRow("stray argument") << "COM1"
                                    << "COM1";
    QTest::newRow("pace with value") << "--pace=yes"
                                     << "--pace";
}

void TestSimCommandLine::badValues_nameTheOption()
{
    QFETCH(QString, line);
    QFETCH(QString, option);
    const SimOptionsResult result = ParseSimOptions(Words(line));
    QVERIFY2(result.error.startsWith(option + ": "), qPrintable(result.error));
    QVERIFY(!result.error.contains('\n'));
}

void TestSimCommandLine::program_badValue_exits2WithOneLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("option");
    QTest::newRow("baud") << QStringList{"--baud", "12345"} << "--baud";
    QTest::newRow("unknown") << QStringList{"--frobnicate"} << "--frobnicate";
    QTest::newRow("link in a missing folder")
        << QStringList{"--link", "/nonexistent/dir/COM1"} << "--link";
    QTest::newRow("trace in a missing folder")
        << QStringList{"--trace", "/nonexistent/dir/trace.log"} << "--trace";
}

void TestSimCommandLine::program_badValue_exits2WithOneLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, option);
    const Run run = RunSimulator(arguments);
    QCOMPARE(run.exitCode, 2);
    const QStringList lines = run.err.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(option), qPrintable(lines.first()));
    QVERIFY(run.out.isEmpty());
}

void TestSimCommandLine::program_help_documentsEveryOption()
{
    const Run run = RunSimulator({"--help"});
    QCOMPARE(run.exitCode, 0);
    for (const char* option : {"--link",
                               "--baud",
                               "--ids",
                               "--firmware",
                               "--status",
                               "--nack",
                               "--max-retries",
                               "--seed",
                               "--peer-interval",
                               "--pace",
                               "--trace",
                               "--fault",
                               "badchk",
                               "noise",
                               "split",
                               "silent",
                               "send148",
                               "send142",
                               "raw",
                               "unplug",
                               "quit",
                               "Total Packets Sent"})
        QVERIFY2(run.out.contains(option), option);
}

void TestSimCommandLine::program_withoutLink_printsDevicePath_andEndsOnSigterm()
{
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());  // end of input must not stop it
    process.start(qEnvironmentVariable("ORVALIS_SIM"), {});
    QTRY_VERIFY_WITH_TIMEOUT(process.canReadLine(), 5000);
    const QString device = QString::fromLocal8Bit(process.readLine()).trimmed();
    QVERIFY2(device.startsWith("/dev/pts/"), qPrintable(device));
    QVERIFY(QFileInfo::exists(device));
    QVERIFY(!process.waitForFinished(300));  // still running after stdin ended
    process.terminate();
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestSimCommandLine)
#include "tst_simcommandline.moc"
