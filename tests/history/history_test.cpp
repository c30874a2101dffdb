#include "history/History.h"
#include "support/DispatchLevels.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace splot {
namespace {

// Widths that exercise the aligned middle and the unaligned ends of a row.
struct HistoryRig {
    explicit HistoryRig(int w = 131, int h = 5) {
        canvas.rebuild(w, h, Rebuild::Cleared, 0);
        canvas.setDisplay(&display);
        history.setEnableCallback([this](bool u, bool r) { states.emplace_back(u, r); });
    }
    void paint(std::uint8_t v) {
        for (int y = 0; y < canvas.imageHeight(); ++y)
            for (int x = 0; x < canvas.imageWidth(); ++x)
                canvas.pixel(x, y) =
                    BgrPixel{v, static_cast<std::uint8_t>(v + x), static_cast<std::uint8_t>(v + y)};
    }
    bool shows(std::uint8_t v) const {
        for (int y = 0; y < canvas.imageHeight(); ++y)
            for (int x = 0; x < canvas.imageWidth(); ++x)
                if (!(canvas.pixel(x, y) ==
                      BgrPixel{v, static_cast<std::uint8_t>(v + x), static_cast<std::uint8_t>(v + y)}))
                    return false;
        return true;
    }
    std::pair<bool, bool> enabled() const { return {history.undoEnabled(), history.redoEnabled()}; }

    Canvas canvas;
    ColourState colour;
    test::RecordingDisplay display;
    History history{canvas, colour};
    std::vector<std::pair<bool, bool>> states;
};

using State = std::pair<bool, bool>; // undo, redo

TEST(History, UndoAndRedoSwapTheTwoPicturesAndFollowTheTable) {
    test::forEachDispatchLevel([&] {
        HistoryRig rig;
        EXPECT_EQ(rig.enabled(), State(false, false));
        rig.paint(10);
        rig.history.MakeUndoFromRows();
        EXPECT_EQ(rig.enabled(), State(true, false));
        rig.paint(20); // a stroke

        rig.history.Undo();
        EXPECT_TRUE(rig.shows(10));
        EXPECT_EQ(rig.enabled(), State(false, true));
        rig.history.Redo();
        EXPECT_TRUE(rig.shows(20));
        EXPECT_EQ(rig.enabled(), State(true, false));
        rig.history.Undo();
        EXPECT_TRUE(rig.shows(10));
        rig.history.Redo();
        EXPECT_TRUE(rig.shows(20)); // the fourth step shows the second picture
        EXPECT_EQ(rig.display.whole, 4);
        EXPECT_EQ(
            rig.states,
            (std::vector<State>{{true, false}, {false, true}, {true, false}, {false, true}, {true, false}}));
    });
}

TEST(History, UnavailableStepsDoNothing) {
    HistoryRig rig(7, 3);
    rig.paint(1);
    rig.history.Undo();
    rig.history.Redo();
    EXPECT_TRUE(rig.shows(1));
    EXPECT_TRUE(rig.states.empty());
    EXPECT_EQ(rig.display.whole, 0);

    rig.history.MakeUndoFromRows();
    rig.history.Redo(); // snapshot leaves Redo off
    rig.history.Undo();
    rig.history.Undo(); // only one level
    EXPECT_EQ(rig.enabled(), State(false, true));
    EXPECT_EQ(rig.display.whole, 1);
}

TEST(History, ASnapshotAfterUndoKillsRedo) {
    test::forEachDispatchLevel([&] {
        HistoryRig rig;
        rig.paint(1);
        rig.history.MakeUndoFromRows();
        rig.paint(2);
        rig.history.Undo(); // shows 1, Redo would bring 2
        rig.history.MakeUndoFromRows();
        rig.paint(3);
        EXPECT_EQ(rig.enabled(), State(true, false));
        rig.history.Redo();
        EXPECT_TRUE(rig.shows(3));
        rig.history.Undo();
        EXPECT_TRUE(rig.shows(1)); // the picture 2 is gone for good
    });
}

TEST(History, SnapshotFillsTheActionSourceOnlyWhileDrawingWithAction) {
    test::forEachDispatchLevel([&] {
        HistoryRig rig(200, 3);
        rig.paint(5);
        rig.history.MakeUndoFromRows();
        EXPECT_EQ(rig.canvas.actionSourceRow(1)[7], (BgrPixel{}));
        rig.colour.drawWithAction = true;
        rig.paint(6);
        rig.history.MakeUndoFromRows();
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 200; ++x) {
                ASSERT_EQ(rig.canvas.actionSourceRow(y)[x], rig.canvas.pixel(x, y));
                ASSERT_EQ(rig.canvas.undoRow(y)[x], rig.canvas.pixel(x, y));
            }
    });
}

TEST(History, EmptyCanvasIsHarmless) {
    HistoryRig rig(0, 0);
    rig.history.MakeUndoFromRows();
    rig.history.Undo();
    rig.history.Redo();
    EXPECT_EQ(rig.enabled(), State(true, false));
}

} // namespace
} // namespace splot
