#include "link/SessionHistory.h"

#include <algorithm>

namespace {

constexpr int kMaxFrameBytes = 255;

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

SessionHistory::SessionHistory(int capacity) : m_capacity(std::max(1, capacity))
{
    m_open.entries.reserve(kBlockLines);
}

void SessionHistory::append(const QDateTime& arrived, const LogLine& line)
{
    if (m_size >= m_capacity)
        dropOldest();
    const QByteArray bytes = line.bytes.left(kMaxFrameBytes);
    Entry entry{};
    entry.arrivedMsecs = arrived.toMSecsSinceEpoch();
    entry.utcOffsetMinutes = OffsetMinutes(arrived, entry.arrivedMsecs);
    entry.bytesAt = static_cast<quint32>(m_open.bytes.size());
    entry.label = HasLabel(line.direction)
                      ? labelFor(line.direction == LineDirection::Status ? line.text : line.name)
                      : 0;
    entry.packetId = static_cast<qint16>(std::clamp(line.packetId, -1, 0x7FFF));
    entry.direction = line.direction;
    entry.byteCount = static_cast<quint8>(bytes.size());
    m_open.bytes.append(bytes);
    m_open.entries.push_back(entry);
    ++m_size;
    if (m_open.entries.size() == static_cast<size_t>(kBlockLines))
        sealOpenBlock();
}

HistoryLine SessionHistory::at(int index) const
{
    const auto position = static_cast<size_t>(index + m_droppedFromOldest);
    const size_t blockIndex = position / kBlockLines;
    const Block& block = blockIndex < m_fullBlocks.size() ? *m_fullBlocks[blockIndex] : m_open;
    const Entry& entry = block.entries.at(position - blockIndex * kBlockLines);
    HistoryLine result;
    result.arrived = QDateTime::fromMSecsSinceEpoch(entry.arrivedMsecs, Qt::OffsetFromUTC,
                                                    entry.utcOffsetMinutes * 60);
    LogLine& line = result.line;
    line.direction = entry.direction;
    if (entry.direction == LineDirection::Status)
        line.text = block.labels[entry.label];
    else if (HasLabel(entry.direction))
        line.name = block.labels[entry.label];
    line.bytes = QByteArray(block.bytes.constData() + entry.bytesAt, entry.byteCount);
    line.packetId = entry.packetId;
    return result;
}

// Labels are rarely new (the message catalogue, a few notices), and each block keeps
// its own: they go when their block goes.
quint32 SessionHistory::labelFor(const QString& label)
{
    if (const auto found = m_openLabelIndex.constFind(label); found != m_openLabelIndex.cend())
        return found.value();
    const auto index = static_cast<quint32>(m_open.labels.size());
    m_open.labels.push_back(label);
    m_openLabelIndex.insert(label, index);
    return index;
}

void SessionHistory::sealOpenBlock()
{
    m_open.bytes.squeeze();
    m_fullBlocks.push_back(std::make_shared<const Block>(std::move(m_open)));
    m_open = Block{};
    m_open.entries.reserve(kBlockLines);
    m_openLabelIndex.clear();
}

// A full block stays whole until its last line is dropped, so copies sharing it never
// see it change.
void SessionHistory::dropOldest()
{
    --m_size;
    ++m_droppedFromOldest;
    if (!m_fullBlocks.empty() && m_droppedFromOldest == kBlockLines) {
        m_fullBlocks.pop_front();
        m_droppedFromOldest = 0;
    }
}
