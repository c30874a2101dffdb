#pragma once

#include "base/Clock.h"
#include "base/CursorPort.h"
#include "base/EventPump.h"
#include "base/MousePort.h"
#include "base/Paths.h"
#include "base/ProcessEnd.h"
#include "base/Prompts.h"
#include "base/StatusPort.h"
#include "settings/SettingsFile.h"

#include <optional>
#include <string>

namespace splot {

// What the engine's commands need the main window's controls to do. The
// window carries these out with its own slider and check-box rules.
class WindowPort {
public:
    virtual ~WindowPort() = default;
    // After the canvas was rebuilt: the width slider goes to brushWidth (its
    // handler runs only when it moves), the square-brush box is brought in line
    // with squareBrush, and the picture is centred again.
    virtual void canvasRebuilt() = 0;
    // A canvas size outside 0..5000 was asked for: the image options dialog
    // is shown modally, then the picture is centred again.
    virtual void canvasSizeRefused() = 0;
    // Undo and Redo availability, for the buttons and menu items.
    virtual void undoRedoChanged(bool undo, bool redo) = 0;
    // A picture was loaded: Revert becomes available (for good).
    virtual void revertEnabled() = 0;
    // A settings or brush file was read into the state: the controls follow,
    // as the result describes, in the order it gives.
    virtual void settingsRead(const SettingsReadResult& read) = 0;
};

// Everything a session reaches outside the process's own memory. Every
// pointer must outlive the session.
struct SessionPorts {
    Prompts* prompts = nullptr;
    MousePort* mouse = nullptr;
    EventPump* pump = nullptr;
    Clock* clock = nullptr;
    Paths* paths = nullptr;
    ProcessEnd* processEnd = nullptr;
    StatusPort* status = nullptr;
    CursorPort* cursor = nullptr;
    WindowPort* window = nullptr;
};

} // namespace splot
