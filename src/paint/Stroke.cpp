#include "paint/Stroke.h"

namespace splot {

double CalculateFuzziness(int position) {
    return position / 100.0;
}

double CalculateIntensity(int position) {
    const double dim = (100 - position) / 100.0;
    return 1 - dim * dim;
}

int CalculateSpeckly(int position) {
    return position;
}

void UpdateBrushVariables(const PaintingState& paint, StrokeState& stroke) {
    if (paint.useIntensify)
        stroke.intensityOffset += paint.intensifySpeed / 10000.0;
    if (paint.useFuzzify)
        stroke.fuzzinessOffset += paint.fuzzifySpeed / 20000.0;
    if (paint.useGrowth)
        stroke.widthOffset += paint.growthSpeed / 20.0;
    if (paint.use3dDepth)
        stroke.depthOffset += paint.depth3dSpeed / 10.0;
    if (paint.useSpecklify)
        stroke.speckleOffset -= paint.specklifySpeed / 50.0;
}

void ResetBrushVariables(StrokeState& stroke) {
    stroke.intensityOffset = 0;
    stroke.fuzzinessOffset = 0;
    stroke.widthOffset = 0;
    stroke.depthOffset = 0;
    stroke.speckleOffset = 0;
}

} // namespace splot
