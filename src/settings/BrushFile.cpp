#include "settings/BrushFile.h"

#include "settings/IniFile.h"

#include <array>
#include <filesystem>

namespace splot {

FileDialogRequest loadBrushRequest() {
    return FileDialogRequest{.title = loadBrushTitle,
                             .initialFolder = ".",
                             .filter = brushFileFilter,
                             .defaultExtension = {},
                             .mustExist = true};
}

FileDialogRequest saveBrushRequest(const std::string& currentFolder) {
    return FileDialogRequest{.title = saveBrushTitle,
                             .initialFolder = currentFolder,
                             .filter = brushFileFilter,
                             .defaultExtension = brushFileExtension,
                             .mustExist = false};
}

std::string withDefaultExtension(const std::string& path, std::string_view extension) {
    if (path.empty() || extension.empty())
        return path;
    const std::filesystem::path name = std::filesystem::path(path).filename();
    // A path ending in a separator names no file: leave it for the write to refuse.
    if (name.empty() || name == "." || name == ".." || name.has_extension())
        return path;
    return path + "." + std::string(extension);
}

std::string overwriteQuestion(const std::string& path) {
    return "Do you want to overwrite \r\n" + path + "?";
}

std::optional<SettingsReadResult> readBrushFile(const std::string& path, SplotState& state) {
    // One read of the file for both sections, so they come from the same text.
    const IniFile ini = IniFile::load(path);
    if (!ini.hasSection("brush") && !ini.hasSection("main"))
        return std::nullopt;
    SettingsReadResult result;
    readSettings(ini, "brush", state, result);
    readSettings(ini, "main", state, result);
    result.brushLoaded = true;
    return result;
}

std::string notABrushMessage(const std::string& path) {
    return "file: \r\n" + path + "  is not a SPLOT brush file";
}

std::optional<std::string> writeBrushFile(const std::string& path, const SplotState& state) {
    const std::array<std::string, 2> sections{"brush", "main"};
    return writeSettingsFile(path, sections, state);
}

} // namespace splot
