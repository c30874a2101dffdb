#pragma once

#include "splotting/KShape.h"

namespace splot {

// The run-time state of the autonomous drawing; the session owns one.
struct SplottingState {
    // Sense of the one-degree turns of a walk: +1 counter-clockwise on screen,
    // -1 clockwise. Set before each leg of a join, flipped by the flipper.
    int turnDirection = 1;
    // The colour around which "Change colors?" picks its colours, 0..255
    // each; taken from the paint colour when a shape drawing starts.
    int shapeBaseRed = 0;
    int shapeBaseGreen = 0;
    int shapeBaseBlue = 0;
    // The corners set by right-clicks and left by Draw Shape(s); the first one
    // centres the next circle.
    KShape currentShape;
};

} // namespace splot
