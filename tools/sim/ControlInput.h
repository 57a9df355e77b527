#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// Lines from standard input, one control command each. The end of input only stops
// the reading: scripts start the simulator with stdin from /dev/null.
class ControlInput : public QObject {
    Q_OBJECT
public:
    explicit ControlInput(QObject* parent = nullptr);

    void start();

signals:
    void lineReceived(const QString& line);

private:
    void onReadable();
    void stop();

    QSocketNotifier* m_notifier = nullptr;
    QByteArray m_pending;
};
