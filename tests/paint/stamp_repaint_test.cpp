// A stamp outside 3D repaints only row spans, yet every pixel it changed.
#include "support/CanvasFixture.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace splot {
namespace {

class SpanDisplay : public test::RecordingDisplay {
public:
    void repaintSpans(const std::vector<CanvasSpan>& s) override {
        spans.insert(spans.end(), s.begin(), s.end());
    }
    std::vector<CanvasSpan> spans;
};

TEST(StampRepaint, TheSpansCoverEveryChangedPixelAndStayInTheCanvas) {
    Random dice(99);
    for (int n = 0; n < 300; ++n) {
        const int W = 1 + static_cast<int>(dice.random(60)), H = 1 + static_cast<int>(dice.random(50));
        test::EngineRig rig(W, H);
        SpanDisplay display;
        rig.canvas.setDisplay(&display);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                rig.canvas.pixel(x, y) = BgrPixel{static_cast<std::uint8_t>(dice.random(256)),
                                                  static_cast<std::uint8_t>(dice.random(256)),
                                                  static_cast<std::uint8_t>(dice.random(256))};
        SplotState& s = rig.state;
        s.paint.fuzzy = dice.random(2) == 1;
        s.paint.squareBrush = dice.random(4) == 0;
        s.paint.fuzziness = 0.01 + dice.random(100) / 100.0;
        s.paint.speckly = dice.random(3) == 0 ? 40 : 100;
        s.paint.eraseMode = dice.random(4) == 0;
        s.colour.randomColourMethod =
            dice.random(4) == 0 ? RandomColourMethod::Point : RandomColourMethod::None;
        s.colour.drawWithAction = dice.random(5) == 0;
        const std::vector<BgrPixel> before = [&] {
            std::vector<BgrPixel> p;
            for (int y = 0; y < H; ++y)
                p.insert(p.end(), rig.canvas.row(y), rig.canvas.row(y) + W);
            return p;
        }();
        const double px = -10 + dice.random(W + 20) + dice.random(4) * 0.25;
        const double py = -10 + dice.random(H + 20) + dice.random(4) * 0.25;
        rig.painter.DrawOnImage(KMingo(px, py), 1 + static_cast<int>(dice.random(40)), true);

        std::set<std::pair<int, int>> repainted;
        for (const CanvasSpan& span : display.spans) {
            ASSERT_TRUE(span.y >= 0 && span.y < H && span.left >= 0 && span.right < W &&
                        span.left <= span.right);
            for (int x = span.left; x <= span.right; ++x)
                repainted.insert({x, span.y});
        }
        // A stamp that visits no pixel repaints its square instead.
        EXPECT_TRUE(display.rects.empty() || display.spans.empty());
        for (const CanvasRect& r : display.rects)
            for (int y = r.bottom; y <= r.top; ++y)
                for (int x = r.left; x <= r.right; ++x)
                    repainted.insert({x, y});
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                const bool changed = !(rig.canvas.pixel(x, y) == before[static_cast<std::size_t>(y) * W + x]);
                ASSERT_TRUE(!changed || repainted.count({x, y}))
                    << "case " << n << ": pixel " << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace splot
