#pragma once

#include "base/Clock.h"
#include "base/EventPump.h"
#include "base/MousePort.h"
#include "base/Paths.h"
#include "base/ProcessEnd.h"
#include "base/Prompts.h"

#include <optional>
#include <string>

namespace splot {

// The three panels of the status bar, owned by the shell's status bar.
// Panel 0 shows messages and the unsaved-changes marker, panel 1 the drawing
// mode, panel 2 the 3D depth.
class StatusPort {
public:
    virtual ~StatusPort() = default;
    // Shows text in the panel (0..2) at once.
    virtual void showPanel(int panel, const std::string& text) = 0;
};

// The pointer's shape over the program's windows.
enum class CursorShape { Normal, Busy, Hidden };

class CursorPort {
public:
    virtual ~CursorPort() = default;
    // Makes shape the pointer's shape until the next call.
    virtual void showCursor(CursorShape shape) = 0;
};

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
    // Writes every section of the settings file; nothing on success, else
    // the error text to report.
    virtual std::optional<std::string> writeSettings() = 0;
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
