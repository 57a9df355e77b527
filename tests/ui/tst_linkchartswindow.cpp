// The link charts window through the real main window over a fake port: opened from
// the View menu, fed by the statistics page, and writing its image and CSV files.
#include "ui/widgets/UserPrompts.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/ChartReading.h"
#include "support/ExistingPlace.h"
#include "support/Hex.h"
#include "support/WindowHarness.h"
#include "ui/pages/StatisticsPage.h"
#include "ui/LinkChartsWindow.h"

#include <QAction>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

QWidget* OpenCharts(const WindowHarness& w)
{
    w.find<QAction>("mnuLinkCharts")->trigger();
    return w.find<QWidget>("LinkChartsWindow");
}

// An acknowledgement report: packet ID, status, retries.
void FeedReport(const WindowHarness& w, int status, int retries)
{
    w.port->feedReceived(BuildFrame(MessageCode::SendRfDataAck, Hex("07") + char(status) + char(retries)));
}

int PointCount(const QWidget& charts, const char* chart)
{
    int count = 0;
    for (const QLineSeries* line : LinesOf(charts, chart))
        count += line->count();
    return count;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

}  // namespace

class TestLinkChartsWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }
    void cleanup() { UserPrompts::SetAnswersForTesting({}); }

    // Opened from the View menu, fed by the statistics page, but not cleared by it.
    void statisticsPage_feedsTheCharts_butItsClearDoesNot()
    {
        VirtualClock clock;  // only the throughput ticks made here end intervals
        WindowHarness w;
        w.openPort1();
        QVERIFY(!w.find<QWidget>("LinkChartsWindow"));  // built when first asked for
        QWidget* charts = OpenCharts(w);
        QVERIFY(charts && charts->isVisible() && charts->isWindow() && !charts->isModal());
        charts->close();
        QCOMPARE(OpenCharts(w), charts);  // one window, shown again
        QVERIFY(charts->isVisible());
        FeedReport(w, 1, 0);
        FeedReport(w, 1, 2);
        FeedReport(w, 0, 3);
        QTRY_COMPARE(RetryBarValues(*charts), (QList<qreal>{1, 0, 1, 0, 1}));  // retries 3

        auto* statistics = w.window->findChild<StatisticsPage*>();
        statistics->tmrThroughput_Timer();
        QTRY_COMPARE(PointCount(*charts, "chartThroughput"), 2);  // interval and average
        QCOMPARE(PointCount(*charts, "chartDelivery"), 3);        // two rates and the failures
        QCOMPARE(PointCount(*charts, "chartReceived"), 1);
        const QList<QLineSeries*> delivery = LinesOf(*charts, "chartDelivery");
        QCOMPARE(delivery.at(0)->at(0).y(), 200.0 / 3);  // 2 of 3 reports acknowledged
        QCOMPARE(delivery.at(1)->at(0).y(), 25.0);       // 2 of 1 + 3 + 4 transmissions

        w.find<QPushButton>("cmdClearTestStats")->click();
        FeedReport(w, 1, 1);
        QTRY_COMPARE(RetryBarValues(*charts), (QList<qreal>{1, 1, 1, 0, 1}));
        QCOMPARE(PointCount(*charts, "chartThroughput"), 2);

        charts->findChild<QPushButton*>("cmdChartsClear")->click();
        QCOMPARE(RetryBarValues(*charts), (QList<qreal>{0, 0, 0, 0, 0}));
        QCOMPARE(PointCount(*charts, "chartThroughput"), 0);
        clock.advance(50);  // the page's figures reach the screen
        QCOMPARE(w.text("lblTestAcksRcvd"), QStringLiteral("1"));  // the page keeps its own
    }

    void idleWindow_runsNoTimer_aSecondAfterAFrame_data()
    {
        QTest::addColumn<bool>("charts");  // shown meanwhile, then closed
        QTest::newRow("charts never shown") << false;
        QTest::newRow("charts shown") << true;
    }
    void idleWindow_runsNoTimer_aSecondAfterAFrame()
    {
        QFETCH(bool, charts);
        VirtualClock clock;
        WindowHarness w;
        w.openPort1();
        w.port->feedReceived(BuildFrame(MessageCode::ReceivedRfData, Hex("09 00 00 00 00 41")));
        if (charts)
            OpenCharts(w)->close();
        clock.advance(1100);
        for (const ProtocolTimer* timer : w.window->findChildren<ProtocolTimer*>())
            QVERIFY2(!timer->isActive(), qPrintable(timer->findChild<QTimer*>()->objectName()));
        for (const QTimer* timer : w.window->findChildren<QTimer*>())
            QVERIFY2(!timer->isActive(), qPrintable(timer->objectName()));
    }

    void exports_askBeforeReplacingAFile_andAddTheExtension_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("chosen");   // the file dialog's answer, in the test's folder
        QTest::addColumn<bool>("exists");      // a file holding "old" is there already
        QTest::addColumn<bool>("overwrite");   // the answer to "Overwrite File"
        QTest::addColumn<QString>("written");  // the file that gets the export, "" for none
        const QString image = "cmdChartsSaveImage", csv = "cmdChartsExportCsv";
        QTest::newRow("image over a file, kept") << image << "charts.png" << true << false << "";
        QTest::newRow("series over a file, replaced") << csv << "series.csv" << true << true << "series.csv";
        QTest::newRow("image name without extension") << image << "charts" << false << false << "charts.png";
    }

    void exports_askBeforeReplacingAFile_andAddTheExtension()
    {
        QFETCH(QString, button);
        QFETCH(QString, chosen);
        QFETCH(bool, exists);
        QFETCH(bool, overwrite);
        QFETCH(QString, written);
        QTemporaryDir dir;
        const QString path = dir.filePath(chosen);
        const ExistingPlace place(path, exists ? "file" : "");
        QStringList asked;
        UserPrompts::TestAnswers answers;
        answers.onChooseFile = [&](const UserPrompts::FileDialogRequest&) { return path; };
        answers.onQuestion = [&](const QString& title, const QString& text) {
            asked << title + '|' + text;
            return overwrite;
        };
        UserPrompts::SetAnswersForTesting(answers);
        WindowHarness w;
        OpenCharts(w)->findChild<QPushButton*>(button)->click();

        QCOMPARE(asked, exists ? QStringList{"Overwrite File|File " + chosen
                                             + " already exists.  Overwrite?"}
                               : QStringList());
        if (written.isEmpty()) {
            QCOMPARE(ReadAll(path), QByteArray("old"));
            return;
        }
        const QByteArray content = ReadAll(dir.filePath(written));
        if (written.endsWith(".png"))
            QVERIFY(QImage::fromData(content, "PNG").width() > 400);
        else
            QVERIFY2(content.startsWith("time_s,"), content.left(40).constData());
    }
};

QTEST_MAIN(TestLinkChartsWindow)
#include "tst_linkchartswindow.moc"
