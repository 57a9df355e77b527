#pragma once

class CommController;
class FirmwareVersionReader;
class IdsController;
class LinkSession;
class Reprovisioning;
class RfSettingsController;

// The configuration controllers that answer the module's replies.
struct ConfigControllers {
    IdsController& ids;
    RfSettingsController& rfSettings;
    CommController& comm;
    FirmwareVersionReader& firmware;
    Reprovisioning& reprovisioning;
};

// Points the link's configuration replies at their controllers.
void RegisterConfigHandlers(LinkSession& link, const ConfigControllers& controllers);
