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
           "Settings are kept in an .ini file beside the program, and saved pictures\n"
           "beside it too. When that folder cannot be written, the settings go to\n"
           "$XDG_CONFIG_HOME/splot/splot.ini (~/.config/splot/splot.ini) and the\n"
           "pictures to your pictures folder.\n";
}

std::string versionText() {
    return "SPLOT " SPLOT_VERSION "\n";
}

} // namespace splot
