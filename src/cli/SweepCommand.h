#pragma once

#include "cli/CliCommand.h"
#include "cli/TestFigures.h"

#include <array>

class LinkTestRun;

// `sweep`: the link test at every PA level and single channel given. The module's RF
// settings are read first and sent back at the end, also after Ctrl+C; the table of
// success rates and throughput is printed either way.
class SweepCommand : public CliCommand {
    Q_OBJECT
public:
    using CliCommand::CliCommand;
    void start() override;
    void interrupt() override;

protected:
    void portLost() override;

private:
    struct Row {
        int paLevel;
        int channel;
        TestFigures figures;
    };

    void NextSetting();
    void RunTest();
    void TestFinished();
    void Restore();
    void End(bool restored);
    void PrintTable(bool restored) const;
    bool WriteCsv(QString* problem) const;
    // Sends the RF settings record with these field values; `done(acknowledged)`.
    void SendSettings(const std::array<qint32, 8>& values, std::function<void(bool)> done);
    bool AllConfirmed() const;

    std::array<qint32, 8> m_original{};
    QList<QPair<int, int>> m_settingsLeft;
    QPair<int, int> m_current;
    QList<Row> m_rows;
    LinkTestRun* m_run = nullptr;
    bool m_readOriginal = false;
    bool m_interrupted = false;
    bool m_restoring = false;
};
