#pragma once

#include "io/Ports.h"

namespace quirel {

// An event pump that counts how often a long loop let pending messages run.
class CountingPump : public EventPump {
public:
    void ProcessPendingEvents() override { ++calls; }
    int calls = 0;
};

} // namespace quirel
