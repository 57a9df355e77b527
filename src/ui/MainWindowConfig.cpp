// The configuration subsystem's place in the main window: the "IDs", "RF Settings",
// "Comm" and "Factory Calibration" pages, the firmware version frame, and their
// response handlers.
#include "config/CommPage.h"
#include "config/FactoryCalibrationPage.h"
#include "config/FirmwareVersionPanel.h"
#include "config/IdsPage.h"
#include "config/Reprovisioning.h"
#include "config/RfSettingsPage.h"
#include "link/LinkSession.h"
#include "protocol/MessageCatalogue.h"
#include "protocol/Replies.h"
#include "ui/frmQVOrvalisETMain.h"
#include "ui/StatusBarPresenter.h"

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
    m_commPage = PlaceIn(page(5), new CommPage(*m_link));
    m_statusBar->follow(m_commPage->rateSwitch());
    PlaceIn(page(6), new FactoryCalibrationPage(*m_link));
    auto* firmware = PlaceIn(frameFirmwareVersion, new FirmwareVersionPanel(*m_link));
    auto* reprovisioning =
        new Reprovisioning(*m_link, *m_idsPage, *m_rfSettingsPage, *tmrGeneric, this);

    IdsPage* ids = m_idsPage;
    RfSettingsPage* rf = m_rfSettingsPage;
    CommPage* comm = m_commPage;
    MessageDispatcher& dispatcher = m_link->dispatcher();
    dispatcher.registerHandler(MessageCode::SetIdsAck, [ids](const Frame&) { ids->ProcessSetIDsAck(); });
    dispatcher.registerHandler(MessageCode::Ids,
                               [ids](const Frame& frame) { ids->ProcessRespondWithIDs(frame); });
    dispatcher.registerHandler(MessageCode::IdsAndSettingsStatus, [reprovisioning](const Frame& frame) {
        if (const std::optional<SettingsStatus> status = DecodeSettingsStatus(frame))
            reprovisioning->ProcessRespondWithIDsAndProgrammableSettingsStatus(*status);
    });
    dispatcher.registerHandler(MessageCode::SetProgrammableSettingsAck,
                               [rf](const Frame&) { rf->ProcessSetProgrammableSettingsAck(); });
    dispatcher.registerHandler(MessageCode::ProgrammableSettings, [rf](const Frame& frame) {
        rf->ProcessRespondWithProgrammableSettings(frame);
    });
    dispatcher.registerHandler(MessageCode::FirmwareVersion, [firmware](const Frame& frame) {
        firmware->ProcessReceivedFirmwareVersionMessage(frame);
    });
    dispatcher.registerHandler(MessageCode::SetSleepModeAck,
                               [comm](const Frame&) { comm->ProcessSetSleepModeAck(); });
    dispatcher.registerHandler(MessageCode::SetBaudrateAck,
                               [comm](const Frame&) { comm->ProcessSetBaudrateAck(); });
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
