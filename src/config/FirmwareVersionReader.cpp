#include "config/FirmwareVersionReader.h"

#include "config/ConfigFrames.h"
#include "link/LinkSession.h"

FirmwareVersionReader::FirmwareVersionReader(LinkSession& link, QObject* parent)
    : QObject(parent), m_link(link)
{
}

void FirmwareVersionReader::GetVersion()
{
    m_link.SendMessageToTransceiver(BuildQueryFirmwareVersionFrame(), false);
}

void FirmwareVersionReader::ProcessReceivedFirmwareVersionMessage(const Frame& frame)
{
    const std::optional<FirmwareVersionTexts> texts = DecodeFirmwareVersion(frame);
    if (!texts)
        return;
    m_texts = *texts;
    emit versionReceived(m_texts);
}
