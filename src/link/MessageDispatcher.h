#pragma once

#include <array>
#include <functional>

class Frame;

// Checks a complete frame and calls the response handler registered for its type with
// it. Each is registered by the part of the program that owns its message.
class MessageDispatcher {
public:
    using Handler = std::function<void(const Frame&)>;

    // type must be one of the catalogued response codes.
    void registerHandler(int type, Handler handler);
    bool hasHandler(int type) const;

    // Drops frames with a bad checksum or a type outside 129 .. 153; otherwise runs the
    // type's handler, if any.
    void DispatchReceivedMessage(const Frame& frame) const;

private:
    std::array<Handler, 256> m_handlers{};
};
