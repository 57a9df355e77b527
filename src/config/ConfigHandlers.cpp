#include "config/ConfigHandlers.h"

#include "config/CommController.h"
#include "config/FirmwareVersionReader.h"
#include "config/IdsController.h"
#include "config/Reprovisioning.h"
#include "config/RfSettingsController.h"
#include "link/LinkSession.h"
#include "protocol/MessageCatalogue.h"
#include "protocol/Replies.h"

void RegisterConfigHandlers(LinkSession& link, const ConfigControllers& controllers)
{
    IdsController* ids = &controllers.ids;
    RfSettingsController* rf = &controllers.rfSettings;
    CommController* comm = &controllers.comm;
    FirmwareVersionReader* firmware = &controllers.firmware;
    Reprovisioning* reprovisioning = &controllers.reprovisioning;
    MessageDispatcher& dispatcher = link.dispatcher();
    dispatcher.registerHandler(MessageCode::SetIdsAck, [ids](const Frame&) { ids->ProcessSetIDsAck(); });
    dispatcher.registerHandler(MessageCode::Ids,
                               [ids](const Frame& frame) { ids->ProcessRespondWithIDs(frame); });
    dispatcher.registerHandler(MessageCode::IdsAndSettingsStatus, [reprovisioning](const Frame& frame) {
        if (const std::optional<SettingsStatus> status = DecodeSettingsStatus(frame))
            reprovisioning->ProcessRespondWithIDsAndProgrammableSettingsStatus(*status);
    });
    dispatcher.registerHandler(MessageCode::SetProgrammableSettingsAck,
                               [rf](const Frame&) { rf->ProcessSetProgrammableSettingsAck(); });
    dispatcher.registerHandler(MessageCode::ProgrammableSettings, [rf](const Frame& frame) {
        rf->ProcessRespondWithProgrammableSettings(frame);
    });
    dispatcher.registerHandler(MessageCode::FirmwareVersion, [firmware](const Frame& frame) {
        firmware->ProcessReceivedFirmwareVersionMessage(frame);
    });
    dispatcher.registerHandler(MessageCode::SetSleepModeAck,
                               [comm](const Frame&) { comm->ProcessSetSleepModeAck(); });
    dispatcher.registerHandler(MessageCode::SetBaudrateAck,
                               [comm](const Frame&) { comm->ProcessSetBaudrateAck(); });
}
