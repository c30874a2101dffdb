// TForm1: every binding of a control or mouse event to its handler, in one
// place (the menu items are wired by the menu table that builds them). Every handler runs inside the
// top-level handler.
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
