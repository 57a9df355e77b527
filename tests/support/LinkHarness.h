#pragma once

#include "link/LinkSession.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingMessageList.h"

#include <memory>

// A serial link over a fake port, with its log in a plain list of strings; the port is
// selected and open unless asked otherwise.
struct LinkHarness {
    RecordingMessageList list;
    FakeSerialPort* port;
    LinkSession link;

    explicit LinkHarness(bool open = true)
        : port(new FakeSerialPort), link(std::unique_ptr<SerialPort>(port), list)
    {
        port->selectPort(1);
        port->setParameters(QStringLiteral("19200,N,8,1"));
        if (open)
            port->open();
        port->clearRecords();
    }

    // Log lines from the top (newest first).
    const QStringList& lines() const { return list.lines; }
};
