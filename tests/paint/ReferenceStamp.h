#pragma once

// The brush stamp written pixel by pixel, exactly as the rules read, without
// any of the engine's speed-ups. Tests compare the engine's stamp against it
// byte for byte: canvas, coverage, random draws and the touched flag.

#include "base/Limits.h"
#include "base/Numbers.h"
#include "base/Random.h"
#include "base/SplotState.h"
#include "colour/RgbActions.h"
#include "paint/Canvas.h"
#include "paint/KMingo.h"

#include <algorithm>
#include <cmath>

namespace splot::test {

class ReferenceStamp {
public:
    ReferenceStamp(SplotState& state, Canvas& canvas, Random& random)
        : state_(state), canvas_(canvas), random_(random) {}

    void SetRandomColorVariables() {
        state_.paint.paintRed = random_.random(state_.colour.red);
        state_.paint.paintGreen = random_.random(state_.colour.green);
        state_.paint.paintBlue = random_.random(state_.colour.blue);
    }

    void SetColorVariables() {
        if (state_.colour.randomColourMethod == RandomColourMethod::Stroke) {
            SetRandomColorVariables();
        } else {
            state_.paint.paintRed = state_.colour.red;
            state_.paint.paintGreen = state_.colour.green;
            state_.paint.paintBlue = state_.colour.blue;
        }
    }

    void DrawOnImage(const KMingo& pen, int width) {
        SetColorVariables();
        const PaintingState& paint = state_.paint;
        StrokeState& stroke = state_.stroke;
        const ColourState& colour = state_.colour;

        const int upper = state_.circle.circleUsePenWidth ? tbPenWidthMax : tbWMax;
        int w = roundEven(width + stroke.widthOffset);
        w = std::min(w, upper);
        w = std::max(w, 1);
        const double r = w / 2.0;
        double f = paint.fuzziness + stroke.fuzzinessOffset;
        f = std::min(f, 1.0);
        f = std::max(f, 0.01);
        const double m = (1 - f) * r;
        const int cx = pen.getIntX();
        const int cy = pen.getIntY();
        const int h = w / 2;
        const int W = canvas_.imageWidth();
        const int H = canvas_.imageHeight();

        KMingo probe(0, 0);
        for (int j = 0; j < w; ++j) {
            for (int i = 0; i < w; ++i) {
                const int x = cx - h + i;
                const int y = cy - h + j;
                bool qualifies;
                if (paint.draw3d)
                    qualifies = x >= tbDepth3dMin && x < tbDepth3dMax + W && y >= 0 && y < H &&
                                !colour.drawWithAction;
                else
                    qualifies = x >= 0 && x < W && y >= 0 && y < H;
                if (!qualifies)
                    continue;
                stroke.canvasTouched = true;
                probe.MovePoint(x, y);
                const double d = probe.DistanceFromPoint(pen, paint);
                if (d >= r)
                    continue;
                if (colour.drawWithAction) {
                    double o = 1;
                    if (paint.fuzzy)
                        o = std::min(1 - (d - m) / (r - m), 1.0);
                    if (!speckleTest())
                        continue;
                    if (colour.silly) {
                        PerformRGBAction(canvas_, colour, x, y, o);
                    } else {
                        double& c = canvas_.coverageRow(y)[x];
                        if (c >= 1)
                            continue;
                        c = std::min(1.0, c + o);
                        canvas_.noteCoverage(x, y, x, y);
                        PerformRGBAction(canvas_, colour, x, y, c);
                    }
                } else {
                    double o = 1;
                    if (paint.fuzzy) {
                        const double q = std::max(d - m, 0.0) / (r - m);
                        o = (1 - std::sqrt(std::sqrt(q))) / 2;
                    }
                    if (!speckleTest())
                        continue;
                    DrawPoint(probe, o);
                }
            }
        }
    }

    void DrawPoint(const KMingo& pen, double strength) {
        const PaintingState& paint = state_.paint;
        const StrokeState& stroke = state_.stroke;
        const int x = pen.getIntX();
        const int y = pen.getIntY();

        if (!paint.draw3d) {
            double a = strength * clampDouble(paint.intensity + stroke.intensityOffset, 0, 1);
            if (paint.eraseMode)
                a = -a;
            if (state_.colour.randomColourMethod == RandomColourMethod::Point)
                SetRandomColorVariables();
            BgrPixel& p = canvas_.pixel(x, y);
            if (!paint.backgroundIsWhite) {
                p.red = clampByte(p.red + roundEven(paint.paintRed * a));
                p.green = clampByte(p.green + roundEven(paint.paintGreen * a));
                p.blue = clampByte(p.blue + roundEven(paint.paintBlue * a));
            } else {
                p.red = clampByte(p.red - roundEven((paint.paintGreen + paint.paintBlue) * a / 2));
                p.green = clampByte(p.green - roundEven((paint.paintRed + paint.paintBlue) * a / 2));
                p.blue = clampByte(p.blue - roundEven((paint.paintRed + paint.paintGreen) * a / 2));
            }
            return;
        }

        double a = strength;
        if (paint.eraseMode)
            a = -a;
        const int D = clampInt(paint.depth3d + roundEven(stroke.depthOffset), tbDepth3dMin, tbDepth3dMax);
        const double R3 = paint.redStrength * a;
        const double B3 = paint.blueStrength * a;
        const int W = canvas_.imageWidth();
        BgrPixel* row = canvas_.row(y);
        if (!paint.backgroundIsWhite) {
            if (x + D >= 0 && x + D < W)
                row[x + D].red = clampByte(row[x + D].red + roundEven(R3));
            if (x >= 0 && x < W)
                row[x].blue = clampByte(row[x].blue + roundEven(B3));
        } else {
            if (x - D >= 0 && x - D < W) {
                row[x - D].green = clampByte(row[x - D].green - roundEven(R3));
                row[x - D].blue = clampByte(row[x - D].blue - roundEven(R3));
            }
            if (x >= 0 && x < W) {
                row[x].red = clampByte(row[x].red - roundEven(B3));
                row[x].green = clampByte(row[x].green - roundEven(B3));
            }
        }
    }

private:
    bool speckleTest() {
        const double so = state_.stroke.speckleOffset;
        const int speckly = state_.paint.speckly;
        // No draw where the outcome is certain.
        if (roundEven(tbSpecklyMax - 1 + so) < speckly)
            return true;
        if (roundEven(0 + so) >= speckly)
            return false;
        const int t = static_cast<int>(random_.random(tbSpecklyMax));
        return roundEven(t + so) < speckly;
    }

    SplotState& state_;
    Canvas& canvas_;
    Random& random_;
};

} // namespace splot::test
