// Test mode's place in the main window: the "Test Settings" page with the register
// editor over the test mode commands, and what the switch does to the rest of the window.
#include "link/LinkSession.h"
#include "testmode/TestModeCommands.h"
#include "testmode/TestModeHandlers.h"
#include "ui/StatusBarPresenter.h"
#include "ui/frmQVOrvalisETMain.h"
#include "ui/pages/RfDataPanel.h"
#include "ui/pages/TestSettingsPage.h"

#include <QFrame>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

constexpr int kTestSettingsPage = 4;

}  // namespace

void frmQVOrvalisETMain::installTestModePage()
{
    m_testModeCommands = new TestModeCommands(m_testMode, *m_link, this);
    TestModeCommands* commands = m_testModeCommands;
    connect(commands, &TestModeCommands::rfDataControlsEnabledChanged, this, [this](bool enabled) {
        frameRfData->setEnabled(enabled);  // first: the send buttons follow it
        m_rfDataPanel->SetEntryControlsEnabled(enabled);
    });
    m_statusBar->follow(*commands);

    QFrame* container = page(kTestSettingsPage);
    auto* layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    m_testSettingsPage = new TestSettingsPage(*commands, container);
    layout->addWidget(m_testSettingsPage);

    RegisterTestModeHandlers(*m_link, *commands);
}

void frmQVOrvalisETMain::InitTestModeAtStartUp()
{
    m_testModeCommands->InitTestModeAtStartUp();
}
