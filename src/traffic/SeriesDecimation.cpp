#include "traffic/SeriesDecimation.h"

#include <algorithm>

QList<QPointF> DecimateMinMax(const QList<QPointF>& points, int buckets)
{
    if (buckets < 1 || points.size() <= 2 * static_cast<qsizetype>(buckets))
        return points;
    QList<QPointF> kept;
    kept.reserve(2 * buckets);
    const qsizetype count = points.size();
    for (qsizetype b = 0; b < buckets; ++b) {
        const auto first = points.cbegin() + b * count / buckets;
        const auto last = points.cbegin() + (b + 1) * count / buckets;
        if (first == last)
            continue;
        const auto [low, high] = std::minmax_element(
            first, last, [](const QPointF& p, const QPointF& q) { return p.y() < q.y(); });
        kept.append(low < high ? *low : *high);
        if (low != high)
            kept.append(low < high ? *high : *low);
    }
    return kept;
}
