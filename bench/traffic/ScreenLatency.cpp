#include "ScreenLatency.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <limits>

namespace {

const QString kRfDataLine = QStringLiteral("TXCVR->Host (Received RF Data Message): ");

double Percentile(const std::vector<double>& sorted, double fraction)
{
    return sorted[std::min(sorted.size() - 1, size_t(fraction * sorted.size()))];
}

}  // namespace

LogLineScreenTimes::LogLineScreenTimes(QAbstractItemView& list, QWidget& window,
                                       const QElapsedTimer& clock)
    : m_list(list), m_window(window), m_clock(clock)
{
    connect(list.model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                // A batch of lines comes in as one insertion, its oldest line lowest.
                for (int row = last; first == 0 && row >= 0; --row)
                    onTopRowInserted(row);
            });
    list.viewport()->installEventFilter(this);
    window.installEventFilter(this);
}

void LogLineScreenTimes::onTopRowInserted(int row)
{
    const QString text = m_list.model()->index(row, 0).data().toString();
    const auto at = text.indexOf(kRfDataLine);
    if (at >= 0)
        m_lines.push_back({text.mid(at + kRfDataLine.size()).trimmed(), m_clock.nsecsElapsed() / 1e6});
}

bool LogLineScreenTimes::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list.viewport() && event->type() == QEvent::Paint) {
        m_paintedUpTo = m_lines.size();
    } else if (watched == &m_window && event->type() == QEvent::UpdateRequest) {
        // The window paints and flushes inside its own handling of the request: run it
        // here, so its end can be timed.
        static_cast<QObject&>(m_window).event(event);
        onRepaintEnded();
        return true;
    }
    return false;
}

void LogLineScreenTimes::onRepaintEnded()
{
    const double now = m_clock.nsecsElapsed() / 1e6;
    for (; m_shownUpTo < m_paintedUpTo; ++m_shownUpTo)
        m_lines[m_shownUpTo].shownMs = now;
}

std::vector<TracedFrame> RfDataFramesToHost(const QStringList& traceLines, double msPerByte)
{
    std::vector<TracedFrame> frames;
    for (const QString& line : traceLines) {
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() > 5 && fields[1] == QLatin1String("M>H")
            && fields[5] == QLatin1String("94")) {
            const QStringList bytes = fields.mid(3);
            frames.push_back({fields[0].toDouble() + msPerByte * bytes.size(),
                              bytes.join(QLatin1Char(' '))});
        }
    }
    return frames;
}

LatencyFigures SentToShownLatency(const std::vector<TracedFrame>& frames,
                                  const std::vector<LogLineScreenTimes::Line>& lines)
{
    std::vector<std::pair<double, const LogLineScreenTimes::Line*>> matched;  // sent, line
    size_t next = 0;
    for (const LogLineScreenTimes::Line& line : lines) {
        size_t f = next;
        while (f < frames.size() && frames[f].hex != line.hex)
            ++f;
        if (f == frames.size())
            continue;  // not the simulator's (cannot happen) or the trace was cut short
        matched.emplace_back(frames[f].sentMs, &line);
        next = f + 1;
    }
    double offset = std::numeric_limits<double>::max();
    for (const auto& [sentMs, line] : matched)
        offset = std::min(offset, line->insertedMs - sentMs);

    std::vector<double> latencies;
    for (const auto& [sentMs, line] : matched)
        if (line->shownMs >= 0)
            latencies.push_back(line->shownMs - (sentMs + offset));
    LatencyFigures figures;
    if (latencies.empty())
        return figures;
    std::sort(latencies.begin(), latencies.end());
    figures.count = latencies.size();
    figures.medianMs = Percentile(latencies, 0.5);
    figures.p99Ms = Percentile(latencies, 0.99);
    figures.maxMs = latencies.back();
    return figures;
}
