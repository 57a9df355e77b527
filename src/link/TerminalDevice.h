#pragma once

#include <QString>

// What the system tells of a device file beyond whether it opened: questions asked
// after a failure, so that the user hears what happened rather than a left-over errno.

// `path` names something that exists but cannot be a serial port: a regular file, a
// folder, a FIFO, a socket, a block device, or a character device that is no terminal
// (/dev/null). False when it does not exist or cannot be examined.
bool IsNotASerialPort(const QString& path);

// The terminal open as `fd` has hung up: its adapter was pulled out, or the other side
// of a pseudo-terminal closed. Does not wait.
bool HasHungUp(int fd);
