#include "cli/CommandFactory.h"

#include "cli/MonitorCommand.h"
#include "cli/ReadCommands.h"
#include "cli/SetCommands.h"
#include "cli/SweepCommand.h"
#include "cli/TestCommand.h"

std::unique_ptr<CliCommand> MakeCommand(CliModule& module, const CliRequest& request)
{
    if (request.command == QLatin1String("set"))
        return std::make_unique<SetCommand>(module, request);
    if (request.command == QLatin1String("test"))
        return std::make_unique<TestCommand>(module, request);
    if (request.command == QLatin1String("monitor"))
        return std::make_unique<MonitorCommand>(module, request);
    if (request.command == QLatin1String("sweep"))
        return std::make_unique<SweepCommand>(module, request);
    return std::make_unique<ReadCommand>(module, request);  // find, get
}
