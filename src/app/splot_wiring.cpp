// TForm1: every binding of a control, menu item or mouse event to its
// handler, in one place. Every handler runs inside the top-level handler.
//
// Sliders bind valueChanged, which Qt emits only when the position really
// changes. Check boxes bind toggled, which Qt emits on every change of state,
// by the user or by setChecked, and never for a setChecked that changes
// nothing.
#include "app/ImageView.h"
#include "app/splot.h"

#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFrame>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QStatusBar>

namespace splot {

void TForm1::WireEvents() {
    auto onSlider = [this](QSlider* slider, void (TForm1::*handler)()) {
        connect(slider, &QSlider::valueChanged, this, guard([this, handler] { (this->*handler)(); }));
    };
    auto onToggle = [this](QCheckBox* box, void (TForm1::*handler)()) {
        connect(box, &QCheckBox::toggled, this, guard([this, handler] { (this->*handler)(); }));
    };
    auto onClick = [this](QPushButton* button, auto handler) {
        connect(button, &QPushButton::clicked, this, guard([this, handler] { (this->*handler)(); }));
    };
    auto onMenu = [this](QAction* item, auto handler) {
        connect(item, &QAction::triggered, this, guard([this, handler] { (this->*handler)(); }));
    };

    // Control panel.
    onSlider(tbR, &TForm1::tbRChange);
    onSlider(tbG, &TForm1::tbGChange);
    onSlider(tbB, &TForm1::tbBChange);
    onSlider(tbIntensity, &TForm1::tbIntensityChange);
    onSlider(tbW, &TForm1::tbWChange);
    onSlider(tbFuzziness, &TForm1::tbFuzzinessChange);
    onSlider(tbSpeckly, &TForm1::tbSpecklyChange);
    onToggle(cbFuzzy, &TForm1::cbFuzzyClick);
    onToggle(cbSquareBrush, &TForm1::cbSquareBrushClick);
    onToggle(cbRGBAction, &TForm1::cbRGBActionClick);
    onToggle(cbSilly, &TForm1::cbSillyClick);
    onClick(btnLoad, &TForm1::btnLoadClick);
    onClick(btnSave, &TForm1::SaveSplot);
    onClick(btnRevert, &TForm1::btnRevertClick);
    onClick(btnClear, &TForm1::btnClearClick);
    onClick(btnUndo, &TForm1::btnUndoClick);
    onClick(btnRedo, &TForm1::btnRedoClick);
    onClick(btnDoAction, &TForm1::btnDoActionClick);
    onClick(btnLoadBrush, &TForm1::btnLoadBrushClick);
    onClick(btnSaveBrush, &TForm1::btnSaveBrushClick);
    // The painted action reads the selection through the colour state.
    for (QRadioButton* rb : {rbInvert, rbCycle, rbRandG, rbRandB, rbGandB})
        connect(rb, &QRadioButton::toggled, this,
                guard([this] { state_.colour.selectedAction = selectedAction(); }));

    // Menus.
    onMenu(New1, &TForm1::New1Click);
    onMenu(Load1, &TForm1::btnLoadClick);
    onMenu(Save1, &TForm1::SaveSplot);
    onMenu(Exit2, &TForm1::Exit2Click);
    onMenu(menuBrushLoad, &TForm1::menuBrushLoadClick);
    onMenu(menuBrushSave, &TForm1::menuBrushSaveClick);
    onMenu(menuItemUndo, &TForm1::menuItemUndoClick);
    onMenu(menuItemRedo, &TForm1::menuItemRedoClick);
    onMenu(ResizeImage1, &TForm1::ResizeImage1Click);
    onMenu(CycleRGB1, &TForm1::btnFixColorsClick);
    onMenu(Invert1, &TForm1::Invert1Click);
    onMenu(Clear1, &TForm1::Clear1Click);
    onMenu(menuItemWhite, &TForm1::menuItemWhiteClick);
    onMenu(Erase1, &TForm1::Erase1Click);
    onMenu(IncreaseBrushWidth1, &TForm1::IncreaseBrushWidth1Click);
    onMenu(DecreaseBrushWidth1, &TForm1::DecreaseBrushWidth1Click);
    onMenu(SquareBrush1, &TForm1::SquareBrush1Click);
    onMenu(RoundBrush1, &TForm1::RoundBrush1Click);
    onMenu(Fuzzy1, &TForm1::Fuzzy1Click);
    onMenu(Fuzzier1, &TForm1::Fuzzier1Click);
    onMenu(LessFuzzy1, &TForm1::LessFuzzy1Click);
    onMenu(DarkenColors1, &TForm1::DarkenColors1Click);
    onMenu(LightenColors1, &TForm1::LightenColors1Click);
    onMenu(DenserSpeckles1, &TForm1::DenserSpeckles1Click);
    onMenu(LessDenseSpeckles1, &TForm1::LessDenseSpeckles1Click);
    onMenu(NoRandomColours1, &TForm1::NoRandomColours1Click);
    onMenu(Randomperstroke1, &TForm1::Randomperstroke1Click);
    onMenu(Randomperpoint1, &TForm1::Randomperpoint1Click);
    onMenu(Circle1, &TForm1::Button2Click);
    onMenu(DrawShapes1, &TForm1::DrawShapes1Click);
    onMenu(Kill1, &TForm1::Kill1Click);
    onMenu(N3DOptions1, &TForm1::N3DOptions1Click);
    onMenu(BrushOptions1, &TForm1::BrushOptions1Click);
    onMenu(CircleOptions1, &TForm1::CircleOptions1Click);
    onMenu(ShapeOptions1, &TForm1::ShapeOptions1Click);
    onMenu(Drawin3D1, &TForm1::Drawin3D1Click);
    onMenu(BringTowardsYou1, &TForm1::BringTowardsYou1Click);
    onMenu(MoveAway1, &TForm1::MoveAway1Click);
    onMenu(AboutSPLOT1, &TForm1::AboutSPLOT1Click);

    // Mouse events of the image, the scroll box and the surfaces around them.
    // Moves without a button need mouse tracking on every one of them.
    QWidget* surfaces[] = {
        Image1, imageHost_, ScrollBox1->viewport(), ScrollBox1, Panel2, Panel3, Panel4, Panel5,
        Panel7, StatusBar1, centralWidget(),        this};
    for (QWidget* w : surfaces) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    // A move over a control that does not track the mouse stops there; with
    // tracking on, the control ignores it and it reaches its panel.
    for (QWidget* area : {static_cast<QWidget*>(Panel2), static_cast<QWidget*>(StatusBar1)})
        for (QWidget* child : area->findChildren<QWidget*>())
            child->setMouseTracking(true);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1)
        return imageMouseEvent(event);
    if (watched == imageHost_ || watched == ScrollBox1->viewport())
        return scrollBoxMouseEvent(event);
    if (watched == ScrollBox1) {
        if (event->type() == QEvent::Resize)
            FormResize();
        return false;
    }
    if (event->type() == QEvent::MouseMove) {
        // The control column, the status bar and the window background.
        guarded(ports_.prompts, [this] { Panel2MouseMove(); });
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TForm1::imageMouseEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton)
            leftPressedOnImage_ = true;
        guarded(ports_.prompts, [this, e] { Image1MouseDown(e->button()); });
        // The right-click's corner comes from the press itself: whether Qt
        // still sends a context-menu event for a press this filter took
        // depends on its version.
        if (e->type() == QEvent::MouseButtonPress && e->button() == Qt::RightButton)
            guarded(ports_.prompts, [this] { Image1ContextPopup(); });
        return true;
    }
    case QEvent::MouseMove: {
        const auto* e = static_cast<QMouseEvent*>(event);
        guarded(ports_.prompts, [this, e] { Image1MouseMove(e->buttons()); });
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto* e = static_cast<QMouseEvent*>(event);
        // A click: the left button released over the image after it was
        // pressed there. The click stamp comes before the release handler.
        const bool click = e->button() == Qt::LeftButton && leftPressedOnImage_ &&
                           Image1->rect().contains(e->position().toPoint());
        if (e->button() == Qt::LeftButton)
            leftPressedOnImage_ = false;
        if (click)
            guarded(ports_.prompts, [this] { Image1Click(); });
        guarded(ports_.prompts, [this, e] { Image1MouseUp(e->button()); });
        return true;
    }
    case QEvent::ContextMenu:
        // A mouse's request was answered at the press; the menu key's is not.
        if (static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Mouse)
            guarded(ports_.prompts, [this] { Image1ContextPopup(); });
        return true;
    default:
        return false;
    }
}

bool TForm1::scrollBoxMouseEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* e = static_cast<QMouseEvent*>(event);
        guarded(ports_.prompts, [this, e] { ScrollBox1MouseDown(e->button()); });
        return true;
    }
    case QEvent::MouseMove: {
        const auto* e = static_cast<QMouseEvent*>(event);
        guarded(ports_.prompts, [this, e] { ScrollBox1MouseMove(e->buttons()); });
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto* e = static_cast<QMouseEvent*>(event);
        guarded(ports_.prompts, [this, e] { ScrollBox1MouseUp(e->button()); });
        return true;
    }
    default:
        return false;
    }
}

} // namespace splot
