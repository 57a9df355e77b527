#include "protocol/Frame.h"
#include "traffic/RfDataFrame.h"
#include "support/Hex.h"

#include <QTest>

#include <set>

class RfDataFrameTest : public QObject {
    Q_OBJECT

private slots:
    void frames_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("AB to 2, packet 1") << BuildRfDataFrame("AB", 1, 2)
                                           << Hex("01 0A 01 01 02 00 41 42 92 04");
        QTest::newRow("hex ABC padded to AB C0")
            << BuildRfDataFrame(HexTextToBytes(PadOddHexText("ABC")), 1, 2)
            << Hex("01 0A 01 01 02 00 AB C0 7A 04");
        QTest::newRow("37 characters: 36 sent, LEN 44")
            << BuildRfDataFrame(AsciiTextToBytes(QString(37, QLatin1Char('x'))), 1, 2)
            << Hex("01 2C 01 01 02 00") + QByteArray(36, 'x') + Hex("11 04");
        QTest::newRow("Latin-1 character") << BuildRfDataFrame(AsciiTextToBytes(QChar(0xE9)), 1, 2)
                                           << Hex("01 09 01 01 02 00 E9 F7 04");
    }
    void frames()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QByteArray, expected);
        QCOMPARE(HexText(frame), HexText(expected));
    }

    void hexEntry()
    {
        QCOMPARE(RemoveNonHexDigits("1G2"), QStringLiteral("12"));
        QCOMPARE(PadOddHexText("ABC"), QStringLiteral("ABC0"));
        QCOMPARE(HexText(HexTextToBytes("abC")), QStringLiteral("AB "));  // unpaired digit ignored
        QCOMPARE(HexTextToBytes(QString(74, QLatin1Char('f'))), QByteArray(36, '\xFF'));
        QCOMPARE(HexTextToBytes("1G"), QByteArray());
        QVERIFY(IsHexText("aF09") && !IsHexText("1G2") && !IsHexText(""));
    }

    void receivedRfData_upperCaseHexOrLatin1()
    {
        const QByteArray data = Hex("0F A0 E9");
        QCOMPARE(ReceivedRfDataText(data, true), QStringLiteral("0FA0E9"));
        QCOMPARE(ReceivedRfDataText(data, false), QString::fromLatin1("\x0F\xA0\xE9"));
    }

    void nextPacketId_wrapsAfter255()
    {
        QCOMPARE(NextPacketId(7), 8);
        QCOMPARE(NextPacketId(255), 0);
    }

    void randomMessages_coverEveryLengthAndByteValue()
    {
        std::mt19937 generator(12345);
        std::set<int> lengths;
        std::set<char> values;
        for (int i = 0; i < 3000; ++i) {
            const QByteArray message = RandomMessage(generator);
            lengths.insert(message.size());
            values.insert(message.begin(), message.end());
        }
        QCOMPARE(int(lengths.size()), 36);
        QCOMPARE(*lengths.begin(), 1);
        QCOMPARE(*lengths.rbegin(), 36);
        QCOMPARE(int(values.size()), 256);
    }
};

QTEST_GUILESS_MAIN(RfDataFrameTest)
#include "tst_rfdataframe.moc"
