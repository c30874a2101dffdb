#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace splot {

// What the command line asks for. The program takes one optional picture to
// open at start-up (what a desktop's "Open with" passes) and the options
// --help (-h) and --version; anything else is reported and otherwise ignored,
// so a mistyped option never stops the program from starting.
struct CommandLine {
    bool help = false;
    bool version = false;
    std::optional<std::string> file;
    // One line each, for standard error.
    std::vector<std::string> errors;
};

// args without the program's own name. "--" ends the options: what follows
// is a file name even when it begins with "-".
CommandLine parseCommandLine(std::span<const std::string> args);
CommandLine parseCommandLine(int argc, const char* const* argv);

// The texts printed for --help and --version, each ending in a line end.
std::string helpText();
std::string versionText();

} // namespace splot
