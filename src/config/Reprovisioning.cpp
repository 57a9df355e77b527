#include "config/Reprovisioning.h"

#include "config/IdsController.h"
#include "config/RfSettingsController.h"
#include "link/LinkSession.h"
#include "protocol/Replies.h"

Reprovisioning::Reprovisioning(LinkSession& link, IdsController& ids,
                               RfSettingsController& rfSettings, ProtocolTimer& tmrGeneric,
                               QObject* parent)
    : QObject(parent), m_link(link), m_ids(ids), m_rfSettings(rfSettings), m_tmrGeneric(tmrGeneric)
{
    m_tmrFreeLineBound.setSingleShot(true);
    connect(&m_tmrGeneric, &ProtocolTimer::timeout, this, &Reprovisioning::tmrGeneric_Timer);
    connect(&m_tmrFreeLineBound, &ProtocolTimer::timeout, this, &Reprovisioning::SendIds);
    // Queued: the frame whose handling freed the link is logged and handled first.
    connect(&m_link, &LinkSession::linkFreed, this, &Reprovisioning::OnLinkFreed,
            Qt::QueuedConnection);
}

void Reprovisioning::ProcessRespondWithIDsAndProgrammableSettingsStatus(const SettingsStatus& status)
{
    if (status.hasIds && status.hasSettings)
        return;
    if (m_link.phase() == LinkPhase::Idle || m_link.phase() == LinkPhase::Closed) {
        SendIds();
        return;
    }
    m_waitingForFreeLine = true;
    m_tmrFreeLineBound.start(kFreeLineWaitMs);
}

void Reprovisioning::OnLinkFreed()
{
    if (m_waitingForFreeLine && m_link.phase() == LinkPhase::Idle)
        SendIds();
}

void Reprovisioning::SendIds()
{
    m_waitingForFreeLine = false;
    m_tmrFreeLineBound.stop();
    m_ids.SetIDs();
    m_bSendSettingsPending = true;
    m_tmrGeneric.start(kSettingsDelayMs);
}

void Reprovisioning::tmrGeneric_Timer()
{
    m_tmrGeneric.stop();
    if (!m_bSendSettingsPending)
        return;
    m_bSendSettingsPending = false;
    m_rfSettings.SetProgrammableSettings();
}
