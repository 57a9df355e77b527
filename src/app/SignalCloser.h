#pragma once

#include "platform/TerminationSignals.h"

#include <QObject>

// Turns SIGTERM and SIGINT into closing the main window, as "Exit" does, so the
// settings and the message log's closing block are written before the program ends.
class SignalCloser : public QObject {
    Q_OBJECT
public:
    explicit SignalCloser(QObject* parent = nullptr);

private:
    TerminationSignals m_signals;
};
