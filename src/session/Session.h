#pragma once

#include "base/Random.h"
#include "base/SplotState.h"
#include "colour/RgbActions.h"
#include "history/History.h"
#include "paint/Canvas.h"
#include "paint/Painter.h"
#include "session/CursorOwner.h"
#include "session/SessionPorts.h"
#include "settings/StorageLocations.h"
#include "splotting/Splotting.h"
#include "splotting/SplottingState.h"
#include "splotting/WalkHost.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace splot {

// The shell's part of the shared state.
struct ShellState {
    // The unsaved-changes marker: the picture has unsaved changes exactly when
    // the message panel shows this text.
    std::string unsavedChangesText = "There are unsaved changes.";
    // Cleared by a close of the main window before the exit flow runs; the
    // window closes only when it is set again afterwards.
    bool closeAllowed = true;
};

// One editing session: owns the canvas, the shared state, the generator, the
// brush, the history and the status panels' texts, and offers every command
// as a plain member function. It reaches the outside only through its ports,
// so it runs and is tested without a window.
//
// Commands may run nested: a pen walk lets the window system deliver events
// at every step, so any command can run in the middle of another. No command
// keeps a row pointer or a size across a call that can process events.
class Session : private WalkHost {
public:
    explicit Session(const SessionPorts& ports);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    SplotState& state() { return state_; }
    const SplotState& state() const { return state_; }
    ShellState& shell() { return shell_; }
    Canvas& canvas() { return canvas_; }
    Random& random() { return random_; }
    Painter& painter() { return painter_; }
    History& history() { return history_; }
    CursorOwner& cursor() { return cursor_; }
    SplottingState& splotting() { return splottingState_; }
    // The splotting engine the commands run (benchmarks drive it directly).
    Splotting& splotter() { return splotting_; }
    const SessionPorts& ports() const { return ports_; }

    // ==== Start-up =============================================================
    // Everything from the settings to the first picture, in this order: no
    // previous pointer position; the whole settings file read (the window's
    // controls follow); the circle centre at the middle of the stored size
    // (an odd size gives a half), erase mode off, nothing touched; the canvas
    // built and cleared at the stored size (600 x 600, after saying so, when
    // that size cannot be allocated); the generator seeded from the clock and
    // the flags of a fresh start set.
    void startUp();

    // ==== Settings and brush files ============================================
    // Reads the selected sections ("3D", "brush", "circle", "image", "shape",
    // "main" or "all"; letter case counts) of the file (empty: the settings
    // file) into the state, shows the image-size reports, then has the window
    // bring its controls in line. A missing or unreadable file reads as every
    // key's default.
    void ReadIniFile(const std::string& section, const std::string& fileName);
    // Writes the selected sections into the file (empty: the settings file,
    // whose folder is created when missing), keeping its other lines. Nothing
    // on success, else the error "Unable to write to " + path; the file is
    // then as it was.
    std::optional<std::string> WriteIniFile(const std::string& section, const std::string& fileName);
    // Reads the "brush" and "main" sections of a brush file (one read) and has
    // the window bring its controls and the brush options dialog in line. A
    // file with neither section is refused with a plain message naming it,
    // and nothing changes.
    void LoadBrush(const std::string& path);
    // Writes the "brush" and "main" sections into the file, keeping its other
    // lines; all or nothing. A failure is shown as an error.
    void SaveBrush(const std::string& path);

    // ==== Status panels ======================================================
    void ShowStatus(const std::string& text);
    // Shows the unsaved-changes marker in the message panel.
    void markUnsaved() { ShowStatus(shell_.unsavedChangesText); }
    const std::string& statusText(int panel) const;
    bool hasUnsavedChanges() const { return status_[0] == shell_.unsavedChangesText; }
    void UpdateColoringModeStatus();
    // The depth panel: "3D depth: " and depth3d while drawing in 3D, else empty.
    void showDepthStatus();

    // ==== Canvas =============================================================
    // The engine half of a new canvas: a size outside 0..5000 is refused
    // (the window shows the image options dialog); otherwise the canvas is
    // rebuilt, cleared unless keepPicture, and the window brings its controls
    // in line. When the canvas cannot be allocated nothing changes at all:
    // the error is shown and the calling command is abandoned
    // (CommandAbandoned). A new size with no snapshot taken at it (a resize,
    // or the first clear after start-up) leaves Undo and Redo unavailable.
    void MakeNewImage(int width, int height, bool keepPicture);
    // Fills the canvas with the background colour; the first clear after
    // start-up takes no undo snapshot.
    void ClearImage();
    void RefreshPicture() { canvas_.RefreshPicture(); }

    // ==== Strokes ============================================================
    // A button pressed on the image or the scroll box: the undo snapshot.
    void imageMouseDown();
    // A pointer move over the image or the scroll box with these buttons held.
    void imageMouseMove(bool leftHeld, bool rightHeld);
    // A button released over the image or the scroll box.
    void imageMouseUp() { MouseUp(); }
    // The click stamp: the left button released over the image after it was
    // pressed there, before imageMouseUp.
    void imageClick();
    // The pointer moved over the control column, the status bar or the
    // window background: the outline goes, the arrow comes back.
    void pointerLeftPicture();
    // Ends a stroke: clears the action coverage and the drift.
    void MouseUp();
    // The brush outline at the pointer, on screen only.
    void ShowBrush();

    // ==== Drawing mode, whole-picture actions, history =======================
    void switchDrawingMode();
    void toggleEraseMode();
    void invertPicture();
    void applyActionToPicture(RgbAction action);
    // Undo and Redo mark the picture unsaved when they change a pixel.
    void Undo();
    void Redo();
    void EnableUndoRedo(bool undo, bool redo) { history_.EnableUndoRedo(undo, redo); }

    // ==== Splotting ==========================================================
    // Draw Shape(s): one undo snapshot for everything it draws, the hourglass
    // while it runs (nested commands included), then the unsaved marker.
    void DrawShapes();
    // A right-click on the image: the pointer becomes a corner of the current
    // shape and the pen walks to it from the previous corner.
    void addCornerAtPointer();
    // Kill: empties the current shape (a running leg finishes first).
    void Kill();
    // Draw Circle: hourglass, one undo snapshot, the stamps around the
    // ellipse without processing events, the unsaved marker, the stroke's end.
    void DrawCircle();

    // ==== New image and resize ===============================================
    // The save-first question of New ("scrapping") and Resize Image
    // ("resizing"): true when the command may go on.
    bool CheckForClear(const std::string& actionWord);
    // The size the image options dialog accepted: a new blank picture, or the
    // picture resized (keepPicture). Undo and Redo are then unavailable; a
    // resize to another size marks the picture unsaved, since its pixels changed.
    void applyNewImageSize(int width, int height, bool keepPicture);

    // ==== Image files ========================================================
    // The Load command: the save-first question, the open dialog, then
    // LoadImage with the chosen path and the last three characters of it.
    void btnLoadClick();
    // Loads a PNG or BMP file (extension in any letter case) into a canvas of
    // its size. A missing file: its warning, then the calling command ends
    // silently. A size outside 0..5000: the plain message, nothing changes.
    // A file that cannot be decoded: the error reaches the top-level handler,
    // nothing changes.
    void LoadImage(const std::string& fileName, const std::string& extension);
    // Revert: the save-first question, an undo snapshot, then the last loaded
    // file again.
    void btnRevertClick();
    // Writes the picture as a new time-stamped PNG beside the executable,
    // under the hourglass. A failure throws (the status stays as it was).
    void BitmapFileToPNG();
    const std::string& lastLoadedFile() const { return lastLoadedFile_; }
    // After start-up: reports what was wrong with the command line, then
    // loads the file it named (if any) as the Load command would.
    void openFromCommandLine(const std::vector<std::string>& errors, const std::string& file);

    // ==== Brush commands =====================================================
    // Brush > Load: the open dialog, then LoadBrush with the chosen file.
    void loadBrush();
    // Brush > Save: the save dialog with the default extension, the overwrite
    // question for an existing file, then SaveBrush.
    void saveBrush();
    const std::string& lastLoadedExtension() const { return lastLoadedExtension_; }

    // ==== Saving and exit ====================================================
    // The question every command asks before it throws the picture away:
    // nothing is asked without unsaved changes. Yes saves first (a failed save
    // abandons the asking command), No goes on, Cancel or closing the box
    // answers false.
    bool askToSaveFirst(const std::string& question);
    // Saves the picture: true, or an exception that abandons the command.
    bool SaveSplot();
    // The Exit command: asks first when there are unsaved changes.
    void Exit2Click();
    // The main window is being closed: runs the exit flow, after which the
    // window may close only when closeAllowed is set.
    void FormClose();
    // Writes the settings and ends the process. When the write fails the user
    // may quit without the settings or stay.
    void HaltApp();

private:
    // WalkHost: the walks' event passes go through the event pump; Exit ends
    // every walk in progress.
    void processEvents() override;
    bool walksCancelled() const override { return quitting_; }
    void legJoined() override { markUnsaved(); }

    // Start-up's canvas: the stored size, else the fallback size.
    void buildStartUpCanvas();
    // Where the settings file and saved pictures go, worked out afresh.
    StorageLocations storage() const;
    // The file ReadIniFile and WriteIniFile use for fileName.
    std::string iniPath(const std::string& fileName) const;

    SessionPorts ports_;
    SplotState state_;
    ShellState shell_;
    Canvas canvas_;
    Random random_;
    RgbPaintedAction paintedAction_{canvas_, state_.colour};
    Painter painter_{state_, canvas_, random_, paintedAction_};
    History history_{canvas_, state_.colour};
    CursorOwner cursor_;
    std::array<std::string, 3> status_;
    SplottingState splottingState_;
    Splotting splotting_{state_, splottingState_, canvas_, painter_, random_, *this};
    bool quitting_ = false; // HaltApp has ended the process
    std::string lastLoadedFile_;
    std::string lastLoadedExtension_;
};

} // namespace splot
