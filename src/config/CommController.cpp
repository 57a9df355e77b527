#include "config/CommController.h"

#include "config/ConfigFrames.h"
#include "link/LinkSession.h"

#include <algorithm>

namespace {

constexpr int kRateCount = 4;

}  // namespace

CommController::CommController(LinkSession& link, QObject* parent)
    : QObject(parent), m_link(link), m_rateSwitch(link)
{
    connect(&m_link, &LinkSession::baudRateIndexChanged, this, &CommController::ShowRateInUse);
}

void CommController::selectRate(int rateIndex)
{
    if (rateIndex < 0 || rateIndex >= kRateCount || rateIndex == m_selectedRate)
        return;
    m_selectedRate = rateIndex;
    emit rateSelected(rateIndex);
}

void CommController::ShowRateInUse()
{
    selectRate(m_link.state().iBaudRateIndex);
}

void CommController::SetBaudrate()
{
    LinkState& s = m_link.state();
    if (m_selectedRate >= 0)
        s.iBaudRateIndex = static_cast<qint16>(m_selectedRate);
    m_link.SendMessageToTransceiver(BuildSetBaudrateFrame(s.iBaudRateIndex), false);
}

// The module acknowledges at the old rate and then switches. The host follows to the
// rate selected now, which may differ from the one it asked for.
void CommController::ProcessSetBaudrateAck()
{
    m_rateSwitch.start(std::max(m_selectedRate, 0));
}

void CommController::ProcessSetSleepModeAck()
{
    // The module is asleep now; the host already knows and wakes it before its next frame.
}
