// The shape and circle options dialogs: creation from stored settings, the
// lock, and their drawing buttons.
#include "app/dialogs/splotForm2.h"
#include "app/dialogs/splotcircleoptions.h"
#include "support/FileText.h"
#include "support/GuiRig.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace splot::test {
namespace {

TEST(ShapeOptions, CreationClampsStoredValuesAndUnticksFalseFlags) {
    GuiRig rig([](GuiRig& r) {
        writeAll(r.iniPath(), "[shape]\nsize=5\npoints=99\nflipperiness=0\nsectionlength=7\ndrawlots=1\n");
    });
    TfrmShapeOptions& d = *rig.form->frmShapeOptions;
    const ShapeSettings& s = rig.form->state().shape;
    EXPECT_EQ(s.shapeSize, 10);
    EXPECT_EQ(s.shapePoints, 25);
    EXPECT_EQ(s.shapeFlipperiness, 1);
    EXPECT_EQ(s.shapeSectionLength, 7);
    EXPECT_TRUE(d.cbMany->isChecked());
    EXPECT_TRUE(s.shapeDrawLots);
    for (QCheckBox* b : {d.cbChangeColors, d.cbArcs, d.cbFlipper})
        EXPECT_FALSE(b->isChecked()) << b->text().toStdString();
    EXPECT_FALSE(s.shapeChangeColors || s.shapeSemicircles || s.shapeFlipper);
    d.cbArcs->click();
    EXPECT_TRUE(s.shapeSemicircles);
    d.tbWMulti->setValue(12);
    EXPECT_EQ(s.shapeSectionLength, 12);
    d.btnMakeRandom->click();
    EXPECT_EQ(rig.status(0), "There are unsaved changes.");
    EXPECT_TRUE(rig.form->btnUndo->isEnabled());
}

TEST(CircleOptions, LimitsLockAndTheDrawButton) {
    GuiRig rig([](GuiRig& r) {
        writeAll(r.iniPath(), "[image]\nwidth=300\nheight=200\n[circle]\nwidth=280\nheight=250\npenwidth="
                              "5000\nnumberofpoints=4\nforgetcenter=1\n");
    });
    TfrmCircleOptions& d = *rig.form->frmCircleOptions;
    const CircleSettings& c = rig.form->state().circle;
    EXPECT_EQ(d.tbWidth->maximum(), 300);
    EXPECT_EQ(d.tbHeight->maximum(), 200);
    EXPECT_EQ(c.circleWidth, 280);
    EXPECT_EQ(c.circleHeight, 200) << "clamped to the picture's height at start-up";
    EXPECT_EQ(c.circlePenWidth, 1000);
    EXPECT_EQ(d.labelHeight->text(), "200");
    d.cbLock->click();
    EXPECT_TRUE(c.circleLockWidthHeight);
    EXPECT_EQ(c.circleHeight, 200) << "280 clamps at the height limit";
    d.tbWidth->setValue(120);
    EXPECT_EQ(c.circleHeight, 120);
    d.tbHeight->setValue(60);
    EXPECT_EQ(c.circleWidth, 60);
    d.btnDrawCircle->click();
    EXPECT_EQ(rig.status(0), "There are unsaved changes.");
    // Four stamps around the centre (150, 100) at radius 60.
    EXPECT_NE(rig.form->canvas().pixel(210, 100), (BgrPixel{255, 255, 255}));
    EXPECT_NE(rig.form->canvas().pixel(150, 160), (BgrPixel{255, 255, 255}));
    EXPECT_EQ(rig.form->canvas().pixel(150, 100), (BgrPixel{255, 255, 255}));
}

} // namespace
} // namespace splot::test
