// The "Statistics" page through the real window over a fake port: delivery reports,
// the module's counters, "Get Statistics", "Clear All Statistics" and throughput.
#include "TrafficWindow.h"

#include "platform/SettingsStore.h"
#include "traffic/StatisticsPage.h"

#include <QRegularExpression>

namespace {

using Reply = QPair<int, int>;  // status, retries

const char* const kTransceiverLabels[] = {
    "lblTotalPacketsSent",     "lblUniquePacketsSent",     "lblTotalAcksSent",
    "lblUniqueAcksSent",       "lblTotalPacketsReceived",  "lblUniquePacketsReceived",
    "lblTotalAcksReceived",    "lblUniqueAcksReceived",
};

const char* const kProgramLabels[] = {"lblTestPktsSent", "lblTestPktsRcvd", "lblTestAcksRcvd",
                                      "lblPktSuccessWithAcks", "lblOverallPktSuccess"};

QStringList Texts(const TrafficWindow& w, std::initializer_list<const char*> names)
{
    QStringList texts;
    for (const char* name : names)
        texts << w.text(name);
    return texts;
}

QStringList TransceiverTexts(const TrafficWindow& w)
{
    QStringList texts;
    for (const char* name : kTransceiverLabels)
        texts << w.text(name);
    return texts;
}

QStringList ProgramTexts(const TrafficWindow& w)
{
    QStringList texts;
    for (const char* name : kProgramLabels)
        texts << w.text(name);
    return texts;
}

// Sends `count` single messages of `size` bytes.
void SendMessages(TrafficWindow& w, int count, int size = 1)
{
    w.type("txtRFData", QString(size, QLatin1Char('A')));
    for (int i = 0; i < count; ++i)
        w.click("cmdSendSingleMsg");
}

QByteArray StatisticsPayload()
{
    QByteArray payload = Hex("34 12");  // 4660
    for (int i = 1; i < 8; ++i)
        payload.append(char(i)).append(char(0));
    return payload;
}

}  // namespace

class TestStatisticsPage : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }

    void startUp_everyFigureShowsDash();
    void ackReplies_fillRowsAndRates_data();
    void ackReplies_fillRowsAndRates();
    void rfStatisticsReply_fillsTheEightLabels_data();
    void rfStatisticsReply_fillsTheEightLabels();
    void getAndClear_workInTheirOrder();
    void throughputTick_showsCurrentAndAverage();
    void repetition_showsThroughputOfItsBytes();
};

void TestStatisticsPage::startUp_everyFigureShowsDash()
{
    TrafficWindow w;
    QCOMPARE(TransceiverTexts(w), QStringList(8, "-"));
    QCOMPARE(ProgramTexts(w), QStringList(5, "-"));
    QCOMPARE(w.text("lblThroughput"), QStringLiteral("-"));
    QCOMPARE(w.listRows("lstRetryDistribution"), QStringList());
    QCOMPARE(w.text("cmdGetStatistics"), QStringLiteral("Get Statistics"));
    QCOMPARE(w.text("cmdClearTestStats"), QStringLiteral("Clear All Statistics"));
    QStringList captions;
    for (const QLabel* label : w.window->page(3)->findChildren<QLabel*>())
        captions << label->text();
    for (const char* caption : {"Total", "Unique", "Packets Sent", "Acks Sent", "Packets Received",
                                "Acks Received", "Throughput", "Retry Distribution",
                                "Pkt Success Rate (Retries Included)",
                                "Pkt Success Rate (Retries Not Included)"})
        QVERIFY2(captions.contains(caption), caption);
}

void TestStatisticsPage::ackReplies_fillRowsAndRates_data()
{
    QTest::addColumn<QString>("retriesSetting");
    QTest::addColumn<int>("sent");
    QTest::addColumn<QList<Reply>>("replies");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("labels");  // acks, with acks, overall

    QTest::newRow("3 retries: ack, ack after 2, nack")
        << "3" << 3 << QList<Reply>{{1, 0}, {1, 2}, {0, 0}}
        << QStringList{" 0 retries     1", " 1 retries     0", " 2 retries     1",
                       " 3 retries     0", " Failed         1"}
        << QStringList{"2", "66.67%", "25.00%"};
    QTest::newRow("25 retries count as an ack only")
        << "3" << 1 << QList<Reply>{{1, 25}}
        << QStringList{" 0 retries     0", " 1 retries     0", " 2 retries     0",
                       " 3 retries     0", " Failed         0"}
        << QStringList{"1", "100.00%", "00.00%"};
    QTest::newRow("1 retry: rows beyond it hidden")
        << "1" << 2 << QList<Reply>{{1, 1}, {1, 3}}
        << QStringList{" 0 retries     0", " 1 retries     1", " Failed         0"}
        << QStringList{"2", "100.00%", "33.33%"};
    QTest::newRow("nothing sent: rates 0")
        << "3" << 0 << QList<Reply>{{1, 0}, {2, 0}}
        << QStringList{" 0 retries     1", " 1 retries     0", " 2 retries     0",
                       " 3 retries     0", " Failed         1"}
        << QStringList{"1", "00.00%", "00.00%"};
}

void TestStatisticsPage::ackReplies_fillRowsAndRates()
{
    QFETCH(QString, retriesSetting);
    QFETCH(int, sent);
    QFETCH(QList<Reply>, replies);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, labels);
    SettingsStore::WriteText("Settings", "Retries", retriesSetting);
    TrafficWindow w;
    SendMessages(w, sent);
    for (const Reply& reply : replies)
        w.port->feedReceived(AckFrame(reply.first, reply.second));
    QCOMPARE(w.listRows("lstRetryDistribution"), rows);
    QCOMPARE(Texts(w, {"lblTestAcksRcvd", "lblPktSuccessWithAcks", "lblOverallPktSuccess"}),
             labels);
}

void TestStatisticsPage::rfStatisticsReply_fillsTheEightLabels_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("34 12 is 4660") << StatisticsPayload()
                                   << QStringList{"4660", "1", "2", "3", "4", "5", "6", "7"};
    QTest::newRow("largest") << QByteArray(16, '\xFF') << QStringList(8, "65535");
    QTest::newRow("too short: ignored") << QByteArray(15, '\x01') << QStringList(8, "-");
}

void TestStatisticsPage::rfStatisticsReply_fillsTheEightLabels()
{
    QFETCH(QByteArray, payload);
    QFETCH(QStringList, shown);
    TrafficWindow w;
    w.port->feedReceived(ModuleFrame(MessageCode::RfStatistics, payload));
    QCOMPARE(TransceiverTexts(w), shown);
}

void TestStatisticsPage::getAndClear_workInTheirOrder()
{
    TrafficWindow w;
    SendMessages(w, 2);
    w.port->feedReceived(AckFrame(1, 0));
    w.port->clearRecords();

    w.click("cmdGetStatistics");
    QCOMPARE(ProgramTexts(w), (QStringList{"2", "0", "1", "50.00%", "100.00%"}));
    QCOMPARE(w.writtenFrames(), QStringList{"01 05 0F 15 04"});
    w.port->feedReceived(ModuleFrame(MessageCode::RfStatistics, StatisticsPayload()));
    QCOMPARE(w.text("lblTotalPacketsSent"), QStringLiteral("4660"));

    w.click("cmdClearTestStats");
    QCOMPARE(ProgramTexts(w), QStringList(5, "-"));
    QCOMPARE(w.text("lblThroughput"), QStringLiteral("-"));
    QCOMPARE(w.listRows("lstRetryDistribution"),
             (QStringList{" 0 retries     0", " 1 retries     0", " 2 retries     0",
                          " 3 retries     0", " Failed         0"}));
    QCOMPARE(w.writtenFrames().last(), QStringLiteral("01 05 10 16 04"));
    QCOMPARE(w.text("lblTotalPacketsSent"), QStringLiteral("4660"));  // until the module agrees
    w.port->feedReceived(ModuleFrame(MessageCode::ClearStatisticsAck, {}));
    QCOMPARE(TransceiverTexts(w), QStringList(8, "-"));

    w.click("cmdGetStatistics");
    QCOMPARE(ProgramTexts(w), (QStringList{"0", "0", "0", "00.00%", "00.00%"}));
    QCOMPARE(w.writtenFrames().last(), QStringLiteral("01 05 0F 15 04"));
}

void TestStatisticsPage::throughputTick_showsCurrentAndAverage()
{
    TrafficWindow w;
    SendMessages(w, 2, 20);  // 40 bytes, 320 bits
    StatisticsPage& page = *w.window->findChild<StatisticsPage*>();
    page.tmrThroughput_Timer();
    QCOMPARE(w.text("lblThroughput"), QStringLiteral("0.3 kbps   (0.3 kbps)"));
    page.tmrThroughput_Timer();
    QCOMPARE(w.text("lblThroughput"), QStringLiteral("0.0 kbps   (0.2 kbps)"));
    QCOMPARE(w.window->counters().lThroughputTicks, 2);
}

// 20 bytes every 100 ms are 1.6 kbps; the bounds only catch a wrong unit or scale.
void TestStatisticsPage::repetition_showsThroughputOfItsBytes()
{
    TrafficWindow w;
    w.type("txtRFData", QString(20, QLatin1Char('A')));
    w.click("cmdSendSingleRepeatedMsg");
    QTRY_VERIFY_WITH_TIMEOUT(w.text("lblThroughput") != QLatin1String("-"), 5000);
    w.click("cmdSendSingleRepeatedMsg");
    const QRegularExpression form(QStringLiteral(R"(^(\d+\.\d) kbps   \((\d+\.\d) kbps\)$)"));
    const QRegularExpressionMatch match = form.match(w.text("lblThroughput"));
    QVERIFY2(match.hasMatch(), qPrintable(w.text("lblThroughput")));
    const double current = match.captured(1).toDouble();
    QVERIFY2(current >= 0.8 && current <= 2.4, qPrintable(match.captured(0)));
}

QTEST_MAIN(TestStatisticsPage)
#include "tst_statisticspage.moc"
