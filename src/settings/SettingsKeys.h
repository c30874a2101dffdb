#pragma once

#include "base/SplotState.h"

#include <array>
#include <span>
#include <string_view>

namespace splot {

enum class SettingType { Int, Flag };

// One key of the settings file. Flags are stored as the integers 1 and 0 and
// read as true when not 0; their get/set use 1 and 0.
struct SettingKey {
    std::string_view section;
    std::string_view key;
    SettingType type;
    int defaultValue;
    // When clamped, a value read is brought into low..high: mostly the range
    // of the control that holds the setting. Values outside it would otherwise
    // stay in force whenever the control already stood at the clamped
    // position, and some of them size loops (number of circle points). The
    // brush widths of "main" are the exception: see the key table.
    bool clamped;
    int low;
    int high;
    int writeRank; // position of the key within its section when written
    int (*get)(const SplotState&);
    void (*set)(SplotState&, int);
};

// The sections in the order they are read and written.
inline constexpr std::array<std::string_view, 6> settingsSections{"3D",    "brush", "circle",
                                                                  "image", "shape", "main"};

// Every key of the settings file, section by section in the order above, and
// within a section in the order the keys are read. Brush files hold the
// "brush" and "main" sections of the same table.
std::span<const SettingKey> settingsKeys();

// The keys of one section in the order they are written.
std::span<const SettingKey* const> settingsKeysInWriteOrder(std::string_view section);

} // namespace splot
