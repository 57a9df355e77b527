#include "cli/SetCommands.h"

#include "cli/CliModule.h"
#include "cli/ModuleFigures.h"
#include "config/CommController.h"
#include "config/IdsController.h"
#include "config/RfSettingsController.h"
#include "link/HostBaudRate.h"
#include "link/LinkState.h"
#include "traffic/PersistedSettings.h"

void SetCommand::start()
{
    FindModule([this] {
        if (m_request.subject == QLatin1String("ids"))
            Ask([this] { m_module.ids().GetIDs(); }, [this] { return AllConfirmed(); },
                [this](bool read) { read ? SetIds() : Report(false, QStringLiteral("Query IDs")); });
        else if (m_request.subject == QLatin1String("rf"))
            Ask([this] { m_module.rfSettings().GetProgrammableSettings(); }, [this] { return AllConfirmed(); },
                [this](bool read) { read ? SetRf() : Report(false, QStringLiteral("Get Programmable Settings")); });
        else
            SetBaud();
    });
}

bool SetCommand::AllConfirmed() const
{
    if (m_request.subject == QLatin1String("ids")) {
        for (int id = 0; id < IdsController::kIdCount; ++id)
            if (m_module.ids().state(id) != ValueState::Confirmed)
                return false;
        return true;
    }
    for (int field = 0; field < RfSettingsController::kFieldCount; ++field)
        if (m_module.rfSettings().state(field) != ValueState::Confirmed)
            return false;
    return true;
}

void SetCommand::SetIds()
{
    IdsController& ids = m_module.ids();
    for (int id = 0; id < IdsController::kIdCount; ++id)
        if (m_request.ids[id])
            ids.setValue(id, *m_request.ids[id]);
    Ask([&ids] { ids.SetIDs(); }, [this] { return AllConfirmed(); },
        [this](bool acknowledged) { Report(acknowledged, QStringLiteral("Set IDs")); });
}

void SetCommand::SetRf()
{
    RfSettingsController& rf = m_module.rfSettings();
    const RfChanges& changes = m_request.rf;
    if (changes.hopTable)
        rf.setNumber(RfSettingsController::HopTable, *changes.hopTable);
    if (changes.acknowledgements)
        rf.setSwitch(RfSettingsController::Acknowledgements, *changes.acknowledgements);
    if (changes.retries)
        rf.setNumber(RfSettingsController::RFRetries, *changes.retries);
    if (changes.paLevel)
        rf.selectPaLevel(*changes.paLevel);
    if (changes.hopping)
        rf.selectMode(*changes.hopping);
    if (changes.channel)
        rf.setNumber(RfSettingsController::SingleChannel, *changes.channel);
    if (changes.receiveAll)
        rf.setSwitch(RfSettingsController::ReceiveAll, *changes.receiveAll);
    Ask([&rf] { rf.SetProgrammableSettings(); }, [this] { return AllConfirmed(); },
        [this](bool acknowledged) { Report(acknowledged, QStringLiteral("Set Programmable Settings")); });
}

// The host follows the module to the new rate once it acknowledges, as the Comm page
// does; the IDs asked at the new rate show that the module is there.
void SetCommand::SetBaud()
{
    CommController& comm = m_module.comm();
    connect(&comm.rateSwitch(), &BaudRateSwitch::finished, this,
            [this](bool portInUse) { m_rateFollowed = portInUse; });
    comm.rateSwitch().setRemembersRate(m_request.save);
    comm.selectRate(int(HostBaudRates().indexOf(m_request.baudRate)));
    Ask([&comm] { comm.SetBaudrate(); }, [this] { return m_rateFollowed; },
        [this](bool followed) {
            if (!followed) {
                Report(false, QStringLiteral("Set Baudrate"));
                return;
            }
            Ask([this] { m_module.ids().GetIDs(); },
                [this] { return m_module.ids().state(IdsController::TransceiverId) == ValueState::Confirmed; },
                [this](bool answered) { Report(answered, QStringLiteral("Query IDs at the new rate")); });
        });
}

void SetCommand::Report(bool acknowledged, const QString& what)
{
    if (!acknowledged) {
        fail(kExitNoModule, NoAnswerProblem(what));
        return;
    }
    QJsonObject object = PortJson(m_module);
    const QJsonObject values = m_request.subject == QLatin1String("ids") ? IdsJson(m_module)
                               : m_request.subject == QLatin1String("rf") ? RfSettingsJson(m_module)
                                                                          : QJsonObject();
    AddFields(object, values);
    object.insert(QStringLiteral("acknowledged"), true);
    object.insert(QStringLiteral("saved"), m_request.save);
    if (m_request.save)
        SaveSettings(m_module.config(), m_module.trafficSettings());
    PrintFields(object, m_request.json);
    finish(kExitOk);
}
