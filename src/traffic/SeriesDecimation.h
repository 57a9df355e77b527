#pragma once

#include <QList>
#include <QPointF>

// At most about 2 × `buckets` points that draw like `points` at `buckets` pixels wide:
// consecutive runs of points are each replaced by their lowest and highest point, in
// time order, so peaks and dips stay visible. Fewer points than that come back as
// they are. A day of one-second intervals stays cheap to draw.
QList<QPointF> DecimateMinMax(const QList<QPointF>& points, int buckets);
