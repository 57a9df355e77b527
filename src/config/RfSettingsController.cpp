#include "config/RfSettingsController.h"

#include "config/ConfigFrames.h"
#include "config/ConfigSettings.h"
#include "config/NumericBoxSpec.h"
#include "config/SleepCommand.h"
#include "link/LinkSession.h"

namespace {

quint8 Flag(bool on)
{
    return on ? 1 : 0;
}

// The box that shows a number, whose bounds a reported number is held to.
const char* BoxOf(int field)
{
    switch (field) {
    case RfSettingsController::HopTable: return "txtSetHopTable2";
    case RfSettingsController::RFRetries: return "txtSetRFRetries2";
    default: return "txtRFSingleChannel2";
    }
}

qint32 WithinBox(int field, qint32 value)
{
    const NumericEntryParameters bounds = NumericBoxSpecFor(QLatin1String(BoxOf(field))).entry;
    return qBound(bounds.minimum, value, bounds.maximum);
}

}  // namespace

RfSettingsController::RfSettingsController(ConfigSettings& config, LinkSession& link,
                                           QObject* parent)
    : QObject(parent), m_config(config), m_link(link)
{
}

// Where a number is stored.
qint16 ConfigSettings::*RfSettingsController::number(int field)
{
    switch (field) {
    case HopTable: return &ConfigSettings::iHopTable;
    case RFRetries: return &ConfigSettings::iRFRetries;
    case PALevel: return &ConfigSettings::iPALevel;
    default: return &ConfigSettings::iSingleChannel;
    }
}

bool RfSettingsController::switchOn(int field) const
{
    switch (field) {
    case Acknowledgements: return m_acknowledgements;
    case ReceiveAll: return m_receiveAll;
    case HoppingMode: return m_rfMode == 1;
    case SingleChannelMode: return m_rfMode == 0;
    default: return false;
    }
}

qint32 RfSettingsController::value(int field) const
{
    switch (field) {
    case HopTable:
    case RFRetries:
    case PALevel:
    case SingleChannel: return m_config.*number(field);
    default: return Flag(switchOn(field));
    }
}

void RfSettingsController::setState(int field, ValueState state)
{
    if (m_states[field] == state)
        return;
    m_states[field] = state;
    emit stateChanged(field, state);
}

void RfSettingsController::setNumber(int field, qint32 value)
{
    m_config.*number(field) = static_cast<qint16>(value);
    setState(field, ValueState::Pending);
}

void RfSettingsController::setSwitch(int field, bool on)
{
    if (field == Acknowledgements) {
        m_acknowledgements = on;
        m_config.iAcknowledgements = Flag(on);
    } else {
        m_receiveAll = on;
        m_config.iReceiveAll = Flag(on);
    }
    setState(field, ValueState::Pending);
}

void RfSettingsController::selectMode(bool hopping)
{
    m_rfMode = Flag(hopping);
    m_config.iRFMode = Flag(hopping);
    setState(hopping ? HoppingMode : SingleChannelMode, ValueState::Pending);
}

void RfSettingsController::selectPaLevel(int level)
{
    m_config.iPALevel = static_cast<qint16>(level);
    setState(PALevel, ValueState::Pending);
}

void RfSettingsController::showNumber(int field, qint32 value)
{
    setNumber(field, value);
    emit valueShown(field, value);
}

// A control already showing the state does not change, so it does not turn pending.
void RfSettingsController::showSwitch(int field, bool on)
{
    if (switchOn(field) == on)
        return;
    setSwitch(field, on);
    emit valueShown(field, Flag(on));
}

void RfSettingsController::showMode(bool hopping)
{
    if (m_rfMode == Flag(hopping))
        return;
    selectMode(hopping);
    emit valueShown(hopping ? HoppingMode : SingleChannelMode, 1);
}

void RfSettingsController::ShowLoadedHopTableAcksAndRetries()
{
    showNumber(HopTable, m_config.iHopTable);
    showSwitch(Acknowledgements, m_config.iAcknowledgements == 1);
    showNumber(RFRetries, m_config.iRFRetries);
}

void RfSettingsController::ShowLoadedPaLevel()
{
    const int level = m_config.iPALevel;
    if (level < 0 || level >= PaLevelEntries().size())
        return;
    setState(PALevel, ValueState::Pending);
    emit valueShown(PALevel, level);
}

void RfSettingsController::ShowLoadedChannelSettings()
{
    showMode(m_config.iRFMode == 1);
    showNumber(SingleChannel, m_config.iSingleChannel);
    showSwitch(ReceiveAll, m_config.iReceiveAll == 1);
}

ProgrammableSettingsRecord RfSettingsController::RecordToSend() const
{
    ProgrammableSettingsRecord record;
    record.hopTable = static_cast<quint8>(m_config.iHopTable);
    record.acknowledgements = Flag(m_acknowledgements);
    record.rfRetries = static_cast<quint8>(m_config.iRFRetries);
    record.paLevel = static_cast<quint8>(m_config.iPALevel);
    record.rfMode = Flag(m_rfMode == 1);
    record.singleChannel = static_cast<quint8>(m_config.iSingleChannel);
    record.receiveAll = Flag(m_receiveAll);
    return record;
}

void RfSettingsController::SetProgrammableSettings()
{
    m_link.SendMessageToTransceiver(BuildSetProgrammableSettingsFrame(RecordToSend()), false);
}

void RfSettingsController::GetProgrammableSettings()
{
    m_link.SendMessageToTransceiver(BuildQueryProgrammableSettingsFrame(), false);
}

void RfSettingsController::Sleep()
{
    cmdSleep_Click(m_link);
}

void RfSettingsController::ProcessSetProgrammableSettingsAck()
{
    for (int field = 0; field < kFieldCount; ++field)
        setState(field, ValueState::Confirmed);
}

void RfSettingsController::ProcessRespondWithProgrammableSettings(const Frame& frame)
{
    const std::optional<ProgrammableSettingsRecord> record = DecodeProgrammableSettings(frame);
    if (!record)
        return;
    showNumber(HopTable, WithinBox(HopTable, record->hopTable));
    showSwitch(Acknowledgements, record->acknowledgements != 0);
    showNumber(RFRetries, WithinBox(RFRetries, record->rfRetries));
    // A level without an entry in the list is stored; the list keeps its selection.
    m_config.iPALevel = record->paLevel;
    emit valueShown(PALevel, record->paLevel);
    showMode(record->rfMode != 0);
    showNumber(SingleChannel, WithinBox(SingleChannel, record->singleChannel));
    showSwitch(ReceiveAll, record->receiveAll != 0);
    for (int field = 0; field < kFieldCount; ++field)
        setState(field, ValueState::Confirmed);
}
