#include "testmode/TestModeCommands.h"

#include "link/LinkSession.h"
#include "ui/StatusPanels.h"
#include "testmode/TestModeFrames.h"
#include "testmode/TestSettingsPage.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

constexpr int kModePanel = 3;
const QString kTestModeStatus = QStringLiteral("Status:  Test Mode");
const QString kUserModeStatus = QStringLiteral("Status:  User Mode");

}  // namespace

TestModeCommands::TestModeCommands(TestSettingsPage& page, TestModeSettings& settings,
                                   LinkSession& link, StatusPanels& panels,
                                   std::function<void(bool)> setRfDataControlsEnabled,
                                   QObject* parent)
    : QObject(parent), m_page(page), m_settings(settings), m_link(link), m_panels(panels),
      m_setRfDataControlsEnabled(std::move(setRfDataControlsEnabled))
{
    connect(m_page.testModeEnabledOption(), &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            optTestModeEnabled_Click();
    });
    connect(m_page.testModeDisabledOption(), &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            optTestModeDisabled_Click();
    });
    connect(m_page.setRegistersButton(), &QPushButton::clicked, this,
            &TestModeCommands::cmdSetRegisters_Click);
    connect(m_page.getRegistersButton(), &QPushButton::clicked, this,
            &TestModeCommands::cmdGetRegisters_Click);
}

void TestModeCommands::InitTestModeAtStartUp()
{
    m_page.InitRegisterEditor();
    {
        const QSignalBlocker quiet(m_page.testModeDisabledOption());
        m_page.testModeDisabledOption()->setChecked(true);
    }
    m_page.UpdateTestModeControls();
    ShowModeInStatusBar();
}

void TestModeCommands::ShowModeInStatusBar()
{
    const bool testMode = m_page.testModeEnabledOption()->isChecked();
    m_panels.SetStatusPanel(kModePanel, testMode ? kTestModeStatus : kUserModeStatus);
}

void TestModeCommands::optTestModeEnabled_Click()
{
    m_setRfDataControlsEnabled(false);
    Send(BuildEnableDisableTestModeFrame(true));
    m_page.UpdateTestModeControls();
    m_panels.SetStatusPanel(kModePanel, kTestModeStatus);
}

void TestModeCommands::optTestModeDisabled_Click()
{
    m_setRfDataControlsEnabled(true);
    m_page.UpdateTestModeControls();
    Send(BuildEnableDisableTestModeFrame(false));
    m_panels.SetStatusPanel(kModePanel, kUserModeStatus);
}

void TestModeCommands::cmdSetRegisters_Click()
{
    m_page.CopyControlsIntoRecord();
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
    if (reported)
        m_page.ShowTestModeSettings(*reported);
}

void TestModeCommands::Send(const QByteArray& frame)
{
    m_link.SendMessageToTransceiver(frame, false);
}
