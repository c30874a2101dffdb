// Seeded random sequences of session commands, nested ones included, with
// the session's invariants checked after every step.
//
// Fixed seeds run under CTest; scripts/chaos runs fresh seeds for a given
// time (SPLOT_CHAOS_SECONDS) or replays one (SPLOT_CHAOS_SEED) and prints the
// seed of a failure.
#include "app/Guarded.h"
#include "files/ImageBytes.h"
#include "files/ImageLoad.h"
#include "files/PngWriter.h"
#include "support/SessionProbe.h"
#include "support/SessionRig.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <malloc.h>
#include <span>

namespace splot::test {
namespace {

namespace fs = std::filesystem;

// Each sequence ends after this many commands, or earlier when one quits.
constexpr int stepsPerSeed = 250;
#if defined(__SANITIZE_ADDRESS__)
constexpr int fixedSeeds = 50; // the sanitized build runs several times slower
#else
constexpr int fixedSeeds = 300;
#endif

void writeFile(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgr; // rows bottom first, packed

    static Picture of(const Canvas& c) {
        Picture p{c.imageWidth(), c.imageHeight(), {}};
        const std::size_t n = static_cast<std::size_t>(p.width) * 3;
        p.bgr.resize(n * static_cast<std::size_t>(p.height));
        for (int y = 0; y < p.height && n != 0; ++y)
            std::memcpy(p.bgr.data() + n * static_cast<std::size_t>(y), c.row(y), n);
        return p;
    }
    static Picture of(const DecodedImage& d) {
        Picture p{d.width, d.height, {}};
        const std::size_t n = d.rowBytes();
        p.bgr.resize(n * static_cast<std::size_t>(p.height));
        for (int y = 0; y < p.height && n != 0; ++y)
            std::memcpy(p.bgr.data() + n * static_cast<std::size_t>(y), d.row(p.height - 1 - y), n);
        return p;
    }
    bool operator==(const Picture&) const = default;
};

class ChaosRun {
public:
    explicit ChaosRun(std::uint64_t seed) : draws_(seed) {
        SessionProbe(rig_.session).random().seed(seed * 0x9E3779B97F4A7C15ULL + 1);
        rig_.status.onShow = [this](int panel, const std::string& text) { statusShown(panel, text); };
        rig_.pump.onPump = [this](int) { eventPass(); };
        makeFiles();
        baseline_ = Picture::of(rig_.session.canvas());
    }
    ~ChaosRun() {
        rig_.status.onShow = nullptr;
        rig_.pump.onPump = nullptr;
    }

    // Runs up to steps top-level commands (fewer when one of them quits),
    // checking the invariants after each; stops at the first failure.
    void run(int steps) {
        for (int i = 0; i < steps && !quit_ && !::testing::Test::HasFailure(); ++i) {
            pumpCalls_ = 0;
            runCommand();
            checkInvariants();
        }
    }
    long commands() const { return commands_; }
    const std::string& trail() const { return trail_; }

private:
    struct Command {
        const char* name;
        int weight;
        void (ChaosRun::*run)();
    };
    // The command table (below the class): each entry calls the session as
    // the window's handler would.
    static std::span<const Command> commandTable();

    Session& s() { return rig_.session; }
    int draw(int n) { return static_cast<int>(draws_.random(n)); }
    bool chance(int percent) { return draw(100) < percent; }
    Answer anyAnswer() {
        const Answer all[] = {Answer::Yes, Answer::No, Answer::Cancel};
        return all[draw(3)];
    }

    void runCommand() {
        int total = 0;
        for (const Command& c : commandTable())
            total += c.weight;
        int pick = draw(total);
        const Command* chosen = &commandTable()[0];
        for (const Command& c : commandTable()) {
            if (pick < c.weight) {
                chosen = &c;
                break;
            }
            pick -= c.weight;
        }
        ++commands_;
        trail_ += std::string(depth_ * 2, ' ') + chosen->name + "\n";
        if (trail_.size() > 4000)
            trail_.erase(0, trail_.size() - 3000);
        ++depth_;
        // The window's top-level handler around every command.
        guarded(&rig_.prompts, [&] { (this->*chosen->run)(); });
        --depth_;
        rig_.prompts.answers.clear();
        rig_.prompts.files.clear();
    }

    // A walk's event pass: now and then a command runs inside it.
    void eventPass() {
        // A walk that cannot see its own paint (erase mode, an action that
        // keeps the background) may go on to its length bound: millions of
        // steps on a large picture. The user's way out is Exit, which ends
        // every walk at once; a sequence waits this long before taking it.
        if (++pumpCalls_ == longWalk) {
            rig_.prompts.answers = {Answer::No, Answer::Yes};
            s().requestExit();
            quit_ = true;
            ASSERT_GT(rig_.processEnd.ended, 0) << trail_;
            return;
        }
        if (quit_)
            return;
        if (depth_ < 3 && draw(1000) < 4) {
            // The outer command's scripted answers wait for it.
            auto answers = std::move(rig_.prompts.answers);
            auto files = std::move(rig_.prompts.files);
            runCommand();
            rig_.prompts.answers = std::move(answers);
            rig_.prompts.files = std::move(files);
        }
    }

    void statusShown(int panel, const std::string& text) {
        if (panel != 0)
            return;
        const bool saved = text.rfind("Saved as: ", 0) == 0;
        const std::string loaded = " loaded successfully.";
        if (saved || text == "Image cleared" ||
            (text.size() > loaded.size() &&
             text.compare(text.size() - loaded.size(), loaded.size(), loaded) == 0))
            baseline_ = Picture::of(s().canvas());
        if (saved)
            savedFiles_.push_back({text.substr(10), baseline_});
    }

    void checkInvariants() {
        const Canvas& c = s().canvas();
        const int w = c.imageWidth(), h = c.imageHeight();
        ASSERT_EQ(w, s().state().paint.imageWidth) << trail_;
        ASSERT_EQ(h, s().state().paint.imageHeight) << trail_;
        ASSERT_EQ(c.bytesPerLine(), (w * 3 + 3) & ~3) << trail_;
        for (int y = 0; y < h; ++y)
            ASSERT_EQ(reinterpret_cast<const std::uint8_t*>(c.row(y)),
                      c.bits() + static_cast<std::size_t>(h - 1 - y) * c.bytesPerLine())
                << "row " << y << "\n"
                << trail_;
        if (w > 0 && h > 0) {
            // Each per-pixel array holds exactly (at least, outside the
            // sanitizer) imageWidth x imageHeight elements.
            const std::size_t pixels = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
            for (void* array :
                 {static_cast<void*>(c.undoRow(0)), static_cast<void*>(c.redoRow(0)),
                  static_cast<void*>(c.actionSourceRow(0)), static_cast<void*>(c.outlineBackupRow(0))})
                ASSERT_GE(malloc_usable_size(array), pixels * sizeof(BgrPixel)) << trail_;
            ASSERT_GE(malloc_usable_size(c.coverageRow(0)), pixels * sizeof(double)) << trail_;
            ASSERT_GE(malloc_usable_size(c.bits()), static_cast<std::size_t>(c.bytesPerLine()) * h) << trail_;
        }
        // A picture that differs from the last save, load or clear always
        // shows the unsaved marker. The other way round (the marker only on a
        // real difference) is pending: Undo, Redo, Resize and a click that
        // misses the canvas still mark an unchanged picture.
        const Picture now = Picture::of(c);
        ASSERT_TRUE(now == baseline_ || s().hasUnsavedChanges()) << "the picture changed without the marker\n"
                                                                 << trail_;
        // Every save reopens as the very picture saved.
        for (const auto& [path, picture] : savedFiles_) {
            DecodedImage back;
            ASSERT_NO_THROW(back = loadImage(path, "png")) << path << "\n" << trail_;
            ASSERT_TRUE(Picture::of(back) == picture) << path << "\n" << trail_;
            saves_.push_back(path);
        }
        savedFiles_.clear();
        while (saves_.size() > 8) { // keep the folder small on long runs
            fs::remove(saves_.front());
            saves_.erase(saves_.begin());
        }
        rig_.prompts.shown.clear();
        rig_.cursor.shown.clear();
        rig_.display.rects.clear();
        rig_.display.outlines.clear();
    }

    // ==== Files ================================================================
    void makeFiles() {
        const fs::path& dir = rig_.paths.folder;
        std::vector<std::uint8_t> noise(37 * 23 * 3);
        for (auto& b : noise)
            b = static_cast<std::uint8_t>(draw(256));
        const std::string png = encodePng(noise.data(), 37, 23, 37 * 3);
        writeFile(dir / "good.png", png);
        writeFile(dir / "damaged.png", png.substr(0, png.size() / 2));
        writeFile(dir / "oversized.png", makePng(6000, 1, 8, 2, std::string(1 + 6000 * 3, '\0')));
        BmpLayout bmp(13, -7, 24);
        bmp.pixels.assign(7 * 40, '\x5a');
        writeFile(dir / "good.BMP", makeBmp(bmp));
        writeFile(dir / "damaged.bmp", makeBmp(bmp).substr(0, 60));
        writeFile(dir / "text.bmp", "[brush]\r\npenwidth=12\r\n");
        files_ = {"good.png",    "damaged.png", "oversized.png", "good.BMP",
                  "damaged.bmp", "text.bmp",    "missing.png"};
    }
    std::string anyFile() {
        if (!saves_.empty() && chance(30))
            return saves_[static_cast<std::size_t>(draw(static_cast<int>(saves_.size())))];
        return (rig_.paths.folder / files_[static_cast<std::size_t>(draw(static_cast<int>(files_.size())))])
            .string();
    }

    // ==== Commands ===========================================================
    void pointAnywhere() {
        const Canvas& c = s().canvas();
        rig_.mouse.x = draw(c.imageWidth() + 80) - 40;
        rig_.mouse.y = draw(c.imageHeight() + 80) - 40;
    }
    void stroke() {
        pointAnywhere();
        s().imageMouseDown();
        for (int moves = draw(20); moves >= 0; --moves) {
            rig_.mouse.x += draw(61) - 30;
            rig_.mouse.y += draw(61) - 30;
            const int buttons = draw(10);
            s().imageMouseMove(buttons == 0   ? HeldButtons::None
                               : buttons == 1 ? HeldButtons::LeftAndRight
                                              : HeldButtons::Left);
        }
        if (chance(40))
            s().imageClick();
        s().imageMouseUp();
    }
    void click() {
        pointAnywhere();
        s().imageMouseDown();
        s().imageClick();
        s().imageMouseUp();
    }
    void corner() {
        pointAnywhere();
        s().imageMouseDown();
        s().addCornerAtPointer();
        s().imageMouseUp();
    }
    void pointerLeaves() { s().pointerLeftPicture(); }
    void drawingMode() { s().switchDrawingMode(); }
    void eraseMode() { s().toggleEraseMode(); }
    void invert() { s().invertPicture(); }
    void action() { s().applyActionToPicture(static_cast<RgbAction>(draw(5))); }
    void setting() {
        SplotState& st = s().state();
        switch (draw(14)) {
        case 0:
            st.paint.penWidth = chance(20) ? 1 + draw(200) : 1 + draw(40);
            st.paint.brushWidth = st.paint.penWidth;
            break;
        case 1:
            st.paint.fuzzy = !st.paint.fuzzy;
            st.paint.fuzziness = (1 + draw(100)) / 100.0;
            break;
        case 2:
            st.paint.squareBrush = !st.paint.squareBrush;
            break;
        case 3:
            st.paint.draw3d = chance(30);
            st.paint.depth3d = draw(201) - 100;
            break;
        case 4:
            st.colour.drawWithAction = !st.colour.drawWithAction;
            st.colour.silly = chance(50);
            st.colour.selectedAction = static_cast<RgbAction>(draw(5));
            break;
        case 5:
            st.colour.randomColourMethod = static_cast<RandomColourMethod>(draw(4));
            break;
        case 6:
            st.colour.red = draw(256);
            st.colour.green = draw(256);
            st.colour.blue = draw(256);
            st.paint.intensity = 1 - (draw(100) / 100.0) * (draw(100) / 100.0);
            st.paint.speckly = 1 + draw(100);
            break;
        case 7:
            st.paint.useIntensify = chance(50);
            st.paint.useFuzzify = chance(50);
            st.paint.useGrowth = chance(50);
            st.paint.use3dDepth = chance(50);
            st.paint.useSpecklify = chance(50);
            st.paint.intensifySpeed = draw(201) - 100;
            st.paint.fuzzifySpeed = draw(201) - 100;
            st.paint.growthSpeed = draw(201) - 100;
            st.paint.depth3dSpeed = draw(101) - 50;
            st.paint.specklifySpeed = draw(101) - 50;
            break;
        case 8:
            st.shape.shapeSize = 10 + draw(300);
            st.shape.shapePoints = draw(12);
            st.shape.shapeSectionLength = 1 + draw(20);
            break;
        case 9:
            st.shape.shapeFlipper = chance(50);
            st.shape.shapeFlipperiness = draw(101);
            st.shape.shapeSemicircles = chance(40);
            st.shape.shapeChangeColors = chance(40);
            st.shape.shapeDrawLots = chance(5);
            break;
        case 10:
            st.circle.circleNumberOfPoints = 1 + draw(200);
            st.circle.circleWidth = draw(400);
            st.circle.circleHeight = draw(400);
            st.circle.circleForgetCenter = chance(50);
            break;
        case 11:
            st.circle.circleUsePenWidth = chance(30);
            st.circle.circlePenWidth = 1 + (chance(10) ? draw(1000) : draw(60));
            break;
        case 12:
            st.paint.redStrength = draw(256);
            st.paint.blueStrength = draw(256);
            st.paint.linkPenToDepth = chance(50);
            break;
        default:
            s().ShowBrush();
            break;
        }
    }
    std::pair<int, int> anySize() {
        switch (draw(20)) {
        case 0:
            return {1, 1};
        case 1:
            return {5000, 1};
        case 2:
            return {1, 5000};
        case 3:
            return {300 + draw(500), 300 + draw(400)};
        default:
            return {1 + draw(300), 1 + draw(300)};
        }
    }
    void newOrResize(const char* word, bool keep) {
        rig_.prompts.answers = {anyAnswer()};
        if (!s().CheckForClear(word))
            return;
        const auto [w, h] = anySize();
        s().applyNewImageSize(w, h, keep);
    }
    void newImage() { newOrResize("scrapping", false); }
    void resize() { newOrResize("resizing", true); }
    void load() {
        rig_.prompts.answers = {anyAnswer(), anyAnswer()};
        if (!chance(10))
            rig_.prompts.files = {anyFile()};
        s().load();
    }
    void undo() { s().Undo(); }
    void redo() { s().Redo(); }
    void revert() {
        if (SessionProbe(s()).lastLoadedFile().empty())
            return; // Revert is unavailable until a picture was loaded
        rig_.prompts.answers = {anyAnswer(), anyAnswer()};
        s().revert();
    }
    void drawShapes() { s().DrawShapes(); }
    void drawCircle() { s().DrawCircle(); }
    void kill() { s().Kill(); }
    void brushSave() {
        rig_.prompts.files = {(rig_.paths.folder / (chance(50) ? "brush" : "other.spb")).string()};
        rig_.prompts.answers = {anyAnswer()};
        s().saveBrush();
    }
    void brushLoad() {
        rig_.prompts.files = {chance(70) ? (rig_.paths.folder / "brush.spb").string() : anyFile()};
        s().loadBrush();
    }
    void exitStaying() {
        // Cancel; or No (or Yes, saving) and then the settings cannot be
        // written (a folder has the settings file's name) and the user stays.
        const fs::path ini = rig_.iniPath();
        std::error_code ec;
        fs::create_directory(ini, ec);
        struct Remove {
            fs::path path;
            ~Remove() {
                std::error_code ignored;
                fs::remove(path, ignored);
            }
        } removeAfter{ini};
        rig_.prompts.answers = {anyAnswer(), Answer::No};
        if (!s().hasUnsavedChanges())
            rig_.prompts.answers = {Answer::No}; // no save question: only the quit question
        const int ended = rig_.processEnd.ended;
        s().requestExit();
        ASSERT_EQ(rig_.processEnd.ended, ended) << trail_;
    }
    void exitQuitting() {
        if (!s().hasUnsavedChanges() || chance(50)) {
            rig_.prompts.answers = {Answer::No};
            s().requestExit();
            quit_ = rig_.processEnd.ended > 0;
        }
    }

    SessionRig rig_;
    Random draws_; // the sequence's own draws, apart from the program's generator
    Picture baseline_;
    std::vector<std::pair<std::string, Picture>> savedFiles_;
    std::vector<std::string> saves_;
    std::vector<std::string> files_;
    std::string trail_;
    long commands_ = 0;
    static constexpr long longWalk = 100'000; // event passes in one top-level command
    long pumpCalls_ = 0;
    int depth_ = 0;
    bool quit_ = false;
};

std::span<const ChaosRun::Command> ChaosRun::commandTable() {
    static const Command table[] = {
        {"stroke", 12, &ChaosRun::stroke},
        {"click", 5, &ChaosRun::click},
        {"right-click corner", 6, &ChaosRun::corner},
        {"pointer leaves", 1, &ChaosRun::pointerLeaves},
        {"drawing mode key", 2, &ChaosRun::drawingMode},
        {"erase key", 2, &ChaosRun::eraseMode},
        {"invert key", 2, &ChaosRun::invert},
        {"RGB action", 2, &ChaosRun::action},
        {"setting", 12, &ChaosRun::setting},
        {"New", 3, &ChaosRun::newImage},
        {"Resize", 3, &ChaosRun::resize},
        {"Load", 5, &ChaosRun::load},
        {"Undo", 5, &ChaosRun::undo},
        {"Redo", 3, &ChaosRun::redo},
        {"Revert", 2, &ChaosRun::revert},
        {"Draw Shape(s)", 2, &ChaosRun::drawShapes},
        {"Draw Circle", 2, &ChaosRun::drawCircle},
        {"Kill", 2, &ChaosRun::kill},
        {"brush save", 1, &ChaosRun::brushSave},
        {"brush load", 1, &ChaosRun::brushLoad},
        {"Exit, staying", 2, &ChaosRun::exitStaying},
        {"Exit, quitting", 1, &ChaosRun::exitQuitting},
    };
    return table;
}

long runSeed(std::uint64_t seed) {
    ChaosRun run(seed);
    run.run(stepsPerSeed);
    if (::testing::Test::HasFailure())
        std::cerr << "chaos: seed " << seed << " failed; the last commands:\n" << run.trail();
    return run.commands();
}

TEST(Chaos, FixedSeeds) {
    long commands = 0;
    for (std::uint64_t seed = 1; seed <= fixedSeeds && !HasFailure(); ++seed)
        commands += runSeed(seed);
    RecordProperty("commands", static_cast<int>(commands));
    std::cerr << "chaos: " << commands << " commands\n";
}

// scripts/chaos: fresh seeds for SPLOT_CHAOS_SECONDS, or SPLOT_CHAOS_SEED alone.
TEST(Chaos, FreshSeeds) {
    const char* seconds = std::getenv("SPLOT_CHAOS_SECONDS");
    const char* replay = std::getenv("SPLOT_CHAOS_SEED");
    if (replay != nullptr) {
        runSeed(std::strtoull(replay, nullptr, 10));
        return;
    }
    if (seconds == nullptr)
        GTEST_SKIP() << "set SPLOT_CHAOS_SECONDS or SPLOT_CHAOS_SEED (scripts/chaos)";
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atol(seconds));
    std::uint64_t seed =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    long commands = 0, seeds = 0;
    while (std::chrono::steady_clock::now() < end && !HasFailure()) {
        std::cerr << "chaos: seed " << seed << "\n";
        commands += runSeed(seed);
        std::cerr << "chaos: " << commands << " commands so far\n";
        ++seeds;
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    }
    std::cerr << "chaos: " << seeds << " seeds, " << commands << " commands\n";
}

} // namespace
} // namespace splot::test
