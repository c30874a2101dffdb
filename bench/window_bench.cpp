// A complete mouse-move event of a stroke through the real main window on
// Qt's offscreen platform, against the stamp alone on the same canvas.
#include "app/AppWindows.h"
#include "app/ImageView.h"
#include "app/QtPorts.h"
#include "app/splot.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSlider>
#include <benchmark/benchmark.h>

#include <cstdlib>
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

// One mouse-move event with the left button held: outline, stamp, drift,
// outline, each repainting its rectangle at once.
void BM_MouseMoveEvent(benchmark::State& state) {
    WindowRig& r = rig();
    if (r.form->canvas().imageWidth() != state.range(0))
        r.form->MakeNewImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)), false);
    QWidget* image = r.form->Image1;
    int i = 0;
    for (auto _ : state) {
        r.mouse.x = WindowRig::visibleX(i);
        r.mouse.y = WindowRig::visibleY;
        const QPointF local(r.mouse.x, 5000 - r.mouse.y);
        QMouseEvent move(QEvent::MouseMove, local, image->mapToGlobal(local), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(image, &move);
        ++i;
    }
    r.form->MouseUp();
}
BENCHMARK(BM_MouseMoveEvent)->Arg(5000)->Unit(benchmark::kMicrosecond);

// The stamp alone (no repaint) on the same window's canvas, for comparison.
void BM_MouseMoveStampOnly(benchmark::State& state) {
    WindowRig& r = rig();
    const int width = static_cast<int>(state.range(0));
    int i = 0;
    for (auto _ : state) {
        const splot::KMingo pen(WindowRig::visibleX(i), WindowRig::visibleY);
        r.form->painter().DrawOnImage(pen, width, false);
        ++i;
    }
}
BENCHMARK(BM_MouseMoveStampOnly)->Arg(200)->Unit(benchmark::kMicrosecond);

} // namespace
