#pragma once

#include "app/dialogs/OptionsDialog.h"

class QCheckBox;
class QPushButton;
class QSlider;

namespace splot {

// The shape options dialog: the size and corner count of random shapes and
// the settings of the pen walks. Modeless, stays on top; closing it only
// hides it. Each slider writes its setting, each box inverts its flag.
class TfrmShapeOptions : public OptionsDialog {
    Q_OBJECT
public:
    TfrmShapeOptions(QWidget* parent, DialogFacade& facade);

    // Brings the controls in line with the settings read at start-up; every
    // setting lies within its slider's range afterwards.
    void FormCreate();
    void tbRadiusChange();
    void tbPointsChange();
    void tbFlipperinessChange();
    void tbWMultiChange();
    void cbManyClick();
    void cbChangeColorsClick();
    void cbArcsClick();
    void cbFlipperClick();
    void btnMakeRandomClick();
    void Button1Click();

    QSlider* tbRadius = nullptr;
    QSlider* tbPoints = nullptr;
    QCheckBox* cbMany = nullptr;
    QCheckBox* cbChangeColors = nullptr;
    QCheckBox* cbArcs = nullptr;
    QCheckBox* cbFlipper = nullptr;
    QSlider* tbFlipperiness = nullptr;
    QSlider* tbWMulti = nullptr;
    QPushButton* btnMakeRandom = nullptr;
    QPushButton* Button1 = nullptr;
};

} // namespace splot
