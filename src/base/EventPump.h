#pragma once

namespace splot {

// "Process all pending window events", called at every step of a pen walk.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void processEvents() = 0;
};

} // namespace splot
