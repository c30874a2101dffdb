// TForm1: the autonomous drawing commands (circles and shapes).
#include "app/splot.h"

namespace splot {

void TForm1::Button2Click() {
    session_.DrawCircle();
}

void TForm1::DrawShapes1Click() {
    session_.DrawShapes();
}

void TForm1::Kill1Click() {
    session_.Kill();
}

// A context-menu request over the image: the pointer becomes a corner of the
// current shape. No menu is shown and the status bar is not touched.
void TForm1::Image1ContextPopup() {
    session_.addCornerAtPointer();
}

} // namespace splot
