#pragma once

#include <QList>
#include <QSerialPortInfo>

// The serial devices present now, as QSerialPortInfo lists them. Listing them walks the
// system's device tree and takes tens of milliseconds (about 80 ms on a machine without
// a udev daemon), too long to repeat for each of eight port numbers on the GUI thread.
// On Linux the list is therefore kept until the names of the tty devices change, which
// is cheap to read and happens whenever an adapter comes or goes.
QList<QSerialPortInfo> PresentSerialPorts();
