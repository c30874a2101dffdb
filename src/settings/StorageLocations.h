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
    // False when the executable's folder could not be written and the user's
    // own folders are used instead.
    bool besideExecutable = true;
};

// Beside the executable whenever its folder is writable: the settings file is
// the executable's path with the extension ".ini", pictures are named after
// the executable's path without its extension. Otherwise (an install for all
// users, say) the settings file is $XDG_CONFIG_HOME/splot/splot.ini (the
// config home defaulting to $HOME/.config), and pictures go to the user's
// pictures folder ($XDG_PICTURES_DIR, else the XDG_PICTURES_DIR line of
// user-dirs.dirs in the config home, else $HOME/Pictures, else $HOME, taking
// the first that is an existing folder), under the executable's name without
// extension. Relative values of the variables are ignored, as the XDG rules
// ask. Without a usable home the executable's folder is kept: the writes then
// fail and say so, which is all that can be done.
StorageLocations storageLocations(const std::string& executablePath, const EnvironmentLookup& environment,
                                  bool executableFolderWritable);

// The same, with the executable's folder actually tested.
StorageLocations storageLocations(const std::string& executablePath, const EnvironmentLookup& environment);
// The same, with the process's environment.
StorageLocations storageLocations(const std::string& executablePath);

// Creates the folders leading to the settings file when they are missing (the
// first write to $XDG_CONFIG_HOME/splot). A failure is left for the write to
// report.
void createSettingsFolder(const std::string& settingsFile);

} // namespace splot
