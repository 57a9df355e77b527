#include "app/CommandLine.h"

#include "link/ControlCharacters.h"
#include "link/Discovery.h"
#include "link/LinkState.h"
#include "link/PortDeviceMap.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

constexpr int kBadCommandLine = 2;
const QString kProgram = QStringLiteral("orvalis-et");

bool IsPortArgument(const QString& port)
{
    bool isNumber = false;
    const int number = port.toInt(&isNumber);
    return isNumber ? number >= 1 && number <= 8 : !port.trimmed().isEmpty();
}

// One line, whatever the argument held, and where to read more: as other Unix tools do.
CommandLineOutcome Failure(const QString& error)
{
    CommandLineOutcome outcome;
    outcome.action = CommandLineOutcome::Action::Fail;
    outcome.exitCode = kBadCommandLine;
    outcome.text = kProgram + QStringLiteral(": ") + EscapeControlCharacters(error)
                   + QStringLiteral("\nTry '") + kProgram
                   + QStringLiteral(" --help' for more information.\n");
    return outcome;
}

// The usage line names the program as it is installed, not the path it was started by.
QString HelpText(const QCommandLineParser& parser)
{
    QString text = parser.helpText();
    const int usageEnd = text.indexOf(QLatin1Char('\n'));
    return text.replace(0, usageEnd, QStringLiteral("Usage: ") + kProgram + QStringLiteral(" [options]"));
}

}  // namespace

CommandLineOutcome ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Evaluation tool for the 900 MHz serial RF transceiver module: finds the module on a\n"
        "serial port, configures it, tests the radio link and logs every frame."));
    // Not addHelpOption: its --help-all needs the application object, which is made only
    // after the command line has been read.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays help on commandline options."));
    parser.addOption(help);
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
        return Failure(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return Failure(QStringLiteral("unexpected argument '%1'")
                                   .arg(parser.positionalArguments().constFirst()));

    CommandLineOutcome outcome;
    if (parser.isSet(help)) {
        outcome.action = CommandLineOutcome::Action::ShowHelp;
        outcome.text = HelpText(parser);
        return outcome;
    }
    if (parser.isSet(version)) {
        outcome.action = CommandLineOutcome::Action::ShowVersion;
        // "program (package) version", as help2man and packaging tools read it.
        outcome.text = kProgram + QStringLiteral(" (") + QCoreApplication::applicationName()
                       + QStringLiteral(") ") + QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return outcome;
    }
    outcome.options.port = parser.value(port);
    outcome.options.baudRate = parser.value(baud);
    if (parser.isSet(port) && !IsPortArgument(outcome.options.port))
        return Failure(QStringLiteral("--port takes a number 1 to 8 or a device path, not '%1'")
                           .arg(outcome.options.port));
    if (parser.isSet(baud) && !HostBaudRates().contains(outcome.options.baudRate))
        return Failure(QStringLiteral("--baud takes one of %1, not '%2'")
                           .arg(HostBaudRates().join(QStringLiteral(", ")), outcome.options.baudRate));
    return outcome;
}

bool HoldsToolkitOptions(const QStringList& arguments)
{
    // The options QApplication takes for itself, with one dash or two.
    static const QStringList toolkit{
        QStringLiteral("platform"), QStringLiteral("platformpluginpath"),
        QStringLiteral("platformtheme"), QStringLiteral("plugin"), QStringLiteral("qwindowgeometry"),
        QStringLiteral("geometry"), QStringLiteral("qwindowtitle"), QStringLiteral("title"),
        QStringLiteral("qwindowicon"), QStringLiteral("icon"), QStringLiteral("display"),
        QStringLiteral("name"), QStringLiteral("reverse"), QStringLiteral("session"),
        QStringLiteral("style"), QStringLiteral("stylesheet"), QStringLiteral("widgetcount"),
        QStringLiteral("nograb"), QStringLiteral("dograb"), QStringLiteral("visual"),
        QStringLiteral("qmljsdebugger"), QStringLiteral("testability")};
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString name = arguments.at(i).section(QLatin1Char('='), 0, 0);
        if (name.startsWith(QLatin1String("--")))
            name.remove(0, 1);
        if (name.startsWith(QLatin1Char('-')) && toolkit.contains(name.mid(1)))
            return true;
    }
    return false;
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
