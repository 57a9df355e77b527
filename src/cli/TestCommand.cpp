#include "cli/TestCommand.h"

#include "cli/CliModule.h"
#include "cli/LinkTestRun.h"
#include "cli/ModuleFigures.h"
#include "cli/Output.h"
#include "cli/TestFigures.h"
#include "traffic/LinkHistoryCsv.h"
#include "traffic/LinkHistoryRecorder.h"
#include "traffic/MessageLogController.h"
#include "traffic/MessageLogFile.h"
#include "traffic/RfDataController.h"
#include "traffic/StatisticsController.h"

#include <QFileInfo>
#include <QJsonDocument>

namespace {

QString DataKind(TestPlan::Data data)
{
    switch (data) {
    case TestPlan::Data::Text:
        return QStringLiteral("text");
    case TestPlan::Data::Hex:
        return QStringLiteral("hex");
    case TestPlan::Data::Random:
        break;
    }
    return QStringLiteral("random");
}

}  // namespace

QString LogFileProblem(const QString& path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return {};
    if (IsSpecialFile(path) || !IsMessageLogFile(path))
        return path + QStringLiteral(": not a message log file; it is left as it is");
    return {};
}

bool StartMessageLog(CliModule& module, const QString& path, bool rememberFolder, QString* problem)
{
    MessageLogController& log = module.messageLog();
    log.setRemembersFolder(rememberFolder);
    module.setLogFile(QFileInfo(path).absoluteFilePath());
    if (FileExists(path))
        log.mnuFileOpen_Click();  // lines are added after what the file holds
    log.chkSaveLogToFile_Click(true);
    if (log.bSaveLogToFile() && module.logFileErrors().isEmpty())
        return true;
    *problem = path + QStringLiteral(": ")
               + module.logFileErrors().value(0, QStringLiteral("cannot be written"));
    return false;
}

TestCommand::TestCommand(CliModule& module, const CliRequest& request, QObject* parent)
    : CliCommand(module, request, parent), m_progress(ErrorIsTerminal())
{
}

void TestCommand::start()
{
    const QString problem = LogFileProblem(m_request.test.logFile);
    if (!problem.isEmpty()) {
        fail(kExitUsage, problem);
        return;
    }
    FindModule([this] { Run(); });
}

void TestCommand::Run()
{
    QString problem;
    if (!m_request.test.logFile.isEmpty()
        && !StartMessageLog(m_module, m_request.test.logFile, m_request.save, &problem)) {
        fail(kExitUsage, problem);
        return;
    }
    m_run = new LinkTestRun(m_module, m_request.test, this);
    connect(m_run, &LinkTestRun::progressed, this, &TestCommand::ShowProgress);
    connect(m_run, &LinkTestRun::finished, this, &TestCommand::Finished);
    m_run->start();
}

void TestCommand::interrupt()
{
    if (m_run && m_run->isRunning()) {
        m_interrupted = true;
        m_run->stop();
    } else if (!m_run) {
        CliCommand::interrupt();
    }
}

void TestCommand::portLost()
{
    if (m_run && m_run->isRunning())
        m_portLost = true;  // the repetition stops itself; the figures are still written
    else if (!m_run)
        CliCommand::portLost();
}

void TestCommand::ShowProgress()
{
    m_progress.show(ProgressText(m_module.counters().lPacketsSent, m_request.test.count,
                                 m_module.statistics().PktSuccessWithAcksText(),
                                 m_run->currentKbps(), m_run->elapsedSeconds()));
}

QJsonObject TestCommand::Report(const TestFigures& figures) const
{
    const TestPlan& plan = m_request.test;
    QJsonObject report = PortJson(m_module);
    AddFields(report, FiguresJson(figures));
    report.insert("data", DataKind(plan.data));
    report.insert("count", plan.count);
    report.insert("delay_ms", plan.delayMs);
    report.insert("destination_id", m_module.rfData().lDestinationID());
    report.insert("min_success", plan.minSuccess);
    report.insert("passed", m_module.counters().dPktSuccessWithAcks >= plan.minSuccess);
    report.insert("interrupted", m_interrupted);
    report.insert("port_lost", m_portLost);
    return report;
}

bool TestCommand::WriteFiles(const QJsonObject& report)
{
    QString problem;
    const TestPlan& plan = m_request.test;
    const bool written =
        (plan.reportFile.isEmpty()
         || WriteTextFile(plan.reportFile, QJsonDocument(report).toJson(QJsonDocument::Indented), &problem))
        && (plan.csvFile.isEmpty()
            || WriteTextFile(plan.csvFile, LinkHistoryCsv(m_module.linkHistory().history()).toUtf8(), &problem));
    if (!written)
        PrintProblem(problem);
    return written;
}

void TestCommand::Finished()
{
    m_progress.clear();
    const TestFigures figures = TakeFigures(m_module, m_run->throughputKbps(), m_run->elapsedSeconds());
    const QJsonObject report = Report(figures);
    if (m_request.json)
        PrintJson(report);
    else
        for (const QString& line : FiguresText(figures))
            PrintLine(line);
    const bool written = WriteFiles(report);
    if (m_portLost)
        fail(kExitPortLost, QStringLiteral("port lost: ") + m_module.portFault());
    else if (m_interrupted)
        fail(kExitInterrupted, QStringLiteral("interrupted"));
    else if (!written)
        finish(kExitUsage);
    else if (!report.value("passed").toBool())
        fail(kExitBelowThreshold, QStringLiteral("success rate %1 is below --min-success %2")
                                      .arg(report.value("success_rate_with_retries_text").toString())
                                      .arg(m_request.test.minSuccess));
    else
        finish(kExitOk);
}
