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
// Prints the object as JSON, or as its text lines.
void PrintFields(const QJsonObject& object, bool asJson);
// Adds every field of `fields` to `object`, replacing those of the same name.
void AddFields(QJsonObject& object, const QJsonObject& fields);
