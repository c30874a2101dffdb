// The settings file through the real windows: written at exit, read at the
// next start onto the controls, odd files at start-up, and an exit when the
// file cannot be written.
#include "app/dialogs/splot3doptions.h"
#include "app/dialogs/splotbrushoptions.h"
#include "paint/Stroke.h"
#include "support/FileText.h"
#include "support/GuiRig.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QSlider>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace splot {
namespace {

namespace fs = std::filesystem;
using test::GuiRig;
using test::readAll;
using test::writeAll;

// A rig whose settings file holds text before the windows are created.
std::unique_ptr<GuiRig> startWith(const std::string& text) {
    return std::make_unique<GuiRig>([&text](GuiRig& r) { writeAll(r.iniPath(), text); });
}

SliderPositions sliderPositions(const TForm1& f) {
    return {f.tbR->value(), f.tbG->value(), f.tbB->value(), f.tbIntensity->value(), f.tbFuzziness->value()};
}

std::map<std::string, int> everyKey(TForm1& f) {
    std::map<std::string, int> out;
    SplotState shown = f.state();
    shown.sliders = sliderPositions(f); // the positions the controls show
    for (const SettingKey& k : settingsKeys())
        out[std::string(k.section) + "/" + std::string(k.key)] = k.get(shown);
    return out;
}

TEST(SettingsWindow, EveryKeySurvivesARestartOntoTheControls) {
    GuiRig first;
    TForm1& a = *first.form;
    // Every key away from its default, through its control where it has one.
    Tfrm3dOptions& d3 = *a.frm3dOptions;
    d3.tbDepth3d->setValue(-17);
    d3.tb3dR->setValue(200);
    d3.tb3dB->setValue(5);
    d3.cbLinkPenToDepth->setChecked(true);
    TfrmBrushOptions& db = *a.frmBrushOptions;
    db.tbIntensifySpeed->setValue(40);
    db.tbFuzzifySpeed->setValue(-30);
    db.tbSpecklifySpeed->setValue(12);
    db.tbGrowthSpeed->setValue(-7);
    db.tb3dDepthSpeed->setValue(9);
    a.state().paint.smoothness = 15;
    for (QCheckBox* box :
         {db.cbBrushIntensify, db.cbBrushFuzzify, db.cbBrushSpecklify, db.cbBrushGrow, db.cbBrushDepth})
        box->setChecked(true);
    CircleSettings& c = a.state().circle;
    c.circleNumberOfPoints = 360;
    c.circleWidth = 111; // the lock keeps both radii equal, within the picture at start-up
    c.circleHeight = 111;
    c.circlePenWidth = 77;
    c.circleUsePenWidth = true;
    c.circleLockWidthHeight = true;
    c.circleForgetCenter = false;
    ShapeSettings& s = a.state().shape;
    s.shapeSize = 200;
    s.shapePoints = 9;
    s.shapeFlipperiness = 44;
    s.shapeSectionLength = 7;
    s.shapeDrawLots = s.shapeChangeColors = s.shapeSemicircles = s.shapeFlipper = true;
    a.MakeNewImage(321, 123, false);
    a.tbR->setValue(10);
    a.tbG->setValue(20);
    a.tbB->setValue(30);
    a.state().colour.red = 99;     // as a shape with changing colours leaves it: the slider is stored
    a.tbW->setValue(50);           // the width slider's position in a new window ...
    a.state().paint.penWidth = 77; // ... so the pen width read survives the start-up
    a.tbSpeckly->setValue(42);
    a.tbIntensity->setValue(37);
    a.tbFuzziness->setValue(64);
    a.cbFuzzy->setChecked(false);
    a.cbSquareBrush->setChecked(true);
    a.Drawin3D1->trigger();
    a.menuItemWhite->trigger();

    const std::map<std::string, int> written = everyKey(a);
    a.Exit2->trigger(); // nothing painted: HaltApp at once
    ASSERT_EQ(first.processEnd.ended, 1);
    ASSERT_TRUE(first.prompts.shown.empty());
    const std::string file = readAll(first.iniPath());
    EXPECT_NE(file.find("[main]\nred=10\n"), std::string::npos) << file;

    const auto second = startWith(file);
    TForm1& b = *second->form;
    EXPECT_TRUE(second->prompts.shown.empty());
    const std::map<std::string, int> read = everyKey(b);
    for (const auto& [key, value] : written)
        EXPECT_EQ(read.at(key), value) << key;
    for (const SettingKey& k : settingsKeys())
        EXPECT_NE(read.at(std::string(k.section) + "/" + std::string(k.key)), k.defaultValue)
            << k.section << "/" << k.key << " still at its default";

    // What the read and the dialogs' creation do to the controls.
    EXPECT_EQ(b.labelRed->text().toStdString(), "10");
    EXPECT_EQ(b.labelBlue->text().toStdString(), "30");
    EXPECT_EQ(b.state().colour.red, 10);
    EXPECT_EQ(b.labelIntensity->text().toStdString(), "37");
    EXPECT_EQ(b.labelFuzziness->text().toStdString(), "64");
    EXPECT_EQ(b.labelSpeckly->text().toStdString(), "42");
    EXPECT_DOUBLE_EQ(b.state().paint.intensity, CalculateIntensity(37));
    EXPECT_DOUBLE_EQ(b.state().paint.fuzziness, 0.64);
    // Intensity factor 0.6031: 6.03, 12.06, 18.09.
    EXPECT_EQ(b.labelSwatch->palette().color(QPalette::Window), QColor(6, 12, 18));
    EXPECT_FALSE(b.cbFuzzy->isChecked());
    EXPECT_TRUE(b.cbSquareBrush->isChecked());
    EXPECT_EQ(b.tbW->value(), 50);
    EXPECT_EQ(b.state().paint.penWidth, 77);
    EXPECT_EQ(second->status(1), " Drawing mode: Black (addition)");
    EXPECT_EQ(second->status(2), "3D depth: -17");
    EXPECT_EQ(b.canvas().imageWidth(), 321);
    EXPECT_EQ(b.canvas().imageHeight(), 123);
    EXPECT_EQ(b.canvas().pixel(0, 0), (BgrPixel{0, 0, 0}));
    EXPECT_DOUBLE_EQ(b.state().circle.circleCenterX, 160.5);
    EXPECT_EQ(b.frm3dOptions->tbDepth3d->value(), -17);
    EXPECT_EQ(b.frm3dOptions->tb3dR->value(), 200);
    EXPECT_TRUE(b.frm3dOptions->cbLinkPenToDepth->isChecked());
    EXPECT_EQ(b.frmBrushOptions->tbFuzzifySpeed->value(), -30);
    EXPECT_TRUE(b.frmBrushOptions->cbBrushDepth->isChecked());

    // Nothing drifts: the second exit writes the same file.
    b.Exit2->trigger();
    EXPECT_EQ(second->processEnd.ended, 1);
    EXPECT_EQ(readAll(second->iniPath()), file);
}

TEST(SettingsWindow, OddValuesAtStartUp) {
    // A byte-order mark, CR LF, names in other cases, blanks, hex, words,
    // values beyond the controls and no final line end.
    const auto rig = startWith("\xEF\xBB\xBF[Image]\r\nheight = 0\r\nWIDTH=9999\r\n"
                               "[MAIN]\r\nRed= 300 \r\ngreen=$7f\r\nblue=0x1F\r\nwidth=50\r\n"
                               "penwidth=2000000000\r\nspeckly=0\r\nfuzzy=yes\r\nsquare=2\r\n"
                               "intensity=500\r\nfuzziness=abc\r\nbackgroundiswhite=0\r\n"
                               "[mine]\r\nkeep=this\r\n"
                               "[circle]\r\nnumberofpoints=99999999999");
    TForm1& f = *rig->form;
    ASSERT_EQ(rig->prompts.shown.size(), 2u);
    EXPECT_EQ(rig->prompts.shown[0].kind, "message");
    EXPECT_EQ(rig->prompts.shown[0].text,
              "Problem with image height from ini file...\r\nSetting height to 600");
    EXPECT_EQ(rig->prompts.shown[1].kind, "message");
    EXPECT_EQ(rig->prompts.shown[1].text,
              "Problem with image width from ini file...\r\nSetting width to 600");
    EXPECT_EQ(f.canvas().imageWidth(), 600);
    EXPECT_EQ(f.canvas().imageHeight(), 600);

    EXPECT_EQ(f.tbR->value(), 255);
    EXPECT_EQ(f.state().colour.red, 255);
    EXPECT_EQ(f.tbG->value(), 127);
    EXPECT_EQ(f.labelGreen->text().toStdString(), "127");
    EXPECT_EQ(f.state().colour.blue, 31);
    // The width slider stood at 50 already, so the pen width read stays in
    // force: as read, bounded only by the widths a picture can use.
    EXPECT_EQ(f.state().paint.penWidth, 10000);
    EXPECT_EQ(f.state().paint.brushWidth, 50);
    EXPECT_EQ(f.tbSpeckly->value(), 1);
    EXPECT_EQ(f.state().paint.speckly, 1);
    EXPECT_EQ(f.labelSpeckly->text().toStdString(), "1");
    EXPECT_TRUE(f.cbFuzzy->isChecked()) << "a word reads as the default";
    EXPECT_TRUE(f.state().paint.fuzzy);
    EXPECT_TRUE(f.cbSquareBrush->isChecked()) << "2 is true";
    EXPECT_TRUE(f.state().paint.squareBrush);
    EXPECT_EQ(f.tbIntensity->value(), 100);
    EXPECT_EQ(f.labelIntensity->text().toStdString(), "100");
    EXPECT_DOUBLE_EQ(f.state().paint.intensity, 1.0);
    EXPECT_EQ(f.tbFuzziness->value(), 100);
    EXPECT_EQ(rig->status(1), " Drawing mode: Black (addition)");
    EXPECT_EQ(f.state().circle.circleNumberOfPoints, 90) << "beyond 32 bits: the default";
    EXPECT_EQ(f.labelSwatch->palette().color(QPalette::Window), QColor(255, 127, 31));

    // The exit writes what the controls show.
    f.Exit2->trigger();
    ASSERT_EQ(rig->processEnd.ended, 1);
    const std::string text = readAll(rig->iniPath());
    EXPECT_NE(text.find("Red=255\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("intensity=100\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("height=600\r\n"), std::string::npos) << text;
}

// ---- Exit when the settings cannot be written -------------------------------

void paintAStroke(GuiRig& rig) {
    rig.show();
    rig.form->MakeNewImage(120, 90, false);
    const auto blank = rig.pixels();
    rig.press(60, 45);
    rig.moveTo(62, 45);
    rig.release(62, 45);
    ASSERT_NE(rig.pixels(), blank) << "the program paints";
    ASSERT_EQ(rig.status(0), "There are unsaved changes.");
}

TEST(SettingsWindow, AnExecutableFolderThatCannotExistStillStartsPaintsAndReports) {
    // The executable's folder is a path under a regular file: nothing can be
    // created there, whoever runs the program.
    GuiRig rig([](GuiRig& r) {
        writeAll(r.paths.folder / "plain", "not a folder");
        r.paths.executable = "plain/splot";
    });
    EXPECT_TRUE(rig.prompts.shown.empty());
    EXPECT_EQ(rig.form->canvas().imageWidth(), 600);
    paintAStroke(rig);
    rig.prompts.answers = {Answer::No, Answer::Yes};
    rig.form->Exit2->trigger();
    EXPECT_EQ(
        rig.prompts.texts("error"),
        (std::vector<std::string>{"Unable to write to " + (rig.paths.folder / "plain/splot.ini").string()}));
    EXPECT_EQ(rig.processEnd.ended, 1);
    EXPECT_EQ(readAll(rig.paths.folder / "plain"), "not a folder");
}

TEST(SettingsWindow, AReadOnlyExecutableFolderKeepsTheSettingsInTheUsersConfigFolder) {
    // The executable's folder is a path under a regular file, so nothing can be
    // written beside it, whoever runs the program; the user has a home folder.
    GuiRig rig([](GuiRig& r) {
        writeAll(r.paths.folder / "plain", "not a folder");
        r.paths.executable = "plain/splot";
        r.paths.env["HOME"] = (r.paths.folder / "home").string();
        fs::create_directories(r.paths.folder / "home" / "cfg" / "splot");
        r.paths.env["XDG_CONFIG_HOME"] = (r.paths.folder / "home" / "cfg").string();
        writeAll(r.paths.folder / "home" / "cfg" / "splot" / "splot.ini", "[main]\nred=7\n");
    });
    EXPECT_EQ(rig.form->tbR->value(), 7) << "read from the config folder";
    rig.form->tbR->setValue(9);
    rig.prompts.answers = {Answer::Yes};
    rig.form->Exit2->trigger();
    EXPECT_TRUE(rig.prompts.texts("error").empty());
    EXPECT_EQ(rig.processEnd.ended, 1);
    const std::string written = readAll(rig.paths.folder / "home" / "cfg" / "splot" / "splot.ini");
    EXPECT_NE(written.find("[main]\nred=9\n"), std::string::npos) << written;
    EXPECT_NE(written.find("[3D]\n"), std::string::npos) << "every section, as at any exit";
}

TEST(SettingsWindow, TheConfigFolderIsCreatedAtTheFirstExit) {
    GuiRig rig([](GuiRig& r) {
        writeAll(r.paths.folder / "plain", "not a folder");
        r.paths.executable = "plain/splot";
        fs::create_directories(r.paths.folder / "home");
        r.paths.env["HOME"] = (r.paths.folder / "home").string();
    });
    rig.prompts.answers = {Answer::Yes};
    rig.form->Exit2->trigger();
    EXPECT_TRUE(rig.prompts.texts("error").empty());
    EXPECT_TRUE(fs::is_regular_file(rig.paths.folder / "home" / ".config" / "splot" / "splot.ini"));
}

// The same program in the two places it runs from: installed (the marker the
// install puts in share/splot/), where the first save goes to the pictures
// folder and the settings to the config folder, both created; and a copy in
// a build folder, which keeps both beside itself. Both folders can be written.
TEST(SettingsWindow, AnInstalledCopyKeepsTheUsersFilesInTheUsersFolders) {
    for (const bool installed : {true, false}) {
        SCOPED_TRACE(installed ? "installed" : "build folder");
        GuiRig rig([installed](GuiRig& r) {
            r.paths.executable = "bin/splot";
            fs::create_directories(r.paths.folder / "bin");
            fs::create_directories(r.paths.folder / "home");
            r.paths.env["HOME"] = (r.paths.folder / "home").string();
            if (installed) {
                fs::create_directories(r.paths.folder / "share" / "splot");
                writeAll(r.paths.folder / "share" / "splot" / "installed", "");
            }
        });
        paintAStroke(rig);
        rig.prompts.answers = {Answer::Yes};
        rig.form->Exit2->trigger();
        EXPECT_TRUE(rig.prompts.texts("error").empty());
        EXPECT_EQ(rig.processEnd.ended, 1);
        const fs::path pictures =
            installed ? rig.paths.folder / "home" / "Pictures" : rig.paths.folder / "bin";
        const fs::path settings = installed ? rig.paths.folder / "home" / ".config" / "splot" / "splot.ini"
                                            : rig.paths.folder / "bin" / "splot.ini";
        EXPECT_EQ(rig.status(0).rfind("Saved as: " + (pictures / "splot").string(), 0), 0U) << rig.status(0);
        EXPECT_TRUE(fs::is_regular_file(settings));
        int besideProgram = 0;
        for (const auto& entry : fs::directory_iterator(rig.paths.folder / "bin"))
            besideProgram += entry.path().filename() != "splot";
        EXPECT_EQ(besideProgram, installed ? 0 : 2) << "the picture and the settings, or nothing";
    }
}

} // namespace
} // namespace splot
