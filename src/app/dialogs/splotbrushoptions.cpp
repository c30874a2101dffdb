#include "app/dialogs/splotbrushoptions.h"

#include "app/FormWidgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace splot {

TfrmBrushOptions::TfrmBrushOptions(QWidget* parent, DialogFacade& facade)
    : OptionsDialog(parent, facade, "frmBrushOptions", QStringLiteral("SPLOT Brush Options"),
                    Kind::Modeless) {

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 160);
    int row = 0;
    auto speedRow = [&](const QString& title, int limit, QLabel*& label, QCheckBox*& use) {
        QSlider* slider = addSliderRow(grid, row, title, -limit, limit, 0, label, QStringLiteral("0"));
        use = new QCheckBox(QStringLiteral("Use?"), this);
        use->setChecked(true);
        grid->addWidget(use, row, 3);
        ++row;
        return slider;
    };
    tbIntensifySpeed =
        speedRow(QStringLiteral("Intensify Speed"), 100, labelIntensifySpeed, cbBrushIntensify);
    Label1 = makeNote(QStringLiteral("Intensity is only affected in non-3D mode"), this, true);
    grid->addWidget(Label1, row++, 0, 1, 4);
    tbFuzzifySpeed = speedRow(QStringLiteral("Fuzzify Speed"), 100, labelFuzzifySpeed, cbBrushFuzzify);
    tbGrowthSpeed = speedRow(QStringLiteral("Growth Speed"), 100, labelGrowthSpeed, cbBrushGrow);
    tb3dDepthSpeed = speedRow(QStringLiteral("3D Depth Speed"), 50, label3dDepthSpeed, cbBrushDepth);
    tbSpecklifySpeed = speedRow(QStringLiteral("Speckly Speed"), 50, labelSpecklifySpeed, cbBrushSpecklify);

    tbSmoothness = addSliderRow(grid, row, QStringLiteral("Smoothness"), 1, 20, 10, labelSmoothness,
                                QStringLiteral("0"), &smoothnessTitle);
    cbBrushSmoothness = new QCheckBox(QStringLiteral("Use?"), this);
    cbBrushSmoothness->setChecked(true);
    grid->addWidget(cbBrushSmoothness, row++, 3);
    // Out of the user's reach: strokes are not smoothed.
    for (QWidget* w :
         std::initializer_list<QWidget*>{smoothnessTitle, tbSmoothness, labelSmoothness, cbBrushSmoothness}) {
        w->setVisible(false);
        w->setEnabled(false);
    }

    btnReset = makeButton(QStringLiteral("Reset speeds to zero"));
    btnClose = makeButton(QStringLiteral("Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnReset);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    grid->addLayout(buttons, row, 0, 1, 4);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    WireEvents();
}

void TfrmBrushOptions::WireEvents() {
    auto onSlider = [this](QSlider* slider, void (TfrmBrushOptions::*handler)()) {
        connect(slider, &QSlider::valueChanged, this, guard([this, handler] { (this->*handler)(); }));
    };
    auto onToggle = [this](QCheckBox* box, void (TfrmBrushOptions::*handler)()) {
        connect(box, &QCheckBox::toggled, this, guard([this, handler] { (this->*handler)(); }));
    };
    onSlider(tbIntensifySpeed, &TfrmBrushOptions::tbIntensifySpeedChange);
    onSlider(tbFuzzifySpeed, &TfrmBrushOptions::tbFuzzifySpeedChange);
    onSlider(tbGrowthSpeed, &TfrmBrushOptions::tbGrowthSpeedChange);
    onSlider(tb3dDepthSpeed, &TfrmBrushOptions::tb3dDepthSpeedChange);
    onSlider(tbSpecklifySpeed, &TfrmBrushOptions::tbSpecklifySpeedChange);
    onSlider(tbSmoothness, &TfrmBrushOptions::tbSmoothnessChange);
    onToggle(cbBrushIntensify, &TfrmBrushOptions::cbBrushIntensifyClick);
    onToggle(cbBrushFuzzify, &TfrmBrushOptions::cbBrushFuzzifyClick);
    onToggle(cbBrushGrow, &TfrmBrushOptions::cbBrushGrowClick);
    onToggle(cbBrushDepth, &TfrmBrushOptions::cbBrushDepthClick);
    onToggle(cbBrushSpecklify, &TfrmBrushOptions::cbBrushSpecklifyClick);
    // The smoothness box has no handler.
    connect(btnReset, &QPushButton::clicked, this, guard([this] { btnResetClick(); }));
    connect(btnClose, &QPushButton::clicked, this, guard([this] { btnCloseClick(); }));
}

void TfrmBrushOptions::FormCreate() {
    PaintingState& paint = facade_.state().paint;
    setBoxKeepingFlag(cbBrushIntensify, paint.useIntensify);
    setBoxKeepingFlag(cbBrushSpecklify, paint.useSpecklify);
    setBoxKeepingFlag(cbBrushFuzzify, paint.useFuzzify);
    setBoxKeepingFlag(cbBrushGrow, paint.useGrowth);
    setBoxKeepingFlag(cbBrushDepth, paint.use3dDepth);
    // A stored value outside a slider's range is clamped, and the handler
    // then writes the clamped value back.
    tbIntensifySpeed->setValue(paint.intensifySpeed);
    tbSpecklifySpeed->setValue(paint.specklifySpeed);
    tbFuzzifySpeed->setValue(paint.fuzzifySpeed);
    tbGrowthSpeed->setValue(paint.growthSpeed);
    tb3dDepthSpeed->setValue(paint.depth3dSpeed);
    tbSmoothness->setValue(paint.smoothness);
    tbSmoothnessChange();
}

namespace {
void showNumber(QLabel* label, int value) {
    label->setText(QString::number(value));
    label->repaint();
}
} // namespace

void TfrmBrushOptions::tbIntensifySpeedChange() {
    showNumber(labelIntensifySpeed, tbIntensifySpeed->value());
    facade_.state().paint.intensifySpeed = tbIntensifySpeed->value();
}

void TfrmBrushOptions::tbFuzzifySpeedChange() {
    showNumber(labelFuzzifySpeed, tbFuzzifySpeed->value());
    facade_.state().paint.fuzzifySpeed = tbFuzzifySpeed->value();
}

void TfrmBrushOptions::tbGrowthSpeedChange() {
    showNumber(labelGrowthSpeed, tbGrowthSpeed->value());
    facade_.state().paint.growthSpeed = tbGrowthSpeed->value();
}

void TfrmBrushOptions::tb3dDepthSpeedChange() {
    showNumber(label3dDepthSpeed, tb3dDepthSpeed->value());
    facade_.state().paint.depth3dSpeed = tb3dDepthSpeed->value();
}

void TfrmBrushOptions::tbSpecklifySpeedChange() {
    showNumber(labelSpecklifySpeed, tbSpecklifySpeed->value());
    facade_.state().paint.specklifySpeed = tbSpecklifySpeed->value();
}

void TfrmBrushOptions::tbSmoothnessChange() {
    showNumber(labelSmoothness, tbSmoothness->value());
    facade_.state().paint.smoothness = tbSmoothness->value();
}

void TfrmBrushOptions::cbBrushIntensifyClick() {
    facade_.state().paint.useIntensify = !facade_.state().paint.useIntensify;
}

void TfrmBrushOptions::cbBrushFuzzifyClick() {
    facade_.state().paint.useFuzzify = !facade_.state().paint.useFuzzify;
}

void TfrmBrushOptions::cbBrushGrowClick() {
    facade_.state().paint.useGrowth = !facade_.state().paint.useGrowth;
}

void TfrmBrushOptions::cbBrushDepthClick() {
    facade_.state().paint.use3dDepth = !facade_.state().paint.use3dDepth;
}

void TfrmBrushOptions::cbBrushSpecklifyClick() {
    facade_.state().paint.useSpecklify = !facade_.state().paint.useSpecklify;
}

void TfrmBrushOptions::btnResetClick() {
    // Only the sliders that move run their handlers; use flags stay.
    tbIntensifySpeed->setValue(0);
    tbFuzzifySpeed->setValue(0);
    tbGrowthSpeed->setValue(0);
    tb3dDepthSpeed->setValue(0);
    tbSpecklifySpeed->setValue(0);
}

void TfrmBrushOptions::SortOutBrushOptions() {
    PaintingState& p = facade_.state().paint;
    tbIntensifySpeed->setValue(p.intensifySpeed);
    tbFuzzifySpeed->setValue(p.fuzzifySpeed);
    tbGrowthSpeed->setValue(p.growthSpeed);
    tb3dDepthSpeed->setValue(p.depth3dSpeed);
    tbSpecklifySpeed->setValue(p.specklifySpeed);
    const std::pair<QCheckBox*, bool PaintingState::*> pairs[] = {
        {cbBrushIntensify, &PaintingState::useIntensify},
        {cbBrushFuzzify, &PaintingState::useFuzzify},
        {cbBrushGrow, &PaintingState::useGrowth},
        {cbBrushDepth, &PaintingState::use3dDepth},
        {cbBrushSpecklify, &PaintingState::useSpecklify}};
    for (auto [box, flag] : pairs)
        setBoxKeepingFlag(box, p.*flag);
}

void TfrmBrushOptions::btnCloseClick() {
    hide();
}

} // namespace splot
