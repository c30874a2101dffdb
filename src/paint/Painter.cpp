#include "paint/Painter.h"

#include "colour/RgbActions.h"
#include "paint/Limits.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace splot {

void Painter::SetColorVariables() {
    if (state_.colour.randomColourMethod == RandomColourMethod::Stroke)
        SetRandomColorVariables();
    else
        SetProperColorVariables();
}

void Painter::SetProperColorVariables() {
    state_.paint.paintRed = state_.colour.red;
    state_.paint.paintGreen = state_.colour.green;
    state_.paint.paintBlue = state_.colour.blue;
}

void Painter::SetRandomColorVariables() {
    state_.paint.paintRed = random_.random(state_.colour.red);
    state_.paint.paintGreen = random_.random(state_.colour.green);
    state_.paint.paintBlue = random_.random(state_.colour.blue);
}

int Painter::stampWidth(int width) const {
    const int upper = state_.circle.circleUsePenWidth ? tbPenWidthMax : tbWMax;
    int w = roundEven(width + state_.stroke.widthOffset);
    w = std::min(w, upper);
    return std::max(w, 1);
}

void Painter::DrawOnImage(const KMingo& pen, int width, bool refresh) {
    SetColorVariables();
    const PaintingState& paint = state_.paint;
    StrokeState& stroke = state_.stroke;
    const ColourState& colour = state_.colour;

    const int w = stampWidth(width);
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

    // Pixels of the w x w square that may be visited, by the bounds of the mode.
    int xLo = cx - h, xHi = cx - h + w - 1;
    int yLo = std::max(cy - h, 0), yHi = std::min(cy - h + w - 1, H - 1);
    if (paint.draw3d) {
        if (colour.drawWithAction)
            return; // a 3D stamp with an action paints nothing
        xLo = std::max(xLo, tbDepth3dMin);
        xHi = std::min(xHi, tbDepth3dMax + W - 1);
    } else {
        xLo = std::max(xLo, 0);
        xHi = std::min(xHi, W - 1);
    }

    // The speckle draw only matters when some draws paint and others do not.
    const double so = stroke.speckleOffset;
    const bool specklesAlwaysPaint = roundEven(tbSpecklyMax - 1 + so) < paint.speckly;
    const bool specklesNeverPaint = roundEven(0 + so) >= paint.speckly;
    auto speckleTest = [&]() {
        if (specklesAlwaysPaint)
            return true;
        if (specklesNeverPaint)
            return false;
        const int t = static_cast<int>(random_.random(tbSpecklyMax));
        return roundEven(t + so) < paint.speckly;
    };

    KMingo probe(0, 0);
    for (int y = yLo; y <= yHi; ++y) {
        for (int x = xLo; x <= xHi; ++x) {
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

    if (refresh && xLo <= xHi && yLo <= yHi) {
        CanvasRect changed{xLo, yLo, xHi, yHi};
        if (paint.draw3d) {
            changed.left -= tbDepth3dMax;
            changed.right += tbDepth3dMax;
        }
        canvas_.refreshRect(changed);
    }
}

void Painter::DrawPoint(const KMingo& pen, double strength) {
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
    if (y < 0 || y >= canvas_.imageHeight())
        return;
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

void Painter::drawDots(int x, int y) {
    if (!canvas_.contains(x, y))
        return;
    BgrPixel& p = canvas_.pixel(x, y);
    p.red = static_cast<std::uint8_t>(std::abs(210 - p.red));
    p.green = static_cast<std::uint8_t>(std::abs(190 - p.green));
    p.blue = static_cast<std::uint8_t>(std::abs(200 - p.blue));
}

void Painter::BrushDisplay(const KMingo& pen) {
    const int penWidth = state_.paint.penWidth;
    const int R = static_cast<int>(std::ceil(penWidth / 2.0));
    const int n = std::max(4, static_cast<int>(std::ceil(penWidth / 4.0)));
    const double px = pen.getX();
    const double py = pen.getY();

    struct Dot {
        int x = -1;
        int y = -1;
    };
    std::vector<Dot> dots(static_cast<std::size_t>(n));
    std::size_t next = 0;
    auto place = [&](int x, int y) {
        dots[next++] = Dot{x, y};
        if (canvas_.contains(x, y))
            canvas_.outlineBackupRow(y)[x] = canvas_.pixel(x, y);
        drawDots(x, y);
    };

    if (state_.paint.squareBrush) {
        const int k = n / 4;
        const double corners[5][2] = {
            {px + R, py + R}, {px - R, py + R}, {px - R, py - R}, {px + R, py - R}, {px + R, py + R}};
        for (int side = 0; side < 4; ++side) {
            const double x1 = corners[side][0], y1 = corners[side][1];
            const double x2 = corners[side + 1][0], y2 = corners[side + 1][1];
            for (int p = 1; p <= k; ++p)
                place(roundEven(x1 + (x2 - x1) * p / k), roundEven(y1 + (y2 - y1) * p / k));
        }
    } else {
        for (int p = 1; p <= n; ++p) {
            const double theta = 2 * std::numbers::pi * p / n + n;
            place(roundEven(px + R * std::cos(theta)), roundEven(py + R * std::sin(theta)));
        }
    }

    const CanvasRect around{roundEven(px) - R - 1, roundEven(py) - R - 1, roundEven(px) + R + 1,
                            roundEven(py) + R + 1};
    canvas_.refreshRect(around);

    // Restore in reverse order: where two dots fell on the same pixel, the
    // first backup holds the original bytes and must be written last.
    for (std::size_t i = next; i-- > 0;)
        if (canvas_.contains(dots[i].x, dots[i].y))
            canvas_.pixel(dots[i].x, dots[i].y) = canvas_.outlineBackupRow(dots[i].y)[dots[i].x];

    if (px < 2 || py > canvas_.imageHeight() - 3)
        canvas_.RefreshPicture();
}

void SetRandomColourMethod(ColourState& colour, const std::string& name) {
    if (name == "none")
        colour.randomColourMethod = RandomColourMethod::None;
    else if (name == "stroke")
        colour.randomColourMethod = RandomColourMethod::Stroke;
    else if (name == "point")
        colour.randomColourMethod = RandomColourMethod::Point;
    else
        colour.randomColourMethod = RandomColourMethod::Unchecked;
}

std::string coloringModeStatusText(bool eraseMode, bool backgroundIsWhite) {
    if (eraseMode)
        return backgroundIsWhite ? " Drawing mode: Erase (to white)" : " Drawing mode: Erase (to black)";
    return backgroundIsWhite ? " Drawing mode: White (subtraction)" : " Drawing mode: Black (addition)";
}

} // namespace splot
