#pragma once

#include <exception>

namespace splot {

// Thrown by a command that has already told the user what went wrong (or that
// has nothing to say) and is to be abandoned without a further message. The
// shell's top-level handler swallows it; every other std::exception reaching
// that handler is shown in an error box.
class CommandAbandoned : public std::exception {
public:
    const char* what() const noexcept override { return "command abandoned"; }
};

} // namespace splot
