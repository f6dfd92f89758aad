#pragma once

#include "io/Ports.h"

#include <functional>

namespace quirel {

// An event pump that counts how often a long loop let pending messages run, and runs hook at each
// pass, as a window would handle what arrived meanwhile.
class CountingPump : public EventPump {
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
