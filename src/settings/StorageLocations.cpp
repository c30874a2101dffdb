#include "settings/StorageLocations.h"

#include "settings/SettingsFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace splot {

namespace fs = std::filesystem;

namespace {

// An absolute path from the variable, or nothing.
std::optional<std::string> absoluteVariable(const EnvironmentLookup& environment, const std::string& name) {
    std::optional<std::string> value = environment(name);
    if (!value || value->empty() || value->front() != '/')
        return std::nullopt;
    return value;
}

bool isFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

// A value of user-dirs.dirs: "$HOME/Pictures" or an absolute path, in double
// quotes. "$HOME" alone means the home folder itself.
std::optional<std::string> expandUserDir(std::string value, const std::string& home) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/'))
        return home + value.substr(5);
    if (!value.empty() && value.front() == '/')
        return value;
    return std::nullopt;
}

// The XDG_PICTURES_DIR line of configHome/user-dirs.dirs, where desktops keep
// the user's folder names.
std::optional<std::string> picturesFromUserDirs(const std::string& configHome, const std::string& home) {
    std::ifstream in(configHome + "/user-dirs.dirs");
    std::string line;
    for (int lines = 0; lines < 1000 && std::getline(in, line); ++lines) {
        const auto begin = line.find_first_not_of(" \t");
        if (begin == std::string::npos || line[begin] == '#')
            continue;
        const std::string_view rest = std::string_view(line).substr(begin);
        const std::string_view key = "XDG_PICTURES_DIR=";
        if (rest.substr(0, key.size()) != key)
            continue;
        std::string value(rest.substr(key.size()));
        value.erase(value.find_last_not_of(" \t\r") + 1);
        return expandUserDir(value, home);
    }
    return std::nullopt;
}

std::string withoutExtension(const std::string& path) {
    fs::path p(path);
    p.replace_extension();
    return p.string();
}

} // namespace

std::optional<std::string> systemEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

bool folderIsWritable(const std::string& folder) {
    return isFolder(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool runsInstalled(const std::string& executablePath) {
    std::error_code ec;
    return !executablePath.empty() &&
           fs::is_regular_file(fs::path(executablePath).parent_path() / installMarker, ec);
}

StorageLocations storageLocations(const std::string& executablePath, const EnvironmentLookup& environment,
                                  bool keepBesideExecutable) {
    StorageLocations beside{settingsFilePath(executablePath), withoutExtension(executablePath), true};
    if (executablePath.empty() || keepBesideExecutable)
        return beside;
    const std::optional<std::string> home = absoluteVariable(environment, "HOME");
    if (!home)
        return beside;

    const std::string configHome =
        absoluteVariable(environment, "XDG_CONFIG_HOME").value_or(*home + "/.config");
    std::optional<std::string> chosen = absoluteVariable(environment, "XDG_PICTURES_DIR");
    if (!chosen)
        chosen = picturesFromUserDirs(configHome, *home);
    std::string pictures = *home;
    for (const std::string& folder : {chosen.value_or(*home + "/Pictures"), *home + "/Pictures"}) {
        std::error_code ec;
        if (!isFolder(folder))
            fs::create_directories(folder, ec);
        if (isFolder(folder)) {
            pictures = folder;
            break;
        }
    }

    const std::string name = fs::path(executablePath).stem().string();
    return StorageLocations{configHome + "/splot/splot.ini", (fs::path(pictures) / name).string(), false};
}

StorageLocations storageLocations(const std::string& executablePath, const EnvironmentLookup& environment) {
    const std::string folder = fs::path(executablePath).parent_path().string();
    const bool keepBeside = !runsInstalled(executablePath) && folderIsWritable(folder.empty() ? "." : folder);
    return storageLocations(executablePath, environment, keepBeside);
}

StorageLocations storageLocations(const std::string& executablePath) {
    return storageLocations(executablePath, systemEnvironment);
}

void createSettingsFolder(const std::string& settingsFile) {
    const fs::path folder = fs::path(settingsFile).parent_path();
    std::error_code ec;
    if (!folder.empty())
        fs::create_directories(folder, ec);
}

} // namespace splot
