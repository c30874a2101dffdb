#include "session/Session.h"

#include "base/Errors.h"
#include "base/Limits.h"
#include "colour/WholePicture.h"
#include "files/ImageErrors.h"
#include "files/ImageLoad.h"
#include "files/PictureSave.h"
#include "paint/KMingo.h"
#include "paint/Stroke.h"
#include "settings/BrushFile.h"
#include "settings/SettingsFile.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace splot {

namespace {
constexpr int fallbackImageSize = 600;

// The mode panel's text for the drawing mode.
std::string coloringModeStatusText(bool eraseMode, bool backgroundIsWhite) {
    if (eraseMode)
        return backgroundIsWhite ? " Drawing mode: Erase (to white)" : " Drawing mode: Erase (to black)";
    return backgroundIsWhite ? " Drawing mode: White (subtraction)" : " Drawing mode: Black (addition)";
}

// A chosen file's folder becomes the working folder, where the next dialog opens.
void followChosenFile(Paths& paths, const std::string& file) {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(file, ec).parent_path();
    if (!ec && !folder.empty())
        paths.setCurrentFolder(folder.string());
}
} // namespace

Session::Session(const SessionPorts& ports) : ports_(ports), cursor_(ports.cursor) {
    history_.setEnableCallback([this](bool undo, bool redo) {
        if (ports_.window != nullptr)
            ports_.window->undoRedoChanged(undo, redo);
    });
}

Session::~Session() {
    canvas_.setDisplay(nullptr);
}

// ==== Start-up ================================================================

void Session::startUp() {
    state_.stroke.lastMouseX = -1;
    state_.stroke.lastMouseY = -1;
    ReadIniFile("all", "");
    state_.circle.circleCenterX = state_.paint.imageWidth / 2.0;
    state_.circle.circleCenterY = state_.paint.imageHeight / 2.0;
    state_.paint.eraseMode = false;
    state_.stroke.canvasTouched = false;
    buildStartUpCanvas(); // also moves the width slider to brushWidth
    // The one seeding of the program's generator.
    const LocalDateTime t = ports_.clock->now();
    const std::uint64_t seed =
        ((((((static_cast<std::uint64_t>(t.year) * 12 + t.month) * 31 + t.day) * 24 + t.hour) * 60 +
           t.minute) *
              60 +
          t.second) *
             1000 +
         t.millisecond);
    random_.seed(seed);
    state_.stroke.brushOutlineShown = false;
    state_.colour.drawWithAction = false;
    state_.paint.freshStart = true;
    shell_.closeAllowed = true;
    shell_.unsavedChangesText = "There are unsaved changes.";
}

void Session::buildStartUpCanvas() {
    // freshStart is still false, so this clear takes an undo snapshot.
    try {
        MakeNewImage(state_.paint.imageWidth, state_.paint.imageHeight, false);
        return;
    } catch (const CommandAbandoned&) {
    }
    // The stored size could not be allocated (its error has been shown): a
    // program without a picture would be of no use, so start with the default.
    ports_.prompts->message("The picture is " + std::to_string(fallbackImageSize) + " x " +
                            std::to_string(fallbackImageSize) + " pixels instead.");
    MakeNewImage(fallbackImageSize, fallbackImageSize, false);
}

// ==== Status panels ===========================================================

void Session::ShowStatus(const std::string& text) {
    status_[0] = text;
    if (ports_.status != nullptr)
        ports_.status->showPanel(0, text);
}

const std::string& Session::statusText(int panel) const {
    static const std::string none;
    return panel >= 0 && panel < 3 ? status_[static_cast<std::size_t>(panel)] : none;
}

void Session::UpdateColoringModeStatus() {
    status_[1] = coloringModeStatusText(state_.paint.eraseMode, state_.paint.backgroundIsWhite);
    if (ports_.status != nullptr)
        ports_.status->showPanel(1, status_[1]);
}

void Session::showDepthStatus() {
    status_[2] = state_.paint.draw3d ? "3D depth: " + std::to_string(state_.paint.depth3d) : std::string();
    if (ports_.status != nullptr)
        ports_.status->showPanel(2, status_[2]);
}

// ==== Canvas ==================================================================

void Session::MakeNewImage(int width, int height, bool keepPicture) {
    if (width < 0 || width > maxImageWidth || height < 0 || height > maxImageHeight) {
        if (ports_.window != nullptr)
            ports_.window->canvasSizeRefused();
        return;
    }
    const bool newSize = width != canvas_.imageWidth() || height != canvas_.imageHeight();
    // The clear below snapshots the new canvas, except the first clear after
    // start-up.
    const bool snapshotFollows = !keepPicture && !state_.paint.freshStart;
    try {
        canvas_.rebuild(width, height, keepPicture, state_.paint.backgroundIsWhite);
    } catch (const CanvasAllocationError& e) {
        // The canvas, the sizes, the status and the controls stay exactly as
        // they were; the command that asked for the new canvas goes no further.
        ports_.prompts->message(e.what());
        throw CommandAbandoned();
    }
    state_.paint.imageWidth = width;
    state_.paint.imageHeight = height;
    // The snapshots were cut or padded to the new size: pictures that never
    // existed. Undo and Redo wait for a snapshot taken at this size.
    if (newSize && !snapshotFollows)
        EnableUndoRedo(false, false);
    if (!keepPicture)
        ClearImage();
    if (ports_.window != nullptr)
        ports_.window->canvasRebuilt();
}

void Session::ClearImage() {
    if (state_.paint.freshStart)
        state_.paint.freshStart = false;
    else
        history_.MakeUndoFromRows();
    canvas_.fill(state_.paint.backgroundIsWhite ? 255 : 0);
    RefreshPicture();
    ShowStatus("Image cleared");
}

// ==== Strokes =================================================================

void Session::imageMouseDown() {
    // Any button: the right one adds a shape corner, and still snapshots.
    history_.MakeUndoFromRows();
}

void Session::imageMouseMove(bool leftHeld, bool rightHeld) {
    {
        const DisplayBatch batch(canvas_); // one screen update for the whole move
        StrokeState& stroke = state_.stroke;
        stroke.brushOutlineShown = true;
        KMingo previous(stroke.lastMouseX, stroke.lastMouseY);
        stroke.lastMouseX = ports_.mouse->getXMouse();
        stroke.lastMouseY = ports_.mouse->getYMouse();
        const KMingo current(stroke.lastMouseX, stroke.lastMouseY);

        // The path from the previous position is walked in one step: a drag
        // stamps once per event, at the pointer, without filling in between.
        constexpr int steps = 1;
        const double stepX = (current.getX() - previous.getX()) / steps;
        const double stepY = (current.getY() - previous.getY()) / steps;

        if (!leftHeld) {
            cursor_.setDrawingHidden(false);
        } else if (!rightHeld) {
            cursor_.setDrawingHidden(true);
            for (int step = 1; step <= steps; ++step) {
                previous.MovePoint(previous.getX() + stepX, previous.getY() + stepY);
                painter_.BrushDisplay(previous);
                painter_.DrawOnImage(previous, state_.paint.penWidth, step == steps,
                                     widestStamp(state_.circle));
            }
            UpdateBrushVariables(state_.paint, stroke);
            if (stroke.canvasTouched) {
                stroke.canvasTouched = false;
                markUnsaved();
            }
        }
        // Both buttons held: no stamp, and the cursor keeps its shape.
        painter_.BrushDisplay(current);
    }
    canvas_.flushDisplay(); // the move is on screen when the event returns
}

void Session::imageClick() {
    // The picture counts as changed even when this stamp misses the canvas.
    markUnsaved();
    const KMingo pen(ports_.mouse->getXMouse(), ports_.mouse->getYMouse());
    painter_.DrawOnImage(pen, state_.paint.penWidth, true, widestStamp(state_.circle));
    canvas_.flushDisplay();
}

void Session::pointerLeftPicture() {
    if (state_.stroke.brushOutlineShown) {
        RefreshPicture(); // takes the outline off the screen
        state_.stroke.brushOutlineShown = false;
    }
    cursor_.setDrawingHidden(false);
}

void Session::MouseUp() {
    if (state_.colour.drawWithAction)
        canvas_.clearCoverage();
    ResetBrushVariables(state_.stroke);
}

void Session::ShowBrush() {
    const KMingo pen(ports_.mouse->getXMouse(), ports_.mouse->getYMouse());
    painter_.BrushDisplay(pen);
    canvas_.flushDisplay();
}

// ==== Drawing mode, whole-picture actions, history ============================

void Session::switchDrawingMode() {
    state_.paint.backgroundIsWhite = !state_.paint.backgroundIsWhite;
    UpdateColoringModeStatus();
}

void Session::toggleEraseMode() {
    state_.paint.eraseMode = !state_.paint.eraseMode;
    UpdateColoringModeStatus();
}

// Every command that changes the picture's pixels marks it unsaved, so the
// save-first questions are asked whenever the picture on screen differs from
// what was last saved, loaded or cleared.
void Session::invertPicture() {
    applyActionToPicture(RgbAction::Invert);
}

void Session::applyActionToPicture(RgbAction action) {
    // A cycle or swap on a grey picture keeps every pixel.
    const bool changes = actionChangesPicture(canvas_, action);
    applyChannelActionWholePicture(canvas_, action); // repaints once
    if (changes)
        markUnsaved();
}

// Undo and Redo that bring back the very pixels on screen change nothing, so
// they leave the marker alone. One that returns to exactly the last saved,
// loaded or cleared picture still marks it: the marker is a status text, and
// the program has no text to put back that would not claim a save, a load or
// a clear that did not happen; asking once too often costs a click.
void Session::Undo() {
    if (history_.Undo())
        markUnsaved();
}

void Session::Redo() {
    if (history_.Redo())
        markUnsaved();
}

// ==== Splotting ================================================================

void Session::processEvents() {
    if (ports_.pump != nullptr)
        ports_.pump->processEvents();
}

void Session::DrawShapes() {
    history_.MakeUndoFromRows();
    {
        const CursorOwner::Busy busy(cursor_);
        splotting_.DrawShapes();
        canvas_.flushDisplay();
    }
    markUnsaved();
}

void Session::addCornerAtPointer() {
    splotting_.AddCornerAndJoin(KMingo(ports_.mouse->getXMouse(), ports_.mouse->getYMouse()));
    canvas_.flushDisplay();
}

void Session::Kill() {
    splotting_.Kill();
}

void Session::DrawCircle() {
    const CursorOwner::Busy busy(cursor_);
    history_.MakeUndoFromRows();
    splotting_.DrawCircle();
    canvas_.flushDisplay();
    markUnsaved();
    MouseUp();
}

// ==== New image and resize ====================================================

bool Session::CheckForClear(const std::string& actionWord) {
    return askToSaveFirst("Do you want to save them before " + actionWord + " this image?");
}

void Session::applyNewImageSize(int width, int height, bool keepPicture) {
    const bool newSize = width != canvas_.imageWidth() || height != canvas_.imageHeight();
    MakeNewImage(width, height, keepPicture);
    EnableUndoRedo(false, false);
    // A resize to the same size keeps every pixel.
    if (keepPicture && newSize)
        markUnsaved();
}

// ==== Image files =============================================================

void Session::btnLoadClick() {
    if (!askToSaveFirst("Do you want to save them before loading a new picture?"))
        return;
    // Both letter cases are shown: the decoder is chosen by the extension in
    // any case.
    const FileDialogRequest request{"", ".", "SPLOT images png,bmp|*.png;*.bmp;*.PNG;*.BMP", "", true};
    const std::optional<std::string> chosen = ports_.prompts->openFile(request);
    if (!chosen)
        return;
    followChosenFile(*ports_.paths, *chosen);
    LoadImage(*chosen, chosen->size() >= 3 ? chosen->substr(chosen->size() - 3) : *chosen);
}

void Session::LoadImage(const std::string& fileName, const std::string& extension) {
    std::error_code ec;
    if (!std::filesystem::exists(fileName, ec)) {
        ports_.prompts->warning("file: \r\n" + fileName + "  does not exist", Buttons::OkCancel);
        throw CommandAbandoned();
    }
    // Decoded completely before anything changes: a refused or broken file
    // leaves the canvas, the status, the last loaded file and Revert alone.
    DecodedImage image;
    try {
        image = loadImage(fileName, extension);
    } catch (const ImageSizeRefused& e) {
        ports_.prompts->message(e.what());
        return;
    }
    MakeNewImage(image.width, image.height, false); // clears, centres
    copyToCanvas(image, canvas_);
    RefreshPicture();
    lastLoadedFile_ = fileName;
    lastLoadedExtension_ = extension;
    if (ports_.window != nullptr)
        ports_.window->revertEnabled();
    ShowStatus(fileName + " loaded successfully.");
}

void Session::btnRevertClick() {
    if (!askToSaveFirst("Do you want to save them before reverting \r\nto the last loaded image?"))
        return;
    history_.MakeUndoFromRows();
    LoadImage(lastLoadedFile_, lastLoadedExtension_);
}

void Session::openFromCommandLine(const std::vector<std::string>& errors, const std::string& file) {
    if (!errors.empty()) {
        std::string text;
        for (const std::string& e : errors)
            text += (text.empty() ? "" : "\r\n") + e;
        ports_.prompts->message(text);
    }
    if (file.empty())
        return;
    // Absolute, so that Revert finds it after a dialog changed the working folder.
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    const std::string path = ec ? file : absolute.lexically_normal().string();
    LoadImage(path, path.size() >= 3 ? path.substr(path.size() - 3) : path);
}

// ==== Settings and brush files ================================================

StorageLocations Session::storage() const {
    // Beside the executable, or in the user's own folders when the
    // executable's folder cannot be written.
    Paths& paths = *ports_.paths;
    return storageLocations(paths.executablePath(),
                            [&paths](const std::string& name) { return paths.environment(name); });
}

std::string Session::iniPath(const std::string& fileName) const {
    return fileName.empty() ? storage().settingsFile : fileName;
}

void Session::ReadIniFile(const std::string& section, const std::string& fileName) {
    const SettingsReadResult read = readSettingsFile(iniPath(fileName), section, state_);
    // The image-size reports, in the order they arose.
    for (const std::string& m : read.messages)
        ports_.prompts->message(m);
    if (ports_.window != nullptr)
        ports_.window->settingsRead(read);
}

std::optional<std::string> Session::WriteIniFile(const std::string& section, const std::string& fileName) {
    const std::string path = iniPath(fileName);
    if (fileName.empty())
        createSettingsFolder(path);
    return writeSettingsFile(path, section, state_);
}

void Session::LoadBrush(const std::string& path) {
    const std::optional<SettingsReadResult> read = readBrushFile(path, state_);
    if (!read) {
        ports_.prompts->message(notABrushMessage(path));
        return;
    }
    if (ports_.window != nullptr)
        ports_.window->settingsRead(*read);
}

void Session::SaveBrush(const std::string& path) {
    if (const std::optional<std::string> error = writeBrushFile(path, state_))
        ports_.prompts->error(*error);
}

void Session::loadBrush() {
    const std::optional<std::string> chosen = ports_.prompts->openFile(loadBrushRequest());
    if (!chosen)
        return;
    followChosenFile(*ports_.paths, *chosen);
    LoadBrush(*chosen);
}

void Session::saveBrush() {
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

// ==== Saving and exit =========================================================

bool Session::askToSaveFirst(const std::string& question) {
    if (!hasUnsavedChanges())
        return true;
    const Answer answer =
        ports_.prompts->warning(shell_.unsavedChangesText + "\r\n" + question, Buttons::YesNoCancel);
    if (answer == Answer::Yes) {
        if (!SaveSplot())
            throw CommandAbandoned();
        return true;
    }
    return answer == Answer::No;
}

bool Session::SaveSplot() {
    BitmapFileToPNG();
    return true;
}

void Session::BitmapFileToPNG() {
    const CursorOwner::Busy busy(cursor_);
    const std::string path = savePictureAsPng(canvas_, storage().picturePrefix, *ports_.clock);
    ShowStatus("Saved as: " + path);
}

void Session::Exit2Click() {
    // A save that did not happen abandons the exit: the picture is not lost.
    bool goOn = false;
    try {
        goOn = askToSaveFirst("Do you want to save them before exiting?");
    } catch (...) {
        shell_.closeAllowed = false;
        throw;
    }
    if (goOn)
        HaltApp();
    else
        shell_.closeAllowed = false;
}

void Session::FormClose() {
    shell_.closeAllowed = false;
    Exit2Click();
}

void Session::HaltApp() {
    // A folder that can never be written must not trap the user: after the
    // error the user may quit without the settings.
    if (mayQuitAfterSettingsWrite(*ports_.prompts, WriteIniFile("all", ""))) {
        quitting_ = true; // a walk that this exit ran inside ends at once
        ports_.processEnd->endProcess();
        return;
    }
    shell_.closeAllowed = false;
}

} // namespace splot
