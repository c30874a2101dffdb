#include "app/dialogs/splotForm2.h"

#include "app/FormWidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace splot {

TfrmShapeOptions::TfrmShapeOptions(QWidget* parent, DialogFacade& facade)
    : OptionsDialog(parent, facade, "frmShapeOptions", QStringLiteral("SPLOT Shape Options"),
                    Kind::Modeless) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setVerticalSpacing(4);
    grid->setColumnMinimumWidth(1, 180);
    int row = 0;
    // The sliders have no value labels.
    auto slider = [&](const QString& title, int min, int max) {
        grid->addWidget(new QLabel(title, this), row, 0);
        auto* s = new QSlider(Qt::Horizontal, this);
        s->setRange(min, max);
        grid->addWidget(s, row++, 1);
        return s;
    };
    auto box = [&](const QString& caption) {
        auto* b = new QCheckBox(caption, this);
        b->setChecked(true);
        grid->addWidget(b, row++, 0, 1, 2);
        return b;
    };
    tbRadius = slider(QStringLiteral("Size"), 10, 300);
    tbPoints = slider(QStringLiteral("Points"), 4, 25);
    cbMany = box(QStringLiteral("Draw lots of shapes?"));
    cbChangeColors = box(QStringLiteral("Change colors?"));
    cbArcs = box(QStringLiteral("Semicircles?"));
    cbFlipper = box(QStringLiteral("Turn on flipper?"));
    tbFlipperiness = slider(QStringLiteral("Flipperiness"), 1, 100);
    tbWMulti = slider(QStringLiteral("Section Length"), 1, 100);
    btnMakeRandom = makeButton(QStringLiteral("Draw Shape"));
    Button1 = makeButton(QStringLiteral("Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnMakeRandom);
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    grid->addLayout(buttons, row, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    auto onSlider = [this](QSlider* s, void (TfrmShapeOptions::*handler)()) {
        connect(s, &QSlider::valueChanged, this, guard([this, handler] { (this->*handler)(); }));
    };
    auto onToggle = [this](QCheckBox* b, void (TfrmShapeOptions::*handler)()) {
        connect(b, &QCheckBox::toggled, this, guard([this, handler] { (this->*handler)(); }));
    };
    onSlider(tbRadius, &TfrmShapeOptions::tbRadiusChange);
    onSlider(tbPoints, &TfrmShapeOptions::tbPointsChange);
    onSlider(tbFlipperiness, &TfrmShapeOptions::tbFlipperinessChange);
    onSlider(tbWMulti, &TfrmShapeOptions::tbWMultiChange);
    onToggle(cbMany, &TfrmShapeOptions::cbManyClick);
    onToggle(cbChangeColors, &TfrmShapeOptions::cbChangeColorsClick);
    onToggle(cbArcs, &TfrmShapeOptions::cbArcsClick);
    onToggle(cbFlipper, &TfrmShapeOptions::cbFlipperClick);
    connect(btnMakeRandom, &QPushButton::clicked, this, guard([this] { btnMakeRandomClick(); }));
    connect(Button1, &QPushButton::clicked, this, guard([this] { Button1Click(); }));
}

void TfrmShapeOptions::FormCreate() {
    ShapeSettings& shape = facade_.state().shape;
    const std::pair<QCheckBox*, bool ShapeSettings::*> boxes[] = {
        {cbMany, &ShapeSettings::shapeDrawLots},
        {cbChangeColors, &ShapeSettings::shapeChangeColors},
        {cbArcs, &ShapeSettings::shapeSemicircles},
        {cbFlipper, &ShapeSettings::shapeFlipper}};
    for (auto [b, flag] : boxes)
        setBoxKeepingFlag(b, shape.*flag);
    tbRadius->setValue(shape.shapeSize);
    tbPoints->setValue(shape.shapePoints);
    tbFlipperiness->setValue(shape.shapeFlipperiness);
    tbWMulti->setValue(shape.shapeSectionLength);
    tbRadiusChange();
    tbPointsChange();
    tbFlipperinessChange();
    tbWMultiChange();
}

void TfrmShapeOptions::tbRadiusChange() {
    facade_.state().shape.shapeSize = tbRadius->value();
}

void TfrmShapeOptions::tbPointsChange() {
    facade_.state().shape.shapePoints = tbPoints->value();
}

void TfrmShapeOptions::tbFlipperinessChange() {
    facade_.state().shape.shapeFlipperiness = tbFlipperiness->value();
}

void TfrmShapeOptions::tbWMultiChange() {
    facade_.state().shape.shapeSectionLength = tbWMulti->value();
}

void TfrmShapeOptions::cbManyClick() {
    facade_.state().shape.shapeDrawLots = !facade_.state().shape.shapeDrawLots;
}

void TfrmShapeOptions::cbChangeColorsClick() {
    facade_.state().shape.shapeChangeColors = !facade_.state().shape.shapeChangeColors;
}

void TfrmShapeOptions::cbArcsClick() {
    facade_.state().shape.shapeSemicircles = !facade_.state().shape.shapeSemicircles;
}

void TfrmShapeOptions::cbFlipperClick() {
    facade_.state().shape.shapeFlipper = !facade_.state().shape.shapeFlipper;
}

void TfrmShapeOptions::btnMakeRandomClick() {
    facade_.drawShapes();
}

void TfrmShapeOptions::Button1Click() {
    hide();
}

} // namespace splot
