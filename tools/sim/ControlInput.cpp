#include "ControlInput.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

ControlInput::ControlInput(QObject* parent)
    : QObject(parent)
{
}

void ControlInput::start()
{
    if (fcntl(STDIN_FILENO, F_GETFD) < 0)
        return;  // started with stdin closed
    m_notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ControlInput::onReadable);
}

void ControlInput::onReadable()
{
    char buffer[1024];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        stop();
        return;
    }
    m_pending.append(buffer, n);
    qsizetype end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QByteArray line = m_pending.left(end);
        m_pending.remove(0, end + 1);
        emit lineReceived(QString::fromLocal8Bit(line));
    }
}

void ControlInput::stop()
{
    if (!m_pending.isEmpty())
        emit lineReceived(QString::fromLocal8Bit(m_pending));  // a last line without newline
    m_pending.clear();
    m_notifier->setEnabled(false);
}
