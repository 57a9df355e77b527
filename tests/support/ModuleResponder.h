#pragma once

#include "support/FakeSerialPort.h"

#include <QByteArray>
#include <QString>

// The module's IDs reply (IDs 1, 1, 1): what a probe of the search is answered with.
inline const QByteArray kIdsReply = QByteArray::fromHex("010B832C0101000100BE04");

// A module on one port at one rate for a fake port: it answers Query IDs with an IDs
// reply a few milliseconds later, as a real module would, and nothing else.
inline FakeSerialPort::Responder ModuleAnsweringIds(int portNumber, const QString& baudRate,
                                                    const QByteArray& idsReply)
{
    return [=](FakeSerialPort& port, const QByteArray& written) {
        if (port.selectedPort() == portNumber
            && port.parameters() == baudRate + QStringLiteral(",N,8,1")
            && written == QByteArray::fromHex("0105030904"))
            port.feedReceivedLater(idsReply, 5);
    };
}
