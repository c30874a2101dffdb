// TForm1: the controls after the session read a settings file or a brush
// file into the shared state. Which keys exist, their defaults, ranges and
// order live in the one key table of settings/SettingsKeys.
#include "app/splot.h"

#include "paint/Stroke.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>

namespace splot {

void TForm1::settingsRead(const SettingsReadResult& read) {
    if (read.mainRead) {
        // Every value is already inside its slider's range. Each slider that
        // moves runs its change handler (colour value, label, swatch;
        // intensity, fuzziness, speckle density), which yields the value read.
        PaintingState& paint = state_.paint;
        const SliderPositions sliders = state_.sliders;
        tbR->setValue(sliders.red);
        tbG->setValue(sliders.green);
        tbB->setValue(sliders.blue);
        tbIntensity->setValue(sliders.intensity);
        tbFuzziness->setValue(sliders.fuzziness);
        tbSpeckly->setValue(paint.speckly);
        // A slider that did not move left its label as it was ("0" at start-up).
        labelIntensity->setText(QString::number(tbIntensity->value()));
        labelSpeckly->setText(QString::number(paint.speckly));
        labelFuzziness->setText(QString::number(tbFuzziness->value()));
        paint.intensity = CalculateIntensity(tbIntensity->value());
        paint.fuzziness = CalculateFuzziness(tbFuzziness->value());
        // A box's handler flips its flag without reading the box: after
        // flipping a box that disagrees, flip the flag back so both hold the
        // value read.
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
    if (read.brushLoaded) {
        tbW->setValue(state_.paint.penWidth); // clamps; its handler runs only when it moves
        SetStatus3d();
        SortOutBrushOptions();
    }
}

} // namespace splot
