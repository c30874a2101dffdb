// TForm1: reading the settings file (or a brush file) into the shared state
// and onto the controls, and writing them back. Which keys exist, their
// defaults, ranges and order live in the one key table of
// settings/SettingsKeys; the file format in settings/IniFile.
#include "app/splot.h"

#include "paint/Stroke.h"
#include "settings/SettingsFile.h"
#include "settings/StorageLocations.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>

namespace splot {

std::string TForm1::iniPath(const std::string& fileName) {
    // Beside the executable, or in the user's config folder when the
    // executable's folder cannot be written.
    if (!fileName.empty())
        return fileName;
    Paths& paths = *ports_.paths;
    return storageLocations(paths.executablePath(),
                            [&paths](const std::string& name) { return paths.environment(name); })
        .settingsFile;
}

void TForm1::ReadIniFile(const std::string& section, const std::string& fileName) {
    const SettingsReadResult read = readSettingsFile(iniPath(fileName), section, state_);
    // The image-size reports, in the order they arose.
    for (const std::string& m : read.messages)
        ports_.prompts->message(m);
    if (!read.mainRead)
        return;

    // Every value is already inside its slider's range. Each slider that
    // moves runs its change handler (colour value, label, swatch; intensity,
    // fuzziness, speckle density), which yields the value just read.
    PaintingState& paint = state_.paint;
    tbR->setValue(read.sliders.red);
    tbG->setValue(read.sliders.green);
    tbB->setValue(read.sliders.blue);
    tbIntensity->setValue(read.sliders.intensity);
    tbFuzziness->setValue(read.sliders.fuzziness);
    tbSpeckly->setValue(paint.speckly);
    // A slider that did not move left its label as it was ("0" at start-up).
    labelIntensity->setText(QString::number(tbIntensity->value()));
    labelSpeckly->setText(QString::number(paint.speckly));
    labelFuzziness->setText(QString::number(tbFuzziness->value()));
    paint.intensity = CalculateIntensity(tbIntensity->value());
    paint.fuzziness = CalculateFuzziness(tbFuzziness->value());
    // A box's handler flips its flag without reading the box: after flipping a
    // box that disagrees, flip the flag back so both hold the value read.
    if (cbFuzzy->isChecked() != paint.fuzzy) {
        cbFuzzy->setChecked(paint.fuzzy);
        paint.fuzzy = !paint.fuzzy;
    }
    if (cbSquareBrush->isChecked() != paint.squareBrush) {
        cbSquareBrush->setChecked(paint.squareBrush);
        paint.squareBrush = !paint.squareBrush;
    }
    UpdateColoringModeStatus();
    UpdateSwatch();
}

SliderPositions TForm1::sliderPositions() const {
    return SliderPositions{tbR->value(), tbG->value(), tbB->value(), tbIntensity->value(),
                           tbFuzziness->value()};
}

std::optional<std::string> TForm1::WriteIniFile(const std::string& section, const std::string& fileName) {
    // The colour, intensity and fuzziness are stored as slider positions: a
    // shape with changing colours alters the colour without moving the sliders.
    const SliderPositions sliders = sliderPositions();
    const std::string path = iniPath(fileName);
    if (fileName.empty())
        createSettingsFolder(path);
    return writeSettingsFile(path, section, state_, sliders);
}

} // namespace splot
