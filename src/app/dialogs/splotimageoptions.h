#pragma once

#include "app/dialogs/OptionsDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace splot {

// The image options dialog: the size of a new picture (New) or of the
// resized one (Resize Image). Modal; only one of its two action buttons is
// shown at a time. The fields are checked together and every problem is
// reported in one message.
class TfrmImageOptions : public OptionsDialog {
    Q_OBJECT
public:
    TfrmImageOptions(QWidget* parent, DialogFacade& facade);

    void FormCreate();
    // Shows the dialog modally for New (keepPicture false) or Resize Image,
    // with the fields filled with the current size.
    void showFor(bool keepPicture, int width, int height);
    void btnMakeNewImageClick();
    void btnResizeClick();
    void Button2Click();
    // Checks the fields; reports the problems and stays open, or closes and
    // hands the size to the main window.
    void CheckNew(bool keepPicture);

    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* editImageWidth = nullptr;
    QLineEdit* editImageHeight = nullptr;
    QLabel* labelWidthMax = nullptr;
    QLabel* labelHeightMax = nullptr;
    QPushButton* btnMakeNewImage = nullptr;
    QPushButton* btnResize = nullptr;
    QPushButton* Button2 = nullptr;

private:
    void fillFields(int width, int height);
};

} // namespace splot
