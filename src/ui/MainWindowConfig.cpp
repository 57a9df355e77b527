// The configuration subsystem's place in the main window: its controllers, the "IDs",
// "RF Settings", "Comm" and "Factory Calibration" pages and the firmware version frame
// over them, and the response handlers.
#include "config/CommController.h"
#include "config/ConfigHandlers.h"
#include "config/FactoryCalibration.h"
#include "config/FirmwareVersionReader.h"
#include "config/IdsController.h"
#include "config/Reprovisioning.h"
#include "config/RfSettingsController.h"
#include "link/LinkSession.h"
#include "ui/frmQVOrvalisETMain.h"
#include "ui/StatusBarPresenter.h"
#include "ui/pages/CommPage.h"
#include "ui/pages/FactoryCalibrationPage.h"
#include "ui/pages/FirmwareVersionPanel.h"
#include "ui/pages/IdsPage.h"
#include "ui/pages/RfSettingsPage.h"

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
    IdsController* ids = m_ids = new IdsController(m_config, *m_link, this);
    RfSettingsController* rf = m_rfSettings = new RfSettingsController(m_config, *m_link, this);
    CommController* comm = m_comm = new CommController(*m_link, this);
    m_statusBar->follow(comm->rateSwitch());
    auto* calibration = new FactoryCalibration(*m_link, this);
    auto* firmware = new FirmwareVersionReader(*m_link, this);
    auto* reprovisioning = new Reprovisioning(*m_link, *ids, *rf, *tmrGeneric, this);

    PlaceIn(page(7), new IdsPage(*ids));
    m_rfSettingsPage = PlaceIn(page(8), new RfSettingsPage(*rf));
    PlaceIn(page(5), new CommPage(*comm));
    PlaceIn(page(6), new FactoryCalibrationPage(*calibration));
    PlaceIn(frameFirmwareVersion, new FirmwareVersionPanel(*firmware));

    RegisterConfigHandlers(*m_link, {*ids, *rf, *comm, *firmware, *reprovisioning});
}

// The loaded settings go into the configuration pages in start-up order: IDs; hop
// table, acknowledgements, retries; the attenuator list; channel mode, channel,
// receive-all. The Comm page shows the rate the search settled on.
void frmQVOrvalisETMain::ShowLoadedConfigSettings()
{
    m_ids->ShowLoadedIds();
    m_rfSettings->ShowLoadedHopTableAcksAndRetries();
    m_rfSettingsPage->FillPaLevelList();
    m_rfSettings->ShowLoadedPaLevel();
    m_rfSettings->ShowLoadedChannelSettings();
    m_comm->ShowRateInUse();
}
