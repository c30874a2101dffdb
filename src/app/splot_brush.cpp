// TForm1: the brush sliders and check boxes, the step commands of the Tools
// menu, the drawing mode and the random colour method.
//
// Slider rule: setting a position from code clamps it into the range and runs
// the change handler only when the position moved. Check-box rule: a box's
// handler flips its flag without reading the box; code that sets a box does
// so only when it disagrees (setChecked emits toggled only on a real change).
#include "app/splot.h"

#include "colour/ColourState.h"
#include "paint/Stroke.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QSlider>

namespace splot {

namespace {
void showNumber(QLabel* label, int value, bool repaintNow) {
    label->setText(QString::number(value));
    if (repaintNow)
        label->repaint();
}
} // namespace

void TForm1::tbWChange() {
    state_.paint.penWidth = tbW->value();
    state_.paint.brushWidth = tbW->value();
    showNumber(labelWidth, tbW->value(), false);
    ShowBrush();
}

void TForm1::tbFuzzinessChange() {
    state_.sliders.fuzziness = tbFuzziness->value();
    showNumber(labelFuzziness, tbFuzziness->value(), true);
    state_.paint.fuzziness = CalculateFuzziness(tbFuzziness->value());
}

void TForm1::tbIntensityChange() {
    state_.sliders.intensity = tbIntensity->value();
    showNumber(labelIntensity, tbIntensity->value(), true);
    state_.paint.intensity = CalculateIntensity(tbIntensity->value());
    UpdateSwatch();
}

void TForm1::tbSpecklyChange() {
    showNumber(labelSpeckly, tbSpeckly->value(), true);
    state_.paint.speckly = CalculateSpeckly(tbSpeckly->value());
}

void TForm1::cbFuzzyClick() {
    state_.paint.fuzzy = !state_.paint.fuzzy;
}

void TForm1::cbSquareBrushClick() {
    state_.paint.squareBrush = !state_.paint.squareBrush;
}

void TForm1::IncreaseBrushWidth1Click() {
    tbW->setValue(tbW->value() + 1);
    ShowBrush();
}

void TForm1::DecreaseBrushWidth1Click() {
    tbW->setValue(tbW->value() - 1);
    ShowBrush();
}

void TForm1::Fuzzier1Click() {
    tbFuzziness->setValue(tbFuzziness->value() + 1);
}

void TForm1::LessFuzzy1Click() {
    tbFuzziness->setValue(tbFuzziness->value() - 1);
}

void TForm1::DenserSpeckles1Click() {
    tbSpeckly->setValue(tbSpeckly->value() + 1);
}

void TForm1::LessDenseSpeckles1Click() {
    tbSpeckly->setValue(tbSpeckly->value() - 1);
}

void TForm1::Fuzzy1Click() {
    cbFuzzy->setChecked(!cbFuzzy->isChecked());
    // The menu mark copies the box; nothing else ever sets it.
    Fuzzy1->setChecked(cbFuzzy->isChecked());
}

void TForm1::SquareBrush1Click() {
    cbSquareBrush->setChecked(true);
    if (!state_.paint.freshStart)
        ShowBrush();
}

void TForm1::RoundBrush1Click() {
    cbSquareBrush->setChecked(false);
    if (!state_.paint.freshStart)
        ShowBrush();
}

void TForm1::menuItemWhiteClick() {
    session_.switchDrawingMode();
}

void TForm1::Erase1Click() {
    session_.toggleEraseMode();
}

void TForm1::SetRandomColourMethod(const std::string& name) {
    splot::SetRandomColourMethod(state_.colour, name);
    const RandomColourMethod method = state_.colour.randomColourMethod;
    NoRandomColours1->setChecked(method == RandomColourMethod::None);
    Randomperstroke1->setChecked(method == RandomColourMethod::Stroke);
    Randomperpoint1->setChecked(method == RandomColourMethod::Point);
}

void TForm1::NoRandomColours1Click() {
    SetRandomColourMethod("none");
}

void TForm1::Randomperstroke1Click() {
    SetRandomColourMethod("stroke");
}

void TForm1::Randomperpoint1Click() {
    SetRandomColourMethod("point");
}

} // namespace splot
