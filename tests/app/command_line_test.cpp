#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace splot {
namespace {

TEST(CommandLine, ParsesOptionsAndOneFile) {
    const struct {
        std::vector<std::string> args;
        bool help;
        bool version;
        std::optional<std::string> file;
        std::size_t errors;
    } cases[] = {
        {{}, false, false, std::nullopt, 0},
        {{"/home/me/pic.png"}, false, false, "/home/me/pic.png", 0},
        {{"--help"}, true, false, std::nullopt, 0},
        {{"-h"}, true, false, std::nullopt, 0},
        {{"--version"}, false, true, std::nullopt, 0},
        {{"pic.bmp", "--version", "--help"}, true, true, "pic.bmp", 0},
        {{"--bogus", "pic.png"}, false, false, "pic.png", 1},
        {{"-x", "--help=1", "-hv"}, false, false, std::nullopt, 3},
        {{"a.png", "b.png", "c.png"}, false, false, "a.png", 2},
        // After "--" everything is a file name; "-" alone is one too.
        {{"--", "--help"}, false, false, "--help", 0},
        {{"-"}, false, false, "-", 0},
        {{"--", "a", "--", "b"}, false, false, "a", 2},
        {{""}, false, false, std::nullopt, 1},
    };
    for (const auto& c : cases) {
        const CommandLine r = parseCommandLine(c.args);
        std::string shown;
        for (const auto& a : c.args)
            shown += "[" + a + "]";
        EXPECT_EQ(r.help, c.help) << shown;
        EXPECT_EQ(r.version, c.version) << shown;
        EXPECT_EQ(r.file, c.file) << shown;
        EXPECT_EQ(r.errors.size(), c.errors) << shown;
    }
}

TEST(CommandLine, MessagesNameTheOffendingArgument) {
    const char* argv[] = {"splot", "--bogus", "a.png", "b.png"};
    const CommandLine r = parseCommandLine(4, argv);
    ASSERT_EQ(r.errors.size(), 2u);
    EXPECT_EQ(r.errors[0], "splot: unknown option '--bogus' ignored (splot --help lists the options)");
    EXPECT_EQ(r.errors[1], "splot: only one picture can be opened; 'b.png' was ignored");
    EXPECT_EQ(r.file, "a.png");
    EXPECT_EQ(versionText(), "SPLOT " SPLOT_VERSION "\n");
    EXPECT_EQ(helpText().rfind("Usage: splot [OPTION] [FILE]\n", 0), 0u);
}

} // namespace
} // namespace splot
