#pragma once

#include <array>
#include <functional>

class FrameAssembler;

// Checks a complete frame and calls the response handler registered for its type.
// Handlers take no arguments: they read the frame from the receive buffer. Each is
// registered by the part of the program that owns its message.
class MessageDispatcher {
public:
    using Handler = std::function<void()>;

    // type must be one of the catalogued response codes.
    void registerHandler(int type, Handler handler);
    bool hasHandler(int type) const;

    // Drops frames with a bad checksum or a type outside 129 .. 153; otherwise runs the
    // type's handler, if any.
    void DispatchReceivedMessage(const FrameAssembler& rx) const;

private:
    std::array<Handler, 256> m_handlers{};
};
