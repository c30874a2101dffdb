#pragma once

#include "app/AppPorts.h"
#include "app/Guarded.h"
#include "app/QtPorts.h"
#include "app/dialogs/OptionsDialog.h"
#include "session/Session.h"
#include "settings/SettingsKeys.h"

#include <QMainWindow>

#include <optional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSlider;
class QStatusBar;

namespace splot {

class ImageView;
class TForm2;
class TfrmShapeOptions;
class TfrmCircleOptions;
class Tfrm3dOptions;
class TfrmBrushOptions;
class TfrmImageOptions;

// The main window: owns all shared state, the canvas and the engine objects,
// holds the control panel, the menu bar and the status bar, and binds every
// control to its handler. Controls and handlers carry the program's names.
//
// The definitions are split by subsystem:
//   splot.cpp          construction, start-up, exit, status bar, centring
//   splot_layout.cpp   the control panel, scroll box and status bar widgets
//   splot_menu.cpp     the menu bar and the small menu commands
//   splot_wiring.cpp   every signal and event binding of the window
//   splot_brush.cpp    brush sliders, check boxes and step commands
//   splot_stroke.cpp   mouse handling, strokes, the 3D depth
//   splot_colour.cpp   colour sliders, swatch, RGB actions, undo and redo
//   splot_files.cpp    image and brush file commands
//   splot_splotting.cpp  shapes and circles commands
//   splot_settings.cpp the controls after a settings or brush file was read
//
// Every command is engine code in the session; a handler reads its control,
// calls the session and updates labels. The window is the session's status
// bar and carries out what the session's commands need of the controls.
class TForm1 : public QMainWindow, public DialogFacade, public StatusPort, public WindowPort {
    Q_OBJECT
public:
    // Builds the window and runs FormCreate. No other window exists yet.
    explicit TForm1(const AppPorts& ports, QWidget* parent = nullptr);
    ~TForm1() override;

    Session& session() { return session_; }
    SplotState& state() override { return session_.state(); }
    Canvas& canvas() { return session_.canvas(); }
    Random& random() { return session_.random(); }
    Painter& painter() { return session_.painter(); }
    History& history() { return session_.history(); }
    const AppPorts& ports() const { return ports_; }
    Prompts* prompts() override { return ports_.prompts; }

    // ==== What the session asks of the window ================================
    void showPanel(int panel, const std::string& text) override;
    void canvasRebuilt() override;
    void canvasSizeRefused() override;
    void undoRedoChanged(bool undo, bool redo) override;
    void revertEnabled() override;
    // Moves the controls after a settings or brush file was read
    // (splot_settings.cpp).
    void settingsRead(const SettingsReadResult& read) override;

    // Runs a command inside the top-level handler.
    template <typename F> void runGuarded(F&& command) { guarded(ports_.prompts, command); }
    // Wraps a handler for connect(): runs it inside the top-level handler.
    template <typename F> auto guard(F handler) {
        return [this, handler = std::move(handler)]() mutable { guarded(ports_.prompts, handler); };
    }

    // ==== The other windows (created once by createWindows, owned by this window)
    TfrmShapeOptions* frmShapeOptions = nullptr;
    TForm2* Form2 = nullptr;
    TfrmCircleOptions* frmCircleOptions = nullptr;
    Tfrm3dOptions* frm3dOptions = nullptr;
    TfrmBrushOptions* frmBrushOptions = nullptr;
    TfrmImageOptions* frmImageOptions = nullptr;

    // ==== Start-up and exit (splot.cpp) =======================================
    void FormCreate();
    // After start-up: reports what was wrong with the command line, then
    // loads the file named on it (if any) as the Load command would.
    void startWith(const std::vector<std::string>& commandLineErrors, const std::string& file);
    void Exit2Click();
    // The window is being closed by its frame: runs the exit flow and lets the
    // window close only when closeAllowed is still set afterwards.
    void FormClose();
    // Writes all settings to the settings file and ends the process. When the
    // write fails the error is shown and the user chooses: quit without the
    // settings, or stay (the exit or close is then abandoned).
    void HaltApp();

    // ==== Canvas and view (splot.cpp) =========================================
    void MakeNewImage(int width, int height, bool keepPicture);
    void ClearImage();
    void Clear1Click();
    void btnClearClick();
    void RefreshPicture();
    void FormResize();

    // ==== Status bar (splot.cpp) ==============================================
    void ShowStatus(const std::string& text);
    void UpdateColoringModeStatus();
    std::string statusPanelText(int panel) const;

    // ==== Brush (splot_brush.cpp) =============================================
    void tbWChange();
    void tbFuzzinessChange();
    void tbIntensityChange();
    void tbSpecklyChange();
    void cbFuzzyClick();
    void cbSquareBrushClick();
    void IncreaseBrushWidth1Click();
    void DecreaseBrushWidth1Click();
    void Fuzzier1Click();
    void LessFuzzy1Click();
    void DenserSpeckles1Click();
    void LessDenseSpeckles1Click();
    void Fuzzy1Click();
    void SquareBrush1Click();
    void RoundBrush1Click();
    void menuItemWhiteClick();
    void Erase1Click();
    void NoRandomColours1Click();
    void Randomperstroke1Click();
    void Randomperpoint1Click();
    // Checks the Colours item "none", "stroke" or "point" (exact); any other
    // name leaves all three unchecked.
    void SetRandomColourMethod(const std::string& name);

    // ==== Strokes and 3D (splot_stroke.cpp) ===================================
    // Mouse handlers; button sets are those held during (or, for press and
    // release, changed by) the event. Positions come from the mouse port.
    void Image1MouseDown(Qt::MouseButton button);
    void Image1MouseMove(Qt::MouseButtons held);
    void Image1MouseUp(Qt::MouseButton button);
    void Image1Click();
    void ScrollBox1MouseDown(Qt::MouseButton button);
    void ScrollBox1MouseMove(Qt::MouseButtons held);
    void ScrollBox1MouseUp(Qt::MouseButton button);
    void Panel2MouseMove();
    // Ends a stroke: clears the action coverage (Draw with action) and the drift.
    void MouseUp();
    // The pointer in canvas coordinates (x right, y up).
    int getXMouse();
    int getYMouse();
    // The brush outline at the pointer, on screen only.
    void ShowBrush();
    void Update3dDepth(int delta) override;
    void newImageChosen(int width, int height, bool keepPicture) override;
    void drawShapes() override { DrawShapes1Click(); }
    void drawCircle() override { Button2Click(); }
    void SetStatus3d();
    void Drawin3D1Click();
    void BringTowardsYou1Click();
    void MoveAway1Click();

    // ==== Colour, actions, undo (splot_colour.cpp) ============================
    void tbRChange();
    void tbGChange();
    void tbBChange();
    void UpdateSwatch();
    // "up" steps up; any other direction steps down.
    void SlideRGB(const std::string& direction, bool in3d);
    void DarkenColors1Click();
    void LightenColors1Click();
    void Invert1Click();
    void btnFixColorsClick();
    void btnDoActionClick();
    void cbRGBActionClick();
    void cbSillyClick();
    // The radio button that is selected now.
    RgbAction selectedAction() const;
    void btnUndoClick();
    void btnRedoClick();
    void menuItemUndoClick();
    void menuItemRedoClick();
    void EnableUndoRedo(bool undo, bool redo);

    // ==== Files (splot_files.cpp) =============================================
    void New1Click();
    void btnLoadClick();
    // Saves the picture; true when it was saved.
    bool SaveSplot();
    void btnRevertClick();
    void ResizeImage1Click();
    void menuBrushLoadClick();
    void menuBrushSaveClick();
    void btnLoadBrushClick();
    void btnSaveBrushClick();
    void SortOutBrushOptions();

    // ==== Splotting (splot_splotting.cpp) =====================================
    void Button2Click();
    void DrawShapes1Click();
    void Kill1Click();
    // Context-menu request over the image (right button).
    void Image1ContextPopup();

    // ==== Options and help (splot_menu.cpp) ===================================
    void N3DOptions1Click();
    void BrushOptions1Click();
    void CircleOptions1Click();
    void ShapeOptions1Click();
    void AboutSPLOT1Click();

    // ==== Controls ============================================================
    // Scroll box and image.
    QScrollArea* ScrollBox1 = nullptr;
    ImageView* Image1 = nullptr;

    // Control panel and its groups.
    QFrame* Panel2 = nullptr;
    QFrame* Panel3 = nullptr; // colour
    QFrame* Panel4 = nullptr; // brush
    QFrame* Panel5 = nullptr; // files and history
    QFrame* Panel7 = nullptr; // actions
    QSlider* tbR = nullptr;
    QSlider* tbG = nullptr;
    QSlider* tbB = nullptr;
    QSlider* tbIntensity = nullptr;
    QLabel* labelRed = nullptr;
    QLabel* labelGreen = nullptr;
    QLabel* labelBlue = nullptr;
    QLabel* labelIntensity = nullptr;
    QLabel* labelSwatch = nullptr;
    QSlider* tbW = nullptr;
    QSlider* tbFuzziness = nullptr;
    QSlider* tbSpeckly = nullptr;
    QLabel* labelWidth = nullptr;
    QLabel* labelFuzziness = nullptr;
    QLabel* labelSpeckly = nullptr;
    QCheckBox* cbFuzzy = nullptr;
    QCheckBox* cbSquareBrush = nullptr;
    QPushButton* btnLoad = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnRevert = nullptr;
    QPushButton* btnClear = nullptr;
    QPushButton* btnUndo = nullptr;
    QPushButton* btnRedo = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QRadioButton* rbInvert = nullptr;
    QRadioButton* rbCycle = nullptr;
    QRadioButton* rbRandG = nullptr;
    QRadioButton* rbRandB = nullptr;
    QRadioButton* rbGandB = nullptr;
    QPushButton* btnDoAction = nullptr;
    QCheckBox* cbRGBAction = nullptr;
    QCheckBox* cbSilly = nullptr;
    QPushButton* btnLoadBrush = nullptr;
    QPushButton* btnSaveBrush = nullptr;

    // Status bar: message panel (450 px), mode panel (250 px), depth panel (50 px).
    QStatusBar* StatusBar1 = nullptr;
    QLabel* statusMessagePanel = nullptr;
    QLabel* statusModePanel = nullptr;
    QLabel* statusDepthPanel = nullptr;

    // Menus and their items.
    QMenu* File1 = nullptr;
    QAction* New1 = nullptr;
    QAction* Load1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* Exit2 = nullptr;
    QMenu* Brush1 = nullptr;
    QAction* menuBrushLoad = nullptr;
    QAction* menuBrushSave = nullptr;
    QMenu* Edit1 = nullptr;
    QAction* menuItemUndo = nullptr;
    QAction* menuItemRedo = nullptr;
    QAction* ResizeImage1 = nullptr;
    QMenu* MenuTools = nullptr;
    QAction* CycleRGB1 = nullptr;
    QAction* Invert1 = nullptr;
    QAction* Clear1 = nullptr;
    QAction* menuItemWhite = nullptr;
    QAction* Erase1 = nullptr;
    QAction* IncreaseBrushWidth1 = nullptr;
    QAction* DecreaseBrushWidth1 = nullptr;
    QAction* SquareBrush1 = nullptr;
    QAction* RoundBrush1 = nullptr;
    QAction* Fuzzy1 = nullptr;
    QAction* Fuzzier1 = nullptr;
    QAction* LessFuzzy1 = nullptr;
    QAction* DarkenColors1 = nullptr;
    QAction* LightenColors1 = nullptr;
    QAction* DenserSpeckles1 = nullptr;
    QAction* LessDenseSpeckles1 = nullptr;
    QMenu* Colours1 = nullptr;
    QAction* NoRandomColours1 = nullptr;
    QAction* Randomperstroke1 = nullptr;
    QAction* Randomperpoint1 = nullptr;
    QMenu* Splotting1 = nullptr;
    QAction* Circle1 = nullptr;
    QAction* DrawShapes1 = nullptr;
    QAction* Kill1 = nullptr;
    QMenu* Options1 = nullptr;
    QAction* N3DOptions1 = nullptr;
    QAction* BrushOptions1 = nullptr;
    QAction* CircleOptions1 = nullptr;
    QAction* ShapeOptions1 = nullptr;
    QMenu* menu3d = nullptr;
    QAction* Drawin3D1 = nullptr;
    QAction* BringTowardsYou1 = nullptr;
    QAction* MoveAway1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* AboutSPLOT1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction (splot_layout.cpp, splot_menu.cpp, splot_wiring.cpp).
    void BuildControlPanel();
    void BuildStatusBar();
    void BuildMenus();
    void WireEvents();

    // Dispatches a mouse event of the image or the scroll box.
    bool imageMouseEvent(QEvent* event);
    bool scrollBoxMouseEvent(QEvent* event);

    QWidget* imageHost_ = nullptr; // fills the scroll box's viewport, holds Image1
    SessionPorts sessionPorts();

    AppPorts ports_;
    QtCursorPort qtCursor_; // used when the ports bring no cursor
    Session session_;
    // Shorthands for the session's state and canvas.
    SplotState& state_ = session_.state();
    Canvas& canvas_ = session_.canvas();
    bool leftPressedOnImage_ = false; // arms the click stamp
};

} // namespace splot
