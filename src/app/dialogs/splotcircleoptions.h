#pragma once

#include "app/dialogs/OptionsDialog.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace splot {

// The circle options dialog: points, radii, lock, centre rule and the
// circle's own pen width. Modeless, stays on top; closing it only hides it.
// The radius sliders' limits are the picture's size at start-up.
class TfrmCircleOptions : public OptionsDialog {
    Q_OBJECT
public:
    TfrmCircleOptions(QWidget* parent, DialogFacade& facade);

    // Brings the controls in line with the settings read at start-up.
    void FormCreate();
    void tbNumberOfPointsChange();
    void tbWidthChange();
    void tbHeightChange();
    void tbPenWidthChange();
    void cbLockClick();
    void cbForgetCenterClick();
    void cbUsePenWidthClick();
    void btnDrawCircleClick();
    void Button1Click();

    QSlider* tbNumberOfPoints = nullptr;
    QLabel* labelNumberOfPoints = nullptr;
    QSlider* tbWidth = nullptr;
    QLabel* labelWidth = nullptr;
    QSlider* tbHeight = nullptr;
    QLabel* labelHeight = nullptr;
    QCheckBox* cbLock = nullptr;
    QCheckBox* cbForgetCenter = nullptr;
    QSlider* tbPenWidth = nullptr;
    QLabel* labelPenWidth = nullptr;
    QCheckBox* cbUsePenWidth = nullptr;
    QPushButton* btnDrawCircle = nullptr;
    QPushButton* Button1 = nullptr;
};

} // namespace splot
