#include "app/CommandLine.h"
#include "files/PngWriter.h"
#include "support/FileText.h"
#include "support/GuiRig.h"

#include <QPushButton>

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

namespace splot::test {
namespace {

// `splot FILE` at the end of start-up: a good file loads, a bad one is
// reported in the error box, a missing one gets the load's own warning; the
// program runs on in every case. Command-line problems are shown too.
TEST(CommandLineStart, GoodBadAndMissingFiles) {
    GuiRig rig;
    TForm1& f = *rig.form;
    const std::uint8_t bgr[6] = {1, 2, 3, 4, 5, 6};
    const std::string good = (rig.paths.folder / "two.png").string();
    writeAll(good, encodePng(bgr, 2, 1, 6));
    f.startWith({"splot: unknown option --frobnicate"}, good);
    EXPECT_EQ(rig.prompts.texts("message"), std::vector<std::string>{"splot: unknown option --frobnicate"});
    EXPECT_EQ(f.canvas().imageWidth(), 2);
    EXPECT_EQ(f.canvas().pixel(1, 0), (BgrPixel{4, 5, 6}));
    EXPECT_TRUE(f.btnRevert->isEnabled());

    const std::string bad = (rig.paths.folder / "bad.bmp").string();
    writeAll(bad, "BM not really");
    f.startWith({}, bad);
    EXPECT_EQ(rig.prompts.texts("error").size(), 1U);
    EXPECT_EQ(f.canvas().imageWidth(), 2);

    const std::string missing = (rig.paths.folder / "gone.png").string();
    f.startWith({}, missing);
    EXPECT_EQ(rig.prompts.texts("warning").back(), "file: \r\n" + missing + "  does not exist");
    EXPECT_EQ(f.canvas().imageWidth(), 2);
}

} // namespace
} // namespace splot::test
