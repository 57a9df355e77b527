#include "cli/HeadlessMessageList.h"

void HeadlessMessageList::insertTopLine(const QString& text, const QDateTime& arrived)
{
    m_lines.prepend(text);
    if (m_shown)
        m_shown(text, arrived);
}

void HeadlessMessageList::removeLine(int index)
{
    if (index >= 0 && index < m_lines.size())
        m_lines.removeAt(index);
}
