#include "testmode/TestModeHandlers.h"

#include "link/LinkSession.h"
#include "protocol/MessageCatalogue.h"
#include "testmode/TestModeCommands.h"

void RegisterTestModeHandlers(LinkSession& link, TestModeCommands& commands)
{
    TestModeCommands* testMode = &commands;
    MessageDispatcher& dispatcher = link.dispatcher();
    dispatcher.registerHandler(MessageCode::EnableDisableTestModeAck,
                               [testMode](const Frame&) { testMode->ProcessEnableDisableTestModeAck(); });
    dispatcher.registerHandler(MessageCode::SetTestModeSettingsAck,
                               [testMode](const Frame&) { testMode->ProcessTestModeSettingsAck(); });
    dispatcher.registerHandler(MessageCode::TestModeSettings, [testMode](const Frame& frame) {
        testMode->ProcessTestModeSettings(frame);
    });
}
