#pragma once

#include <QString>
#include <QStringList>

// Which device a port number 1 .. 8 names: settings section "Ports", key "COM<n>"
// when present; otherwise "COM<n>" on Windows; elsewhere the n-th serial device
// present, USB adapters (ttyUSB*, ttyACM*) before built-in ports (ttyS*).
QString DeviceForPortNumber(int portNumber);

// The platform default order of present devices (exposed for tests).
QStringList OrderSerialDevices(const QStringList& deviceNames);

// For this run only (a device given on the command line): port number `portNumber`
// names `device`, ahead of the settings and the devices present.
void UseDeviceForThisRun(int portNumber, const QString& device);

// The port number 1 .. 8 that names `device` (a path, or a name under /dev); 0 if none.
int PortNumberOfDevice(const QString& device);

// "ttyUSB0" -> "/dev/ttyUSB0"; a path stays as it is. Both name the same device.
QString DevicePath(const QString& device);
