#pragma once

#include "cli/CliRequest.h"

#include <QStringList>

class ArgumentReader;

// Each command's own options. `arguments`: the program name, then what follows the
// command's name.
CliParse ParseFindArguments(const QStringList& arguments);
CliParse ParseGetArguments(const QStringList& arguments);
CliParse ParseSetArguments(const QStringList& arguments);
CliParse ParseTestArguments(const QStringList& arguments);
CliParse ParseMonitorArguments(const QStringList& arguments);
CliParse ParseSweepArguments(const QStringList& arguments);

// The options a link test takes, in `test` (forTest) and in `sweep`.
void AddTestOptions(ArgumentReader& reader, bool forTest);
TestPlan ReadTestPlan(ArgumentReader& reader, bool forTest);

// The reader's outcome: its help, its first problem, or the request to run.
CliParse Outcome(const ArgumentReader& reader, const CliRequest& request);
