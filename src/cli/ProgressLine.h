#pragma once

#include <QElapsedTimer>
#include <QString>

// One line on standard error that shows how a link test goes (count, success rate,
// throughput, elapsed time), redrawn in place at most ten times a second; only when
// standard error is a terminal, so logs and pipes never see it.
class ProgressLine {
public:
    explicit ProgressLine(bool enabled);

    void show(const QString& text);
    // Takes the line off the screen before the summary is printed.
    void clear();

private:
    bool m_enabled;
    QElapsedTimer m_sinceDrawn;
    int m_width = 0;
};

// "sent 12/100  success 91.67%  1.9 kbps  elapsed 3.4 s"
QString ProgressText(qint64 sent, int count, const QString& successText, double kbps,
                     double elapsedSeconds);
