#include "app/dialogs/splot3doptions.h"

#include "app/FormWidgets.h"

#include <QCheckBox>
#include <QPushButton>

namespace splot {

Tfrm3dOptions::Tfrm3dOptions(QWidget* parent, DialogFacade& facade)
    : OptionsDialog(parent, facade, "frm3dOptions", QStringLiteral("SPLOT 3D options"), Kind::Modeless) {

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 170);
    tbDepth3d = addSliderRow(grid, 0, QStringLiteral("Depth"), -100, 100, 0, labelDepth, QString());
    cbLinkPenToDepth = new QCheckBox(QStringLiteral("Link pen width to depth?"), this);
    cbLinkPenToDepth->setChecked(true);
    grid->addWidget(cbLinkPenToDepth, 1, 0, 1, 3);
    Label1 =
        makeNote(QStringLiteral("Turning this on means that the pen will become narrower/wider when you use "
                                "the \"E\" and \"R\" keys while drawing in 3D Mode."),
                 this, false);
    grid->addWidget(Label1, 2, 0, 1, 3);
    Label3 = new QLabel(QStringLiteral("  3d pen strength  - Use 1 and 2 keys to change"), this);
    grid->addWidget(Label3, 3, 0, 1, 3);
    tb3dR = addSliderRow(grid, 4, QStringLiteral("Red"), 0, 255, 60, label3dRed, QString());
    tb3dB = addSliderRow(grid, 5, QStringLiteral("Blue"), 0, 255, 60, label3dBlue, QString());
    Label2 = makeNote(QStringLiteral("Press the \"3\" key to toggle 3D drawing on/off"), this, true);
    grid->addWidget(Label2, 6, 0, 1, 3);
    btnClose = makeButton(QStringLiteral("Close"));
    grid->addWidget(btnClose, 7, 0, 1, 3, Qt::AlignRight);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    WireEvents();
}

void Tfrm3dOptions::WireEvents() {
    connect(tbDepth3d, &QSlider::valueChanged, this, guard([this] { tbDepth3dChange(); }));
    connect(tb3dR, &QSlider::valueChanged, this, guard([this] { tb3dRChange(); }));
    connect(tb3dB, &QSlider::valueChanged, this, guard([this] { tb3dBChange(); }));
    connect(cbLinkPenToDepth, &QCheckBox::toggled, this, guard([this] { cbLinkPenToDepthClick(); }));
    connect(btnClose, &QPushButton::clicked, this, guard([this] { btnCloseClick(); }));
}

void Tfrm3dOptions::FormCreate() {
    PaintingState& paint = facade_.state().paint;
    setBoxKeepingFlag(cbLinkPenToDepth, paint.linkPenToDepth);
    tbDepth3d->setValue(paint.depth3d);
    tb3dR->setValue(paint.redStrength);
    tb3dB->setValue(paint.blueStrength);
    // Fills the labels and writes the clamped positions back, moved or not.
    tbDepth3dChange();
    tb3dRChange();
    tb3dBChange();
}

void Tfrm3dOptions::tbDepth3dChange() {
    facade_.state().paint.depth3d = tbDepth3d->value();
    labelDepth->setText(QString::number(tbDepth3d->value()));
    labelDepth->repaint();
    facade_.Update3dDepth(0); // shows the depth while drawing in 3D
}

void Tfrm3dOptions::tb3dRChange() {
    facade_.state().paint.redStrength = tb3dR->value();
    label3dRed->setText(QString::number(tb3dR->value()));
}

void Tfrm3dOptions::tb3dBChange() {
    facade_.state().paint.blueStrength = tb3dB->value();
    label3dBlue->setText(QString::number(tb3dB->value()));
}

void Tfrm3dOptions::cbLinkPenToDepthClick() {
    bool& link = facade_.state().paint.linkPenToDepth;
    link = !link;
}

int Tfrm3dOptions::depthPosition() const {
    return tbDepth3d->value();
}

bool Tfrm3dOptions::depthInRange(int position) const {
    return position >= tbDepth3d->minimum() && position <= tbDepth3d->maximum();
}

void Tfrm3dOptions::moveDepth(int position) {
    tbDepth3d->setValue(position);
}

void Tfrm3dOptions::stepStrengths(int step) {
    tb3dR->setValue(tb3dR->value() + step);
    tb3dB->setValue(tb3dB->value() + step);
}

void Tfrm3dOptions::btnCloseClick() {
    hide();
}

} // namespace splot
