// The "RF Data" panel through the real window over a fake port: what is typed, what
// is sent, repetitions and their buttons, and what arrives.
#include "TrafficWindow.h"

#include "traffic/RfDataFrame.h"
#include "traffic/TrafficCounters.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

const char* const kSendButtons[] = {"cmdSendSingleMsg", "cmdSendRandomMsg",
                                    "cmdSendSingleRepeatedMsg", "cmdSendRandomRepeatedMsg"};

// Names of the send buttons that can be clicked, in panel order.
QStringList EnabledSendButtons(const TrafficWindow& w)
{
    QStringList enabled;
    for (const char* name : kSendButtons)
        if (w.find<QPushButton>(QLatin1String(name))->isEnabled())
            enabled << QLatin1String(name);
    return enabled;
}

int PacketIdOf(const QByteArray& frame)
{
    return static_cast<quint8>(frame.at(3));
}

}  // namespace

class TestRfDataPanel : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }

    void startUp_showsAsciiEmptyBoxAndDefaults();
    void controls_carryTheirNamesAndCaptions_data();
    void controls_carryTheirNamesAndCaptions();
    void sendSingle_framesTheTypedData_data();
    void sendSingle_framesTheTypedData();
    void asciiBox_refusesA37thCharacter();
    void hexBox_dropsNonHexCharacters_data();
    void hexBox_dropsNonHexCharacters();
    void entryMode_emptiesBoxAndSetsLimit_data();
    void entryMode_emptiesBoxAndSetsLimit();
    void randomNote_isSentAsTextInAscii_butClearedInHex_data();
    void randomNote_isSentAsTextInAscii_butClearedInHex();
    void sendRandom_advancesPacketIdFirst_data();
    void sendRandom_advancesPacketIdFirst();
    void bytesAreCounted_evenWhenThePortDropsTheFrame();
    void singleRepetition_sendsAdvancingPacketIds_untilStopped();
    void singleRepetition_endsWhenATickFindsTheBoxEmpty();
    void randomRepetition_buttonsDuringAndAfter();
    void stopRepeat_enablesTheOtherButtons_whoeverDisabledThem();
    void repeatDelay_isReadOnlyWhenARepetitionStarts();
    void numericBoxes_clampAtOnce_data();
    void numericBoxes_clampAtOnce();
    void repeatDelaySpinButtons_stepBy100WithinBounds();
    void receivedRfData_isShownAndCounted_data();
    void receivedRfData_isShownAndCounted();
    void notAddressedToUs_changesNothing();
};

void TestRfDataPanel::startUp_showsAsciiEmptyBoxAndDefaults()
{
    TrafficWindow w;
    QVERIFY(w.find<QRadioButton>("optAscii")->isChecked());
    QVERIFY(!w.find<QRadioButton>("optHex")->isChecked());
    QCOMPARE(w.text("txtRFData"), QString());
    QCOMPARE(w.find<QLineEdit>("txtRFData")->maxLength(), 36);
    QCOMPARE(w.text("txtDestinationID"), QStringLiteral("2"));
    QCOMPARE(w.text("txtPacketID"), QStringLiteral("1"));
    QCOMPARE(w.text("txtRepeatDelay"), QStringLiteral("100"));
    QCOMPARE(w.panel().iRepeatDelay(), qint16(100));
    QVERIFY(!w.panel().bSingleRepeat() && !w.panel().bRandomRepeat());
    QCOMPARE(EnabledSendButtons(w).size(), 4);
    QVERIFY(!w.find<QTimer>("tmrRepeat")->isActive());
}

void TestRfDataPanel::controls_carryTheirNamesAndCaptions_data()
{
    // Test mode finds these by name to disable them.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const QList<QPair<const char*, const char*>> rows = {
        {"lblRfData", "RF Data"},
        {"optAscii", "ASCII"},
        {"optHex", "HEX"},
        {"lblDestID", "Dest ID"},
        {"lblPktID", "Pkt ID"},
        {"lblRepeatDelay", "Repeat Delay(msec)"},
        {"cmdSendSingleMsg", "Send Single Msg"},
        {"cmdSendRandomMsg", "Send Random Msg"},
        {"cmdSendSingleRepeatedMsg", "Send Single Repeated Msg"},
        {"cmdSendRandomRepeatedMsg", "Send Random Repeated Msg"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.first) << row.first << row.second;
}

void TestRfDataPanel::controls_carryTheirNamesAndCaptions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    TrafficWindow w;
    QCOMPARE(w.text(qPrintable(name)), caption);
    for (const char* control : {"frameRfData", "txtRFData", "txtDestinationID", "txtPacketID",
                                "txtRepeatDelay", "updownRepeatDelay"})
        QVERIFY2(w.find<QWidget>(QLatin1String(control)), control);
}

void TestRfDataPanel::sendSingle_framesTheTypedData_data()
{
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("boxAfter");
    QTest::addColumn<QString>("frame");
    QTest::newRow("ASCII AB, destination 2, packet 1")
        << false << "AB" << "AB" << "01 0A 01 01 02 00 41 42 92 04";
    QTest::newRow("HEX ABC is padded in the box") << true << "ABC" << "ABC0"
                                                  << "01 0A 01 01 02 00 AB C0 7A 04";
    QTest::newRow("HEX lower case") << true << "ab" << "ab" << "01 09 01 01 02 00 AB B9 04";
    QTest::newRow("ASCII Latin-1 character") << false << QString(QChar(0xE9)) << QString(QChar(0xE9))
                                              << "01 09 01 01 02 00 E9 F7 04";
}

void TestRfDataPanel::sendSingle_framesTheTypedData()
{
    QFETCH(bool, hex);
    QFETCH(QString, typed);
    QFETCH(QString, boxAfter);
    QFETCH(QString, frame);
    TrafficWindow w;
    if (hex)
        w.click("optHex");
    w.type("txtRFData", typed);
    w.click("cmdSendSingleMsg");
    QCOMPARE(w.writtenFrames(), QStringList{frame});
    QCOMPARE(w.text("txtRFData"), boxAfter);
    QCOMPARE(w.text("txtPacketID"), QStringLiteral("1"));  // a single message keeps its ID
    QCOMPARE(w.window->counters().lPacketsSent, 1);
    QCOMPARE(w.text("lblTestPktsSent"), QStringLiteral("1"));
    QVERIFY2(w.logLines().last().startsWith("PID=1:Host->TXCVR ("), qPrintable(w.logLines().last()));
}

void TestRfDataPanel::asciiBox_refusesA37thCharacter()
{
    TrafficWindow w;
    w.type("txtRFData", QString(37, QLatin1Char('x')));
    QCOMPARE(w.text("txtRFData"), QString(36, QLatin1Char('x')));
    w.click("cmdSendSingleMsg");
    QCOMPARE(w.rfDataFrames().size(), 1);
    QCOMPARE(w.rfDataFrames().first().size(), 44);
    QCOMPARE(int(quint8(w.rfDataFrames().first().at(1))), 44);
}

void TestRfDataPanel::hexBox_dropsNonHexCharacters_data()
{
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("shown");
    QTest::newRow("typed 1 G 2") << false << "1G2" << "12";
    QTest::newRow("typed mixed") << false << "x0a-F f" << "0aFf";
    QTest::newRow("pasted mixed") << true << "DE:AD be ef!" << "DEADbeef";
    QTest::newRow("pasted nothing hex") << true << "xyz" << "";
}

void TestRfDataPanel::hexBox_dropsNonHexCharacters()
{
    QFETCH(bool, pasted);
    QFETCH(QString, input);
    QFETCH(QString, shown);
    TrafficWindow w;
    w.click("optHex");
    if (pasted)
        w.paste("txtRFData", input);
    else
        w.type("txtRFData", input);
    QCOMPARE(w.text("txtRFData"), shown);
    // Typing goes on where it stopped.
    w.type("txtRFData", "9");
    QCOMPARE(w.text("txtRFData"), shown + "9");
}

void TestRfDataPanel::entryMode_emptiesBoxAndSetsLimit_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("limit");
    QTest::newRow("ASCII to HEX") << "optAscii" << "optHex" << 72;
    QTest::newRow("HEX to ASCII") << "optHex" << "optAscii" << 36;
}

void TestRfDataPanel::entryMode_emptiesBoxAndSetsLimit()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, limit);
    TrafficWindow w;
    w.click(qPrintable(from));
    w.type("txtRFData", "12");
    w.click(qPrintable(to));
    QCOMPARE(w.text("txtRFData"), QString());
    QCOMPARE(w.find<QLineEdit>("txtRFData")->maxLength(), limit);
    w.type("txtRFData", QString(limit + 1, QLatin1Char('A')));
    QCOMPARE(w.text("txtRFData").size(), limit);
}

void TestRfDataPanel::randomNote_isSentAsTextInAscii_butClearedInHex_data()
{
    QTest::addColumn<bool>("hex");
    QTest::newRow("ASCII") << false;
    QTest::newRow("HEX") << true;
}

void TestRfDataPanel::randomNote_isSentAsTextInAscii_butClearedInHex()
{
    QFETCH(bool, hex);
    TrafficWindow w;
    if (hex)
        w.click("optHex");
    w.click("cmdSendRandomMsg");
    const QString note = w.text("txtRFData");
    QVERIFY2(note.startsWith("Random message of length: "), qPrintable(note));  // not filtered
    w.port->clearRecords();
    w.click("cmdSendSingleMsg");
    if (hex) {
        QCOMPARE(w.writtenFrames(), QStringList());
        QCOMPARE(w.text("txtRFData"), QString());
    } else {
        QCOMPARE(w.rfDataFrames().size(), 1);
        QCOMPARE(QString::fromLatin1(w.rfDataFrames().first().mid(6, note.size())), note);
    }
}

void TestRfDataPanel::sendRandom_advancesPacketIdFirst_data()
{
    QTest::addColumn<QString>("packetId");
    QTest::addColumn<int>("sentId");
    QTest::newRow("255 wraps to 0") << "255" << 0;
    QTest::newRow("7 to 8") << "7" << 8;
}

void TestRfDataPanel::sendRandom_advancesPacketIdFirst()
{
    QFETCH(QString, packetId);
    QFETCH(int, sentId);
    TrafficWindow w;
    w.paste("txtPacketID", packetId);
    w.click("cmdSendRandomMsg");
    QCOMPARE(w.rfDataFrames().size(), 1);
    const QByteArray frame = w.rfDataFrames().first();
    QCOMPARE(PacketIdOf(frame), sentId);
    QCOMPARE(w.text("txtPacketID"), QString::number(sentId));
    const int length = frame.size() - 8;
    QVERIFY(length >= 1 && length <= 36);
    QCOMPARE(w.text("txtRFData"), QStringLiteral("Random message of length: %1").arg(length));
    QCOMPARE(w.window->counters().lTotalBytesSent, length);
    QCOMPARE(HexText(frame), HexText(BuildRfDataFrame(frame.mid(6, length), sentId, 2)));
}

void TestRfDataPanel::bytesAreCounted_evenWhenThePortDropsTheFrame()
{
    TrafficWindow w;
    w.port->close();
    w.type("txtRFData", "ABC");
    w.click("cmdSendSingleMsg");
    QCOMPARE(w.writtenFrames(), QStringList());
    QCOMPARE(w.window->counters().lTotalBytesSent, 3);
    QCOMPARE(w.window->counters().lIntervalBytes, 3);
    QCOMPARE(w.window->counters().lPacketsSent, 0);
    QCOMPARE(w.text("lblTestPktsSent"), QStringLiteral("-"));
}

void TestRfDataPanel::singleRepetition_sendsAdvancingPacketIds_untilStopped()
{
    TrafficWindow w;
    w.paste("txtPacketID", "7");
    w.type("txtRFData", "AB");
    w.click("cmdSendSingleRepeatedMsg");
    QCOMPARE(w.text("cmdSendSingleRepeatedMsg"), QStringLiteral("Stop Repeat"));
    QCOMPARE(EnabledSendButtons(w), QStringList{"cmdSendSingleRepeatedMsg"});
    QVERIFY(w.find<QTimer>("tmrThroughput")->isActive());
    QCOMPARE(w.find<QTimer>("tmrRepeat")->interval(), 100);
    QTRY_VERIFY_WITH_TIMEOUT(w.rfDataFrames().size() >= 3, 5000);

    w.click("cmdSendSingleRepeatedMsg");
    const QList<QByteArray> frames = w.rfDataFrames();
    for (int i = 0; i < frames.size(); ++i)
        QCOMPARE(HexText(frames[i]), HexText(BuildRfDataFrame("AB", 7 + i, 2)));
    QCOMPARE(w.text("txtPacketID"), QString::number(7 + frames.size() - 1));
    QCOMPARE(w.text("cmdSendSingleRepeatedMsg"), QStringLiteral("Send Single Repeated Msg"));
    QCOMPARE(EnabledSendButtons(w).size(), 4);
    QVERIFY(!w.find<QTimer>("tmrRepeat")->isActive());
    QVERIFY(!w.find<QTimer>("tmrThroughput")->isActive());
    QTest::qWait(250);
    QCOMPARE(w.rfDataFrames().size(), frames.size());
}

void TestRfDataPanel::singleRepetition_endsWhenATickFindsTheBoxEmpty()
{
    TrafficWindow w;
    w.type("txtRFData", "Z");
    w.click("cmdSendSingleRepeatedMsg");
    w.find<QLineEdit>("txtRFData")->clear();
    QTRY_VERIFY_WITH_TIMEOUT(!w.panel().bSingleRepeat(), 5000);
    QCOMPARE(w.text("cmdSendSingleRepeatedMsg"), QStringLiteral("Send Single Repeated Msg"));
    QCOMPARE(EnabledSendButtons(w).size(), 4);
    QVERIFY(!w.find<QTimer>("tmrRepeat")->isActive());
    QCOMPARE(w.rfDataFrames().size(), 1);
    QCOMPARE(w.text("txtPacketID"), QStringLiteral("2"));  // the tick advanced it first
}

void TestRfDataPanel::randomRepetition_buttonsDuringAndAfter()
{
    TrafficWindow w;
    w.click("cmdSendSingleRepeatedMsg");  // empty box: nothing happens
    QVERIFY(!w.panel().bSingleRepeat());
    QCOMPARE(w.writtenFrames(), QStringList());

    w.click("cmdSendRandomRepeatedMsg");
    QCOMPARE(w.text("cmdSendRandomRepeatedMsg"), QStringLiteral("Stop Repeat"));
    QCOMPARE(EnabledSendButtons(w), QStringList{"cmdSendRandomRepeatedMsg"});
    QTRY_VERIFY_WITH_TIMEOUT(w.rfDataFrames().size() >= 3, 5000);
    w.click("cmdSendRandomRepeatedMsg");
    QCOMPARE(w.text("cmdSendRandomRepeatedMsg"), QStringLiteral("Send Random Repeated Msg"));
    QCOMPARE(EnabledSendButtons(w).size(), 4);
    QVERIFY(!w.find<QTimer>("tmrRepeat")->isActive());
    // Every random message advanced the packet ID before it went out.
    const QList<QByteArray> frames = w.rfDataFrames();
    for (int i = 0; i < frames.size(); ++i)
        QCOMPARE(PacketIdOf(frames[i]), 2 + i);
}

void TestRfDataPanel::stopRepeat_enablesTheOtherButtons_whoeverDisabledThem()
{
    TrafficWindow w;
    w.type("txtRFData", "AB");
    w.click("cmdSendSingleRepeatedMsg");
    for (const char* name : kSendButtons)  // as test mode does to the whole panel
        w.find<QPushButton>(QLatin1String(name))->setEnabled(false);
    w.panel().cmdSendSingleRepeatedMsg_Click();
    QCOMPARE(EnabledSendButtons(w), (QStringList{"cmdSendSingleMsg", "cmdSendRandomMsg",
                                                 "cmdSendRandomRepeatedMsg"}));
}

void TestRfDataPanel::repeatDelay_isReadOnlyWhenARepetitionStarts()
{
    TrafficWindow w;
    w.paste("txtRepeatDelay", "300");
    w.type("txtRFData", "AB");
    w.click("cmdSendSingleRepeatedMsg");
    w.paste("txtRepeatDelay", "500");
    QCOMPARE(w.find<QTimer>("tmrRepeat")->interval(), 300);
    w.click("cmdSendSingleRepeatedMsg");
    w.click("cmdSendSingleRepeatedMsg");
    QCOMPARE(w.find<QTimer>("tmrRepeat")->interval(), 500);
    w.click("cmdSendSingleRepeatedMsg");
}

void TestRfDataPanel::numericBoxes_clampAtOnce_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("shown");
    QTest::newRow("delay above") << "txtRepeatDelay" << false << "20000" << "10000";
    QTest::newRow("delay below") << "txtRepeatDelay" << false << "50" << "100";
    QTest::newRow("delay first digit typed") << "txtRepeatDelay" << true << "3" << "100";
    QTest::newRow("delay not a number") << "txtRepeatDelay" << false << "abc" << "100";
    QTest::newRow("destination above") << "txtDestinationID" << false << "70000" << "65535";
    QTest::newRow("packet ID above") << "txtPacketID" << false << "256" << "255";
}

void TestRfDataPanel::numericBoxes_clampAtOnce()
{
    QFETCH(QString, box);
    QFETCH(bool, typed);
    QFETCH(QString, input);
    QFETCH(QString, shown);
    TrafficWindow w;
    if (typed) {
        w.find<QLineEdit>(box)->selectAll();  // the typed digit replaces the selection
        w.type(qPrintable(box), input);
    } else {
        w.paste(qPrintable(box), input);
    }
    QCOMPARE(w.text(qPrintable(box)), shown);
    if (box == QLatin1String("txtRepeatDelay"))
        QCOMPARE(int(w.panel().iRepeatDelay()), shown.toInt());
    if (box == QLatin1String("txtDestinationID"))
        QCOMPARE(w.window->trafficSettings().lDestinationID, shown.toInt());
    if (box == QLatin1String("txtPacketID"))
        QCOMPARE(int(w.panel().iPacketID()), shown.toInt());
}

void TestRfDataPanel::repeatDelaySpinButtons_stepBy100WithinBounds()
{
    TrafficWindow w;
    auto* spin = w.find<QWidget>("updownRepeatDelay");
    auto* up = spin->findChild<QAbstractButton*>("stepUpButton");
    auto* down = spin->findChild<QAbstractButton*>("stepDownButton");
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(w.text("txtRepeatDelay"), QStringLiteral("100"));
    QTest::mouseClick(up, Qt::LeftButton);
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(w.text("txtRepeatDelay"), QStringLiteral("300"));
    QCOMPARE(w.panel().iRepeatDelay(), qint16(300));
    w.paste("txtRepeatDelay", "9950");
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(w.text("txtRepeatDelay"), QStringLiteral("10000"));
}

void TestRfDataPanel::receivedRfData_isShownAndCounted_data()
{
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("counted");
    QTest::newRow("HEX") << true << ReceivedRfDataFrame(9, Hex("0F A0 41")) << "0FA041" << 1;
    QTest::newRow("ASCII") << false << ReceivedRfDataFrame(9, "Hi there") << "Hi there" << 1;
    QTest::newRow("ASCII Latin-1") << false << ReceivedRfDataFrame(9, Hex("E9")) << QString(QChar(0xE9))
                                   << 1;
    QTest::newRow("36 bytes in HEX") << true << ReceivedRfDataFrame(9, QByteArray(36, '\xAB'))
                                     << QStringLiteral("AB").repeated(36) << 1;
    QTest::newRow("LEN 10 empties the box") << true << ReceivedRfDataFrame(9, {}) << "" << 1;
    QByteArray badChecksum = ReceivedRfDataFrame(9, "ok");
    badChecksum[badChecksum.size() - 2] = char(badChecksum.at(badChecksum.size() - 2) + 1);
    QTest::newRow("bad checksum: shown, not counted") << false << badChecksum << "ok" << 0;
}

void TestRfDataPanel::receivedRfData_isShownAndCounted()
{
    QFETCH(bool, hex);
    QFETCH(QByteArray, frame);
    QFETCH(QString, shown);
    QFETCH(int, counted);
    TrafficWindow w;
    if (hex)
        w.click("optHex");
    w.type("txtRFData", "1234");
    w.port->feedReceived(frame);
    QCOMPARE(w.text("txtRFData"), shown);
    QCOMPARE(w.window->counters().lPacketsReceived, counted);
    QCOMPARE(w.text("lblTestPktsRcvd"), counted ? QString::number(counted) : QStringLiteral("-"));
    w.port->feedReceived(ReceivedRfDataFrame(10, "x"));
    QCOMPARE(w.window->counters().lPacketsReceived, counted + 1);
    QCOMPARE(w.text("lblTestPktsRcvd"), QString::number(counted + 1));
}

void TestRfDataPanel::notAddressedToUs_changesNothing()
{
    TrafficWindow w;
    w.type("txtRFData", "mine");
    w.port->feedReceived(ModuleFrame(MessageCode::RfDataNotAddressedToUs,
                                     QByteArray(5, '\0') + "theirs"));
    QCOMPARE(w.text("txtRFData"), QStringLiteral("mine"));
    QCOMPARE(w.window->counters().lPacketsReceived, 0);
    QCOMPARE(w.text("lblTestPktsRcvd"), QStringLiteral("-"));
    QVERIFY(w.logLines().last().startsWith("TXCVR->Host ("));
}

QTEST_MAIN(TestRfDataPanel)
#include "tst_rfdatapanel.moc"
