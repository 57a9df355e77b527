#include "platform/ExportFile.h"

#include "platform/ExportFileName.h"

#include <QFile>
#include <QSaveFile>

namespace {

// Unbuffered: each write reaches the system at once, so a refusal is reported by the
// write it belongs to, with the system's reason, not later by a flush as "Unknown error".
constexpr QIODevice::OpenMode kWriteMode = QIODevice::WriteOnly | QIODevice::Unbuffered;

QString ReplaceWhenComplete(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    QSaveFile file(path);
    if (!file.open(kWriteMode) || !write(file) || !file.commit())
        return file.errorString();
    return {};
}

// Renaming a complete copy over a device would put a regular file in its place.
QString WriteInPlace(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    QFile file(path);
    if (!file.open(kWriteMode) || !write(file))
        return file.errorString();
    file.close();
    return file.error() == QFileDevice::NoError ? QString() : file.errorString();
}

}  // namespace

QString WriteExportFile(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    if (WhatPathHolds(path) == PathHolds::OtherFile)
        return WriteInPlace(path, write);
    return ReplaceWhenComplete(path, write);
}

bool WriteWhole(QIODevice& out, const QByteArray& data)
{
    qint64 written = 0;
    while (written < data.size()) {
        const qint64 taken = out.write(data.constData() + written, data.size() - written);
        if (taken <= 0)
            return false;
        written += taken;
    }
    return true;
}
