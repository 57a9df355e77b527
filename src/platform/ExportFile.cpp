#include "platform/ExportFile.h"

#include "platform/ExportFileName.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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
// Opened without waiting: a FIFO that nobody reads would hold open() until a reader came.
// The writes that follow may wait again, as for any device.
QString OpenWithoutWaiting(QFile& file)
{
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(),
                          O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENXIO)
            return QStringLiteral("Nothing is reading from it");
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, kWriteMode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return {};
}

QString WriteInPlace(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    QFile file(path);
    if (const QString refused = OpenWithoutWaiting(file); !refused.isEmpty())
        return refused;
    if (!write(file))
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
