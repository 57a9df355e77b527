#pragma once

#include "testmode/TestModeSettings.h"

#include <QObject>

class Frame;
class LinkSession;

// The switch between user mode and test mode, Set Registers and Get Registers, and the
// handlers of their replies, over the test mode record. The switch takes effect at once;
// it does not wait for the module's acknowledgement. What the screen must do about it
// is told by the signals, each at its step of the command.
class TestModeCommands : public QObject {
    Q_OBJECT
public:
    // The record must outlive the commands.
    TestModeCommands(TestModeSettings& settings, LinkSession& link, QObject* parent = nullptr);

    // The record the editor shows and edits, and Set Registers sends.
    TestModeSettings& settings() { return m_settings; }
    bool isTestMode() const { return m_testMode; }

    // Start-up: every field at its initial value, user mode without telling the module
    // (it starts in user mode anyway).
    void InitTestModeAtStartUp();
    // Tells the mode again (start-up shows it once more after the search).
    void ReportMode();

public slots:
    void optTestModeEnabled_Click();
    void optTestModeDisabled_Click();
    void cmdSetRegisters_Click();
    void cmdGetRegisters_Click();

public:
    // Response handlers.
    void ProcessEnableDisableTestModeAck();
    void ProcessTestModeSettingsAck();
    void ProcessTestModeSettings(const Frame& frame);

signals:
    // Every field is back at its initial value: the editor fills itself anew.
    void registersReset();
    // A module report is in the record: the editor shows it, whatever the mode.
    void registersReported();
    // The register editor and Set Registers are usable in test mode only.
    void testModeControlsChanged(bool testMode);
    // The RF data message controls are usable in user mode only (test mode sends no RF data).
    void rfDataControlsEnabledChanged(bool enabled);
    // The mode the module was last told of, for the status bar.
    void modeChanged(bool testMode);

private:
    void Send(const QByteArray& frame);

    TestModeSettings& m_settings;
    LinkSession& m_link;
    bool m_testMode = false;
};
