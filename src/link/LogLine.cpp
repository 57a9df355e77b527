#include "link/LogLine.h"

#include "protocol/Frame.h"

LogLine LogLine::Frame(LineDirection direction, const QString& name, const QByteArray& bytes,
                       int packetId)
{
    LogLine line;
    line.direction = direction;
    line.name = name;
    line.bytes = bytes;
    line.packetId = packetId;
    return line;
}

LogLine LogLine::Timeout(const QString& name)
{
    LogLine line;
    line.direction = LineDirection::Timeout;
    line.name = name;
    return line;
}

LogLine LogLine::Status(const QString& text)
{
    LogLine line;
    line.direction = text.isEmpty() ? LineDirection::Separator : LineDirection::Status;
    line.text = text;
    return line;
}

QString LogLineText(const LogLine& line)
{
    switch (line.direction) {
    case LineDirection::HostToModule:
    case LineDirection::ModuleToHost: {
        QString text = DirectionName(line.direction) + QStringLiteral(" (") + line.name
                       + QStringLiteral("): ") + HexText(line.bytes);
        if (line.packetId >= 0)
            text.prepend(QStringLiteral("PID=%1:").arg(line.packetId));
        return text;
    }
    case LineDirection::Timeout:
        return line.name + QStringLiteral(" Timeout!");
    case LineDirection::Status:
    case LineDirection::Separator:
        break;
    }
    return line.text;
}

QString DirectionName(LineDirection direction)
{
    switch (direction) {
    case LineDirection::HostToModule:
        return QStringLiteral("Host->TXCVR");
    case LineDirection::ModuleToHost:
        return QStringLiteral("TXCVR->Host");
    case LineDirection::Timeout:
        return QStringLiteral("Timeout");
    case LineDirection::Status:
        return QStringLiteral("Status");
    case LineDirection::Separator:
        break;
    }
    return QStringLiteral("Separator");
}
