#include "protocol/FrameAssembler.h"

FrameAssembler::FrameAssembler(int minType, int maxType)
    : m_minType(minType), m_maxType(maxType)
{
}

void FrameAssembler::store(int index, quint8 byte)
{
    iRxBuffer[static_cast<std::size_t>(index)] = byte;
}

FrameAssembler::Step FrameAssembler::feed(quint8 byte)
{
    switch (iRxState) {
    case 0:
        if (byte != FrameLayout::kStartByte)
            return Step::Idle;  // inter-frame garbage is skipped silently
        store(1, byte);
        iRxState = 1;
        return Step::Collecting;
    case 1:
        if (byte < FrameLayout::kMinLength || byte > FrameLayout::kMaxLength) {
            iRxState = 0;  // the bad LEN byte is not re-examined as a start byte
            return Step::FrameDropped;
        }
        store(2, byte);
        iRxLength = byte;
        iRxState = 2;
        return Step::Collecting;
    case 2:
        if (byte < m_minType || byte > m_maxType) {
            iRxState = 0;
            return Step::FrameDropped;
        }
        store(3, byte);
        iRxMsgType = byte;
        iRxIndex = 3;
        iRxState = 3;
        return Step::Collecting;
    default:
        ++iRxIndex;
        store(iRxIndex, byte);
        if (iRxIndex < iRxLength)
            return Step::Collecting;
        iRxState = 0;
        return byte == FrameLayout::kEndByte ? Step::FrameComplete : Step::FrameDropped;
    }
}

void FrameAssembler::gapExpired()
{
    iRxState = 0;
}

QByteArray FrameAssembler::frame() const
{
    QByteArray bytes;
    for (int k = 1; k <= iRxLength && k < kBufferSize; ++k)
        bytes.append(static_cast<char>(iRxBuffer[static_cast<std::size_t>(k)]));
    return bytes;
}

int FrameAssembler::payloadByte(int i) const
{
    const int index = 3 + i;
    if (i < 1 || index >= kBufferSize)
        return 0;
    return iRxBuffer[static_cast<std::size_t>(index)];
}
