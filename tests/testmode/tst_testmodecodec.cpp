#include "protocol/Frame.h"
#include "testmode/TestModeCodec.h"
#include "testmode/TestModeFrames.h"
#include "support/Hex.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <initializer_list>
#include <set>
#include <utility>

Q_DECLARE_METATYPE(TestModeSettings)

namespace {

using F = TestModeField;
using FieldValues = std::initializer_list<std::pair<TestModeField, int>>;

TestModeSettings With(TestModeSettings settings, FieldValues values)
{
    for (const auto& [id, value] : values)
        FieldValue(settings, id) = qint16(value);
    return settings;
}

TestModeSettings Zero(FieldValues values = {})
{
    return With(TestModeSettings{}, values);
}

TestModeSettings Initial(FieldValues values = {})
{
    return With(InitialTestModeSettings(), values);
}

TestModeSettings Maxima()
{
    TestModeSettings settings;
    for (const TestModeFieldSpec& field : TestModeFieldTable())
        FieldValue(settings, field.id) = field.maximum;
    return settings;
}

QString Differences(const TestModeSettings& actual, const TestModeSettings& expected)
{
    QStringList lines;
    for (const TestModeFieldSpec& field : TestModeFieldTable()) {
        if (FieldValue(actual, field.id) != FieldValue(expected, field.id))
            lines << QStringLiteral("%1: expected %2, actual %3")
                         .arg(field.name)
                         .arg(FieldValue(expected, field.id))
                         .arg(FieldValue(actual, field.id));
    }
    return lines.join(QStringLiteral("; "));
}

std::optional<TestModeSettings> RoundTrip(const TestModeSettings& settings)
{
    return DecodeTestModeSettings(EncodeTestModeSettings(settings));
}

const char kInitialBlock[] = "22 18 5C 01 32 0D 45 34 45 00 30 04 00";

}  // namespace

#define COMPARE_BYTES(actual, expected)                                                      \
    QVERIFY2((actual) == (expected), qPrintable(QStringLiteral("\n expected %1\n actual   %2") \
                                                    .arg(HexText(expected), HexText(actual))))

#define COMPARE_SETTINGS(actual, expected) \
    QVERIFY2((actual) == (expected), qPrintable(Differences(actual, expected)))

class tst_TestModeCodec : public QObject {
    Q_OBJECT

private slots:
    void encode_givesBlock_andDecodesBack_data();
    void encode_givesBlock_andDecodesBack();
    void decode_handsOnModuleValuesUnchecked_data();
    void decode_handsOnModuleValuesUnchecked();
    void decode_blockShorterThan13_isRefused_data();
    void decode_blockShorterThan13_isRefused();
    void roundTrip_randomRecordsAndBlocks();
    void table_noTwoFieldsShareABit();
    void table_valuesAndListsAgree();
    void table_textsKeepCodeOrder_data();
    void table_textsKeepCodeOrder();
    void table_editorOrdersCoverEveryField();
    void frames_data();
    void frames();
    void reply_tooShortForBlock_isIgnored_data();
    void reply_tooShortForBlock_isIgnored();
};

void tst_TestModeCodec::encode_givesBlock_andDecodesBack_data()
{
    QTest::addColumn<TestModeSettings>("settings");
    QTest::addColumn<QByteArray>("block");

    QTest::newRow("initial record") << Initial() << Hex(kInitialBlock);
    QTest::newRow("CPAcc 1 with BND 2") << Zero({{F::CPAcc, 1}, {F::BND, 2}})
                                        << Hex("06 00 00 00 00 00 00 00 00 00 00 00 00");
    QTest::newRow("Standby checked") << Initial({{F::Standby, 1}})
                                     << Hex("22 18 5C 01 32 8D 45 34 45 00 30 04 00");
    QTest::newRow("Transmit Pattern in Mode 1") << Zero({{F::Transmit, 3}, {F::Mode, 1}})
                                                << Hex("00 00 00 00 00 70 00 00 00 00 00 00 00");
    QTest::newRow("Register B fields")
        << Zero({{F::PA1, 1}, {F::PARXED, 1}, {F::DetectThreshold, 2}, {F::DetectEnable, 1}})
        << Hex("00 4D 00 00 00 00 00 00 00 00 00 00 00");
    QTest::newRow("Register D fields") << Zero({{F::XTALTune, 5}, {F::DemTune, 3}, {F::OOKXS, 1}})
                                       << Hex("00 00 A7 00 00 00 00 00 00 00 00 00 00");
    QTest::newRow("Register E fields")
        << Zero({{F::BRA, 1}, {F::BRB, 5}, {F::BRC, 1}, {F::RXM, 2}, {F::TXM, 1}, {F::PAI, 1}})
        << Hex("00 00 00 00 E9 06 00 00 00 00 00 00 00");
    QTest::newRow("dividers, Register C and TCOUNT")
        << Zero({{F::MainADividerCoefficient0, 17}, {F::MainBDividerCoefficient0, 300},
                 {F::MainADividerCoefficient1, 31}, {F::ReferenceDividerCoefficient, 165},
                 {F::TCOUNT, 9}})
        << Hex("00 00 00 00 00 00 2C 23 00 3E A5 09 00");
    QTest::newRow("every field at its maximum")
        << Maxima() << Hex("BA BF FF 01 FF FF FF 3F FF 3F FF 1F 00");
}

void tst_TestModeCodec::encode_givesBlock_andDecodesBack()
{
    QFETCH(TestModeSettings, settings);
    QFETCH(QByteArray, block);

    COMPARE_BYTES(EncodeTestModeSettings(settings), block);
    const std::optional<TestModeSettings> decoded = DecodeTestModeSettings(block);
    QVERIFY(decoded);
    COMPARE_SETTINGS(*decoded, settings);
}

void tst_TestModeCodec::decode_handsOnModuleValuesUnchecked_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<TestModeSettings>("expected");

    QTest::newRow("PA0 bits both set") << Hex("C0 00 00 00 00 00 00 00 00 00 00 00 00")
                                       << Zero({{F::PA0, 3}});
    QTest::newRow("reserved byte ignored") << Hex("22 18 5C 01 32 0D 45 34 45 00 30 04 A7")
                                           << Initial();
    QTest::newRow("TCOUNT 200") << Hex("00 00 00 00 00 00 00 00 00 00 00 C8 00")
                                << Zero({{F::TCOUNT, 200}});
    QTest::newRow("Main A-DC above 31")
        << Hex("00 00 00 00 00 00 45 FE 00 50 00 00 00")
        << Zero({{F::MainADividerCoefficient0, 127}, {F::MainBDividerCoefficient0, 69},
                 {F::MainADividerCoefficient1, 40}});
    QTest::newRow("unused Register D bits ignored") << Hex("00 00 00 FE 00 00 00 00 00 00 00 00 00")
                                                    << Zero();
    QTest::newRow("every bit set")
        << Hex("FF FF FF FF FF FF FF FF FF FF FF FF FF")
        << Zero({{F::MainADividerCoefficient0, 127}, {F::MainBDividerCoefficient0, 511},
                 {F::PA0, 3}, {F::TxRx0, 1}, {F::PI, 1}, {F::CPAcc, 3}, {F::BND, 3},
                 {F::MainADividerCoefficient1, 127}, {F::MainBDividerCoefficient1, 511},
                 {F::PA1, 3}, {F::TxRx1, 1}, {F::FSKOOK, 1}, {F::PARXED, 1},
                 {F::DetectThreshold, 3}, {F::DetectEnable, 1},
                 {F::ReferenceDividerCoefficient, 255},
                 {F::RXS, 1}, {F::XTALTune, 7}, {F::PFDReset, 1}, {F::DemTune, 7}, {F::OOKXS, 1},
                 {F::BRA, 3}, {F::BRB, 7}, {F::BRC, 1}, {F::RXM, 3}, {F::TXM, 1}, {F::TWO, 1},
                 {F::TCOUNT, 255}, {F::PAI, 3}, {F::Mode, 1}, {F::Transmit, 3}, {F::Standby, 1}});
}

void tst_TestModeCodec::decode_handsOnModuleValuesUnchecked()
{
    QFETCH(QByteArray, block);
    QFETCH(TestModeSettings, expected);

    const std::optional<TestModeSettings> decoded = DecodeTestModeSettings(block);
    QVERIFY(decoded);
    COMPARE_SETTINGS(*decoded, expected);
}

void tst_TestModeCodec::decode_blockShorterThan13_isRefused_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<bool>("accepted");

    const QByteArray initial = Hex(kInitialBlock);
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("1 byte") << initial.left(1) << false;
    QTest::newRow("12 bytes") << initial.left(12) << false;
    QTest::newRow("13 bytes") << initial << true;
    QTest::newRow("14 bytes, the last not read") << initial + Hex("FF") << true;
}

void tst_TestModeCodec::decode_blockShorterThan13_isRefused()
{
    QFETCH(QByteArray, block);
    QFETCH(bool, accepted);

    const std::optional<TestModeSettings> decoded = DecodeTestModeSettings(block);
    QCOMPARE(decoded.has_value(), accepted);
    if (accepted)
        COMPARE_SETTINGS(*decoded, Initial());
}

void tst_TestModeCodec::roundTrip_randomRecordsAndBlocks()
{
    QRandomGenerator random(20240611);
    for (int i = 0; i < 2000; ++i) {
        TestModeSettings record;
        for (const TestModeFieldSpec& field : TestModeFieldTable())
            FieldValue(record, field.id) = qint16(random.bounded(field.maximum + 1));
        const std::optional<TestModeSettings> decoded = RoundTrip(record);
        QVERIFY(decoded);
        COMPARE_SETTINGS(*decoded, record);

        // Any block the module may send, except in the bits that carry nothing.
        QByteArray block(TestModeBlock::kLength, '\0');
        for (char& byte : block)
            byte = char(random.bounded(256));
        const int dHighByte = TestModeBlock::kRegisterDWord + 1;
        block[dHighByte] = char(block[dHighByte] & 0x01);
        block[TestModeBlock::kReserved] = '\0';
        COMPARE_BYTES(EncodeTestModeSettings(*DecodeTestModeSettings(block)), block);
    }
}

void tst_TestModeCodec::table_noTwoFieldsShareABit()
{
    QByteArray covered(TestModeBlock::kLength, '\0');
    for (const TestModeFieldSpec& field : TestModeFieldTable()) {
        const TestModeSettings atMaximum = Zero({{field.id, field.maximum}});
        const std::optional<TestModeSettings> decoded = RoundTrip(atMaximum);
        QVERIFY(decoded);
        COMPARE_SETTINGS(*decoded, atMaximum);

        const QByteArray bits = EncodeTestModeSettings(Zero({{field.id, -1}}));  // all its bits
        QVERIFY2(bits.count('\0') < bits.size(), qPrintable(field.name));
        for (int i = 0; i < bits.size(); ++i) {
            QVERIFY2((covered[i] & bits[i]) == 0,
                     qPrintable(field.name + QStringLiteral(" overlaps")));
            covered[i] = char(covered[i] | bits[i]);
        }
    }
    COMPARE_BYTES(covered, Hex("FF FF FF 01 FF FF FF FF FF FF FF FF 00"));
}

void tst_TestModeCodec::table_valuesAndListsAgree()
{
    const auto& table = TestModeFieldTable();
    for (int i = 0; i < kTestModeFieldCount; ++i) {
        const TestModeFieldSpec& field = table[std::size_t(i)];
        const QByteArray name = field.name.toLatin1();
        QVERIFY2(int(field.id) == i, name);
        QVERIFY2(field.initialValue >= 0 && field.initialValue <= field.maximum, name);
        QVERIFY2(field.maximum < (1 << field.bits.width), name);
        const bool hasEntries =
            field.kind == TestModeFieldKind::List || field.kind == TestModeFieldKind::Choice;
        if (hasEntries)
            QVERIFY2(field.maximum == field.entries.size() - 1, name);
        else
            QVERIFY2(field.entries.isEmpty(), name);
    }
}

void tst_TestModeCodec::table_textsKeepCodeOrder_data()
{
    QTest::addColumn<TestModeField>("field");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("XTAL Tune") << F::XTALTune << "XTAL Tune"
                               << QStringList{"13.23pF", "22.57pF", "17.90pF", "27.24pF", "15.56pF",
                                              "24.90pF", "20.23pF", "29.57pF"};
    QTest::newRow("BRC") << F::BRC << "BRC" << QStringList{"16", "15"};
    QTest::newRow("CP Acc") << F::CPAcc << "CP Acc" << QStringList{".5mA", "1mA", ".25mA"};
    QTest::newRow("PAI") << F::PAI << "PAI" << QStringList{"-50%", "-25%", "Nominal", "+25%"};
    QTest::newRow("Det Thres") << F::DetectThreshold << "Det Thres"
                               << QStringList{"2.2v", "2.4v", "2.6v", "2.8v"};
    QTest::newRow("Transmit") << F::Transmit << "Transmit"
                              << QStringList{"Low", "High", "Mod", "Pattern"};
    QTest::newRow("Mode") << F::Mode << "Mode" << QStringList{"Mode 0", "Mode 1"};
    QTest::newRow("Reg C - RDC")
        << F::ReferenceDividerCoefficient << "Reg C - RDC" << QStringList{};
}

void tst_TestModeCodec::table_textsKeepCodeOrder()
{
    QFETCH(TestModeField, field);
    QFETCH(QString, caption);
    QFETCH(QStringList, entries);

    QCOMPARE(TestModeFieldInfo(field).caption, caption);
    QCOMPARE(TestModeFieldInfo(field).entries, entries);
}

void tst_TestModeCodec::table_editorOrdersCoverEveryField()
{
    const auto eachFieldOnce = [](const auto& order) {
        const std::set<TestModeField> distinct(order.begin(), order.end());
        return distinct.size() == std::size_t(kTestModeFieldCount);
    };
    QVERIFY(eachFieldOnce(TestModeOrder::kInitRegisterEditor));
    QVERIFY(eachFieldOnce(TestModeOrder::kShowTestModeSettings));

    // The reported TXM must win over the one that selecting Transmit sets.
    const auto& show = TestModeOrder::kShowTestModeSettings;
    const auto position = [&show](TestModeField id) {
        return std::find(show.begin(), show.end(), id) - show.begin();
    };
    QVERIFY(position(F::Transmit) < position(F::TXM));

    std::set<TestModeField> registerLists;
    for (const TestModeFieldSpec& field : TestModeFieldTable()) {
        if (field.kind == TestModeFieldKind::List && field.group != RadioRegister::Operating)
            registerLists.insert(field.id);
    }
    const auto& setOrder = TestModeOrder::kSetRegistersLists;
    QCOMPARE(std::set<TestModeField>(setOrder.begin(), setOrder.end()), registerLists);
    QCOMPARE(registerLists.size(), setOrder.size());
}

void tst_TestModeCodec::frames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("enable") << BuildEnableDisableTestModeFrame(true) << Hex("01 06 11 01 19 04");
    QTest::newRow("disable") << BuildEnableDisableTestModeFrame(false) << Hex("01 06 11 00 18 04");
    QTest::newRow("query") << BuildQueryTestModeSettingsFrame() << Hex("01 05 13 19 04");
    QTest::newRow("set, initial record")
        << BuildSetTestModeSettingsFrame(InitialTestModeSettings())
        << Hex("01 12 12 22 18 5C 01 32 0D 45 34 45 00 30 04 00 ED 04");
    QTest::newRow("set, every field at its maximum")
        << BuildSetTestModeSettingsFrame(Maxima())
        << Hex("01 12 12 BA BF FF 01 FF FF FF 3F FF 3F FF 1F 00 36 04");
}

void tst_TestModeCodec::frames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);

    COMPARE_BYTES(frame, expected);
}

void tst_TestModeCodec::reply_tooShortForBlock_isIgnored_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<bool>("accepted");

    const QByteArray reply = Hex("01 12 93 22 18 5C 01 32 0D 45 34 45 00 30 04 00 6E 04");
    const QByteArray shortReply = Hex("01 11 93 22 18 5C 01 32 0D 45 34 45 00 30 04 6E 04");
    QTest::newRow("whole reply") << reply << true;
    QTest::newRow("in a longer buffer") << reply + QByteArray(28, '\0') << true;
    QTest::newRow("17 bytes") << shortReply << false;
    QTest::newRow("LEN 17 in a longer buffer") << shortReply + Hex("04 00 00") << false;
    QTest::newRow("cut after the header") << reply.left(3) << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void tst_TestModeCodec::reply_tooShortForBlock_isIgnored()
{
    QFETCH(QByteArray, frame);
    QFETCH(bool, accepted);

    const std::optional<TestModeSettings> settings = TestModeSettingsFromReply(frame);
    QCOMPARE(settings.has_value(), accepted);
    if (accepted)
        COMPARE_SETTINGS(*settings, InitialTestModeSettings());
}

QTEST_APPLESS_MAIN(tst_TestModeCodec)
#include "tst_testmodecodec.moc"
