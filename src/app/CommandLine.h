#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of this run. The start-up search may be narrowed to one
// port and/or one host rate, for people with many serial ports and for scripts.
struct CommandLineOptions {
    QString port;      // "--port": a port number 1 .. 8 as text, or a device path
    QString baudRate;  // "--baud": one of the host rates, as text
};

struct CommandLineOutcome {
    enum class Action { Run, ShowHelp, ShowVersion, Fail };
    Action action = Action::Run;
    CommandLineOptions options;
    QString text;      // the help, the version, or the error and where to find the help
    int exitCode = 0;  // for every action but Run: 0, or 2 for a bad command line
};

// `arguments` includes the program name first, as QCoreApplication::arguments() gives.
CommandLineOutcome ParseCommandLine(const QStringList& arguments);

// Whether the arguments name an option of the windowing toolkit ("-platform", "-style"),
// which only the application object can take out before the program's own are read.
bool HoldsToolkitOptions(const QStringList& arguments);

struct SearchScope;

// The start-up search the options ask for. A device that no port number names yet is
// used as port 1 for this run.
SearchScope StartupSearchScope(const CommandLineOptions& options);
