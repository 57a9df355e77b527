// Test mode without a window: the settings block by field values; the commands over a fake
// port, comparing in order each write, each thing the screen is told, and the record.
#include "protocol/Frame.h"
#include "support/Hex.h"
#include "support/LinkHarness.h"
#include "testmode/TestModeCodec.h"
#include "testmode/TestModeCommands.h"

#include <QtTest>

Q_DECLARE_METATYPE(TestModeSettings)

namespace {

using F = TestModeField;

TestModeSettings With(std::initializer_list<std::pair<F, int>> values)
{
    TestModeSettings settings;
    for (const auto& [id, value] : values)
        FieldValue(settings, id) = qint16(value);
    return settings;
}

QStringList Play(const QString& script)
{
    LinkHarness h;
    TestModeSettings record = InitialTestModeSettings();
    TestModeCommands commands(record, h.link);
    QStringList seen;
    h.port->setResponder([&](FakeSerialPort&, const QByteArray& bytes) { seen << HexText(bytes); });
    const auto onOff = [&seen](const QString& what) {
        return [&seen, what](bool on) { seen << what + (on ? " on" : " off"); };
    };
    QObject::connect(&commands, &TestModeCommands::registersReset, [&] { seen << "reset"; });
    QObject::connect(&commands, &TestModeCommands::registersReported, [&] { seen << "shown"; });
    QObject::connect(&commands, &TestModeCommands::rfDataControlsEnabledChanged, onOff("rf data"));
    QObject::connect(&commands, &TestModeCommands::testModeControlsChanged, onOff("editor"));
    QObject::connect(&commands, &TestModeCommands::modeChanged, onOff("test mode"));
    for (const QString& event : script.split("; ")) {
        if (event == "PA0 1")
            record.PA0 = 1;  // as the editor writes it
        else if (event.startsWith("01 "))
            commands.ProcessTestModeSettings(Frame(Hex(event.toLatin1())));
        else if (event == "start")
            commands.InitTestModeAtStartUp();
        else if (!QMetaObject::invokeMethod(&commands, qPrintable(event)))
            seen << "no handler " + event;
        h.link.transmit().StopMsgTimeoutTimer();  // no module answers
    }
    return seen << HexText(EncodeTestModeSettings(record));
}

const QString kInitial = "22 18 5C 01 32 0D 45 34 45 00 30 04 00 ";

}  // namespace

class TestTestMode : public QObject {
    Q_OBJECT
private slots:
    void encode_givesBlock_andDecodesBack_data()
    {
        QTest::addColumn<TestModeSettings>("settings");
        QTest::addColumn<QByteArray>("block");
        QTest::newRow("Register A, operating fields")
            << With({{F::CPAcc, 1}, {F::BND, 2}, {F::Standby, 1}, {F::Transmit, 3}, {F::Mode, 1}})
            << Hex("06 00 00 00 00 F0 00 00 00 00 00 00 00");
        QTest::newRow("Registers B and D")
            << With({{F::PA1, 1}, {F::PARXED, 1}, {F::DetectThreshold, 2}, {F::DetectEnable, 1},
                     {F::XTALTune, 5}, {F::DemTune, 3}, {F::OOKXS, 1}})
            << Hex("00 4D A7 00 00 00 00 00 00 00 00 00 00");
        QTest::newRow("Register E, dividers, TCOUNT")
            << With({{F::BRA, 1}, {F::BRB, 5}, {F::BRC, 1}, {F::RXM, 2}, {F::TXM, 1}, {F::PAI, 1},
                     {F::MainADividerCoefficient0, 17}, {F::MainBDividerCoefficient0, 300},
                     {F::MainADividerCoefficient1, 31}, {F::ReferenceDividerCoefficient, 165},
                     {F::TCOUNT, 9}})
            << Hex("00 00 00 00 E9 06 2C 23 00 3E A5 09 00");
        // PA0 3, Main A-DC 127 and TCOUNT 200 are beyond the editor: they travel as they are.
        QTest::newRow("PI, TxRx1, TWO; beyond the editor")
            << With({{F::PI, 1}, {F::TxRx1, 1}, {F::TWO, 1}, {F::PA0, 3},
                     {F::MainADividerCoefficient0, 127}, {F::TCOUNT, 200}})
            << Hex("D0 20 00 00 04 00 00 FE 00 00 00 C8 00");
    }

    void encode_givesBlock_andDecodesBack()
    {
        QFETCH(TestModeSettings, settings);
        QFETCH(QByteArray, block);
        QCOMPARE(HexText(EncodeTestModeSettings(settings)), HexText(block));
        QVERIFY(DecodeTestModeSettings(block) == settings);
    }

    void commands_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("start-up, Set Registers")
            << "PA0 1; start; cmdSetRegisters_Click"
            << QStringList{"reset", "editor off", "test mode off",
                           "01 12 12 " + kInitial + "ED 04 ", kInitial};
        QTest::newRow("Get Registers, enable, disable")
            << "cmdGetRegisters_Click; optTestModeEnabled_Click; optTestModeDisabled_Click"
            << QStringList{"01 05 13 19 04 ", "rf data off", "01 06 11 01 19 04 ", "editor on",
                           "test mode on", "rf data on", "editor off", "01 06 11 00 18 04 ",
                           "test mode off", kInitial};
        // PA0 3 has no entry, TCOUNT 200 is held to 31, TXM 0 outlasts Transmit Mod's
        // coupling; unused Register D bits and the reserved byte are ignored.
        QTest::newRow("report, Set Registers")
            << "PA0 1; 01 12 93 E2 18 FC FF 32 CD 2C 35 45 00 30 C8 A7 DF 04; cmdSetRegisters_Click"
            << QStringList{"shown", "01 12 12 62 18 FC 01 32 CD 2C 35 45 00 30 1F 00 90 04 ",
                           "62 18 FC 01 32 CD 2C 35 45 00 30 1F 00 "};
        // No bytes past the reply's LEN are taken for register values.
        QTest::newRow("LEN 17") << "01 11 93 E2 18 FC 01 32 CD 2C 35 45 00 30 C8 39 04 00"
                                << QStringList{kInitial};
    }

    void commands()
    {
        QFETCH(QString, script);
        QTEST(Play(script), "expected");
    }
};

QTEST_GUILESS_MAIN(TestTestMode)
#include "tst_testmode.moc"
