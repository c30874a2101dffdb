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

TEST(BrushFiles, AFileThatIsNoBrushMovesNoControl) {
    GuiRig rig;
    TForm1& f = *rig.form;
    f.frmBrushOptions->tbIntensifySpeed->setValue(50);
    f.tbW->setValue(120);
    f.tbG->setValue(5);
    const std::string empty = (rig.paths.folder / "empty.spb").string();
    writeAll(empty, "");
    rig.prompts.files = {empty};
    f.menuBrushLoad->trigger();
    EXPECT_EQ(rig.prompts.texts("message"),
              std::vector<std::string>{"file: \r\n" + empty + "  is not a SPLOT brush file"});
    EXPECT_EQ(f.state().paint.intensifySpeed, 50);
    EXPECT_EQ(f.tbW->value(), 120);
    EXPECT_EQ(f.tbG->value(), 5);
}

} // namespace
} // namespace splot::test
