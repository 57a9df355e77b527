#include "cli/ModuleFigures.h"

#include "cli/CliModule.h"
#include "cli/Output.h"
#include "config/FirmwareVersionReader.h"
#include "config/IdsController.h"
#include "config/RfSettingsController.h"
#include "link/LinkSession.h"
#include "link/PortDeviceMap.h"
#include "traffic/StatisticsController.h"

#include <QJsonValue>

#include <algorithm>

namespace {

// In the order the module reports them, as the Statistics page names them.
const char* const kTransceiverCounters[] = {
    "total_packets_sent",     "unique_packets_sent",     "total_acks_sent",
    "unique_acks_sent",       "total_packets_received",  "unique_packets_received",
    "total_acks_received",    "unique_acks_received",
};

QJsonValue CounterValue(const QString& caption)
{
    bool ok = false;
    const qint64 number = caption.toLongLong(&ok);
    return ok ? QJsonValue(number) : QJsonValue();  // "-": never reported
}

QString ValueText(const QJsonValue& value)
{
    if (value.isBool())
        return value.toBool() ? QStringLiteral("on") : QStringLiteral("off");
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', 15);
    if (value.isNull())
        return QStringLiteral("-");
    return value.toString();
}

}  // namespace

QJsonObject PortJson(CliModule& module)
{
    const LinkState& state = module.link().state();
    return {{"port", state.iCommPort},
            {"device", DevicePath(DeviceForPortNumber(state.iCommPort))},
            {"baud_rate", state.sBaudRate.toInt()}};
}

QJsonObject IdsJson(CliModule& module)
{
    const IdsController& ids = module.ids();
    return {{"transceiver_id", ids.value(IdsController::TransceiverId)},
            {"network_id", ids.value(IdsController::NetworkId)},
            {"system_id", ids.value(IdsController::SystemId)}};
}

QJsonObject RfSettingsJson(CliModule& module)
{
    const RfSettingsController& rf = module.rfSettings();
    const int level = rf.value(RfSettingsController::PALevel);
    return {{"hop_table", rf.value(RfSettingsController::HopTable)},
            {"acknowledgements", rf.value(RfSettingsController::Acknowledgements) == 1},
            {"retries", rf.value(RfSettingsController::RFRetries)},
            {"pa_level", level},
            {"pa_level_text", PaLevelEntries().value(level).trimmed()},
            {"hopping", rf.value(RfSettingsController::HoppingMode) == 1},
            {"channel", rf.value(RfSettingsController::SingleChannel)},
            {"receive_all", rf.value(RfSettingsController::ReceiveAll) == 1}};
}

QJsonObject FirmwareJson(CliModule& module)
{
    const FirmwareVersionTexts& texts = module.firmware().texts();
    return {{"firmware_version", texts.version},
            {"firmware_date", texts.date},
            {"copyright", texts.copyright}};
}

QJsonObject TransceiverStatisticsJson(CliModule& module)
{
    QJsonObject object;
    const TransceiverCaptions& captions = module.statistics().transceiverCaptions();
    for (size_t i = 0; i < captions.size(); ++i)
        object.insert(QLatin1String(kTransceiverCounters[i]), CounterValue(captions[i]));
    return object;
}

QStringList TextLines(const QJsonObject& object)
{
    // People read the fields in the order the pages show them.
    static const QStringList order{
        "port", "device", "baud_rate", "transceiver_id", "network_id", "system_id",
        "firmware_version", "firmware_date", "copyright", "hop_table", "acknowledgements",
        "retries", "pa_level", "pa_level_text", "hopping", "channel", "receive_all",
        "total_packets_sent", "unique_packets_sent", "total_acks_sent", "unique_acks_sent",
        "total_packets_received", "unique_packets_received", "total_acks_received",
        "unique_acks_received"};
    QStringList keys = object.keys();
    std::stable_sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) {
        const auto rank = [](const QString& key) {
            const qsizetype at = order.indexOf(key);
            return at < 0 ? order.size() : at;
        };
        return rank(a) < rank(b);
    });
    QStringList lines;
    for (const QString& key : keys)
        lines << key + QStringLiteral(": ") + ValueText(object.value(key));
    return lines;
}

void PrintFields(const QJsonObject& object, bool asJson)
{
    if (asJson) {
        PrintJson(object);
        return;
    }
    for (const QString& line : TextLines(object))
        PrintLine(line);
}

void AddFields(QJsonObject& object, const QJsonObject& fields)
{
    for (auto it = fields.begin(); it != fields.end(); ++it)
        object.insert(it.key(), it.value());
}
