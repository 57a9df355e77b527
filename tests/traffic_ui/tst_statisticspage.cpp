// The "Statistics" page through the real window over a fake port. The figures' rules
// are covered by the traffic unit tests; this proves the page shows them.
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/Hex.h"
#include "support/WindowHarness.h"
#include "traffic/StatisticsPage.h"
#include "traffic/TrafficCounters.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

QStringList Texts(const WindowHarness& w, const QStringList& names)
{
    QStringList texts;
    for (const QString& name : names)
        texts << w.text(name);
    return texts;
}

const QStringList kProgramFigures = {"lblTestPktsSent", "lblTestPktsRcvd", "lblTestAcksRcvd",
                                     "lblPktSuccessWithAcks", "lblOverallPktSuccess"};

QStringList RetryRows(const WindowHarness& w)
{
    QStringList rows;
    const auto* list = w.find<QListWidget>("lstRetryDistribution");
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

}  // namespace

class TestStatisticsPage : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }

    void clearThenGet_showsZeros()
    {
        WindowHarness w;
        w.openPort1();
        w.find<QLineEdit>("txtRFData")->setText(QString(20, 'A'));
        w.find<QPushButton>("cmdSendSingleMsg")->click();
        w.find<QPushButton>("cmdSendSingleMsg")->click();
        w.port->feedReceived(BuildFrame(MessageCode::SendRfDataAck, Hex("01 01 00")));
        w.window->findChild<StatisticsPage*>()->tmrThroughput_Timer();
        QCOMPARE(w.text("lblThroughput"), QStringLiteral("0.3 kbps   (0.3 kbps)"));  // 320 bits
        w.port->clearRecords();
        w.find<QPushButton>("cmdGetStatistics")->click();
        QCOMPARE(Texts(w, kProgramFigures), (QStringList{"2", "0", "1", "50.00%", "100.00%"}));
        QCOMPARE(HexText(w.port->writtenData()), QStringLiteral("01 05 0F 15 04 "));
        w.port->feedReceived(BuildFrame(MessageCode::RfStatistics, Hex("34 12") + QByteArray(14, 0)));
        QCOMPARE(w.text("lblTotalPacketsSent"), QStringLiteral("4660"));

        w.port->clearRecords();
        w.find<QPushButton>("cmdClearTestStats")->click();
        QCOMPARE(Texts(w, kProgramFigures + QStringList{"lblThroughput"}), QStringList(6, "-"));
        QCOMPARE(RetryRows(w), (QStringList{" 0 retries     0", " 1 retries     0", " 2 retries     0",
                                            " 3 retries     0", " Failed         0"}));
        QCOMPARE(HexText(w.port->writtenData()), QStringLiteral("01 05 10 16 04 "));
        QCOMPARE(w.text("lblTotalPacketsSent"), QStringLiteral("4660"));  // until the module agrees
        w.port->feedReceived(BuildFrame(MessageCode::ClearStatisticsAck, {}));
        QCOMPARE(w.text("lblTotalPacketsSent"), QStringLiteral("-"));

        w.find<QPushButton>("cmdGetStatistics")->click();
        QCOMPARE(Texts(w, kProgramFigures), (QStringList{"0", "0", "0", "00.00%", "00.00%"}));
    }

    void shortAcknowledgement_isIgnored_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QStringList>("figures");
        QTest::newRow("no payload") << QByteArray() << QStringList{"0", "0"};
        QTest::newRow("packet ID and status only") << Hex("07 01") << QStringList{"0", "0"};
        QTest::newRow("complete, acknowledged") << Hex("07 01 02") << QStringList{"1", "0"};
        QTest::newRow("complete, failed") << Hex("07 00 03") << QStringList{"0", "1"};
    }

    void shortAcknowledgement_isIgnored()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QStringList, figures);
        WindowHarness w;
        w.openPort1();
        w.port->feedReceived(BuildFrame(MessageCode::SendRfDataAck, payload));
        const TrafficCounters& counters = w.window->counters();
        QCOMPARE((QStringList{QString::number(counters.lAcksReceived),
                              QString::number(counters.lPacketsFailed)}),
                 figures);
    }
};

QTEST_MAIN(TestStatisticsPage)
#include "tst_statisticspage.moc"
