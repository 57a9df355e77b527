#include "app/CommandLine.h"

#include "link/ControlCharacters.h"
#include "link/Discovery.h"
#include "link/LinkState.h"
#include "link/PortDeviceMap.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

constexpr int kBadCommandLine = 2;

bool IsPortArgument(const QString& port)
{
    bool isNumber = false;
    const int number = port.toInt(&isNumber);
    return isNumber ? number >= 1 && number <= 8 : !port.trimmed().isEmpty();
}

CommandLineOutcome Failure(const QCommandLineParser& parser, const QString& error)
{
    CommandLineOutcome outcome;
    outcome.action = CommandLineOutcome::Action::Fail;
    outcome.exitCode = kBadCommandLine;
    outcome.text = QCoreApplication::applicationName() + QStringLiteral(": ") + error
                   + QStringLiteral("\n\n") + parser.helpText();
    return outcome;
}

}  // namespace

CommandLineOutcome ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Evaluation tool for the 900 MHz serial RF transceiver module: finds the module on a\n"
        "serial port, configures it, tests the radio link and logs every frame."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Search for the module only on this port: a number 1 to 8 or a device "
                       "path such as /dev/ttyUSB0."),
        QStringLiteral("DEVICE|N"));
    const QCommandLineOption baud(
        QStringLiteral("baud"),
        QStringLiteral("Search for the module only at this host rate: ")
            + HostBaudRates().join(QStringLiteral(", ")) + QLatin1Char('.'),
        QStringLiteral("RATE"));
    parser.addOption(port);
    parser.addOption(baud);
    if (!parser.parse(arguments))
        return Failure(parser, parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return Failure(parser, QStringLiteral("unexpected argument '%1'")
                                   .arg(parser.positionalArguments().constFirst()));

    CommandLineOutcome outcome;
    if (parser.isSet(help)) {
        outcome.action = CommandLineOutcome::Action::ShowHelp;
        outcome.text = parser.helpText();
        return outcome;
    }
    if (parser.isSet(version)) {
        outcome.action = CommandLineOutcome::Action::ShowVersion;
        outcome.text = QCoreApplication::applicationName() + QLatin1Char(' ')
                       + QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return outcome;
    }
    outcome.options.port = parser.value(port);
    outcome.options.baudRate = parser.value(baud);
    if (parser.isSet(port) && !IsPortArgument(outcome.options.port))
        return Failure(parser, QStringLiteral("--port takes a number 1 to 8 or a device path, "
                                              "not '%1'")
                                   .arg(EscapeControlCharacters(outcome.options.port)));
    if (parser.isSet(baud) && !HostBaudRates().contains(outcome.options.baudRate))
        return Failure(parser, QStringLiteral("--baud takes one of %1, not '%2'")
                                   .arg(HostBaudRates().join(QStringLiteral(", ")),
                                        outcome.options.baudRate));
    return outcome;
}

SearchScope StartupSearchScope(const CommandLineOptions& options)
{
    SearchScope scope;
    scope.baudRate = options.baudRate;
    if (options.port.isEmpty())
        return scope;
    bool isNumber = false;
    scope.portNumber = options.port.toInt(&isNumber);
    if (isNumber)
        return scope;
    scope.portNumber = PortNumberOfDevice(options.port);
    if (scope.portNumber == 0) {
        UseDeviceForThisRun(1, options.port);
        scope.portNumber = 1;
    }
    return scope;
}
