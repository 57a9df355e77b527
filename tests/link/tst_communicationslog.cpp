#include "link/CommunicationsLog.h"
#include "link/SessionHistoryCsv.h"
#include "platform/Clock.h"
#include "support/Hex.h"
#include "support/RecordingMessageList.h"
#include "support/SteppingClock.h"

#include <QBuffer>
#include <QtTest>

namespace {

const QDateTime kStart(QDate(2026, 12, 7), QTime(14, 3, 22, 125), Qt::OffsetFromUTC, 3600);

// Line i: a received frame of 1 to 5 bytes, all of value i, under one of three names;
// every fourth line a status line instead, with no bytes.
LogLine NumberedLine(int i)
{
    if (i % 4 == 3)
        return LogLine::Status(QStringLiteral("note %1").arg(i));
    return LogLine::Frame(LineDirection::ModuleToHost, QStringLiteral("Name %1").arg(i % 3),
                          QByteArray(i % 5 + 1, static_cast<char>(i)), i % 256);
}

// The history holds the newest of the `added` numbered lines, as many as its bound
// keeps, each with its own bytes, name and time.
void VerifyNewestLines(const SessionHistory& history, int added)
{
    const int kept = std::min(history.capacity(), added);
    QCOMPARE(history.size(), kept);
    for (int k = 0; k < kept; ++k) {
        const int i = added - kept + k;
        const HistoryLine entry = history.at(k);
        const LogLine expected = NumberedLine(i);
        QCOMPARE(entry.arrived, kStart.addSecs(i));
        QCOMPARE(entry.line.direction, expected.direction);
        QCOMPARE(LogLineText(entry.line), LogLineText(expected));
        QCOMPARE(entry.line.bytes.toHex(' '), expected.bytes.toHex(' '));
    }
}

void AppendNumbered(SessionHistory& history, int from, int to)
{
    for (int i = from; i < to; ++i)
        history.append(kStart.addSecs(i), NumberedLine(i));
}

// A disk that fills up: it takes at most `perWrite` bytes of each write and `room`
// bytes in all, then refuses further writes with the system's reason.
class FillingDevice : public QIODevice {
public:
    FillingDevice(qint64 room, qint64 perWrite) : m_room(room), m_perWrite(perWrite)
    {
        open(QIODevice::WriteOnly);
    }
    QByteArray written;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        if (m_room == 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 taken = std::min({length, m_room, m_perWrite});
        written.append(data, taken);
        m_room -= taken;
        return taken;
    }

private:
    qint64 m_room;
    qint64 m_perWrite;
};

}  // namespace

class TestCommunicationsLog : public QObject {
    Q_OBJECT
private slots:
    void fullList_transmitRemovesTwoBottomLines();
    void makeRoom_data();
    void makeRoom();
    void lineFormats_data();
    void lineFormats();
    void widestWidth_growsOnly_andSurvivesClear();
    void cleanup() { Clock::SetNowForTesting({}); }

    void history_keepsTheLinesTheListLetsGo_andThoseCleared();
    void history_dropsTheOldestBeyondItsBound_data();
    void history_dropsTheOldestBeyondItsBound();
    void historyCopy_keepsItsLines_whileTheHistoryGoesOn_data();
    void historyCopy_keepsItsLines_whileTheHistoryGoesOn();
    void csv_headerThenOneRowPerLine_oldestFirst();
    void csv_toADeviceTakingPartOfEachWrite_data();
    void csv_toADeviceTakingPartOfEachWrite();
};

void TestCommunicationsLog::fullList_transmitRemovesTwoBottomLines()
{
    RecordingMessageList list;
    CommunicationsLog log(list);
    for (int i = 0; i < 100; ++i)
        log.AddToMessageList(QString::number(i));
    log.LogTransmittedMessage(QStringLiteral("Query IDs"), Hex("01 05 03 09 04"), false, 0);
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
        list.insertTopLine(QString::number(i), {});
    log.MakeRoomInMessageList(reserve);
    QCOMPARE(list.lines.size(), left);
    if (left > 0)
        QCOMPARE(list.lines.first(), QString::number(lines - 1));  // the newest stay
}

void TestCommunicationsLog::lineFormats_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("expected");
    // What the history keeps of each line, oldest first: direction, name, bytes.
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("transmit") << "tx" << QStringList{"Host->TXCVR (Query Firmware Version): 01 05 15 1B 04 ", ""}
        << QStringList{"Separator||", "Host->TXCVR|Query Firmware Version|01 05 15 1B 04"};
    QTest::newRow("transmit RF data")
        << "txrf" << QStringList{"PID=255:Host->TXCVR (Send RF Data Message): 01 09 01 FF 02 00 41 4F 04 ", ""}
        << QStringList{"Separator||", "Host->TXCVR|Send RF Data Message|01 09 01 FF 02 00 41 4F 04"};
    QTest::newRow("receive") << "rx" << QStringList{"TXCVR->Host (Received Message): 01 05 97 9D 04 "}
        << QStringList{"TXCVR->Host|Received Message|01 05 97 9D 04"};
    QTest::newRow("receive RF data")
        << "rxrf" << QStringList{"PID=3:TXCVR->Host (Received RF Data Message): 01 0B 94 03 00 00 00 00 41 DB 04 "}
        << QStringList{"TXCVR->Host|Received RF Data Message|01 0B 94 03 00 00 00 00 41 DB 04"};
    QTest::newRow("time-out") << "timeout" << QStringList{"Query IDs Timeout!"}
        << QStringList{"Timeout|Query IDs|"};
    QTest::newRow("status") << "status" << QStringList{"", "Serial Port Error: gone", ""}
        << QStringList{"Separator||", "Status||", "Separator||"};
}

void TestCommunicationsLog::lineFormats()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, kept);
    RecordingMessageList list;
    CommunicationsLog log(list);
    if (kind == "tx")
        log.LogTransmittedMessage("Query Firmware Version", Hex("01 05 15 1B 04"), false, 0);
    else if (kind == "txrf")
        log.LogTransmittedMessage("Send RF Data Message", Hex("01 09 01 FF 02 00 41 4F 04"), true, 255);
    else if (kind == "rx")
        log.LogReceivedMessage(151, "Received Message", Hex("01 05 97 9D 04"), 0);
    else if (kind == "rxrf")
        log.LogReceivedMessage(148, "Received RF Data Message", Hex("01 0B 94 03 00 00 00 00 41 DB 04"), 3);
    else if (kind == "timeout")
        log.LogMessageTimeout("Query IDs");
    else
        log.LogStatusMessage("Serial Port Error: gone");
    QCOMPARE(list.lines, expected);

    const SessionHistory& history = log.history();
    QStringList keptNow;
    QStringList textsOldestFirst;
    for (int i = 0; i < history.size(); ++i) {
        const LogLine line = history.at(i).line;
        keptNow << DirectionName(line.direction) + '|' + line.name + '|'
                       + QString::fromLatin1(line.bytes.toHex(' ').toUpper());
        textsOldestFirst.prepend(LogLineText(line));
    }
    QCOMPARE(keptNow, kept);
    QCOMPARE(textsOldestFirst, expected);  // the history rebuilds each line's text exactly
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

void TestCommunicationsLog::history_keepsTheLinesTheListLetsGo_andThoseCleared()
{
    PinClockStepping(kStart);
    RecordingMessageList list;
    CommunicationsLog log(list);
    for (int i = 0; i < 150; ++i) {
        log.MakeRoomInMessageList(1);
        log.AddToMessageList(QString::number(i));
    }
    log.cmdClear_Click();
    QCOMPARE(list.lines.size(), 0);
    const SessionHistory& history = log.history();
    QCOMPARE(history.size(), 150);
    for (int i : {0, 1, 50, 149}) {
        QCOMPARE(history.at(i).line.text, QString::number(i));
        QCOMPARE(history.at(i).line.direction, LineDirection::Status);
        QCOMPARE(history.at(i).arrived, kStart.addMSecs(i));
    }
}

void TestCommunicationsLog::history_dropsTheOldestBeyondItsBound_data()
{
    QTest::addColumn<int>("capacity");
    QTest::addColumn<int>("added");
    QTest::newRow("under the bound") << 5 << 4;
    QTest::newRow("at the bound") << 5 << 5;
    QTest::newRow("one over") << 5 << 6;
    QTest::newRow("many times over") << 7 << 1000;
    QTest::newRow("a bound of one") << 1 << 3;
    QTest::newRow("over by more than a block") << SessionHistory::kBlockLines + 500 << 5000;
    QTest::newRow("a bound of one, many blocks of lines") << 1 << 3000;
}

// What is left are the newest lines, each with its own bytes, name and time, however
// the frames before them were cut away.
void TestCommunicationsLog::history_dropsTheOldestBeyondItsBound()
{
    QFETCH(int, capacity);
    QFETCH(int, added);
    SessionHistory history(capacity);
    AppendNumbered(history, 0, added);
    VerifyNewestLines(history, added);
}

void TestCommunicationsLog::historyCopy_keepsItsLines_whileTheHistoryGoesOn_data()
{
    const int block = SessionHistory::kBlockLines;
    QTest::addColumn<int>("capacity");
    QTest::addColumn<int>("before");  // lines added before the copy
    QTest::addColumn<int>("after");   // lines added to the history after it
    QTest::newRow("copied partway through a block") << 5 * block << block / 2 << 3 * block;
    QTest::newRow("copied after whole blocks") << 5 * block << 2 * block << 3 * block;
    QTest::newRow("copied while dropping the oldest") << 3 * block << 4 * block + 7 << 4 * block;
    QTest::newRow("a bound below a block") << 5 << 9 << 2 * block;
}

// An export writes from a copy while the log goes on: the copy keeps the lines it was
// taken with, and the history takes new lines and drops old ones as if uncopied.
void TestCommunicationsLog::historyCopy_keepsItsLines_whileTheHistoryGoesOn()
{
    QFETCH(int, capacity);
    QFETCH(int, before);
    QFETCH(int, after);
    SessionHistory history(capacity);
    AppendNumbered(history, 0, before);
    const SessionHistory copy = history;
    AppendNumbered(history, before, before + after);
    VerifyNewestLines(copy, before);
    VerifyNewestLines(history, before + after);
}

void TestCommunicationsLog::csv_headerThenOneRowPerLine_oldestFirst()
{
    PinClockStepping(kStart);
    RecordingMessageList list;
    CommunicationsLog log(list);
    log.LogTransmittedMessage(QStringLiteral("Query IDs"), Hex("01 05 03 09 04"), false, 0);
    log.LogReceivedMessage(148, QStringLiteral("Received RF Data Message"),
                           Hex("01 0B 94 03 00 00 00 00 41 DB 04"), 3);
    log.LogStatusMessage(QStringLiteral("Log File Error: C:\\a,b.olf \"locked\""));
    log.LogMessageTimeout(QStringLiteral("Query IDs"));

    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QVERIFY(WriteSessionHistoryCsv(log.history(), out));
    const QByteArray expected =
        "Time,Direction,Message,Bytes,Line\r\n"
        "2026-12-07T14:03:22.125+01:00,Separator,,,\r\n"
        "2026-12-07T14:03:22.126+01:00,Host->TXCVR,Query IDs,01 05 03 09 04,"
        "Host->TXCVR (Query IDs): 01 05 03 09 04 \r\n"
        "2026-12-07T14:03:22.127+01:00,TXCVR->Host,Received RF Data Message,"
        "01 0B 94 03 00 00 00 00 41 DB 04,"
        "PID=3:TXCVR->Host (Received RF Data Message): 01 0B 94 03 00 00 00 00 41 DB 04 \r\n"
        "2026-12-07T14:03:22.128+01:00,Separator,,,\r\n"
        "2026-12-07T14:03:22.129+01:00,Status,,,\"Log File Error: C:\\a,b.olf \"\"locked\"\"\"\r\n"
        "2026-12-07T14:03:22.130+01:00,Separator,,,\r\n"
        "2026-12-07T14:03:22.131+01:00,Timeout,Query IDs,,Query IDs Timeout!\r\n";
    QCOMPARE(out.data(), expected);
}

void TestCommunicationsLog::csv_toADeviceTakingPartOfEachWrite_data()
{
    QTest::addColumn<qint64>("room");      // bytes the disk takes in all; 0: all the CSV needs
    QTest::addColumn<qint64>("perWrite");  // bytes it takes of one write at most
    QTest::newRow("room for all, 100 bytes at a time") << qint64(0) << qint64(100);
    QTest::newRow("full partway through a block") << qint64(5000) << qint64(4096);
}

// The rest of a write the device took in part is offered again; the export fails only
// when the device refuses, and then its reason is there to tell.
void TestCommunicationsLog::csv_toADeviceTakingPartOfEachWrite()
{
    QFETCH(qint64, room);
    QFETCH(qint64, perWrite);
    SessionHistory history;
    AppendNumbered(history, 0, 2000);
    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    QVERIFY(WriteSessionHistoryCsv(history, whole));

    const bool fits = room == 0;
    FillingDevice disk(fits ? whole.size() : room, perWrite);
    QCOMPARE(WriteSessionHistoryCsv(history, disk), fits);
    QCOMPARE(disk.written, whole.data().left(disk.written.size()));
    QCOMPARE(disk.written.size(), fits ? whole.size() : room);
    if (!fits)
        QCOMPARE(disk.errorString(), QStringLiteral("No space left on device"));
}

QTEST_APPLESS_MAIN(TestCommunicationsLog)
#include "tst_communicationslog.moc"
