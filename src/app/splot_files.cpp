// TForm1: image and brush file commands. The commands themselves are the
// session's; the image options dialog belongs to this window.
#include "app/splot.h"

#include "app/dialogs/splotimageoptions.h"

namespace splot {

void TForm1::New1Click() {
    if (session_.CheckForClear("scrapping"))
        frmImageOptions->showFor(false, state_.paint.imageWidth, state_.paint.imageHeight);
}

void TForm1::newImageChosen(int width, int height, bool keepPicture) {
    session_.applyNewImageSize(width, height, keepPicture);
}

void TForm1::btnLoadClick() {
    session_.btnLoadClick();
}

bool TForm1::SaveSplot() {
    return session_.SaveSplot();
}

void TForm1::btnRevertClick() {
    session_.btnRevertClick();
}

void TForm1::ResizeImage1Click() {
    if (session_.CheckForClear("resizing"))
        frmImageOptions->showFor(true, state_.paint.imageWidth, state_.paint.imageHeight);
}

void TForm1::menuBrushLoadClick() {}

void TForm1::menuBrushSaveClick() {}

void TForm1::btnLoadBrushClick() {}

void TForm1::btnSaveBrushClick() {}

} // namespace splot
