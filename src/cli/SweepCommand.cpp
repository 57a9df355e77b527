#include "cli/SweepCommand.h"

#include "cli/CliModule.h"
#include "cli/LinkTestRun.h"
#include "cli/ModuleFigures.h"
#include "cli/Output.h"
#include "config/RfSettingsController.h"
#include "traffic/StatisticsController.h"

#include <QJsonArray>

void SweepCommand::start()
{
    for (int level : std::as_const(m_request.sweep.paLevels))
        for (int channel : std::as_const(m_request.sweep.channels))
            m_settingsLeft << qMakePair(level, channel);
    FindModule([this] {
        RfSettingsController& rf = m_module.rfSettings();
        Ask([&rf] { rf.GetProgrammableSettings(); }, [this] { return AllConfirmed(); },
            [this, &rf](bool read) {
                if (!read) {
                    fail(kExitNoModule, NoAnswerProblem(QStringLiteral("Get Programmable Settings")));
                    return;
                }
                for (int field = 0; field < RfSettingsController::kFieldCount; ++field)
                    m_original[size_t(field)] = rf.value(field);
                m_readOriginal = true;
                NextSetting();
            });
    });
}

bool SweepCommand::AllConfirmed() const
{
    for (int field = 0; field < RfSettingsController::kFieldCount; ++field)
        if (m_module.rfSettings().state(field) != ValueState::Confirmed)
            return false;
    return true;
}

void SweepCommand::SendSettings(const std::array<qint32, 8>& values, std::function<void(bool)> done)
{
    RfSettingsController& rf = m_module.rfSettings();
    using F = RfSettingsController;
    rf.setNumber(F::HopTable, values[F::HopTable]);
    rf.setSwitch(F::Acknowledgements, values[F::Acknowledgements] == 1);
    rf.setNumber(F::RFRetries, values[F::RFRetries]);
    rf.selectPaLevel(values[F::PALevel]);
    rf.selectMode(values[F::HoppingMode] == 1);
    rf.setNumber(F::SingleChannel, values[F::SingleChannel]);
    rf.setSwitch(F::ReceiveAll, values[F::ReceiveAll] == 1);
    Ask([&rf] { rf.SetProgrammableSettings(); }, [this] { return AllConfirmed(); }, std::move(done));
}

// Each setting: the record with its PA level and channel (single channel mode), the
// counters cleared as "Clear All Statistics" clears them, then the test.
void SweepCommand::NextSetting()
{
    if (m_interrupted || m_settingsLeft.isEmpty()) {
        Restore();
        return;
    }
    m_current = m_settingsLeft.takeFirst();
    std::array<qint32, 8> values = m_original;
    values[RfSettingsController::PALevel] = m_current.first;
    values[RfSettingsController::HoppingMode] = 0;
    values[RfSettingsController::SingleChannelMode] = 1;
    values[RfSettingsController::SingleChannel] = m_current.second;
    SendSettings(values, [this](bool acknowledged) {
        if (!acknowledged) {
            fail(kExitNoModule, NoAnswerProblem(QStringLiteral("Set Programmable Settings")));
            return;
        }
        StatisticsController& statistics = m_module.statistics();
        Ask([&statistics] { statistics.cmdClearTestStats_Click(); }, [] { return true; },
            [this](bool) { RunTest(); });
    });
}

void SweepCommand::RunTest()
{
    if (m_interrupted) {
        Restore();
        return;
    }
    if (m_run)
        m_run->deleteLater();
    m_run = new LinkTestRun(m_module, m_request.sweep.test, this);
    connect(m_run, &LinkTestRun::finished, this, &SweepCommand::TestFinished);
    m_run->start();
}

void SweepCommand::TestFinished()
{
    if (isFinished())
        return;  // the port was lost: nothing more goes to the module
    m_rows << Row{m_current.first, m_current.second,
                  TakeFigures(m_module, m_run->throughputKbps(), m_run->elapsedSeconds())};
    NextSetting();
}

void SweepCommand::interrupt()
{
    if (!m_readOriginal) {
        CliCommand::interrupt();
        return;
    }
    m_interrupted = true;  // the step under way ends, then the settings go back
    if (m_run && m_run->isRunning())
        m_run->stop();
}

void SweepCommand::portLost()
{
    if (m_run && m_run->isRunning())
        m_run->stop();
    PrintTable(false);
    CliCommand::portLost();
}

void SweepCommand::Restore()
{
    if (m_restoring)
        return;
    m_restoring = true;
    SendSettings(m_original, [this](bool acknowledged) { End(acknowledged); });
}

void SweepCommand::End(bool restored)
{
    PrintTable(restored);
    QString problem;
    if (!m_request.sweep.test.csvFile.isEmpty() && !WriteCsv(&problem))
        fail(kExitUsage, problem);
    else if (!restored)
        fail(kExitNoModule, NoAnswerProblem(QStringLiteral("Set Programmable Settings")) + QStringLiteral(": settings not restored"));
    else if (m_interrupted)
        fail(kExitInterrupted, QStringLiteral("interrupted; the module's settings are restored"));
    else
        finish(kExitOk);
}

void SweepCommand::PrintTable(bool restored) const
{
    if (m_request.json) {
        QJsonArray rows;
        for (const Row& row : m_rows) {
            QJsonObject object = FiguresJson(row.figures);
            object.insert("pa_level", row.paLevel);
            object.insert("channel", row.channel);
            rows.append(object);
        }
        QJsonObject report = PortJson(m_module);
        report.insert("results", rows);
        report.insert("restored", restored);
        report.insert("interrupted", m_interrupted);
        PrintJson(report);
        return;
    }
    PrintLine(QStringLiteral("PA level  Channel  Sent  Acked  Failed  With retries  Without retries  kbps"));
    for (const Row& row : m_rows)
        PrintLine(QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8")
                      .arg(row.paLevel, 8)
                      .arg(row.channel, 7)
                      .arg(row.figures.sent, 4)
                      .arg(row.figures.acknowledged, 5)
                      .arg(row.figures.failed, 6)
                      .arg(row.figures.successWithRetriesText, 12)
                      .arg(row.figures.overallSuccessText, 15)
                      .arg(row.figures.throughputKbps, 4, 'f', 1));
    PrintLine(restored ? QStringLiteral("Module settings restored.")
                       : QStringLiteral("Module settings NOT restored."));
}

bool SweepCommand::WriteCsv(QString* problem) const
{
    QString text = QStringLiteral(
        "pa_level,channel,packets_sent,acks_received,packets_failed,success_rate_with_retries,"
        "success_rate_overall,throughput_kbps\r\n");
    for (const Row& row : m_rows)
        text += QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8\r\n")
                    .arg(row.paLevel)
                    .arg(row.channel)
                    .arg(row.figures.sent)
                    .arg(row.figures.acknowledged)
                    .arg(row.figures.failed)
                    .arg(row.figures.successWithRetries, 0, 'f', 2)
                    .arg(row.figures.overallSuccess, 0, 'f', 2)
                    .arg(row.figures.throughputKbps, 0, 'f', 1);
    return WriteTextFile(m_request.sweep.test.csvFile, text.toUtf8(), problem);
}
