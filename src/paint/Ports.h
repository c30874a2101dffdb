#pragma once

#include <optional>
#include <string>
#include <vector>

namespace splot {

// Everything the engine needs from outside the process's own memory comes
// through these small interfaces: the Qt shell implements them, tests fake them.

enum class Buttons { YesNoCancel, YesNo, OkCancel };
enum class Answer { Yes, No, Cancel, Ok };

struct FileDialogRequest {
    std::string title;
    std::string initialFolder;
    std::string filter;           // e.g. "PNG files (*.png)|*.png"
    std::string defaultExtension; // without the dot
    bool mustExist = false;
};

// Every user-visible message. Multi-line texts are joined with "\r\n".
class Prompts {
public:
    virtual ~Prompts() = default;
    // Modal warning question; closing the box without an answer gives Cancel.
    virtual Answer warning(const std::string& text, Buttons buttons) = 0;
    // Plain message box with an OK button.
    virtual void message(const std::string& text) = 0;
    // Error box (the top-level handler's report of an abandoned command).
    virtual void error(const std::string& text) = 0;
    // File dialogs: the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
};

// The pointer in canvas coordinates (x right, y up from the bottom edge) and
// the held buttons, read at the moment of the call.
class MousePort {
public:
    virtual ~MousePort() = default;
    virtual int getXMouse() = 0;
    virtual int getYMouse() = 0;
    virtual bool leftButtonHeld() = 0;
    virtual bool rightButtonHeld() = 0;
};

// "Process all pending window events", called at every step of a pen walk.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void processEvents() = 0;
};

struct LocalDateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() = 0;
};

class Paths {
public:
    virtual ~Paths() = default;
    // Full path of the running executable; the settings file and saved
    // pictures are named after it.
    virtual std::string executablePath() = 0;
    virtual std::string currentFolder() = 0;
    // Makes folder the process's working folder (a file chosen in the open
    // dialog makes its folder the one the next dialog starts in).
    virtual void setCurrentFolder(const std::string& folder) = 0;
    // The environment variable's value, or nothing when it is unset (HOME and
    // the XDG folders, used when the executable's folder is read-only).
    virtual std::optional<std::string> environment(const std::string& name) = 0;
};

// Ends the process (HaltApp's last step); tests observe the call instead.
class ProcessEnd {
public:
    virtual ~ProcessEnd() = default;
    virtual void endProcess() = 0;
};

// A rectangle of canvas pixels in canvas coordinates (y up), inclusive bounds.
struct CanvasRect {
    int left = 0;
    int bottom = 0;
    int right = -1;
    int top = -1;
    bool empty() const { return right < left || top < bottom; }
};

struct CanvasPoint {
    int x = 0;
    int y = 0;
};

// The pixels left..right (inclusive) of canvas row y.
struct CanvasSpan {
    int y = 0;
    int left = 0;
    int right = -1;
};

// Repaints the image view from the canvas bytes, at once: when a call returns
// the window holds the new pixels. Putting them on the physical screen may be
// paced (a walk or a circle stamps far more often than a screen refreshes),
// but never by more than a few milliseconds, and flushNow() puts everything
// on screen at once; the session calls it when a command ends. Besides what
// it is asked to repaint, every repaint also covers the pixels of the last
// outline shown, so an outline disappears from the screen with the next
// repaint.
class Display {
public:
    virtual ~Display() = default;
    virtual void repaint(const CanvasRect& changed) = 0;
    virtual void repaintAll() = 0;
    // Shows the brush outline: at this moment the canvas holds the dot colours
    // at these pixels; right after the call the canvas gets its own bytes back,
    // while the screen keeps the dots until a later repaint covers them.
    // Pixels outside the canvas are ignored.
    virtual void showOutline(const std::vector<CanvasPoint>& dots) = 0;

    // Repaints just these row spans (the pixels a stamp changed), in rows
    // inside the canvas; by default their bounding rectangle.
    virtual void repaintSpans(const std::vector<CanvasSpan>& spans) {
        CanvasRect box;
        for (const CanvasSpan& s : spans) {
            if (s.right < s.left)
                continue;
            if (box.empty())
                box = CanvasRect{s.left, s.y, s.right, s.y};
            box = CanvasRect{s.left < box.left ? s.left : box.left, s.y < box.bottom ? s.y : box.bottom,
                             s.right > box.right ? s.right : box.right, s.y > box.top ? s.y : box.top};
        }
        if (!box.empty())
            repaint(box);
    }

    // Between beginBatch() and the matching endBatch() the repaints and
    // outlines are collected, and the end of the outermost batch puts their
    // net result on screen in one step: the screen then shows what it would
    // after the calls one by one (the last outline included), with one
    // flush instead of one per call. Batches nest.
    virtual void beginBatch() {}
    virtual void endBatch() {}

    // Everything repainted so far reaches the screen before this returns (the
    // end of a command: a mouse move, a click, a walk, a circle).
    virtual void flushNow() {}
};

} // namespace splot
