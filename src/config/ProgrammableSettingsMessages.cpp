// The RF settings page's side of the programmable settings messages: the record it
// sends, the acknowledgement, and the module's report of its settings.
#include "config/ConfigSettings.h"
#include "config/RfSettingsPage.h"
#include "ui/widgets/ValueColours.h"
#include "link/LinkSession.h"
#include "protocol/Replies.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>


namespace {


quint8 Flag(bool on)
{
    return on ? 1 : 0;
}

}  // namespace

ProgrammableSettingsRecord RfSettingsPage::RecordToSend() const
{
    ProgrammableSettingsRecord record;
    record.hopTable = static_cast<quint8>(m_config.iHopTable);
    record.acknowledgements = Flag(chkAcks->isChecked());
    record.rfRetries = static_cast<quint8>(m_config.iRFRetries);
    record.paLevel = static_cast<quint8>(m_config.iPALevel);
    record.rfMode = Flag(optHoppingMode->isChecked());
    record.singleChannel = static_cast<quint8>(m_config.iSingleChannel);
    record.receiveAll = Flag(chkReceiveAll->isChecked());
    return record;
}

void RfSettingsPage::cmdSetProgrammableSettings_Click()
{
    m_link.SendMessageToTransceiver(BuildSetProgrammableSettingsFrame(RecordToSend()), false);
}

void RfSettingsPage::cmdGetProgrammableSettings_Click()
{
    m_link.SendMessageToTransceiver(BuildQueryProgrammableSettingsFrame(), false);
}

QList<QWidget*> RfSettingsPage::RecordControls() const
{
    return {txtSetHopTable2,      chkAcks,        txtSetRFRetries2,
            comboInternalPALevel, optHoppingMode, optSingleChannelMode,
            txtRFSingleChannel2,  chkReceiveAll};
}

void RfSettingsPage::ProcessSetProgrammableSettingsAck()
{
    for (QWidget* control : RecordControls())
        MarkConfirmed(control);
}

// Each value goes through its control's own change behaviour (the boxes clamp what is
// out of range) before the control turns confirmed. A reply too short to hold the
// record is ignored.
void RfSettingsPage::ProcessRespondWithProgrammableSettings(const Frame& frame)
{
    const std::optional<ProgrammableSettingsRecord> record = DecodeProgrammableSettings(frame);
    if (!record)
        return;

    m_config.iHopTable = static_cast<qint16>(record->hopTable);
    ShowNumber(txtSetHopTable2, record->hopTable);
    MarkConfirmed(txtSetHopTable2);

    chkAcks->setChecked(record->acknowledgements != 0);
    MarkConfirmed(chkAcks);

    m_config.iRFRetries = static_cast<qint16>(record->rfRetries);
    ShowNumber(txtSetRFRetries2, record->rfRetries);
    MarkConfirmed(txtSetRFRetries2);

    m_config.iPALevel = static_cast<qint16>(record->paLevel);
    SelectPaLevel(record->paLevel);
    MarkConfirmed(comboInternalPALevel);

    (record->rfMode != 0 ? optHoppingMode : optSingleChannelMode)->setChecked(true);
    MarkConfirmed(optHoppingMode);
    MarkConfirmed(optSingleChannelMode);

    m_config.iSingleChannel = static_cast<qint16>(record->singleChannel);
    ShowNumber(txtRFSingleChannel2, record->singleChannel);
    MarkConfirmed(txtRFSingleChannel2);

    chkReceiveAll->setChecked(record->receiveAll != 0);
    MarkConfirmed(chkReceiveAll);
}
