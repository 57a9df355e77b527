#include "DeviceLink.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <unistd.h>

DeviceLink::~DeviceLink()
{
    remove();
}

bool DeviceLink::create(const QString& linkPath, const QString& target, QString* error)
{
    const QFileInfo existing(linkPath);
    if (existing.isSymLink()) {
        QFile::remove(linkPath);
    } else if (existing.exists()) {
        *error = QStringLiteral("%1 exists and is not a symbolic link").arg(linkPath);
        return false;
    }
    if (symlink(QFile::encodeName(target).constData(), QFile::encodeName(linkPath).constData())
        != 0) {
        *error = QStringLiteral("cannot create %1: %2")
                     .arg(linkPath, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    m_linkPath = linkPath;
    m_target = target;
    return true;
}

void DeviceLink::remove()
{
    if (m_linkPath.isEmpty())
        return;
    if (QFileInfo(m_linkPath).symLinkTarget() == m_target)
        QFile::remove(m_linkPath);
    m_linkPath.clear();
}
