// Brush files through the main window: save, overwrite question, load back
// onto the controls and the brush options dialog.
#include "app/dialogs/splotbrushoptions.h"
#include "support/FileText.h"
#include "support/GuiRig.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace splot::test {
namespace {

TEST(BrushFiles, SaveThenLoadBringsEveryControlBack) {
    GuiRig rig;
    TForm1& f = *rig.form;
    TfrmBrushOptions& d = *f.frmBrushOptions;
    f.tbR->setValue(12);
    f.tbW->setValue(77);
    f.tbSpeckly->setValue(40);
    d.tbGrowthSpeed->setValue(-33);
    d.cbBrushFuzzify->setChecked(true);
    f.Drawin3D1->trigger();
    // A name typed without an extension gets ".spb".
    rig.prompts.files = {(rig.paths.folder / "mine").string()};
    f.menuBrushSave->trigger();
    const auto file = rig.paths.folder / "mine.spb";
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(rig.prompts.dialogRequests.back().title, "Save Current Brush");

    // Everything back to something else, then load.
    f.tbR->setValue(200);
    f.tbW->setValue(5);
    f.tbSpeckly->setValue(100);
    d.tbGrowthSpeed->setValue(0);
    d.cbBrushFuzzify->setChecked(false);
    f.Drawin3D1->trigger();
    EXPECT_EQ(rig.status(2), "");
    rig.prompts.files = {file.string()};
    f.btnLoadBrush->click();
    EXPECT_EQ(rig.prompts.dialogRequests.back().title, "Load a SPLOT brush");
    EXPECT_EQ(f.tbR->value(), 12);
    EXPECT_EQ(f.tbW->value(), 77);
    EXPECT_EQ(f.state().paint.penWidth, 77);
    EXPECT_EQ(f.tbSpeckly->value(), 40);
    EXPECT_EQ(d.tbGrowthSpeed->value(), -33);
    EXPECT_EQ(d.labelGrowthSpeed->text(), "-33");
    EXPECT_TRUE(d.cbBrushFuzzify->isChecked());
    EXPECT_TRUE(f.state().paint.useFuzzify);
    EXPECT_EQ(rig.status(2), "3D depth: 0") << "a brush with 3D on fills the depth panel";

    // Overwriting asks; No leaves the file untouched, Yes rewrites it.
    const std::string before = readAll(file);
    f.tbR->setValue(99);
    rig.prompts.files = {file.string()};
    rig.prompts.answers = {Answer::No};
    f.btnSaveBrush->click();
    EXPECT_EQ(rig.prompts.texts("warning").back(), "Do you want to overwrite \r\n" + file.string() + "?");
    EXPECT_EQ(readAll(file), before);
    rig.prompts.files = {file.string()};
    rig.prompts.answers = {Answer::Yes};
    f.btnSaveBrush->click();
    EXPECT_NE(readAll(file), before);
}

TEST(BrushFiles, AnEmptyFileResetsTheBrushToTheDefaults) {
    GuiRig rig;
    TForm1& f = *rig.form;
    f.frmBrushOptions->tbIntensifySpeed->setValue(50);
    f.tbW->setValue(120);
    writeAll(rig.paths.folder / "empty.spb", "");
    rig.prompts.files = {(rig.paths.folder / "empty.spb").string()};
    f.menuBrushLoad->trigger();
    EXPECT_EQ(f.state().paint.intensifySpeed, 0);
    EXPECT_EQ(f.tbW->value(), 30);
    EXPECT_EQ(f.tbG->value(), 123);
}

} // namespace
} // namespace splot::test
