#pragma once

#include "link/SerialPort.h"

#include <QList>
#include <QString>
#include <QStringList>

// A port that could not be opened, and why.
struct PortRefusal {
    PortDescription port;
    PortOpenFailure failure = PortOpenFailure::None;
};

// "permission denied", "in use by another program", "not found", "cannot be opened";
// empty when the port opened.
QString PortFailureWords(PortOpenFailure failure);

// The short line beside a port number: the device, what the system knows of it and
// why it cannot be opened, e.g. "/dev/ttyUSB0 (FT232R USB UART, FTDI) — permission denied".
QString PortLabelText(const PortDescription& port, PortOpenFailure failure);

// The same at length, one fact a line, with what to do about the failure.
QString PortDetailsText(const PortDescription& port, PortOpenFailure failure);

// What the user can do about a port that did not open, naming its device; empty
// when it opened.
QString PortProblemAdvice(const QString& device, PortOpenFailure failure);

// "<devices>: permission denied." and how to join the dialout group; empty for no devices.
QString PermissionAdvice(const QStringList& devices);

// `status` after a search or probe that found no module, followed by why, when a port
// could not be checked for a reason the user can remove: permission denied first, then
// a device that does not exist. Ports that are busy or absent from the system say nothing.
QString NoModuleStatus(const QString& status, const QList<PortRefusal>& refusals);
