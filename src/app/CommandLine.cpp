#include "app/CommandLine.h"

namespace splot {

CommandLine parseCommandLine(std::span<const std::string> args) {
    CommandLine c;
    bool optionsEnded = false;
    for (const std::string& a : args) {
        const bool isOption = !optionsEnded && a.size() > 1 && a.front() == '-';
        if (isOption && a == "--") {
            optionsEnded = true;
        } else if (isOption && (a == "--help" || a == "-h")) {
            c.help = true;
        } else if (isOption && a == "--version") {
            c.version = true;
        } else if (isOption) {
            c.errors.push_back("splot: unknown option '" + a + "' ignored (splot --help lists the options)");
        } else if (a.empty()) {
            c.errors.push_back("splot: an empty file name was ignored");
        } else if (c.file) {
            c.errors.push_back("splot: only one picture can be opened; '" + a + "' was ignored");
        } else {
            c.file = a;
        }
    }
    return c;
}

CommandLine parseCommandLine(int argc, const char* const* argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i] ? argv[i] : "");
    return parseCommandLine(args);
}

std::string helpText() {
    return "Usage: splot [OPTION] [FILE]\n"
           "A small painting program: paint with the mouse, or let the pens wander.\n"
           "\n"
           "  FILE         a PNG or BMP picture to open at start-up\n"
           "  -h, --help   show this help and exit\n"
           "  --version    show the version and exit\n"
           "\n"
           "An installed copy keeps its settings in $XDG_CONFIG_HOME/splot/splot.ini\n"
           "(~/.config/splot/splot.ini) and saves pictures in your pictures folder.\n"
           "A copy run from its build folder, or from wherever it was copied, keeps\n"
           "both beside itself while that folder can be written.\n";
}

std::string versionText() {
    return "SPLOT " SPLOT_VERSION "\n";
}

} // namespace splot
