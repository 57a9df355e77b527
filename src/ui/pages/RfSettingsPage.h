#pragma once

#include <QList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class RfSettingsController;
class SpinButtons;

// The "RF Settings" page: the controls of the module's programmable RF settings over the
// record the controller keeps. Each change of a control goes to the controller; each
// value and state the controller reports shows in its control.
class RfSettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit RfSettingsPage(RfSettingsController& settings, QWidget* parent = nullptr);

    // Start-up: the attenuator list gets its entries, none selected.
    void FillPaLevelList();

    void cmdSetProgrammableSettings_Click();
    void cmdGetProgrammableSettings_Click();
    void cmdSleep2_Click();

private:
    void buildHopTableAndRetries(QGridLayout* grid);
    void buildChannelControls(QGridLayout* grid);
    void buildPaLevelList(QVBoxLayout* page);
    void buildButtons(QVBoxLayout* page);
    QLineEdit* addNumberBox(QGridLayout* grid, int row, int column, const char* labelName,
                            const QString& caption, const char* name, int field);

    void chkAcks_Click(bool checked);
    void chkReceiveAll_Click(bool checked);
    void optHoppingMode_Click(bool selected);
    void optSingleChannelMode_Click(bool selected);
    void comboInternalPALevel_Click(int index);

    void showValue(int field, qint32 value);
    // The eight controls of the record, in the controller's order of its fields.
    QList<QWidget*> RecordControls() const;

    RfSettingsController& m_settings;
    QLineEdit* txtSetHopTable2 = nullptr;
    SpinButtons* UpDownSetHopTable2 = nullptr;
    QCheckBox* chkAcks = nullptr;
    QLineEdit* txtSetRFRetries2 = nullptr;
    QRadioButton* optHoppingMode = nullptr;
    QRadioButton* optSingleChannelMode = nullptr;
    QLineEdit* txtRFSingleChannel2 = nullptr;
    SpinButtons* updownRfSingleChannel2 = nullptr;
    QCheckBox* chkReceiveAll = nullptr;
    QComboBox* comboInternalPALevel = nullptr;
    QPushButton* cmdSetProgrammableSettings = nullptr;
    QPushButton* cmdGetProgrammableSettings = nullptr;
    QPushButton* cmdSleep2 = nullptr;
};
