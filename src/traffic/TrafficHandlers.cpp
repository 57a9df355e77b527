#include "traffic/TrafficHandlers.h"

#include "link/LinkSession.h"
#include "protocol/MessageCatalogue.h"
#include "traffic/RfDataController.h"
#include "traffic/StatisticsController.h"

void RegisterTrafficHandlers(LinkSession& link, RfDataController& rfData,
                             StatisticsController& statistics)
{
    RfDataController* rf = &rfData;
    StatisticsController* stats = &statistics;
    link.receive().setRfDataDisplay([rf](const Frame& frame) { rf->DisplayReceivedRFData(frame); });
    MessageDispatcher& dispatcher = link.dispatcher();
    dispatcher.registerHandler(MessageCode::ReceivedRfData,
                               [rf](const Frame&) { rf->ProcessReceivedRFDataMessage(); });
    dispatcher.registerHandler(MessageCode::RfDataNotAddressedToUs, [rf](const Frame&) {
        rf->ProcessReceivedRFDataMessageNotAddresedToUs();
    });
    dispatcher.registerHandler(MessageCode::SendRfDataAck, [stats](const Frame& frame) {
        stats->ProcessSendRFDataMessageAck(frame);
    });
    dispatcher.registerHandler(MessageCode::RfStatistics, [stats](const Frame& frame) {
        stats->ProcessRespondWithRFStatistics(frame);
    });
    dispatcher.registerHandler(MessageCode::ClearStatisticsAck,
                               [stats](const Frame&) { stats->ProcessClearStatisticsAck(); });
}
