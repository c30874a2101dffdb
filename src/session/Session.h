#pragma once

#include "base/Random.h"
#include "base/SplotState.h"
#include "base/WorkerPool.h"
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

namespace test {
class SessionProbe;
}

// The mouse buttons held during a pointer move.
enum class HeldButtons { None, Left, Right, LeftAndRight };

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

    // The shared state the window's controls edit, and the canvas it shows.
    SplotState& state() { return state_; }
    const SplotState& state() const { return state_; }
    Canvas& canvas() { return canvas_; }
    // The threads that share long operations (see WorkerPool).
    WorkerPool& workers() { return workers_; }
    // False after a close of the main window whose exit flow did not end the
    // process: the window must stay open.
    bool closeAllowed() const { return shell_.closeAllowed; }

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
    void ShowStatus(const std::string& text) { showPanel(0, text); }
    // Shows the unsaved-changes marker in the message panel.
    void markUnsaved() { ShowStatus(shell_.unsavedChangesText); }
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
    void imageMouseMove(HeldButtons held);
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
    void load();
    // Loads a PNG or BMP file (extension in any letter case) into a canvas of
    // its size. A missing file: its warning, then the calling command ends
    // silently. A size outside 0..5000: the plain message, nothing changes.
    // A file that cannot be decoded: the error reaches the top-level handler,
    // nothing changes.
    void LoadImage(const std::string& fileName, const std::string& extension);
    // Revert: the save-first question, an undo snapshot, then the last loaded
    // file again.
    void revert();
    // Writes the picture as a new time-stamped PNG beside the executable,
    // under the hourglass. A failure throws (the status stays as it was).
    void BitmapFileToPNG();
    // After start-up: reports what was wrong with the command line, then
    // loads the file it named (if any) as the Load command would.
    void openFromCommandLine(const std::vector<std::string>& errors, const std::string& file);

    // ==== Brush commands =====================================================
    // Brush > Load: the open dialog, then LoadBrush with the chosen file.
    void loadBrush();
    // Brush > Save: the save dialog with the default extension, the overwrite
    // question for an existing file, then SaveBrush.
    void saveBrush();

    // ==== Saving and exit ====================================================
    // The question every command asks before it throws the picture away:
    // nothing is asked without unsaved changes. Yes saves first (a failed save
    // abandons the asking command), No goes on, Cancel or closing the box
    // answers false.
    bool askToSaveFirst(const std::string& question);
    // Saves the picture; a failure throws, which abandons the command.
    void SaveSplot();
    // The Exit command: asks first when there are unsaved changes.
    void requestExit();
    // The main window is being closed: runs the exit flow, after which the
    // window may close only when closeAllowed() is true.
    void windowClosing();
    // Writes the settings and ends the process. When the write fails the user
    // may quit without the settings or stay.
    void HaltApp();

private:
    friend class test::SessionProbe;

    // Shows text in status panel 0..2 and keeps it for the questions.
    void showPanel(int panel, const std::string& text);

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

    // Stand-ins for the ports a session may run without.
    struct NoEvents final : EventPump {
        void processEvents() override {}
    };
    struct NoStatus final : StatusPort {
        void showPanel(int, const std::string&) override {}
    };
    struct NoCursor final : CursorPort {
        void showCursor(CursorShape) override {}
    };
    struct NoWindow final : WindowPort {
        void canvasRebuilt() override {}
        void canvasSizeRefused() override {}
        void undoRedoChanged(bool, bool) override {}
        void revertEnabled() override {}
        void settingsRead(const SettingsReadResult&) override {}
    };
    NoEvents noEvents_;
    NoStatus noStatus_;
    NoCursor noCursor_;
    NoWindow noWindow_;

    Prompts& prompts_;
    MousePort& mouse_;
    Clock& clock_;
    Paths& paths_;
    ProcessEnd& processEnd_;
    EventPump& pump_;
    StatusPort& statusPort_;
    CursorPort& cursorPort_;
    WindowPort& window_;
    SplotState state_;
    ShellState shell_;
    Canvas canvas_;
    Random random_;
    // Shares the rows of wide stamps and the bands of a PNG save.
    WorkerPool workers_{WorkerPool::threadsFromEnvironment()};
    RgbPaintedAction paintedAction_{canvas_, state_.colour};
    Painter painter_{state_, canvas_, random_, paintedAction_, &workers_};
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
