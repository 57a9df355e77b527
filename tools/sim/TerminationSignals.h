#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a Qt signal, so the simulator can tidy up (remove
// its link, close its device) on the event loop instead of inside a signal handler.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    bool install();

signals:
    void terminationRequested();

private:
    void onPipeReadable();

    QSocketNotifier* m_notifier = nullptr;
};
