#pragma once

#include "app/AppPorts.h"

#include <memory>

namespace splot {

class TForm1;

// Creates the seven windows of the program, once, in this order: the main
// window (its FormCreate reads the settings and builds the canvas before any
// other window exists), then hidden: shape options, About box, circle
// options, 3D options, brush options, image options. Each option dialog's
// FormCreate brings its controls in line with the settings just read. The
// dialogs belong to the main window and live until it goes.
std::unique_ptr<TForm1> createWindows(const AppPorts& ports);

} // namespace splot
