#pragma once

namespace splot {

// The pointer's shape over the program's windows.
enum class CursorShape { Normal, Busy, Hidden };

class CursorPort {
public:
    virtual ~CursorPort() = default;
    // Makes shape the pointer's shape until the next call.
    virtual void showCursor(CursorShape shape) = 0;
};

} // namespace splot
