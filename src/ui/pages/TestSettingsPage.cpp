#include "ui/pages/TestSettingsPage.h"

#include "testmode/TestModeCommands.h"
#include "ui/widgets/SpinButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <initializer_list>

namespace {

using Reg = RadioRegister;

void SetEnabled(std::initializer_list<QWidget*> controls, bool enabled)
{
    for (QWidget* control : controls)
        control->setEnabled(enabled);
}

}  // namespace

TestSettingsPage::TestSettingsPage(TestModeCommands& commands, QWidget* parent)
    : QWidget(parent), m_commands(commands), m_settings(commands.settings())
{
    setObjectName(QStringLiteral("TestSettingsPage"));
    // Thirty-odd controls share the page's small area: a point smaller than the rest of
    // the window, so a larger desktop font still makes the page larger.
    QFont compact = font();
    if (compact.pointSizeF() > 1)
        compact.setPointSizeF(compact.pointSizeF() - 1);
    setFont(compact);
    buildControls();
    connectToCommands();
}

// Mode 0/1 and Standby have no handlers of their own: their value goes into the record
// as it changes, so that Set Registers sends what they show.
void TestSettingsPage::connectToCommands()
{
    TestModeCommands* commands = &m_commands;
    connect(optTestModeEnabled, &QRadioButton::toggled, commands, [commands](bool checked) {
        if (checked)
            commands->optTestModeEnabled_Click();
    });
    connect(optTestModeDisabled, &QRadioButton::toggled, commands, [commands](bool checked) {
        if (checked)
            commands->optTestModeDisabled_Click();
    });
    connect(cmdSetRegisters, &QPushButton::clicked, commands,
            &TestModeCommands::cmdSetRegisters_Click);
    connect(cmdGetRegisters, &QPushButton::clicked, commands,
            &TestModeCommands::cmdGetRegisters_Click);
    connect(optMode1, &QRadioButton::toggled, this,
            [this](bool checked) { m_settings.Mode = checked ? 1 : 0; });
    connect(checkStandby, &QCheckBox::toggled, this,
            [this](bool checked) { m_settings.Standby = checked ? 1 : 0; });

    connect(commands, &TestModeCommands::registersReset, this,
            &TestSettingsPage::InitRegisterEditor);
    connect(commands, &TestModeCommands::registersReported, this,
            &TestSettingsPage::ShowTestModeSettings);
    connect(commands, &TestModeCommands::testModeControlsChanged, this,
            &TestSettingsPage::SelectTestMode);
}

// The list's position is the field's code; nothing is sent until Set Registers.
// (One handler serves all 22 register lists, comboPA0 to comboPAI.)
void TestSettingsPage::comboRegister_Click(TestModeField id, int index)
{
    if (index >= 0)  // -1 while the list is emptied for refilling
        FieldValue(m_settings, id) = static_cast<qint16>(index);
}

// Choosing the kind of transmission chooses TXM, which the user may still change
// afterwards.
void TestSettingsPage::comboTransmit_Click(int index)
{
    if (index < 0)
        return;
    m_settings.Transmit = static_cast<qint16>(index);
    list(TestModeField::TXM)->setCurrentIndex(TxmForTransmit(m_settings.Transmit));
}

// The controls' handlers write into the record as the controls change, so the values
// to show are taken from a copy.
void TestSettingsPage::InitRegisterEditor()
{
    const TestModeSettings values = m_settings;
    for (TestModeField id : TestModeOrder::kInitRegisterEditor)
        InitField(id, FieldValue(values, id));
}

void TestSettingsPage::InitField(TestModeField id, qint16 value)
{
    const TestModeFieldSpec& field = TestModeFieldInfo(id);
    if (field.kind == TestModeFieldKind::List) {
        list(id)->clear();
        list(id)->addItems(field.entries);
    }
    ShowField(id, value);
}

void TestSettingsPage::ShowTestModeSettings()
{
    // Transmit comes before TXM in this order, so the reported TXM is the one that stays.
    const TestModeSettings values = m_settings;
    for (TestModeField id : TestModeOrder::kShowTestModeSettings)
        ShowField(id, FieldValue(values, id));
}

void TestSettingsPage::ShowField(TestModeField id, qint16 value)
{
    const TestModeFieldSpec& field = TestModeFieldInfo(id);
    switch (field.kind) {
    case TestModeFieldKind::Number:
        box(id)->setText(QString::number(value));  // the box's entry rule stores it
        break;
    case TestModeFieldKind::List:
        if (value >= 0 && value < field.entries.size())
            list(id)->setCurrentIndex(value);
        break;
    case TestModeFieldKind::Choice:
        SelectMode(value);
        break;
    case TestModeFieldKind::Check:
        checkStandby->setChecked(value != 0);
        break;
    }
}

void TestSettingsPage::SelectMode(qint16 mode)
{
    (mode == 1 ? optMode1 : optMode0)->setChecked(true);
}

void TestSettingsPage::SelectTestMode(bool testMode)
{
    {
        const QSignalBlocker quietEnabled(optTestModeEnabled);
        const QSignalBlocker quietDisabled(optTestModeDisabled);
        (testMode ? optTestModeEnabled : optTestModeDisabled)->setChecked(true);
    }
    UpdateTestModeControls();
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
