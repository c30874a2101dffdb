#pragma once

namespace splot {

// What a pen walk needs from the program around it. The session implements it
// over the event-pump port; tests implement it to run commands from inside a
// walk.
class WalkHost {
public:
    virtual ~WalkHost() = default;

    // Delivers every pending window event and returns. Any command may run to
    // completion inside this call: another walk, Kill, Draw Circle, New or
    // Resize (which rebuild the canvas at another size), Undo, Clear, Exit.
    // The walk re-reads everything it uses afterwards.
    virtual void processEvents() = 0;

    // True once every walk in progress must end (the program is quitting).
    // Read after each event pass and between the legs and rounds of the
    // shape commands.
    virtual bool walksCancelled() const = 0;

    // Called after each leg of a shape's join; the session shows the
    // unsaved-changes text here.
    virtual void legJoined() {}
};

} // namespace splot
