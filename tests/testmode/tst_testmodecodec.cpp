#include "protocol/Frame.h"
#include "support/Hex.h"
#include "testmode/TestModeCodec.h"
#include "testmode/TestModeFrames.h"

#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(TestModeSettings)

namespace {

using F = TestModeField;

TestModeSettings With(TestModeSettings settings, std::initializer_list<std::pair<F, int>> values)
{
    for (const auto& [id, value] : values)
        FieldValue(settings, id) = qint16(value);
    return settings;
}

// Every field as name=value, so that a failure names the first that differs.
QStringList Values(const std::optional<TestModeSettings>& settings)
{
    if (!settings)
        return {QStringLiteral("refused")};
    QStringList values;
    for (const TestModeFieldSpec& field : TestModeFieldTable())
        values << field.name + '=' + QString::number(FieldValue(*settings, field.id));
    return values;
}

const TestModeSettings kZero{};
const TestModeSettings kInitial = InitialTestModeSettings();

}  // namespace

class tst_TestModeCodec : public QObject {
    Q_OBJECT

private slots:
    void encode_givesBlock_andDecodesBack_data()
    {
        QTest::addColumn<TestModeSettings>("settings");
        QTest::addColumn<QByteArray>("block");
        QTest::newRow("initial") << kInitial << Hex("22 18 5C 01 32 0D 45 34 45 00 30 04 00");
        QTest::newRow("CPAcc 1, BND 2") << With(kZero, {{F::CPAcc, 1}, {F::BND, 2}})
                                        << Hex("06 00 00 00 00 00 00 00 00 00 00 00 00");
        QTest::newRow("Standby") << With(kInitial, {{F::Standby, 1}})
                                 << Hex("22 18 5C 01 32 8D 45 34 45 00 30 04 00");
        QTest::newRow("Transmit 3, Mode 1") << With(kZero, {{F::Transmit, 3}, {F::Mode, 1}})
                                            << Hex("00 00 00 00 00 70 00 00 00 00 00 00 00");
        QTest::newRow("Registers B and D")
            << With(kZero, {{F::PA1, 1}, {F::PARXED, 1}, {F::DetectThreshold, 2},
                            {F::DetectEnable, 1}, {F::XTALTune, 5}, {F::DemTune, 3}, {F::OOKXS, 1}})
            << Hex("00 4D A7 00 00 00 00 00 00 00 00 00 00");
        QTest::newRow("Register E, dividers, TCOUNT")
            << With(kZero, {{F::BRA, 1}, {F::BRB, 5}, {F::BRC, 1}, {F::RXM, 2}, {F::TXM, 1},
                            {F::PAI, 1}, {F::MainADividerCoefficient0, 17},
                            {F::MainBDividerCoefficient0, 300}, {F::MainADividerCoefficient1, 31},
                            {F::ReferenceDividerCoefficient, 165}, {F::TCOUNT, 9}})
            << Hex("00 00 00 00 E9 06 2C 23 00 3E A5 09 00");
    }

    void encode_givesBlock_andDecodesBack()
    {
        QFETCH(TestModeSettings, settings);
        QFETCH(QByteArray, block);
        QCOMPARE(HexText(EncodeTestModeSettings(settings)), HexText(block));
        QCOMPARE(Values(DecodeTestModeSettings(block)), Values(settings));
    }

    // The module's values come back as sent, without range checks.
    void decode_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("PA0 code 3") << Hex("C0 00 00 00 00 00 00 00 00 00 00 00 00")
                                    << Values(With(kZero, {{F::PA0, 3}}));
        QTest::newRow("TCOUNT 200, Main A 127")
            << Hex("00 00 00 00 00 00 00 FE 00 00 00 C8 00")
            << Values(With(kZero, {{F::MainADividerCoefficient0, 127}, {F::TCOUNT, 200}}));
        QTest::newRow("reserved byte, unused D bits ignored")
            << Hex("22 18 5C FF 32 0D 45 34 45 00 30 04 A7") << Values(kInitial);
        QTest::newRow("12 bytes") << QByteArray(12, '\xFF') << Values(std::nullopt);
        QTest::newRow("empty") << QByteArray() << Values(std::nullopt);
    }

    void decode()
    {
        QFETCH(QByteArray, block);
        QFETCH(QStringList, expected);
        QCOMPARE(Values(DecodeTestModeSettings(block)), expected);
    }

    void roundTrip_randomRecordsAndBlocks()
    {
        QRandomGenerator random(20240611);
        for (int i = 0; i < 2000; ++i) {
            TestModeSettings record;
            for (const TestModeFieldSpec& field : TestModeFieldTable())
                FieldValue(record, field.id) = qint16(random.bounded(field.maximum + 1));
            QCOMPARE(Values(DecodeTestModeSettings(EncodeTestModeSettings(record))),
                     Values(record));

            QByteArray block(TestModeBlock::kLength, '\0');  // any block the module may send
            for (char& byte : block)
                byte = char(random.bounded(256));
            block[TestModeBlock::kRegisterDWord + 1] &= 1;  // but for the bits that carry nothing
            block[TestModeBlock::kReserved] = '\0';
            QCOMPARE(HexText(EncodeTestModeSettings(*DecodeTestModeSettings(block))),
                     HexText(block));
        }
    }

    void frames()
    {
        QCOMPARE(HexText(BuildEnableDisableTestModeFrame(true)), QString("01 06 11 01 19 04 "));
        QCOMPARE(HexText(BuildEnableDisableTestModeFrame(false)), QString("01 06 11 00 18 04 "));
        QCOMPARE(HexText(BuildQueryTestModeSettingsFrame()), QString("01 05 13 19 04 "));
        QCOMPARE(HexText(BuildSetTestModeSettingsFrame(kInitial)),
                 QString("01 12 12 22 18 5C 01 32 0D 45 34 45 00 30 04 00 ED 04 "));
    }

    // No bytes past the reply's LEN are taken for register values.
    void reply_tooShortForBlock_isIgnored()
    {
        const QByteArray reply = Hex("01 12 93 22 18 5C 01 32 0D 45 34 45 00 30 04 00 6E 04");
        const QByteArray len17 = Hex("01 11 93 22 18 5C 01 32 0D 45 34 45 00 30 04 6E 04 04 00");
        QCOMPARE(Values(TestModeSettingsFromReply(reply)), Values(kInitial));
        QCOMPARE(Values(TestModeSettingsFromReply(len17)), QStringList{"refused"});
        QCOMPARE(Values(TestModeSettingsFromReply(reply.left(3))), QStringList{"refused"});
    }
};

QTEST_APPLESS_MAIN(tst_TestModeCodec)
#include "tst_testmodecodec.moc"
