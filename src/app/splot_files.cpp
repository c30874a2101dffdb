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

namespace {
// A chosen file's folder becomes the working folder, where the next dialog opens.
void followChosenFile(Paths& paths, const std::string& file) {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(file, ec).parent_path();
    if (!ec && !folder.empty())
        paths.setCurrentFolder(folder.string());
}
} // namespace

void TForm1::startWith(const std::vector<std::string>& commandLineErrors, const std::string& file) {
    if (!commandLineErrors.empty()) {
        std::string text;
        for (const std::string& e : commandLineErrors)
            text += (text.empty() ? "" : "\r\n") + e;
        ports_.prompts->message(text);
    }
    if (file.empty())
        return;
    // Absolute, so that Revert finds it after a dialog changed the working folder.
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    const std::string path = ec ? file : absolute.lexically_normal().string();
    const std::string extension = path.size() >= 3 ? path.substr(path.size() - 3) : path;
    guarded(ports_.prompts, [&] { session_.LoadImage(path, extension); });
}

void TForm1::menuBrushLoadClick() {
    const std::optional<std::string> chosen = ports_.prompts->openFile(loadBrushRequest());
    if (!chosen)
        return;
    followChosenFile(*ports_.paths, *chosen);
    LoadBrush(*chosen);
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
    const std::optional<std::string> chosen =
        ports_.prompts->saveFile(saveBrushRequest(ports_.paths->currentFolder()));
    if (!chosen)
        return;
    const std::string path = withDefaultExtension(*chosen, brushFileExtension);
    followChosenFile(*ports_.paths, path);
    std::error_code ec;
    if (std::filesystem::exists(path, ec) &&
        ports_.prompts->warning(overwriteQuestion(path), Buttons::YesNo) != Answer::Yes)
        return;
    SaveBrush(path);
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
