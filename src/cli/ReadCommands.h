#pragma once

#include "cli/CliCommand.h"

#include <QJsonObject>

// `find` and `get`: find the module, ask it what the subject needs, print the answer.
class ReadCommand : public CliCommand {
    Q_OBJECT
public:
    using CliCommand::CliCommand;
    void start() override;

private:
    // The requests of the subject, one after the other, then the printout.
    void AskNext();
    void Print();

    struct Step {
        QString what;
        std::function<void()> send;
    };
    QList<Step> m_steps;
    int m_replies = 0;
};
