#include "cli/ReadCommands.h"

#include "cli/CliModule.h"
#include "cli/ModuleFigures.h"
#include "config/FirmwareVersionReader.h"
#include "config/IdsController.h"
#include "config/RfSettingsController.h"
#include "traffic/StatisticsController.h"

void ReadCommand::start()
{
    IdsController& ids = m_module.ids();
    RfSettingsController& rf = m_module.rfSettings();
    FirmwareVersionReader& firmware = m_module.firmware();
    StatisticsController& statistics = m_module.statistics();
    const auto counted = [this] { ++m_replies; };
    connect(&ids, &IdsController::stateChanged, this, counted);
    connect(&rf, &RfSettingsController::stateChanged, this, counted);
    connect(&firmware, &FirmwareVersionReader::versionReceived, this, counted);
    connect(&statistics, &StatisticsController::transceiverStatisticsChanged, this, counted);

    const QString subject = m_request.command == QLatin1String("find") ? QStringLiteral("find")
                                                                       : m_request.subject;
    if (subject == QLatin1String("find") || subject == QLatin1String("ids"))
        m_steps << Step{QStringLiteral("Query IDs"), [&ids] { ids.GetIDs(); }};
    if (subject == QLatin1String("find") || subject == QLatin1String("version"))
        m_steps << Step{QStringLiteral("Get Firmware Version"), [&firmware] { firmware.GetVersion(); }};
    if (subject == QLatin1String("rf"))
        m_steps << Step{QStringLiteral("Get Programmable Settings"), [&rf] { rf.GetProgrammableSettings(); }};
    if (subject == QLatin1String("statistics"))
        m_steps << Step{QStringLiteral("Query RF Statistics"),
                        [&statistics] { statistics.cmdGetStatistics_Click(); }};
    FindModule([this] { AskNext(); });
}

void ReadCommand::AskNext()
{
    if (m_steps.isEmpty()) {
        Print();
        return;
    }
    const Step step = m_steps.takeFirst();
    const int before = m_replies;
    Ask(step.send, [this, before] { return m_replies > before; },
        [this, what = step.what](bool answered) {
            if (answered)
                AskNext();
            else
                fail(kExitNoModule, NoAnswerProblem(what));
        });
}

void ReadCommand::Print()
{
    QJsonObject object = PortJson(m_module);
    const QString subject = m_request.subject;
    const bool find = m_request.command == QLatin1String("find");
    const QList<QJsonObject> parts{
        find || subject == QLatin1String("ids") ? IdsJson(m_module) : QJsonObject(),
        find || subject == QLatin1String("version") ? FirmwareJson(m_module) : QJsonObject(),
        subject == QLatin1String("rf") ? RfSettingsJson(m_module) : QJsonObject(),
        subject == QLatin1String("statistics") ? TransceiverStatisticsJson(m_module) : QJsonObject(),
    };
    for (const QJsonObject& part : parts)
        AddFields(object, part);
    PrintFields(object, m_request.json);
    finish(kExitOk);
}
