// The configuration subsystem's place in the main window: the "IDs", "RF Settings",
// "Comm" and "Factory Calibration" pages, the firmware version frame, and their
// response handlers.
#include "config/CommPage.h"
#include "config/FactoryCalibrationPage.h"
#include "config/FirmwareVersionPanel.h"
#include "config/IdsPage.h"
#include "config/Reprovisioning.h"
#include "config/RfSettingsPage.h"
#include "link/SerialLink.h"
#include "protocol/MessageCatalogue.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QFrame>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

// Makes content fill its container, however the shell sizes the container.
template <typename Content>
Content* PlaceIn(QWidget* container, Content* content)
{
    auto* layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    return content;
}

}  // namespace

void frmQVOrvalisETMain::installConfigPages()
{
    m_idsPage = PlaceIn(page(7), new IdsPage(m_config, *m_link));
    m_rfSettingsPage = PlaceIn(page(8), new RfSettingsPage(m_config, *m_link));
    m_commPage = PlaceIn(page(5), new CommPage(*m_link, *this));
    PlaceIn(page(6), new FactoryCalibrationPage(*m_link));
    auto* firmware = PlaceIn(frameFirmwareVersion, new FirmwareVersionPanel(*m_link));
    auto* reprovisioning =
        new Reprovisioning(*m_link, *m_idsPage, *m_rfSettingsPage, *tmrGeneric, this);

    IdsPage* ids = m_idsPage;
    RfSettingsPage* rf = m_rfSettingsPage;
    CommPage* comm = m_commPage;
    MessageDispatcher& dispatcher = m_link->receive().dispatcher();
    dispatcher.registerHandler(MessageCode::SetIdsAck, [ids] { ids->ProcessSetIDsAck(); });
    dispatcher.registerHandler(MessageCode::Ids, [ids] { ids->ProcessRespondWithIDs(); });
    dispatcher.registerHandler(MessageCode::IdsAndSettingsStatus, [reprovisioning] {
        reprovisioning->ProcessRespondWithIDsAndProgrammableSettingsStatus();
    });
    dispatcher.registerHandler(MessageCode::SetProgrammableSettingsAck,
                               [rf] { rf->ProcessSetProgrammableSettingsAck(); });
    dispatcher.registerHandler(MessageCode::ProgrammableSettings,
                               [rf] { rf->ProcessRespondWithProgrammableSettings(); });
    dispatcher.registerHandler(MessageCode::FirmwareVersion,
                               [firmware] { firmware->ProcessReceivedFirmwareVersionMessage(); });
    dispatcher.registerHandler(MessageCode::SetSleepModeAck,
                               [comm] { comm->ProcessSetSleepModeAck(); });
    dispatcher.registerHandler(MessageCode::SetBaudrateAck,
                               [comm] { comm->ProcessSetBaudrateAck(); });
}

// The loaded settings go into the configuration pages in start-up order: IDs; hop
// table, acknowledgements, retries; the attenuator list; channel mode, channel,
// receive-all. The Comm page shows the rate the search settled on.
void frmQVOrvalisETMain::ShowLoadedConfigSettings()
{
    m_idsPage->ShowLoadedIds();
    m_rfSettingsPage->ShowLoadedHopTableAcksAndRetries();
    m_rfSettingsPage->FillPaLevelList();
    m_rfSettingsPage->ShowLoadedChannelSettings();
    m_commPage->ShowRateInUse();
}
