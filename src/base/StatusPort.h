#pragma once

#include <string>

namespace splot {

// The three panels of the status bar, owned by the shell's status bar.
// Panel 0 shows messages and the unsaved-changes marker, panel 1 the drawing
// mode, panel 2 the 3D depth.
class StatusPort {
public:
    virtual ~StatusPort() = default;
    // Shows text in the panel (0..2) at once.
    virtual void showPanel(int panel, const std::string& text) = 0;
};

} // namespace splot
