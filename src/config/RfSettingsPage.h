#pragma once

#include "config/ConfigFrames.h"

#include <QList>
#include <QWidget>

class Frame;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class LinkSession;
class SpinButtons;
struct ConfigSettings;

// The "RF Settings" page: the module's programmable RF settings as the host keeps them.
// Every edit turns its control pending and updates the stored value at once; nothing
// reaches the module until "Set Programmable Settings" (or re-provisioning) sends the
// whole record. The acknowledgement and the module's report turn the controls
// confirmed.
class RfSettingsPage : public QWidget {
    Q_OBJECT
public:
    RfSettingsPage(ConfigSettings& config, LinkSession& link, QWidget* parent = nullptr);

    // Start-up, in this order: hop table, acknowledgements and retries; the attenuator
    // list; channel mode, channel and receive-all. Each goes through the control's own
    // change behaviour, so the filled controls turn pending.
    void ShowLoadedHopTableAcksAndRetries();
    void FillPaLevelList();
    void ShowLoadedChannelSettings();

    // Numbers come from the stored values, the three switches from the controls.
    ProgrammableSettingsRecord RecordToSend() const;

    void cmdSetProgrammableSettings_Click();
    void cmdGetProgrammableSettings_Click();
    void cmdSleep2_Click();

    void ProcessSetProgrammableSettingsAck();
    void ProcessRespondWithProgrammableSettings(const Frame& frame);

private:
    void buildHopTableAndRetries();
    void buildChannelControls();
    void buildPaLevelList();
    void buildButtons();

    void chkAcks_Click(bool checked);
    void chkReceiveAll_Click(bool checked);
    void optHoppingMode_Click(bool selected);
    void optSingleChannelMode_Click(bool selected);
    void comboInternalPALevel_Click(int index);

    // Selects the entry at this position; a level without an entry leaves the list as
    // it is.
    void SelectPaLevel(int level);
    void ShowNumber(QLineEdit* box, int value);
    // The eight controls of the record, in the order they are confirmed.
    QList<QWidget*> RecordControls() const;

    ConfigSettings& m_config;
    LinkSession& m_link;
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
