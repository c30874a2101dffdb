#include "base/AtomicFile.h"
#include "settings/SettingsFile.h"
#include "support/Fakes.h"
#include "support/FileText.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace splot {
namespace {

namespace fs = std::filesystem;
using test::readAll;
using test::writeAll;

SettingsReadResult readText(const std::string& text, const std::string& selector, SplotState& state) {
    SettingsReadResult result;
    readSettings(IniFile::fromText(text), selector, state, result);
    return result;
}

const char* const completeFile = "[3D]\n"
                                 "depth=0\nlinkpentodepth=0\nredstrength=60\nbluestrength=60\n"
                                 "[brush]\n"
                                 "intensifyspeed=0\nfuzzifyspeed=0\nspecklifyspeed=0\ngrowthspeed=0\n"
                                 "3ddepthspeed=0\nsmoothness=10\nuseintensify=0\nusespecklify=0\n"
                                 "usefuzzify=0\nusegrowth=0\nuse3ddepth=0\n"
                                 "[circle]\n"
                                 "numberofpoints=90\nwidth=150\nheight=150\npenwidth=30\nusepenwidth=0\n"
                                 "lockwidthheight=0\nforgetcenter=1\n"
                                 "[image]\n"
                                 "height=600\nwidth=600\n"
                                 "[shape]\n"
                                 "size=110\npoints=5\nflipperiness=5\nsectionlength=3\ndrawlots=0\n"
                                 "changecolors=0\nsemicircles=0\nflipper=0\n"
                                 "[main]\n"
                                 "red=255\ngreen=123\nblue=34\nwidth=30\npenwidth=30\nspeckly=100\nfuzzy=1\n"
                                 "square=0\ndraw3d=0\nbackgroundiswhite=1\nfuzziness=100\nintensity=100\n";

TEST(SettingsFile, PathIsTheExecutableWithTheExtensionIni) {
    EXPECT_EQ(settingsFilePath("/opt/splot/splot"), "/opt/splot/splot.ini");
    EXPECT_EQ(settingsFilePath("/opt/a.b/splot.bin"), "/opt/a.b/splot.ini");
}

TEST(SettingsFile, AMissingFileReadsTheDefaultsAndIsCreatedWholeInTheWriteOrder) {
    test::FakePaths paths;
    const std::string path = settingsFilePath(paths.executablePath());
    SplotState state;
    const SettingsReadResult read = readSettingsFile(path, "all", state);
    EXPECT_TRUE(read.messages.empty());
    EXPECT_TRUE(read.mainRead);
    EXPECT_EQ(state.colour.green, 123);
    EXPECT_EQ(state.sliders.blue, 34);
    EXPECT_EQ(state.paint.imageWidth, 600);
    EXPECT_FALSE(writeSettingsFile(path, "all", state));
    EXPECT_EQ(readAll(path), completeFile);
}

// Every key: set a value away from its default, write, read into a fresh state.
TEST(SettingsFile, EveryKeyRoundTrips) {
    SplotState state;
    int n = 0;
    for (const SettingKey& k : settingsKeys()) {
        const int v = k.type == SettingType::Flag ? 1 - k.defaultValue
                      : k.clamped ? (k.defaultValue == k.high ? k.high - 1 - n % 3 : k.high - n % 3)
                                  : 1000 + n;
        k.set(state, v);
        ++n;
    }
    IniFile ini;
    writeSettings(ini, "all", state);
    SplotState back;
    SettingsReadResult result;
    readSettings(IniFile::fromText(ini.text()), "all", back, result);
    for (const SettingKey& k : settingsKeys()) {
        EXPECT_EQ(k.get(back), k.get(state)) << k.section << "/" << k.key;
        EXPECT_NE(k.get(back), k.defaultValue) << k.section << "/" << k.key;
    }
    EXPECT_TRUE(result.messages.empty());
}

TEST(SettingsFile, ImageSizeOutsideTheLimitsIsReportedAndReplaced) {
    for (const char* bad : {"0", "-5", "5001"}) {
        SplotState state;
        const auto r =
            readText(std::string("[image]\nheight=") + bad + "\nwidth=" + bad + "\n", "all", state);
        EXPECT_EQ(r.messages, (std::vector<std::string>{
                                  "Problem with image height from ini file...\r\nSetting height to 600",
                                  "Problem with image width from ini file...\r\nSetting width to 600"}));
        EXPECT_EQ(state.paint.imageHeight, 600);
        EXPECT_EQ(state.paint.imageWidth, 600);
    }
    SplotState state;
    const auto r = readText("[image]\nheight=5000\nwidth=abc\n", "image", state);
    EXPECT_TRUE(r.messages.empty()); // abc reads as the valid default
    EXPECT_EQ(state.paint.imageHeight, 5000);
    EXPECT_EQ(state.paint.imageWidth, 600);
}

TEST(SettingsFile, ValuesBeyondTheirControlsAreClampedFlagsAreIntegers) {
    SplotState state;
    const auto r =
        readText("[main]\nred=300\ngreen=-4\npenwidth=2000000000\nwidth=0\nspeckly=500\n"
                 "intensity=500\nfuzziness=-3\nfuzzy=yes\nsquare=0x1\ndraw3d=-1\nbackgroundiswhite=0\n"
                 "[circle]\nnumberofpoints=99999999\npenwidth=5000\n[brush]\nsmoothness=35\n"
                 "growthspeed=250\n[3d]\ndepth=-1000\n",
                 "all", state);
    EXPECT_EQ(state.colour.red, 255);
    EXPECT_EQ(state.sliders.red, 255);
    EXPECT_EQ(state.sliders.green, 0);
    EXPECT_EQ(state.paint.penWidth, 10000); // widths keep what was read, within what a picture can use
    EXPECT_EQ(state.paint.brushWidth, 0);
    EXPECT_EQ(state.paint.speckly, 100);
    EXPECT_EQ(state.sliders.intensity, 100);
    EXPECT_EQ(state.sliders.fuzziness, 1);
    EXPECT_TRUE(state.paint.fuzzy); // a word gives the default
    EXPECT_TRUE(state.paint.squareBrush);
    EXPECT_TRUE(state.paint.draw3d);
    EXPECT_FALSE(state.paint.backgroundIsWhite);
    EXPECT_EQ(state.circle.circleNumberOfPoints, 720);
    EXPECT_EQ(state.circle.circlePenWidth, 1000);
    EXPECT_EQ(state.paint.smoothness, 35); // only stored, kept as it stands
    EXPECT_EQ(state.paint.growthSpeed, 100);
    EXPECT_EQ(state.paint.depth3d, -100);
}

TEST(SettingsFile, TheSelectorIsExactAndPicksItsSectionsOnly) {
    const std::string text = "[main]\nred=9\n[brush]\nsmoothness=3\n";
    SplotState state;
    auto r = readText(text, "Main", state);
    EXPECT_FALSE(r.mainRead);
    EXPECT_EQ(state.colour.red, 255);
    EXPECT_EQ(state.paint.smoothness, 10);
    r = readText(text, "brush", state);
    EXPECT_EQ(state.paint.smoothness, 3);
    EXPECT_EQ(state.colour.red, 255);
    r = readText(text, "main", state);
    EXPECT_TRUE(r.mainRead);
    EXPECT_EQ(state.colour.red, 9);

    IniFile ini = IniFile::fromText("[other]\na=1\n");
    writeSettings(ini, "brush", state);
    writeSettings(ini, "Main", state);
    const std::string written = ini.text();
    EXPECT_EQ(written.rfind("[other]\na=1\n[brush]\nintensifyspeed=0\n", 0), 0u) << written;
    EXPECT_EQ(written.find("[main]"), std::string::npos);
}

TEST(SettingsFile, WritingKeepsUnknownSectionsAndKeys) {
    test::FakePaths paths;
    const fs::path file = paths.folder / "splot.ini";
    writeAll(file, "[mine]\nkeep=yes\n[Main]\nRed=1\nmykey=2\n");
    SplotState state;
    state.sliders.red = 77;
    ASSERT_FALSE(writeSettingsFile(file.string(), "main", state));
    const std::string text = readAll(file);
    EXPECT_EQ(text.rfind("[mine]\nkeep=yes\n[Main]\nRed=77\nmykey=2\ngreen=0\n", 0), 0u) << text;
}

std::size_t filesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(SettingsFile, AFailedWriteLeavesTheOldFileAndReports) {
    test::FakePaths paths;
    const fs::path file = paths.folder / "splot.ini";
    const std::string old = "[main]\nred=1\n";
    writeAll(file, old);
    SplotState state;

    // A write that fails half way: the file-size limit stops the new file.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    const auto error = writeSettingsFile(file.string(), "all", state);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(error, "Unable to write to " + file.string());
    EXPECT_EQ(readAll(file), old);
    EXPECT_EQ(filesIn(paths.folder), 1u); // no temporary file left behind

    // A path that cannot be read is never overwritten.
    fs::create_directory(paths.folder / "dir.ini");
    EXPECT_TRUE(writeSettingsFile((paths.folder / "dir.ini").string(), "all", state));
}

TEST(SettingsFile, AnUnwritableFolderLeavesTheOldFileAndReports) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    test::FakePaths paths;
    const fs::path file = paths.folder / "splot.ini";
    writeAll(file, "[main]\nred=1\n");
    fs::permissions(paths.folder, fs::perms::owner_read | fs::perms::owner_exec);
    SplotState state;
    const auto error = writeSettingsFile(file.string(), "all", state);
    fs::permissions(paths.folder, fs::perms::owner_all);
    EXPECT_EQ(error, "Unable to write to " + file.string());
    EXPECT_EQ(readAll(file), "[main]\nred=1\n");
}

TEST(AtomicFile, KeepsTheModeOfTheFileAndFollowsALink) {
    test::FakePaths paths;
    const fs::path real = paths.folder / "real.ini";
    const fs::path link = paths.folder / "link.ini";
    writeAll(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, link);
    ASSERT_TRUE(writeFileAtomically(link.string(), "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readAll(real), "new");
    EXPECT_EQ(fs::status(real).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_FALSE(writeFileAtomically((paths.folder / "no-such-folder" / "x.ini").string(), "new"));
    EXPECT_EQ(filesIn(paths.folder), 2u);
}

TEST(SettingsFile, ExitAfterAFailedWriteAsksBeforeQuitting) {
    test::FakePrompts prompts;
    EXPECT_TRUE(mayQuitAfterSettingsWrite(prompts, std::nullopt));
    EXPECT_TRUE(prompts.shown.empty());

    prompts.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(mayQuitAfterSettingsWrite(prompts, "Unable to write to /x/splot.ini"));
    EXPECT_TRUE(mayQuitAfterSettingsWrite(prompts, "Unable to write to /x/splot.ini"));
    ASSERT_EQ(prompts.shown.size(), 4u);
    EXPECT_EQ(prompts.shown[0].kind, "error");
    EXPECT_EQ(prompts.shown[0].text, "Unable to write to /x/splot.ini");
    EXPECT_EQ(prompts.shown[1].kind, "warning");
    EXPECT_EQ(prompts.shown[1].text, quitWithoutSettingsQuestion);
    EXPECT_EQ(prompts.shown[1].buttons, Buttons::YesNo);
}

} // namespace
} // namespace splot
