#pragma once

#include "base/SplotState.h"
#include "paint/Canvas.h"

#include <functional>

namespace splot {

// One level of undo and redo over whole-canvas snapshots. The availability of
// Undo and Redo is the history's only state besides the canvas arrays; the
// shell mirrors it on its buttons and menu items through the enable callback,
// and EnableUndoRedo is the only place that changes it.
class History {
public:
    using EnableCallback = std::function<void(bool undo, bool redo)>;

    History(Canvas& canvas, const ColourState& colour) : canvas_(canvas), colour_(colour) {}

    void setEnableCallback(EnableCallback callback) { onEnable_ = std::move(callback); }

    // Copies the canvas into the undo snapshot (and into the action source
    // while Draw with action is on); Undo becomes available, Redo not.
    void MakeUndoFromRows();
    // Swaps the picture with the undo snapshot, keeping the displaced picture
    // for Redo. Does nothing while Undo is unavailable. True when some pixel
    // of the picture changed.
    bool Undo();
    // The reverse of Undo. Does nothing while Redo is unavailable. True when
    // some pixel of the picture changed.
    bool Redo();

    void EnableUndoRedo(bool undo, bool redo);
    bool undoEnabled() const { return undoEnabled_; }
    bool redoEnabled() const { return redoEnabled_; }

private:
    Canvas& canvas_;
    const ColourState& colour_;
    bool undoEnabled_ = false;
    bool redoEnabled_ = false;
    EnableCallback onEnable_;
};

} // namespace splot
