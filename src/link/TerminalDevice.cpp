#include "link/TerminalDevice.h"

#include <poll.h>

bool HasHungUp(int fd)
{
    pollfd watched{fd, POLLIN, 0};
    if (::poll(&watched, 1, 0) != 1)
        return false;
    return (watched.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}
