// Test mode's place in the main window: the "Test Settings" page with the register
// editor and the test mode commands.
#include "link/LinkSession.h"
#include "protocol/MessageCatalogue.h"
#include "testmode/TestModeCommands.h"
#include "testmode/TestSettingsPage.h"
#include "ui/pages/RfDataPanel.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QFrame>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

constexpr int kTestSettingsPage = 4;

}  // namespace

void frmQVOrvalisETMain::installTestModePage()
{
    QFrame* container = page(kTestSettingsPage);
    auto* layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    m_testSettingsPage = new TestSettingsPage(m_testMode, container);
    layout->addWidget(m_testSettingsPage);

    m_testModeCommands =
        new TestModeCommands(*m_testSettingsPage, m_testMode, *m_link, *this, [this](bool enabled) {
            frameRfData->setEnabled(enabled);  // first: the send buttons follow it
            m_rfDataPanel->SetEntryControlsEnabled(enabled);
        }, this);
    MessageDispatcher& dispatcher = m_link->dispatcher();
    TestModeCommands* commands = m_testModeCommands;
    dispatcher.registerHandler(MessageCode::EnableDisableTestModeAck,
                               [commands](const Frame&) { commands->ProcessEnableDisableTestModeAck(); });
    dispatcher.registerHandler(MessageCode::SetTestModeSettingsAck,
                               [commands](const Frame&) { commands->ProcessTestModeSettingsAck(); });
    dispatcher.registerHandler(MessageCode::TestModeSettings, [commands](const Frame& frame) {
        commands->ProcessTestModeSettings(frame);
    });
}

void frmQVOrvalisETMain::InitTestModeAtStartUp()
{
    m_testModeCommands->InitTestModeAtStartUp();
}
