#pragma once

#include "cli/CliCommand.h"

// `set ids`, `set rf` and `set baud`: the module's values are read first, so what the
// command line does not name stays as the module has it; then the same frame the page
// sends goes out, and the module's acknowledgement is reported.
class SetCommand : public CliCommand {
    Q_OBJECT
public:
    using CliCommand::CliCommand;
    void start() override;

private:
    void SetIds();
    void SetRf();
    void SetBaud();
    // After the acknowledgement: the values (stored with --save), or why not.
    void Report(bool acknowledged, const QString& what);
    bool AllConfirmed() const;

    bool m_rateFollowed = false;
};
