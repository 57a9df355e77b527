#include "cli/ProgressLine.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kRedrawIntervalMs = 100;

}  // namespace

ProgressLine::ProgressLine(bool enabled) : m_enabled(enabled) {}

void ProgressLine::show(const QString& text)
{
    if (!m_enabled || (m_sinceDrawn.isValid() && m_sinceDrawn.elapsed() < kRedrawIntervalMs))
        return;
    m_sinceDrawn.start();
    const QByteArray line = text.toLocal8Bit();
    // Blanks over what a longer line left.
    std::fprintf(stderr, "\r%s%*s", line.constData(), std::max(0, m_width - int(line.size())), "");
    std::fflush(stderr);
    m_width = int(line.size());
}

void ProgressLine::clear()
{
    if (!m_enabled || m_width == 0)
        return;
    std::fprintf(stderr, "\r%*s\r", m_width, "");
    std::fflush(stderr);
    m_width = 0;
}

QString ProgressText(qint64 sent, int count, const QString& successText, double kbps,
                     double elapsedSeconds)
{
    return QStringLiteral("sent %1/%2  success %3  %4 kbps  elapsed %5 s")
        .arg(sent)
        .arg(count)
        .arg(successText)
        .arg(kbps, 0, 'f', 1)
        .arg(elapsedSeconds, 0, 'f', 1);
}
