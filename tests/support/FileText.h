#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace splot::test {

// Whole-file reads and writes for tests, byte for byte.
inline std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeAll(const std::filesystem::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

} // namespace splot::test
