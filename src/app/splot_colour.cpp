// TForm1: the paint colour sliders and swatch, intensity stepping, the RGB
// actions and undo/redo.
#include "app/splot.h"

#include "app/dialogs/splot3doptions.h"
#include "base/Numbers.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace splot {

void TForm1::tbRChange() {
    state_.sliders.red = tbR->value();
    state_.colour.red = tbR->value();
    UpdateSwatch();
    labelRed->setText(QString::number(state_.colour.red));
}

void TForm1::tbGChange() {
    state_.sliders.green = tbG->value();
    state_.colour.green = tbG->value();
    UpdateSwatch();
    labelGreen->setText(QString::number(state_.colour.green));
}

void TForm1::tbBChange() {
    state_.sliders.blue = tbB->value();
    state_.colour.blue = tbB->value();
    UpdateSwatch();
    labelBlue->setText(QString::number(state_.colour.blue));
}

// The chosen colour scaled by the intensity factor, in both drawing modes.
void TForm1::UpdateSwatch() {
    const double k = state_.paint.intensity;
    const QColor colour(clampInt(roundEven(state_.colour.red * k), 0, 255),
                        clampInt(roundEven(state_.colour.green * k), 0, 255),
                        clampInt(roundEven(state_.colour.blue * k), 0, 255));
    QPalette palette = labelSwatch->palette();
    palette.setColor(QPalette::Window, colour);
    labelSwatch->setPalette(palette);
}

void TForm1::SlideRGB(const std::string& direction, bool in3d) {
    const int step = direction == "up" ? 1 : -1;
    if (in3d) {
        if (frm3dOptions != nullptr)
            frm3dOptions->stepStrengths(step);
    } else {
        tbIntensity->setValue(tbIntensity->value() + step);
    }
}

void TForm1::DarkenColors1Click() {
    SlideRGB("down", state_.paint.draw3d);
}

void TForm1::LightenColors1Click() {
    SlideRGB("up", state_.paint.draw3d);
}

RgbAction TForm1::selectedAction() const {
    if (rbCycle->isChecked())
        return RgbAction::Cycle;
    if (rbRandG->isChecked())
        return RgbAction::RandG;
    if (rbRandB->isChecked())
        return RgbAction::RandB;
    if (rbGandB->isChecked())
        return RgbAction::GandB;
    return RgbAction::Invert;
}

void TForm1::Invert1Click() {
    session_.invertPicture();
}

// With Invert selected this inverts the picture, as Do Action would.
void TForm1::btnFixColorsClick() {
    session_.applyActionToPicture(selectedAction());
}

void TForm1::btnDoActionClick() {
    if (rbInvert->isChecked())
        Invert1Click();
    else
        btnFixColorsClick();
}

void TForm1::cbRGBActionClick() {
    state_.colour.drawWithAction = !state_.colour.drawWithAction;
}

void TForm1::cbSillyClick() {
    state_.colour.silly = !state_.colour.silly;
}

void TForm1::btnUndoClick() {
    session_.Undo();
}

void TForm1::btnRedoClick() {
    session_.Redo();
}

void TForm1::menuItemUndoClick() {
    btnUndoClick();
}

void TForm1::menuItemRedoClick() {
    btnRedoClick();
}

void TForm1::EnableUndoRedo(bool undo, bool redo) {
    session_.EnableUndoRedo(undo, redo); // mirrored on the controls by undoRedoChanged
}

} // namespace splot
