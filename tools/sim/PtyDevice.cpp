#include "PtyDevice.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString SystemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

int RateOf(speed_t speed)
{
    switch (speed) {
    case B1200:
        return 1200;
    case B2400:
        return 2400;
    case B4800:
        return 4800;
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    case B57600:
        return 57600;
    case B115200:
        return 115200;
    default:
        return 0;
    }
}

}  // namespace

PtyDevice::~PtyDevice()
{
    close();
}

bool PtyDevice::open(QString* error)
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0) {
        *error = SystemError("posix_openpt");
        return false;
    }
    char name[256] = {};
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0
        || ptsname_r(m_master, name, sizeof name) != 0) {
        *error = SystemError("pseudo-terminal set-up");
        close();
        return false;
    }
    m_devicePath = QString::fromLocal8Bit(name);
    makeRaw();
    // A master whose slave was never opened looks as if a host were there. Opening and
    // closing the slave once puts it in the "nobody listening" state until a host opens it.
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave >= 0)
        ::close(slave);
    return true;
}

void PtyDevice::close()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

void PtyDevice::makeRaw()
{
    termios settings{};
    if (m_master < 0 || tcgetattr(m_master, &settings) != 0)
        return;
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    tcsetattr(m_master, TCSANOW, &settings);
}

bool PtyDevice::hostPresent() const
{
    if (m_master < 0)
        return false;
    pollfd entry{m_master, POLLIN, 0};
    if (poll(&entry, 1, 0) < 0)
        return false;
    return (entry.revents & POLLHUP) == 0;
}

int PtyDevice::hostRate() const
{
    termios settings{};
    if (m_master < 0 || tcgetattr(m_master, &settings) != 0)
        return 0;
    return RateOf(cfgetospeed(&settings));
}

PtyDevice::ReadResult PtyDevice::read(QByteArray& bytes)
{
    ReadResult result = ReadResult::Nothing;
    char buffer[512];
    while (m_master >= 0) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
            result = ReadResult::Data;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return result;
        // EIO (or end of file): the last host closed its side.
        return result == ReadResult::Data ? result : ReadResult::HostGone;
    }
    return result;
}

qint64 PtyDevice::write(const QByteArray& bytes)
{
    if (m_master < 0)
        return -1;
    for (;;) {
        const ssize_t n = ::write(m_master, bytes.constData(), static_cast<size_t>(bytes.size()));
        if (n >= 0)
            return n;
        if (errno == EINTR)
            continue;
        return errno == EAGAIN ? 0 : -1;
    }
}
