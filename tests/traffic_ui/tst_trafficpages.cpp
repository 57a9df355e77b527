// The "RF Data" panel through the real window over a fake port.
#include "protocol/Frame.h"
#include "support/Hex.h"
#include "support/WindowHarness.h"
#include "traffic/RfDataFrame.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// The captions of the four send buttons, "-" before those that cannot be clicked.
QStringList SendButtons(const WindowHarness& w)
{
    QStringList buttons;
    for (const char* name : {"cmdSendSingleMsg", "cmdSendRandomMsg", "cmdSendSingleRepeatedMsg",
                             "cmdSendRandomRepeatedMsg"}) {
        const QPushButton* button = w.find<QPushButton>(name);
        buttons << (button->isEnabled() ? "" : "-") + button->text();
    }
    return buttons;
}

const QStringList kIdleButtons = {"Send Single Msg", "Send Random Msg", "Send Single Repeated Msg",
                                  "Send Random Repeated Msg"};

}  // namespace

class TestRfDataPanel : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }

    void sendSingle_framesTheTypedData_data()
    {
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("boxAfter");
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("ASCII AB, destination 2, packet 1")
            << false << "AB" << "AB" << Hex("01 0A 01 01 02 00 41 42 92 04");
        QTest::newRow("HEX ABC is padded in the box")
            << true << "ABC" << "ABC0" << Hex("01 0A 01 01 02 00 AB C0 7A 04");
    }
    void sendSingle_framesTheTypedData()
    {
        QFETCH(bool, hex);
        QFETCH(QString, typed);
        QFETCH(QString, boxAfter);
        QFETCH(QByteArray, frame);
        WindowHarness w;
        w.openPort1();
        if (hex)
            w.find<QAbstractButton>("optHex")->click();
        QTest::keyClicks(w.find<QLineEdit>("txtRFData"), typed);
        w.find<QAbstractButton>("cmdSendSingleMsg")->click();
        QCOMPARE(w.text("txtRFData"), boxAfter);
        QCOMPARE(HexText(w.port->writtenData()), HexText(frame));
        QCOMPARE(w.text("lblTestPktsSent"), QStringLiteral("1"));
    }

    void entryMode_emptiesBox_andHexDropsOtherCharacters()
    {
        WindowHarness w;
        auto* box = w.find<QLineEdit>("txtRFData");
        QTest::keyClicks(box, "1G");
        w.find<QAbstractButton>("optHex")->click();
        QCOMPARE(box->text(), QString());
        QCOMPARE(box->maxLength(), 72);
        QTest::keyClicks(box, "1G2");
        QCOMPARE(box->text(), QStringLiteral("12"));
    }

    void hexMode_randomNoteIsNotSent_andTheBoxIsCleared()
    {
        WindowHarness w;
        w.openPort1();
        w.find<QAbstractButton>("optHex")->click();
        w.find<QAbstractButton>("cmdSendRandomMsg")->click();
        QVERIFY(w.text("txtRFData").startsWith("Random message of length: "));
        w.port->clearRecords();
        w.find<QAbstractButton>("cmdSendSingleMsg")->click();
        QVERIFY(w.port->writes().isEmpty());
        QCOMPARE(w.text("txtRFData"), QString());
    }

    void repetition_advancesPacketIds_untilItEnds_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("endBy");
        QTest::addColumn<int>("firstId");
        QTest::addColumn<QStringList>("buttonsWhileRunning");
        const QStringList single = {"-Send Single Msg", "-Send Random Msg", "Stop Repeat",
                                    "-Send Random Repeated Msg"};
        const QStringList random = {"-Send Single Msg", "-Send Random Msg",
                                    "-Send Single Repeated Msg", "Stop Repeat"};
        QTest::newRow("single, stopped") << "cmdSendSingleRepeatedMsg" << "Stop Repeat" << 7 << single;
        QTest::newRow("single, box emptied")
            << "cmdSendSingleRepeatedMsg" << "emptying the box" << 7 << single;
        // Each random message advances the ID first.
        QTest::newRow("random, stopped") << "cmdSendRandomRepeatedMsg" << "Stop Repeat" << 8 << random;
        QTest::newRow("random, port lost") << "cmdSendRandomRepeatedMsg" << "port lost" << 8 << random;
    }
    void repetition_advancesPacketIds_untilItEnds()
    {
        QFETCH(QString, button);
        QFETCH(QString, endBy);
        QFETCH(int, firstId);
        QFETCH(QStringList, buttonsWhileRunning);
        WindowHarness w;
        w.openPort1();
        w.find<QLineEdit>("txtPacketID")->setText("7");
        w.find<QLineEdit>("txtRFData")->setText("AB");
        auto* delay = w.find<QLineEdit>("txtRepeatDelay");
        delay->selectAll();
        QTest::keyClicks(delay, "5");  // still being typed: below the minimum
        w.find<QPushButton>(button)->click();
        QCOMPARE(delay->text(), QStringLiteral("100"));  // the send ended the edit
        QCOMPARE(SendButtons(w), buttonsWhileRunning);
        QTRY_VERIFY_WITH_TIMEOUT(w.port->writes().size() >= 3, 5000);

        if (endBy == "emptying the box")
            w.find<QLineEdit>("txtRFData")->clear();
        else if (endBy == "port lost")
            w.port->injectFault("Input/output error");
        else
            w.find<QPushButton>(button)->click();
        QTRY_COMPARE_WITH_TIMEOUT(SendButtons(w), kIdleButtons, 5000);
        const int sent = w.port->writes().size();
        QTest::qWait(300);  // no frame once it has ended
        const QList<FakeSerialPort::Write> frames = w.port->writes();
        QCOMPARE(frames.size(), sent);
        for (int i = 0; i < frames.size(); ++i)
            QCOMPARE(int(quint8(frames[i].bytes.at(3))), firstId + i);
    }

    void receivedRfData_isShownAndCounted_data()
    {
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("counted");
        const QByteArray header = Hex("09 00 00 00 00");  // packet ID, four bytes not used
        QTest::newRow("HEX") << true << BuildFrame(148, header + Hex("0F A0 41")) << "0FA041" << "1";
        QTest::newRow("ASCII") << false << BuildFrame(148, header + "Hi") << "Hi" << "1";
        QTest::newRow("LEN 10 empties the box") << true << BuildFrame(148, header) << "" << "1";
    }
    void receivedRfData_isShownAndCounted()
    {
        QFETCH(bool, hex);
        QFETCH(QByteArray, frame);
        QFETCH(QString, shown);
        QFETCH(QString, counted);
        WindowHarness w;
        w.openPort1();
        if (hex)
            w.find<QAbstractButton>("optHex")->click();
        w.find<QLineEdit>("txtRFData")->setText("12");
        w.port->feedReceived(frame);
        QCOMPARE(w.text("txtRFData"), shown);
        QCOMPARE(w.text("lblTestPktsRcvd"), counted);
    }
};

QTEST_MAIN(TestRfDataPanel)
#include "tst_rfdatapanel.moc"
