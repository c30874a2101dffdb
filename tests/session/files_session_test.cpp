// Loading, saving and reverting as the session runs them, and the question
// that every command asks before it throws the picture away.
#include "base/Errors.h"
#include "files/ImageErrors.h"
#include "files/PngWriter.h"
#include "support/FileText.h"
#include "support/SessionRig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace splot::test {
namespace {

namespace fs = std::filesystem;
constexpr const char* unsaved = "There are unsaved changes.";

// A w x h PNG whose pixel (x, y from the top) is (x, y, 7) in BGR.
std::string writePicture(const fs::path& path, int w, int h) {
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = &bgr[(static_cast<std::size_t>(y) * w + x) * 3];
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = 7;
        }
    writeAll(path, encodePng(bgr.data(), w, h, w * 3));
    return path.string();
}

std::size_t savedFiles(const fs::path& folder) {
    std::size_t n = 0;
    for (const auto& e : fs::directory_iterator(folder))
        n += e.path().extension() == ".png" && e.path().filename().string().rfind("splot2026", 0) == 0;
    return n;
}

// Every command that would throw the picture away asks first, with its own
// text; Yes saves (a failed save abandons the command), No goes on, Cancel
// stops. Exit, Load, Revert, New and Resize, each with every answer.
TEST(SessionFiles, TheSaveFirstQuestionTable) {
    struct Command {
        const char* name;
        const char* question;
        std::function<bool(SessionRig&)> run; // true when the command went on
    };
    const Command commands[] = {
        {"exit", "Do you want to save them before exiting?",
         [](SessionRig& r) {
             r.session.Exit2Click();
             return r.processEnd.ended == 1;
         }},
        {"load", "Do you want to save them before loading a new picture?",
         [](SessionRig& r) {
             r.session.btnLoadClick();
             return r.prompts.texts("open").size() == 1;
         }},
        {"revert", "Do you want to save them before reverting \r\nto the last loaded image?",
         [](SessionRig& r) {
             r.session.btnRevertClick();
             return r.session.canvas().imageWidth() == 12;
         }},
        {"new", "Do you want to save them before scrapping this image?",
         [](SessionRig& r) { return r.session.CheckForClear("scrapping"); }},
        {"resize", "Do you want to save them before resizing this image?",
         [](SessionRig& r) { return r.session.CheckForClear("resizing"); }},
    };
    enum class Reply { YesSaved, YesSaveFails, No, Cancel };
    for (const Command& c : commands)
        for (Reply reply : {Reply::YesSaved, Reply::YesSaveFails, Reply::No, Reply::Cancel}) {
            SessionRig rig;
            const std::string picture = writePicture(rig.paths.folder / "small.png", 12, 5);
            rig.session.LoadImage(picture, "png");
            rig.session.MakeNewImage(40, 30, false);
            rig.session.markUnsaved();
            if (reply == Reply::YesSaveFails)
                rig.paths.executable = "no-such-folder/splot"; // nowhere to write the picture
            rig.prompts.answers = {reply == Reply::No       ? Answer::No
                                   : reply == Reply::Cancel ? Answer::Cancel
                                                            : Answer::Yes};
            bool wentOn = false;
            bool abandoned = false;
            try {
                wentOn = c.run(rig);
            } catch (const ImageFileError&) {
                abandoned = true;
            }
            const std::string what = std::string(c.name) + " " + std::to_string(static_cast<int>(reply));
            EXPECT_EQ(rig.prompts.texts("warning").at(0), std::string(unsaved) + "\r\n" + c.question) << what;
            EXPECT_EQ(wentOn, reply == Reply::YesSaved || reply == Reply::No) << what;
            EXPECT_EQ(abandoned, reply == Reply::YesSaveFails) << what;
            EXPECT_EQ(savedFiles(rig.paths.folder), reply == Reply::YesSaved ? 1U : 0U) << what;
        }
}

TEST(SessionFiles, LoadRevertAndTheirFailuresLeaveEverythingAsItWas) {
    SessionRig rig;
    Session& s = rig.session;
    const std::string picture = writePicture(rig.paths.folder / "Picture.PNG", 30, 20);
    rig.prompts.files = {picture};
    s.btnLoadClick();
    ASSERT_EQ(s.canvas().imageWidth(), 30) << "an upper-case extension loads";
    EXPECT_EQ(s.canvas().pixel(4, 19), (BgrPixel{4, 0, 7})) << "the top line is the top row";
    EXPECT_EQ(s.statusText(0), picture + " loaded successfully.");
    EXPECT_EQ(s.lastLoadedExtension(), "PNG");
    EXPECT_EQ(rig.paths.current, rig.paths.folder.string());
    EXPECT_TRUE(rig.window.revert);
    EXPECT_EQ(rig.prompts.dialogRequests.at(0).initialFolder, ".");

    // Refused and broken files change nothing.
    s.canvas().pixel(0, 0) = BgrPixel{1, 2, 3};
    s.markUnsaved();
    writeAll(rig.paths.folder / "broken.png", "\x89PNG\r\n\x1a\nnot really");
    writeAll(rig.paths.folder / "picture.gif", "GIF89a");
    EXPECT_THROW(s.LoadImage((rig.paths.folder / "broken.png").string(), "png"), ImageFileError);
    s.LoadImage((rig.paths.folder / "picture.gif").string(), "gif");
    EXPECT_EQ(
        rig.prompts.texts("message").back(),
        "Problem with the image width (-1) (allowed values are 0 - 5000).\r\nProblem with the image height "
        "(-2) - (allowed values are 0 - 5000).");
    EXPECT_EQ(s.canvas().pixel(0, 0), (BgrPixel{1, 2, 3}));
    EXPECT_EQ(s.statusText(0), unsaved);
    EXPECT_EQ(s.lastLoadedFile(), picture);

    // Revert after the file was deleted: the warning, the picture stays and
    // Undo restores that same picture.
    fs::remove(picture);
    rig.prompts.answers = {Answer::No};
    EXPECT_THROW(s.btnRevertClick(), CommandAbandoned);
    EXPECT_EQ(rig.prompts.shown.back().text, "file: \r\n" + picture + "  does not exist");
    EXPECT_EQ(rig.prompts.shown.back().buttons, Buttons::OkCancel);
    EXPECT_EQ(s.canvas().pixel(0, 0), (BgrPixel{1, 2, 3}));
    EXPECT_TRUE(s.history().undoEnabled());
    s.Undo();
    EXPECT_EQ(s.canvas().pixel(0, 0), (BgrPixel{1, 2, 3}));
}

// The first load after start-up clears without a snapshot. When it changes
// the size, the snapshots hold a picture cut or padded to a size it never
// had, so Undo and Redo stay unavailable; at the same size Undo brings back
// the start-up picture, and later loads snapshot their own blank canvas.
TEST(SessionFiles, UndoAfterALoadNeverShowsAPictureThatNeverExisted) {
    const struct {
        int w, h;
        bool loadedBefore;
        bool undoneBefore; // Redo available before the load
        bool undo;
    } cases[] = {{800, 800, false, false, false},
                 {300, 600, false, true, false},
                 {600, 600, false, false, true},
                 {800, 800, true, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h) + (c.loadedBefore ? " second" : ""));
        SessionRig rig;
        Session& s = rig.session;
        if (c.loadedBefore)
            s.LoadImage(writePicture(rig.paths.folder / "first.png", 20, 10), "png");
        s.imageMouseDown();
        if (c.undoneBefore)
            s.Undo();
        s.LoadImage(writePicture(rig.paths.folder / "picture.png", c.w, c.h), "png");
        EXPECT_EQ(s.history().undoEnabled(), c.undo);
        EXPECT_FALSE(s.history().redoEnabled());
        EXPECT_EQ(rig.window.undo, c.undo);
        EXPECT_FALSE(rig.window.redo);
        s.Undo();
        s.Redo();
        s.Undo();
        // Either the loaded picture is still there, or Undo shows a blank
        // canvas in the background colour, as it existed.
        const bool loaded = s.canvas().pixel(4, c.h - 1) == BgrPixel{4, 0, 7};
        EXPECT_EQ(loaded, !c.undo);
        for (int y = 0; !loaded && y < c.h; ++y)
            for (int x = 0; x < c.w; ++x)
                ASSERT_EQ(s.canvas().pixel(x, y), (BgrPixel{255, 255, 255})) << x << ", " << y;
    }
}

// A picture without pixels cannot be saved: Exit answered Yes reports why and
// stays, with the picture and its marker as they were.
TEST(SessionFiles, APictureWithoutPixelsIsNeverSavedAndTheExitStays) {
    SessionRig rig;
    Session& s = rig.session;
    s.MakeNewImage(0, 600, false);
    s.markUnsaved();
    rig.prompts.answers = {Answer::Yes};
    EXPECT_THROW(s.Exit2Click(), ImageFileError);
    EXPECT_EQ(rig.processEnd.ended, 0);
    EXPECT_FALSE(s.shell().closeAllowed);
    EXPECT_TRUE(s.hasUnsavedChanges());
    EXPECT_EQ(savedFiles(rig.paths.folder), 0U);
}

TEST(SessionFiles, TwoSavesInOneMillisecondWriteTwoFilesAndTheHourglassComesBack) {
    SessionRig rig;
    rig.session.markUnsaved();
    rig.session.SaveSplot();
    rig.session.SaveSplot();
    EXPECT_EQ(savedFiles(rig.paths.folder), 2U);
    EXPECT_EQ(rig.session.statusText(0),
              "Saved as: " + (rig.paths.folder / "splot20261208_09_05_07__043.png").string());
    EXPECT_EQ(rig.cursor.shown, (std::vector<CursorShape>{CursorShape::Busy, CursorShape::Normal,
                                                          CursorShape::Busy, CursorShape::Normal}));
}

// An executable whose folder cannot be written (here: one that does not
// exist, which holds for root too) saves in the user's pictures folder, under
// the executable's name.
TEST(SessionFiles, AReadOnlyExecutableFolderSavesInThePicturesFolder) {
    SessionRig rig;
    const fs::path pictures = rig.paths.folder / "Pictures";
    fs::create_directories(pictures);
    rig.paths.executable = "read-only/bin/splot";
    rig.paths.env = {{"HOME", rig.paths.folder.string()}, {"XDG_PICTURES_DIR", pictures.string()}};
    rig.session.SaveSplot();
    EXPECT_EQ(rig.session.statusText(0),
              "Saved as: " + (pictures / "splot20261208_09_05_07__042.png").string());
    EXPECT_TRUE(fs::exists(pictures / "splot20261208_09_05_07__042.png"));
}

} // namespace
} // namespace splot::test

namespace splot::test {
namespace {

// Brush > Load of a file that is no brush says so and changes nothing; a
// brush is read once and the window is told once; Brush > Save writes it.
TEST(SessionFiles, BrushLoadRefusesOtherFilesAndSaveWritesTheBrush) {
    SessionRig rig;
    const fs::path other = rig.paths.folder / "notes.txt";
    writeAll(other, "[shape]\nsize=3\n");
    const SplotState before = rig.session.state();
    const std::size_t reads = rig.window.reads.size();
    rig.prompts.files = {other.string()};
    rig.session.loadBrush();
    EXPECT_EQ(rig.prompts.texts("message"),
              std::vector<std::string>{"file: \r\n" + other.string() + "  is not a SPLOT brush file"});
    EXPECT_EQ(rig.window.reads.size(), reads);
    EXPECT_EQ(rig.session.state().paint.penWidth, before.paint.penWidth);
    EXPECT_EQ(rig.session.state().sliders.green, before.sliders.green);

    const fs::path brush = rig.paths.folder / "b.spb";
    writeAll(brush, "[main]\ngreen=7\npenwidth=500\n");
    rig.prompts.files = {brush.string()};
    rig.session.loadBrush();
    ASSERT_EQ(rig.window.reads.size(), reads + 1);
    EXPECT_TRUE(rig.window.reads.back().brushLoaded);
    EXPECT_EQ(rig.session.state().paint.penWidth, 500);
    EXPECT_EQ(rig.session.state().sliders.green, 7);

    rig.prompts.files = {(rig.paths.folder / "saved").string()};
    rig.session.saveBrush();
    const std::string text = readAll(rig.paths.folder / "saved.spb");
    EXPECT_NE(text.find("green=7\n"), std::string::npos) << text;
    EXPECT_NE(text.find("penwidth=500\n"), std::string::npos) << text;
}

} // namespace
} // namespace splot::test
