// Feeds arbitrary bytes to the settings-file reader and writer: reads keys,
// writes some back and checks that the text still reads the values written.
#include "settings/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    splot::IniFile ini = splot::IniFile::fromText(text);
    (void)ini.readInteger("main", "red", 0);
    (void)ini.readFlag("Brush", "square", false);
    (void)splot::parseIniInteger(text.substr(0, 64));
    ini.writeInteger("main", "red", 12345);
    ini.writeString("new section", "key", "value");
    const splot::IniFile again = splot::IniFile::fromText(ini.text());
    if (again.readInteger("MAIN", "Red", 0) != 12345 || again.value("new section", "KEY") != "value")
        std::abort();
    return 0;
}
