// The session's commands without a window: the unsaved-changes marker, a
// canvas that cannot be allocated, the cursor's owner and the exit flow.
#include "base/Errors.h"
#include "support/SessionRig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace splot::test {
namespace {

constexpr const char* unsaved = "There are unsaved changes.";

// The marker shows exactly when a command changed a pixel since the last
// clear, so the exit asks exactly then: Undo, Redo, Resize and channel
// actions that keep every pixel leave an untouched picture untouched. An Undo back to the cleared
// picture still marks it (the marker is never taken back without a save,
// load or clear).
TEST(SessionStatus, TheMarkerShowsExactlyWhenAPixelChanged) {
    const auto paint = [](Session& s) { s.canvas().pixel(5, 5) = BgrPixel{1, 2, 3}; };
    const struct {
        const char* name;
        std::function<void(Session&)> command;
        bool marks;
    } cases[] = {
        {"click stamp", [](Session& s) { s.imageClick(); }, true},
        {"drag", [](Session& s) { s.imageMouseMove(true, false); }, true},
        {"invert", [](Session& s) { s.invertPicture(); }, true},
        {"channel action", [&](Session& s) { paint(s), s.applyActionToPicture(RgbAction::Cycle); }, true},
        {"undo of a change", [&](Session& s) { s.imageMouseDown(), paint(s), s.Undo(); }, true},
        {"redo of a change",
         [&](Session& s) { s.imageMouseDown(), paint(s), s.Undo(), s.ClearImage(), s.Redo(); }, true},
        {"undo back to the cleared picture",
         [&](Session& s) { s.imageMouseDown(), s.imageClick(), s.Undo(); }, true},
        {"resize to another size", [](Session& s) { s.applyNewImageSize(600, 601, true); }, true},
        {"undo right after start-up", [](Session& s) { s.Undo(); }, false},
        {"redo of that undo", [](Session& s) { s.Undo(), s.Redo(); }, false},
        {"redo of an unchanged press",
         [](Session& s) { s.imageMouseDown(), s.Undo(), s.ClearImage(), s.Redo(); }, false},
        {"resize to the same size", [](Session& s) { s.applyNewImageSize(600, 600, true); }, false},
        {"channel action on a grey picture", [](Session& s) { s.applyActionToPicture(RgbAction::Cycle); },
         false},
    };
    for (const auto& [name, command, marks] : cases) {
        SessionRig rig;
        rig.mouse.x = 300;
        rig.mouse.y = 300;
        ASSERT_EQ(rig.session.statusText(0), "Image cleared");
        command(rig.session);
        EXPECT_EQ(rig.session.hasUnsavedChanges(), marks) << name;
        EXPECT_EQ(rig.status.panels[0], marks ? unsaved : "Image cleared") << name;
        rig.prompts.answers = {Answer::Cancel};
        rig.session.Exit2Click();
        EXPECT_EQ(rig.prompts.texts("warning"),
                  marks ? std::vector<std::string>{std::string(unsaved) +
                                                   "\r\nDo you want to save them before exiting?"}
                        : std::vector<std::string>{})
            << name;
        EXPECT_EQ(rig.processEnd.ended, marks ? 0 : 1) << name;
    }
}

TEST(SessionStatus, ExitWithoutChangesEndsAtOnceAndAFailedSettingsWriteMayStay) {
    SessionRig rig;
    rig.session.Exit2Click();
    EXPECT_TRUE(rig.prompts.shown.empty());
    EXPECT_EQ(rig.processEnd.ended, 1);

    // A folder where the settings file should be: it can never be written.
    SessionRig stuck([](SessionRig& r) { std::filesystem::create_directory(r.iniPath()); });
    stuck.prompts.answers = {Answer::No};
    stuck.session.FormClose();
    EXPECT_EQ(stuck.processEnd.ended, 0);
    EXPECT_FALSE(stuck.session.shell().closeAllowed);
    EXPECT_EQ(stuck.prompts.texts("error"),
              std::vector<std::string>{"Unable to write to " + stuck.iniPath()});
}

TEST(SessionCanvas, ACanvasThatCannotBeAllocatedChangesNothing) {
    SessionRig rig;
    Session& s = rig.session;
    s.canvas().pixel(3, 4) = BgrPixel{1, 2, 3};
    s.markUnsaved();
    s.imageMouseDown(); // Undo available, Redo not
    s.Undo();           // Redo available, Undo not
    const int rebuiltBefore = rig.window.rebuilt;
    s.canvas().setAllocationLimit(4'000'000);
    for (bool keep : {false, true}) {
        EXPECT_THROW(s.MakeNewImage(3000, 2000, keep), CommandAbandoned);
        EXPECT_EQ(s.canvas().imageWidth(), 600);
        EXPECT_EQ(s.state().paint.imageWidth, 600);
        EXPECT_EQ(s.state().paint.imageHeight, 600);
        EXPECT_EQ(s.statusText(0), unsaved);
        EXPECT_FALSE(s.history().undoEnabled());
        EXPECT_TRUE(s.history().redoEnabled());
        EXPECT_EQ(rig.window.rebuilt, rebuiltBefore) << "the controls stay as they were";
    }
    EXPECT_EQ(rig.prompts.texts("message").size(), 2U);
    // Out of range: the window shows the image options, nothing else happens.
    s.MakeNewImage(5001, 10, false);
    EXPECT_EQ(rig.window.refused, 1);
    EXPECT_EQ(s.canvas().imageWidth(), 600);
}

TEST(SessionCanvas, StartUpFallsBackToTheDefaultSizeWhenTheStoredOneCannotBeMade) {
    SessionRig rig([](SessionRig& r) {
        std::ofstream(r.iniPath()) << "[image]\nwidth=5000\nheight=5000\n";
        r.session.canvas().setAllocationLimit(20'000'000);
    });
    Session& s = rig.session;
    EXPECT_EQ(s.canvas().imageWidth(), 600);
    EXPECT_EQ(s.canvas().imageHeight(), 600);
    EXPECT_EQ(s.state().paint.imageWidth, 600);
    EXPECT_EQ(s.state().paint.imageHeight, 600);
    const std::vector<std::string> messages = rig.prompts.texts("message");
    ASSERT_EQ(messages.size(), 2U);
    EXPECT_EQ(messages[1], "The picture is 600 x 600 pixels instead.");
}

// The shape shown follows what every running command needs, however they
// nest: a nested busy command does not take its caller's hourglass away, and
// drawing under an hourglass does not hide it.
TEST(SessionCursor, NestedCommandsKeepTheRightShape) {
    FakeCursor port;
    CursorOwner owner(&port);
    {
        CursorOwner::Busy outer(owner);
        EXPECT_EQ(owner.shape(), CursorShape::Busy);
        {
            CursorOwner::Busy inner(owner);
            owner.setDrawingHidden(true);
            EXPECT_EQ(owner.shape(), CursorShape::Busy);
        }
        EXPECT_EQ(owner.shape(), CursorShape::Busy) << "the inner command must not pop the outer's hourglass";
        owner.setDrawingHidden(false);
    }
    EXPECT_EQ(owner.shape(), CursorShape::Normal);
    owner.setDrawingHidden(true);
    owner.setDrawingHidden(true);
    EXPECT_EQ(port.shown,
              (std::vector<CursorShape>{CursorShape::Busy, CursorShape::Normal, CursorShape::Hidden}));
}

} // namespace
} // namespace splot::test
