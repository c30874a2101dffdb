#pragma once

#include "base/Errors.h"
#include "base/Prompts.h"

#include <exception>
#include <string>

namespace splot {

// The top-level handler. Qt does not allow an exception to leave a slot, so
// every command entry point (control signal, menu item, mouse event, window
// close) runs inside this wrapper: an engine exception abandons the command
// and its message is shown in an error box, after which the program carries
// on. CommandAbandoned abandons the command without a further message.
template <typename F> void guarded(Prompts* prompts, F&& command) noexcept {
    auto report = [prompts](const std::string& text) noexcept {
        if (prompts == nullptr)
            return;
        try {
            prompts->error(text);
        } catch (...) { // a failing error box must not take the program down
        }
    };
    try {
        command();
    } catch (const CommandAbandoned&) {
    } catch (const std::exception& e) {
        report(e.what());
    } catch (...) {
        report("An unexpected error abandoned the command.");
    }
}

} // namespace splot
