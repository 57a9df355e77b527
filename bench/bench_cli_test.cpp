// orvalis-cli's link test against the simulator at 57600 baud with no repeat delay: the
// messages per second it achieves against the ceiling the line allows (each message's
// frame and its acknowledgement, 10 bits a byte, as the simulator traced them), and the
// CPU time orvalis-cli spends per 1,000 messages. Prints figures; asserts nothing. The
// simulator runs with --pace, so its replies keep the line's rate.
//
// Usage: bench_cli_test [count]   (default 2000)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kRate = 57600;

double ChildCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Bytes of the RF data frames the host sent and of the module's delivery reports.
qint64 MessageBytesInTrace(const QString& tracePath, qint64* messages, qint64* reportBytes)
{
    QFile trace(tracePath);
    if (!trace.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    qint64 bytes = 0;
    *messages = 0;
    while (!trace.atEnd()) {
        const QStringList fields = QString::fromLatin1(trace.readLine()).simplified().split(' ');
        const QString type = fields.value(5);
        if ((fields.value(1) == "H>M" && type == "01") || (fields.value(1) == "M>H" && type == "81")) {
            const qint64 frameBytes = fields.size() - 3 - (fields.last() == "ignored" ? 1 : 0);
            bytes += frameBytes;
            *reportBytes += fields.value(1) == "M>H" ? frameBytes : 0;
            *messages += fields.value(1) == "H>M" ? 1 : 0;
        }
    }
    return bytes;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 2000;
    QTemporaryDir dir;
    const QString link = dir.filePath("COM1"), trace = dir.filePath("trace.log");
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toLocal8Bit());

    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedChannels);
    sim.start(ORVALIS_SIM_PATH, {"--link", link, "--baud", QString::number(kRate), "--pace",
                                 "--seed", "1", "--trace", trace});
    for (int waited = 0; !QFileInfo(link).isSymLink() && waited < 5000; waited += 10)
        QThread::msleep(10);

    const double cpuBefore = ChildCpuSeconds();
    QProcess cli;
    cli.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    cli.start(ORVALIS_CLI_PATH, {"test", "--port", link, "--baud", QString::number(kRate), "--count",
                                 QString::number(count), "--delay", "0", "--json"});
    cli.waitForFinished(-1);
    const double cpu = ChildCpuSeconds() - cpuBefore;
    sim.terminate();
    sim.waitForFinished(5000);

    const QJsonObject report = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
    const qint64 sent = report["packets_sent"].toInteger();
    const double seconds = report["elapsed_s"].toDouble();
    qint64 traced = 0, reportBytes = 0;
    const qint64 bytes = MessageBytesInTrace(trace, &traced, &reportBytes);
    if (cli.exitCode() != 0 || sent == 0 || seconds <= 0 || traced == 0) {
        std::fprintf(stderr, "bench_cli_test: the test did not run (exit %d)\n", cli.exitCode());
        return 1;
    }
    const double perMessageBytes = double(bytes) / double(traced);
    const double ceiling = kRate / 10.0 / perMessageBytes;
    const double achieved = double(sent) / seconds;
    std::printf("messages: %lld sent, %lld acknowledged, in %.2f s\n", sent,
                report["acks_received"].toInteger(), seconds);
    std::printf("line ceiling at %d baud: %.1f messages/s (%.1f bytes a message, frame + ack)\n",
                kRate, ceiling, perMessageBytes);
    std::printf("achieved: %.1f messages/s, ratio to the ceiling %.2f\n", achieved, achieved / ceiling);
    // A pseudo-terminal carries the host's bytes at once; only the simulator's (paced)
    // replies keep the line's rate, so this ceiling is the one the test can reach here.
    const double replyCeiling = kRate / 10.0 / (double(reportBytes) / double(traced));
    std::printf("replies alone at %d baud: %.1f messages/s, ratio %.2f\n", kRate, replyCeiling,
                achieved / replyCeiling);
    std::printf("orvalis-cli CPU: %.3f s in all, %.3f s per 1000 messages\n", cpu, cpu * 1000.0 / sent);
    return 0;
}
