// The brush and 3D options dialogs.
#include "app/dialogs/splot3doptions.h"
#include "app/dialogs/splotbrushoptions.h"
#include "support/GuiRig.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>

namespace splot {
namespace {

using test::GuiRig;

TEST(BrushOptions, FirstStartUnticksEveryUseBoxAndHidesSmoothness) {
    GuiRig rig;
    TfrmBrushOptions& d = *rig.form->frmBrushOptions;
    const PaintingState& p = rig.form->state().paint;
    for (QCheckBox* box :
         {d.cbBrushIntensify, d.cbBrushFuzzify, d.cbBrushGrow, d.cbBrushDepth, d.cbBrushSpecklify})
        EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(p.useIntensify || p.useFuzzify || p.useGrowth || p.use3dDepth || p.useSpecklify);
    EXPECT_EQ(d.labelIntensifySpeed->text().toStdString(), "0");
    EXPECT_EQ(d.labelSmoothness->text().toStdString(), "10");
    EXPECT_EQ(p.smoothness, 10);
    for (QWidget* w : std::initializer_list<QWidget*>{d.smoothnessTitle, d.tbSmoothness, d.labelSmoothness,
                                                      d.cbBrushSmoothness}) {
        EXPECT_TRUE(w->isHidden());
        EXPECT_FALSE(w->isEnabled());
    }
}

TEST(BrushOptions, CreationClampsStoredValuesAndWritesThemBack) {
    GuiRig rig;
    TForm1& f = *rig.form;
    PaintingState& p = f.state().paint;
    // As if the settings had said so.
    p.intensifySpeed = 250;
    p.smoothness = 35;
    p.useGrowth = true;
    TfrmBrushOptions d(&f, f);
    d.FormCreate();
    EXPECT_EQ(d.tbIntensifySpeed->value(), 100);
    EXPECT_EQ(p.intensifySpeed, 100);
    EXPECT_EQ(p.smoothness, 20);
    EXPECT_TRUE(d.cbBrushGrow->isChecked());
    EXPECT_TRUE(p.useGrowth);
    EXPECT_FALSE(d.cbBrushFuzzify->isChecked());
    EXPECT_FALSE(p.useFuzzify);
    p.smoothness = 0;
    TfrmBrushOptions low(&f, f);
    low.FormCreate();
    EXPECT_EQ(p.smoothness, 1);
}

TEST(BrushOptions, SlidersBoxesAndReset) {
    GuiRig rig;
    TfrmBrushOptions& d = *rig.form->frmBrushOptions;
    const PaintingState& p = rig.form->state().paint;
    d.tbFuzzifySpeed->setValue(-40);
    d.tbSpecklifySpeed->setValue(70); // clamped to 50
    EXPECT_EQ(p.fuzzifySpeed, -40);
    EXPECT_EQ(p.specklifySpeed, 50);
    EXPECT_EQ(d.labelSpecklifySpeed->text().toStdString(), "50");
    d.cbBrushSpecklify->click();
    EXPECT_TRUE(p.useSpecklify);

    QSignalSpy growth(d.tbGrowthSpeed, &QSlider::valueChanged);
    d.btnReset->click();
    EXPECT_EQ(p.fuzzifySpeed, 0);
    EXPECT_EQ(p.specklifySpeed, 0);
    EXPECT_EQ(d.labelFuzzifySpeed->text().toStdString(), "0");
    EXPECT_TRUE(p.useSpecklify) << "use flags stay";
    EXPECT_EQ(growth.count(), 0) << "a slider already at 0 runs no handler";
}

TEST(Options3d, FirstStartAndDepthSlider) {
    GuiRig rig;
    TForm1& f = *rig.form;
    Tfrm3dOptions& d = *f.frm3dOptions;
    EXPECT_FALSE(d.cbLinkPenToDepth->isChecked());
    EXPECT_FALSE(f.state().paint.linkPenToDepth);
    EXPECT_EQ(d.tb3dR->value(), 60);
    EXPECT_EQ(d.tb3dB->value(), 60);
    EXPECT_EQ(d.tbDepth3d->value(), 0);
    EXPECT_EQ(d.labelDepth->text().toStdString(), "0");
    EXPECT_EQ(d.label3dRed->text().toStdString(), "60");

    // Not drawing in 3D: the depth changes, the depth panel does not.
    d.tbDepth3d->setValue(-7);
    EXPECT_EQ(f.state().paint.depth3d, -7);
    EXPECT_EQ(d.labelDepth->text().toStdString(), "-7");
    EXPECT_EQ(f.statusPanelText(2), "");
}

TEST(Options3d, StoredDrawIn3dShowsTheDepthAtCreation) {
    GuiRig rig;
    TForm1& f = *rig.form;
    f.state().paint.draw3d = true;
    f.state().paint.depth3d = 140; // clamped to 100
    f.state().paint.redStrength = -3;
    Tfrm3dOptions d(&f, f);
    f.frm3dOptions = &d;
    d.FormCreate();
    EXPECT_EQ(f.state().paint.depth3d, 100);
    EXPECT_EQ(f.state().paint.redStrength, 0);
    EXPECT_EQ(f.statusPanelText(2), "3D depth: 100");
    f.frm3dOptions = nullptr;
}

} // namespace
} // namespace splot
