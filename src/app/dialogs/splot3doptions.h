#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace splot {

class TForm1;

// The 3D options dialog: depth, the pen-width link and the red and blue pen
// strengths. Modeless, stays on top; closing it only hides it. Each slider
// writes its shared value and each box toggles its flag.
class Tfrm3dOptions : public QDialog {
    Q_OBJECT
public:
    // Builds the controls in their form state; FormCreate brings them in line
    // with the settings (it calls back into the main window, so the caller
    // registers this dialog there first).
    explicit Tfrm3dOptions(TForm1& form);

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
    TForm1& form_;
};

} // namespace splot
