#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler writes a byte to one end, the event loop reads the other. Neither end
// blocks: while the loop is busy (shutting down, exporting) a burst of signals fills the
// pair, and later bytes are dropped, since one byte waiting already wakes the loop.
int g_pair[2] = {-1, -1};
constexpr int kHandlerEnd = 0;
constexpr int kLoopEnd = 1;

void OnSignal(int)
{
    const int savedErrno = errno;  // the interrupted code may be about to read it
    const char byte = 1;
    [[maybe_unused]] const ssize_t sent =
        ::send(g_pair[kHandlerEnd], &byte, 1, MSG_DONTWAIT | MSG_NOSIGNAL);
    errno = savedErrno;
}

void InstallHandler(int signalNumber)
{
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signalNumber, &action, nullptr);
}

void ClosePair()
{
    for (int& fd : g_pair) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent)
{
}

TerminationSignals::~TerminationSignals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    delete m_notifier;
    ClosePair();
}

bool TerminationSignals::install()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_pair) != 0)
        return false;
    m_notifier = new QSocketNotifier(g_pair[kLoopEnd], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::drain);
    InstallHandler(SIGINT);
    InstallHandler(SIGTERM);
    return true;
}

void TerminationSignals::drain()
{
    char bytes[64];
    while (::read(g_pair[kLoopEnd], bytes, sizeof bytes) > 0) {
    }
    emit terminationRequested();
}
