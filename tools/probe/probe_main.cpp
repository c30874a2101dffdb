// splot-probe: answers questions about the program's own readers and writers,
// for checks from scripts. Not installed with the program.
//   splot-probe COMMAND ARGS...
#include "ProbeCommands.h"

#include <array>
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

namespace {

using splot::probe::Command;

// Add a subcommand here and declare it in ProbeCommands.h.
constexpr std::array commands{
    Command{
        "ini-int", "FILE SECTION KEY DEFAULT",
        "prints the integer the settings reader reads for the key (DEFAULT where the rules give the default)",
        &splot::probe::iniInt},
    Command{"convert", "[PREV] IN OUT",
            "loads (PREV, then) IN as the program does and writes the canvas to OUT as the program saves it",
            &splot::probe::convert},
};

void printHelp(std::ostream& out) {
    out << "usage: splot-probe COMMAND ARGS...\n";
    for (const Command& c : commands)
        out << "  " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
}

} // namespace

int main(int argc, char** argv) {
    // Under a file-size limit a write fails with EFBIG and is reported,
    // instead of the process ending in the middle of it.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc < 2) {
        printHelp(std::cerr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printHelp(std::cout);
        return 0;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& c : commands)
        if (name == c.name)
            return c.run(args, std::cout, std::cerr);
    std::cerr << "splot-probe: unknown command " << name << '\n';
    printHelp(std::cerr);
    return 2;
}
