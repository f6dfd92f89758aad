#pragma once

#include "io/Ports.h"

#include <functional>

namespace quirel {

// An event pump that runs a hook at each event pass, as a window would handle what arrived meanwhile.
class HookPump : public EventPump {
public:
    void ProcessPendingEvents() override
    {
        ++calls;
        if (hook) hook();
    }
    int calls = 0;
    std::function<void()> hook;
};

} // namespace quirel
