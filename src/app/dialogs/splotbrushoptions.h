#pragma once

#include "app/dialogs/OptionsDialog.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace splot {

// The brush options dialog: the drift speeds of a stroke and their use
// flags. Modeless, stays on top; closing it only hides it. The smoothness row
// is hidden and disabled: its slider only clamps the stored value at creation.
class TfrmBrushOptions : public OptionsDialog {
    Q_OBJECT
public:
    TfrmBrushOptions(QWidget* parent, DialogFacade& facade);

    void FormCreate();
    void tbIntensifySpeedChange();
    void tbFuzzifySpeedChange();
    void tbGrowthSpeedChange();
    void tb3dDepthSpeedChange();
    void tbSpecklifySpeedChange();
    void tbSmoothnessChange();
    void cbBrushIntensifyClick();
    void cbBrushFuzzifyClick();
    void cbBrushGrowClick();
    void cbBrushDepthClick();
    void cbBrushSpecklifyClick();
    void btnResetClick();
    void btnCloseClick();
    // After a brush file was loaded: the speed sliders, then the use boxes,
    // brought in line with the loaded values (the smoothness row untouched).
    void SortOutBrushOptions();

    QSlider* tbIntensifySpeed = nullptr;
    QLabel* labelIntensifySpeed = nullptr;
    QCheckBox* cbBrushIntensify = nullptr;
    QLabel* Label1 = nullptr;
    QSlider* tbFuzzifySpeed = nullptr;
    QLabel* labelFuzzifySpeed = nullptr;
    QCheckBox* cbBrushFuzzify = nullptr;
    QSlider* tbGrowthSpeed = nullptr;
    QLabel* labelGrowthSpeed = nullptr;
    QCheckBox* cbBrushGrow = nullptr;
    QSlider* tb3dDepthSpeed = nullptr;
    QLabel* label3dDepthSpeed = nullptr;
    QCheckBox* cbBrushDepth = nullptr;
    QSlider* tbSpecklifySpeed = nullptr;
    QLabel* labelSpecklifySpeed = nullptr;
    QCheckBox* cbBrushSpecklify = nullptr;
    QLabel* smoothnessTitle = nullptr;
    QSlider* tbSmoothness = nullptr;
    QLabel* labelSmoothness = nullptr;
    QCheckBox* cbBrushSmoothness = nullptr;
    QPushButton* btnReset = nullptr;
    QPushButton* btnClose = nullptr;

private:
    void WireEvents();
};

} // namespace splot
