#include "link/TerminalDevice.h"

#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opened the way the serial port opens it, so that looking has no effect the failed
// open did not already have; never waits for a carrier.
bool IsTerminal(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return true;  // cannot tell: say nothing rather than something wrong
    const bool terminal = ::isatty(fd) == 1;
    ::close(fd);
    return terminal;
}

}  // namespace

bool IsNotASerialPort(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    struct stat info {};
    if (::stat(encoded.constData(), &info) != 0)
        return false;
    return !S_ISCHR(info.st_mode) || !IsTerminal(encoded);
}

bool HasHungUp(int fd)
{
    pollfd watched{fd, POLLIN, 0};
    if (::poll(&watched, 1, 0) != 1)
        return false;
    return (watched.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}
