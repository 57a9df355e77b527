#include "link/SessionHistory.h"

#include <algorithm>

namespace {

constexpr int kMaxFrameBytes = 255;
// Labels are rarely new (the message catalogue, a few notices); the pool is rebuilt
// from the lines kept only when it outgrows them, so it never grows without bound.
constexpr size_t kMinLabelsBeforeCompacting = 256;

bool HasLabel(LineDirection direction)
{
    return direction != LineDirection::Separator;
}

// The offset from the wall-clock time the QDateTime holds, which takes no second look
// into the time zone rules (each look costs microseconds, on every line of a flood).
qint16 OffsetMinutes(const QDateTime& arrived, qint64 msecsSinceEpoch)
{
    const qint64 wallClock = QDateTime(arrived.date(), arrived.time(), Qt::UTC).toMSecsSinceEpoch();
    return static_cast<qint16>((wallClock - msecsSinceEpoch) / 60000);
}

}  // namespace

SessionHistory::SessionHistory(int capacity) : m_capacity(std::max(1, capacity)) {}

void SessionHistory::append(const QDateTime& arrived, const LogLine& line)
{
    if (size() >= m_capacity)
        dropOldest();
    const QByteArray bytes = line.bytes.left(kMaxFrameBytes);
    Entry entry{};
    entry.arrivedMsecs = arrived.toMSecsSinceEpoch();
    entry.utcOffsetMinutes = OffsetMinutes(arrived, entry.arrivedMsecs);
    entry.bytesAt = m_firstByteAt + static_cast<quint32>(m_bytes.size());
    entry.label = HasLabel(line.direction)
                      ? labelFor(line.direction == LineDirection::Status ? line.text : line.name)
                      : 0;
    entry.packetId = static_cast<qint16>(std::clamp(line.packetId, -1, 0x7FFF));
    entry.direction = line.direction;
    entry.byteCount = static_cast<quint8>(bytes.size());
    m_bytes.insert(m_bytes.end(), bytes.cbegin(), bytes.cend());
    m_entries.push_back(entry);
}

HistoryLine SessionHistory::at(int index) const
{
    const Entry& entry = m_entries.at(static_cast<size_t>(index));
    HistoryLine result;
    result.arrived = QDateTime::fromMSecsSinceEpoch(entry.arrivedMsecs, Qt::OffsetFromUTC,
                                                    entry.utcOffsetMinutes * 60);
    LogLine& line = result.line;
    line.direction = entry.direction;
    if (entry.direction == LineDirection::Status)
        line.text = m_labels[entry.label];
    else if (HasLabel(entry.direction))
        line.name = m_labels[entry.label];
    const auto first = m_bytes.cbegin() + static_cast<qint64>(entry.bytesAt - m_firstByteAt);
    line.bytes = QByteArray(entry.byteCount, Qt::Uninitialized);
    std::copy(first, first + entry.byteCount, line.bytes.begin());
    line.packetId = entry.packetId;
    return result;
}

quint32 SessionHistory::labelFor(const QString& label)
{
    if (const auto found = m_labelIndex.constFind(label); found != m_labelIndex.cend())
        return found.value();
    if (m_labels.size() >= std::max(kMinLabelsBeforeCompacting, 2 * m_entries.size()))
        compactLabels();
    const auto index = static_cast<quint32>(m_labels.size());
    m_labels.push_back(label);
    m_labelIndex.insert(label, index);
    return index;
}

void SessionHistory::dropOldest()
{
    const Entry& oldest = m_entries.front();
    m_bytes.erase(m_bytes.begin(), m_bytes.begin() + oldest.byteCount);
    m_firstByteAt += oldest.byteCount;
    m_entries.pop_front();
}

// Keeps only the labels that lines still carry, renumbered.
void SessionHistory::compactLabels()
{
    std::vector<QString> kept;
    QHash<QString, quint32> index;
    for (Entry& entry : m_entries) {
        if (!HasLabel(entry.direction))
            continue;
        const QString& label = m_labels[entry.label];
        auto found = index.find(label);
        if (found == index.end()) {
            found = index.insert(label, static_cast<quint32>(kept.size()));
            kept.push_back(label);
        }
        entry.label = found.value();
    }
    m_labels = std::move(kept);
    m_labelIndex = std::move(index);
}
