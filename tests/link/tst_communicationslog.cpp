#include "link/CommunicationsLog.h"
#include "support/RecordingMessageList.h"

#include <QtTest>

class TestCommunicationsLog : public QObject {
    Q_OBJECT
private slots:
    void fullList_transmitRemovesTwoBottomLines();
    void makeRoom_data();
    void makeRoom();
    void lineFormats_data();
    void lineFormats();
    void widestWidth_growsOnly_andSurvivesClear();
};

void TestCommunicationsLog::fullList_transmitRemovesTwoBottomLines()
{
    RecordingMessageList list;
    CommunicationsLog log(list);
    for (int i = 0; i < 100; ++i)
        log.AddToMessageList(QString::number(i));
    log.LogTransmittedMessage(QStringLiteral("Query IDs"), QStringLiteral("01 05 03 09 04 "), false, 0);
    QCOMPARE(list.lines.size(), 100);
    QCOMPARE(list.lines[0], QStringLiteral("Host->TXCVR (Query IDs): 01 05 03 09 04 "));
    QCOMPARE(list.lines[1], QString());
    QCOMPARE(list.lines[2], QStringLiteral("99"));
    QCOMPARE(list.lines.last(), QStringLiteral("2"));  // 0 and 1 were the oldest
}

void TestCommunicationsLog::makeRoom_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("reserve");
    QTest::addColumn<int>("left");
    QTest::newRow("empty list") << 0 << 3 << 0;
    QTest::newRow("room enough") << 97 << 3 << 97;
    QTest::newRow("one short") << 98 << 3 << 97;
    QTest::newRow("full") << 100 << 1 << 99;
    QTest::newRow("more than capacity asked") << 100 << 500 << 0;
}

void TestCommunicationsLog::makeRoom()
{
    QFETCH(int, lines);
    QFETCH(int, reserve);
    QFETCH(int, left);
    RecordingMessageList list;
    CommunicationsLog log(list);
    for (int i = 0; i < lines; ++i)
        list.insertTopLine(QString::number(i));
    log.MakeRoomInMessageList(reserve);
    QCOMPARE(list.lines.size(), left);
    if (left > 0)
        QCOMPARE(list.lines.first(), QString::number(lines - 1));  // the newest stay
}

void TestCommunicationsLog::lineFormats_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("transmit") << "tx" << QStringList{"Host->TXCVR (Query Firmware Version): 01 05 15 1B 04 ", ""};
    QTest::newRow("transmit RF data")
        << "txrf" << QStringList{"PID=255:Host->TXCVR (Send RF Data Message): 01 09 01 FF 02 00 41 4F 04 ", ""};
    QTest::newRow("receive") << "rx" << QStringList{"TXCVR->Host (Received Message): 01 05 97 9D 04 "};
    QTest::newRow("receive RF data")
        << "rxrf" << QStringList{"PID=3:TXCVR->Host (Received RF Data Message): 01 0B 94 03 00 00 00 00 41 DB 04 "};
    QTest::newRow("time-out") << "timeout" << QStringList{"Query IDs Timeout!"};
    QTest::newRow("status") << "status" << QStringList{"", "Serial Port Error: gone", ""};
}

void TestCommunicationsLog::lineFormats()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, expected);
    RecordingMessageList list;
    CommunicationsLog log(list);
    if (kind == "tx")
        log.LogTransmittedMessage("Query Firmware Version", "01 05 15 1B 04 ", false, 0);
    else if (kind == "txrf")
        log.LogTransmittedMessage("Send RF Data Message", "01 09 01 FF 02 00 41 4F 04 ", true, 255);
    else if (kind == "rx")
        log.LogReceivedMessage(151, "Received Message", "01 05 97 9D 04 ", 0);
    else if (kind == "rxrf")
        log.LogReceivedMessage(148, "Received RF Data Message", "01 0B 94 03 00 00 00 00 41 DB 04 ", 3);
    else if (kind == "timeout")
        log.LogMessageTimeout("Query IDs");
    else
        log.LogStatusMessage("Serial Port Error: gone");
    QCOMPARE(list.lines, expected);
}

void TestCommunicationsLog::widestWidth_growsOnly_andSurvivesClear()
{
    RecordingMessageList list;
    CommunicationsLog log(list);
    log.AddToMessageList(QStringLiteral("a fairly long line of text"));
    const int wide = list.extent;
    QVERIFY(wide > 0);
    log.AddToMessageList(QStringLiteral("short"));
    QCOMPARE(list.extent, wide);
    log.cmdClear_Click();
    QVERIFY(list.lines.isEmpty());
    QCOMPARE(list.extent, wide);
    log.AddToMessageList(QStringLiteral("short again"));
    QCOMPARE(list.extent, wide);
    log.AddToMessageList(QStringLiteral("a line that is longer than any line before it"));
    QVERIFY(list.extent > wide);
    QCOMPARE(list.tagText, QString::number(list.extent));
}


QTEST_APPLESS_MAIN(TestCommunicationsLog)
#include "tst_communicationslog.moc"
