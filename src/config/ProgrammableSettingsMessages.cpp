// The RF settings page's side of the programmable settings messages: the record it
// sends, the acknowledgement, and the module's report of its settings.
#include "config/ConfigSettings.h"
#include "config/RfSettingsPage.h"
#include "config/ValueColours.h"
#include "link/SerialLink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <array>

namespace {

constexpr int kRecordBytes = 7;
constexpr int kReplyLength = 5 + kRecordBytes;

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
// record is ignored rather than filled up with whatever the buffer held before.
void RfSettingsPage::ProcessRespondWithProgrammableSettings()
{
    const FrameAssembler& rx = m_link.receive().rx();
    if (rx.iRxLength < kReplyLength)
        return;
    std::array<int, kRecordBytes + 1> byte{};
    for (int i = 1; i <= kRecordBytes; ++i)
        byte[i] = rx.payloadByte(i);

    m_config.iHopTable = static_cast<qint16>(byte[1]);
    ShowNumber(txtSetHopTable2, byte[1]);
    MarkConfirmed(txtSetHopTable2);

    chkAcks->setChecked(byte[2] != 0);
    MarkConfirmed(chkAcks);

    m_config.iRFRetries = static_cast<qint16>(byte[3]);
    ShowNumber(txtSetRFRetries2, byte[3]);
    MarkConfirmed(txtSetRFRetries2);

    m_config.iPALevel = static_cast<qint16>(byte[4]);
    SelectPaLevel(byte[4]);
    MarkConfirmed(comboInternalPALevel);

    (byte[5] != 0 ? optHoppingMode : optSingleChannelMode)->setChecked(true);
    MarkConfirmed(optHoppingMode);
    MarkConfirmed(optSingleChannelMode);

    m_config.iSingleChannel = static_cast<qint16>(byte[6]);
    ShowNumber(txtRFSingleChannel2, byte[6]);
    MarkConfirmed(txtRFSingleChannel2);

    chkReceiveAll->setChecked(byte[7] != 0);
    MarkConfirmed(chkReceiveAll);
}
