#pragma once

#include "testmode/TestModeSettings.h"

#include <QObject>

#include <functional>

class Frame;
class LinkSession;
class StatusPanels;
class TestSettingsPage;

// The switch between user mode and test mode, Set Registers and Get Registers, and the
// handlers of their replies. The switch takes effect on the screen at once; it does not
// wait for the module's acknowledgement.
class TestModeCommands : public QObject {
    Q_OBJECT
public:
    // `setRfDataControlsEnabled` gives the RF data message controls to the user or takes
    // them away (test mode sends no RF data).
    TestModeCommands(TestSettingsPage& page, TestModeSettings& settings, LinkSession& link,
                     StatusPanels& panels, std::function<void(bool)> setRfDataControlsEnabled,
                     QObject* parent = nullptr);

    // Start-up: the editor filled, user mode selected without telling the module (it
    // starts in user mode anyway), the controls switched to match.
    void InitTestModeAtStartUp();
    // Panel 3 tells the mode the module is in (start-up shows it again after the search).
    void ShowModeInStatusBar();

    void optTestModeEnabled_Click();
    void optTestModeDisabled_Click();
    void cmdSetRegisters_Click();
    void cmdGetRegisters_Click();

    // Response handlers.
    void ProcessEnableDisableTestModeAck();
    void ProcessTestModeSettingsAck();
    void ProcessTestModeSettings(const Frame& frame);

private:
    void Send(const QByteArray& frame);

    TestSettingsPage& m_page;
    TestModeSettings& m_settings;
    LinkSession& m_link;
    StatusPanels& m_panels;
    std::function<void(bool)> m_setRfDataControlsEnabled;
};
