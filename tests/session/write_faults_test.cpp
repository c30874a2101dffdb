// Writes that fail part-way (a file-size limit) or find their folder gone:
// the user is told which file and why, nothing half-written is left, and the
// command that asked for the write goes no further.
#include "app/Guarded.h"
#include "support/SessionRig.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/resource.h>

namespace splot::test {
namespace {

namespace fs = std::filesystem;

// Limits the size of files this process writes; a write past it fails with
// EFBIG instead of raising SIGXFSZ. Restores both on destruction.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = SIG_DFL;
};

enum class Fault { SizeLimit, FolderGone };

std::set<std::string> filesIn(const fs::path& dir) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec))
        names.insert(e.path().filename().string());
    return names;
}

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A session whose executable sits in its own folder "bin", with a noisy
// picture that has unsaved changes.
struct FaultRig : SessionRig {
    FaultRig() {
        fs::create_directories(bin());
        paths.executable = "bin/splot";
        session.applyNewImageSize(120, 90, false);
        Canvas& c = session.canvas();
        Random noise(7);
        for (int y = 0; y < c.imageHeight(); ++y)
            for (int x = 0; x < c.imageWidth(); ++x)
                c.pixel(x, y) = BgrPixel{static_cast<std::uint8_t>(noise.random(256)),
                                         static_cast<std::uint8_t>(noise.random(256)),
                                         static_cast<std::uint8_t>(noise.random(256))};
        session.markUnsaved();
        prompts.shown.clear();
    }
    fs::path bin() const { return paths.folder / "bin"; }
    // Runs command under the fault through the top-level handler.
    template <typename F> void under(Fault fault, F&& command) {
        if (fault == Fault::FolderGone) {
            fs::remove_all(bin());
            guarded(&prompts, command);
            return;
        }
        const FileSizeLimit limit(100);
        guarded(&prompts, command);
    }
    std::string reason(Fault fault) const {
        return std::strerror(fault == Fault::SizeLimit ? EFBIG : ENOENT);
    }
};

std::vector<std::uint8_t> pixelsOf(const Canvas& c) {
    std::vector<std::uint8_t> out;
    for (int y = 0; y < c.imageHeight(); ++y) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(c.row(y));
        out.insert(out.end(), p, p + static_cast<std::size_t>(c.imageWidth()) * 3);
    }
    return out;
}

TEST(WriteFaults, FailedPictureSaveAbandonsTheAskingCommand) {
    struct Command {
        const char* name;
        void (*run)(FaultRig&);
    };
    const Command commands[] = {
        {"New",
         [](FaultRig& r) {
             if (r.session.CheckForClear("scrapping"))
                 r.session.applyNewImageSize(10, 10, false);
         }},
        {"Load", [](FaultRig& r) { r.session.load(); }},
        {"Exit", [](FaultRig& r) { r.session.requestExit(); }},
    };
    for (const Fault fault : {Fault::SizeLimit, Fault::FolderGone}) {
        for (const Command& command : commands) {
            FaultRig rig;
            const auto before = filesIn(rig.bin());
            const auto pixels = pixelsOf(rig.session.canvas());
            rig.prompts.answers = {Answer::Yes};
            rig.prompts.files = {(rig.paths.folder / "other.png").string()};
            rig.under(fault, [&] { command.run(rig); });

            const std::string at =
                std::string(command.name) + (fault == Fault::SizeLimit ? " limit" : " gone");
            const auto errors = rig.prompts.texts("error");
            ASSERT_EQ(errors.size(), 1u) << at;
            EXPECT_NE(errors[0].find((rig.bin() / "splot").string()), std::string::npos) << at << errors[0];
            EXPECT_NE(errors[0].find(rig.reason(fault)), std::string::npos) << at << errors[0];
            EXPECT_EQ(filesIn(rig.bin()), before) << at;
            EXPECT_EQ(rig.session.canvas().imageWidth(), 120) << at;
            EXPECT_EQ(pixelsOf(rig.session.canvas()), pixels) << at;
            EXPECT_TRUE(rig.session.hasUnsavedChanges()) << at;
            EXPECT_TRUE(rig.prompts.texts("open").empty()) << at;
            EXPECT_EQ(rig.processEnd.ended, 0) << at;
            EXPECT_TRUE(std::string(command.name) != "Exit" || !rig.session.closeAllowed()) << at;
        }
    }
}

TEST(WriteFaults, FailedSettingsWriteAtExitKeepsTheOldFileAndStays) {
    // Under a file-size limit. (A vanished settings folder is made again
    // before the write, as for a first exit.)
    FaultRig rig;
    const fs::path ini = rig.bin() / "splot.ini";
    const std::string old = "[image]\r\nwidth=120\r\n";
    { std::ofstream(ini, std::ios::binary) << old; }
    const auto before = filesIn(rig.bin());
    rig.prompts.answers = {Answer::No, Answer::No}; // do not save; do not quit without the settings
    rig.under(Fault::SizeLimit, [&] { rig.session.requestExit(); });

    const auto errors = rig.prompts.texts("error");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Unable to write to " + ini.string());
    EXPECT_EQ(rig.processEnd.ended, 0);
    EXPECT_FALSE(rig.session.closeAllowed());
    EXPECT_TRUE(rig.session.hasUnsavedChanges());
    EXPECT_EQ(readAll(ini), old);
    EXPECT_EQ(filesIn(rig.bin()), before);
}

TEST(WriteFaults, FailedBrushSaveLeavesNothingBehind) {
    for (const Fault fault : {Fault::SizeLimit, Fault::FolderGone}) {
        FaultRig rig;
        const fs::path brushes = rig.paths.folder / (fault == Fault::SizeLimit ? "brushes" : "bin");
        fs::create_directories(brushes);
        const fs::path brush = brushes / "soft.spb";
        rig.under(fault, [&] { rig.session.SaveBrush(brush.string()); });
        EXPECT_EQ(rig.prompts.texts("error"),
                  std::vector<std::string>{"Unable to write to " + brush.string()});
        EXPECT_FALSE(fs::exists(brush));
        EXPECT_TRUE(filesIn(brushes).empty());
        EXPECT_TRUE(rig.session.hasUnsavedChanges());
    }
}

} // namespace
} // namespace splot::test
