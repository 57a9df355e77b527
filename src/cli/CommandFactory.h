#pragma once

#include <memory>

class CliCommand;
class CliModule;
struct CliRequest;

// The runner of the request's command.
std::unique_ptr<CliCommand> MakeCommand(CliModule& module, const CliRequest& request);
