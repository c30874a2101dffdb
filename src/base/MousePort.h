#pragma once

namespace splot {

// The pointer in canvas coordinates (x right, y up from the bottom edge) and
// the held buttons, read at the moment of the call.
class MousePort {
public:
    virtual ~MousePort() = default;
    virtual int getXMouse() = 0;
    virtual int getYMouse() = 0;
    virtual bool leftButtonHeld() = 0;
    virtual bool rightButtonHeld() = 0;
};

} // namespace splot
