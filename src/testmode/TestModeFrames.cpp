#include "testmode/TestModeFrames.h"

#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "testmode/TestModeCodec.h"

QByteArray BuildEnableDisableTestModeFrame(bool enable)
{
    return BuildFrame(MessageCode::EnableDisableTestMode, QByteArray(1, enable ? '\1' : '\0'));
}

QByteArray BuildSetTestModeSettingsFrame(const TestModeSettings& settings)
{
    return BuildFrame(MessageCode::SetTestModeSettings, EncodeTestModeSettings(settings));
}

QByteArray BuildQueryTestModeSettingsFrame()
{
    return BuildFrame(MessageCode::QueryTestModeSettings);
}

std::optional<TestModeSettings> TestModeSettingsFromReply(const QByteArray& frame)
{
    constexpr int kReplyLength = TestModeBlock::kLength + FrameLayout::kOverhead;
    // LEN is checked too: the frame may sit in a longer receive buffer.
    if (frame.size() < kReplyLength || quint8(frame[1]) < kReplyLength)
        return std::nullopt;
    return DecodeTestModeSettings(frame.mid(FrameLayout::kHeaderLength, TestModeBlock::kLength));
}
