#include "config/FactoryCalibration.h"

#include "config/ConfigFrames.h"
#include "link/LinkSession.h"

FactoryCalibration::FactoryCalibration(LinkSession& link, QObject* parent)
    : QObject(parent), m_link(link)
{
}

void FactoryCalibration::GetMaxPowerAmplifierLevel()
{
    m_link.SendMessageToTransceiver(BuildQueryMaxPowerAmplifierLevelFrame(), false);
}
