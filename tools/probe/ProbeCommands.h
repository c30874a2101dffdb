#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace splot::probe {

// A subcommand gets its arguments (after its name) and returns the exit
// status: 0 on success, 2 for a usage error (after printing the usage to err).
struct Command {
    const char* name;
    const char* usage; // the arguments, for the help text
    const char* summary;
    int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

// ini-int FILE SECTION KEY DEFAULT
int iniInt(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// convert [PREV] IN OUT: loads (PREV, then) IN with the program's load rules
// into a canvas and writes the canvas to OUT as a save writes it (complete or
// not at all; an earlier OUT stays when the write fails). Exit 1 with the
// message on standard error when a load is refused or the write fails; with
// PREV the canvas is written in any case.
int convert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace splot::probe
