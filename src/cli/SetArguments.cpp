// `set ids`, `set rf` and `set baud`: every value in the range its entry box takes,
// refused with exit status 2 otherwise (the command line does not take it at the bound).
#include "cli/ArgumentReader.h"
#include "cli/CommandArguments.h"
#include "config/ConfigSettings.h"
#include "config/NumericBoxSpec.h"
#include "link/LinkState.h"

namespace {

std::optional<int> BoxValue(ArgumentReader& reader, const QString& option, const char* boxName)
{
    const NumericEntryParameters box = NumericBoxSpecFor(QLatin1String(boxName)).entry;
    return reader.integer(option, box.minimum, box.maximum);
}

void ReadIds(ArgumentReader& reader, CliRequest& request)
{
    request.ids[0] = BoxValue(reader, QStringLiteral("transceiver"), "txtTransceiverID2");
    request.ids[1] = BoxValue(reader, QStringLiteral("network"), "txtNetworkID2");
    request.ids[2] = BoxValue(reader, QStringLiteral("system"), "txtSystemID2");
    if (!request.ids[0] && !request.ids[1] && !request.ids[2])
        reader.fail(QStringLiteral("set ids needs --transceiver, --network or --system"));
}

void ReadRf(ArgumentReader& reader, CliRequest& request)
{
    RfChanges& rf = request.rf;
    rf.hopTable = BoxValue(reader, QStringLiteral("hop-table"), "txtSetHopTable2");
    rf.retries = BoxValue(reader, QStringLiteral("retries"), "txtSetRFRetries2");
    rf.channel = BoxValue(reader, QStringLiteral("channel"), "txtRFSingleChannel2");
    rf.paLevel = reader.integer(QStringLiteral("pa-level"), 0, int(PaLevelEntries().size()) - 1);
    rf.acknowledgements = reader.onOff(QStringLiteral("ack"));
    rf.receiveAll = reader.onOff(QStringLiteral("receive-all"));
    const bool hopping = reader.isSet(QStringLiteral("hopping"));
    const bool single = reader.isSet(QStringLiteral("single-channel"));
    if (hopping && single)
        reader.fail(QStringLiteral("--hopping and --single-channel exclude each other"));
    else if (hopping || single)
        rf.hopping = hopping;
    if (rf.isEmpty())
        reader.fail(QStringLiteral("set rf needs at least one setting to change"));
}

void ReadBaud(ArgumentReader& reader, CliRequest& request)
{
    request.baudRate = reader.positional().value(1);
    if (!HostBaudRates().contains(request.baudRate))
        reader.fail(QStringLiteral("set baud takes one of %1, not '%2'")
                        .arg(HostBaudRates().join(QStringLiteral(", ")), request.baudRate));
}

void AddSetOptions(ArgumentReader& reader)
{
    reader.addPortOptions();
    reader.addOption(QStringLiteral("save"),
                     QStringLiteral("Also store the values in the window's settings, as it stores "
                                    "them when it closes."));
    reader.addOption(QStringLiteral("transceiver"), QStringLiteral("ids: transceiver ID, 0 to 65535."), QStringLiteral("N"));
    reader.addOption(QStringLiteral("network"), QStringLiteral("ids: network ID, 0 to 65535."), QStringLiteral("N"));
    reader.addOption(QStringLiteral("system"), QStringLiteral("ids: system ID, 0 to 65535."), QStringLiteral("N"));
    reader.addOption(QStringLiteral("hop-table"), QStringLiteral("rf: hop table, 0 to 15."), QStringLiteral("N"));
    reader.addOption(QStringLiteral("retries"), QStringLiteral("rf: RF retries, 0 to 20."), QStringLiteral("N"));
    reader.addOption(QStringLiteral("channel"), QStringLiteral("rf: single channel, 0 to 49."), QStringLiteral("N"));
    reader.addOption(QStringLiteral("hopping"), QStringLiteral("rf: frequency hopping mode."));
    reader.addOption(QStringLiteral("single-channel"), QStringLiteral("rf: single channel mode."));
    reader.addOption(QStringLiteral("ack"), QStringLiteral("rf: acknowledgements on or off."), QStringLiteral("on|off"));
    reader.addOption(QStringLiteral("receive-all"), QStringLiteral("rf: receive all on or off."), QStringLiteral("on|off"));
    reader.addOption(QStringLiteral("pa-level"),
                     QStringLiteral("rf: PA level 0 to 2: ") + PaLevelEntries().join(QStringLiteral(", ")).simplified() + QLatin1Char('.'),
                     QStringLiteral("N"));
}

}  // namespace

CliParse ParseSetArguments(const QStringList& arguments)
{
    ArgumentReader reader(QStringLiteral("set"), QStringLiteral("ids|rf|baud [RATE] [options]"),
                          QStringLiteral("Sends the module the same frames as the IDs, RF Settings and "
                                         "Comm pages and reports its acknowledgement. Settings not "
                                         "given keep the values the module reports. set baud RATE "
                                         "switches the module's serial rate and follows it."));
    AddSetOptions(reader);
    CliRequest request;
    request.command = QStringLiteral("set");
    if (reader.parse(arguments) && !reader.helpAsked()) {
        request.subject = reader.positional().value(0);
        request.portChoice = reader.portChoice();
        request.json = reader.isSet(QStringLiteral("json"));
        request.save = reader.isSet(QStringLiteral("save"));
        const int allowed = request.subject == QLatin1String("baud") ? 2 : 1;
        if (request.subject == QLatin1String("ids"))
            ReadIds(reader, request);
        else if (request.subject == QLatin1String("rf"))
            ReadRf(reader, request);
        else if (request.subject == QLatin1String("baud"))
            ReadBaud(reader, request);
        else
            reader.fail(QStringLiteral("set changes ids, rf or baud, not '%1'").arg(request.subject));
        if (reader.positional().size() > allowed)
            reader.fail(QStringLiteral("unexpected argument '%1'").arg(reader.positional().at(allowed)));
    }
    return Outcome(reader, request);
}
