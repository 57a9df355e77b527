#pragma once

#include "testmode/TestModeSettings.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SpinButtons;
class TestModeCommands;

// The register editor of the "Test Settings" page: one control per field of the test
// mode record, each edit written into the record at once, usable only in test mode.
// Its controls are made from the field table, which holds every caption, list and
// range. Its buttons and mode options run the commands' handlers; what the commands
// report (a reset, a module report, the mode) it shows.
class TestSettingsPage : public QWidget {
    Q_OBJECT
public:
    // The commands (and their record) must outlive the page.
    explicit TestSettingsPage(TestModeCommands& commands, QWidget* parent = nullptr);

    // Every control to the record's value, the lists filled anew.
    void InitRegisterEditor();
    // Enables the register controls and "Set Registers" in test mode, disables them in
    // user mode.
    void UpdateTestModeControls();
    // Every control to the record's value, in the order that lets the reported TXM
    // outlast Transmit's coupling.
    void ShowTestModeSettings();

    // Test mode while "Enabled" is selected, user mode otherwise.
    bool isTestModeSelected() const;

    void EnableRegisterAControls();
    void DisableRegisterAControls();
    void EnableRegisterBControls();
    void DisableRegisterBControls();
    void EnableRegisterDControls();
    void DisableRegisterDControls();
    void EnableRegisterEControls();
    void DisableRegisterEControls();
    void EnableOpModeControls();
    void DisableOpModeControls();
    void EnableTransmitControls();
    void DisableTransmitControls();

private:
    void connectToCommands();
    // The mode options follow the commands' mode, without running their handlers.
    void SelectTestMode(bool testMode);

    // Building (TestSettingsPageLayout.cpp).
    void buildControls();
    void buildRegisterFrame(RadioRegister group, QGroupBox* frame);
    void addNumberRow(TestModeField id, QGridLayout* grid, int row);
    void addListRow(TestModeField id, QGridLayout* grid, int row);
    QGroupBox* buildOpModeFrame();
    QGroupBox* buildTransmitFrame();
    QGroupBox* buildStandbyFrame();
    QGroupBox* buildTestModeFrame();
    void layOutFrames();
    void setReadingTabOrder();

    // Handlers.
    void comboRegister_Click(TestModeField id, int index);
    void comboTransmit_Click(int index);

    // Filling and showing, one field at a time.
    void InitField(TestModeField id, qint16 value);
    void ShowField(TestModeField id, qint16 value);
    void SelectMode(qint16 mode);

    void SetRegisterControlsEnabled(RadioRegister group, bool enabled);
    void SetRegisterCControlsEnabled(bool enabled);

    QComboBox* list(TestModeField id) const;
    QLineEdit* box(TestModeField id) const;

    static std::size_t Index(TestModeField id) { return static_cast<std::size_t>(id); }

    TestModeCommands& m_commands;
    TestModeSettings& m_settings;  // the commands' record

    // Per field: its label, its list or box, and a box's up-down control (null where none).
    std::array<QLabel*, kTestModeFieldCount> m_labels{};
    std::array<QWidget*, kTestModeFieldCount> m_controls{};
    std::array<SpinButtons*, kTestModeFieldCount> m_spins{};
    std::array<QGroupBox*, 6> m_registerFrames{};  // by RadioRegister; Operating unused

    QGroupBox* frameOpMode = nullptr;
    QRadioButton* optMode0 = nullptr;
    QRadioButton* optMode1 = nullptr;
    QGroupBox* frameTransmit = nullptr;
    QComboBox* comboTransmit = nullptr;
    QGroupBox* frameStandby = nullptr;
    QCheckBox* checkStandby = nullptr;
    QGroupBox* FrameTestMode = nullptr;
    QRadioButton* optTestModeEnabled = nullptr;
    QRadioButton* optTestModeDisabled = nullptr;
    QPushButton* cmdSetRegisters = nullptr;
    QPushButton* cmdGetRegisters = nullptr;
};
