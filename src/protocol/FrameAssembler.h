#pragma once

#include "protocol/Frame.h"

#include <QByteArray>

#include <array>

// Finds frames in a byte stream by their LEN byte, one byte at a time. Pure: the
// caller owns the inter-byte gap timer and arms or stops it as each step says.
// The members keep the names the response handlers know them by: frame byte k
// (1-based) is at iRxBuffer[k], payload byte i at iRxBuffer[3 + i].
class FrameAssembler {
public:
    enum class Step {
        Idle,           // no frame in progress: keep the gap timer stopped
        Collecting,     // part of a frame is in: (re)arm the gap timer
        FrameComplete,  // a whole frame ending in 0x04 is in iRxBuffer; state is back to 0
        FrameDropped,   // the partial frame was abandoned silently
    };

    static constexpr int kBufferSize = 131;  // indices 0 .. 130, index 0 unused

    // The host accepts response types 129 .. 175; the module simulator accepts commands.
    explicit FrameAssembler(int minType = FrameLayout::kMinResponseType,
                            int maxType = FrameLayout::kMaxResponseType);

    Step feed(quint8 byte);

    // The gap timer expired: a partly received frame is abandoned without a trace.
    void gapExpired();

    // Bytes 1 .. iRxLength of the frame now in the buffer.
    QByteArray frame() const;
    // The frame just completed, as the value its handler gets.
    Frame completedFrame() const { return Frame(frame()); }

    // Payload byte i (1-based: the first byte after the type), 0 beyond the buffer.
    int payloadByte(int i) const;

    qint16 iRxState = 0;
    std::array<qint16, kBufferSize> iRxBuffer{};
    qint16 iRxIndex = 0;
    qint16 iRxLength = 0;
    qint16 iRxMsgType = 0;

private:
    void store(int index, quint8 byte);

    int m_minType;
    int m_maxType;
};
