#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into closing the main window, as "Exit" does, so the
// settings and the message log's closing block are written before the program ends.
class SignalCloser : public QObject {
    Q_OBJECT
public:
    explicit SignalCloser(QObject* parent = nullptr);
    ~SignalCloser() override;

private:
    QSocketNotifier* m_notifier = nullptr;
};
