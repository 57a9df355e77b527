#include "protocol/Frame.h"
#include "traffic/RfDataFrame.h"
#include "support/Hex.h"

#include <QTest>

#include <set>

namespace {
// Frames are compared as hex text, so a failure prints both byte sequences.
void CompareFrames(const QByteArray& actual, const QByteArray& expected)
{
    QCOMPARE(HexText(actual), HexText(expected));
}
}  // namespace

class RfDataFrameTest : public QObject {
    Q_OBJECT

private slots:
    void buildRfDataFrame_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("packetId");
        QTest::addColumn<qint32>("destination");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("AB to 2, packet 1") << QByteArray("AB") << 1 << 2
                                           << Hex("01 0A 01 01 02 00 41 42 92 04");
        QTest::newRow("destination low byte first")
            << Hex("00 01") << 255 << 0x1234 << Hex("01 0A 01 FF 34 12 00 01 52 04");
        QTest::newRow("one byte to 65535")
            << Hex("0F") << 0 << 65535 << Hex("01 09 01 00 FF FF 0F 18 04");
        QTest::newRow("hex ABC padded to AB C0")
            << HexTextToBytes(PadOddHexText(QStringLiteral("ABC"))) << 1 << 2
            << Hex("01 0A 01 01 02 00 AB C0 7A 04");
    }
    void buildRfDataFrame()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, packetId);
        QFETCH(qint32, destination);
        QFETCH(QByteArray, expected);
        CompareFrames(BuildRfDataFrame(data, packetId, destination), expected);
    }

    void longestAsciiMessage_data()
    {
        QTest::addColumn<int>("characters");
        QTest::addColumn<int>("expectedLength");
        QTest::newRow("36 characters") << 36 << 44;
        QTest::newRow("a 37th is not sent") << 37 << 44;
    }
    void longestAsciiMessage()
    {
        QFETCH(int, characters);
        QFETCH(int, expectedLength);
        const QByteArray frame =
            BuildRfDataFrame(AsciiTextToBytes(QString(characters, QLatin1Char('x'))), 1, 2);
        QCOMPARE(frame.size(), expectedLength);
        QCOMPARE(int(quint8(frame.at(1))), expectedLength);
        QCOMPARE(quint8(frame.at(frame.size() - 2)), FrameChecksum(frame.left(frame.size() - 2)));
    }

    void hexTextToBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("upper case") << "4142" << QByteArray("AB");
        QTest::newRow("lower case") << "abcd" << Hex("AB CD");
        QTest::newRow("first digit is high nibble") << "0F" << Hex("0F");
        QTest::newRow("unpaired digit ignored") << "ABC" << Hex("AB");
        QTest::newRow("at most 72 digits") << QString(74, QLatin1Char('1')) << QByteArray(36, 0x11);
        QTest::newRow("not hex") << "1G" << QByteArray();
        QTest::newRow("empty") << "" << QByteArray();
    }
    void hexTextToBytes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        CompareFrames(HexTextToBytes(text), expected);
    }

    void hexEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("filtered");
        QTest::addColumn<QString>("padded");
        QTest::addColumn<bool>("isHex");
        QTest::newRow("1G2") << "1G2" << "12" << "1G20" << false;
        QTest::newRow("mixed") << "a-b c!F9" << "abcF9" << "a-b c!F9" << false;
        QTest::newRow("ABC") << "ABC" << "ABC" << "ABC0" << true;
        QTest::newRow("even") << "ab12" << "ab12" << "ab12" << true;
        QTest::newRow("random note") << RandomMessageNote(17) << "adeaefe17"
                                     << RandomMessageNote(17) << false;
        QTest::newRow("empty") << "" << "" << "" << false;
    }
    void hexEntry()
    {
        QFETCH(QString, typed);
        QFETCH(QString, filtered);
        QFETCH(QString, padded);
        QFETCH(bool, isHex);
        QCOMPARE(RemoveNonHexDigits(typed), filtered);
        QCOMPARE(PadOddHexText(typed), padded);
        QCOMPARE(IsHexText(typed), isHex);
    }

    void asciiTextToBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("AB") << "AB" << Hex("41 42");
        QTest::newRow("Latin-1 codes") << QString::fromLatin1("\xE9\xFF") << Hex("E9 FF");
    }
    void asciiTextToBytes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        CompareFrames(AsciiTextToBytes(text), expected);
    }

    void receivedRfData_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QString>("hexText");
        QTest::addColumn<QString>("asciiText");
        const QByteArray header = Hex("07 11 22 33 44");  // packet ID, four bytes not used
        QTest::newRow("LEN 10, no data") << BuildFrame(148, header) << "" << "";
        QTest::newRow("two bytes") << BuildFrame(148, header + "AB") << "4142" << "AB";
        QTest::newRow("upper case, no separators")
            << BuildFrame(148, header + Hex("0F A0 E9")) << "0FA0E9"
            << QString::fromLatin1("\x0F\xA0\xE9");
    }
    void receivedRfData()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QString, hexText);
        QFETCH(QString, asciiText);
        const QByteArray data = ReceivedRfDataBytes(frame);
        QCOMPARE(ReceivedRfDataText(data, true), hexText);
        QCOMPARE(ReceivedRfDataText(data, false), asciiText);
    }

    void nextPacketId_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("next");
        QTest::newRow("0") << 0 << 1;
        QTest::newRow("7") << 7 << 8;
        QTest::newRow("254") << 254 << 255;
        QTest::newRow("255 wraps") << 255 << 0;
    }
    void nextPacketId()
    {
        QFETCH(int, id);
        QFETCH(int, next);
        QCOMPARE(NextPacketId(id), next);
    }

    void randomMessages_coverLengthsAndByteValues()
    {
        std::mt19937 generator(12345);
        std::set<int> lengths;
        std::set<int> values;
        for (int i = 0; i < 3000; ++i) {
            const QByteArray message = RandomMessage(generator);
            lengths.insert(message.size());
            for (char c : message)
                values.insert(quint8(c));
        }
        QCOMPARE(int(lengths.size()), 36);
        QCOMPARE(*lengths.begin(), 1);
        QCOMPARE(*lengths.rbegin(), 36);
        QCOMPARE(int(values.size()), 256);
    }

    void randomMessageNote_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("note");
        QTest::newRow("1") << 1 << "Random message of length: 1";
        QTest::newRow("17") << 17 << "Random message of length: 17";
    }
    void randomMessageNote()
    {
        QFETCH(int, length);
        QFETCH(QString, note);
        QCOMPARE(RandomMessageNote(length), note);
    }

    void statisticsCommands_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("Query RF Statistics") << BuildQueryRfStatisticsFrame() << Hex("01 05 0F 15 04");
        QTest::newRow("Clear Statistics") << BuildClearStatisticsFrame() << Hex("01 05 10 16 04");
    }
    void statisticsCommands()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QByteArray, expected);
        CompareFrames(frame, expected);
    }
};

QTEST_GUILESS_MAIN(RfDataFrameTest)
#include "tst_rfdataframe.moc"
