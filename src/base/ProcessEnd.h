#pragma once

namespace splot {

// Ends the process (HaltApp's last step); tests observe the call instead.
class ProcessEnd {
public:
    virtual ~ProcessEnd() = default;
    virtual void endProcess() = 0;
};

} // namespace splot
