#include "config/Reprovisioning.h"

#include "config/IdsPage.h"
#include "config/RfSettingsPage.h"
#include "link/SerialLink.h"
#include "platform/EventWait.h"

#include <QPointer>
#include <QTimer>

namespace {

constexpr int kStatusReportLength = 7;

}  // namespace

Reprovisioning::Reprovisioning(SerialLink& link, IdsPage& ids, RfSettingsPage& rfSettings,
                               QTimer& tmrGeneric, QObject* parent)
    : QObject(parent), m_link(link), m_ids(ids), m_rfSettings(rfSettings), m_tmrGeneric(tmrGeneric)
{
    connect(&m_tmrGeneric, &QTimer::timeout, this, &Reprovisioning::tmrGeneric_Timer);
}

// A status byte of 0 means the module lacks that part of its configuration. A report
// too short to hold both bytes is ignored.
void Reprovisioning::ProcessRespondWithIDsAndProgrammableSettingsStatus()
{
    const FrameAssembler& rx = m_link.receive().rx();
    if (rx.iRxLength < kStatusReportLength)
        return;
    if (rx.payloadByte(1) != 0 && rx.payloadByte(2) != 0)
        return;
    TransmitPath& transmit = m_link.transmit();
    const QPointer<Reprovisioning> self(this);
    WaitWhileProcessingEvents([&] { return !self || !transmit.isAwaitingResponse(); },
                              kFreeLineWaitMs);
    if (!self)
        return;
    m_ids.cmdSetIDs_Click();
    m_bSendSettingsPending = true;
    m_tmrGeneric.start(kSettingsDelayMs);
}

void Reprovisioning::tmrGeneric_Timer()
{
    m_tmrGeneric.stop();
    if (!m_bSendSettingsPending)
        return;
    m_bSendSettingsPending = false;
    m_rfSettings.cmdSetProgrammableSettings_Click();
}
