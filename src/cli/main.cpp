#include "cli/CliCommand.h"
#include "cli/CliModule.h"
#include "cli/CommandFactory.h"
#include "link/QtSerialPortAdapter.h"
#include "platform/SettingsStore.h"
#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(SettingsStore::kApplicationTitle);
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVALIS_VERSION));
    // Each result line reaches a pipe (grep, a file) as soon as it is printed.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CliParse parse = ParseCliArguments(arguments);
    if (parse.action != CliParse::Action::Run) {
        const bool failed = parse.action == CliParse::Action::Fail;
        std::fputs(parse.text.toLocal8Bit().constData(), failed ? stderr : stdout);
        return failed ? kExitUsage : kExitOk;
    }

    QCoreApplication app(argc, argv);
    CliModule module(std::make_unique<QtSerialPortAdapter>());
    const std::unique_ptr<CliCommand> command = MakeCommand(module, parse.request);
    TerminationSignals termination;
    termination.install();
    QObject::connect(&termination, &TerminationSignals::terminationRequested, command.get(),
                     &CliCommand::interrupt);
    int status = kExitOk;
    QObject::connect(command.get(), &CliCommand::finished, &app, [&status](int exitStatus) {
        status = exitStatus;
        QCoreApplication::exit(exitStatus);
    });
    QTimer::singleShot(0, command.get(), &CliCommand::start);
    QCoreApplication::exec();
    module.ShutDown();
    return status;
}
