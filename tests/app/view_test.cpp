// The View menu and the wheel: zoom levels and fitting, the picture point
// that stays in place while zooming, steady scrolling, and a new picture
// shown from its top-left corner.
#include "support/GuiRig.h"
#include "view/Zoom.h"

#include <QAction>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

namespace splot::test {
namespace {

struct ViewRig : GuiRig {
    ViewRig() {
        show(1100, 800);
        form->MakeNewImage(2000, 1500, false);
        QApplication::processEvents();
    }
    QWidget* viewport() const { return form->ScrollBox1->viewport(); }
    QScrollBar* h() const { return form->ScrollBox1->horizontalScrollBar(); }
    QScrollBar* v() const { return form->ScrollBox1->verticalScrollBar(); }
    // The picture position (picture pixels from the top-left) at a viewport point.
    QPointF pictureAt(QPoint p) const {
        return form->Image1->picturePosition(form->Image1->mapFrom(viewport(), QPointF(p)));
    }
    void wheel(QPoint at, int notches, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWheelEvent e(QPointF(at), QPointF(viewport()->mapToGlobal(at)), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport(), &e);
    }
};

TEST(View, KeysStepFitAndShowTheZoomInUse) {
    ViewRig rig;
    TForm1& f = *rig.form;
    EXPECT_EQ(f.Image1->zoom(), ZoomLevels::actualPixels);
    rig.key(Qt::Key_0, Qt::ControlModifier);
    const QSize box = f.ScrollBox1->maximumViewportSize();
    EXPECT_EQ(f.Image1->zoom(), ZoomLevels::fit(2000, 1500, box.width(), box.height()));
    EXPECT_LE(f.Image1->width(), box.width());
    EXPECT_LE(f.Image1->height(), box.height());
    EXPECT_TRUE(f.Image1->width() == box.width() || f.Image1->height() == box.height())
        << "the largest that fits";
    EXPECT_TRUE(f.FitPicture1->isChecked());

    rig.key(Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(f.Image1->size(), QSize(2000, 1500));
    EXPECT_FALSE(f.FitPicture1->isChecked());
    // Zooming by keys keeps the picture point at the viewport's centre.
    rig.h()->setValue(400);
    rig.v()->setValue(300);
    const QPoint centre = rig.viewport()->rect().center();
    const QPointF before = rig.pictureAt(centre);
    const std::pair<Qt::Key, Zoom> steps[] = {
        {Qt::Key_Equal, {2, 1}}, {Qt::Key_Plus, {3, 1}}, {Qt::Key_Minus, {2, 1}}, {Qt::Key_Minus, {1, 1}}};
    for (auto [key, zoom] : steps) {
        rig.key(key, Qt::ControlModifier);
        EXPECT_EQ(f.Image1->zoom(), zoom);
        const QPointF after = rig.pictureAt(centre);
        EXPECT_NEAR(after.x(), before.x(), 1.0);
        EXPECT_NEAR(after.y(), before.y(), 1.0);
        // Exactly one level carries the check mark.
        int checked = 0;
        for (QAction* a : f.View1->actions())
            checked += a->isChecked();
        EXPECT_EQ(checked, 1);
    }
}

TEST(View, TheWheelScrollsInSteadyStepsAndZoomsAroundThePointer) {
    ViewRig rig;
    TForm1& f = *rig.form;
    const int step = rig.viewport()->height() / 8;
    rig.wheel(QPoint(100, 100), -1);
    EXPECT_EQ(rig.v()->value(), step);
    rig.wheel(QPoint(100, 100), -2);
    EXPECT_EQ(rig.v()->value(), 3 * step);
    rig.wheel(QPoint(100, 100), -1, Qt::ShiftModifier);
    EXPECT_EQ(rig.h()->value(), rig.viewport()->width() / 8);
    EXPECT_EQ(rig.v()->value(), 3 * step);

    rig.h()->setValue(800);
    rig.v()->setValue(500);
    const QPoint pointer(500, 400);
    const QPointF before = rig.pictureAt(pointer);
    rig.wheel(pointer, 1, Qt::ControlModifier);
    EXPECT_EQ(f.Image1->zoom(), (Zoom{2, 1}));
    EXPECT_NEAR(rig.pictureAt(pointer).x(), before.x(), 0.5);
    EXPECT_NEAR(rig.pictureAt(pointer).y(), before.y(), 0.5);
    rig.wheel(pointer, -2, Qt::ControlModifier);
    EXPECT_EQ(f.Image1->zoom(), (Zoom{2, 3}));
    EXPECT_NEAR(rig.pictureAt(pointer).x(), before.x(), 1.5);
    EXPECT_NEAR(rig.pictureAt(pointer).y(), before.y(), 1.5);

    // A new picture is shown from its top-left corner, at the zoom in use.
    f.MakeNewImage(3000, 3000, false);
    EXPECT_EQ(rig.h()->value(), 0);
    EXPECT_EQ(rig.v()->value(), 0);
    EXPECT_EQ(f.Image1->size(), QSize(2000, 2000));
}

} // namespace
} // namespace splot::test
