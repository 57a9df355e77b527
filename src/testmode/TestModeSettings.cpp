#include "testmode/TestModeSettings.h"

namespace {

using namespace TestModeBlock;
using Kind = TestModeFieldKind;
using Reg = RadioRegister;

// Where each part of the block lies, and which bits of it a field takes.
constexpr BlockBits ControlA(int shift, int width) { return {kRegisterAControl, 1, shift, width}; }
constexpr BlockBits ControlB(int shift, int width) { return {kRegisterBControl, 1, shift, width}; }
constexpr BlockBits WordD(int shift, int width) { return {kRegisterDWord, 2, shift, width}; }
constexpr BlockBits WordE(int shift, int width) { return {kRegisterEWord, 2, shift, width}; }
constexpr BlockBits DividerA(int shift, int width) { return {kRegisterADivider, 2, shift, width}; }
constexpr BlockBits DividerB(int shift, int width) { return {kRegisterBDivider, 2, shift, width}; }
constexpr BlockBits WholeByte(int offset) { return {offset, 1, 0, 8}; }

// Id, record member and name always agree because they are written once.
#define FIELD(name) TestModeField::name, &TestModeSettings::name, QStringLiteral(#name)

TestModeFieldSpec Field(TestModeField id, qint16 TestModeSettings::*member, const QString& name,
                        const char* caption, Kind kind, Reg group, BlockBits bits,
                        qint16 initialValue, const QStringList& entries, qint16 maximum)
{
    return {id, member, name, QString::fromLatin1(caption), kind, entries, maximum, initialValue,
            group, bits};
}

TestModeFieldSpec ListField(TestModeField id, qint16 TestModeSettings::*member, const QString& name,
                            const char* caption, Reg group, BlockBits bits, qint16 initialValue,
                            const QStringList& entries)
{
    return Field(id, member, name, caption, Kind::List, group, bits, initialValue, entries,
                 static_cast<qint16>(entries.size() - 1));
}

TestModeFieldSpec NumberField(TestModeField id, qint16 TestModeSettings::*member,
                              const QString& name, const char* caption, Reg group, BlockBits bits,
                              qint16 initialValue, qint16 maximum)
{
    return Field(id, member, name, caption, Kind::Number, group, bits, initialValue, {}, maximum);
}

std::array<TestModeFieldSpec, kTestModeFieldCount> BuildTable()
{
    const QStringList paLevels = {"0 dB", "10 dB", "20 dB"};
    const QStringList rxTx = {"RX Mode", "TX Mode"};
    const QStringList openClosed = {"Open", "Closed"};

    return {{
        NumberField(FIELD(MainADividerCoefficient0), "Main A-DC", Reg::A, DividerA(9, 7), 26, 31),
        NumberField(FIELD(MainBDividerCoefficient0), "Main B-DC", Reg::A, DividerA(0, 9), 69, 511),
        ListField(FIELD(PA0), "PA0", Reg::A, ControlA(6, 2), 0, paLevels),
        ListField(FIELD(TxRx0), "TX/RX0", Reg::A, ControlA(5, 1), 1, rxTx),
        ListField(FIELD(PI), "PI", Reg::A, ControlA(4, 1), 0, {"Noninverted", "Inverted"}),
        ListField(FIELD(CPAcc), "CP Acc", Reg::A, ControlA(2, 2), 0, {".5mA", "1mA", ".25mA"}),
        ListField(FIELD(BND), "BND", Reg::A, ControlA(0, 2), 2, {"315MHz", "433MHz", "868-915MHz"}),

        NumberField(FIELD(MainADividerCoefficient1), "Main A-DC", Reg::B, DividerB(9, 7), 0, 31),
        NumberField(FIELD(MainBDividerCoefficient1), "Main B-DC", Reg::B, DividerB(0, 9), 69, 511),
        ListField(FIELD(PA1), "PA1", Reg::B, ControlB(6, 2), 0, paLevels),
        ListField(FIELD(TxRx1), "TX/RX1", Reg::B, ControlB(5, 1), 0, rxTx),
        ListField(FIELD(FSKOOK), "FSK/OOK", Reg::B, ControlB(4, 1), 1, {"OOK", "FSK"}),
        ListField(FIELD(PARXED), "PARXED", Reg::B, ControlB(3, 1), 1, {"Disabled", "Enabled"}),
        ListField(FIELD(DetectThreshold), "Det Thres", Reg::B, ControlB(1, 2), 0,
                  {"2.2v", "2.4v", "2.6v", "2.8v"}),
        ListField(FIELD(DetectEnable), "Det En", Reg::B, ControlB(0, 1), 0, {"Off", "On"}),

        NumberField(FIELD(ReferenceDividerCoefficient), "Reg C - RDC", Reg::C,
                    WholeByte(kReferenceDivider), 48, 255),

        ListField(FIELD(RXS), "RXS", Reg::D, WordD(8, 1), 1, openClosed),
        // Code order, not order of capacitance.
        ListField(FIELD(XTALTune), "XTAL Tune", Reg::D, WordD(5, 3), 2,
                  {"13.23pF", "22.57pF", "17.90pF", "27.24pF", "15.56pF", "24.90pF", "20.23pF",
                   "29.57pF"}),
        ListField(FIELD(PFDReset), "PFD Rst", Reg::D, WordD(4, 1), 1, {"XTAL", "Prescaler"}),
        NumberField(FIELD(DemTune), "DemTune", Reg::D, WordD(1, 3), 6, 7),
        ListField(FIELD(OOKXS), "OOKXS", Reg::D, WordD(0, 1), 0, openClosed),

        ListField(FIELD(BRA), "BRA", Reg::E, WordE(10, 2), 3, {"1", "5", "6", "8"}),
        ListField(FIELD(BRB), "BRB", Reg::E, WordE(7, 3), 2,
                  {"1", "2", "4", "8", "16", "32", "64", "128"}),
        ListField(FIELD(BRC), "BRC", Reg::E, WordE(6, 1), 0, {"16", "15"}),
        ListField(FIELD(RXM), "RXM", Reg::E, WordE(4, 2), 3,
                  {"Raw Data", "Deglitch", "Clk Recovery", "Self Train"}),
        ListField(FIELD(TXM), "TXM", Reg::E, WordE(3, 1), 0, {"Async", "Sync"}),
        ListField(FIELD(TWO), "TWO", Reg::E, WordE(2, 1), 0, {"0101", "0011"}),
        // Shown with Register E but carried in a byte of its own.
        NumberField(FIELD(TCOUNT), "TCOUNT", Reg::E, WholeByte(kTcount), 4, 31),
        ListField(FIELD(PAI), "PAI", Reg::E, WordE(0, 2), 2, {"-50%", "-25%", "Nominal", "+25%"}),

        // The operating fields ride in the top bits of the Register E word.
        Field(FIELD(Mode), "Mode", Kind::Choice, Reg::Operating, WordE(12, 1), 0,
              {"Mode 0", "Mode 1"}, 1),
        ListField(FIELD(Transmit), "Transmit", Reg::Operating, WordE(13, 2), 0,
                  {"Low", "High", "Mod", "Pattern"}),
        Field(FIELD(Standby), "Standby", Kind::Check, Reg::Operating, WordE(15, 1), 0, {}, 1),
    }};
}

#undef FIELD

}  // namespace

const std::array<TestModeFieldSpec, kTestModeFieldCount>& TestModeFieldTable()
{
    static const std::array<TestModeFieldSpec, kTestModeFieldCount> table = BuildTable();
    return table;
}

const TestModeFieldSpec& TestModeFieldInfo(TestModeField id)
{
    return TestModeFieldTable()[static_cast<std::size_t>(id)];
}

qint16& FieldValue(TestModeSettings& settings, TestModeField id)
{
    return settings.*(TestModeFieldInfo(id).member);
}

qint16 FieldValue(const TestModeSettings& settings, TestModeField id)
{
    return settings.*(TestModeFieldInfo(id).member);
}

TestModeSettings InitialTestModeSettings()
{
    TestModeSettings settings;
    for (const TestModeFieldSpec& field : TestModeFieldTable())
        settings.*(field.member) = field.initialValue;
    return settings;
}

qint16 TxmForTransmit(qint16 transmit)
{
    constexpr qint16 kTransmitHigh = 1;  // Low and High come first in the Transmit list
    return transmit <= kTransmitHigh ? 0 : 1;
}

void TakeReportedSettings(TestModeSettings& record, const TestModeSettings& reported)
{
    for (const TestModeFieldSpec& field : TestModeFieldTable()) {
        const qint16 value = reported.*(field.member);
        if (field.kind == TestModeFieldKind::Number)
            record.*(field.member) = qBound<qint16>(0, value, field.maximum);
        else if (value >= 0 && value <= field.maximum)
            record.*(field.member) = value;
    }
}

bool operator==(const TestModeSettings& a, const TestModeSettings& b)
{
    for (const TestModeFieldSpec& field : TestModeFieldTable()) {
        if (a.*(field.member) != b.*(field.member))
            return false;
    }
    return true;
}

bool operator!=(const TestModeSettings& a, const TestModeSettings& b)
{
    return !(a == b);
}
