#pragma once

#include <QString>

// Message codes. Every named command has the response code command + 128;
// 142 and 148 arrive unsolicited, 132 arrives unrequested.
namespace MessageCode {
constexpr int SendRfData = 1;
constexpr int SetIds = 2;
constexpr int QueryIds = 3;
constexpr int QueryIdsAndSettingsStatus = 4;
constexpr int SetProgrammableSettings = 8;
constexpr int QueryProgrammableSettings = 9;
constexpr int QueryRfStatistics = 15;
constexpr int ClearStatistics = 16;
constexpr int EnableDisableTestMode = 17;
constexpr int SetTestModeSettings = 18;
constexpr int QueryTestModeSettings = 19;
constexpr int QueryFirmwareVersion = 21;
constexpr int SetSleepMode = 22;
constexpr int SetBaudrate = 25;
constexpr int QueryMaxPowerAmplifierLevel = 33;

constexpr int ResponseOffset = 128;
constexpr int SendRfDataAck = 129;
constexpr int SetIdsAck = 130;
constexpr int Ids = 131;
constexpr int IdsAndSettingsStatus = 132;
constexpr int SetProgrammableSettingsAck = 136;
constexpr int ProgrammableSettings = 137;
constexpr int RfDataNotAddressedToUs = 142;
constexpr int RfStatistics = 143;
constexpr int ClearStatisticsAck = 144;
constexpr int EnableDisableTestModeAck = 145;
constexpr int SetTestModeSettingsAck = 146;
constexpr int TestModeSettings = 147;
constexpr int ReceivedRfData = 148;
constexpr int FirmwareVersion = 149;
constexpr int SetSleepModeAck = 150;
constexpr int SetBaudrateAck = 153;
constexpr int MaxPowerAmplifierLevel = 161;

// Only these types are ever handed to a response handler.
constexpr int FirstDispatchedType = 129;
constexpr int LastDispatchedType = 153;
}  // namespace MessageCode

// Name of a command code in the transmit log; "Transmitted Message" when it has none.
QString GetTransmittedMessageName(int iTxMsgType);

// Name of a response code in the receive log; "Received Message" when it has none.
QString GetReceivedMessageName(int iRxMsgType);

// Name of an outstanding command in its time-out line; a command without a name is
// called "Received Message" here (unlike in the transmit log).
QString GetTimedOutMessageName(int iTxMsgType);

// True for the response codes that the catalogue names (the ones with a handler).
bool IsCataloguedResponse(int type);
