#pragma once

#include "base/Clock.h"
#include "base/EventPump.h"
#include "base/MousePort.h"
#include "base/Paths.h"
#include "base/ProcessEnd.h"
#include "base/Prompts.h"
#include "session/SessionPorts.h"

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
    // The pointer's shape; the Qt cursor when not given.
    CursorPort* cursor = nullptr;
};

} // namespace splot
