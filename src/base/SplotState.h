#pragma once

#include "base/Limits.h"

#include <string>

namespace splot {

// The painting engine's shared state: brush, drawing mode, 3D and canvas size.
// Field names and defaults are the program's globals; the main window owns one
// instance (inside SplotState) and hands it to the engine objects by reference.
struct PaintingState {
    // Canvas size in pixels, 0..5000. Set by MakeNewImage (always equal to the
    // canvas's own size afterwards) and by the settings reader before the
    // canvas is first built.
    int imageWidth = 600;
    int imageHeight = 600;
    bool backgroundIsWhite = true; // true: subtraction on white; false: addition on black
    bool freshStart = false;       // true from the end of start-up until the next clear

    int penWidth = 30;      // stamp width in pixels (width slider 1..200)
    int brushWidth = 30;    // the width slider's stored value
    double fuzziness = 1.0; // 0.01..1.00: the fuzzy fraction of the radius
    bool fuzzy = true;
    bool squareBrush = false;
    double intensity = 1.0; // 0.0199..1.0
    int speckly = 100;      // 1..100: a pixel paints when the speckle draw is below it
    bool draw3d = false;
    bool eraseMode = false;

    int depth3d = 0;       // -100..100
    int redStrength = 60;  // 0..255
    int blueStrength = 60; // 0..255
    bool linkPenToDepth = false;

    // Drift speeds and their switches (brush options).
    int intensifySpeed = 0; // -100..100
    int fuzzifySpeed = 0;   // -100..100
    int growthSpeed = 0;    // -100..100
    int depth3dSpeed = 0;   // -50..50
    int specklifySpeed = 0; // -50..50
    bool useIntensify = false;
    bool useFuzzify = false;
    bool useGrowth = false;
    bool use3dDepth = false;
    bool useSpecklify = false;
    int smoothness = 10; // 1..20, stored only

    // The colour in use for the current stamp, 0..255 each.
    double paintRed = 0;
    double paintGreen = 0;
    double paintBlue = 0;
};

// State of the stroke in progress; the offsets are zero between strokes.
struct StrokeState {
    double intensityOffset = 0;
    double fuzzinessOffset = 0;
    double widthOffset = 0;
    double depthOffset = 0;
    double speckleOffset = 0;
    bool canvasTouched = false;     // a stamp reached a pixel since the last mouse-move report
    bool brushOutlineShown = false; // the brush outline may still be on screen
    int lastMouseX = -1;
    int lastMouseY = -1;
};

// Which item of the Colours menu is checked; Unchecked paints like None.
enum class RandomColourMethod { None, Stroke, Point, Unchecked };

// The five RGB actions, in the order of their radio buttons.
enum class RgbAction { Invert, Cycle, RandG, RandB, GandB };

// The chosen paint colour and the action flags.
struct ColourState {
    int red = 255; // 0..255, mirrors the red slider
    int green = 0;
    int blue = 0;
    bool drawWithAction = false;
    bool silly = false;
    // Mirrors the Colours menu's check marks and the Actions radio group.
    RandomColourMethod randomColourMethod = RandomColourMethod::None;
    RgbAction selectedAction = RgbAction::Invert;
};

struct CircleSettings {
    int circleNumberOfPoints = 90;
    int circleWidth = 150;
    int circleHeight = 150;
    int circlePenWidth = 30;
    bool circleUsePenWidth = false; // stamps may be up to 1000 wide instead of 200
    bool circleLockWidthHeight = false;
    bool circleForgetCenter = true;
    double circleCenterX = 300;
    double circleCenterY = 300;
};

// The widest stamp any drawing may make: the circle pen width's range while
// circles use their own pen width, else the width slider's.
inline int widestStamp(const CircleSettings& circle) {
    return circle.circleUsePenWidth ? tbPenWidthMax : tbWMax;
}

struct ShapeSettings {
    int shapeSize = 110;
    int shapePoints = 5;
    int shapeFlipperiness = 5;
    int shapeSectionLength = 3;
    bool shapeDrawLots = false;
    bool shapeChangeColors = false;
    bool shapeSemicircles = false;
    bool shapeFlipper = false;
};

// Settings whose stored value is the position of a main-window slider rather
// than a field above. The window keeps them equal to its sliders' positions
// (every change handler writes its slider's position here); reading the
// "main" section sets them and the window then moves the sliders to them.
// They differ from the colour state while shapes change the colour without
// moving the sliders.
struct SliderPositions {
    int red = 255;       // tbR, 0..255
    int green = 0;       // tbG
    int blue = 0;        // tbB
    int intensity = 100; // tbIntensity, 1..100
    int fuzziness = 100; // tbFuzziness, 1..100
};

// Everything the program would otherwise keep in globals, owned by the main window.
struct SplotState {
    PaintingState paint;
    StrokeState stroke;
    ColourState colour;
    CircleSettings circle;
    ShapeSettings shape;
    SliderPositions sliders;
};

} // namespace splot
