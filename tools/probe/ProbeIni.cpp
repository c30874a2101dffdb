#include "ProbeCommands.h"

#include "settings/IniFile.h"

#include <ostream>

namespace splot::probe {

int iniInt(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 4) {
        err << "usage: splot-probe ini-int FILE SECTION KEY DEFAULT\n";
        return 2;
    }
    const std::optional<int> def = parseIniInteger(args[3]);
    if (!def) {
        err << "splot-probe: DEFAULT must be a 32-bit integer, not " << args[3] << '\n';
        return 2;
    }
    out << IniFile::load(args[0]).readInteger(args[1], args[2], *def) << '\n';
    return 0;
}

} // namespace splot::probe
