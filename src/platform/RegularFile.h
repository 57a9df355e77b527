#pragma once

#include <QIODevice>
#include <QString>

class QFile;

// What a refused path reports: it names a device, FIFO, socket or folder.
inline const QString kNotRegularFileError = QStringLiteral("Not a regular file");

// Opens the file that `file` names with `mode`, but only a regular file. The name is opened
// once without waiting and the opened handle is checked, so a FIFO or device put in the
// file's place is refused at once instead of holding the caller in open() until a peer
// comes. On failure `error` gets the system's description or kNotRegularFileError.
bool OpenRegularFile(QFile& file, QIODevice::OpenMode mode, QString* error);
