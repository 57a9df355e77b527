// orvalis-cli against the module simulator over a pseudo-terminal: what each command
// prints, its exit status, the files it writes and the module it leaves behind.
#include "e2e_cli/CliProcess.h"
#include "support/SimulatorProcess.h"

#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The simulator as port 1 (IDs 5,6,7), every other port leading nowhere.
bool StartModule(SimulatorProcess& sim, const QStringList& options = {})
{
    Store().clear();
    if (!sim.start(QStringList{"--ids", "5,6,7"} + options))
        return false;
    PointPortAt(1, sim.linkPath());
    for (int p = 2; p <= 8; ++p)
        PointPortAt(p, QStringLiteral("/nonexistent/orvalis-com%1").arg(p));
    return true;
}

// Acknowledged messages by retries (0 .. 3), then failures, from the simulator's trace.
QList<int> ReportsInTrace(const SimulatorProcess& sim)
{
    QList<int> reports(5);
    for (const QString& line : sim.traceLines()) {
        const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
        if (fields.value(1) == "M>H" && fields.value(5) == "81")  // Send RF Data Message Ack/Nack
            ++reports[fields.value(7) == "01" ? fields.value(8).toInt(nullptr, 16) : 4];
    }
    return reports;
}

}  // namespace

class TestE2eCli : public QObject {
    Q_OBJECT
private slots:
    void badCommandLine_isRefusedWithStatus2_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("problem");
        QTest::newRow("channel above range") << QStringList{"set", "rf", "--channel", "50"} << "--channel takes a whole number from 0 to 49, not '50'";
        QTest::newRow("ID above range") << QStringList{"set", "ids", "--system", "65536"} << "--system takes a whole number from 0 to 65535";
        QTest::newRow("PA level") << QStringList{"set", "rf", "--pa-level", "3"} << "--pa-level takes a whole number from 0 to 2";
        QTest::newRow("both modes") << QStringList{"set", "rf", "--hopping", "--single-channel"} << "--hopping and --single-channel exclude each other";
        QTest::newRow("ack word") << QStringList{"set", "rf", "--ack", "yes"} << "--ack takes on or off";
        QTest::newRow("baud") << QStringList{"set", "baud", "115200"} << "set baud takes one of 9600, 19200, 38400, 57600";
        QTest::newRow("no count") << QStringList{"test", "--delay", "100"} << "--count is required";
        QTest::newRow("delay") << QStringList{"test", "--count", "5", "--delay", "10001"} << "--delay takes a whole number from 0 to 10000";
        QTest::newRow("hex") << QStringList{"test", "--count", "5", "--hex", "4G"} << "--hex takes 1 to 72 hex digits";
        QTest::newRow("threshold") << QStringList{"test", "--count", "5", "--min-success", "101"} << "--min-success takes a percentage";
        QTest::newRow("sweep list") << QStringList{"sweep", "--count", "2", "--pa-levels", "0,5", "--channels", "1"} << "--pa-levels takes numbers from 0 to 2";
        QTest::newRow("get what") << QStringList{"get", "colour"} << "get reads ids, rf, version or statistics, not 'colour'";
        QTest::newRow("command") << QStringList{"fly"} << "unknown command 'fly'";
    }
    void badCommandLine_isRefusedWithStatus2()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, problem);
        const CliResult run = RunCli(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.startsWith("orvalis-cli: " + problem), qPrintable(run.err));
    }

    void find_reportsTheModule_orStatus3_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::newRow("whole search") << QStringList{} << 0;
        QTest::newRow("port number and rate") << QStringList{"--port", "1", "--baud", "19200"} << 0;
        QTest::newRow("device path") << QStringList{"--port", "LINK"} << 0;
        QTest::newRow("other rate") << QStringList{"--port", "1", "--baud", "57600"} << 3;
        QTest::newRow("no such device") << QStringList{"--port", "/nonexistent/ttyUSB9"} << 3;
    }
    void find_reportsTheModule_orStatus3()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        SimulatorProcess sim(1);
        QVERIFY2(StartModule(sim), qPrintable(sim.failure()));
        arguments.replaceInStrings("LINK", sim.linkPath());
        const CliResult run = RunCli(QStringList{"find", "--json"} + arguments);
        QCOMPARE(run.status, status);
        if (status != 0) {
            QVERIFY2(run.err.startsWith("orvalis-cli: no module found") && run.out.isEmpty(), qPrintable(run.err));
            return;
        }
        const QJsonObject found = run.json();
        QCOMPARE(found["port"].toInt(), 1);
        QCOMPARE(found["device"].toString(), sim.linkPath());
        QCOMPARE(found["baud_rate"].toInt(), 19200);
        QCOMPARE(found["transceiver_id"].toInt(), 5);
        QCOMPARE(found["network_id"].toInt(), 6);
        QCOMPARE(found["system_id"].toInt(), 7);
        QCOMPARE(found["firmware_version"].toString(), "1.3");
        QCOMPARE(found["firmware_date"].toString(), "7/15/2004");
        QCOMPARE(Store().value("Properties/COMPort").toString(), "");  // found, not remembered
    }

    // What is set, the module acknowledges and reports back; what is not named stays.
    void set_isAcknowledged_andReadBack_data()
    {
        QTest::addColumn<QStringList>("set");
        QTest::addColumn<QString>("get");
        QTest::addColumn<QVariantMap>("expected");
        QTest::newRow("ids") << QStringList{"ids", "--transceiver", "9", "--system", "11"} << "ids"
                             << QVariantMap{{"transceiver_id", 9}, {"network_id", 6}, {"system_id", 11}};
        QTest::newRow("rf, saved") << QStringList{"rf", "--channel", "7", "--single-channel", "--pa-level", "2", "--ack", "off", "--save"} << "rf"
                            << QVariantMap{{"channel", 7}, {"hopping", false}, {"pa_level", 2}, {"acknowledgements", false}, {"retries", 3}, {"hop_table", 0}};
        QTest::newRow("baud") << QStringList{"baud", "57600"} << "ids" << QVariantMap{{"baud_rate", 57600}, {"transceiver_id", 5}};
    }
    void set_isAcknowledged_andReadBack()
    {
        QFETCH(QStringList, set);
        QFETCH(QString, get);
        QFETCH(QVariantMap, expected);
        SimulatorProcess sim(1);
        QVERIFY2(StartModule(sim), qPrintable(sim.failure()));
        const CliResult changed = RunCli(QStringList{"set"} + set + QStringList{"--json"});
        QVERIFY2(changed.status == 0, qPrintable(changed.err));
        QCOMPARE(changed.json()["acknowledged"].toBool(), true);
        const CliResult read = RunCli({"get", get, "--json"});
        QVERIFY2(read.status == 0, qPrintable(read.err));
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(read.json()[it.key()].toVariant(), it.value());
        // Only --save writes the window's settings.
        const bool saved = set.contains("--save");
        QCOMPARE(Store().value("Settings/Single Channel").toString(), saved ? "7" : "");
        QCOMPARE(Store().value("Settings/PA Level").toString(), saved ? "2" : "");
        if (!saved)
            QCOMPARE(Store().value("Properties/BaudRate").toString(), QString());
    }

    void test_passesOrFails_andWritesItsFiles_data()
    {
        QTest::addColumn<QString>("delay");
        QTest::addColumn<QString>("minSuccess");
        QTest::addColumn<int>("status");
        QTest::newRow("at or above threshold") << "100" << "0" << 0;
        QTest::newRow("below threshold") << "100" << "99.5" << 1;
        QTest::newRow("paced by the module") << "0" << "0" << 0;
    }
    void test_passesOrFails_andWritesItsFiles()
    {
        QFETCH(QString, delay);
        QFETCH(QString, minSuccess);
        QFETCH(int, status);
        SimulatorProcess sim(1);
        QVERIFY2(StartModule(sim, {"--nack", "0.3", "--max-retries", "3", "--seed", "4"}), qPrintable(sim.failure()));
        QTemporaryDir dir;
        const CliResult run = RunCli({"test", "--count", "12", "--data", "HELLO", "--dest", "3", "--delay", delay, "--min-success", minSuccess,
                                      "--report", dir.filePath("r.json"), "--csv", dir.filePath("r.csv"), "--log", dir.filePath("run.olf")});
        QCOMPARE(run.status, status);
        QFile reportFile(dir.filePath("r.json"));
        QVERIFY(reportFile.open(QIODevice::ReadOnly));
        const QJsonObject report = QJsonDocument::fromJson(reportFile.readAll()).object();
        const QList<int> reports = ReportsInTrace(sim);
        QCOMPARE(report["packets_sent"].toInt(), 12);
        QCOMPARE(report["packets_failed"].toInt(), reports[4]);
        QCOMPARE(report["acks_received"].toInt(), 12 - reports[4]);
        QCOMPARE(report["retry_distribution"].toArray(), (QJsonArray{reports[0], reports[1], reports[2], reports[3]}));
        const double withRetries = 100.0 * (12 - reports[4]) / 12;
        QCOMPARE(report["success_rate_with_retries"].toDouble(), withRetries);
        QCOMPARE(report["success_rate_with_retries_text"].toString(), QString::asprintf("%05.2f%%", withRetries));
        QCOMPARE(report["destination_id"].toInt(), 3);
        QCOMPARE(report["data"].toString(), "text");
        QCOMPARE(report["passed"].toBool(), status == 0);
        QVERIFY2(run.out.contains("Pkt Success Rate (Retries Included): " + report["success_rate_with_retries_text"].toString()), qPrintable(run.out));
        if (status == 1)
            QVERIFY(run.err.startsWith("orvalis-cli: success rate"));

        QFile csv(dir.filePath("r.csv")), log(dir.filePath("run.olf"));
        QVERIFY(csv.open(QIODevice::ReadOnly) && csv.readLine().startsWith("time_s,"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString logText = QString::fromLatin1(log.readAll());
        QVERIFY(logText.startsWith("QV Orvalis Message Log\r\nrun.olf\r\n"));
        QCOMPARE(logText.count(QRegularExpression("PID=\\d+:Host->TXCVR \\(Send RF Data Message\\): 01 0D 01")), 12);
        QVERIFY(logText.contains("Packets Sent     = 12\r\n"));
        QCOMPARE(Store().value("Settings/File Path").toString(), "");  // not stored without --save
    }

    // However the command ends early, it ends at once with its figures and the module as
    // it found it.
    void earlyEnd_writesFiguresAndRestores_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("status");
        QTest::newRow("Ctrl+C during test") << "test" << "interrupt" << 130;
        QTest::newRow("detach during test") << "test" << "detach" << 4;
        QTest::newRow("Ctrl+C during sweep") << "sweep" << "interrupt" << 130;
    }
    void earlyEnd_writesFiguresAndRestores()
    {
        QFETCH(QString, command);
        QFETCH(QString, end);
        QFETCH(int, status);
        SimulatorProcess sim(1);
        QVERIFY2(StartModule(sim), qPrintable(sim.failure()));
        QTemporaryDir dir;
        const QStringList arguments = command == "test"
            ? QStringList{"test", "--count", "1000", "--report", dir.filePath("r.json")}
            : QStringList{"sweep", "--count", "1000", "--pa-levels", "1,2", "--channels", "3", "--json"};
        const CliResult run = RunCli(arguments, [&](QProcess& cli) {
            if (end == "detach") {
                QTest::qWait(1500);
                sim.command("detach");
                QTest::qWait(500);  // the simulator's input goes out from the event loop
            } else {
                InterruptAfter(1500)(cli);
            }
        });
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.startsWith(status == 4 ? "orvalis-cli: port lost: " : "orvalis-cli: interrupted"), qPrintable(run.err));
        if (command == "sweep") {
            const QJsonArray rows = run.json()["results"].toArray();
            QCOMPARE(run.json()["restored"].toBool(), true);
            QCOMPARE(rows.size(), 1);
            QVERIFY(rows[0].toObject()["packets_sent"].toInt() > 3);
            const QJsonObject rf = RunCli({"get", "rf", "--json"}).json();
            QCOMPARE(rf["pa_level"].toInt(), 0);
            QCOMPARE(rf["hopping"].toBool(), true);
            QCOMPARE(rf["channel"].toInt(), 25);
            return;
        }
        QFile reportFile(dir.filePath("r.json"));
        QVERIFY(reportFile.open(QIODevice::ReadOnly));
        const QJsonObject report = QJsonDocument::fromJson(reportFile.readAll()).object();
        QCOMPARE(report[status == 4 ? "port_lost" : "interrupted"].toBool(), true);
        QVERIFY(report["packets_sent"].toInt() > 3 && report["packets_sent"].toInt() < 1000);
    }

    void monitor_printsEachFrameUntilCtrlC()
    {
        SimulatorProcess sim(1);
        QVERIFY2(StartModule(sim, {"--peer-interval", "200"}), qPrintable(sim.failure()));
        const CliResult run = RunCli({"monitor", "--timestamps"}, InterruptAfter(2000));
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QVERIFY2(lines.size() >= 4, qPrintable(run.out));
        const QRegularExpression frame("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} PID=\\d+:TXCVR->Host \\(Received RF Data Message\\): 01 ");
        for (const QString& line : lines.mid(0, lines.size() - 1))
            QVERIFY2(frame.match(line).hasMatch(), qPrintable(line));
        QVERIFY2(lines.last().startsWith(QStringLiteral("%1 frames from the module, 0 from the host").arg(lines.size() - 1)),
                 qPrintable(lines.last()));
    }
};

QTEST_GUILESS_MAIN(TestE2eCli)
#include "tst_e2e_cli.moc"
