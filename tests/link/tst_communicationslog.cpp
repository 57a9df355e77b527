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

void AppendNumbered(SessionHistory& history, int from, int to)
{
    for (int i = from; i < to; ++i)
        history.append(kStart.addSecs(i), NumberedLine(i));
}

// The history holds the newest of the `added` numbered lines, as many as its bound keeps.
void VerifyNewestLines(const SessionHistory& history, int added)
{
    const int kept = std::min(history.capacity(), added);
    QCOMPARE(history.size(), kept);
    for (int k = 0; k < kept; ++k) {
        const int i = added - kept + k;
        const HistoryLine entry = history.at(k);
        QCOMPARE(entry.arrived, kStart.addSecs(i));
        QCOMPARE(entry.line.direction, NumberedLine(i).direction);
        QCOMPARE(LogLineText(entry.line), LogLineText(NumberedLine(i)));
        QCOMPARE(entry.line.bytes.toHex(' '), NumberedLine(i).bytes.toHex(' '));
    }
}

// A disk that fills up: it takes at most `perWrite` bytes of each write and `room`
// bytes in all, then refuses further writes with the system's reason.
class FillingDevice : public QIODevice {
public:
    FillingDevice(qint64 room, qint64 perWrite) : m_room(room), m_perWrite(perWrite) { open(WriteOnly); }
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
    void cleanup() { Clock::SetNowForTesting({}); }

    void fullList_transmitRemovesTwoBottomLines()
    {
        RecordingMessageList list;
        CommunicationsLog log(list);
        for (int i = 0; i < 100; ++i)
            log.AddToMessageList(QString::number(i));
        log.LogTransmittedMessage(QStringLiteral("Query IDs"), Hex("01 05 03 09 04"), false, 0);
        QCOMPARE(list.lines.size(), 100);
        QCOMPARE(list.lines.mid(0, 3), (QStringList{"Host->TXCVR (Query IDs): 01 05 03 09 04 ", "", "99"}));
        QCOMPARE(list.lines.last(), QStringLiteral("2"));  // 0 and 1 were the oldest
    }

    void lineFormats_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("kept");  // what the history keeps, oldest first: direction|name|bytes
        QTest::newRow("transmit RF data")
            << "txrf" << QStringList{"PID=255:Host->TXCVR (Send RF Data Message): 01 09 01 FF 02 00 41 4F 04 ", ""}
            << QStringList{"Separator||", "Host->TXCVR|Send RF Data Message|01 09 01 FF 02 00 41 4F 04"};
        QTest::newRow("status") << "status" << QStringList{"", "Serial Port Error: gone", ""}
            << QStringList{"Separator||", "Status||", "Separator||"};
    }
    void lineFormats()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, kept);
        RecordingMessageList list;
        CommunicationsLog log(list);
        if (kind == "txrf")
            log.LogTransmittedMessage("Send RF Data Message", Hex("01 09 01 FF 02 00 41 4F 04"), true, 255);
        else
            log.LogStatusMessage("Serial Port Error: gone");
        QCOMPARE(list.lines, expected);
        QStringList keptNow, textsOldestFirst;
        for (int i = 0; i < log.history().size(); ++i) {
            const LogLine line = log.history().at(i).line;
            keptNow << DirectionName(line.direction) + '|' + line.name + '|'
                           + QString::fromLatin1(line.bytes.toHex(' ').toUpper());
            textsOldestFirst.prepend(LogLineText(line));
        }
        QCOMPARE(keptNow, kept);
        QCOMPARE(textsOldestFirst, expected);  // the history rebuilds each line's text exactly
    }

    void widestWidth_growsOnly_andSurvivesClear()
    {
        RecordingMessageList list;
        CommunicationsLog log(list);
        log.AddToMessageList(QStringLiteral("a fairly long line of text"));
        const int wide = list.extent;
        QVERIFY(wide > 0);
        log.AddToMessageList(QStringLiteral("short"));
        log.cmdClear_Click();
        QVERIFY(list.lines.isEmpty());
        log.AddToMessageList(QStringLiteral("short again"));
        QCOMPARE(list.extent, wide);
        log.AddToMessageList(QStringLiteral("a line that is longer than any line before it"));
        QVERIFY(list.extent > wide);
        QCOMPARE(list.tagText, QString::number(list.extent));
    }

    // A line's time is the wall clock at the zone's offset, whatever the zone; the
    // offset is looked up once a second, not per line.
    void lineTime_isTheWallClockAtTheZonesOffset_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::newRow("UTC") << QByteArray("UTC");
        QTest::newRow("an hour ahead, summer time in half the year") << QByteArray("Europe/Berlin");
        QTest::newRow("half an hour off the hour, behind UTC") << QByteArray("America/St_Johns");
        QTest::newRow("a quarter off the hour") << QByteArray("Asia/Kathmandu");
    }
    void lineTime_isTheWallClockAtTheZonesOffset()
    {
        QFETCH(QByteArray, zone);
        const QByteArray userZone = qgetenv("TZ");
        const auto restoreZone = qScopeGuard([&] {
            userZone.isNull() ? qunsetenv("TZ") : qputenv("TZ", userZone);
        });
        qputenv("TZ", zone);
        RecordingMessageList list;
        CommunicationsLog log(list);
        const QDateTime before = QDateTime::currentDateTime();
        log.AddToMessageList(QStringLiteral("line"));
        const QDateTime after = QDateTime::currentDateTime();
        const QDateTime arrived = log.history().at(0).arrived;
        QCOMPARE(arrived.offsetFromUtc(), after.offsetFromUtc());
        QVERIFY(before <= arrived && arrived <= after);
        QVERIFY(before.time() <= arrived.time() || before.date() < after.date());
    }

    void history_keepsTheLinesTheListLetsGo_andThoseCleared()
    {
        PinClockStepping(kStart);
        RecordingMessageList list;
        CommunicationsLog log(list);
        for (int i = 0; i < 150; ++i) {
            log.MakeRoomInMessageList(1);
            log.AddToMessageList(QString::number(i));
        }
        log.cmdClear_Click();
        QCOMPARE(log.history().size(), 150);
        for (int i : {0, 50, 149}) {
            QCOMPARE(log.history().at(i).line.text, QString::number(i));
            QCOMPARE(log.history().at(i).line.direction, LineDirection::Status);
            QCOMPARE(log.history().at(i).arrived, kStart.addMSecs(i));
        }
    }

    void historyCopy_keepsItsLines_whileTheHistoryGoesOn_data()
    {
        const int block = SessionHistory::kBlockLines;
        QTest::addColumn<int>("capacity");
        QTest::addColumn<int>("before");  // lines added before the copy
        QTest::addColumn<int>("after");   // lines added to the history after it
        QTest::newRow("copied partway through a block") << 5 * block << block / 2 << 3 * block;
        QTest::newRow("copied while dropping the oldest") << 3 * block << 4 * block + 7 << 4 * block;
        QTest::newRow("a bound below a block") << 5 << 9 << 2 * block;
        QTest::newRow("a bound of one") << 1 << 0 << 3 * block;
    }
    // An export writes from a copy while the log goes on: the copy keeps the lines it was
    // taken with, and the history takes new lines and drops the oldest beyond its bound
    // as if uncopied, each line kept with its own bytes, name and time.
    void historyCopy_keepsItsLines_whileTheHistoryGoesOn()
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

    void csv_headerThenOneRowPerLine_oldestFirst()
    {
        PinClockStepping(kStart);
        RecordingMessageList list;
        CommunicationsLog log(list);
        log.LogTransmittedMessage(QStringLiteral("Query IDs"), Hex("01 05 03 09 04"), false, 0);
        log.LogReceivedMessage(148, QStringLiteral("Received RF Data Message"),
                               Hex("01 0B 94 03 00 00 00 00 41 DB 04"), 3);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QVERIFY(WriteSessionHistoryCsv(log.history(), out));
        QCOMPARE(out.data(), QByteArray("Time,Direction,Message,Bytes,Line\r\n"
            "2026-12-07T14:03:22.125+01:00,Separator,,,\r\n"
            "2026-12-07T14:03:22.126+01:00,Host->TXCVR,Query IDs,01 05 03 09 04,"
            "Host->TXCVR (Query IDs): 01 05 03 09 04 \r\n"
            "2026-12-07T14:03:22.127+01:00,TXCVR->Host,Received RF Data Message,"
            "01 0B 94 03 00 00 00 00 41 DB 04,"
            "PID=3:TXCVR->Host (Received RF Data Message): 01 0B 94 03 00 00 00 00 41 DB 04 \r\n"));
    }

    void csv_toADeviceTakingPartOfEachWrite_data()
    {
        QTest::addColumn<qint64>("room");      // bytes the disk takes in all; 0: all the CSV needs
        QTest::addColumn<qint64>("perWrite");  // bytes it takes of one write at most
        QTest::newRow("room for all, 100 bytes at a time") << qint64(0) << qint64(100);
        QTest::newRow("full partway through a block") << qint64(5000) << qint64(4096);
    }
    // The rest of a write the device took in part is offered again; the export fails only
    // when the device refuses, and then its reason is there to tell.
    void csv_toADeviceTakingPartOfEachWrite()
    {
        QFETCH(qint64, room);
        QFETCH(qint64, perWrite);
        SessionHistory history;
        AppendNumbered(history, 0, 2000);
        QBuffer whole;
        whole.open(QIODevice::WriteOnly);
        QVERIFY(WriteSessionHistoryCsv(history, whole));
        FillingDevice disk(room == 0 ? whole.size() : room, perWrite);
        QCOMPARE(WriteSessionHistoryCsv(history, disk), room == 0);
        QCOMPARE(disk.written, whole.data().left(room == 0 ? whole.size() : room));
        if (room != 0)
            QCOMPARE(disk.errorString(), QStringLiteral("No space left on device"));
    }
};

QTEST_APPLESS_MAIN(TestCommunicationsLog)
#include "tst_communicationslog.moc"
