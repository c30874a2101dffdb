#include "history/History.h"

#include <cstring>

namespace splot {

namespace {
std::size_t rowBytes(const Canvas& canvas) {
    return static_cast<std::size_t>(canvas.imageWidth()) * sizeof(BgrPixel);
}
} // namespace

void History::MakeUndoFromRows() {
    const std::size_t bytes = rowBytes(canvas_);
    // A canvas 0 pixels wide has rows but no pixel buffers: nothing to copy.
    for (int y = 0; bytes != 0 && y < canvas_.imageHeight(); ++y) {
        if (colour_.drawWithAction)
            std::memcpy(canvas_.actionSourceRow(y), canvas_.row(y), bytes);
        std::memcpy(canvas_.undoRow(y), canvas_.row(y), bytes);
    }
    EnableUndoRedo(true, false);
}

void History::Undo() {
    if (!undoEnabled_)
        return;
    const std::size_t bytes = rowBytes(canvas_);
    for (int y = 0; bytes != 0 && y < canvas_.imageHeight(); ++y) {
        std::memcpy(canvas_.redoRow(y), canvas_.row(y), bytes);
        std::memcpy(canvas_.row(y), canvas_.undoRow(y), bytes);
    }
    canvas_.RefreshPicture();
    EnableUndoRedo(false, true);
}

void History::Redo() {
    if (!redoEnabled_)
        return;
    const std::size_t bytes = rowBytes(canvas_);
    for (int y = 0; bytes != 0 && y < canvas_.imageHeight(); ++y) {
        std::memcpy(canvas_.undoRow(y), canvas_.row(y), bytes);
        std::memcpy(canvas_.row(y), canvas_.redoRow(y), bytes);
    }
    canvas_.RefreshPicture();
    EnableUndoRedo(true, false);
}

void History::EnableUndoRedo(bool undo, bool redo) {
    redoEnabled_ = redo;
    undoEnabled_ = undo;
    if (onEnable_)
        onEnable_(undo, redo);
}

} // namespace splot
