#include "paint/Painter.h"

#include "base/Limits.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
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

int Painter::stampWidth(int width, int widest) const {
    int w = roundEven(width + state_.stroke.widthOffset);
    w = std::min(w, widest);
    return std::max(w, 1);
}

namespace {

// The blend of the colour in use outside 3D, as byte changes per weight.
BlendRecipe colourRecipe(const PaintingState& paint) {
    if (!paint.backgroundIsWhite)
        return BlendRecipe{{paint.paintBlue, paint.paintGreen, paint.paintRed}, 1, false};
    // Each channel loses the mean of the other two paint components.
    return BlendRecipe{{paint.paintRed + paint.paintGreen, paint.paintRed + paint.paintBlue,
                        paint.paintGreen + paint.paintBlue},
                       0.5,
                       true};
}

// Visited columns of square row j: the row's span inside [i0, i1].
StampSpan visitedSpan(const StampMask& mask, int j, int i0, int i1) {
    const StampSpan s = mask.span(j);
    return StampSpan{std::max(s.lo, i0), std::min(s.hi, i1)};
}

} // namespace

void Painter::DrawOnImage(const KMingo& pen, int width, bool refresh, int widest) {
    SetColorVariables();
    const PaintingState& paint = state_.paint;
    StrokeState& stroke = state_.stroke;
    const ColourState& colour = state_.colour;

    const int w = stampWidth(width, widest);
    const double r = w / 2.0;
    double f = paint.fuzziness + stroke.fuzzinessOffset;
    f = std::min(f, 1.0);
    f = std::max(f, 0.01);
    const double m = (1 - f) * r;
    const double px = pen.getX();
    const double py = pen.getY();
    if (!std::isfinite(px) || !std::isfinite(py))
        return; // a pen nowhere paints nowhere
    const int cx = pen.getIntX();
    const int cy = pen.getIntY();
    const int h = w / 2;
    const std::int64_t W = canvas_.imageWidth();
    const std::int64_t H = canvas_.imageHeight();

    // Pixels of the w x w square that may be visited, by the bounds of the
    // mode; 64-bit so that a pen far off the canvas cannot overflow.
    const std::int64_t left = static_cast<std::int64_t>(cx) - h;
    const std::int64_t bottom = static_cast<std::int64_t>(cy) - h;
    std::int64_t xLo = left, xHi = left + w - 1;
    const std::int64_t yLo = std::max<std::int64_t>(bottom, 0);
    const std::int64_t yHi = std::min<std::int64_t>(bottom + w - 1, H - 1);
    if (paint.draw3d) {
        if (colour.drawWithAction)
            return; // a 3D stamp with an action paints nothing
        xLo = std::max<std::int64_t>(xLo, tbDepth3dMin);
        xHi = std::min<std::int64_t>(xHi, tbDepth3dMax + W - 1);
    } else {
        xLo = std::max<std::int64_t>(xLo, 0);
        xHi = std::min<std::int64_t>(xHi, W - 1);
    }
    if (xLo > xHi || yLo > yHi)
        return;
    stroke.canvasTouched = true;

    // Square columns i0..i1 and rows j0..j1 lie inside the bounds. The pen's
    // offset from the centre pixel is exact, so (i - h) - fx is the very
    // number x - px that a pixel-by-pixel stamp computes.
    const int i0 = static_cast<int>(xLo - left), i1 = static_cast<int>(xHi - left);
    const int j0 = static_cast<int>(yLo - bottom), j1 = static_cast<int>(yHi - bottom);
    mask_.setGeometry(w, paint.squareBrush, px - cx, py - cy);
    if (paint.fuzzy)
        mask_.setWeights(colour.drawWithAction ? WeightRule::Action : WeightRule::Paint, m);

    // Pixels are visited row by row from the bottom, left to right; their
    // random draws (speckles, colours per point) depend on their place in the
    // square, not on that order (StampDraws).
    SpeckleTest speckle(random_, paint.speckly, stroke.speckleOffset);
    if (!speckle.never()) {
        if (colour.drawWithAction)
            stampWithAction(i0, i1, j0, j1, left, bottom, speckle);
        else if (!paint.draw3d && colour.randomColourMethod == RandomColourMethod::Point)
            stampColourPerPoint(i0, i1, j0, j1, left, bottom, speckle);
        else
            stampBlend(i0, i1, j0, j1, left, bottom, speckle);
    }

    if (refresh) {
        if (paint.draw3d) {
            const CanvasRect changed{static_cast<int>(xLo) - tbDepth3dMax, static_cast<int>(yLo),
                                     static_cast<int>(xHi) + tbDepth3dMax, static_cast<int>(yHi)};
            canvas_.refreshRect(changed);
        } else {
            // Every mode outside 3D changes only visited pixels: the rows'
            // spans, not the corners of the square.
            changedSpans_.clear();
            for (int j = j0; j <= j1; ++j) {
                const StampSpan v = visitedSpan(mask_, j, i0, i1);
                if (!v.empty())
                    changedSpans_.push_back(CanvasSpan{static_cast<int>(bottom + j),
                                                       static_cast<int>(left + v.lo),
                                                       static_cast<int>(left + v.hi)});
            }
            if (changedSpans_.empty()) // nothing visited: the square still repaints, taking the outline off
                canvas_.refreshRect(CanvasRect{static_cast<int>(xLo), static_cast<int>(yLo),
                                               static_cast<int>(xHi), static_cast<int>(yHi)});
            else
                canvas_.refreshSpans(changedSpans_);
        }
    }
}

void Painter::stampBlend(int i0, int i1, int j0, int j1, std::int64_t left, std::int64_t bottom,
                         SpeckleTest& speckle) {
    const PaintingState& paint = state_.paint;
    const StrokeState& stroke = state_.stroke;
    const std::int64_t W = canvas_.imageWidth();

    // The blend, chosen once: one image outside 3D; in 3D a blue image at the
    // pixel and a red image shifted by the depth.
    BlendRecipe recipes[2];
    std::int64_t shift[2] = {0, 0};
    int images = 1;
    double amount = 1;
    if (!paint.draw3d) {
        recipes[0] = colourRecipe(paint);
        amount = clampDouble(paint.intensity + stroke.intensityOffset, 0, 1);
    } else {
        const int D = clampInt(paint.depth3d + roundEven(stroke.depthOffset), tbDepth3dMin, tbDepth3dMax);
        const double red = paint.redStrength;
        const double blue = paint.blueStrength;
        images = 2;
        if (!paint.backgroundIsWhite) {
            recipes[0] = BlendRecipe{{blue, 0, 0}, 1, false};
            recipes[1] = BlendRecipe{{0, 0, red}, 1, false};
            shift[1] = D;
        } else {
            recipes[0] = BlendRecipe{{0, blue, blue}, 1, true};
            recipes[1] = BlendRecipe{{red, red, 0}, 1, true};
            shift[1] = -D;
        }
    }
    mask_.setDeltas(paint.fuzzy, amount, paint.eraseMode, recipes, images);
    speckle.keyDraws(mask_.width(), false);

    // In 3D subtraction both images take from green. Changes of one sign
    // saturate the same in any order; with strengths of opposite signs the
    // pixels are blended one by one in visiting order, red image first.
    const bool ordered = paint.draw3d && paint.backgroundIsWhite &&
                         ((paint.redStrength > 0 && paint.blueStrength < 0) ||
                          (paint.redStrength < 0 && paint.blueStrength > 0));

    // Every row changes only its own canvas row.
    const int perPixel = !mask_.deltasReady((j0 + j1) / 2) ? StampMask::workComputedPixel
                         : speckle.always()                ? StampMask::workCachedPixel
                                                           : StampMask::workSpecklePixel;
    const std::int64_t work = static_cast<std::int64_t>(j1 - j0 + 1) * (i1 - i0 + 1) * perPixel;
    const BlendPlan plan{i0, i1, left, bottom, W, images, {shift[0], shift[1]}, ordered, addKernels()};
    mask_.forRows(workers_, j0, j1, work,
                  [&](int from, int to, int slot) { blendRows(plan, speckle, from, to, slot); });
}

void Painter::blendRows(const BlendPlan plan, const SpeckleTest& speckle, int from, int to, int slot) {
    const std::int64_t W = plan.width;
    for (int j = from; j <= to; ++j) {
        const StampSpan v = visitedSpan(mask_, j, plan.i0, plan.i1);
        if (v.empty())
            continue;
        const int n = v.hi - v.lo + 1;
        const std::uint8_t* keep = nullptr;
        if (!speckle.always()) {
            std::vector<std::uint8_t>& buffer = rowScratch_[slot].keep;
            if (buffer.size() < drawRoom(n) * 3)
                buffer.resize(drawRoom(n) * 3);
            speckle.row(buffer.data(), j, v.lo, n);
            keep = buffer.data();
        }
        auto* row = reinterpret_cast<std::uint8_t*>(canvas_.row(static_cast<int>(plan.bottom + j)));

        if (plan.ordered) {
            const std::int16_t* blueImage = mask_.deltaRow(0, j, slot);
            const std::int16_t* redImage = mask_.deltaRow(1, j, slot);
            const std::int64_t shift = plan.shift[1];
            for (int i = v.lo; i <= v.hi; ++i) {
                if (keep != nullptr && keep[3 * (i - v.lo)] == 0)
                    continue;
                const std::int64_t x = plan.left + i;
                if (x + shift >= 0 && x + shift < W)
                    addClamped(row + 3 * (x + shift), redImage + 3 * i, 3);
                if (x >= 0 && x < W)
                    addClamped(row + 3 * x, blueImage + 3 * i, 3);
            }
            continue;
        }

        for (int g = 0; g < plan.images; ++g) {
            // Columns whose image lands inside the canvas.
            const std::int64_t at = plan.left + plan.shift[g];
            const std::int64_t a = std::max<std::int64_t>(v.lo, -at);
            const std::int64_t b = std::min<std::int64_t>(v.hi, W - 1 - at);
            if (a > b)
                continue;
            const std::int16_t* deltas = mask_.deltaRow(g, j, slot) + 3 * a;
            std::uint8_t* bytes = row + 3 * (at + a);
            const auto count = static_cast<std::size_t>(b - a + 1) * 3;
            if (keep == nullptr)
                plan.add.add(bytes, deltas, count);
            else
                plan.add.addWhere(bytes, deltas, keep + 3 * (a - v.lo), count);
        }
    }
}

void Painter::stampColourPerPoint(int i0, int i1, int j0, int j1, std::int64_t left, std::int64_t bottom,
                                  SpeckleTest& speckle) {
    PaintingState& paint = state_.paint;
    const ColourState& colour = state_.colour;
    double k = clampDouble(paint.intensity + state_.stroke.intensityOffset, 0, 1);
    if (paint.eraseMode)
        k = -k; // (o x k) negated is o x (-k)
    const PointColours colours{StampDraws::colourBound(colour.red), StampDraws::colourBound(colour.green),
                               StampDraws::colourBound(colour.blue), paint.backgroundIsWhite, k};
    speckle.keyDraws(mask_.width(), true);
    const StampDraws& draws = speckle.draws();

    const std::int64_t work =
        static_cast<std::int64_t>(j1 - j0 + 1) * (i1 - i0 + 1) * StampMask::workComputedPixel;
    mask_.forRows(workers_, j0, j1, work, [&](int from, int to, int slot) {
        for (int j = from; j <= to; ++j) {
            const StampSpan v = visitedSpan(mask_, j, i0, i1);
            if (v.empty())
                continue;
            const int n = v.hi - v.lo + 1;
            const std::size_t bytes = static_cast<std::size_t>(n) * 3;
            RowScratch& scratch = rowScratch_[slot];
            if (scratch.deltas.size() < drawRoom(n) * 3)
                scratch.deltas.resize(drawRoom(n) * 3);
            if (scratch.keep.size() < drawRoom(n) * 3)
                scratch.keep.resize(drawRoom(n) * 3);
            colourDeltaRow(draws, j, v.lo, n, colours, paint.fuzzy ? mask_.weightRow(j) + v.lo : nullptr,
                           scratch.deltas.data());
            auto* row = reinterpret_cast<std::uint8_t*>(canvas_.row(static_cast<int>(bottom + j))) +
                        3 * (left + v.lo);
            if (speckle.always()) {
                addClamped(row, scratch.deltas.data(), bytes);
                continue;
            }
            speckle.row(scratch.keep.data(), j, v.lo, n);
            addClampedWhere(row, scratch.deltas.data(), scratch.keep.data(), bytes);
        }
    });

    // The colour in use is left as the last painted pixel's, in visiting order.
    for (int j = j1; j >= j0; --j) {
        const StampSpan v = visitedSpan(mask_, j, i0, i1);
        for (int i = v.hi; i >= v.lo; --i) {
            if (!speckle.paints(i, j))
                continue;
            paint.paintRed = static_cast<int>(draws.draw(i, j, StampDraws::Stream::Red, colours.red));
            paint.paintGreen = static_cast<int>(draws.draw(i, j, StampDraws::Stream::Green, colours.green));
            paint.paintBlue = static_cast<int>(draws.draw(i, j, StampDraws::Stream::Blue, colours.blue));
            return;
        }
    }
}

void Painter::stampWithAction(int i0, int i1, int j0, int j1, std::int64_t left, std::int64_t bottom,
                              SpeckleTest& speckle) {
    const ColourState& colour = state_.colour;
    speckle.keyDraws(mask_.width(), false);
    CanvasRect covered; // pixels whose coverage changed
    for (int j = j0; j <= j1; ++j) {
        const StampSpan v = visitedSpan(mask_, j, i0, i1);
        if (v.empty())
            continue;
        const double* o = state_.paint.fuzzy ? mask_.weightRow(j) : nullptr;
        const int y = static_cast<int>(bottom + j);
        double* coverage = canvas_.coverageRow(y);
        for (int i = v.lo; i <= v.hi; ++i) {
            const double weight = o != nullptr ? o[i] : 1.0;
            if (!speckle.paints(i, j))
                continue;
            const int x = static_cast<int>(left + i);
            if (colour.silly) {
                action_.perform(x, y, weight);
                continue;
            }
            double& c = coverage[x];
            if (c >= 1)
                continue;
            c = std::min(1.0, c + weight);
            covered = covered.united(CanvasRect{x, y, x, y});
            action_.perform(x, y, c);
        }
    }
    if (!covered.empty())
        canvas_.noteCoverage(covered.left, covered.bottom, covered.right, covered.top);
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

    std::vector<CanvasPoint>& dots = outlineDots_;
    dots.assign(static_cast<std::size_t>(n), CanvasPoint{-1, -1});
    std::size_t next = 0;
    auto place = [&](int x, int y) { dots[next++] = CanvasPoint{x, y}; };

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
        // The directions depend only on n; they are kept while n stays the same.
        if (ringDirections_.size() != static_cast<std::size_t>(n)) {
            ringDirections_.clear();
            for (int p = 1; p <= n; ++p) {
                const double theta = 2 * std::numbers::pi * p / n + n;
                ringDirections_.push_back({std::cos(theta), std::sin(theta)});
            }
        }
        for (const auto& [c, s] : ringDirections_)
            place(roundEven(px + R * c), roundEven(py + R * s));
    }
    dots.resize(next);

    // Every backup is taken before the first dot is drawn, so a pixel that two
    // dots fall on (small widths) keeps its original bytes in its one backup
    // slot, and the restore below gives every pixel back exactly.
    for (const CanvasPoint& d : dots)
        if (canvas_.contains(d.x, d.y))
            canvas_.outlineBackupRow(d.y)[d.x] = canvas_.pixel(d.x, d.y);
    for (const CanvasPoint& d : dots)
        drawDots(d.x, d.y);

    // Only the dots are repainted: the screen shows them until the next
    // repaint, which also takes them off again.
    canvas_.showOutline(dots);

    for (const CanvasPoint& d : dots)
        if (canvas_.contains(d.x, d.y))
            canvas_.pixel(d.x, d.y) = canvas_.outlineBackupRow(d.y)[d.x];

    if (px < 2 || py > canvas_.imageHeight() - 3)
        canvas_.RefreshPicture();
}

} // namespace splot
