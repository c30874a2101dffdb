#pragma once

namespace splot {

// Fixed limits of the canvas and of the sliders whose ranges the engine uses as bounds.
constexpr int maxImageWidth = 5000;
constexpr int maxImageHeight = 5000;

constexpr int tbWMin = 1; // brush width slider
constexpr int tbWMax = 200;
constexpr int tbPenWidthMax = 1000; // circle pen width slider
constexpr int tbSpecklyMax = 100;   // speckle slider: the speckle draw is 0..99
constexpr int tbDepth3dMin = -100;  // 3D depth slider
constexpr int tbDepth3dMax = 100;

} // namespace splot
