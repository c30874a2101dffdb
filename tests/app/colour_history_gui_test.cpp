// Undo and Redo through the window's buttons, menu items and shortcuts; the
// RGB actions on the whole picture and painted with the brush.
#include "support/GuiRig.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>

namespace splot {
namespace {

using test::GuiRig;
constexpr BgrPixel white{255, 255, 255};
constexpr BgrPixel black{0, 0, 0};

struct Rig : GuiRig {
    explicit Rig(int w = 60, int h = 60) {
        show();
        form->MakeNewImage(w, h, false);
        // A hard square brush: every stamp is a clean square of whole pixels.
        form->cbFuzzy->setChecked(false);
        form->cbSquareBrush->setChecked(true);
        form->tbW->setValue(11);
        form->btnClear->click(); // a snapshot of the blank canvas at this size
    }
    // Undo and Redo as offered: "UR", "U-", "-R" or "--". Button and menu
    // item must agree.
    std::string offered() const {
        const TForm1& f = *form;
        EXPECT_EQ(f.btnUndo->isEnabled(), f.menuItemUndo->isEnabled());
        EXPECT_EQ(f.btnRedo->isEnabled(), f.menuItemRedo->isEnabled());
        return std::string(f.btnUndo->isEnabled() ? "U" : "-") + (f.btnRedo->isEnabled() ? "R" : "-");
    }
    void stroke(int x, int y) {
        press(x, y);
        moveTo(x + 1, y);
        release(x + 1, y);
    }
};

TEST(UndoRedoWindow, UndoRightAfterStartUpShowsTheSameBlankCanvas) {
    GuiRig rig;
    const auto blank = rig.pixels();
    rig.form->btnUndo->click();
    EXPECT_EQ(rig.pixels(), blank);
    EXPECT_TRUE(rig.form->btnRedo->isEnabled() && rig.form->menuItemRedo->isEnabled());
    EXPECT_FALSE(rig.form->btnUndo->isEnabled() || rig.form->menuItemUndo->isEnabled());
}

TEST(UndoRedoWindow, TheTableThroughButtonsAndMenuItems) {
    Rig rig;
    TForm1& f = *rig.form;
    const auto blank = rig.pixels();
    EXPECT_EQ(rig.offered(), "U-");
    f.btnUndo->click();
    EXPECT_EQ(rig.offered(), "-R");
    EXPECT_EQ(rig.pixels(), blank);
    f.menuItemRedo->trigger();
    EXPECT_EQ(rig.offered(), "U-");

    rig.stroke(20, 30);
    const auto first = rig.pixels();
    ASSERT_NE(first, blank);
    EXPECT_EQ(rig.offered(), "U-");
    // Undo and Redo alternate between the same two pictures without end.
    const std::vector<BgrPixel>* expected[] = {&blank, &first, &blank, &first};
    for (int step = 0; step < 4; ++step) {
        if (step % 2 == 0)
            f.menuItemUndo->trigger();
        else
            f.btnRedo->click();
        EXPECT_EQ(rig.pixels(), *expected[step]) << "step " << step;
        EXPECT_EQ(rig.offered(), step % 2 == 0 ? "-R" : "U-") << "step " << step;
    }

    // A stroke after Undo kills Redo: the first stroke is gone for good.
    f.btnUndo->click();
    rig.stroke(40, 30);
    const auto second = rig.pixels();
    EXPECT_EQ(rig.offered(), "U-");
    f.menuItemRedo->trigger();
    f.btnRedo->click();
    EXPECT_EQ(rig.pixels(), second);
    f.btnUndo->click();
    EXPECT_EQ(rig.pixels(), blank);
    f.btnUndo->click();
    EXPECT_EQ(rig.pixels(), blank) << "one level only";
    EXPECT_EQ(rig.status(0), "There are unsaved changes.") << "undo and redo leave the message panel";
}

TEST(UndoRedoWindow, NothingUndoesOrRedoesWhileBothAreDisabled) {
    Rig rig;
    TForm1& f = *rig.form;
    rig.stroke(20, 30);
    f.btnUndo->click(); // Redo offered, Undo not
    f.btnRedo->click(); // and back: Undo offered
    const auto painted = rig.pixels();
    f.EnableUndoRedo(false, false); // as after a new image or a resize
    EXPECT_EQ(rig.offered(), "--");
    rig.key(Qt::Key_Z, Qt::ControlModifier);
    rig.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    f.menuItemUndo->trigger();
    f.menuItemRedo->trigger();
    f.btnUndo->click();
    f.btnRedo->click();
    EXPECT_EQ(rig.pixels(), painted);
    EXPECT_EQ(rig.offered(), "--");
    // The next press snapshots again, and the shortcuts work again.
    rig.stroke(40, 30);
    const auto again = rig.pixels();
    EXPECT_EQ(rig.offered(), "U-");
    rig.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rig.pixels(), painted);
    rig.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(rig.pixels(), again);
}

// ---- Whole-picture actions ---------------------------------------------------

TEST(ActionsWindow, WholePictureCommandsFollowTheSelection) {
    Rig rig(8, 6);
    TForm1& f = *rig.form;
    Canvas& c = f.canvas();
    const BgrPixel p{10, 20, 30}; // blue 10, green 20, red 30
    c.pixel(3, 4) = p;
    const BgrPixel inverted{245, 235, 225};
    // The check boxes play no part in the whole-picture commands.
    f.cbRGBAction->setChecked(true);
    f.cbSilly->setChecked(true);

    f.rbRandG->setChecked(true);
    EXPECT_EQ(f.state().colour.selectedAction, RgbAction::RandG) << "the painted action follows";
    f.Invert1->trigger(); // inverts whatever is selected
    EXPECT_EQ(c.pixel(3, 4), inverted);
    f.Invert1->trigger();
    const std::pair<QRadioButton*, BgrPixel> swaps[] = {
        {f.rbRandG, {10, 30, 20}}, {f.rbRandB, {30, 20, 10}}, {f.rbGandB, {20, 10, 30}}};
    for (auto [button, target] : swaps) {
        button->setChecked(true);
        f.btnDoAction->click();
        EXPECT_EQ(c.pixel(3, 4), target) << button->text().toStdString();
        f.CycleRGB1->trigger(); // the same swap again: back
        EXPECT_EQ(c.pixel(3, 4), p) << button->text().toStdString();
    }
    // Tools > Cycle RGB with Invert selected inverts, as Do Action does.
    f.rbInvert->setChecked(true);
    f.CycleRGB1->trigger();
    EXPECT_EQ(c.pixel(3, 4), inverted);
    EXPECT_EQ(c.pixel(0, 0), black);
    f.btnDoAction->click();
    EXPECT_EQ(c.pixel(3, 4), p);
    EXPECT_EQ(c.pixel(7, 5), white);
    EXPECT_EQ(rig.status(0), "There are unsaved changes.") << "a changed picture is never lost silently";
}

TEST(ActionsWindow, WholePictureCommandsTakeNoSnapshot) {
    Rig rig;
    TForm1& f = *rig.form;
    const auto blank = rig.pixels();
    rig.stroke(20, 30);
    f.Invert1->trigger();
    f.btnUndo->click(); // back to before the stroke: the Invert goes too
    EXPECT_EQ(rig.pixels(), blank);
    EXPECT_EQ(rig.offered(), "-R");
    f.btnDoAction->click();
    f.CycleRGB1->trigger();
    EXPECT_EQ(rig.offered(), "-R") << "Redo stays offered";
    EXPECT_EQ(rig.status(0), "There are unsaved changes.");
}

// ---- Painted actions ---------------------------------------------------------

int countOf(const std::vector<BgrPixel>& pixels, BgrPixel value) {
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), value));
}

TEST(ActionsWindow, APaintedInvertTouchesEachPixelOncePerStroke) {
    Rig rig;
    TForm1& f = *rig.form;
    f.cbRGBAction->setChecked(true);
    // Back and forth over the same pixels: stamps at 31, 34, 31, 34 and the
    // click stamp at 34.
    auto scrub = [&] {
        rig.press(30, 30);
        for (int x : {31, 34, 31, 34})
            rig.moveTo(x, 30);
        rig.release(34, 30);
    };
    scrub();
    const auto once = rig.pixels();
    // Two squares of 11 overlapping in 8 columns: 14 x 11 pixels, all black.
    EXPECT_EQ(countOf(once, black), 14 * 11);
    EXPECT_EQ(countOf(once, white), 60 * 60 - 14 * 11);
    // A second stroke starts from the new picture and inverts back.
    scrub();
    EXPECT_EQ(countOf(rig.pixels(), white), 60 * 60);
}

TEST(ActionsWindow, SillyTransformsThePictureAsItIsAtEachStamp) {
    Rig rig;
    TForm1& f = *rig.form;
    f.cbRGBAction->setChecked(true);
    f.cbSilly->setChecked(true);
    // Two stamps on the same square (the move and the click): inverted twice.
    rig.stroke(20, 30);
    EXPECT_EQ(countOf(rig.pixels(), white), 60 * 60);
    // Stamps at 21, 24, 21 and the click at 21 (squares of columns 16..26
    // and 19..29): columns 19..26 flip four times, 16..18 three times and
    // 27..29 once.
    rig.press(20, 30);
    for (int x : {21, 24, 21})
        rig.moveTo(x, 30);
    rig.release(21, 30);
    EXPECT_EQ(countOf(rig.pixels(), black), 6 * 11);
    EXPECT_EQ(f.canvas().pixel(22, 30), white);
    EXPECT_EQ(f.canvas().pixel(17, 30), black);
    EXPECT_EQ(f.canvas().pixel(28, 30), black);

    // Silly alone, without Draw with action, paints plain paint.
    f.cbRGBAction->setChecked(false);
    f.Clear1->trigger();
    rig.stroke(20, 30);
    const BgrPixel painted = f.canvas().pixel(21, 30);
    EXPECT_NE(painted, white);
    EXPECT_NE(painted, black);
}

} // namespace
} // namespace splot
