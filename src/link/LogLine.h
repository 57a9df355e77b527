#pragma once

#include <QByteArray>
#include <QString>

// Which way a line of the communications log went, or what else it is.
enum class LineDirection : quint8 {
    HostToModule,  // a frame the host wrote
    ModuleToHost,  // a frame the module sent
    Timeout,       // a command that got no answer
    Status,        // a notice: port fault, buffer overflow, clear-to-send, log file
    Separator,     // the empty line that sets exchanges apart
};

// One line of the communications log before it becomes text: what the log keeps
// of it beyond the screen.
struct LogLine {
    LineDirection direction = LineDirection::Separator;
    QString name;        // the message name (frames, time-outs)
    QString text;        // a status line's text
    QByteArray bytes;    // the frame (both directions)
    int packetId = -1;   // shown as "PID=n:" before a frame's line; -1: not shown

    static LogLine Frame(LineDirection direction, const QString& name, const QByteArray& bytes,
                         int packetId = -1);
    static LogLine Timeout(const QString& name);
    // A status line, or a separator when the text is empty.
    static LogLine Status(const QString& text);
};

// The line as the log shows it, e.g. "PID=3:TXCVR->Host (Received RF Data Message): 01 0B ... 04 "
// or "Query IDs Timeout!".
QString LogLineText(const LogLine& line);

// "Host->TXCVR", "TXCVR->Host", "Timeout", "Status" or "Separator".
QString DirectionName(LineDirection direction);
