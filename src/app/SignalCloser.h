#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// Turns SIGTERM and SIGINT into closing the main window, as "Exit" does, so the
// settings and the message log's closing block are written before the program ends.
class SignalCloser : public QObject {
    Q_OBJECT
public:
    explicit SignalCloser(QWidget& window);
    ~SignalCloser() override;

private:
    QWidget& m_window;
    QSocketNotifier* m_notifier = nullptr;
};
