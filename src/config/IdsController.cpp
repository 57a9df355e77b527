#include "config/IdsController.h"

#include "config/ConfigFrames.h"
#include "config/ConfigSettings.h"
#include "link/LinkSession.h"
#include "protocol/Replies.h"

namespace {

// Where each ID is stored, in the controller's order.
constexpr qint32 ConfigSettings::*kStored[IdsController::kIdCount] = {
    &ConfigSettings::lTransceiverID, &ConfigSettings::lNetworkID, &ConfigSettings::lSystemID};

}  // namespace

IdsController::IdsController(ConfigSettings& config, LinkSession& link, QObject* parent)
    : QObject(parent), m_config(config), m_link(link)
{
}

qint32 IdsController::value(int id) const
{
    return m_config.*kStored[id];
}

void IdsController::setState(int id, ValueState state)
{
    if (m_states[id] == state)
        return;
    m_states[id] = state;
    emit stateChanged(id, state);
}

void IdsController::setValue(int id, qint32 value)
{
    m_config.*kStored[id] = value;
    setState(id, ValueState::Pending);
}

void IdsController::ShowLoadedIds()
{
    for (int id = 0; id < kIdCount; ++id) {
        emit valueShown(id, value(id));
        setState(id, ValueState::Pending);
    }
}

void IdsController::GetIDs()
{
    m_link.SendMessageToTransceiver(BuildQueryIdsFrame(), false);
}

void IdsController::SetIDs()
{
    m_link.SendMessageToTransceiver(
        BuildSetIDsFrame(m_config.lTransceiverID, m_config.lNetworkID, m_config.lSystemID), false);
}

void IdsController::ProcessSetIDsAck()
{
    for (int id = 0; id < kIdCount; ++id)
        setState(id, ValueState::Confirmed);
}

void IdsController::ProcessRespondWithIDs(const Frame& frame)
{
    const std::optional<ModuleIds> reported = DecodeIds(frame);
    if (!reported)
        return;
    const qint32 values[kIdCount] = {reported->transceiverId, reported->networkId,
                                     reported->systemId};
    for (int id = 0; id < kIdCount; ++id) {
        m_config.*kStored[id] = values[id];
        emit valueShown(id, values[id]);
        setState(id, ValueState::Confirmed);
    }
}
