#pragma once

#include "session/Session.h"

#include <string>

namespace splot::test {

// The one way tests and benchmarks reach a session's internals.
class SessionProbe {
public:
    explicit SessionProbe(Session& session) : s_(session) {}

    Random& random() { return s_.random_; }
    Painter& painter() { return s_.painter_; }
    History& history() { return s_.history_; }
    CursorOwner& cursor() { return s_.cursor_; }
    ShellState& shell() { return s_.shell_; }
    SplottingState& splotting() { return s_.splottingState_; }
    Splotting& splotter() { return s_.splotting_; }
    // The text the session last showed in status panel 0..2.
    const std::string& statusText(int panel) const { return s_.status_.at(static_cast<std::size_t>(panel)); }
    const std::string& lastLoadedFile() const { return s_.lastLoadedFile_; }
    const std::string& lastLoadedExtension() const { return s_.lastLoadedExtension_; }

private:
    Session& s_;
};

} // namespace splot::test
