// The engine's stamp against the plain pixel-by-pixel stamp, byte for byte,
// on random brushes, positions and canvases.
#include "paint/ReferenceStamp.h"
#include "support/CanvasFixture.h"
#include "support/DispatchLevels.h"

#include <cstring>
#include <sstream>
#include <string>

namespace splot {
namespace {

using test::EngineRig;
using test::ReferenceStamp;

// Test parameters come from their own generator, so the draws under test are
// not disturbed.
class Dice {
public:
    explicit Dice(std::uint64_t seed) : random_(seed) {}
    int between(int lo, int hi) { return lo + static_cast<int>(random_.random(std::int64_t{hi} - lo + 1)); }
    bool chance(int percent) { return between(0, 99) < percent; }
    double real(double lo, double hi) { return lo + (hi - lo) * (random_.next64() >> 11) * 0x1.0p-53; }
    // Whole, half or arbitrary fractions, as strokes, circles and walks give.
    double position(int lo, int hi) {
        const int whole = between(lo, hi);
        switch (between(0, 3)) {
        case 0:
        case 1:
            return whole;
        case 2:
            return whole + 0.5;
        default:
            return whole + real(-1, 1);
        }
    }

private:
    Random random_;
};

// Everything that may differ after a stamp, as one comparable value.
std::string snapshot(const EngineRig& rig) {
    std::ostringstream out;
    const Canvas& c = rig.canvas;
    for (int y = 0; y < c.imageHeight(); ++y) {
        out.write(reinterpret_cast<const char*>(c.row(y)), c.imageWidth() * 3);
        out.write(reinterpret_cast<const char*>(c.coverageRow(y)), c.imageWidth() * 8);
    }
    const PaintingState& p = rig.state.paint;
    Random next = rig.random;
    out << '|' << rig.state.stroke.canvasTouched << ' ' << p.paintRed << ' ' << p.paintGreen << ' '
        << p.paintBlue << ' ' << next.next64() << ' ' << next.scriptedDrawsLeft();
    return out.str();
}

std::string describe(const SplotState& s, double px, double py, int width, int W, int H) {
    std::ostringstream out;
    out << "canvas " << W << "x" << H << " pen (" << px << ", " << py << ") width " << width
        << " widthOffset " << s.stroke.widthOffset << " usePenWidth " << s.circle.circleUsePenWidth
        << " square " << s.paint.squareBrush << " fuzzy " << s.paint.fuzzy << " fuzziness "
        << s.paint.fuzziness << "+" << s.stroke.fuzzinessOffset << " intensity " << s.paint.intensity << "+"
        << s.stroke.intensityOffset << " speckly " << s.paint.speckly << "+" << s.stroke.speckleOffset
        << " white " << s.paint.backgroundIsWhite << " erase " << s.paint.eraseMode << " 3d "
        << s.paint.draw3d << " depth " << s.paint.depth3d << "+" << s.stroke.depthOffset << " strengths "
        << s.paint.redStrength << "/" << s.paint.blueStrength << " colour " << s.colour.red << ","
        << s.colour.green << "," << s.colour.blue << " method "
        << static_cast<int>(s.colour.randomColourMethod) << " action " << s.colour.drawWithAction << " silly "
        << s.colour.silly << " which " << static_cast<int>(s.colour.selectedAction);
    return out.str();
}

// One random change of the brush, the mode or the colour.
void mutate(Dice& dice, SplotState& s) {
    PaintingState& p = s.paint;
    StrokeState& k = s.stroke;
    ColourState& c = s.colour;
    switch (dice.between(0, 17)) {
    case 0:
        p.squareBrush = !p.squareBrush;
        break;
    case 1:
        p.fuzzy = !p.fuzzy;
        break;
    case 2:
        p.fuzziness = dice.chance(30) ? (dice.chance(50) ? 1.0 : 0.01) : dice.real(0.01, 1);
        break;
    case 3:
        k.fuzzinessOffset = dice.chance(50) ? 0 : dice.real(-1.2, 0.5);
        break;
    case 4:
        p.intensity = dice.chance(30) ? 1.0 : dice.real(0.0199, 1);
        break;
    case 5:
        k.intensityOffset = dice.chance(50) ? 0 : dice.real(-1, 1);
        break;
    case 6:
        p.speckly = dice.chance(50) ? 100 : dice.between(1, 100);
        break;
    case 7:
        k.speckleOffset =
            dice.chance(40) ? 0 : (dice.chance(50) ? dice.between(-60, 60) + 0.5 : dice.real(-60, 60));
        break;
    case 8:
        p.backgroundIsWhite = !p.backgroundIsWhite;
        break;
    case 9:
        p.eraseMode = !p.eraseMode;
        break;
    case 10:
        p.draw3d = !p.draw3d;
        break;
    case 11:
        p.depth3d = dice.between(-100, 100);
        k.depthOffset = dice.chance(50) ? 0 : dice.real(-30, 30);
        break;
    case 12: // strengths beyond the slider range or of opposite signs must blend as written
        p.redStrength = dice.chance(80) ? dice.between(0, 255) : dice.between(-300, 300);
        p.blueStrength = dice.chance(80) ? dice.between(0, 255) : dice.between(-300, 300);
        break;
    case 13:
        c.red = dice.chance(20) ? 0 : dice.between(0, 255);
        c.green = dice.chance(20) ? 0 : dice.between(0, 255);
        c.blue = dice.chance(20) ? 0 : dice.between(0, 255);
        break;
    case 14:
        c.randomColourMethod = static_cast<RandomColourMethod>(dice.between(0, 3));
        break;
    case 15:
        c.drawWithAction = dice.chance(30);
        c.silly = dice.chance(50);
        c.selectedAction = static_cast<RgbAction>(dice.between(0, 4));
        break;
    case 16:
        k.widthOffset =
            dice.chance(50) ? 0 : (dice.chance(50) ? dice.between(-5, 5) + 0.5 : dice.real(-8, 8));
        break;
    default:
        s.circle.circleUsePenWidth = !s.circle.circleUsePenWidth;
        break;
    }
}

TEST(StampReference, EngineMatchesThePlainStampOnRandomBrushes) {
    test::forEachDispatchLevel([&] {
        Dice dice(20240611);
        constexpr int cases = 1500;
        for (int n = 0; n < cases; ++n) {
            // Canvas: small, sometimes empty in one direction.
            int W = dice.between(1, 40), H = dice.between(1, 40);
            if (dice.chance(5))
                (dice.chance(50) ? W : H) = 0;
            EngineRig fast(W, H), plain(W, H);
            // Nothing left to clear: the coverage set below stands for an
            // earlier stroke's, so only what this stroke notes is cleared at its end.
            fast.canvas.clearCoverage();
            plain.canvas.clearCoverage();

            // Identical random pictures, action sources and coverage.
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x) {
                    const BgrPixel p{static_cast<std::uint8_t>(dice.between(0, 255)),
                                     static_cast<std::uint8_t>(dice.between(0, 255)),
                                     static_cast<std::uint8_t>(dice.between(0, 255))};
                    const BgrPixel s{static_cast<std::uint8_t>(dice.between(0, 255)),
                                     static_cast<std::uint8_t>(dice.between(0, 255)),
                                     static_cast<std::uint8_t>(dice.between(0, 255))};
                    const double c = dice.chance(70) ? 0.0 : dice.real(0, 1.3);
                    for (EngineRig* rig : {&fast, &plain}) {
                        rig->canvas.pixel(x, y) = p;
                        rig->canvas.actionSourceRow(y)[x] = s;
                        rig->canvas.coverageRow(y)[x] = c;
                    }
                }

            // A random brush: defaults, then a handful of changes.
            SplotState s;
            s.paint.fuzzy = dice.chance(60);
            for (int k = dice.between(2, 10); k > 0; --k)
                mutate(dice, s);
            int width = dice.chance(90) ? dice.between(1, 60) : dice.between(61, 1100);
            if (width > 200 && dice.chance(70))
                s.circle.circleUsePenWidth = true;

            const std::uint64_t seed = dice.between(0, 1 << 30);
            fast.state = s;
            plain.state = s;
            fast.random.seed(seed);
            plain.random.seed(seed);
            if (dice.chance(5)) {
                const auto a = static_cast<std::uint32_t>(dice.between(0, 99));
                const auto b = static_cast<std::uint32_t>(dice.between(0, 99));
                fast.random.script({a, b});
                plain.random.script({a, b});
            }
            ReferenceStamp reference(plain.state, plain.canvas, plain.random);

            // A short stroke: whole-pixel steps reuse the stamp's masks, so the
            // brush also changes between stamps now and then.
            double px = dice.position(-width / 2 - 4, W + width / 2 + 4);
            double py = dice.position(-width / 2 - 4, H + width / 2 + 4);
            if (dice.chance(5))
                px = dice.position(-160, -100); // 3D pens far left of the canvas
            for (int stamp = dice.between(1, 5); stamp > 0; --stamp) {
                const std::string what = describe(fast.state, px, py, width, W, H);
                fast.state.stroke.canvasTouched = false;
                plain.state.stroke.canvasTouched = false;
                fast.painter.DrawOnImage(KMingo(px, py), width, dice.chance(50),
                                         widestStamp(fast.state.circle));
                reference.DrawOnImage(KMingo(px, py), width);
                ASSERT_EQ(snapshot(fast), snapshot(plain)) << "case " << n << ": " << what;

                if (dice.chance(40)) {
                    mutate(dice, fast.state);
                    plain.state = fast.state;
                }
                if (dice.chance(70)) { // a whole-pixel step keeps the sub-pixel offset
                    px += dice.between(-4, 4);
                    py += dice.between(-4, 4);
                } else {
                    px = dice.position(-width / 2 - 4, W + width / 2 + 4);
                    py = dice.position(-width / 2 - 4, H + width / 2 + 4);
                }
            }

            // The coverage the stroke wrote is exactly what the end of the stroke clears.
            fast.canvas.clearCoverage();
            plain.canvas.clearCoverage();
            ASSERT_EQ(snapshot(fast), snapshot(plain)) << "case " << n << " after clearing the coverage";
        }
    });
}

// A wide fuzzy stamp on a canvas that holds it whole, at the offsets where the
// rim is most delicate (whole, half and near-half pens), in every mode.
TEST(StampReference, WideStampsInsideTheCanvas) {
    test::forEachDispatchLevel([&] {
        Dice dice(77);
        for (int width : {199, 200, 256}) {
            for (double frac : {0.0, 0.5, -0.5, 0.4999999999, 0.25}) {
                for (int mode = 0; mode < 4; ++mode) {
                    EngineRig fast(300, 280, mode & 1), plain(300, 280, mode & 1);
                    SplotState s;
                    s.paint.backgroundIsWhite = mode & 1;
                    s.paint.draw3d = mode & 2;
                    s.paint.depth3d = -37;
                    s.paint.fuzziness = dice.real(0.01, 1);
                    s.paint.squareBrush = width == 256;
                    s.colour.randomColourMethod = RandomColourMethod::Stroke;
                    fast.state = s;
                    plain.state = s;
                    ReferenceStamp reference(plain.state, plain.canvas, plain.random);
                    for (int k = 0; k < 3; ++k) {
                        const double px = 150 + 3 * k + frac, py = 140 - 2 * k + frac;
                        fast.painter.DrawOnImage(KMingo(px, py), width, true, widestStamp(fast.state.circle));
                        reference.DrawOnImage(KMingo(px, py), width);
                        ASSERT_EQ(snapshot(fast), snapshot(plain))
                            << "width " << width << " frac " << frac << " mode " << mode << " stamp " << k;
                    }
                }
            }
        }
    });
}

// Strengths far beyond the sliders make changes past a byte's range, which
// the stamp must bound exactly as the plain stamp does.
TEST(StampReference, ChangesBeyondAByteAreBounded) {
    test::forEachDispatchLevel([&] {
        for (int mode = 0; mode < 4; ++mode) {
            EngineRig fast(120, 90, mode & 1), plain(120, 90, mode & 1);
            SplotState s;
            s.paint.fuzzy = true;
            s.paint.fuzziness = 0.7;
            s.paint.backgroundIsWhite = mode & 1;
            s.paint.draw3d = mode & 2;
            s.paint.depth3d = 9;
            s.paint.redStrength = 2000;
            s.paint.blueStrength = -1500;
            s.paint.eraseMode = mode == 1;
            fast.state = s;
            plain.state = s;
            ReferenceStamp reference(plain.state, plain.canvas, plain.random);
            for (int k = 0; k < 3; ++k) {
                const double px = 60 + 7 * k + 0.5 * k, py = 45 - 3 * k;
                fast.painter.DrawOnImage(KMingo(px, py), 64, true, widestStamp(fast.state.circle));
                reference.DrawOnImage(KMingo(px, py), 64);
                ASSERT_EQ(snapshot(fast), snapshot(plain)) << "mode " << mode << " stamp " << k;
            }
        }
    });
}

} // namespace
} // namespace splot
