#pragma once

namespace splot {

// Ends the process (HaltApp's last step): the command that asked returns, no
// further event is handled, and the windows and the application are then
// destroyed in order. Tests observe the call instead.
class ProcessEnd {
public:
    virtual ~ProcessEnd() = default;
    virtual void endProcess() = 0;
};

} // namespace splot
