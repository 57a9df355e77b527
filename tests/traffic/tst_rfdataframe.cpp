#include "protocol/Frame.h"
#include "traffic/RfDataFrame.h"
#include "support/Hex.h"

#include <QTest>

#include <set>

class RfDataFrameTest : public QObject {
    Q_OBJECT

private slots:
    void frames_ofLongAndLatin1Data()
    {
        QCOMPARE(HexText(BuildRfDataFrame(AsciiTextToBytes(QString(37, QLatin1Char('x'))), 1, 2)),
                 HexText(Hex("01 2C 01 01 02 00") + QByteArray(36, 'x') + Hex("11 04")));  // 36 sent
        QCOMPARE(HexText(BuildRfDataFrame(AsciiTextToBytes(QChar(0xE9)), 1, 2)),
                 QStringLiteral("01 09 01 01 02 00 E9 F7 04 "));
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
