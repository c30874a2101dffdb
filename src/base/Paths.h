#pragma once

#include <optional>
#include <string>

namespace splot {

class Paths {
public:
    virtual ~Paths() = default;
    // Full path of the running executable; the settings file and saved
    // pictures are named after it.
    virtual std::string executablePath() = 0;
    virtual std::string currentFolder() = 0;
    // Makes folder the process's working folder (a file chosen in the open
    // dialog makes its folder the one the next dialog starts in).
    virtual void setCurrentFolder(const std::string& folder) = 0;
    // The environment variable's value, or nothing when it is unset (HOME and
    // the XDG folders, used when the executable's folder is read-only).
    virtual std::optional<std::string> environment(const std::string& name) = 0;
};

} // namespace splot
