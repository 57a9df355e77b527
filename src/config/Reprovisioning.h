#pragma once

#include <QObject>
#include "platform/ProtocolTimer.h"

class IdsController;
class LinkSession;
class RfSettingsController;
struct SettingsStatus;

// When the module reports that it lacks its identity or its settings, the host sends
// it both on its own: Set IDs as soon as the link is free, then, 50 ms later, Set
// Programmable Settings. The second send passes the transmit gate like any other, so
// it is dropped if Set IDs is still unanswered by then.
class Reprovisioning : public QObject {
    Q_OBJECT
public:
    // A free link normally comes within the 500 ms response watchdog; the wait for it
    // is bounded all the same.
    static constexpr int kFreeLineWaitMs = 1000;
    static constexpr int kSettingsDelayMs = 50;

    Reprovisioning(LinkSession& link, IdsController& ids, RfSettingsController& rfSettings,
                   ProtocolTimer& tmrGeneric, QObject* parent = nullptr);

    void ProcessRespondWithIDsAndProgrammableSettingsStatus(const SettingsStatus& status);
    void tmrGeneric_Timer();

    bool bSendSettingsPending() const { return m_bSendSettingsPending; }

private:
    void OnLinkFreed();
    void SendIds();

    LinkSession& m_link;
    IdsController& m_ids;
    RfSettingsController& m_rfSettings;
    ProtocolTimer& m_tmrGeneric;
    ProtocolTimer m_tmrFreeLineBound{"tmrFreeLineBound", this};
    bool m_waitingForFreeLine = false;
    bool m_bSendSettingsPending = false;
};
