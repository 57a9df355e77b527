#include "link/MessageDispatcher.h"

#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"

#include <QtGlobal>

void MessageDispatcher::registerHandler(int type, Handler handler)
{
    Q_ASSERT(IsCataloguedResponse(type));
    if (type >= 0 && type < static_cast<int>(m_handlers.size()))
        m_handlers[static_cast<std::size_t>(type)] = std::move(handler);
}

bool MessageDispatcher::hasHandler(int type) const
{
    return type >= 0 && type < static_cast<int>(m_handlers.size())
           && static_cast<bool>(m_handlers[static_cast<std::size_t>(type)]);
}

void MessageDispatcher::DispatchReceivedMessage(const Frame& frame) const
{
    if (!frame.checksumOk())
        return;
    const int type = frame.type();
    if (type < MessageCode::FirstDispatchedType || type > MessageCode::LastDispatchedType)
        return;
    if (hasHandler(type))
        m_handlers[static_cast<std::size_t>(type)](frame);
}
