#include "protocol/MessageCatalogue.h"

#include <array>

namespace {

struct NamedCode {
    int code;
    const char* name;
};

constexpr std::array<NamedCode, 14> kCommandNames{{
    {MessageCode::SendRfData, "Send RF Data Message"},
    {MessageCode::SetIds, "Set IDs"},
    {MessageCode::QueryIds, "Query IDs"},
    {MessageCode::QueryIdsAndSettingsStatus, "Query IDs And Programmable Settings Status"},
    {MessageCode::SetProgrammableSettings, "Set Programmable Settings"},
    {MessageCode::QueryProgrammableSettings, "Query Programmable Settings"},
    {MessageCode::QueryRfStatistics, "Query RF Statistics"},
    {MessageCode::ClearStatistics, "Clear Statistics"},
    {MessageCode::EnableDisableTestMode, "Enable/Disable Test Mode"},
    {MessageCode::SetTestModeSettings, "Set Test Mode Settings"},
    {MessageCode::QueryTestModeSettings, "Query Test Mode Settings"},
    {MessageCode::QueryFirmwareVersion, "Query Firmware Version"},
    {MessageCode::SetSleepMode, "Set Sleep Mode"},
    {MessageCode::SetBaudrate, "Set Baudrate"},
}};

constexpr std::array<NamedCode, 16> kResponseNames{{
    {MessageCode::SendRfDataAck, "Send RF Data Message Ack/Nack"},
    {MessageCode::SetIdsAck, "Set IDs Ack"},
    {MessageCode::Ids, "IDs"},
    {MessageCode::IdsAndSettingsStatus, "IDs And Programmable Settings Status"},
    {MessageCode::SetProgrammableSettingsAck, "Set Programmable Settings Ack"},
    {MessageCode::ProgrammableSettings, "Programmable Settings"},
    {MessageCode::RfDataNotAddressedToUs, "Received RF Data Message Sent To Another Transceiver"},
    {MessageCode::RfStatistics, "RF Statistics"},
    {MessageCode::ClearStatisticsAck, "Clear Statistics Ack"},
    {MessageCode::EnableDisableTestModeAck, "Enable/Disable Test Mode Ack"},
    {MessageCode::SetTestModeSettingsAck, "Set Test Mode Settings Ack"},
    {MessageCode::TestModeSettings, "Test Mode Settings"},
    {MessageCode::ReceivedRfData, "Received RF Data Message"},
    {MessageCode::FirmwareVersion, "Received Firmware Version"},
    {MessageCode::SetSleepModeAck, "Set Sleep Mode Ack"},
    {MessageCode::SetBaudrateAck, "Set Baudrate Ack"},
}};

template <std::size_t N>
const char* FindName(const std::array<NamedCode, N>& table, int code)
{
    for (const NamedCode& entry : table)
        if (entry.code == code)
            return entry.name;
    return nullptr;
}

QString NameOr(const char* name, const char* fallback)
{
    return QString::fromLatin1(name ? name : fallback);
}

}  // namespace

QString GetTransmittedMessageName(int iTxMsgType)
{
    return NameOr(FindName(kCommandNames, iTxMsgType), "Transmitted Message");
}

QString GetReceivedMessageName(int iRxMsgType)
{
    return NameOr(FindName(kResponseNames, iRxMsgType), "Received Message");
}

QString GetTimedOutMessageName(int iTxMsgType)
{
    return NameOr(FindName(kCommandNames, iTxMsgType), "Received Message");
}

bool IsCataloguedResponse(int type)
{
    return FindName(kResponseNames, type) != nullptr;
}
