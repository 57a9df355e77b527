#pragma once

#include <QString>

#include <functional>

class QIODevice;

// Writes what `write` puts into the open file; `write` returns false when the file
// refused some of it. A regular file (or a new one) is replaced only once it is
// complete, so a failed export leaves the old content; a device or FIFO (/dev/null)
// is written into under its own name. "" when written, else what failed.
QString WriteExportFile(const QString& path, const std::function<bool(QIODevice&)>& write);

