// TForm1: image and brush file commands. The commands themselves are the
// session's; the image options dialog belongs to this window.
#include "app/splot.h"

#include "app/dialogs/splotbrushoptions.h"
#include "app/dialogs/splotimageoptions.h"

#include <QSlider>

#include <filesystem>

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

void TForm1::startWith(const std::vector<std::string>& commandLineErrors, const std::string& file) {
    guarded(ports_.prompts, [&] { session_.openFromCommandLine(commandLineErrors, file); });
}

void TForm1::menuBrushLoadClick() {
    session_.loadBrush();
}

void TForm1::SortOutBrushOptions() {
    if (frmBrushOptions != nullptr)
        frmBrushOptions->SortOutBrushOptions();
}

void TForm1::menuBrushSaveClick() {
    session_.saveBrush();
}

void TForm1::btnLoadBrushClick() {
    menuBrushLoadClick();
}

void TForm1::btnSaveBrushClick() {
    menuBrushSaveClick();
}

} // namespace splot
