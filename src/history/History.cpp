#include "history/History.h"

#include "history/SnapshotCopy.h"

namespace splot {

namespace {

std::size_t rowBytes(const Canvas& canvas) {
    return static_cast<std::size_t>(canvas.imageWidth()) * sizeof(BgrPixel);
}

std::uint8_t* bytes(BgrPixel* row) {
    return reinterpret_cast<std::uint8_t*>(row);
}

} // namespace

// The picture's rows and the snapshot rows run in opposite directions through
// memory (the bitmap is stored top row first, the arrays bottom row first), so
// the copies go row by row; each row is one contiguous run on both sides.

void History::MakeUndoFromRows() {
    // A canvas 0 pixels wide has rows but no pixel buffers: nothing to copy.
    const std::size_t n = rowBytes(canvas_);
    for (int y = 0; n != 0 && y < canvas_.imageHeight(); ++y) {
        if (colour_.drawWithAction)
            copyToTwoSnapshots(bytes(canvas_.undoRow(y)), bytes(canvas_.actionSourceRow(y)),
                               bytes(canvas_.row(y)), n);
        else
            copyToSnapshot(bytes(canvas_.undoRow(y)), bytes(canvas_.row(y)), n);
    }
    snapshotCopiesDone();
    EnableUndoRedo(true, false);
}

bool History::Undo() {
    if (!undoEnabled_)
        return false;
    const std::size_t n = rowBytes(canvas_);
    bool changed = false;
    for (int y = 0; n != 0 && y < canvas_.imageHeight(); ++y)
        changed |=
            keepAndRestore(bytes(canvas_.redoRow(y)), bytes(canvas_.row(y)), bytes(canvas_.undoRow(y)), n);
    snapshotCopiesDone();
    canvas_.RefreshPicture();
    EnableUndoRedo(false, true);
    return changed;
}

bool History::Redo() {
    if (!redoEnabled_)
        return false;
    const std::size_t n = rowBytes(canvas_);
    bool changed = false;
    for (int y = 0; n != 0 && y < canvas_.imageHeight(); ++y)
        changed |=
            keepAndRestore(bytes(canvas_.undoRow(y)), bytes(canvas_.row(y)), bytes(canvas_.redoRow(y)), n);
    snapshotCopiesDone();
    canvas_.RefreshPicture();
    EnableUndoRedo(true, false);
    return changed;
}

void History::EnableUndoRedo(bool undo, bool redo) {
    redoEnabled_ = redo;
    undoEnabled_ = undo;
    if (onEnable_)
        onEnable_(undo, redo);
}

} // namespace splot
