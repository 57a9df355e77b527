// `find`, `get` and `monitor`: the port options and little else.
#include "cli/ArgumentReader.h"
#include "cli/CommandArguments.h"

namespace {

const QStringList kGetSubjects{QStringLiteral("ids"), QStringLiteral("rf"),
                               QStringLiteral("version"), QStringLiteral("statistics")};

void RefuseExtraArguments(ArgumentReader& reader, int allowed)
{
    if (reader.positional().size() > allowed)
        reader.fail(QStringLiteral("unexpected argument '%1'").arg(reader.positional().at(allowed)));
}

}  // namespace

CliParse ParseFindArguments(const QStringList& arguments)
{
    ArgumentReader reader(QStringLiteral("find"), QStringLiteral("[--port N|DEVICE] [--baud RATE] [--json]"),
                          QStringLiteral("Searches for the module as the window's start-up does (the "
                                         "stored port first, then ports 1 to 8 at the four host rates), "
                                         "or only where --port and --baud say, and prints the port, "
                                         "device, rate, the three IDs and the firmware version."));
    reader.addPortOptions();
    CliRequest request;
    request.command = QStringLiteral("find");
    if (reader.parse(arguments)) {
        RefuseExtraArguments(reader, 0);
        request.portChoice = reader.portChoice();
        request.json = reader.isSet(QStringLiteral("json"));
    }
    return Outcome(reader, request);
}

CliParse ParseGetArguments(const QStringList& arguments)
{
    ArgumentReader reader(QStringLiteral("get"),
                          QStringLiteral("ids|rf|version|statistics [--port N|DEVICE] [--baud RATE] [--json]"),
                          QStringLiteral("Prints what the module reports: its transceiver, network and "
                                         "system IDs (ids), its programmable RF settings (rf), its "
                                         "firmware version (version) or its eight radio counters "
                                         "(statistics)."));
    reader.addPortOptions();
    CliRequest request;
    request.command = QStringLiteral("get");
    if (reader.parse(arguments)) {
        request.subject = reader.positional().value(0);
        if (!reader.helpAsked() && !kGetSubjects.contains(request.subject))
            reader.fail(request.subject.isEmpty()
                            ? QStringLiteral("get needs what to read: ids, rf, version or statistics")
                            : QStringLiteral("get reads ids, rf, version or statistics, not '%1'")
                                  .arg(request.subject));
        RefuseExtraArguments(reader, 1);
        request.portChoice = reader.portChoice();
        request.json = reader.isSet(QStringLiteral("json"));
    }
    return Outcome(reader, request);
}

CliParse ParseMonitorArguments(const QStringList& arguments)
{
    ArgumentReader reader(QStringLiteral("monitor"),
                          QStringLiteral("[--timestamps] [--port N|DEVICE] [--baud RATE] [--json]"),
                          QStringLiteral("Prints every frame as the communications log shows it, one "
                                         "line each, until Ctrl+C or SIGTERM, then a summary line "
                                         "(with --json: the summary as a JSON object)."));
    reader.addPortOptions();
    reader.addOption(QStringLiteral("timestamps"),
                     QStringLiteral("Begin each line with the time it came, as the log shows it."));
    CliRequest request;
    request.command = QStringLiteral("monitor");
    if (reader.parse(arguments)) {
        RefuseExtraArguments(reader, 0);
        request.portChoice = reader.portChoice();
        request.json = reader.isSet(QStringLiteral("json"));
        request.timestamps = reader.isSet(QStringLiteral("timestamps"));
    }
    return Outcome(reader, request);
}
