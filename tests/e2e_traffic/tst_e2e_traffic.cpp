// The traffic tester against the module simulator over a real pseudo-terminal: what
// the host counts of a random repetition and of a peer's messages is what the module
// saw and reported.
#include "link/SerialLink.h"
#include "platform/EventWait.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/SimulatorProcess.h"
#include "support/WindowHarness.h"
#include "traffic/RfDataFrame.h"
#include "ui/CommunicationsLogView.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <array>

namespace {

constexpr int kWaitMs = 5000;  // generous: the machine is shared
constexpr int kConfiguredRetries = 3;

// One frame of the simulator's trace: "<ms> H>M|M>H <rate> <hex bytes> [ignored]".
struct TracedFrame {
    bool toHost = false;
    QByteArray bytes;
    bool ignored = false;

    int type() const { return bytes.size() > 2 ? quint8(bytes.at(2)) : -1; }
};

QList<TracedFrame> TracedFrames(const SimulatorProcess& sim)
{
    QList<TracedFrame> frames;
    for (const QString& line : sim.traceLines()) {
        QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() < 4)
            continue;
        TracedFrame frame;
        frame.toHost = fields[1] == QLatin1String("M>H");
        frame.ignored = fields.last() == QLatin1String("ignored");
        if (frame.ignored)
            fields.removeLast();
        frame.bytes = BytesFromHexText(fields.mid(3).join(QLatin1Char(' ')));
        frames << frame;
    }
    return frames;
}

int CountFrames(const QList<TracedFrame>& frames, bool toHost, int type)
{
    int count = 0;
    for (const TracedFrame& frame : frames)
        count += frame.toHost == toHost && frame.type() == type && !frame.ignored ? 1 : 0;
    return count;
}

// The delivery reports the module sent, tallied as the host should have.
struct ReportTally {
    int acks = 0;
    int failures = 0;
    std::array<int, kConfiguredRetries + 1> retryRows{};
    int transmissions = 0;  // what the module counts as Total Packets Sent
};

ReportTally TallyReports(const QList<TracedFrame>& frames)
{
    ReportTally tally;
    for (const TracedFrame& frame : frames) {
        if (!frame.toHost || frame.type() != MessageCode::SendRfDataAck)
            continue;
        const int retries = quint8(frame.bytes.at(5));
        tally.transmissions += 1 + retries;
        if (quint8(frame.bytes.at(4)) == 1) {
            ++tally.acks;
            ++tally.retryRows[size_t(retries)];
        } else {
            ++tally.failures;
        }
    }
    return tally;
}

// The window on port 1, which the simulator serves; the other ports lead nowhere.
std::unique_ptr<frmQVOrvalisETMain> WindowOn(const SimulatorProcess& sim)
{
    PointPortAt(1, sim.linkPath());
    for (int p = 2; p <= 8; ++p)
        PointPortAt(p, QStringLiteral("/nonexistent/orvalis-com%1").arg(p));
    return std::make_unique<frmQVOrvalisETMain>();
}

template <typename T>
T* Find(const frmQVOrvalisETMain& window, const char* name)
{
    return window.findChild<T*>(QLatin1String(name));
}

QString LabelText(const frmQVOrvalisETMain& window, const char* name)
{
    return Find<QLabel>(window, name)->text();
}

}  // namespace

class TestE2eTraffic : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }
    void randomRepetition_hostFiguresMatchTheModule();
    void peerMessages_fillTheDataBox_andAreCounted();
};

void TestE2eTraffic::randomRepetition_hostFiguresMatchTheModule()
{
    SimulatorProcess sim(1);
    QVERIFY2(sim.start({"--nack", "0.2", "--max-retries", QString::number(kConfiguredRetries),
                        "--seed", "1"}),
             qPrintable(sim.failure()));
    auto window = WindowOn(sim);
    QVERIFY(window->link().port().isOpen());
    QCOMPARE(window->config().iRFRetries, qint16(kConfiguredRetries));

    Find<QPushButton>(*window, "cmdSendRandomRepeatedMsg")->click();
    PauseWhileProcessingEvents(3000);
    Find<QPushButton>(*window, "cmdSendRandomRepeatedMsg")->click();
    const TrafficCounters& counters = window->counters();
    QVERIFY2(WaitWhileProcessingEvents(
                 [&] { return counters.lAcksReceived + counters.lPacketsFailed == counters.lPacketsSent; },
                 kWaitMs),
             qPrintable(QStringLiteral("sent %1, acks %2, failed %3")
                            .arg(counters.lPacketsSent)
                            .arg(counters.lAcksReceived)
                            .arg(counters.lPacketsFailed)));

    const QList<TracedFrame> frames = TracedFrames(sim);
    QVERIFY2(counters.lPacketsSent >= 15, qPrintable(QString::number(counters.lPacketsSent)));
    QCOMPARE(CountFrames(frames, false, MessageCode::SendRfData), int(counters.lPacketsSent));
    QCOMPARE(CountFrames(frames, true, MessageCode::SendRfDataAck), int(counters.lPacketsSent));
    const ReportTally tally = TallyReports(frames);
    QCOMPARE(int(counters.lAcksReceived), tally.acks);
    QCOMPARE(int(counters.lPacketsFailed), tally.failures);
    QVERIFY2(tally.failures > 0 && tally.acks > 0, "--nack 0.2 should give both kinds");
    QStringList expectedRows;
    int rowSum = 0;
    for (int i = 0; i <= kConfiguredRetries; ++i) {
        expectedRows << QStringLiteral(" %1 retries     %2").arg(i).arg(tally.retryRows[size_t(i)]);
        rowSum += counters.lRetryDistribution[size_t(i)];
    }
    QCOMPARE(rowSum, int(counters.lAcksReceived));
    expectedRows << QStringLiteral(" Failed         %1").arg(tally.failures);
    QStringList rows;
    auto* list = Find<QListWidget>(*window, "lstRetryDistribution");
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    QCOMPARE(rows, expectedRows);

    Find<QPushButton>(*window, "cmdGetStatistics")->click();
    QVERIFY(WaitWhileProcessingEvents(
        [&] { return LabelText(*window, "lblTotalPacketsSent") != QLatin1String("-"); }, kWaitMs));
    const QStringList transceiver = {
        LabelText(*window, "lblTotalPacketsSent"),     LabelText(*window, "lblUniquePacketsSent"),
        LabelText(*window, "lblTotalAcksReceived"),    LabelText(*window, "lblUniqueAcksReceived"),
        LabelText(*window, "lblTotalPacketsReceived"), LabelText(*window, "lblTotalAcksSent")};
    QCOMPARE(transceiver, (QStringList{QString::number(tally.transmissions),
                                       QString::number(counters.lPacketsSent),
                                       QString::number(tally.acks), QString::number(tally.acks),
                                       "0", "0"}));
    QCOMPARE(int(counters.lTotalTransmissions), tally.transmissions);
    QCOMPARE(LabelText(*window, "lblTestPktsSent"), QString::number(counters.lPacketsSent));
}

void TestE2eTraffic::peerMessages_fillTheDataBox_andAreCounted()
{
    SimulatorProcess sim(1);
    QVERIFY2(sim.start({"--peer-interval", "200"}), qPrintable(sim.failure()));
    auto window = WindowOn(sim);
    QVERIFY(window->link().port().isOpen());
    const TrafficCounters& counters = window->counters();
    QVERIFY(WaitWhileProcessingEvents([&] { return counters.lPacketsReceived >= 2; }, kWaitMs));
    QVERIFY(!Find<QLineEdit>(*window, "txtRFData")->text().isEmpty());

    Find<QRadioButton>(*window, "optHex")->click();
    const int before = counters.lPacketsReceived;
    QVERIFY(WaitWhileProcessingEvents([&] { return counters.lPacketsReceived >= before + 2; },
                                      kWaitMs));
    // The box shows the data of the newest message, the top line of the log.
    const QString newest = window->messageList().item(0)->text();
    QVERIFY2(newest.startsWith(QStringLiteral("PID=")), qPrintable(newest));
    const QByteArray frame = BytesFromHexText(newest.section(QStringLiteral("): "), 1));
    QCOMPARE(Find<QLineEdit>(*window, "txtRFData")->text(),
             ReceivedRfDataText(ReceivedRfDataBytes(frame), true));
    QCOMPARE(LabelText(*window, "lblTestPktsRcvd"), QString::number(counters.lPacketsReceived));

    QVERIFY(sim.stop());
    PauseWhileProcessingEvents(300);  // whatever was under way arrives
    QCOMPARE(int(counters.lPacketsReceived),
             CountFrames(TracedFrames(sim), true, MessageCode::ReceivedRfData));
}

QTEST_MAIN(TestE2eTraffic)
#include "tst_e2e_traffic.moc"
