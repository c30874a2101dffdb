// Strokes driven by synthetic mouse events through the real window.
#include "app/dialogs/splotbrushoptions.h"
#include "support/GuiRig.h"
#include "support/PaintedSide.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

namespace splot {
namespace {

using test::GuiRig;
using test::paintedSide;
constexpr BgrPixel white{255, 255, 255};

struct StrokeRig : GuiRig {
    StrokeRig(int w = 540, int h = 200) {
        show();
        form->MakeNewImage(w, h, false);
        // A hard square brush: each stamp is a clean square.
        form->cbFuzzy->setChecked(false);
        form->cbSquareBrush->setChecked(true);
        EXPECT_FALSE(form->state().paint.fuzzy);
        EXPECT_TRUE(form->state().paint.squareBrush);
    }
};

TEST(Stroke, PressAndReleaseWithoutMovingMakesOneClickStamp) {
    StrokeRig rig;
    TForm1& f = *rig.form;
    f.EnableUndoRedo(false, true);
    rig.press(100, 100);
    EXPECT_TRUE(f.btnUndo->isEnabled());
    EXPECT_FALSE(f.btnRedo->isEnabled());
    EXPECT_EQ(rig.status(0), "Image cleared");
    rig.release(100, 100);
    EXPECT_EQ(rig.status(0), "There are unsaved changes.");
    EXPECT_EQ(paintedSide(f.canvas(), 100, 100, 44), 29);
    // Undo brings back the blank picture of the press.
    rig.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(paintedSide(f.canvas(), 100, 100, 44), 0);
    EXPECT_TRUE(f.btnRedo->isEnabled());
}

TEST(Stroke, BothButtonsPaintNothingAndRightAloneOnlySnapshots) {
    StrokeRig rig;
    TForm1& f = *rig.form;
    const auto blank = rig.pixels();
    rig.press(100, 100, Qt::LeftButton);
    rig.press(100, 100, Qt::RightButton);
    rig.moveTo(120, 100);
    rig.moveTo(140, 110);
    EXPECT_EQ(rig.pixels(), blank);
    rig.release(140, 110, Qt::RightButton);
    rig.release(200, 190, Qt::LeftButton); // still over the image: the click stamp
    EXPECT_EQ(paintedSide(f.canvas(), 200, 170, 28), 29);

    f.ClearImage();
    f.EnableUndoRedo(false, true);
    const auto cleared = rig.pixels();
    rig.press(100, 100, Qt::RightButton);
    EXPECT_TRUE(f.btnUndo->isEnabled()) << "any button takes the snapshot";
    EXPECT_FALSE(f.btnRedo->isEnabled());
    rig.moveTo(130, 100);
    rig.moveTo(160, 100);
    rig.release(160, 100, Qt::RightButton);
    EXPECT_EQ(rig.pixels(), cleared);
}

// A right-click through the whole window path makes exactly one corner,
// whether or not Qt sends a context-menu event after the image took the press
// (newer Qt versions do not; the filter here stands in for them).
TEST(Stroke, ARightClickMakesOneCornerWithOrWithoutAContextMenuEvent) {
    struct NoContextMenus : QObject {
        bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::ContextMenu; }
    };
    for (bool contextMenus : {true, false}) {
        SCOPED_TRACE(contextMenus ? "with context-menu events" : "without");
        StrokeRig rig;
        NoContextMenus filter;
        if (!contextMenus)
            qApp->installEventFilter(&filter);
        const KShape& shape = rig.form->session().splotting().currentShape;
        const auto blank = rig.pixels();
        rig.press(100, 100, Qt::RightButton);
        rig.release(100, 100, Qt::RightButton);
        ASSERT_EQ(shape.GetNumberOfCorners(), 1);
        EXPECT_EQ(shape.corner(0).getX(), 100);
        EXPECT_EQ(shape.corner(0).getY(), 100);
        EXPECT_EQ(rig.status(0), "Image cleared") << "no leg from a corner to itself";
        rig.press(160, 120, Qt::RightButton);
        rig.release(160, 120, Qt::RightButton);
        ASSERT_EQ(shape.GetNumberOfCorners(), 1);
        EXPECT_EQ(shape.corner(0).getX(), 160);
        EXPECT_EQ(rig.status(0), "There are unsaved changes.");
        EXPECT_NE(rig.pixels(), blank) << "the pen walked to the second corner";
        qApp->removeEventFilter(&filter);
    }
}

TEST(Stroke, TheOutlineNeverStaysInTheCanvas) {
    StrokeRig rig;
    TForm1& f = *rig.form;
    f.cbSquareBrush->setChecked(false);
    rig.press(10, 10);
    rig.moveTo(10, 10);
    rig.release(10, 10);
    const auto painted = rig.pixels();
    for (QPoint p : {QPoint(12, 12), QPoint(100, 100), QPoint(0, 199), QPoint(539, 0), QPoint(30, 5)}) {
        rig.moveTo(p.x(), p.y());
        EXPECT_EQ(rig.pixels(), painted);
        EXPECT_TRUE(f.state().stroke.brushOutlineShown);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the arrow comes back without a button";
}

TEST(Stroke, LeavingForTheControlColumnRestoresOutlineAndCursor) {
    StrokeRig rig;
    TForm1& f = *rig.form;
    rig.press(100, 100);
    rig.moveTo(110, 100);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    rig.release(110, 100);
    rig.moveTo(120, 100);
    rig.press(120, 100);
    rig.moveTo(125, 100);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    rig.release(125, 100);
    const QPoint panel = f.Panel4->mapTo(&f, QPoint(5, 5));
    QTest::mouseMove(rig.window(), panel);
    EXPECT_FALSE(f.state().stroke.brushOutlineShown);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(Stroke, DragsOffTheCanvasPaintOnlyWhatFallsInside) {
    StrokeRig rig(120, 90);
    TForm1& f = *rig.form;
    f.tbW->setValue(200);
    f.EnableUndoRedo(false, false);
    // Press in the scroll box's margin, left of the image: a snapshot, no click.
    const QPoint margin = f.Image1->mapTo(&f, QPoint(-20, 40));
    rig.aim(-20, 50);
    QTest::mousePress(rig.window(), Qt::LeftButton, {}, margin);
    EXPECT_TRUE(f.btnUndo->isEnabled());
    int step = 0;
    for (QPoint p :
         {QPoint(-300, 50), QPoint(-60, -60), QPoint(5000, 5000), QPoint(119, 89), QPoint(130, 45)}) {
        rig.aim(p.x(), p.y());
        // Each event at a new window position: Qt drops a move that goes nowhere.
        QTest::mouseMove(rig.window(), margin + QPoint(0, ++step));
    }
    rig.aim(130, 45);
    QTest::mouseRelease(rig.window(), Qt::LeftButton, {}, margin + QPoint(0, step));
    EXPECT_EQ(rig.status(0), "There are unsaved changes.");
    EXPECT_NE(f.canvas().pixel(0, 0), white);
    EXPECT_NE(f.canvas().pixel(119, 89), white);
}

TEST(Stroke, AnEmptyCanvasTakesStrokesAndOutlinesWithoutHarm) {
    for (QSize size : {QSize(0, 0), QSize(0, 40), QSize(40, 0)}) {
        StrokeRig rig(size.width(), size.height());
        TForm1& f = *rig.form;
        f.tbW->setValue(200);
        const QPoint margin = f.Image1->mapTo(&f, QPoint(-30, -30));
        int step = 0;
        rig.aim(0, 0);
        QTest::mousePress(rig.window(), Qt::LeftButton, {}, margin);
        for (QPoint p : {QPoint(0, 0), QPoint(-1, 1), QPoint(20, 20), QPoint(5000, -5000)}) {
            rig.aim(p.x(), p.y());
            QTest::mouseMove(rig.window(), margin + QPoint(++step, 0));
        }
        QTest::mouseRelease(rig.window(), Qt::LeftButton, {}, margin + QPoint(step, 0));
        rig.key(Qt::Key_S);
        rig.key(Qt::Key_W);
        EXPECT_EQ(f.canvas().imageWidth(), size.width());
        EXPECT_EQ(rig.status(0), "Image cleared") << "nothing reached the canvas";
    }
}

} // namespace
} // namespace splot
