#include "app/dialogs/splotcircleoptions.h"

#include "app/FormWidgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>

namespace splot {

TfrmCircleOptions::TfrmCircleOptions(QWidget* parent, DialogFacade& facade)
    : OptionsDialog(parent, facade, "frmCircleOptions", QStringLiteral("SPLOT Circle Options"),
                    Kind::Modeless) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setVerticalSpacing(4);
    grid->setColumnMinimumWidth(1, 180);
    auto box = [&](const QString& caption, int row) {
        auto* b = new QCheckBox(caption, this);
        b->setChecked(true);
        grid->addWidget(b, row, 0, 1, 3);
        return b;
    };
    tbNumberOfPoints =
        addSliderRow(grid, 0, QStringLiteral("Number of points"), 1, 720, 1, labelNumberOfPoints, {});
    tbWidth = addSliderRow(grid, 1, QStringLiteral("Width"), 1, 600, 1, labelWidth, {});
    tbHeight = addSliderRow(grid, 2, QStringLiteral("Height"), 1, 600, 1, labelHeight, {});
    cbLock = box(QStringLiteral("Lock width and height?"), 3);
    cbForgetCenter = box(QStringLiteral("Default back to center of image?"), 4);
    tbPenWidth = addSliderRow(grid, 5, QStringLiteral("Pen Width"), 1, 1000, 1, labelPenWidth, {});
    cbUsePenWidth = box(QStringLiteral("Use different width for circle?"), 6);
    btnDrawCircle = makeButton(QStringLiteral("Draw Circle"));
    Button1 = makeButton(QStringLiteral("Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnDrawCircle);
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    grid->addLayout(buttons, 7, 0, 1, 3);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    auto onSlider = [this](QSlider* s, void (TfrmCircleOptions::*handler)()) {
        connect(s, &QSlider::valueChanged, this, guard([this, handler] { (this->*handler)(); }));
    };
    auto onToggle = [this](QCheckBox* b, void (TfrmCircleOptions::*handler)()) {
        connect(b, &QCheckBox::toggled, this, guard([this, handler] { (this->*handler)(); }));
    };
    onSlider(tbNumberOfPoints, &TfrmCircleOptions::tbNumberOfPointsChange);
    onSlider(tbWidth, &TfrmCircleOptions::tbWidthChange);
    onSlider(tbHeight, &TfrmCircleOptions::tbHeightChange);
    onSlider(tbPenWidth, &TfrmCircleOptions::tbPenWidthChange);
    onToggle(cbLock, &TfrmCircleOptions::cbLockClick);
    onToggle(cbForgetCenter, &TfrmCircleOptions::cbForgetCenterClick);
    onToggle(cbUsePenWidth, &TfrmCircleOptions::cbUsePenWidthClick);
    connect(btnDrawCircle, &QPushButton::clicked, this, guard([this] { btnDrawCircleClick(); }));
    connect(Button1, &QPushButton::clicked, this, guard([this] { Button1Click(); }));
}

void TfrmCircleOptions::FormCreate() {
    CircleSettings& circle = facade_.state().circle;
    const std::pair<QCheckBox*, bool CircleSettings::*> boxes[] = {
        {cbForgetCenter, &CircleSettings::circleForgetCenter},
        {cbUsePenWidth, &CircleSettings::circleUsePenWidth},
        {cbLock, &CircleSettings::circleLockWidthHeight}};
    for (auto [b, flag] : boxes)
        setBoxKeepingFlag(b, circle.*flag);
    // The radius limits follow the picture's size at start-up only.
    tbWidth->setMaximum(facade_.state().paint.imageWidth);
    tbHeight->setMaximum(facade_.state().paint.imageHeight);
    tbNumberOfPoints->setValue(circle.circleNumberOfPoints);
    tbWidth->setValue(circle.circleWidth);
    tbHeight->setValue(circle.circleHeight);
    tbPenWidth->setValue(circle.circlePenWidth);
    tbNumberOfPointsChange();
    tbWidthChange();
    tbHeightChange();
    tbPenWidthChange();
}

void TfrmCircleOptions::tbNumberOfPointsChange() {
    facade_.state().circle.circleNumberOfPoints = tbNumberOfPoints->value();
    labelNumberOfPoints->setText(QString::number(tbNumberOfPoints->value()));
}

void TfrmCircleOptions::tbWidthChange() {
    facade_.state().circle.circleWidth = tbWidth->value();
    labelWidth->setText(QString::number(tbWidth->value()));
    if (facade_.state().circle.circleLockWidthHeight)
        tbHeight->setValue(tbWidth->value());
}

void TfrmCircleOptions::tbHeightChange() {
    facade_.state().circle.circleHeight = tbHeight->value();
    labelHeight->setText(QString::number(tbHeight->value()));
    if (facade_.state().circle.circleLockWidthHeight)
        tbWidth->setValue(tbHeight->value());
}

void TfrmCircleOptions::tbPenWidthChange() {
    facade_.state().circle.circlePenWidth = tbPenWidth->value();
    labelPenWidth->setText(QString::number(tbPenWidth->value()));
}

void TfrmCircleOptions::cbLockClick() {
    bool& lock = facade_.state().circle.circleLockWidthHeight;
    lock = !lock;
    if (lock)
        tbHeight->setValue(tbWidth->value());
}

void TfrmCircleOptions::cbForgetCenterClick() {
    facade_.state().circle.circleForgetCenter = !facade_.state().circle.circleForgetCenter;
}

void TfrmCircleOptions::cbUsePenWidthClick() {
    facade_.state().circle.circleUsePenWidth = !facade_.state().circle.circleUsePenWidth;
}

void TfrmCircleOptions::btnDrawCircleClick() {
    facade_.drawCircle();
}

void TfrmCircleOptions::Button1Click() {
    hide();
}

} // namespace splot
