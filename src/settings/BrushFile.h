#pragma once

#include "base/Prompts.h"
#include "base/SplotState.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

#include <optional>
#include <string>
#include <string_view>

namespace splot {

// A brush file holds the "brush" and "main" sections of the settings-file
// format; any other content is ignored when read and kept when written.

inline constexpr const char* brushFileFilter = "SPLOT brushes (.spb)|*.spb";
inline constexpr const char* brushFileExtension = "spb";
inline constexpr const char* loadBrushTitle = "Load a SPLOT brush";
inline constexpr const char* saveBrushTitle = "Save Current Brush";

// Brush > Load's dialog: opens in the current working folder, the file must exist.
FileDialogRequest loadBrushRequest();
// Brush > Save's dialog, opening in currentFolder, with the default extension.
FileDialogRequest saveBrushRequest(const std::string& currentFolder);

// path with "." + extension appended when its file name has no extension of
// its own ("brush" gives "brush.spb"; "brush.old" and "brush.spb" stay). A
// name that is only a leading dot and a word (".brush") counts as having no
// extension. An empty path stays empty.
std::string withDefaultExtension(const std::string& path, std::string_view extension);

// The question asked before an existing file is replaced (Yes/No).
std::string overwriteQuestion(const std::string& path);

// LoadBrush's engine: reads "brush" and then "main" from one read of the file
// at path into state; a missing key gives its default. The result asks the
// window to bring its controls in line (brushLoaded and mainRead set). A file
// with neither section (empty, missing, unreadable, or some other file
// altogether) is no brush: nothing is read and nothing is returned.
std::optional<SettingsReadResult> readBrushFile(const std::string& path, SplotState& state);

// The plain message for a file that readBrushFile refused.
std::string notABrushMessage(const std::string& path);

// SaveBrush's engine: writes the "brush" and then the "main" section into the
// file at path, keeping every other line of an existing file byte for byte.
// All or nothing: on failure returns "Unable to write to " + path and the
// file is as it was.
std::optional<std::string> writeBrushFile(const std::string& path, const SplotState& state);

} // namespace splot
