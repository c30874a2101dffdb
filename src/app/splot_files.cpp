// TForm1: image and brush file commands. The commands themselves are the
// session's; the image options dialog belongs to this window.
#include "app/splot.h"

#include "app/dialogs/splotbrushoptions.h"
#include "app/dialogs/splotimageoptions.h"
#include "settings/BrushFile.h"

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
    if (const std::optional<std::string> path = session_.chooseBrushToLoad())
        LoadBrush(*path);
}

void TForm1::LoadBrush(const std::string& path) {
    ReadIniFile("brush", path);
    ReadIniFile("main", path);
    tbW->setValue(state_.paint.penWidth); // its handler runs only when it moves
    SetStatus3d();
    SortOutBrushOptions();
}

void TForm1::SortOutBrushOptions() {
    if (frmBrushOptions != nullptr)
        frmBrushOptions->SortOutBrushOptions();
}

void TForm1::menuBrushSaveClick() {
    if (const std::optional<std::string> path = session_.chooseBrushToSave())
        SaveBrush(*path);
}

void TForm1::SaveBrush(const std::string& path) {
    if (const std::optional<std::string> error = writeBrushFile(path, state_, sliderPositions()))
        ports_.prompts->error(*error);
}

void TForm1::btnLoadBrushClick() {
    menuBrushLoadClick();
}

void TForm1::btnSaveBrushClick() {
    menuBrushSaveClick();
}

} // namespace splot
