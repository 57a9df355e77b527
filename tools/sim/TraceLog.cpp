#include "TraceLog.h"

#include "protocol/Frame.h"

bool TraceLog::open(const QString& path, QString* error)
{
    if (path.isEmpty())
        return true;
    m_file.setFileName(path);
    if (m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return true;
    *error = m_file.errorString();
    return false;
}

void TraceLog::write(qint64 ms, Direction direction, int hostRate, const QByteArray& bytes,
                     bool ignored)
{
    if (!m_file.isOpen())
        return;
    m_file.write(line(ms, direction, hostRate, bytes, ignored).toLatin1() + '\n');
    m_file.flush();
}

QString TraceLog::line(qint64 ms, Direction direction, int hostRate, const QByteArray& bytes,
                       bool ignored)
{
    QString text = QStringLiteral("%1 %2 %3 %4")
                       .arg(ms)
                       .arg(direction == Direction::HostToModule ? QStringLiteral("H>M")
                                                                 : QStringLiteral("M>H"))
                       .arg(hostRate)
                       .arg(HexText(bytes).trimmed());
    if (ignored)
        text += QStringLiteral(" ignored");
    return text;
}
