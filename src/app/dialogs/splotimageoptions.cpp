#include "app/dialogs/splotimageoptions.h"

#include "base/Limits.h"
#include "files/NewImageCheck.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace splot {

TfrmImageOptions::TfrmImageOptions(QWidget* parent, DialogFacade& facade)
    : OptionsDialog(parent, facade, "frmImageOptions", QStringLiteral("SPLOT Image Options"), Kind::Modal) {
    setFixedSize(236, 152); // the client area
    auto place = [](QWidget* w, int x, int y, int width, int height) { w->setGeometry(x, y, width, height); };
    Label3 = new QLabel(QStringLiteral("Please enter new image dimensions"), this);
    place(Label3, 6, 8, 226, 18);
    // The client area is fixed: with a wide default font the heading gets a
    // slightly smaller one rather than being cut off.
    for (QFont font = Label3->font();
         QFontMetrics(font).horizontalAdvance(Label3->text()) > Label3->width() && font.pointSizeF() > 6;) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        Label3->setFont(font);
    }
    Label1 = new QLabel(QStringLiteral("Width"), this);
    place(Label1, 12, 38, 50, 22);
    Label2 = new QLabel(QStringLiteral("Height"), this);
    place(Label2, 12, 70, 50, 22);
    editImageWidth = new QLineEdit(QStringLiteral("0"), this);
    place(editImageWidth, 64, 36, 72, 24);
    editImageHeight = new QLineEdit(QStringLiteral("0"), this);
    place(editImageHeight, 64, 68, 72, 24);
    labelWidthMax = new QLabel(this);
    place(labelWidthMax, 144, 38, 84, 22);
    labelHeightMax = new QLabel(this);
    place(labelHeightMax, 144, 70, 84, 22);
    btnMakeNewImage = makeButton(QStringLiteral("Make New Image"));
    place(btnMakeNewImage, 12, 112, 120, 28);
    btnResize = makeButton(QStringLiteral("Resize "));
    place(btnResize, 12, 112, 120, 28);
    btnResize->hide();
    Button2 = makeButton(QStringLiteral("Cancel"));
    place(Button2, 144, 112, 80, 28);
    setTabOrder(editImageWidth, editImageHeight);
    setTabOrder(editImageHeight, btnMakeNewImage);
    setTabOrder(btnMakeNewImage, btnResize);
    setTabOrder(btnResize, Button2);

    connect(btnMakeNewImage, &QPushButton::clicked, this, guard([this] { btnMakeNewImageClick(); }));
    connect(btnResize, &QPushButton::clicked, this, guard([this] { btnResizeClick(); }));
    connect(Button2, &QPushButton::clicked, this, guard([this] { Button2Click(); }));
}

void TfrmImageOptions::FormCreate() {
    labelWidthMax->setText(QStringLiteral("(Max %1)").arg(maxImageWidth));
    labelHeightMax->setText(QStringLiteral("(Max %1)").arg(maxImageHeight));
    fillFields(facade_.state().paint.imageWidth, facade_.state().paint.imageHeight);
}

void TfrmImageOptions::fillFields(int width, int height) {
    editImageWidth->setText(QString::number(width));
    editImageHeight->setText(QString::number(height));
}

void TfrmImageOptions::showFor(bool keepPicture, int width, int height) {
    btnResize->setVisible(keepPicture);
    btnMakeNewImage->setVisible(!keepPicture);
    fillFields(width, height);
    exec();
}

void TfrmImageOptions::btnMakeNewImageClick() {
    CheckNew(false);
}

void TfrmImageOptions::btnResizeClick() {
    CheckNew(true);
}

void TfrmImageOptions::Button2Click() {
    reject();
}

void TfrmImageOptions::CheckNew(bool keepPicture) {
    const NewImageCheck check =
        splot::CheckNew(editImageWidth->text().toStdString(), editImageHeight->text().toStdString());
    if (!check.ok()) {
        facade_.prompts()->message(check.errors); // Report; the fields stay as typed
        return;
    }
    accept();
    facade_.newImageChosen(check.width, check.height, keepPicture);
}

} // namespace splot
