#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Writes what `write` puts into the open file; `write` returns false when the file
// refused some of it. A regular file (or a new one) is replaced only once it is
// complete, so a failed export leaves the old content; a device or FIFO (/dev/null)
// is written into under its own name. "" when written, else the system's
// description of what failed ("No space left on device").
QString WriteExportFile(const QString& path, const std::function<bool(QIODevice&)>& write);

// Hands `data` to `out` whole. A device may take part of a write (a disk that fills up
// takes what fits); the rest is offered again, and the device refuses it with the
// reason, which the device's error then tells.
bool WriteWhole(QIODevice& out, const QByteArray& data);
