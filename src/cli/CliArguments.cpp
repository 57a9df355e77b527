#include "cli/ArgumentReader.h"
#include "cli/CommandArguments.h"

#include <QCoreApplication>

namespace {

const QString kUsage = QStringLiteral(
    "Usage: orvalis-cli COMMAND [options]\n"
    "Drives the 900 MHz serial RF transceiver module from the shell, through the same link\n"
    "and figures as the evaluation tool's window.\n"
    "\n"
    "Commands:\n"
    "  find                        find the module and print its port, rate, IDs and firmware\n"
    "  get ids|rf|version|statistics\n"
    "                              print what the module reports\n"
    "  set ids|rf|baud             change the module's IDs, RF settings or serial rate\n"
    "  test                        run a link test (repeated RF data messages)\n"
    "  monitor                     print every frame until Ctrl+C\n"
    "  sweep                       run the link test at several PA levels and channels\n"
    "\n"
    "Options:\n"
    "  -h, --help                  Shows this help; COMMAND --help shows a command's.\n"
    "  -v, --version               Shows the version.\n"
    "\n"
    "Exit status: 0 ok, 1 test below --min-success, 2 usage or value error, 3 no module\n"
    "found, 4 port lost or port error, 130 interrupted.\n");

using CommandParser = CliParse (*)(const QStringList&);

CommandParser ParserFor(const QString& command)
{
    static const QList<QPair<QString, CommandParser>> parsers{
        {QStringLiteral("find"), ParseFindArguments},
        {QStringLiteral("get"), ParseGetArguments},
        {QStringLiteral("set"), ParseSetArguments},
        {QStringLiteral("test"), ParseTestArguments},
        {QStringLiteral("monitor"), ParseMonitorArguments},
        {QStringLiteral("sweep"), ParseSweepArguments},
    };
    for (const auto& [name, parser] : parsers)
        if (name == command)
            return parser;
    return nullptr;
}

CliParse Text(const QString& text)
{
    CliParse parse;
    parse.action = CliParse::Action::ShowText;
    parse.text = text;
    return parse;
}

}  // namespace

CliParse ParseCliArguments(const QStringList& arguments)
{
    const QString first = arguments.value(1);
    if (first.isEmpty())
        return UsageFailure(QStringLiteral("a command is missing"));
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help"))
        return Text(kUsage);
    if (first == QLatin1String("--version") || first == QLatin1String("-v"))
        return Text(QStringLiteral("orvalis-cli (%1) %2\n")
                        .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion()));
    const CommandParser parser = ParserFor(first);
    if (!parser)
        return UsageFailure(QStringLiteral("unknown command '%1'").arg(first));
    CliParse parse = parser(QStringList{arguments.first()} + arguments.mid(2));
    parse.request.command = first;
    return parse;
}

CliParse Outcome(const ArgumentReader& reader, const CliRequest& request)
{
    if (reader.helpAsked())
        return HelpOf(reader);
    if (reader.failed())
        return UsageFailure(reader.problem(), request.command);
    CliParse parse;
    parse.request = request;
    return parse;
}
