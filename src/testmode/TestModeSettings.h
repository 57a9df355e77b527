#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

// The fields of the radio chip's Registers A to E, plus the three operating fields of
// test mode that travel with them. A list field holds the position of the chosen entry,
// which is also the code the module receives; a number field holds the number shown.
struct TestModeSettings {
    // Register A
    qint16 MainADividerCoefficient0 = 0;
    qint16 MainBDividerCoefficient0 = 0;
    qint16 PA0 = 0;
    qint16 TxRx0 = 0;
    qint16 PI = 0;
    qint16 CPAcc = 0;
    qint16 BND = 0;
    // Register B
    qint16 MainADividerCoefficient1 = 0;
    qint16 MainBDividerCoefficient1 = 0;
    qint16 PA1 = 0;
    qint16 TxRx1 = 0;
    qint16 FSKOOK = 0;
    qint16 PARXED = 0;
    qint16 DetectThreshold = 0;
    qint16 DetectEnable = 0;
    // Register C
    qint16 ReferenceDividerCoefficient = 0;
    // Register D
    qint16 RXS = 0;
    qint16 XTALTune = 0;
    qint16 PFDReset = 0;
    qint16 DemTune = 0;
    qint16 OOKXS = 0;
    // Register E
    qint16 BRA = 0;
    qint16 BRB = 0;
    qint16 BRC = 0;
    qint16 RXM = 0;
    qint16 TXM = 0;
    qint16 TWO = 0;
    qint16 TCOUNT = 0;
    qint16 PAI = 0;
    // Operating fields
    qint16 Mode = 0;
    qint16 Transmit = 0;
    qint16 Standby = 0;
};

bool operator==(const TestModeSettings& a, const TestModeSettings& b);
bool operator!=(const TestModeSettings& a, const TestModeSettings& b);

// Field ids, in the order of the record (and of the field table).
enum class TestModeField {
    MainADividerCoefficient0, MainBDividerCoefficient0, PA0, TxRx0, PI, CPAcc, BND,
    MainADividerCoefficient1, MainBDividerCoefficient1, PA1, TxRx1, FSKOOK, PARXED,
    DetectThreshold, DetectEnable,
    ReferenceDividerCoefficient,
    RXS, XTALTune, PFDReset, DemTune, OOKXS,
    BRA, BRB, BRC, RXM, TXM, TWO, TCOUNT, PAI,
    Mode, Transmit, Standby,
};
constexpr int kTestModeFieldCount = 32;

enum class TestModeFieldKind {
    List,    // drop-down list; the value is the entry's position
    Number,  // entry box with up-down arrows, 0 to maximum
    Choice,  // a pair of option buttons, one per entry
    Check,   // check box, 0 or 1
};

// The register a field is shown with; Operating for Mode, Transmit and Standby.
enum class RadioRegister { A, B, C, D, E, Operating };

// The 13-byte test mode settings block: byte offsets of its parts. Words travel low byte first.
namespace TestModeBlock {
constexpr int kLength = 13;
constexpr int kRegisterAControl = 0;
constexpr int kRegisterBControl = 1;
constexpr int kRegisterDWord = 2;
constexpr int kRegisterEWord = 4;
constexpr int kRegisterADivider = 6;
constexpr int kRegisterBDivider = 8;
constexpr int kReferenceDivider = 10;
constexpr int kTcount = 11;
constexpr int kReserved = 12;  // 0 when sent, ignored when received
}  // namespace TestModeBlock

// Where a field's bits travel: the byte (bytes 1) or word (bytes 2) at offset, bits
// shift .. shift + width - 1. The width is what the module may report, which for the
// Main A divider coefficients (7 bits) is more than the editor allows.
struct BlockBits {
    int offset;
    int bytes;
    int shift;
    int width;
};

// Everything the host knows about one field.
struct TestModeFieldSpec {
    TestModeField id;
    qint16 TestModeSettings::*member;
    QString name;          // the field's name, as in the record
    QString caption;       // what the user sees beside its control
    TestModeFieldKind kind;
    QStringList entries;   // List and Choice: the texts in code order
    qint16 maximum;        // highest valid code or number; the lowest is always 0
    qint16 initialValue;
    RadioRegister group;
    BlockBits bits;
};

// The one table of all fields, indexed by field id.
const std::array<TestModeFieldSpec, kTestModeFieldCount>& TestModeFieldTable();
const TestModeFieldSpec& TestModeFieldInfo(TestModeField id);

qint16& FieldValue(TestModeSettings& settings, TestModeField id);
qint16 FieldValue(const TestModeSettings& settings, TestModeField id);

// The record with every field at its initial value.
TestModeSettings InitialTestModeSettings();

// The TX mode that goes with a Transmit choice: Low and High are sent asynchronously,
// Mod and Pattern synchronously.
qint16 TxmForTransmit(qint16 transmit);

// Takes a module report into the record as the register editor shows it: a number is
// held to its range, a code without a list entry leaves its field as it was. (Transmit's
// coupling to TXM leaves no trace: the reported TXM always has an entry.)
void TakeReportedSettings(TestModeSettings& record, const TestModeSettings& reported);

// The orders in which the register editor walks the fields.
namespace TestModeOrder {
using F = TestModeField;

// Filling the controls at start-up.
inline constexpr std::array<TestModeField, kTestModeFieldCount> kInitRegisterEditor = {
    F::MainADividerCoefficient0, F::MainBDividerCoefficient0, F::PA0, F::TxRx0, F::PI, F::CPAcc,
    F::BND, F::MainADividerCoefficient1, F::MainBDividerCoefficient1, F::PA1, F::TxRx1, F::FSKOOK,
    F::PARXED, F::DetectThreshold, F::DetectEnable, F::ReferenceDividerCoefficient, F::RXS,
    F::XTALTune, F::PFDReset, F::DemTune, F::OOKXS, F::BRA, F::BRB, F::BRC, F::RXM, F::TXM, F::TWO,
    F::TCOUNT, F::PAI, F::Mode, F::Standby, F::Transmit,
};

// Showing a module report. Transmit comes before TXM because selecting Transmit changes
// TXM; the reported TXM must be the one that stays.
inline constexpr std::array<TestModeField, kTestModeFieldCount> kShowTestModeSettings = {
    F::MainADividerCoefficient0, F::MainBDividerCoefficient0, F::PA0, F::TxRx0, F::PI, F::CPAcc,
    F::BND, F::MainADividerCoefficient1, F::MainBDividerCoefficient1, F::PA1, F::TxRx1, F::FSKOOK,
    F::PARXED, F::DetectThreshold, F::DetectEnable, F::ReferenceDividerCoefficient, F::RXS,
    F::XTALTune, F::PFDReset, F::DemTune, F::OOKXS, F::TCOUNT, F::Standby, F::Transmit, F::Mode,
    F::BRA, F::BRB, F::BRC, F::RXM, F::TXM, F::TWO, F::PAI,
};
}  // namespace TestModeOrder
