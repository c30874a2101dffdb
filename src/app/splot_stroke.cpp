// TForm1: mouse strokes on the image and the scroll box, the brush outline
// under the pointer, the cursor, and the 3D depth.
//
// A stroke: press -> undo snapshot; each move with the left button held ->
// outline, one stamp, drift, outline; release over the image -> click stamp,
// then MouseUp resets the drift and the action coverage.
#include "app/splot.h"

#include "app/dialogs/splot3doptions.h"

#include <QLabel>
#include <QSlider>
#include <QStatusBar>

namespace splot {

void TForm1::Image1MouseDown(Qt::MouseButton) {
    session_.imageMouseDown();
}

void TForm1::ScrollBox1MouseDown(Qt::MouseButton button) {
    Image1MouseDown(button);
}

void TForm1::Image1MouseMove(Qt::MouseButtons held) {
    const bool left = held.testFlag(Qt::LeftButton);
    const bool right = held.testFlag(Qt::RightButton);
    session_.imageMouseMove(left    ? (right ? HeldButtons::LeftAndRight : HeldButtons::Left)
                            : right ? HeldButtons::Right
                                    : HeldButtons::None);
}

void TForm1::ScrollBox1MouseMove(Qt::MouseButtons held) {
    Image1MouseMove(held);
}

void TForm1::Image1MouseUp(Qt::MouseButton) {
    session_.imageMouseUp();
}

void TForm1::ScrollBox1MouseUp(Qt::MouseButton button) {
    Image1MouseUp(button);
}

void TForm1::Image1Click() {
    session_.imageClick();
}

void TForm1::MouseUp() {
    session_.MouseUp();
}

void TForm1::Panel2MouseMove() {
    session_.pointerLeftPicture();
}

int TForm1::getXMouse() {
    return ports_.mouse->getXMouse();
}

int TForm1::getYMouse() {
    return ports_.mouse->getYMouse();
}

void TForm1::ShowBrush() {
    session_.ShowBrush();
}

// Width and depth sliders belong to two windows; with the link on they move
// together or not at all, without it the depth slider clamps.
void TForm1::Update3dDepth(int delta) {
    if (frm3dOptions != nullptr) {
        const int width = tbW->value() + delta;
        const int depth = frm3dOptions->depthPosition() + delta;
        if (!state_.paint.linkPenToDepth) {
            frm3dOptions->moveDepth(depth);
        } else if (width >= tbW->minimum() && width <= tbW->maximum() && frm3dOptions->depthInRange(depth)) {
            tbW->setValue(width);
            frm3dOptions->moveDepth(depth);
        }
    }
    if (state_.paint.draw3d) {
        session_.showDepthStatus();
        StatusBar1->repaint();
    }
}

void TForm1::SetStatus3d() {
    if (state_.paint.draw3d)
        Update3dDepth(0);
    else
        session_.showDepthStatus(); // empties the depth panel
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
