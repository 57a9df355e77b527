#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a Qt signal on the event loop, so shutting down (closing
// the window, the port, the module's device) happens where any code may run, never inside
// a signal handler. One instance at a time.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    // Restores the default handling of both signals.
    ~TerminationSignals() override;

    // False when the pipe that carries the signals to the event loop cannot be made.
    bool install();

signals:
    void terminationRequested();

private:
    void drain();

    QSocketNotifier* m_notifier = nullptr;
};
