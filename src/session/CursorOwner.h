#pragma once

#include "base/CursorPort.h"

namespace splot {

// The one owner of the pointer's shape. Commands do not set a shape and put
// it back afterwards (a command nested inside another one's walk step would
// then put back the wrong shape); they state what they need, and the shape
// shown is derived from all of it: busy while any busy command runs (the
// hourglass outranks everything), else hidden while the left button paints,
// else the normal arrow.
class CursorOwner {
public:
    explicit CursorOwner(CursorPort* port) : port_(port) {}
    CursorOwner(const CursorOwner&) = delete;
    CursorOwner& operator=(const CursorOwner&) = delete;

    // Holds the hourglass from construction to destruction; nests.
    class Busy {
    public:
        explicit Busy(CursorOwner& owner) : owner_(owner) {
            ++owner_.busy_;
            owner_.apply();
        }
        ~Busy() {
            --owner_.busy_;
            owner_.apply();
        }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        CursorOwner& owner_;
    };

    // Hidden while drawing with the left button; absolute, not counted.
    void setDrawingHidden(bool hidden) {
        hidden_ = hidden;
        apply();
    }

    CursorShape shape() const {
        return busy_ > 0 ? CursorShape::Busy : hidden_ ? CursorShape::Hidden : CursorShape::Normal;
    }

private:
    void apply() {
        const CursorShape wanted = shape();
        if (wanted == shown_)
            return;
        shown_ = wanted;
        if (port_ != nullptr)
            port_->showCursor(wanted);
    }

    CursorPort* port_;
    int busy_ = 0;
    bool hidden_ = false;
    CursorShape shown_ = CursorShape::Normal;
};

} // namespace splot
