#include "testmode/TestModeCommands.h"

#include "link/LinkSession.h"
#include "protocol/Frame.h"
#include "testmode/TestModeFrames.h"

TestModeCommands::TestModeCommands(TestModeSettings& settings, LinkSession& link,
                                   QObject* parent)
    : QObject(parent), m_settings(settings), m_link(link)
{
}

void TestModeCommands::InitTestModeAtStartUp()
{
    m_settings = InitialTestModeSettings();
    emit registersReset();
    m_testMode = false;
    emit testModeControlsChanged(false);
    ReportMode();
}

void TestModeCommands::ReportMode()
{
    emit modeChanged(m_testMode);
}

void TestModeCommands::optTestModeEnabled_Click()
{
    m_testMode = true;
    emit rfDataControlsEnabledChanged(false);
    Send(BuildEnableDisableTestModeFrame(true));
    emit testModeControlsChanged(true);
    emit modeChanged(true);
}

void TestModeCommands::optTestModeDisabled_Click()
{
    m_testMode = false;
    emit rfDataControlsEnabledChanged(true);
    emit testModeControlsChanged(false);
    Send(BuildEnableDisableTestModeFrame(false));
    emit modeChanged(false);
}

void TestModeCommands::cmdSetRegisters_Click()
{
    Send(BuildSetTestModeSettingsFrame(m_settings));
}

void TestModeCommands::cmdGetRegisters_Click()
{
    Send(BuildQueryTestModeSettingsFrame());
}

void TestModeCommands::ProcessEnableDisableTestModeAck() {}

void TestModeCommands::ProcessTestModeSettingsAck() {}

// A reply too short to hold the block is ignored.
void TestModeCommands::ProcessTestModeSettings(const Frame& frame)
{
    const std::optional<TestModeSettings> reported = TestModeSettingsFromReply(frame.bytes());
    if (!reported)
        return;
    TakeReportedSettings(m_settings, *reported);
    emit registersReported();
}

void TestModeCommands::Send(const QByteArray& frame)
{
    m_link.SendMessageToTransceiver(frame, false);
}
