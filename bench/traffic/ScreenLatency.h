#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

class QAbstractItemView;
class QWidget;

// When each received RF data line of the communications log reached the screen: the
// moment its row was inserted (rows inserted together: the oldest first), and the end
// of the first repaint of the window (drawing and handing the picture to the display)
// whose list painting began after that.
class LogLineScreenTimes : public QObject {
public:
    struct Line {
        QString hex;  // the frame's bytes as the log shows them, trimmed
        double insertedMs = 0;
        double shownMs = -1;  // -1: not drawn yet
    };

    LogLineScreenTimes(QAbstractItemView& list, QWidget& window, const QElapsedTimer& clock);

    const std::vector<Line>& lines() const { return m_lines; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onTopRowInserted(int row);
    void onRepaintEnded();

    QAbstractItemView& m_list;
    QWidget& m_window;
    const QElapsedTimer& m_clock;
    std::vector<Line> m_lines;
    size_t m_paintedUpTo = 0;  // lines before this were in a list painting begun so far
    size_t m_shownUpTo = 0;    // lines before this have their shownMs
};

struct LatencyFigures {
    size_t count = 0;
    double medianMs = 0;
    double p99Ms = 0;
    double maxMs = 0;
};

struct TracedFrame {
    double sentMs;  // on the simulator's clock, when its last byte left
    QString hex;
};

// The Received RF Data Messages the simulator traced towards the host. A trace line
// ("ms M>H rate hex") marks when the simulator began to write a frame; a paced line
// takes `msPerByte` for each byte after that.
std::vector<TracedFrame> RfDataFramesToHost(const QStringList& traceLines, double msPerByte);

// From the simulator finishing each frame to the frame's line on screen. The simulator's
// clock is set against this one by the frame that arrived soonest, so the figures
// leave out the fastest transit (well under 1 ms).
LatencyFigures SentToShownLatency(const std::vector<TracedFrame>& frames,
                                  const std::vector<LogLineScreenTimes::Line>& lines);
