#include "settings/BrushFile.h"
#include "support/Fakes.h"
#include "support/FileText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>

namespace splot {
namespace {

namespace fs = std::filesystem;
using test::readAll;
using test::writeAll;

bool inBrush(const SettingKey& k) {
    return k.section == "brush" || k.section == "main";
}

// A value away from the key's default and inside its range, different per key.
int awayFromDefault(const SettingKey& k, int n) {
    if (k.type == SettingType::Flag)
        return 1 - k.defaultValue;
    if (k.clamped)
        return k.defaultValue == k.high ? k.high - 1 - n % 3 : k.high - n % 3;
    return 1000 + n;
}

// Every key of every section set away from its default.
void setAllAwayFromDefault(SplotState& state) {
    int n = 0;
    for (const SettingKey& k : settingsKeys())
        k.set(state, awayFromDefault(k, n++));
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return std::string();
    return s.substr(b, s.find_last_not_of(" \t\r") + 1 - b);
}

// The file's lines (each with its line end) except the keys a brush owns:
// what writing a brush must leave exactly as it was.
std::vector<std::string> linesABrushDoesNotOwn(const std::string& text) {
    std::vector<std::string> out;
    std::string section;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string line = text.substr(pos, end - pos);
        pos = end;
        const std::string t = trimmed(line.substr(0, line.find('\n')));
        if (!t.empty() && t.front() == '[' && t.back() == ']') {
            section = lower(trimmed(t.substr(1, t.size() - 2)));
        } else if ((section == "brush" || section == "main") && t.find('=') != std::string::npos) {
            const std::string key = lower(trimmed(t.substr(0, t.find('='))));
            const bool owned =
                std::any_of(settingsKeys().begin(), settingsKeys().end(),
                            [&](const SettingKey& k) { return k.section == section && k.key == key; });
            if (owned)
                continue;
        }
        out.push_back(line);
    }
    return out;
}

TEST(BrushFile, RoundTripKeepsEveryOtherLineByteForByte) {
    test::FakePaths paths;
    const fs::path file = paths.folder / "mine.spb";
    const std::string old = "\xEF\xBB\xBF; my brushes\r\n"
                            "[3D]\r\ndepth=7\r\n\r\n"
                            "[Brush]\r\nIntensifySpeed = 3\r\nmine=keep me\r\n"
                            "[tools]\r\nnot a key at all\r\n  red=99  \r\n"
                            "[ main ]\r\nred=1\r\nextra = 5   \r\n; a note\r\n"
                            "[circle]\r\nwidth=4";
    writeAll(file, old);

    SplotState saved;
    setAllAwayFromDefault(saved);
    ASSERT_EQ(writeBrushFile(file.string(), saved), std::nullopt);

    const std::string written = readAll(file);
    EXPECT_EQ(linesABrushDoesNotOwn(written), linesABrushDoesNotOwn(old)) << written;
    EXPECT_NE(written.find("[Brush]\r\nIntensifySpeed="), std::string::npos) << written; // key kept in place

    // Read back into a state whose every key is away from its default too, but
    // differently: the brush keys come from the file, all others stay.
    SplotState loaded;
    int n = 1;
    for (const SettingKey& k : settingsKeys())
        k.set(loaded, awayFromDefault(k, n++ + 1));
    const SplotState before = loaded;
    const std::optional<SettingsReadResult> r = readBrushFile(file.string(), loaded);
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->mainRead);
    EXPECT_TRUE(r->brushLoaded);
    EXPECT_TRUE(r->messages.empty());
    for (const SettingKey& k : settingsKeys()) {
        if (inBrush(k))
            EXPECT_EQ(k.get(loaded), k.get(saved)) << k.section << "/" << k.key;
        else
            EXPECT_EQ(k.get(loaded), k.get(before)) << k.section << "/" << k.key;
    }

    // A new file holds exactly the two sections, in the write order.
    const fs::path fresh = paths.folder / "fresh.spb";
    ASSERT_EQ(writeBrushFile(fresh.string(), saved), std::nullopt);
    const std::string text = readAll(fresh);
    EXPECT_EQ(text.rfind("[brush]\nintensifyspeed=", 0), 0u) << text;
    EXPECT_NE(text.find("\n[main]\nred="), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '['), 2) << text;
}

// A file with neither section is no brush: nothing is read. A file with one
// of them is a brush whose missing keys take their defaults.
TEST(BrushFile, AFileWithoutBrushSectionsIsRefusedAndOneSectionIsEnough) {
    test::FakePaths paths;
    writeAll(paths.folder / "empty.spb", "");
    writeAll(paths.folder / "other.spb", "[shape]\nsize=3\n[3D]\ndepth=9\n");
    writeAll(paths.folder / "main.spb", "[Main]\n");
    for (const char* name : {"empty.spb", "other.spb", "missing.spb"}) {
        SplotState state;
        setAllAwayFromDefault(state);
        const SplotState before = state;
        EXPECT_FALSE(readBrushFile((paths.folder / name).string(), state)) << name;
        for (const SettingKey& k : settingsKeys())
            EXPECT_EQ(k.get(state), k.get(before)) << name << " " << k.section << "/" << k.key;
    }
    SplotState state;
    setAllAwayFromDefault(state);
    ASSERT_TRUE(readBrushFile((paths.folder / "main.spb").string(), state));
    for (const SettingKey& k : settingsKeys()) {
        if (inBrush(k)) {
            EXPECT_EQ(k.get(state), k.defaultValue) << k.section << "/" << k.key;
        }
    }
    EXPECT_EQ(notABrushMessage("/home/me/a.txt"), "file: \r\n/home/me/a.txt  is not a SPLOT brush file");
}

// The widths are kept as read (the width slider only shows them clamped), so
// a brush's pen width beyond the slider is what walks use and what is saved.
TEST(BrushFile, WidthsBeyondTheSliderAreKeptAndWrittenBack) {
    test::FakePaths paths;
    const fs::path file = paths.folder / "wide.spb";
    writeAll(file, "[main]\npenwidth=500\nwidth=400\n");
    SplotState state;
    ASSERT_TRUE(readBrushFile(file.string(), state));
    EXPECT_EQ(state.paint.penWidth, 500);
    EXPECT_EQ(state.paint.brushWidth, 400);
    ASSERT_EQ(writeBrushFile(file.string(), state), std::nullopt);
    const std::string text = readAll(file);
    EXPECT_NE(text.find("\npenwidth=500\nwidth=400\n"), std::string::npos) << text;
}

TEST(BrushFile, AFailedWriteLeavesTheOldFileWhole) {
    test::FakePaths paths;
    const fs::path file = paths.folder / "old.spb";
    const std::string old = "[brush]\nsmoothness=3\n[other]\nx=1\n";
    writeAll(file, old);
    SplotState state;
    setAllAwayFromDefault(state);

    // A file-size limit that lets the file with a new "brush" section through
    // but not with "main" as well: neither section may reach the file.
    const fs::path probe = paths.folder / "probe";
    writeAll(probe, old);
    ASSERT_EQ(writeSettingsFile(probe.string(), "brush", state), std::nullopt);
    const auto brushOnly = fs::file_size(probe);
    fs::remove(probe);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = brushOnly;
    setrlimit(RLIMIT_FSIZE, &small);
    const auto error = writeBrushFile(file.string(), state);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(error, "Unable to write to " + file.string());
    EXPECT_EQ(readAll(file), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(paths.folder), fs::directory_iterator()), 1);

    // A folder where the file should be, and a folder that does not exist.
    fs::create_directory(paths.folder / "dir.spb");
    EXPECT_EQ(writeBrushFile((paths.folder / "dir.spb").string(), state),
              "Unable to write to " + (paths.folder / "dir.spb").string());
    EXPECT_TRUE(writeBrushFile((paths.folder / "none" / "b.spb").string(), state));
}

TEST(BrushFile, NamesQuestionAndDialogs) {
    const struct {
        const char* typed;
        const char* path;
    } names[] = {
        {"/home/me/brush", "/home/me/brush.spb"},
        {"/home/me/brush.spb", "/home/me/brush.spb"},
        {"/home/me/brush.old", "/home/me/brush.old"},
        {"/home/me.d/brush", "/home/me.d/brush.spb"},
        {"/home/me/.brush", "/home/me/.brush.spb"},
        {"brush", "brush.spb"},
        {"/home/me/", "/home/me/"},
        {"", ""},
    };
    for (const auto& n : names)
        EXPECT_EQ(withDefaultExtension(n.typed, brushFileExtension), n.path) << n.typed;

    EXPECT_EQ(overwriteQuestion("/home/me/b.spb"), "Do you want to overwrite \r\n/home/me/b.spb?");

    const FileDialogRequest load = loadBrushRequest();
    EXPECT_EQ(load.title, "Load a SPLOT brush");
    EXPECT_EQ(load.initialFolder, ".");
    EXPECT_EQ(load.filter, "SPLOT brushes (.spb)|*.spb");
    EXPECT_TRUE(load.mustExist);
    const FileDialogRequest save = saveBrushRequest("/home/me");
    EXPECT_EQ(save.title, "Save Current Brush");
    EXPECT_EQ(save.initialFolder, "/home/me");
    EXPECT_EQ(save.filter, "SPLOT brushes (.spb)|*.spb");
    EXPECT_EQ(save.defaultExtension, "spb");
}

} // namespace
} // namespace splot
