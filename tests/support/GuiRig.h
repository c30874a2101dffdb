#pragma once

#include "app/AppWindows.h"
#include "app/ImageView.h"
#include "app/splot.h"
#include "settings/SettingsFile.h"
#include "support/Fakes.h"
#include "support/SessionProbe.h"

#include <QApplication>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace splot::test {

// The real windows, created in their order, with fake ports. Mouse helpers
// take canvas coordinates (x right, y up), point the fake mouse port at them
// and send the event through the window at the matching spot of Image1.
struct GuiRig {
    GuiRig() : GuiRig([](GuiRig&) {}) {}
    // prepare runs before the windows are created, e.g. to write a settings
    // file at iniPath() or to move the fake executable.
    explicit GuiRig(const std::function<void(GuiRig&)>& prepare) {
        ports = AppPorts{&prompts, &mouse, &pump, &clock, &paths, &processEnd};
        prepare(*this);
        form = createWindows(ports);
    }
    ~GuiRig() {
        // Leave no button held for the next test.
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton})
            if (QTestPrivate::qtestMouseButtons.testFlag(b) && form->windowHandle() != nullptr)
                QTest::mouseRelease(form->windowHandle(), b, {}, QPoint(1, 1));
    }

    // Shows the main window normally at the given size and makes it active,
    // so that its shortcuts fire.
    void show(int width = 900, int height = 760) {
        form->setWindowState(Qt::WindowNoState);
        form->resize(width, height);
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == form.get(); }));
    }

    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form.get(), k, modifiers);
    }

    QPoint windowPoint(int x, int y) const {
        return form->Image1->mapTo(form.get(), QPoint(x, form->canvas().imageHeight() - y));
    }
    void aim(int x, int y) {
        mouse.x = x;
        mouse.y = y;
    }
    QWindow* window() const { return form->windowHandle(); }
    void press(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        aim(x, y);
        QTest::mousePress(window(), b, {}, windowPoint(x, y));
    }
    void moveTo(int x, int y) {
        aim(x, y);
        QTest::mouseMove(window(), windowPoint(x, y));
    }
    void release(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        aim(x, y);
        QTest::mouseRelease(window(), b, {}, windowPoint(x, y));
    }

    // A copy of the canvas bytes, bottom row first.
    std::vector<BgrPixel> pixels() const {
        std::vector<BgrPixel> out;
        const Canvas& c = form->canvas();
        for (int y = 0; y < c.imageHeight(); ++y)
            out.insert(out.end(), c.row(y), c.row(y) + c.imageWidth());
        return out;
    }

    std::string status(int panel) const { return form->statusPanelText(panel); }

    // The settings file beside the fake executable.
    std::string iniPath() { return settingsFilePath(paths.executablePath()); }

    FakePrompts prompts;
    FakeMouse mouse;
    FakePump pump;
    FakeClock clock;
    FakePaths paths;
    FakeProcessEnd processEnd;
    AppPorts ports;
    std::unique_ptr<TForm1> form;
};

} // namespace splot::test
