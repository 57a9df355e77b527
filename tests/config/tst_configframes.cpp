#include "config/ConfigFrames.h"
#include "protocol/Frame.h"
#include "support/Hex.h"

#include <QtTest>

class TestConfigFrames : public QObject {
    Q_OBJECT
private slots:
    void frames_data();
    void frames();
};

void TestConfigFrames::frames_data()
{
    // Fields: hop table, acks, retries, PA level, RF mode, single channel, receive all.
    const ProgrammableSettingsRecord channel7{0, 1, 3, 0, 0, 7, 0};
    const ProgrammableSettingsRecord atTheirTop{15, 0, 20, 2, 0, 49, 1};
    const ProgrammableSettingsRecord paLevel3{0, 1, 3, 3, 1, 25, 0};
    QTest::addColumn<QByteArray>("actual");
    QTest::addColumn<QString>("expected");
    QTest::newRow("set IDs low byte first")
        << BuildSetIDsFrame(300, 65535, 0) << "01 0B 02 2C 01 FF FF 00 00 39 04";
    QTest::newRow("set IDs each in its place")
        << BuildSetIDsFrame(0x0102, 0x0304, 0x0506) << "01 0B 02 02 01 04 03 06 05 23 04";
    QTest::newRow("settings single channel 7")
        << BuildSetProgrammableSettingsFrame(channel7) << "01 0C 08 00 01 03 00 00 07 00 20 04";
    QTest::newRow("settings every field changed")
        << BuildSetProgrammableSettingsFrame(atTheirTop) << "01 0C 08 0F 00 14 02 00 31 01 6C 04";
    QTest::newRow("settings PA level without list entry")
        << BuildSetProgrammableSettingsFrame(paLevel3) << "01 0C 08 00 01 03 03 01 19 00 36 04";
    QTest::newRow("query settings") << BuildQueryProgrammableSettingsFrame() << "01 05 09 0F 04";
    QTest::newRow("query max PA") << BuildQueryMaxPowerAmplifierLevelFrame() << "01 05 21 27 04";
}

void TestConfigFrames::frames()
{
    QFETCH(QByteArray, actual);
    QFETCH(QString, expected);
    QCOMPARE(HexText(actual).trimmed(), expected);
}

QTEST_APPLESS_MAIN(TestConfigFrames)
#include "tst_configframes.moc"
