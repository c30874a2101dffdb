#pragma once

#include "base/Prompts.h"
#include "base/SplotState.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace splot {

// The settings file: the executable's path with its extension replaced by
// ".ini" ("/opt/splot/splot" gives "/opt/splot/splot.ini").
std::string settingsFilePath(const std::string& executablePath);

// What was read, for the window to bring its controls in line.
struct SettingsReadResult {
    // Plain messages (OK button) to show, in this order, before the controls move.
    std::vector<std::string> messages;
    // True when the "main" section was selected. The window then moves tbR,
    // tbG and tbB to state.sliders.red/green/blue, tbIntensity and tbFuzziness
    // to state.sliders.intensity/fuzziness and tbSpeckly to paint.speckly,
    // sets the three value labels, computes intensity and fuzziness from the
    // slider positions, brings cbFuzzy and cbSquareBrush in line with
    // paint.fuzzy and paint.squareBrush (flipping the flag back after a flip),
    // and updates the mode panel and the swatch. Every one of these values is
    // already inside its slider's range, so moving the sliders changes none.
    bool mainRead = false;
    // True for a brush file: after the above the window moves tbW to penWidth
    // (clamped by the slider), shows the depth panel and brings the brush
    // options dialog in line.
    bool brushLoaded = false;
};

inline constexpr const char* imageHeightMessage =
    "Problem with image height from ini file...\r\nSetting height to 600";
inline constexpr const char* imageWidthMessage =
    "Problem with image width from ini file...\r\nSetting width to 600";

// True when the selector picks the section: "all", or exactly its name
// (letter case counts).
bool sectionSelected(const std::string& selector, std::string_view section);

// Reads the selected sections into state, in the fixed section order, each
// key by the format's rules with its default, then clamped into the range of
// its control where it has a fixed one. An image height or width outside
// 1..5000 is replaced by 600 and reported in result.messages. The slider
// positions of the state are set from "main" only.
void readSettings(const IniFile& ini, const std::string& selector, SplotState& state,
                  SettingsReadResult& result);

// Writes every key of the selected sections into ini, in the write order,
// from state (the slider-position keys from state.sliders). Nothing is
// validated.
void writeSettings(IniFile& ini, const std::string& selector, const SplotState& state);

// ReadIniFile's engine: reads the file at path (a missing or unreadable file
// gives every key its default).
SettingsReadResult readSettingsFile(const std::string& path, const std::string& selector, SplotState& state);

// WriteIniFile's engine: updates the selected sections of the file at path,
// keeping every other line, and replaces the file only once the new one is
// complete. Returns nothing on success, else the error text "Unable to write
// to " + path; the file is then unchanged. A file that exists but could not
// be read is never overwritten, since its other lines would be lost.
std::optional<std::string> writeSettingsFile(const std::string& path, const std::string& selector,
                                             const SplotState& state);

// The same for several selectors, applied in the order given, with one
// replacement of the file: either every selected section is written or the
// file is left as it was.
std::optional<std::string> writeSettingsFile(const std::string& path, std::span<const std::string> selectors,
                                             const SplotState& state);

inline constexpr const char* quitWithoutSettingsQuestion =
    "The settings could not be saved.\r\nQuit anyway? (Your settings will be lost.)";

// Exit after the settings were written (writeError empty): true. Otherwise
// shows writeError in an error box and asks whether to quit anyway (Yes/No);
// true only for Yes. The program must stay usable when its folder can never
// be written, so the user is never trapped.
bool mayQuitAfterSettingsWrite(Prompts& prompts, const std::optional<std::string>& writeError);

} // namespace splot
