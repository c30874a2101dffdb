#pragma once

#include "paint/Ports.h"

namespace splot {

// The ports the main window is built with: Qt implementations in the program,
// fakes in tests. Every pointer must outlive the window.
struct AppPorts {
    Prompts* prompts = nullptr;
    MousePort* mouse = nullptr;
    EventPump* pump = nullptr;
    Clock* clock = nullptr;
    Paths* paths = nullptr;
    ProcessEnd* processEnd = nullptr;
};

} // namespace splot
