#pragma once

#include <QJsonObject>
#include <QStringList>

class CliModule;

// What the module reported, as the controllers hold it, for printing: JSON objects with
// stable snake_case names, and "Name: value" lines for people.
QJsonObject PortJson(CliModule& module);
QJsonObject IdsJson(CliModule& module);
QJsonObject RfSettingsJson(CliModule& module);
QJsonObject FirmwareJson(CliModule& module);
QJsonObject TransceiverStatisticsJson(CliModule& module);

// One "name: value" line per field, in the order the window shows them.
QStringList TextLines(const QJsonObject& object);
