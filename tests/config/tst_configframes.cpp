#include "config/ConfigFrames.h"
#include "config/FirmwareVersion.h"
#include "protocol/Frame.h"
#include "support/Hex.h"

#include <QtTest>

namespace {

ProgrammableSettingsRecord SingleChannel(quint8 channel)
{
    ProgrammableSettingsRecord record;
    record.rfMode = 0;
    record.singleChannel = channel;
    return record;
}

ProgrammableSettingsRecord AllAtTheirTop()
{
    ProgrammableSettingsRecord record;
    record.hopTable = 15;
    record.acknowledgements = 0;
    record.rfRetries = 20;
    record.paLevel = 2;
    record.rfMode = 0;
    record.singleChannel = 49;
    record.receiveAll = 1;
    return record;
}

ProgrammableSettingsRecord PaLevel(quint8 level)
{
    ProgrammableSettingsRecord record;
    record.paLevel = level;
    return record;
}

QByteArray FirmwarePayload(const char* fixedHex, const QByteArray& copyright)
{
    return Hex(fixedHex) + copyright;
}

}  // namespace

class TestConfigFrames : public QObject {
    Q_OBJECT
private slots:
    void frames_data();
    void frames();
    void firmwareVersion_data();
    void firmwareVersion();
    void firmwareVersion_withoutFixedBytesDecodesToNothing();
};

void TestConfigFrames::frames_data()
{
    QTest::addColumn<QByteArray>("actual");
    QTest::addColumn<QString>("expected");
    QTest::newRow("query IDs") << BuildQueryIdsFrame() << "01 05 03 09 04";
    QTest::newRow("set IDs 1 1 1") << BuildSetIDsFrame(1, 1, 1) << "01 0B 02 01 00 01 00 01 00 11 04";
    QTest::newRow("set IDs low byte first")
        << BuildSetIDsFrame(300, 65535, 0) << "01 0B 02 2C 01 FF FF 00 00 39 04";
    QTest::newRow("set IDs each in its place")
        << BuildSetIDsFrame(0x0102, 0x0304, 0x0506) << "01 0B 02 02 01 04 03 06 05 23 04";
    QTest::newRow("programmable settings defaults")
        << BuildSetProgrammableSettingsFrame({}) << "01 0C 08 00 01 03 00 01 19 00 33 04";
    QTest::newRow("programmable settings single channel 7")
        << BuildSetProgrammableSettingsFrame(SingleChannel(7)) << "01 0C 08 00 01 03 00 00 07 00 20 04";
    QTest::newRow("programmable settings every field changed")
        << BuildSetProgrammableSettingsFrame(AllAtTheirTop()) << "01 0C 08 0F 00 14 02 00 31 01 6C 04";
    QTest::newRow("programmable settings PA level without list entry")
        << BuildSetProgrammableSettingsFrame(PaLevel(3)) << "01 0C 08 00 01 03 03 01 19 00 36 04";
    QTest::newRow("query programmable settings") << BuildQueryProgrammableSettingsFrame() << "01 05 09 0F 04";
    QTest::newRow("query firmware version") << BuildQueryFirmwareVersionFrame() << "01 05 15 1B 04";
    QTest::newRow("set sleep mode") << BuildSetSleepModeFrame() << "01 05 16 1C 04";
    QTest::newRow("set baudrate 9600") << BuildSetBaudrateFrame(0) << "01 06 19 00 20 04";
    QTest::newRow("set baudrate 38400") << BuildSetBaudrateFrame(2) << "01 06 19 02 22 04";
    QTest::newRow("set baudrate 57600") << BuildSetBaudrateFrame(3) << "01 06 19 03 23 04";
    QTest::newRow("query max power amplifier level")
        << BuildQueryMaxPowerAmplifierLevelFrame() << "01 05 21 27 04";
}

void TestConfigFrames::frames()
{
    QFETCH(QByteArray, actual);
    QFETCH(QString, expected);
    QCOMPARE(HexText(actual).trimmed(), expected);
}

void TestConfigFrames::firmwareVersion_data()
{
    const QByteArray copyright35("(c) 2004 Orvalis Wireless Corp 1234");
    QCOMPARE(copyright35.size(), 35);

    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("copyright");
    QTest::newRow("no copyright") << Hex("01 03 07 0F 04 00") << "1.3" << "7/15/2004" << "";
    QTest::newRow("two-digit minor, no leading zeros")
        << Hex("01 0A 0C 1F 63 00") << "1.10" << "12/31/2099" << "";
    QTest::newRow("bytes read unsigned") << Hex("FF 00 01 02 FF 00") << "255.0" << "1/2/2255" << "";
    QTest::newRow("35 characters, the most a frame holds")
        << FirmwarePayload("02 05 01 01 05 23", copyright35) << "2.5" << "1/1/2005"
        << QString::fromLatin1(copyright35);
    QTest::newRow("N larger than the bytes present")
        << FirmwarePayload("01 03 07 0F 04 0A", "abc") << "1.3" << "7/15/2004" << "abc";
    QTest::newRow("bytes beyond N are not copyright")
        << FirmwarePayload("01 03 07 0F 04 02", "abcd") << "1.3" << "7/15/2004" << "ab";
    QTest::newRow("one byte per Latin-1 character")
        << FirmwarePayload("01 03 07 0F 04 03", "\xA9 \xE9") << "1.3" << "7/15/2004"
        << QString::fromUtf8("\u00A9 \u00E9");
}

void TestConfigFrames::firmwareVersion()
{
    QFETCH(QByteArray, payload);
    QFETCH(QString, version);
    QFETCH(QString, date);
    QFETCH(QString, copyright);
    const std::optional<FirmwareVersionTexts> texts = DecodeFirmwareVersion(payload);
    QVERIFY(texts.has_value());
    QCOMPARE(texts->version, version);
    QCOMPARE(texts->date, date);
    QCOMPARE(texts->copyright, copyright);
}

void TestConfigFrames::firmwareVersion_withoutFixedBytesDecodesToNothing()
{
    QVERIFY(!DecodeFirmwareVersion(Hex("01 03 07 0F 04")).has_value());
    QVERIFY(!DecodeFirmwareVersion({}).has_value());
}

QTEST_APPLESS_MAIN(TestConfigFrames)
#include "tst_configframes.moc"
#include "support/Hex.h"
