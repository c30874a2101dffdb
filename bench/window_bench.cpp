// A complete mouse-move event of a stroke through the real main window on
// Qt's offscreen platform, against the stamp alone on the same canvas; and the
// pen walks, shape batches and circles of splotting_bench.cpp through the same
// window, each doing exactly the work of its NoDisplay twin plus the display's.
#include "app/AppWindows.h"
#include "app/ImageView.h"
#include "app/QtPorts.h"
#include "app/splot.h"
#include "splotting/Splotting.h"
#include "support/SessionProbe.h"
#include "view/Zoom.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSlider>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

class BenchMouse : public splot::MousePort {
public:
    int getXMouse() override { return x; }
    int getYMouse() override { return y; }
    bool leftButtonHeld() override { return true; }
    bool rightButtonHeld() override { return false; }
    int x = 0;
    int y = 0;
};

class NoProcessEnd : public splot::ProcessEnd {
public:
    void endProcess() override {}
};

// One window for every benchmark of this file, with a 5000 x 5000 canvas and
// a 200-pixel round fuzzy brush, shown at 1280 x 900.
struct WindowRig {
    WindowRig() {
        if (std::getenv("QT_QPA_PLATFORM") == nullptr)
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (QApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "splot-bench";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv); // lives until the process ends
        }
        ports = splot::AppPorts{&prompts, &mouse, &pump, &clock, &paths, &processEnd};
        form = splot::createWindows(ports);
        form->setWindowState(Qt::WindowNoState);
        form->resize(1280, 900);
        form->show();
        for (int i = 0; i < 10; ++i)
            QApplication::processEvents();
        form->MakeNewImage(5000, 5000, false);
        form->tbW->setValue(200);
        QApplication::processEvents();
    }

    // A canvas point in the visible top-left part of the picture (the image is
    // larger than the scroll box, so it sits at 0 and shows its top rows).
    static constexpr int visibleX(int i) { return 300 + 10 * (i & 1); }
    static constexpr int visibleY = 5000 - 300;

    splot::QtPrompts prompts;
    BenchMouse mouse;
    splot::QtEventPump pump;
    splot::SystemClock clock;
    splot::QtPaths paths;
    NoProcessEnd processEnd;
    splot::AppPorts ports;
    std::unique_ptr<splot::TForm1> form;
};

WindowRig& rig() {
    static WindowRig* r = new WindowRig; // torn down with the process
    return *r;
}

// One mouse-move event with the left button held at (x, visibleY), sent to
// the image where the picture shows that point.
void sendMove(WindowRig& r, int i) {
    r.mouse.x = WindowRig::visibleX(i);
    r.mouse.y = WindowRig::visibleY;
    splot::ImageView* image = r.form->Image1;
    const QPointF local = image->widgetPosition(QPointF(r.mouse.x, 5000 - r.mouse.y));
    QMouseEvent move(QEvent::MouseMove, local, image->mapToGlobal(local), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(image, &move);
}

// Mouse-move events with the left button held, one an iteration, on a
// range(0)-square picture.
void moveEvents(benchmark::State& state, WindowRig& r) {
    if (r.form->canvas().imageWidth() != state.range(0))
        r.form->MakeNewImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)), false);
    int i = 0;
    for (auto _ : state)
        sendMove(r, i++);
    r.form->MouseUp();
}

// One mouse-move event with the left button held: outline, stamp, drift,
// outline, repainted together when the event's batch ends.
void BM_MouseMoveEvent(benchmark::State& state) {
    moveEvents(state, rig());
}
BENCHMARK(BM_MouseMoveEvent)->Arg(5000)->Unit(benchmark::kMicrosecond);

// The same event with the view taken off the canvas: the part of the event
// that no display path can save (the stamp, the outlines' bookkeeping, the
// drift and the event's own delivery).
void BM_MouseMoveEventNoDisplay(benchmark::State& state) {
    WindowRig& r = rig();
    r.form->canvas().setDisplay(nullptr);
    moveEvents(state, r);
    r.form->canvas().setDisplay(r.form->Image1);
    r.form->canvas().RefreshPicture();
}
BENCHMARK(BM_MouseMoveEventNoDisplay)->Arg(5000)->Unit(benchmark::kMicrosecond);

// The picture zoomed to fit an ordinary 1600 x 1000 scroll box, in a window
// large enough to show all of it; back at 100 % and the rig's size after.
class FittedScene {
public:
    explicit FittedScene(WindowRig& r) : rig_(r) {
        if (r.form->canvas().imageWidth() != 5000 || r.form->canvas().imageHeight() != 5000)
            r.form->MakeNewImage(5000, 5000, false);
        const QSize margin = r.form->size() - r.form->ScrollBox1->maximumViewportSize();
        r.form->resize(QSize(1600, 1000) + margin);
        QApplication::processEvents();
        r.form->setZoom(splot::ZoomLevels::fit(5000, 5000, 1600, 1000), QPoint(0, 0));
        QApplication::processEvents();
    }
    ~FittedScene() {
        rig_.form->setZoom(splot::ZoomLevels::actualPixels, QPoint(0, 0));
        rig_.form->resize(1280, 900);
        QApplication::processEvents();
    }
    FittedScene(const FittedScene&) = delete;
    FittedScene& operator=(const FittedScene&) = delete;

private:
    WindowRig& rig_;
};

// BM_MouseMoveEvent with the whole picture in view, fitted.
void BM_MouseMoveEventZoomed(benchmark::State& state) {
    WindowRig& r = rig();
    const FittedScene scene(r);
    int i = 0;
    for (auto _ : state)
        sendMove(r, i++);
    r.form->MouseUp();
}
BENCHMARK(BM_MouseMoveEventZoomed)->Arg(5000)->Unit(benchmark::kMicrosecond);

// The whole visible picture brought up to date after a whole-picture action
// (Invert, Clear, Undo), fitted: every picture pixel is read once.
void BM_ViewRefreshWhole(benchmark::State& state) {
    WindowRig& r = rig();
    const FittedScene scene(r);
    for (auto _ : state)
        r.form->canvas().RefreshPicture();
}
BENCHMARK(BM_ViewRefreshWhole)->Arg(5000)->Unit(benchmark::kMillisecond);

// The stamp alone (no repaint) on the same window's canvas, for comparison.
void BM_MouseMoveStampOnly(benchmark::State& state) {
    WindowRig& r = rig();
    const int width = static_cast<int>(state.range(0));
    int i = 0;
    for (auto _ : state) {
        const splot::KMingo pen(WindowRig::visibleX(i), WindowRig::visibleY);
        splot::test::SessionProbe(r.form->session()).painter().DrawOnImage(pen, width, false);
        ++i;
    }
}
BENCHMARK(BM_MouseMoveStampOnly)->Arg(200)->Unit(benchmark::kMicrosecond);

// The canvas in the state of the NoDisplay rig: a white size x size picture
// and the program's default settings (the window's own are put back after).
class SplottingScene {
public:
    SplottingScene(WindowRig& r, int size)
        : rig_(r), saved_(r.form->session().state()),
          savedSplotting_(splot::test::SessionProbe(r.form->session()).splotting()) {
        splot::Session& session = r.form->session();
        if (r.form->canvas().imageWidth() != size || r.form->canvas().imageHeight() != size)
            r.form->MakeNewImage(size, size, false);
        session.state() = splot::SplotState{};
        splot::test::SessionProbe(session).splotting() = splot::SplottingState{};
        session.state().paint.imageWidth = size;
        session.state().paint.imageHeight = size;
        splot::test::SessionProbe(session).random().seed(2024);
        clear();
        session.canvas().RefreshPicture();
        QApplication::processEvents();
    }
    ~SplottingScene() {
        rig_.form->session().state() = saved_;
        splot::test::SessionProbe(rig_.form->session()).splotting() = savedSplotting_;
    }
    SplottingScene(const SplottingScene&) = delete;
    SplottingScene& operator=(const SplottingScene&) = delete;

    splot::Session& session() { return rig_.form->session(); }
    void clear() {
        splot::Canvas& c = session().canvas();
        std::memset(c.bits(), 255, static_cast<std::size_t>(c.bytesPerLine()) * c.imageHeight());
    }
    // A hash of the canvas bytes, to compare with the NoDisplay run.
    void reportCanvas(benchmark::State& bench) {
        const splot::Canvas& c = session().canvas();
        std::uint64_t h = 1469598103934665603ULL;
        const std::size_t n = static_cast<std::size_t>(c.bytesPerLine()) * c.imageHeight();
        for (std::size_t i = 0; i < n; i += 61)
            h = (h ^ c.bits()[i]) * 1099511628211ULL;
        bench.counters["canvas"] = static_cast<double>(h % 1000000007ULL);
    }

private:
    WindowRig& rig_;
    splot::SplotState saved_;
    splot::SplottingState savedSplotting_;
};

// BM_WalkNoDisplay through the window: every join repainted in the window
// when its batch ends. The walk's event passes go through the real event
// pump.
void BM_Walk(benchmark::State& bench) {
    SplottingScene scene(rig(), static_cast<int>(bench.range(0)));
    splot::Session& session = scene.session();
    session.state().paint.penWidth = 10;
    session.state().shape.shapeSectionLength = 5;
    for (auto _ : bench) {
        splot::Canvas& canvas = session.canvas();
        for (int y = 90; y <= 110; ++y)
            std::fill(canvas.row(y), canvas.row(y) + canvas.imageWidth(), splot::BgrPixel{255, 255, 255});
        const splot::WalkResult r = splot::test::SessionProbe(session).splotter().travel().HeadFromAtoB(
            splot::KMingo(100, 100), splot::KMingo(300, 100));
        canvas.flushDisplay();
        benchmark::DoNotOptimize(r);
    }
    scene.reportCanvas(bench);
}
BENCHMARK(BM_Walk)->Arg(600)->Unit(benchmark::kMicrosecond);

// BM_DrawShapesLotsNoDisplay through the window.
void BM_DrawShapesLots(benchmark::State& bench) {
    SplottingScene scene(rig(), static_cast<int>(bench.range(0)));
    splot::Session& session = scene.session();
    session.state().shape.shapeDrawLots = true;
    for (auto _ : bench) {
        scene.clear();
        splot::test::SessionProbe(session).random().seed(7);
        splot::test::SessionProbe(session).splotter().DrawShapes();
        session.canvas().flushDisplay();
    }
    scene.reportCanvas(bench);
}
BENCHMARK(BM_DrawShapesLots)->Arg(600)->Unit(benchmark::kMillisecond);

// Draw Shape(s) as the user runs it: the menu item triggered, with "Draw lots
// of shapes?" on, timed until the command has returned (the hourglass is
// gone) and the window has handled what the command left. Run it under Xvfb
// with QT_QPA_PLATFORM=xcb for the X11 path.
void BM_DrawShapesLotsMenu(benchmark::State& bench) {
    WindowRig& r = rig();
    SplottingScene scene(r, static_cast<int>(bench.range(0)));
    splot::Session& session = scene.session();
    session.state().shape.shapeDrawLots = true;
    for (auto _ : bench) {
        bench.PauseTiming();
        scene.clear();
        session.canvas().RefreshPicture();
        splot::test::SessionProbe(session).random().seed(7);
        QApplication::processEvents();
        bench.ResumeTiming();
        r.form->DrawShapes1->trigger();
        QApplication::processEvents();
    }
    scene.reportCanvas(bench);
}
BENCHMARK(BM_DrawShapesLotsMenu)->Arg(600)->Unit(benchmark::kMillisecond);

// BM_DrawCircleNoDisplay through the window: 720 points, pen 1000.
void BM_DrawCircle(benchmark::State& bench) {
    SplottingScene scene(rig(), static_cast<int>(bench.range(0)));
    splot::Session& session = scene.session();
    session.state().circle.circleNumberOfPoints = 720;
    session.state().circle.circleUsePenWidth = true;
    session.state().circle.circlePenWidth = 1000;
    for (auto _ : bench) {
        splot::test::SessionProbe(session).splotter().DrawCircle();
        session.canvas().flushDisplay();
    }
    scene.reportCanvas(bench);
}
BENCHMARK(BM_DrawCircle)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
