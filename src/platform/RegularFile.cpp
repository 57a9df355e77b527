#include "platform/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// O_NOCTTY: a terminal put in the file's place must not become the program's own.
int OpenFlags(QIODevice::OpenMode mode)
{
    const int common = O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    if (!(mode & (QIODevice::WriteOnly | QIODevice::Append)))
        return common | O_RDONLY;
    int flags = common | ((mode & QIODevice::ReadOnly) ? O_RDWR : O_WRONLY);
    if (!(mode & QIODevice::ExistingOnly))
        flags |= O_CREAT;
    if (mode & QIODevice::Truncate)
        flags |= O_TRUNC;
    if (mode & QIODevice::Append)
        flags |= O_APPEND;
    return flags;
}

// ENXIO: a FIFO nobody reads, a socket or a device without its hardware; EISDIR: a folder.
bool NamesNoRegularFile(int openError)
{
    return openError == ENXIO || openError == EISDIR;
}

bool IsRegularFile(int fd)
{
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

bool Refuse(QString* error, const QString& description)
{
    *error = description;
    return false;
}

}  // namespace

bool OpenRegularFile(QFile& file, QIODevice::OpenMode mode, QString* error)
{
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(), OpenFlags(mode), 0666);
    if (fd < 0)
        return Refuse(error, NamesNoRegularFile(errno) ? kNotRegularFileError : qt_error_string(errno));
    if (!IsRegularFile(fd)) {
        ::close(fd);
        return Refuse(error, kNotRegularFileError);
    }
    // Writes wait as usual again: leases and mandatory locks honour O_NONBLOCK.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Refuse(error, file.errorString());
    }
    return true;
}
