#include "platform/ExportFileName.h"

#include <QFileInfo>

PathHolds WhatPathHolds(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return PathHolds::Nothing;
    if (info.isDir())
        return PathHolds::Folder;
    return info.isFile() ? PathHolds::RegularFile : PathHolds::OtherFile;
}

QString ExportFileName(const QString& chosen, const QString& extension, PathHolds atChosen)
{
    const bool nonRegular = atChosen == PathHolds::Folder || atChosen == PathHolds::OtherFile;
    if (nonRegular || !QFileInfo(chosen).suffix().isEmpty())
        return chosen;
    return chosen + QLatin1Char('.') + extension;
}
