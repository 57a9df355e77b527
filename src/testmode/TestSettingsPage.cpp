#include "testmode/TestSettingsPage.h"

#include "ui/widgets/SpinButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <initializer_list>

namespace {

constexpr int kTxmAsync = 0;
constexpr int kTxmSync = 1;
constexpr int kTransmitHigh = 1;  // Low and High come first in the Transmit list
constexpr int kFontPointSize = 8;
using Reg = RadioRegister;

void SetEnabled(std::initializer_list<QWidget*> controls, bool enabled)
{
    for (QWidget* control : controls)
        control->setEnabled(enabled);
}

}  // namespace

TestSettingsPage::TestSettingsPage(TestModeSettings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("TestSettingsPage"));
    // Thirty-odd controls share the page's small area.
    QFont compact = font();
    compact.setPointSize(kFontPointSize);
    setFont(compact);
    buildControls();
}

// The list's position is the field's code; nothing is sent until Set Registers.
// (One handler serves all 22 register lists, comboPA0 to comboPAI.)
void TestSettingsPage::comboRegister_Click(TestModeField id, int index)
{
    if (index >= 0)  // -1 while the list is emptied for refilling
        FieldValue(m_settings, id) = static_cast<qint16>(index);
}

// Low and High go with the asynchronous TX mode, Mod and Pattern with the synchronous
// one: choosing the kind of transmission chooses TXM, which the user may still change
// afterwards. Transmit itself is read from the list by Set Registers.
void TestSettingsPage::comboTransmit_Click(int index)
{
    if (index >= 0)
        list(TestModeField::TXM)->setCurrentIndex(index <= kTransmitHigh ? kTxmAsync : kTxmSync);
}

void TestSettingsPage::InitRegisterEditor()
{
    for (TestModeField id : TestModeOrder::kInitRegisterEditor)
        InitField(id);
}

void TestSettingsPage::InitField(TestModeField id)
{
    const TestModeFieldSpec& field = TestModeFieldInfo(id);
    FieldValue(m_settings, id) = field.initialValue;
    switch (field.kind) {
    case TestModeFieldKind::Number:
        box(id)->setText(QString::number(field.initialValue));
        break;
    case TestModeFieldKind::List:
        list(id)->clear();
        list(id)->addItems(field.entries);
        list(id)->setCurrentIndex(field.initialValue);
        break;
    case TestModeFieldKind::Choice:
        SelectMode(field.initialValue);
        break;
    case TestModeFieldKind::Check:
        checkStandby->setChecked(field.initialValue != 0);
        break;
    }
}

void TestSettingsPage::ShowTestModeSettings(const TestModeSettings& values)
{
    // Transmit comes before TXM in this order, so the reported TXM is the one that stays.
    for (TestModeField id : TestModeOrder::kShowTestModeSettings)
        ShowField(id, FieldValue(values, id));
}

void TestSettingsPage::ShowField(TestModeField id, qint16 value)
{
    const TestModeFieldSpec& field = TestModeFieldInfo(id);
    switch (field.kind) {
    case TestModeFieldKind::Number:
        box(id)->setText(QString::number(value));  // the box clamps and stores it
        break;
    case TestModeFieldKind::List:
        if (value < 0 || value >= field.entries.size())
            return;  // a code without an entry: the list and its field stay as they were
        if (id == TestModeField::Transmit)
            m_settings.Transmit = value;
        list(id)->setCurrentIndex(value);
        break;
    case TestModeFieldKind::Choice:
        SelectMode(value);
        break;
    case TestModeFieldKind::Check:
        m_settings.Standby = value;
        checkStandby->setChecked(value != 0);
        break;
    }
}

void TestSettingsPage::SelectMode(qint16 mode)
{
    m_settings.Mode = mode;
    (mode == 1 ? optMode1 : optMode0)->setChecked(true);
}

void TestSettingsPage::CopyControlsIntoRecord()
{
    for (TestModeField id : TestModeOrder::kSetRegistersLists)
        FieldValue(m_settings, id) = static_cast<qint16>(list(id)->currentIndex());
    m_settings.Mode = optMode0->isChecked() ? 0 : 1;
    m_settings.Standby = checkStandby->isChecked() ? 1 : 0;
    m_settings.Transmit = static_cast<qint16>(comboTransmit->currentIndex());
}

bool TestSettingsPage::isTestModeSelected() const
{
    return !optTestModeDisabled->isChecked();
}

void TestSettingsPage::UpdateTestModeControls()
{
    if (!isTestModeSelected()) {
        cmdSetRegisters->setEnabled(false);
        DisableRegisterAControls();
        DisableRegisterBControls();
        SetRegisterCControlsEnabled(false);
        DisableRegisterDControls();
        DisableRegisterEControls();
        DisableOpModeControls();
        DisableTransmitControls();
        return;
    }
    EnableRegisterAControls();
    EnableRegisterBControls();
    SetRegisterCControlsEnabled(true);
    EnableRegisterDControls();
    EnableRegisterEControls();
    EnableOpModeControls();
    EnableTransmitControls();
    cmdSetRegisters->setEnabled(true);
}

// The frame, then each field's label and list or box. The up-down controls follow
// their frame.
void TestSettingsPage::SetRegisterControlsEnabled(RadioRegister group, bool enabled)
{
    m_registerFrames[std::size_t(group)]->setEnabled(enabled);
    for (const TestModeFieldSpec& field : TestModeFieldTable()) {
        if (field.group != group)
            continue;
        m_labels[Index(field.id)]->setEnabled(enabled);
        m_controls[Index(field.id)]->setEnabled(enabled);
    }
}

// Register C's frame stays enabled; its three controls are switched one by one.
void TestSettingsPage::SetRegisterCControlsEnabled(bool enabled)
{
    constexpr TestModeField id = TestModeField::ReferenceDividerCoefficient;
    SetEnabled({m_labels[Index(id)], m_controls[Index(id)], m_spins[Index(id)]}, enabled);
}

void TestSettingsPage::EnableRegisterAControls() { SetRegisterControlsEnabled(Reg::A, true); }
void TestSettingsPage::DisableRegisterAControls() { SetRegisterControlsEnabled(Reg::A, false); }
void TestSettingsPage::EnableRegisterBControls() { SetRegisterControlsEnabled(Reg::B, true); }
void TestSettingsPage::DisableRegisterBControls() { SetRegisterControlsEnabled(Reg::B, false); }
void TestSettingsPage::EnableRegisterDControls() { SetRegisterControlsEnabled(Reg::D, true); }
void TestSettingsPage::DisableRegisterDControls() { SetRegisterControlsEnabled(Reg::D, false); }
void TestSettingsPage::EnableRegisterEControls() { SetRegisterControlsEnabled(Reg::E, true); }
void TestSettingsPage::DisableRegisterEControls() { SetRegisterControlsEnabled(Reg::E, false); }

void TestSettingsPage::EnableOpModeControls()
{
    SetEnabled({frameOpMode, optMode0, optMode1}, true);
}

void TestSettingsPage::DisableOpModeControls()
{
    SetEnabled({frameOpMode, optMode0, optMode1}, false);
}

void TestSettingsPage::EnableTransmitControls()
{
    SetEnabled({frameTransmit, comboTransmit}, true);
}

void TestSettingsPage::DisableTransmitControls()
{
    SetEnabled({frameTransmit, comboTransmit}, false);
}

QComboBox* TestSettingsPage::list(TestModeField id) const
{
    return static_cast<QComboBox*>(m_controls[Index(id)]);
}

QLineEdit* TestSettingsPage::box(TestModeField id) const
{
    return static_cast<QLineEdit*>(m_controls[Index(id)]);
}
