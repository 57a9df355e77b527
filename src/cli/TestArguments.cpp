// `test` and `sweep`: what a link test sends, how often, and the files it writes.
#include "cli/ArgumentReader.h"
#include "cli/CommandArguments.h"
#include "config/ConfigSettings.h"
#include "config/NumericBoxSpec.h"
#include "traffic/RfDataFrame.h"

namespace {

constexpr int kMaxCount = 10000000;
constexpr int kMaxDelayMs = 10000;

void ReadData(ArgumentReader& reader, TestPlan& plan)
{
    const bool text = reader.isSet(QStringLiteral("data"));
    const bool hex = reader.isSet(QStringLiteral("hex"));
    if (int(text) + int(hex) + int(reader.isSet(QStringLiteral("random"))) > 1) {
        reader.fail(QStringLiteral("--random, --data and --hex exclude each other"));
        return;
    }
    plan.data = text ? TestPlan::Data::Text : hex ? TestPlan::Data::Hex : TestPlan::Data::Random;
    plan.text = reader.value(text ? QStringLiteral("data") : QStringLiteral("hex"));
    if (text && (plan.text.isEmpty() || plan.text.size() > kMaxRfDataBytes))
        reader.fail(QStringLiteral("--data takes 1 to %1 characters").arg(kMaxRfDataBytes));
    if (hex && (!IsHexText(plan.text) || plan.text.isEmpty() || plan.text.size() > kMaxHexDataDigits))
        reader.fail(QStringLiteral("--hex takes 1 to %1 hex digits, not '%2'").arg(kMaxHexDataDigits).arg(plan.text));
}

}  // namespace

void AddTestOptions(ArgumentReader& reader, bool forTest)
{
    reader.addPortOptions();
    reader.addOption(QStringLiteral("count"), QStringLiteral("Messages to send (required)."), QStringLiteral("N"));
    if (forTest) {
        reader.addOption(QStringLiteral("random"), QStringLiteral("Random data in each message, as \"Send Random Repeated Msg\" (the default)."));
        reader.addOption(QStringLiteral("data"), QStringLiteral("The same text in each message, as \"Send Single Repeated Msg\" in ASCII mode."), QStringLiteral("TEXT"));
        reader.addOption(QStringLiteral("hex"), QStringLiteral("The same bytes in each message, as \"Send Single Repeated Msg\" in HEX mode."), QStringLiteral("HEX"));
    }
    reader.addOption(QStringLiteral("delay"), QStringLiteral("Repeat delay in ms, 0 to 10000 (default 100); 0 sends each message once the module has reported on the one before."), QStringLiteral("MS"));
    reader.addOption(QStringLiteral("dest"), QStringLiteral("Destination transceiver ID, 0 to 65535 (default: as stored)."), QStringLiteral("ID"));
    reader.addOption(QStringLiteral("min-success"), QStringLiteral("Exit with status 1 when the success rate (retries included) is below PCT (default 0)."), QStringLiteral("PCT"));
    if (!forTest) {  // a sweep writes its table
        reader.addOption(QStringLiteral("csv"), QStringLiteral("Write the table of results to FILE as CSV."), QStringLiteral("FILE"));
        return;
    }
    reader.addOption(QStringLiteral("report"), QStringLiteral("Write the figures as a JSON report to FILE."), QStringLiteral("FILE.json"));
    reader.addOption(QStringLiteral("csv"), QStringLiteral("Write the link charts' per-interval series to FILE."), QStringLiteral("FILE"));
    reader.addOption(QStringLiteral("log"), QStringLiteral("Append every frame to a message log file, as \"Save Log To File\" does."), QStringLiteral("FILE.olf"));
}

TestPlan ReadTestPlan(ArgumentReader& reader, bool forTest)
{
    TestPlan plan;
    if (!reader.isSet(QStringLiteral("count")))
        reader.fail(QStringLiteral("--count is required"));
    plan.count = reader.integer(QStringLiteral("count"), 1, kMaxCount).value_or(0);
    plan.delayMs = reader.integer(QStringLiteral("delay"), 0, kMaxDelayMs).value_or(plan.delayMs);
    const NumericEntryParameters destination = NumericBoxSpecFor(QStringLiteral("txtDestinationID")).entry;
    plan.destination = reader.integer(QStringLiteral("dest"), destination.minimum, destination.maximum);
    plan.minSuccess = reader.percent(QStringLiteral("min-success")).value_or(0);
    plan.csvFile = reader.value(QStringLiteral("csv"));
    if (forTest) {
        plan.reportFile = reader.value(QStringLiteral("report"));
        plan.logFile = reader.value(QStringLiteral("log"));
    }
    return plan;
}

CliParse ParseTestArguments(const QStringList& arguments)
{
    ArgumentReader reader(QStringLiteral("test"),
                          QStringLiteral("--count N [--random|--data TEXT|--hex HEX] [--delay MS] [--dest ID] "
                                         "[--min-success PCT] [--report FILE.json] [--csv FILE] [--log FILE.olf]"),
                          QStringLiteral("Runs a link test exactly as \"Send Single Repeated Msg\" and \"Send "
                                         "Random Repeated Msg\" do, stops after --count messages and prints "
                                         "the figures of the Statistics page. Ctrl+C stops it cleanly."));
    AddTestOptions(reader, true);
    CliRequest request;
    request.command = QStringLiteral("test");
    if (reader.parse(arguments) && !reader.helpAsked()) {
        if (!reader.positional().isEmpty())
            reader.fail(QStringLiteral("unexpected argument '%1'").arg(reader.positional().first()));
        request.portChoice = reader.portChoice();
        request.json = reader.isSet(QStringLiteral("json"));
        request.test = ReadTestPlan(reader, true);
        ReadData(reader, request.test);
    }
    return Outcome(reader, request);
}

CliParse ParseSweepArguments(const QStringList& arguments)
{
    ArgumentReader reader(QStringLiteral("sweep"),
                          QStringLiteral("--pa-levels LIST --channels LIST --count N [--csv FILE] [options]"),
                          QStringLiteral("Runs the link test (random data) at every PA level and single "
                                         "channel given and prints the success rates and throughput of "
                                         "each. The module's settings read at the start are restored at "
                                         "the end, also after Ctrl+C."));
    AddTestOptions(reader, false);
    reader.addOption(QStringLiteral("pa-levels"), QStringLiteral("PA levels 0 to 2, separated by commas."), QStringLiteral("LIST"));
    reader.addOption(QStringLiteral("channels"), QStringLiteral("Single channels 0 to 49, separated by commas."), QStringLiteral("LIST"));
    CliRequest request;
    request.command = QStringLiteral("sweep");
    if (reader.parse(arguments) && !reader.helpAsked()) {
        if (!reader.positional().isEmpty())
            reader.fail(QStringLiteral("unexpected argument '%1'").arg(reader.positional().first()));
        request.portChoice = reader.portChoice();
        request.json = reader.isSet(QStringLiteral("json"));
        request.sweep.test = ReadTestPlan(reader, false);
        const NumericEntryParameters channel = NumericBoxSpecFor(QStringLiteral("txtRFSingleChannel2")).entry;
        request.sweep.paLevels = reader.integerList(QStringLiteral("pa-levels"), 0, int(PaLevelEntries().size()) - 1);
        request.sweep.channels = reader.integerList(QStringLiteral("channels"), channel.minimum, channel.maximum);
        if (request.sweep.paLevels.isEmpty() || request.sweep.channels.isEmpty())
            reader.fail(QStringLiteral("sweep needs --pa-levels and --channels"));
    }
    return Outcome(reader, request);
}
