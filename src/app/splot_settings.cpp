// TForm1: reading the settings into the shared state and the controls, and
// writing them back.
//
// Seam: SettingsSource below is where the values come from. Until the
// settings-file reader is in place every key reads as missing, so the
// program starts exactly as it does with an empty settings file, and
// WriteIniFile writes nothing. What reading does to the controls afterwards
// is final.
#include "app/splot.h"

#include "paint/Limits.h"
#include "paint/Stroke.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>

namespace splot {

namespace {

// The values of one settings or brush file (an empty name: the settings file).
class SettingsSource {
public:
    explicit SettingsSource(const std::string& /*fileName*/) {}
    int integer(const char* /*section*/, const char* /*key*/, int fallback) const { return fallback; }
    bool flag(const char* /*section*/, const char* /*key*/, bool fallback) const { return fallback; }
};

} // namespace

void TForm1::ReadIniFile(const std::string& section, const std::string& fileName) {
    const SettingsSource ini(fileName);
    // Exact comparison: "Main" selects nothing.
    auto selected = [&section](const char* name) { return section == "all" || section == name; };
    PaintingState& paint = state_.paint;
    ColourState& colour = state_.colour;

    if (selected("3D")) {
        paint.depth3d = ini.integer("3D", "depth", 0);
        paint.redStrength = ini.integer("3D", "redstrength", 60);
        paint.blueStrength = ini.integer("3D", "bluestrength", 60);
        paint.linkPenToDepth = ini.flag("3D", "linkpentodepth", false);
    }
    if (selected("brush")) {
        paint.intensifySpeed = ini.integer("brush", "intensifyspeed", 0);
        paint.fuzzifySpeed = ini.integer("brush", "fuzzifyspeed", 0);
        paint.specklifySpeed = ini.integer("brush", "specklifyspeed", 0);
        paint.growthSpeed = ini.integer("brush", "growthspeed", 0);
        paint.depth3dSpeed = ini.integer("brush", "3ddepthspeed", 0);
        paint.smoothness = ini.integer("brush", "smoothness", 10);
        paint.useIntensify = ini.flag("brush", "useintensify", false);
        paint.useFuzzify = ini.flag("brush", "usefuzzify", false);
        paint.useSpecklify = ini.flag("brush", "usespecklify", false);
        paint.useGrowth = ini.flag("brush", "usegrowth", false);
        paint.use3dDepth = ini.flag("brush", "use3ddepth", false);
    }
    if (selected("circle")) {
        CircleSettings& c = state_.circle;
        c.circleNumberOfPoints = ini.integer("circle", "numberofpoints", 90);
        c.circleWidth = ini.integer("circle", "width", 150);
        c.circleHeight = ini.integer("circle", "height", 150);
        c.circlePenWidth = ini.integer("circle", "penwidth", 30);
        c.circleUsePenWidth = ini.flag("circle", "usepenwidth", false);
        c.circleLockWidthHeight = ini.flag("circle", "lockwidthheight", false);
        c.circleForgetCenter = ini.flag("circle", "forgetcenter", true);
    }
    if (selected("image")) {
        paint.imageHeight = ini.integer("image", "height", 600);
        paint.imageWidth = ini.integer("image", "width", 600);
        if (paint.imageHeight < 1 || paint.imageHeight > maxImageHeight) {
            ports_.prompts->message("Problem with image height from ini file...\r\nSetting height to 600");
            paint.imageHeight = 600;
        }
        if (paint.imageWidth < 1 || paint.imageWidth > maxImageWidth) {
            ports_.prompts->message("Problem with image width from ini file...\r\nSetting width to 600");
            paint.imageWidth = 600;
        }
    }
    if (selected("shape")) {
        ShapeSettings& s = state_.shape;
        s.shapeSize = ini.integer("shape", "size", 110);
        s.shapePoints = ini.integer("shape", "points", 5);
        s.shapeFlipperiness = ini.integer("shape", "flipperiness", 5);
        s.shapeSectionLength = ini.integer("shape", "sectionlength", 3);
        s.shapeDrawLots = ini.flag("shape", "drawlots", false);
        s.shapeChangeColors = ini.flag("shape", "changecolors", false);
        s.shapeSemicircles = ini.flag("shape", "semicircles", false);
        s.shapeFlipper = ini.flag("shape", "flipper", false);
    }
    if (selected("main")) {
        colour.red = ini.integer("main", "red", 255);
        colour.green = ini.integer("main", "green", 123);
        colour.blue = ini.integer("main", "blue", 34);
        paint.brushWidth = ini.integer("main", "width", 30);
        // Each slider that moves sets its colour value, label and swatch.
        tbR->setValue(colour.red);
        tbG->setValue(colour.green);
        tbB->setValue(colour.blue);
        paint.penWidth = ini.integer("main", "penwidth", 30);
        paint.speckly = ini.integer("main", "speckly", 100);
        paint.fuzzy = ini.flag("main", "fuzzy", true);
        paint.squareBrush = ini.flag("main", "square", false);
        paint.draw3d = ini.flag("main", "draw3d", false);
        paint.backgroundIsWhite = ini.flag("main", "backgroundiswhite", true);
        tbIntensity->setValue(ini.integer("main", "intensity", 100));
        tbFuzziness->setValue(ini.integer("main", "fuzziness", 100));
        tbSpeckly->setValue(paint.speckly);
        labelIntensity->setText(QString::number(tbIntensity->value()));
        labelSpeckly->setText(QString::number(paint.speckly));
        labelFuzziness->setText(QString::number(tbFuzziness->value()));
        paint.intensity = CalculateIntensity(tbIntensity->value());
        paint.fuzziness = CalculateFuzziness(tbFuzziness->value());
        // Flipping a box runs its handler, which flips the flag; flip the flag
        // back so that box and flag both hold the value read.
        if (cbFuzzy->isChecked() != paint.fuzzy) {
            cbFuzzy->setChecked(!cbFuzzy->isChecked());
            paint.fuzzy = !paint.fuzzy;
        }
        if (cbSquareBrush->isChecked() != paint.squareBrush) {
            cbSquareBrush->setChecked(!cbSquareBrush->isChecked());
            paint.squareBrush = !paint.squareBrush;
        }
        UpdateColoringModeStatus();
        UpdateSwatch();
    }
}

void TForm1::WriteIniFile(const std::string& /*section*/, const std::string& /*fileName*/) {}

} // namespace splot
