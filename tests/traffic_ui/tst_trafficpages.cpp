// The traffic pages in the real window over a fake port: what the controls forward to the
// controllers and show of them, in virtual time. The rules are the unit tests'.
#include "link/LinkSession.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/Hex.h"
#include "support/WindowHarness.h"
#include "ui/ScreenRefresh.h"
#include "ui/pages/StatisticsPage.h"
#include "ui/widgets/UserPrompts.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

QStringList Texts(const WindowHarness& w, const QStringList& names)
{
    QStringList texts;
    for (const QString& name : names) {
        const auto* button = w.find<QPushButton>(name);
        texts << (button && !button->isEnabled() ? "-" : "") + w.text(name);
    }
    return texts;
}

const QStringList kSendButtons = {"cmdSendSingleMsg", "cmdSendRandomMsg", "cmdSendSingleRepeatedMsg",
                                  "cmdSendRandomRepeatedMsg"};
const QStringList kFigures = {"lblTestPktsSent", "lblTestPktsRcvd", "lblTestAcksRcvd",
                              "lblPktSuccessWithAcks", "lblOverallPktSuccess", "lblThroughput"};

}  // namespace

class TestTrafficPages : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }

    void pages_forwardToTheControllers_andShowWhatTheyReport()
    {
        VirtualClock clock;
        WindowHarness w;
        w.openPort1();
        auto* box = w.find<QLineEdit>("txtRFData");
        w.find<QAbstractButton>("optHex")->click();
        QTest::keyClicks(box, "1G2C");
        QCOMPARE(box->text(), QStringLiteral("12C"));
        w.find<QPushButton>("cmdSendSingleMsg")->click();
        QCOMPARE(box->text(), QStringLiteral("12C0"));
        QCOMPARE(w.port->writtenData(), Hex("01 0A 01 01 02 00 12 C0 E1 04"));

        auto* delay = w.find<QLineEdit>("txtRepeatDelay");
        delay->selectAll();
        QTest::keyClicks(delay, "5");  // still being typed: below the minimum
        w.find<QPushButton>("cmdSendSingleRepeatedMsg")->click();
        QCOMPARE(delay->text(), QStringLiteral("100"));  // the send ended the edit
        QCOMPARE(Texts(w, kSendButtons), (QStringList{"-Send Single Msg", "-Send Random Msg",
                                                      "Stop Repeat", "-Send Random Repeated Msg"}));
        clock.advance(250);
        w.find<QPushButton>("cmdSendSingleRepeatedMsg")->click();
        QCOMPARE(Texts(w, kSendButtons), (QStringList{"Send Single Msg", "Send Random Msg",
                                                      "Send Single Repeated Msg", "Send Random Repeated Msg"}));
        QCOMPARE(w.text("txtPacketID") + w.text("lblTestPktsSent"), QStringLiteral("34"));

        w.port->feedReceived(BuildFrame(MessageCode::ReceivedRfData, Hex("09 00 00 00 00 0F A0")));
        clock.advance(ScreenRefresh::kIntervalMs);
        QCOMPARE(box->text(), QStringLiteral("0FA0"));

        w.port->feedReceived(BuildFrame(MessageCode::SendRfDataAck, Hex("01 01 00")));
        w.window->findChild<StatisticsPage*>()->tmrThroughput_Timer();
        clock.advance(ScreenRefresh::kIntervalMs);
        QCOMPARE(Texts(w, kFigures), (QStringList{"4", "1", "1", "25.00%", "100.00%", "0.0 kbps   (0.1 kbps)"}));
        const auto* list = w.find<QListWidget>("lstRetryDistribution");
        QCOMPARE(list->item(0)->text(), QStringLiteral(" 0 retries     1"));
        w.find<QPushButton>("cmdGetStatistics")->click();
        w.port->feedReceived(BuildFrame(MessageCode::RfStatistics, Hex("34 12") + QByteArray(14, 0)));
        QCOMPARE(w.text("lblTotalPacketsSent"), QStringLiteral("4660"));

        w.find<QPushButton>("cmdClearTestStats")->click();
        QCOMPARE(Texts(w, kFigures), QStringList(6, "-"));
        QCOMPARE(list->item(0)->text(), QStringLiteral(" 0 retries     0"));
        w.port->feedReceived(BuildFrame(MessageCode::ClearStatisticsAck, {}));
        QCOMPARE(w.text("lblTotalPacketsSent"), QStringLiteral("-"));
    }

    // The box follows the controller (a cancelled dialog, a failed file); questions are dialogs.
    void saveLogToFile_asksThroughTheDialogs_andFollowsTheController()
    {
        QTemporaryDir dir;
        QStringList asked;
        QStringList files{QString(), dir.filePath("run.olf"), "/dev/null"};  // the dialog's answers
        UserPrompts::SetAnswersForTesting(
            {[&](const QString& title, const QString& text) { asked << title + "|" + text; }, {},
             [&](const UserPrompts::FileDialogRequest& request) {
                 asked << request.title + "|" + request.filter;
                 return files.takeFirst();
             }});
        VirtualClock clock;
        WindowHarness w;
        auto* box = w.find<QCheckBox>("chkSaveLogToFile");
        box->setChecked(true);
        QVERIFY(!box->isChecked());
        box->setChecked(true);
        w.find<QAction>("mnuFileNew")->trigger();
        const QString dialog = "New|QV Orvalis Log Files (*.olf)|*.olf|All Files (*.*)|*.*";
        QCOMPARE(asked, (QStringList{dialog, dialog, dialog,
                                     "Error|Invalid file type.  Default file will be used!"}));
        QVERIFY(box->isChecked());
        QVERIFY(QFile::remove(dir.filePath("run.olf")) && QDir(dir.path()).mkdir("run.olf"));
        w.window->link().log().AddToMessageList("a line that cannot be written");
        clock.advance(50);  // the gathered lines reach the file
        QVERIFY(!box->isChecked());
    }
};

QTEST_MAIN(TestTrafficPages)
#include "tst_trafficpages.moc"
