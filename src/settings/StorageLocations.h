#pragma once

#include <functional>
#include <optional>
#include <string>

namespace splot {

// Looks up an environment variable: its value, or nothing when it is unset.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The process's own environment.
std::optional<std::string> systemEnvironment(const std::string& name);

// True when the folder exists and this process may create files in it.
bool folderIsWritable(const std::string& folder);

// Where the settings file and saved pictures go.
struct StorageLocations {
    // Full path of the settings file.
    std::string settingsFile;
    // A saved picture is this prefix followed by the time stamp and ".png".
    std::string picturePrefix;
    // False when the user's own folders are used instead of the executable's.
    bool besideExecutable = true;
};

// The file an install puts down (cmake --install, the package) and nothing
// else does, relative to the executable's folder: share/splot/ beside bin/.
inline constexpr const char* installMarker = "../share/splot/installed";

// True when the executable runs as installed: the install marker exists.
bool runsInstalled(const std::string& executablePath);

// With keepBesideExecutable, beside the executable: the settings file is the
// executable's path with the extension ".ini", pictures are named after the
// executable's path without its extension. Otherwise the settings file is
// $XDG_CONFIG_HOME/splot/splot.ini (the config home defaulting to
// $HOME/.config), and pictures go to the user's pictures folder
// ($XDG_PICTURES_DIR, else the XDG_PICTURES_DIR line of user-dirs.dirs in the
// config home, else $HOME/Pictures), created when missing; when it cannot be
// created, $HOME/Pictures, then $HOME itself. Pictures keep the executable's
// name without extension. Relative values of the variables are ignored, as the
// XDG rules ask. Without a usable home the executable's folder is kept: the
// writes then fail and say so, which is all that can be done.
StorageLocations storageLocations(const std::string& executablePath, const EnvironmentLookup& environment,
                                  bool keepBesideExecutable);

// The same, beside the executable for a copy run where it was built or copied
// to, as long as that folder can be written; in the user's folders for an
// installed copy and for one in a folder it cannot write.
StorageLocations storageLocations(const std::string& executablePath, const EnvironmentLookup& environment);
// The same, with the process's environment.
StorageLocations storageLocations(const std::string& executablePath);

// Creates the folders leading to the settings file when they are missing (the
// first write to $XDG_CONFIG_HOME/splot). A failure is left for the write to
// report.
void createSettingsFolder(const std::string& settingsFile);

} // namespace splot
