// TForm1: mouse strokes on the image and the scroll box, the brush outline
// under the pointer, the cursor, and the 3D depth.
//
// A stroke: press -> undo snapshot; each move with the left button held ->
// outline, one stamp, drift, outline; release over the image -> click stamp,
// then MouseUp resets the drift and the action coverage.
#include "app/splot.h"

#include "app/dialogs/splot3doptions.h"
#include "paint/Stroke.h"

#include <QApplication>
#include <QLabel>
#include <QSlider>
#include <QStatusBar>

namespace splot {

void TForm1::Image1MouseDown(Qt::MouseButton) {
    // Any button: the right one adds a shape corner, and still snapshots.
    history_.MakeUndoFromRows();
}

void TForm1::ScrollBox1MouseDown(Qt::MouseButton button) {
    Image1MouseDown(button);
}

void TForm1::Image1MouseMove(Qt::MouseButtons held) {
    const DisplayBatch batch(canvas_); // one screen update for the whole move
    StrokeState& stroke = state_.stroke;
    stroke.brushOutlineShown = true;
    KMingo previous(stroke.lastMouseX, stroke.lastMouseY);
    stroke.lastMouseX = getXMouse();
    stroke.lastMouseY = getYMouse();
    const KMingo current(stroke.lastMouseX, stroke.lastMouseY);

    // The path from the previous position is walked in one step: a drag
    // stamps once per event, at the pointer, without filling in between.
    constexpr int steps = 1;
    const double stepX = (current.getX() - previous.getX()) / steps;
    const double stepY = (current.getY() - previous.getY()) / steps;

    const bool left = held.testFlag(Qt::LeftButton);
    const bool right = held.testFlag(Qt::RightButton);
    if (!left) {
        setCursorHidden(false);
    } else if (!right) {
        setCursorHidden(true);
        for (int step = 1; step <= steps; ++step) {
            previous.MovePoint(previous.getX() + stepX, previous.getY() + stepY);
            painter_.BrushDisplay(previous);
            painter_.DrawOnImage(previous, state_.paint.penWidth, step == steps);
        }
        UpdateBrushVariables(state_.paint, stroke);
        if (stroke.canvasTouched) {
            stroke.canvasTouched = false;
            ShowStatus(state_.shell.unsavedChangesText);
        }
    }
    // Both buttons held: no stamp, and the cursor keeps its shape.
    painter_.BrushDisplay(current);
}

void TForm1::ScrollBox1MouseMove(Qt::MouseButtons held) {
    Image1MouseMove(held);
}

void TForm1::Image1MouseUp(Qt::MouseButton) {
    MouseUp();
}

void TForm1::ScrollBox1MouseUp(Qt::MouseButton button) {
    Image1MouseUp(button);
}

void TForm1::Image1Click() {
    // The picture counts as changed even when this stamp misses the canvas.
    ShowStatus(state_.shell.unsavedChangesText);
    const KMingo pen(getXMouse(), getYMouse());
    painter_.DrawOnImage(pen, state_.paint.penWidth, true);
}

void TForm1::MouseUp() {
    if (state_.colour.drawWithAction)
        canvas_.clearCoverage();
    ResetBrushVariables(state_.stroke);
}

void TForm1::Panel2MouseMove() {
    if (state_.stroke.brushOutlineShown) {
        RefreshPicture(); // takes the outline off the screen
        state_.stroke.brushOutlineShown = false;
    }
    setCursorHidden(false);
}

void TForm1::setCursorHidden(bool hidden) {
    if (hidden == cursorHidden_)
        return;
    if (hidden)
        QApplication::setOverrideCursor(Qt::BlankCursor);
    else
        QApplication::restoreOverrideCursor();
    cursorHidden_ = hidden;
}

int TForm1::getXMouse() {
    return ports_.mouse->getXMouse();
}

int TForm1::getYMouse() {
    return ports_.mouse->getYMouse();
}

void TForm1::ShowBrush() {
    const KMingo pen(getXMouse(), getYMouse());
    painter_.BrushDisplay(pen);
}

void TForm1::Update3dDepth(int delta) {
    QSlider* depthSlider = frm3dOptions != nullptr ? frm3dOptions->tbDepth3d : nullptr;
    if (depthSlider != nullptr) {
        const int width = tbW->value() + delta;
        const int depth = depthSlider->value() + delta;
        if (state_.paint.linkPenToDepth) {
            // Width and depth move together or not at all.
            if (width >= tbW->minimum() && width <= tbW->maximum() && depth >= depthSlider->minimum() &&
                depth <= depthSlider->maximum()) {
                tbW->setValue(width);
                depthSlider->setValue(depth);
            }
        } else {
            depthSlider->setValue(depth); // clamps to -100..100
        }
    }
    if (state_.paint.draw3d) {
        statusDepthPanel->setText(QStringLiteral("3D depth: ") + QString::number(state_.paint.depth3d));
        StatusBar1->repaint();
    }
}

void TForm1::SetStatus3d() {
    if (state_.paint.draw3d)
        Update3dDepth(0);
    else
        statusDepthPanel->clear();
}

void TForm1::Drawin3D1Click() {
    state_.paint.draw3d = !state_.paint.draw3d;
    SetStatus3d();
}

void TForm1::BringTowardsYou1Click() {
    if (state_.paint.draw3d)
        Update3dDepth(+1);
}

void TForm1::MoveAway1Click() {
    if (state_.paint.draw3d)
        Update3dDepth(-1);
}

} // namespace splot
