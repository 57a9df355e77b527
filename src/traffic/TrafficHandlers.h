#pragma once

class LinkSession;
class RfDataController;
class StatisticsController;

// Points the link's received RF data and the replies of the traffic tester at their
// controllers.
void RegisterTrafficHandlers(LinkSession& link, RfDataController& rfData,
                             StatisticsController& statistics);
