#pragma once

#include "app/dialogs/OptionsDialog.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace splot {

// The 3D options dialog: depth, the pen-width link and the red and blue pen
// strengths. Modeless, stays on top; closing it only hides it. Each slider
// writes its shared value and each box toggles its flag.
class Tfrm3dOptions : public OptionsDialog {
    Q_OBJECT
public:
    // Builds the controls in their form state; FormCreate brings them in line
    // with the settings (it calls back into the main window, so the caller
    // registers this dialog there first).
    Tfrm3dOptions(QWidget* parent, DialogFacade& facade);

    // The depth slider, for the main window's depth steps: its position,
    // whether a position lies inside its range, and moving it (clamped; its
    // handler runs when it moves).
    int depthPosition() const;
    bool depthInRange(int position) const;
    void moveDepth(int position);
    // Moves both pen strength sliders by step (clamped; handlers as usual).
    void stepStrengths(int step);

    void FormCreate();
    void tbDepth3dChange();
    void tb3dRChange();
    void tb3dBChange();
    void cbLinkPenToDepthClick();
    void btnCloseClick();

    QSlider* tbDepth3d = nullptr;
    QLabel* labelDepth = nullptr;
    QCheckBox* cbLinkPenToDepth = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QSlider* tb3dR = nullptr;
    QLabel* label3dRed = nullptr;
    QSlider* tb3dB = nullptr;
    QLabel* label3dBlue = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* btnClose = nullptr;

private:
    void WireEvents();
};

} // namespace splot
