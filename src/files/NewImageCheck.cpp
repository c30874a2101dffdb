#include "files/NewImageCheck.h"

#include "base/Limits.h"

#include <cstdint>
#include <limits>

namespace splot {

bool parseDecimalInt(const std::string& text, int& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return false;
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        v = v * 10 + (text[i] - '0');
        if (v > std::int64_t{std::numeric_limits<int>::max()} + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(v);
    return true;
}

std::string BuildError(const std::string& text, const std::string& piece) {
    return text + "\r\n" + piece;
}

NewImageCheck CheckNew(const std::string& widthText, const std::string& heightText) {
    NewImageCheck result;
    std::string& errors = result.errors;
    const std::string widthHint =
        "Please enter an integer in the range 1 to " + std::to_string(maxImageWidth) + " for the width.";
    const std::string heightHint =
        "Please enter an integer in the range 1 to " + std::to_string(maxImageHeight) + " for the height.";
    auto notAnInteger = [](const std::string& text) { return "'" + text + "' is not a valid integer value"; };

    if (!parseDecimalInt(widthText, result.width)) {
        errors = BuildError(errors, "WIDTH ERROR: " + notAnInteger(widthText));
        errors = BuildError(errors, "WIDTH ERROR: " + widthHint + "\r\n");
    } else if (result.width < 1 || result.width > maxImageWidth) {
        errors = BuildError(errors, "WIDTH ERROR: " + widthHint + "\r\n");
    }
    if (!parseDecimalInt(heightText, result.height)) {
        errors = BuildError(errors, "HEIGHT ERROR: " + notAnInteger(heightText));
        errors = BuildError(errors, "HEIGHT ERROR: " + heightHint);
    } else if (result.height < 1 || result.height > maxImageHeight) {
        errors = BuildError(errors, "HEIGHT ERROR: " + heightHint);
    }
    return result;
}

} // namespace splot
