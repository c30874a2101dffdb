#pragma once

#include "paint/KMingo.h"

#include <vector>

namespace splot {

class PenTravel;
class Random;

// An ordered list of corners (pen points) that the shape owns. Joining a shape
// up walks a pen from each corner to the next.
//
// The corner list may change under a running JoinUp: the walks of a join let
// nested commands run (Kill, another Draw Shape(s), a right-click, Draw
// Circle), so the join copies the two corners of each leg before it walks and
// looks at the list afresh after every leg.
class KShape {
public:
    // Releases every corner.
    void Empty() { corners_.clear(); }
    int GetNumberOfCorners() const { return static_cast<int>(corners_.size()); }
    // Appends a corner at the end.
    void AddCorner(const KMingo& corner) { corners_.push_back(corner); }
    // Removes the first corner; does nothing on an empty shape.
    void LoseFirstPoint();

    // Corner i, 0 <= i < GetNumberOfCorners(). Copy it before anything that
    // may process events.
    const KMingo& corner(int i) const { return corners_[static_cast<std::size_t>(i)]; }

    // While more than one corner is left: sets the turn sense of the leg
    // (with the flipper on -1 or +1 from one draw random(2), else +1), walks
    // from the first corner to the second, drops the first corner and reports
    // the leg to the host. Ends early when the host cancels walks. A shape
    // with k corners gives k - 1 legs and keeps its last corner.
    void JoinUp(PenTravel& travel);

    // Replaces the corners with a random band of 2n + 2 corners around a
    // random centre on a canvas of width x height pixels, with outer radii
    // between size / 2 and size - 0.5. Draws, in this order: the first outer
    // radius random(size), the phase random(360), the centre random(width)
    // and random(height), m = random(n) for 360 / (n + m + 2) degree spacing,
    // then for each corner i = 0..n its lag below one spacing and (from i = 1
    // on) its own outer radius random(size).
    //
    // Places 0..n-1 hold the outer points at angles 0..n-1, place n the inner
    // point at angle n, places n+1..2n the inner points at angles n-1 down to
    // 0, and place 2n + 1 repeats place 0. The inner radius is 0.45 of the
    // outer at angle 0 and max(R - 80, 80) elsewhere.
    void MakeRandomShape(int n, Random& random, int size, int width, int height);

private:
    std::vector<KMingo> corners_;
};

} // namespace splot
