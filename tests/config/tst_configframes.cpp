#include "config/ConfigFrames.h"
#include "config/FirmwareVersion.h"
#include "protocol/Frame.h"
#include "support/Hex.h"

#include <QtTest>

class TestConfigFrames : public QObject {
    Q_OBJECT
private slots:
    void frames_data();
    void frames();
    void firmwareVersion_data();
    void firmwareVersion();
};

void TestConfigFrames::frames_data()
{
    // Fields: hop table, acks, retries, PA level, RF mode, single channel, receive all.
    const ProgrammableSettingsRecord channel7{0, 1, 3, 0, 0, 7, 0};
    const ProgrammableSettingsRecord atTheirTop{15, 0, 20, 2, 0, 49, 1};
    const ProgrammableSettingsRecord paLevel3{0, 1, 3, 3, 1, 25, 0};
    QTest::addColumn<QByteArray>("actual");
    QTest::addColumn<QString>("expected");
    QTest::newRow("query IDs") << BuildQueryIdsFrame() << "01 05 03 09 04";
    QTest::newRow("set IDs low byte first")
        << BuildSetIDsFrame(300, 65535, 0) << "01 0B 02 2C 01 FF FF 00 00 39 04";
    QTest::newRow("set IDs each in its place")
        << BuildSetIDsFrame(0x0102, 0x0304, 0x0506) << "01 0B 02 02 01 04 03 06 05 23 04";
    QTest::newRow("settings defaults")
        << BuildSetProgrammableSettingsFrame({}) << "01 0C 08 00 01 03 00 01 19 00 33 04";
    QTest::newRow("settings single channel 7")
        << BuildSetProgrammableSettingsFrame(channel7) << "01 0C 08 00 01 03 00 00 07 00 20 04";
    QTest::newRow("settings every field changed")
        << BuildSetProgrammableSettingsFrame(atTheirTop) << "01 0C 08 0F 00 14 02 00 31 01 6C 04";
    QTest::newRow("settings PA level without list entry")
        << BuildSetProgrammableSettingsFrame(paLevel3) << "01 0C 08 00 01 03 03 01 19 00 36 04";
    QTest::newRow("query settings") << BuildQueryProgrammableSettingsFrame() << "01 05 09 0F 04";
    QTest::newRow("query firmware version") << BuildQueryFirmwareVersionFrame() << "01 05 15 1B 04";
    QTest::newRow("set sleep mode") << BuildSetSleepModeFrame() << "01 05 16 1C 04";
    QTest::newRow("set baudrate 57600") << BuildSetBaudrateFrame(3) << "01 06 19 03 23 04";
    QTest::newRow("query max PA") << BuildQueryMaxPowerAmplifierLevelFrame() << "01 05 21 27 04";
}

void TestConfigFrames::frames()
{
    QFETCH(QByteArray, actual);
    QFETCH(QString, expected);
    QCOMPARE(HexText(actual).trimmed(), expected);
}

void TestConfigFrames::firmwareVersion_data()
{
    const QString copyright35 = QStringLiteral("(c) 2004 Orvalis Wireless Corp 1234");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QStringList>("texts");  // version, date, copyright; none: nothing decoded
    QTest::newRow("N = 0") << Hex("01 03 07 0F 04 00") << QStringList{"1.3", "7/15/2004", ""};
    QTest::newRow("minor 10") << Hex("01 0A 0C 1F 63 00") << QStringList{"1.10", "12/31/2099", ""};
    QTest::newRow("unsigned") << Hex("FF 00 01 02 FF 00") << QStringList{"255.0", "1/2/2255", ""};
    QTest::newRow("35 characters") << Hex("02 05 01 01 05 23") + copyright35.toLatin1()
                                   << QStringList{"2.5", "1/1/2005", copyright35};
    QTest::newRow("N too large") << Hex("01 03 07 0F 04 0A") + "abc"
                                 << QStringList{"1.3", "7/15/2004", "abc"};
    QTest::newRow("bytes beyond N") << Hex("01 03 07 0F 04 02") + "abcd"
                                    << QStringList{"1.3", "7/15/2004", "ab"};
    QTest::newRow("Latin-1") << Hex("01 03 07 0F 04 02") + "\xA9\xE9"
                             << QStringList{"1.3", "7/15/2004", QString::fromUtf8("\u00A9\u00E9")};
    QTest::newRow("fixed bytes missing") << Hex("01 03 07 0F 04") << QStringList();
}

void TestConfigFrames::firmwareVersion()
{
    QFETCH(QByteArray, payload);
    QFETCH(QStringList, texts);
    const std::optional<FirmwareVersionTexts> decoded = DecodeFirmwareVersion(payload);
    const QStringList shown =
        decoded ? QStringList{decoded->version, decoded->date, decoded->copyright} : QStringList();
    QCOMPARE(shown, texts);
}

QTEST_APPLESS_MAIN(TestConfigFrames)
#include "tst_configframes.moc"
