#pragma once

#include <QString>

// What a path names before an export writes to it.
enum class PathHolds {
    Nothing,
    RegularFile,
    Folder,
    OtherFile,  // a device (/dev/null, /dev/full), a FIFO, a socket
};

// Looks at the file system (following links).
PathHolds WhatPathHolds(const QString& path);

// The file an export of type `extension` ("csv", "png") writes when the user chose
// `chosen`: "." + `extension` is added to a name that has no extension, unless the
// chosen path already is something other than a regular file; a device or a FIFO is
// written under its own name, never beside it.
QString ExportFileName(const QString& chosen, const QString& extension, PathHolds atChosen);
