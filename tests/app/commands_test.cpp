// The keyboard shortcuts of the main window and the commands behind them.
#include "app/dialogs/splot3doptions.h"
#include "support/GuiRig.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace splot {
namespace {

using test::GuiRig;

struct KeyRig : GuiRig {
    KeyRig() {
        show();
        form->MakeNewImage(200, 150, false);
        aim(100, 75);
    }
};

TEST(Shortcuts, WidthStepsShowTheOutlineAndStopAtTheEnds) {
    KeyRig rig;
    TForm1& f = *rig.form;
    const auto before = rig.pixels();
    rig.key(Qt::Key_S);
    EXPECT_EQ(f.tbW->value(), 31);
    EXPECT_EQ(f.state().paint.penWidth, 31);
    EXPECT_EQ(f.state().paint.brushWidth, 31);
    EXPECT_EQ(f.labelWidth->text().toStdString(), "31");
    rig.key(Qt::Key_A);
    rig.key(Qt::Key_A);
    EXPECT_EQ(f.tbW->value(), 29);
    EXPECT_EQ(rig.pixels(), before) << "the outline is on screen only";

    f.tbW->setValue(200);
    rig.key(Qt::Key_S);
    EXPECT_EQ(f.tbW->value(), 200);
    f.tbW->setValue(1);
    rig.key(Qt::Key_A);
    EXPECT_EQ(f.tbW->value(), 1);
    EXPECT_EQ(f.state().paint.penWidth, 1);
}

TEST(Shortcuts, FuzzinessSpecklesAndIntensitySteps) {
    KeyRig rig;
    TForm1& f = *rig.form;
    rig.key(Qt::Key_G);
    EXPECT_EQ(f.tbFuzziness->value(), 99);
    EXPECT_DOUBLE_EQ(f.state().paint.fuzziness, 0.99);
    EXPECT_EQ(f.labelFuzziness->text().toStdString(), "99");
    rig.key(Qt::Key_H);
    rig.key(Qt::Key_H);
    EXPECT_EQ(f.tbFuzziness->value(), 100);

    rig.key(Qt::Key_Comma);
    EXPECT_EQ(f.tbSpeckly->value(), 99);
    EXPECT_EQ(f.state().paint.speckly, 99);
    EXPECT_EQ(f.labelSpeckly->text().toStdString(), "99");
    rig.key(Qt::Key_Period);
    rig.key(Qt::Key_Period);
    EXPECT_EQ(f.state().paint.speckly, 100);

    rig.key(Qt::Key_2);
    EXPECT_EQ(f.tbIntensity->value(), 100) << "Higher Intensity stops at 100";
    f.tbIntensity->setValue(2);
    rig.key(Qt::Key_1);
    rig.key(Qt::Key_1);
    EXPECT_EQ(f.tbIntensity->value(), 1);
    EXPECT_NEAR(f.state().paint.intensity, 0.0199, 1e-12);
    EXPECT_EQ(f.labelIntensity->text().toStdString(), "1");
    // 255 x 0.0199 = 5.07, 123 x 0.0199 = 2.45, 34 x 0.0199 = 0.68.
    EXPECT_EQ(f.labelSwatch->palette().color(QPalette::Window), QColor(5, 2, 1));
}

TEST(Shortcuts, FuzzyToggleCopiesTheBoxToTheMenuMark) {
    KeyRig rig;
    TForm1& f = *rig.form;
    rig.key(Qt::Key_F);
    EXPECT_FALSE(f.cbFuzzy->isChecked());
    EXPECT_FALSE(f.Fuzzy1->isChecked());
    EXPECT_FALSE(f.state().paint.fuzzy);
    rig.key(Qt::Key_F);
    EXPECT_TRUE(f.cbFuzzy->isChecked());
    EXPECT_TRUE(f.Fuzzy1->isChecked());
    EXPECT_TRUE(f.state().paint.fuzzy);
    // Clicking the box itself leaves the mark alone.
    f.cbFuzzy->click();
    EXPECT_FALSE(f.state().paint.fuzzy);
    EXPECT_TRUE(f.Fuzzy1->isChecked());
}

TEST(Shortcuts, SquareAndRoundBrushShowTheOutlineOnlyAfterTheFreshStart) {
    GuiRig rig;
    rig.show();
    TForm1& f = *rig.form;
    ASSERT_TRUE(f.state().paint.freshStart);
    rig.key(Qt::Key_W);
    EXPECT_TRUE(f.cbSquareBrush->isChecked());
    EXPECT_TRUE(f.state().paint.squareBrush);
    rig.key(Qt::Key_W); // already square: the box does not change, the flag stays
    EXPECT_TRUE(f.state().paint.squareBrush);
    rig.key(Qt::Key_Q);
    EXPECT_FALSE(f.cbSquareBrush->isChecked());
    EXPECT_FALSE(f.state().paint.squareBrush);
}

TEST(Shortcuts, ColoursMenuChecksExactlyOneMethod) {
    KeyRig rig;
    TForm1& f = *rig.form;
    rig.key(Qt::Key_O);
    EXPECT_TRUE(f.Randomperstroke1->isChecked());
    EXPECT_FALSE(f.NoRandomColours1->isChecked() || f.Randomperpoint1->isChecked());
    EXPECT_EQ(f.state().colour.randomColourMethod, RandomColourMethod::Stroke);
    rig.key(Qt::Key_P);
    EXPECT_EQ(f.state().colour.randomColourMethod, RandomColourMethod::Point);
    EXPECT_FALSE(f.Randomperstroke1->isChecked());
    rig.key(Qt::Key_I);
    EXPECT_TRUE(f.NoRandomColours1->isChecked());
    EXPECT_FALSE(f.Randomperpoint1->isChecked());
    f.SetRandomColourMethod("None");
    EXPECT_FALSE(f.NoRandomColours1->isChecked() || f.Randomperstroke1->isChecked() ||
                 f.Randomperpoint1->isChecked());
}

TEST(Shortcuts, ClearTakesASnapshotAfterTheFirstClear) {
    GuiRig rig;
    rig.show();
    TForm1& f = *rig.form;
    f.EnableUndoRedo(false, false);
    rig.key(Qt::Key_Escape); // the first clear after start-up: no snapshot
    EXPECT_FALSE(f.btnUndo->isEnabled());
    EXPECT_FALSE(f.state().paint.freshStart);
    f.btnClear->click();
    EXPECT_TRUE(f.btnUndo->isEnabled());
    EXPECT_EQ(rig.status(0), "Image cleared");
}

// ---- 3D --------------------------------------------------------------------

TEST(Depth3d, MoveNearerAndAwayOnlyWhileDrawingIn3d) {
    KeyRig rig;
    TForm1& f = *rig.form;
    QSlider* depth = f.frm3dOptions->tbDepth3d;
    rig.key(Qt::Key_R);
    rig.key(Qt::Key_E);
    rig.key(Qt::Key_E);
    EXPECT_EQ(depth->value(), 0);
    EXPECT_EQ(f.tbW->value(), 30);
    EXPECT_EQ(rig.status(2), "");

    rig.key(Qt::Key_3);
    EXPECT_TRUE(f.state().paint.draw3d);
    EXPECT_EQ(rig.status(2), "3D depth: 0");
    rig.key(Qt::Key_R);
    EXPECT_EQ(f.state().paint.depth3d, 1);
    EXPECT_EQ(f.frm3dOptions->labelDepth->text().toStdString(), "1");
    EXPECT_EQ(rig.status(2), "3D depth: 1");
    EXPECT_EQ(f.tbW->value(), 30) << "the link is off";
    rig.key(Qt::Key_3);
    EXPECT_EQ(rig.status(2), "");
}

TEST(Depth3d, TheLinkStepsTheWidthTooAndNeverLeavesARange) {
    KeyRig rig;
    TForm1& f = *rig.form;
    QSlider* depth = f.frm3dOptions->tbDepth3d;
    f.frm3dOptions->cbLinkPenToDepth->setChecked(true);
    ASSERT_TRUE(f.state().paint.linkPenToDepth);
    rig.key(Qt::Key_3);
    rig.key(Qt::Key_R);
    EXPECT_EQ(depth->value(), 1);
    EXPECT_EQ(f.state().paint.penWidth, 31);
    rig.key(Qt::Key_E);
    rig.key(Qt::Key_E);
    EXPECT_EQ(depth->value(), -1);
    EXPECT_EQ(f.state().paint.penWidth, 29);

    f.tbW->setValue(200);
    rig.key(Qt::Key_R);
    EXPECT_EQ(f.tbW->value(), 200);
    EXPECT_EQ(depth->value(), -1) << "neither moves at the width's end";
    f.tbW->setValue(50);
    depth->setValue(100);
    rig.key(Qt::Key_R);
    EXPECT_EQ(f.tbW->value(), 50);
    EXPECT_EQ(depth->value(), 100);

    f.frm3dOptions->cbLinkPenToDepth->setChecked(false);
    depth->setValue(-100);
    rig.key(Qt::Key_E);
    EXPECT_EQ(depth->value(), -100);
    EXPECT_EQ(f.state().paint.depth3d, -100);
    EXPECT_EQ(rig.status(2), "3D depth: -100");
    EXPECT_EQ(f.tbW->value(), 50);
}

TEST(Depth3d, IntensityKeysStepThePenStrengthsIn3d) {
    KeyRig rig;
    TForm1& f = *rig.form;
    rig.key(Qt::Key_3);
    rig.key(Qt::Key_2);
    EXPECT_EQ(f.frm3dOptions->tb3dR->value(), 61);
    EXPECT_EQ(f.frm3dOptions->tb3dB->value(), 61);
    EXPECT_EQ(f.state().paint.redStrength, 61);
    EXPECT_EQ(f.frm3dOptions->label3dBlue->text().toStdString(), "61");
    EXPECT_EQ(f.tbIntensity->value(), 100);
    rig.key(Qt::Key_1);
    rig.key(Qt::Key_1);
    EXPECT_EQ(f.state().paint.blueStrength, 59);
    EXPECT_EQ(f.tbIntensity->value(), 100);
}

TEST(Shortcuts, OptionShortcutsDoNothingWhileTheirItemIsDisabled) {
    KeyRig rig;
    TForm1& f = *rig.form;
    f.IncreaseBrushWidth1->setEnabled(false);
    rig.key(Qt::Key_S);
    EXPECT_EQ(f.tbW->value(), 30);
}

} // namespace
} // namespace splot
