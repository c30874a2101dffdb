#pragma once

#include <string>

namespace splot {

// The image options dialog's check of the two size fields.
struct NewImageCheck {
    // The report to show, one problem block per field; empty when both sizes
    // are good. Every report begins with a line break, and an empty line
    // separates the width block from the height block.
    std::string errors;
    int width = 0;
    int height = 0;
    bool ok() const { return errors.empty(); }
};

// Reads the fields as typed: a decimal 32-bit integer with an optional sign,
// nothing else (no blanks, no fraction); each must lie in 1..5000.
NewImageCheck CheckNew(const std::string& widthText, const std::string& heightText);

// text + CR LF + piece, also when text is empty.
std::string BuildError(const std::string& text, const std::string& piece);

// Converts a field's text to a 32-bit integer; false when it is not one.
bool parseDecimalInt(const std::string& text, int& value);

} // namespace splot
