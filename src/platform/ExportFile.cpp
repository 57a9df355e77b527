#include "platform/ExportFile.h"

#include "platform/ExportFileName.h"

#include <QFile>
#include <QSaveFile>

namespace {

constexpr QIODevice::OpenMode kWriteMode = QIODevice::WriteOnly;

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
