#include "splotting/KShape.h"

#include "base/Numbers.h"
#include "base/Random.h"
#include "splotting/PenTravel.h"
#include "splotting/SplottingState.h"
#include "splotting/WalkHost.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace splot {

void KShape::LoseFirstPoint() {
    if (!corners_.empty())
        corners_.erase(corners_.begin());
}

void KShape::JoinUp(PenTravel& travel) {
    while (GetNumberOfCorners() > 1 && !travel.host().walksCancelled()) {
        const ShapeSettings& shape = travel.state().shape;
        int& turn = travel.splotting().turnDirection;
        turn = shape.shapeFlipper ? static_cast<int>(travel.random().random(2)) * 2 - 1 : 1;
        // Copies: the walk lets nested commands change or empty this shape.
        const KMingo from = corner(0);
        const KMingo to = corner(1);
        travel.HeadFromAtoB(from, to);
        LoseFirstPoint();
        travel.host().legJoined();
    }
}

void KShape::MakeRandomShape(int n, Random& random, int size, int width, int height) {
    Empty();
    if (n < 0)
        return;
    const double S = size;
    const double R0 = random.random(size) / 2.0 + S / 2;
    const double phase = random.random(360);
    corners_.assign(static_cast<std::size_t>(2 * n + 2), KMingo());
    const double cx = random.random(width);
    const double cy = random.random(height);
    const int T = n + static_cast<int>(random.random(n)) + 2;
    const double spacing = 360.0 / T;
    const int lagBound = roundEven(spacing);
    for (int i = 0; i <= n; ++i) {
        const double theta = phase + random.random(lagBound) + i * 360.0 / T;
        double R = R0;
        double r = 0.45 * R0;
        if (i >= 1) {
            R = random.random(size) / 2.0 + S / 2;
            r = std::max(R - 80, 80.0);
        }
        const double a = theta * std::numbers::pi / 180;
        const double c = std::cos(a);
        const double s = std::sin(a);
        corners_[static_cast<std::size_t>(i)] = KMingo(cx + R * c, cy + R * s);
        corners_[static_cast<std::size_t>(2 * n - i)] = KMingo(cx + r * c, cy + r * s);
    }
    corners_[static_cast<std::size_t>(2 * n + 1)] = corners_[0];
}

} // namespace splot
