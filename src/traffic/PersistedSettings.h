#pragma once

class QString;
struct ConfigSettings;
struct TrafficSettings;

// Section "Settings" of the settings store: read at start-up, written at shut-down.
// A missing key, or one that does not hold a number, takes its default.
void LoadSettings(ConfigSettings& config, TrafficSettings& traffic);
void SaveSettings(const ConfigSettings& config, const TrafficSettings& traffic);

// Section "Properties", key "FactoryCalibration": read only, never written.
int ReadFactoryCalibration();

// Section "View", key "Show Timestamps": the communications log shows times (1) or not.
// Written as soon as it changes.
bool ReadShowTimestamps();
void WriteShowTimestamps(bool show);

// Section "View": how the windows were arranged when last closed ("MainWindowGeometry",
// "SplitterState", "ChartsGeometry"), as Qt saves a window's geometry or a splitter's
// state; empty when not stored yet.
class QByteArray;
QByteArray ReadViewState(const QString& key);
void WriteViewState(const QString& key, const QByteArray& state);
