#pragma once

#include "cli/CliCommand.h"
#include "cli/ProgressLine.h"

#include <QJsonObject>

class LinkTestRun;
struct TestFigures;

// `test`: one link test, then the summary, the JSON report, the per-interval CSV and the
// message log file; exit status 1 when the success rate (retries included) is below
// --min-success. Ctrl+C stops the repetition as "Stop Repeat" does and still writes
// everything (status 130); a lost port does the same with status 4.
class TestCommand : public CliCommand {
    Q_OBJECT
public:
    TestCommand(CliModule& module, const CliRequest& request, QObject* parent = nullptr);
    void start() override;
    void interrupt() override;

protected:
    void portLost() override;

private:
    void Run();
    void ShowProgress();
    void Finished();
    QJsonObject Report(const TestFigures& figures) const;
    // False (after saying why) when a file cannot be written.
    bool WriteFiles(const QJsonObject& report);

    LinkTestRun* m_run = nullptr;
    ProgressLine m_progress;
    bool m_interrupted = false;
    bool m_portLost = false;
};

// Whether the --log file can be used: none, a new file, or a message log file to append
// to; otherwise why not.
QString LogFileProblem(const QString& path);
// Starts "Save Log To File" on the file (appending to an existing message log); false
// after saying why when it could not.
bool StartMessageLog(CliModule& module, const QString& path, bool rememberFolder, QString* problem);
