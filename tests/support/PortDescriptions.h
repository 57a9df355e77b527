#pragma once

#include "link/SerialPort.h"

#include <QString>

// The advice that follows "permission denied" wherever a port is refused for it.
inline const QString kDialoutAdvice = QStringLiteral(
    "On most distributions you must be in the dialout group: "
    "sudo usermod -aG dialout $USER, then log out and in.");

// What the system might know of a device, for fake ports and the texts made from them.
inline PortDescription Device(const QString& device, bool present = true,
                              const QString& description = {}, const QString& manufacturer = {},
                              const QString& serialNumber = {})
{
    PortDescription port;
    port.device = device;
    port.present = present;
    port.description = description;
    port.manufacturer = manufacturer;
    port.serialNumber = serialNumber;
    return port;
}
